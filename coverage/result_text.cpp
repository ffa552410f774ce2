#include "result_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

constexpr int kDigits = 15;
constexpr std::int64_t kSmallestMantissa = 100'000'000'000'000;  // 10^14
constexpr std::int64_t kMantissaLimit = 10 * kSmallestMantissa;

constexpr std::array<std::int64_t, kDigits + 1> kTens = [] {
    std::array<std::int64_t, kDigits + 1> tens{1};
    for (std::size_t k = 1; k < tens.size(); ++k)
        tens[k] = tens[k - 1] * 10;
    return tens;
}();

// A positive value's 15 significant digits: value ≈ mantissa·10^(exponent − 14), mantissa from
// 10^14 to 10^15 − 1.
struct Digits {
    std::int64_t mantissa;
    int exponent;
};

// Exactly what to_chars writes at 15 digits, worked out with one multiplication by a power of ten
// that a double holds exactly. The product is within 1/16 of the exact one, so its rounding is
// the exact one's unless it lies near a half; then, and outside the powers' range, no value.
std::optional<Digits> QuickDigits(double value) {
    static constexpr std::array<double, 23> kPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kLeast = kDigits - 1 - 22;  // 1e-8: the scale 1e22 is the largest exact power
    if (!(value >= 1e-8 && value < 1e15))
        return std::nullopt;
    int exponent = static_cast<int>(
        std::upper_bound(kPowers.begin(), kPowers.begin() + kDigits, value) - kPowers.begin() - 1);
    // Below 1 the powers are not exact; a guess one off shows in the mantissa's range below.
    if (exponent < 0) {
        exponent = 0;
        while (exponent > kLeast && value * kPowers[static_cast<std::size_t>(-exponent)] < 1)
            --exponent;
    }
    const double scaled = value * kPowers[static_cast<std::size_t>(kDigits - 1 - exponent)];
    // Truncation is the floor here, and cheaper than std::floor.
    const auto whole = static_cast<std::int64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < 0.125)
        return std::nullopt;
    Digits digits{whole + (fraction > 0.5 ? 1 : 0), exponent};
    if (digits.mantissa == kMantissaLimit)
        digits = {kSmallestMantissa, exponent + 1};
    if (digits.mantissa < kSmallestMantissa || digits.mantissa > kMantissaLimit)
        return std::nullopt;
    return digits;
}

// The same from to_chars's text, for any positive finite value.
Digits ExactDigits(double value) {
    std::array<char, 32> buffer;  // "d.ddddddddddddddde±x"
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kDigits - 1);
    Digits digits{0, 0};
    for (int k = 0; k < kDigits; ++k)
        digits.mantissa = digits.mantissa * 10 + (buffer[k < 1 ? 0 : k + 1] - '0');
    const char* e = buffer.data() + kDigits + 1;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, result.ptr, digits.exponent);
    return digits;
}

// The chosen unit's figure first, the other beside it in brackets: "7.32 m (24.00 ft)".
std::u16string InBothUnits(double metricValue, double imperialValue, int decimals,
                           std::u16string_view metricSymbol, std::u16string_view imperialSymbol,
                           LengthUnit unit, const NumberFormat& format,
                           Rounding rounding = Rounding::Nearest) {
    const bool feet = unit == LengthUnit::Feet;
    std::u16string text;
    text.reserve(40);
    AppendRounded(text, feet ? imperialValue : metricValue, decimals, format, rounding);
    text += u' ';
    text += feet ? imperialSymbol : metricSymbol;
    text += u" (";
    AppendRounded(text, feet ? metricValue : imperialValue, decimals, format, rounding);
    text += u' ';
    text += feet ? metricSymbol : imperialSymbol;
    text += u')';
    return text;
}

}  // namespace

