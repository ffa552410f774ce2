#pragma once

#include <optional>

// The optical relations between focal length (mm), object distance, and the horizontal and
// vertical dimensions of the scene (any one unit of length for all three). Computed in double
// precision, with the operations in exactly the order written; a division by zero, 0/0 or an
// overflow gives no value. Negative numbers are computed with as they come.
std::optional<double> VFromH(double h);                                    // (h / 4) * 3
std::optional<double> HFromV(double v);                                    // (v / 3) * 4
std::optional<double> FocalFromV(double l, double v, double sensorHeight);  // (l * height) / v
std::optional<double> VFromFocal(double l, double f, double sensorHeight);  // (l * height) / f
