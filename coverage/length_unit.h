#pragma once

#include <optional>
#include <string>

#include "number_text.h"

// The unit the Coverage window shows and reads lengths in: the distance and the mounting heights
// are typed in it, and every length result shows it first with the other unit beside it.
enum class LengthUnit { Metres, Feet };

inline constexpr double kMetresPerFoot = 0.3048;  // exact, by definition of the foot

constexpr double MetresPerUnit(LengthUnit unit) {
    return unit == LengthUnit::Feet ? kMetresPerFoot : 1.0;
}

// "m" or "ft".
std::u16string UnitSymbol(LengthUnit unit);

// A typed length in another unit, for the unit switch and for the calculator's distances, which
// are feet. At full precision, so that switching back and forth gives back the text (as
// NumberText writes it): NumberText's 15 digits ("20" ft is "6.096" m) where these convert back
// to the same 15 digits, otherwise the fewest digits that read back as the converted double
// ("6" m is "19.68503937007874" ft, as "19.6850393700787" would come back as 5.99999999999999).
// The text unchanged when both units are the same; no value when it is not a number or its value
// does not fit a double in the other unit.
std::optional<std::u16string> ConvertLengthText(const std::u16string& text, LengthUnit from,
                                                LengthUnit to, const NumberFormat& format);

// A length text as the box shows it while it keeps the full-precision text of ConvertLengthText:
// rounded to hundredths as a user would type it, half away from zero, trailing zeros dropped, in
// the user's format ("19.68503937007874" ft shows as "19.69", "6.096" m as "6.1", "6" as "6").
// Lengths too large for plain digits keep NumberText's exponent. No value when it is not a number.
std::optional<std::u16string> ShownLengthText(const std::u16string& text,
                                              const NumberFormat& format);
