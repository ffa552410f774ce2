#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <string_view>

#include "focal_range.h"

// Of catalogue.h, declared here only so that the Coverage window's code, which includes this
// header, does not also receive the catalogue's other names (its Format among them).
enum class LensType;
enum class Iris;

// What a lens of the catalogue is, as the Coverage window's lens list shows, filters and sorts it.

// Fixed: one focal length. Varifocal: a range, refocused by hand after each change. Zoom: a
// range that holds its focus, by hand or by motor. The list shows them in this order.
enum class LensKind { Fixed, Varifocal, Zoom };
inline constexpr std::size_t kLensKindCount = 3;
inline constexpr std::size_t kIrisCount = 4;  // the values of Iris

// The kind of a row: one focal length is a fixed lens whatever its group (the maker lists two
// lenses locked at their wide end among the fixed ones); a range is a zoom in a zoom group and a
// varifocal in any other.
LensKind KindOf(LensType type, const FocalRange& range);

// The megapixel rating a description body gives: a whole number from 1 to 99 written straight
// before "MP", as a word of its own ("..., CS mount, 3MP" is 3). No value when the body gives
// none.
std::optional<int> MegapixelsOf(std::string_view body);

// "fixed", "varifocal", "zoom".
std::string_view KindName(LensKind kind);

// "motorised" (M), "manual", "DC", "video" (VD).
std::string_view IrisName(Iris iris);

// Which lenses a list keeps: those of a kind and iris that are set, rated at least
// `minimumMegapixels`. A lens without a rating is kept only while the minimum is 0. The default
// keeps every lens.
struct LensFilter {
    std::bitset<kLensKindCount> kinds{(1u << kLensKindCount) - 1};  // by LensKind
    std::bitset<kIrisCount> irises{(1u << kIrisCount) - 1};         // by Iris
    int minimumMegapixels = 0;                                      // 0: any

    bool Has(LensKind kind) const { return kinds.test(static_cast<std::size_t>(kind)); }
    bool Has(Iris iris) const { return irises.test(static_cast<std::size_t>(iris)); }
    LensFilter& Set(LensKind kind, bool on = true) {
        kinds.set(static_cast<std::size_t>(kind), on);
        return *this;
    }
    LensFilter& Set(Iris iris, bool on = true) {
        irises.set(static_cast<std::size_t>(iris), on);
        return *this;
    }

    bool Keeps(LensKind kind, Iris iris, std::optional<int> megapixels) const {
        return Has(kind) && Has(iris) &&
               (minimumMegapixels <= 0 || (megapixels && *megapixels >= minimumMegapixels));
    }
    // True when no lens is left out for what it is.
    bool KeepsAll() const { return kinds.all() && irises.all() && minimumMegapixels <= 0; }
};
