#pragma once

#include <string>
#include <vector>

#include "coverage.h"

// One lens of the catalogue that lets the camera reach the chosen level, as the Coverage window
// lists it: what the lens is, what it is set to, and what it gives at the target.
struct LensListRow {
    std::u16string modelNumber;
    std::u16string description;  // as the search results show it
    std::u16string focalLength;  // "6.00 mm": a fixed lens's own, or where a range is set
    std::u16string density;      // "262.5 px/m (80.0 px/ft)"
    std::u16string sceneWidth;   // "7.32 m (24.00 ft)"
};

struct LensList {
    std::vector<LensListRow> rows;  // the widest view that still reaches the level first
    // "No lens of the catalogue reaches Identify at 25.00 m with this camera." when no lens
    // does; empty when some do, and when the figures are missing (the form's message says why).
    std::u16string note;
};

// The catalogue's lenses with which the camera of `figures` reaches `level` (an index into
// kDoriLevels) at the target's depth, in a unit and number format.
LensList ListLensesReaching(const CoverageFigures& figures, int level, LengthUnit unit,
                            const NumberFormat& format);
