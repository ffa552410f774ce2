#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coverage.h"
#include "lens_suggestions.h"
#include "lens_traits.h"

// The Coverage window's list of the catalogue's lenses with which the camera reaches the required
// level at the target, filtered as the user asks, and the design sheet's.

// Where the typed distance to the target runs, as the lens list's note names it.
enum class TypedDistance { ToTheTarget, OnTheGround, AlongTheLineOfSight };

// The lenses chosen, as figures, before they are written out in a number format.
struct LensChoice {
    enum class Outcome {
        NoFigures,  // an input the list depends on is bad: the form's message says which
        BadWidth,   // the required width is not a number above 0
        NoneReach,  // no lens of the catalogue reaches the level
        NoneKept,   // some do, but the filters leave none of them
        Listed,     // `lenses` holds one or more
    };
    Outcome outcome = Outcome::NoFigures;
    std::vector<LensSuggestion> lenses;  // after the filters, in the list's order
    std::size_t reaching = 0;            // one per model number, before the filters
    int level = 0;                       // the required level, an index into kDoriLevels
    double distanceM = 0;                // the typed distance, in metres
    TypedDistance distance = TypedDistance::ToTheTarget;
};

// Chooses the lenses with which the camera of `figures` reaches `inputs.requiredLevel` at the
// target's depth along the lens axis, as SuggestLenses does with the filter, then:
// - drops those whose scene width at the target is narrower than `inputs.requiredWidth` (a number
//   in `inputs.unit`, typed in `typedIn`; empty or blank: no such need), within a relative 1e-9;
// - with a mounted camera and a typed tilt, drops those with which the target falls outside the
//   view: its ground distance is not between where the lens's own vertical view, at that tilt,
//   meets the target's height near and far (as the form's lens is checked);
// - orders them fixed lenses first, then varifocals, then zooms; within each the widest view
//   (the shortest focal length set) first, equal ones in catalogue order.
// `reaching` counts every lens that reaches the level, whatever the filters.
LensChoice ChooseLenses(const CoverageFigures& figures, const CoverageInputs& inputs,
                        const LensFilter& filter, const NumberFormat& typedIn);

// One lens of the list as the window shows it: what the lens is, what it is set to, what it
// gives at the target, as texts, with the figures behind them in `lens`.
struct LensListRow {
    LensSuggestion lens;
    std::u16string modelNumber;
    std::u16string description;  // as the search results show it
    std::u16string kind;         // "fixed", "varifocal", "zoom"
    std::u16string iris;         // "manual", "DC", "video", "motorised"
    std::u16string megapixels;   // "3MP"; empty when the description gives no rating
    std::u16string focalLength;  // "6.00 mm": a fixed lens's own, or where a range is set
    std::u16string density;      // "262.5 px/m (80.0 px/ft)"
    std::u16string sceneWidth;   // "7.32 m (24.00 ft)"
};

// Exactly one of `count` and `note` is set while the figures are there; neither without them.
struct LensList {
    std::vector<LensListRow> rows;
    std::u16string count;  // "12 of 77 shown" when one lens or more is listed
    // Why none is listed: the required width, no lens reaching the level, or the filters
    // (LensNoteText).
    std::u16string note;
};

// The lens list of the form, in the unit of `inputs` and a number format (which the required
// width is also read in): ChooseLenses written out.
LensList ListLensesReaching(const CoverageFigures& figures, const CoverageInputs& inputs,
                            const LensFilter& filter, const NumberFormat& format);

// "12 of 77 shown": the lenses listed of those that reach the level. Empty unless some are listed.
std::u16string LensCountText(const LensChoice& choice, const NumberFormat& format);

// Why no lens is listed, empty when some are (or the figures are missing):
// - "Enter a required width above 0 m." (or ft);
// - "No lens of the catalogue reaches Identify at 25.00 m with this camera." with the typed
//   distance to hundredths, followed by " on the ground from the pole" or " along the line of
//   sight" for a mounted camera ("… at 30.00 m on the ground from the pole with this camera.");
// - "None of the 77 lenses that reach Identify passes the filters.", or with a single lens "The
//   one lens that reaches Identify does not pass the filters."
std::u16string LensNoteText(const LensChoice& choice, LengthUnit unit, const NumberFormat& format);

// Beside a focal length that a DORI level needs: "shorter than any lens of the catalogue" or
// "longer than any lens of the catalogue" (of those that cover the sensor); empty when some lens
// reaches it, when no lens covers the sensor, and when a figure is missing.
std::u16string FocalLengthNeededNote(const CoverageFigures& figures, std::size_t level);
