#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "lens_traits.h"

// The camera that a lens of the catalogue must serve.
struct LensCamera {
    double sensorWidthMm;     // the sensor's width, across the scene
    double sensorDiagonalMm;  // what the lens's image must cover
    double pixelsAcross;      // pixels along the width
};

// One lens of the catalogue that reaches the required density, and what it gives there.
struct LensSuggestion {
    std::string modelNumber;
    std::string description;        // as the search results show it: lens format, inch mark, body
    LensKind kind;                  // of the row listed
    Iris iris;                      // of the row's group
    std::optional<int> megapixels;  // the description's rating; no value when it gives none
    double focalMm;                 // what the lens is set to, in mm (a fixed lens: its own)
    double densityPxPerM;           // pixels across per metre of scene width at the target
    double sceneWidthM;             // the scene's width at the target, in metres
};

// The lenses of the catalogue with which the camera shows at least `requiredPxPerM` pixels per
// metre of scene width at `depthM` metres along the lens axis, among the rows the filter keeps.
// That needs a focal length of at least F = required density x sensor width x depth / pixels
// across: a fixed lens qualifies when its focal length reaches F, a varifocal or zoom lens when
// its longest end does, and it is set to F, or to its shortest end when that is longer. A lens
// qualifies only when the diagonal of its own format (2/3", 1/2", 1/3") is at least the
// sensor's. An F within a relative 1e-9 of a focal length of the catalogue counts as that one,
// so that a density computed as exactly the level's reaches it; the diagonals are compared with
// the same tolerance.
//
// One entry per model number (some are listed in several groups, with different bodies): the
// kept row that reaches the density with the widest view. The widest view comes first, that is
// the shortest focal length; equal ones in catalogue order. Empty when no lens qualifies, and
// when a figure cannot be computed (an input that is not a finite number above 0).
std::vector<LensSuggestion> SuggestLenses(const LensCamera& camera, double depthM,
                                          double requiredPxPerM, const LensFilter& filter = {});

// How many entries SuggestLenses gives without a filter, without writing them out.
std::size_t CountLensesReaching(const LensCamera& camera, double depthM, double requiredPxPerM);
