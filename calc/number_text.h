#pragma once

#include <optional>
#include <string>

// The user's number format: the marks that typed numbers use and that computed numbers are
// written with. The window reads them from the platform; this code never asks the platform.
struct NumberFormat {
    std::u16string decimalMark = u".";
    std::u16string groupMark = u",";
};

// Reads a number typed by the user: blanks around it, a leading sign, digits with grouping marks,
// at most one decimal mark, and a decimal exponent ("1E3"); the whole text must be used.
// No value for anything else, for "nan" and "inf", and for a number too large for a double.
// A number too small for a double is no fault: it reads as (nearly) zero.
std::optional<double> ParseNumber(const std::u16string& text, const NumberFormat& format);

// True exactly when ParseNumber gives a value, so the check and the conversion never disagree.
bool IsNumericText(const std::u16string& text, const NumberFormat& format);

// A value at full precision: at most 15 significant digits, rounded, no grouping, the user's
// decimal mark, no trailing zeros, "0.5" not ".5", "-" for negatives, "0" for minus zero.
// Magnitudes too large or too small for plain digits use an exponent ("1E+20") that
// ParseNumber reads back.
std::u16string NumberText(double value, const NumberFormat& format);

// What a box shows: the value cut (not rounded) to two decimals, towards minus infinity.
// The cut is made on the 15-digit decimal text of the value, so that 0.29 shows as 0.29 even
// though the double nearest to 0.29, times 100, lies just below 29.
// No value when the value is not finite or its hundredfold overflows.
std::optional<std::u16string> DisplayText(double value, const NumberFormat& format);
