#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Decodes a lens part number while it is typed: the sensor format from the first character, a
// galvanometer (auto-iris) drive from a "G" in second place, and the focal length from the next
// two characters. Returns the lines to list under the box, at most three, in order. Characters
// are counted as the user sees them (a surrogate pair is one character).
std::vector<std::u16string> DecodePartNumber(const std::u16string& text);

inline constexpr char16_t kNoMatchingPartNumber[] = u"No matching part number found.";

// What a part number says of the lens when it gives both its format and its focal length: the
// format as the sensor table names it ("1", "2/3", "1/2", "1/3") and the focal length in mm.
struct DecodedLens {
    std::string_view formatInches;
    double focalMm;
};

// The lens that the lines of DecodePartNumber describe, once both the format letter and the two
// digits of the focal length have been typed; no value before that, or for a part number that
// matches nothing.
std::optional<DecodedLens> DecodeLens(const std::u16string& text);
