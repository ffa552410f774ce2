#pragma once

#include <string>
#include <vector>

// Decodes a lens part number while it is typed: the sensor format from the first character, a
// galvanometer (auto-iris) drive from a "G" in second place, and the focal length from the next
// two characters. Returns the lines to list under the box, at most three, in order. Characters
// are counted as the user sees them (a surrogate pair is one character).
std::vector<std::u16string> DecodePartNumber(const std::u16string& text);

inline constexpr char16_t kNoMatchingPartNumber[] = u"No matching part number found.";
