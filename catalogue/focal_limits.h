#pragma once

#include <optional>
#include <string_view>

// Whether the catalogue offers a focal length at all, for the focal lengths the Coverage
// window's DORI table says a level needs.

enum class FocalFit {
    ShorterThanAny,  // below the shortest end of every lens that covers the sensor
    Within,          // from the shortest end to the longest, both included
    LongerThanAny,   // beyond the longest end of every lens that covers the sensor
};

// Where a focal length (mm) falls among the lenses of the catalogue whose image covers a sensor
// of this diagonal (mm). An end within a relative 1e-9 counts as reached. No value when no lens
// covers the sensor (1" and larger), and when an input is not a finite number above 0.
std::optional<FocalFit> FitInCatalogue(double focalMm, double sensorDiagonalMm);

// "shorter than any lens of the catalogue", "longer than any lens of the catalogue"; empty for
// Within.
std::string_view FocalFitText(FocalFit fit);
