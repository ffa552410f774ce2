#include "part_number.h"

#include <array>
#include <cstddef>
#include <utility>

namespace {

constexpr std::size_t kCharactersRead = 4;

using Characters = std::array<std::u16string, kCharactersRead>;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Only the first few characters decide anything, so the rest of the text is never read: a page
// pasted into the box costs no more than a short part number. A surrogate pair stays whole, as it
// is one character to the user; an unpaired surrogate counts as a character of its own.
Characters LeadingCharacters(const std::u16string& text) {
    Characters characters;
    std::size_t pos = 0;
    for (auto& character : characters) {
        if (pos >= text.size())
            break;
        const bool pair =
            IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]);
        const std::size_t length = pair ? 2 : 1;
        character = text.substr(pos, length);
        pos += length;
    }
    return characters;
}

bool IsOneOf(const std::u16string& character, char16_t upper, char16_t lower) {
    return character.size() == 1 && (character[0] == upper || character[0] == lower);
}

// Only ASCII digits: other scripts' digits never appear in a part number.
bool IsDecimalDigit(const std::u16string& character) {
    return character.size() == 1 && character[0] >= u'0' && character[0] <= u'9';
}

// The format letters, each with its format's name in the sensor table and its line.
struct FormatLetter {
    char16_t upper;
    std::string_view inches;
    const char16_t* line;
};
constexpr std::array<FormatLetter, 4> kFormatLetters{{
    {u'V', "1", u"1\" CCD format"},
    {u'M', "2/3", u"2/3\" CCD format"},
    {u'H', "1/2", u"1/2\" CCD format"},
    {u'T', "1/3", u"1/3\" CCD format"},
}};

const FormatLetter* FormatOf(const std::u16string& first) {
    for (const FormatLetter& letter : kFormatLetters) {
        if (IsOneOf(first, letter.upper, static_cast<char16_t>(letter.upper - u'A' + u'a')))
            return &letter;
    }
    return nullptr;
}

std::u16string FormatLine(const std::u16string& first) {
    const FormatLetter* format = FormatOf(first);
    return format ? format->line : kNoMatchingPartNumber;
}

// The characters that carry the focal length: after the G of a galvanometer drive, otherwise
// right after the format letter; none when the second character is neither.
std::optional<std::pair<std::u16string, std::u16string>> FocalLengthPair(const Characters& c) {
    if (IsOneOf(c[1], u'G', u'g'))
        return std::make_pair(c[2], c[3]);
    if (IsDecimalDigit(c[1]))
        return std::make_pair(c[1], c[2]);
    return std::nullopt;
}

// A leading zero marks whole millimetres ("06" is 6 mm); any other pair carries one decimal
// ("45" is 4.5 mm). Missing characters are empty, so a half-typed pair still gives a line.
std::u16string FocalLengthLine(const std::u16string& tens, const std::u16string& units) {
    const std::u16string pair = tens + units;
    const bool wholeMillimetres =
        tens == u"0" && units.size() == 1 && units[0] >= u'1' && units[0] <= u'9';
    if (wholeMillimetres)
        return pair + u": focal length is " + units + u"mm.";
    return pair + u": focal length is " + tens + u"." + units + u"mm.";
}

}  // namespace

std::vector<std::u16string> DecodePartNumber(const std::u16string& text) {
    const Characters characters = LeadingCharacters(text);
    std::vector<std::u16string> lines{FormatLine(characters[0])};

    const auto pair = FocalLengthPair(characters);
    if (!pair) {
        lines.assign(1, kNoMatchingPartNumber);
        return lines;
    }
    if (IsOneOf(characters[1], u'G', u'g'))
        lines.push_back(u"G = Galvanometer (auto-iris)");
    lines.push_back(FocalLengthLine(pair->first, pair->second));
    return lines;
}

// The same reading as the lines: "06" is 6 mm, "45" is 4.5 mm.
std::optional<DecodedLens> DecodeLens(const std::u16string& text) {
    const Characters characters = LeadingCharacters(text);
    const FormatLetter* format = FormatOf(characters[0]);
    const auto pair = FocalLengthPair(characters);
    if (!format || !pair || !IsDecimalDigit(pair->first) || !IsDecimalDigit(pair->second))
        return std::nullopt;
    const int tens = pair->first[0] - u'0', units = pair->second[0] - u'0';
    const double focalMm = tens == 0 && units != 0 ? units : tens + units / 10.0;
    return DecodedLens{format->inches, focalMm};
}
