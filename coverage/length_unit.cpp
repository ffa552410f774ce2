#include "length_unit.h"

#include <array>
#include <charconv>
#include <cmath>

#include "result_text.h"

namespace {

// The fewest digits (at most 17) that read back as exactly this double, in the user's format.
std::u16string ShortestText(double value, const NumberFormat& format) {
    std::array<char, 32> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::u16string text;
    for (const char* p = buffer.data(); error == std::errc() && p != end; ++p) {
        if (*p == '.')
            text += format.decimalMark;
        else
            text += static_cast<char16_t>(*p);
    }
    return text;
}

}  // namespace

std::u16string UnitSymbol(LengthUnit unit) {
    return unit == LengthUnit::Feet ? u"ft" : u"m";
}

std::optional<std::u16string> ConvertLengthText(const std::u16string& text, LengthUnit from,
                                                LengthUnit to, const NumberFormat& format) {
    const std::optional<double> value = ParseNumber(text, format);
    if (!value)
        return std::nullopt;
    if (from == to)
        return text;
    const auto convert = [](double length, LengthUnit source) {
        return source == LengthUnit::Feet ? length * kMetresPerFoot : length / kMetresPerFoot;
    };
    const double converted = convert(*value, from);
    if (!std::isfinite(converted))
        return std::nullopt;
    std::u16string fifteenDigits = NumberText(converted, format);
    const std::optional<double> reread = ParseNumber(fifteenDigits, format);
    if (reread && NumberText(convert(*reread, to), format) == NumberText(*value, format))
        return fifteenDigits;
    return ShortestText(converted, format);
}

std::optional<std::u16string> ShownLengthText(const std::u16string& text,
                                              const NumberFormat& format) {
    const std::optional<double> value = ParseNumber(text, format);
    if (!value)
        return std::nullopt;
    if (!(std::fabs(*value) < 1e15))
        return NumberText(*value, format);
    std::u16string shown = RoundedText(*value, 2, format);
    while (shown.back() == u'0')
        shown.pop_back();
    if (shown.size() >= format.decimalMark.size() &&
        shown.compare(shown.size() - format.decimalMark.size(), std::u16string::npos,
                      format.decimalMark) == 0)
        shown.resize(shown.size() - format.decimalMark.size());
    return shown;
}
