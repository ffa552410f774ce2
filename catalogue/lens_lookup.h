#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "focal_range.h"

// A lens of the catalogue found by its model number, for the lens the user has chosen.
struct LensRecord {
    std::string description;  // as the search results show it: lens format, inch mark, body
    FocalRange range;
};

// The lens with this model number, exactly as the catalogue spells it. A model number listed in
// several rows (a zoom listed again among the fixed lenses, locked at its wide end) gives the row
// with the widest range of focal lengths, the first of equal ones. No value for a model number
// the catalogue does not list.
std::optional<LensRecord> FindLens(std::string_view modelNumber);
