#pragma once

#include <string>

#include "length_unit.h"
#include "number_text.h"

// The texts of Coverage's results, in the user's number format. Every figure is rounded, half
// away from zero, on its 15-digit decimal text (as NumberText writes it), so that a length worked
// out as 8.075 ft shows as 8.08 ft although its double lies a hair below 8.075. Callers pass
// finite figures; sizes and distances are never below 0, and a result that rounds to 0 shows
// without a minus sign.

// The result of a bad input: an em dash.
inline constexpr char16_t kNoResult[] = u"\u2014";
// Where the view's upper edge is level or above it: it meets the ground nowhere far.
inline constexpr char16_t kToTheHorizon[] = u"to the horizon";
// A DORI level that no distance on the ground reaches.
inline constexpr char16_t kNotReached[] = u"Not reached";
// Where the view never meets the ground (a camera looking up).
inline constexpr char16_t kNowhere[] = u"nowhere";
// A blind zone that has no end: the target's height is nowhere in view.
inline constexpr char16_t kEverywhere[] = u"everywhere";

// Which way a figure is rounded to its decimals. Nearest: half away from zero. Up: the least
// figure with those decimals not below the value, so that a focal length needed, typed as shown,
// still reaches its level; Down: the greatest not above it, so that a farthest distance, typed as
// shown, still does. Each goes by the 15-digit text too: 3.8100000000000001 and
// 3.8099999999999996 both round up and down to 3.81.
enum class Rounding { Nearest, Up, Down };

// The value rounded to a number of decimals (0 to 15), written out in full: "7.32", "1829".
std::u16string RoundedText(double value, int decimals, const NumberFormat& format,
                           Rounding rounding = Rounding::Nearest);
// The same, appended to a text.
void AppendRounded(std::u16string& text, double value, int decimals, const NumberFormat& format,
                   Rounding rounding = Rounding::Nearest);

// "61.9°"
std::u16string AngleText(double degrees, const NumberFormat& format);

// "7.32 m (24.00 ft)" in metres, "24.00 ft (7.32 m)" in feet; both figures rounded alike.
std::u16string LengthText(double metres, LengthUnit unit, const NumberFormat& format,
                          Rounding rounding = Rounding::Nearest);

// "8.08–18.73": a range to hundredths with an en dash, its near end rounded up and its far end
// down, so that every figure inside it as shown is inside it as worked out; to the nearest
// hundredth where the range is narrower than one.
std::u16string RangeText(double from, double to, const NumberFormat& format);

// "2.46–5.71 m (8.08–18.73 ft)": a range of ground distances (RangeText), with an en dash.
std::u16string LengthRangeText(double nearMetres, double farMetres, LengthUnit unit,
                               const NumberFormat& format);

// "262.5 px/m (80.0 px/ft)" in metres, "80.0 px/ft (262.5 px/m)" in feet.
std::u16string DensityText(double pxPerMetre, LengthUnit unit, const NumberFormat& format);

// "3.81 mm"
std::u16string FocalLengthText(double millimetres, const NumberFormat& format,
                               Rounding rounding = Rounding::Nearest);

// An angle from the horizontal, below it when positive: "12.0° below the horizontal",
// "5.0° above the horizontal" (never a minus sign), "0.0°, level" when it rounds to 0.
std::u16string VerticalAngleText(double degreesBelow, const NumberFormat& format);
