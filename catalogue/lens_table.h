#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "catalogue.h"
#include "focal_range.h"
#include "lens_traits.h"

// The catalogue's rows with what the lens searches need of them, read once: the catalogue does
// not change while the program runs, and the Coverage window searches it on every edit.

// Focal lengths and diagonals this close, relative to the larger, count as equal: a focal length
// worked out as exactly a catalogue figure may land a rounding error beside it.
inline constexpr double kCatalogueTolerance = 1e-9;

struct CatalogueLens {
    const CatalogueGroup* group;
    const CatalogueRow* row;
    FocalRange range;
    double coveredDiagonalMm;  // of the lens's own format; 0 for a format the program lacks
    LensKind kind;
    std::optional<int> megapixels;
    std::size_t model;  // the position in CatalogueLenses() of the first row of this model number
};

// Every row whose description opens with a focal length (all of them), in catalogue order.
const std::vector<CatalogueLens>& CatalogueLenses();

// Whether the lens's image covers a sensor of this diagonal (mm), within the tolerance.
bool Covers(const CatalogueLens& lens, double sensorDiagonalMm);

// Whether two figures are equal within the tolerance.
bool NearlyEqual(double a, double b);