void AppendRounded(std::u16string& text, double value, int decimals, const NumberFormat& format,
                   Rounding rounding) {
    if (!std::isfinite(value)) {
        text += kNoResult;
        return;
    }
    Digits digits{0, 0};
    if (value != 0) {
        const std::optional<Digits> quick = QuickDigits(std::fabs(value));
        digits = quick ? *quick : ExactDigits(std::fabs(value));
    }

    // The value is mantissa·10^(exponent − 14); with `decimals` decimals it is a whole number of
    // units of the last decimal: `units`, at most 309 + 15 digits.
    std::array<char, 340> units;
    const int shift = digits.exponent - (kDigits - 1) + decimals;
    // The digits are of the magnitude: rounding up a negative value takes it towards zero.
    const bool awayFromZero =
        (rounding == Rounding::Up && value > 0) || (rounding == Rounding::Down && value < 0);
    std::int64_t kept = digits.mantissa;
    if (shift < -kDigits) {
        kept = awayFromZero && value != 0 ? 1 : 0;
    } else if (shift < 0) {
        const std::int64_t divisor = kTens[static_cast<std::size_t>(-shift)];
        const std::int64_t added = rounding == Rounding::Nearest ? divisor / 2
                                   : awayFromZero                ? divisor - 1
                                                                 : 0;
        kept = (digits.mantissa + added) / divisor;
    }
    const auto written = std::to_chars(units.data(), units.data() + 20, kept);
    auto count = static_cast<std::size_t>(written.ptr - units.data());
    for (int k = 0; k < shift; ++k)
        units[count++] = '0';

    // Written through a pointer: appending unit by unit costs more than all the rest.
    const auto whole = static_cast<std::ptrdiff_t>(count) - decimals;
    const auto write = [&](char16_t* out) {
        if (value < 0 && kept != 0)
            *out++ = u'-';
        if (whole <= 0) {
            *out++ = u'0';
            out = std::copy(format.decimalMark.begin(), format.decimalMark.end(), out);
            out = std::fill_n(out, -whole, u'0');
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (whole > 0 && static_cast<std::ptrdiff_t>(i) == whole)
                out = std::copy(format.decimalMark.begin(), format.decimalMark.end(), out);
            *out++ = static_cast<char16_t>(units[i]);
        }
        return out;
    };
    const std::size_t longest =
        2 + count + static_cast<std::size_t>(whole < 0 ? -whole : 0) + format.decimalMark.size();
    std::array<char16_t, 48> local;
    if (longest <= local.size()) {
        text.append(local.data(), write(local.data()));
    } else {
        const std::size_t start = text.size();
        text.resize(start + longest);
        text.resize(static_cast<std::size_t>(write(&text[start]) - text.data()));
    }
}

std::u16string RoundedText(double value, int decimals, const NumberFormat& format,
                           Rounding rounding) {
    std::u16string text;
    AppendRounded(text, value, decimals, format, rounding);
    return text;
}

std::u16string AngleText(double degrees, const NumberFormat& format) {
    std::u16string text = RoundedText(degrees, 1, format);
    text += u'\u00b0';
    return text;
}

std::u16string LengthText(double metres, LengthUnit unit, const NumberFormat& format,
                          Rounding rounding) {
    return InBothUnits(metres, metres / kMetresPerFoot, 2, u"m", u"ft", unit, format, rounding);
}

std::u16string RangeText(double from, double to, const NumberFormat& format) {
    std::u16string near = RoundedText(from, 2, format, Rounding::Up);
    std::u16string far = RoundedText(to, 2, format, Rounding::Down);
    // A range narrower than a hundredth holds no figure of two decimals.
    if (ParseNumber(near, format) > ParseNumber(far, format)) {
        near = RoundedText(from, 2, format);
        far = RoundedText(to, 2, format);
    }
    return near + u'\u2013' + far;
}

std::u16string LengthRangeText(double nearMetres, double farMetres, LengthUnit unit,
                               const NumberFormat& format) {
    const bool feet = unit == LengthUnit::Feet;
    const auto range = [&](std::u16string& text, bool inFeet) {
        const double scale = inFeet ? kMetresPerFoot : 1;
        text += RangeText(nearMetres / scale, farMetres / scale, format);
        text += inFeet ? u" ft" : u" m";
    };
    std::u16string text;
    text.reserve(48);
    range(text, feet);
    text += u" (";
    range(text, !feet);
    text += u')';
    return text;
}

std::u16string DensityText(double pxPerMetre, LengthUnit unit, const NumberFormat& format) {
    return InBothUnits(pxPerMetre, pxPerMetre * kMetresPerFoot, 1, u"px/m", u"px/ft", unit, format);
}

std::u16string FocalLengthText(double millimetres, const NumberFormat& format, Rounding rounding) {
    std::u16string text = RoundedText(millimetres, 2, format, rounding);
    text += u" mm";
    return text;
}

std::u16string VerticalAngleText(double degreesBelow, const NumberFormat& format) {
    std::u16string text = RoundedText(std::fabs(degreesBelow), 1, format);
    const bool level = text == RoundedText(0, 1, format);
    text += u'\u00b0';
    if (level)
        return text + u", level";
    return text + (degreesBelow > 0 ? u" below the horizontal" : u" above the horizontal");
}
