#include "part_number.h"

#include <array>
#include <cstddef>

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

std::u16string FormatLine(const std::u16string& first) {
    if (IsOneOf(first, u'V', u'v'))
        return u"1\" CCD format";
    if (IsOneOf(first, u'M', u'm'))
        return u"2/3\" CCD format";
    if (IsOneOf(first, u'H', u'h'))
        return u"1/2\" CCD format";
    if (IsOneOf(first, u'T', u't'))
        return u"1/3\" CCD format";
    return kNoMatchingPartNumber;
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

    if (IsOneOf(characters[1], u'G', u'g')) {
        lines.push_back(u"G = Galvanometer (auto-iris)");
        lines.push_back(FocalLengthLine(characters[2], characters[3]));
    } else if (IsDecimalDigit(characters[1])) {
        lines.push_back(FocalLengthLine(characters[1], characters[2]));
    } else {
        lines.assign(1, kNoMatchingPartNumber);
    }
    return lines;
}
