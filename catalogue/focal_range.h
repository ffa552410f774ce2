#pragma once

#include <optional>
#include <string_view>

// The focal lengths a lens offers, in millimetres: both ends equal for a fixed lens, the
// shortest below the longest for a varifocal or zoom lens. Both are above 0.
struct FocalRange {
    double shortestMm;
    double longestMm;
};

// The focal length or range that opens a catalogue description body ("  8mm F1.2 ...",
// "  3.5-8mm F1.4 ...", "  12.5-75mm F1.8 ..."): digits with an optional decimal point, a hyphen
// between the ends of a range, then "mm" and a blank or the end. Leading blanks are skipped. No
// value when the body opens otherwise, or when a range does not rise from its first end to its
// second.
std::optional<FocalRange> FocalRangeOf(std::string_view body);
