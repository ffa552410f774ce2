#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Whether the (non-empty) mark stands at position pos of text; pos may be text.size().
bool MarkAt(std::u16string_view text, std::size_t pos, std::u16string_view mark) {
    return !mark.empty() && text.substr(pos, mark.size()) == mark;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Numbers as users type them fit the stack; only absurdly long texts go to the heap.
class AsciiBuffer {
  public:
    explicit AsciiBuffer(std::size_t capacity) {
        if (capacity > small.size()) {
            large.resize(capacity);
            begin = large.data();
        }
        end = begin;
    }
    void Append(char c) { *end++ = c; }
    const char* Begin() const { return begin; }
    const char* End() const { return end; }

  private:
    std::array<char, 64> small;
    std::string large;
    char* begin = small.data();
    char* end = nullptr;
};

}  // namespace

std::optional<double> ParseNumber(const std::u16string& text, const NumberFormat& format) {
    const std::u16string_view s = TrimBlanks(text);
    // The text rewritten in the C form that from_chars reads: sign, digits, '.', 'e'. It is never
    // longer than the text plus one.
    AsciiBuffer ascii(s.size() + 1);
    std::size_t i = 0;

    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (negative)
        ascii.Append('-');

    // The decimal order of the first significant digit, to tell an overflow from an underflow.
    long long order = 0;
    bool significant = false;
    std::size_t mantissaDigits = 0;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            if (significant || s[i] != u'0') {
                order += significant ? 1 : 0;
                significant = true;
            }
            ascii.Append(static_cast<char>(s[i++]));
            ++mantissaDigits;
        } else if (MarkAt(s, i, format.decimalMark)) {
            break;
        } else if (mantissaDigits > 0 && MarkAt(s, i, format.groupMark) &&
                   i + format.groupMark.size() < s.size() &&
                   IsDigit(s[i + format.groupMark.size()])) {
            i += format.groupMark.size();
        } else {
            break;
        }
    }
    if (MarkAt(s, i, format.decimalMark)) {
        i += format.decimalMark.size();
        ascii.Append('.');
        while (i < s.size() && IsDigit(s[i])) {
            if (!significant) {
                --order;
                significant = s[i] != u'0';
            }
            ascii.Append(static_cast<char>(s[i++]));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;

    long long exponent = 0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ascii.Append('e');
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            ascii.Append(static_cast<char>(s[i++]));
        }
        const std::size_t firstExponentDigit = i;
        while (i < s.size() && IsDigit(s[i])) {
            // Saturates far beyond any double's range, so the order test below stays right.
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (s[i] - u'0');
            ascii.Append(static_cast<char>(s[i++]));
        }
        if (i == firstExponentDigit)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;

    double value = 0;
    const auto [end, error] = std::from_chars(ascii.Begin(), ascii.End(), value);
    if (error == std::errc::result_out_of_range) {
        if (order + exponent > 0)
            return std::nullopt;
        return negative ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != ascii.End())
        return std::nullopt;
    return value;
}

bool IsNumericText(const std::u16string& text, const NumberFormat& format) {
    return ParseNumber(text, format).has_value();
}

std::u16string NumberText(double value, const NumberFormat& format) {
    if (value == 0)
        value = 0.0;
    std::array<char, 32> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, 15);
    std::u16string text;
    if (error != std::errc())
        return text;
    text.reserve(static_cast<std::size_t>(end - buffer.data()) + format.decimalMark.size());
    for (const char* p = buffer.data(); p != end; ++p) {
        if (*p == '.')
            text += format.decimalMark;
        else
            text += static_cast<char16_t>(*p);
    }
    return text;
}

std::optional<std::u16string> DisplayText(double value, const NumberFormat& format) {
    if (!std::isfinite(value * 100))
        return std::nullopt;

    // "[-]d.dddddddddddddde±x": the same 15 significant digits as NumberText writes.
    constexpr int kDigits = 15;
    std::array<char, 32> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::scientific, kDigits - 1);
    if (error != std::errc())
        return std::nullopt;
    const bool negative = buffer[0] == '-';
    const char* first = buffer.data() + (negative ? 1 : 0);
    const char* e = first + kDigits + 1;
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);

    // Digits at or above the hundredths are kept; with all fifteen kept there is nothing to cut.
    const int kept = exponent + 3;
    if (kept >= kDigits)
        return NumberText(value, format);

    std::int64_t hundredths = 0;
    bool cutAway = false;
    for (int k = 0; k < kDigits; ++k) {
        const int digit = first[k < 1 ? 0 : k + 1] - '0';
        if (k < kept)
            hundredths = hundredths * 10 + digit;
        else if (digit != 0)
            cutAway = true;
    }
    if (negative && cutAway)
        ++hundredths;
    // Exact below 2^53, so the division gives the double nearest to the cut decimal value.
    const double cut = static_cast<double>(hundredths) / 100;
    return NumberText(negative ? -cut : cut, format);
}
