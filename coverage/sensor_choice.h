#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "number_text.h"
#include "sensor_format.h"

// The picture's shape: a named format's diagonal is split in this ratio.
enum class Aspect { FourByThree, SixteenByNine };

// The formats Coverage offers, in this order: every row of kSensorFormats (largest first), then
// Custom, given by width and height or by pixel size.
inline constexpr std::size_t kCustomFormat = kSensorFormats.size();
inline constexpr std::size_t kFormatChoices = kSensorFormats.size() + 1;

// What the format list shows: 1/2.8" (nominal, 6.43 mm diagonal) with the diagonal rounded to
// hundredths and no trailing zeros, in the user's number format; "Custom" for kCustomFormat.
std::u16string FormatLabel(std::size_t formatIndex, const NumberFormat& format);

// The row of kSensorFormats with these inches ("1/3"), as the part-number window names them.
constexpr std::optional<std::size_t> SensorFormatIndex(std::string_view inches) {
    for (std::size_t i = 0; i < kSensorFormats.size(); ++i) {
        if (kSensorFormats[i].inches == inches)
            return i;
    }
    return std::nullopt;
}

// The calculator's start format, 1/3".
inline constexpr std::size_t kStartFormat = *SensorFormatIndex("1/3");

// The width and height (mm) of a picture of this diagonal (mm) and shape: d·a/√(a²+b²) and
// d·b/√(a²+b²); at 4:3 exactly 4/5 and 3/5 of the diagonal.
struct SensorSize {
    double widthMm;
    double heightMm;
};
SensorSize SensorSizeOfDiagonal(double diagonalMm, Aspect aspect);

// The resolutions offered for a shape, pixels across by pixels down, smallest first. Each pixels
// across is offered once per shape; a preset's pixels down may be a camera's own rather than the
// exact ratio (2688 × 1520).
struct Resolution {
    int across;
    int down;
};
inline constexpr std::size_t kResolutionPresetCount = 6;
const std::array<Resolution, kResolutionPresetCount>& ResolutionPresets(Aspect aspect);

// The resolution to show when the shape changes, or when it follows the calculator's: the pixels
// across as typed, and the pixels down of the shape's preset with those pixels across, or else
// those pixels across times 3/4 or 9/16, rounded to a whole pixel (at least 1). Unchanged when the
// pixels across are not a whole number the form takes (1 to 100000).
struct ResolutionChoice {
    std::u16string across;
    std::u16string down;
    // The pixels down were changed, and from the ratio, not to a preset: the pair the user had
    // typed did not fit the shape, and the window says so (ResolutionNote).
    bool downFromRatio;
};
ResolutionChoice ResolutionForAspect(const std::u16string& across, const std::u16string& down,
                                     Aspect aspect, const NumberFormat& format);

// What the window's message line says when the pixels down were set from the ratio, with the
// pair now in the boxes: "The pixels down were set from the aspect ratio: 1000 × 563." Empty when
// they were not.
std::u16string ResolutionNote(const ResolutionChoice& choice);
