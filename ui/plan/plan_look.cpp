#include "plan_look.h"

namespace {

// From the light, wide Monitor band to the dark, small Inspect one: hues a colour-blind eye tells
// apart (blue to yellow, no red against green) and a lightness that falls level by level, so the
// nested bands stay apart printed in grey too.
constexpr QRgb kLevelColours[kDoriLevels.size()] = {
    0xfde725,  // Monitor
    0x7ad151,  // Detect
    0x22a884,  // Observe
    0x2a788e,  // Recognise
    0x414487,  // Identify
    0x440154,  // Inspect
};

}  // namespace

QColor LevelColour(int level, bool darkPalette) {
    if (level < 0 || level >= static_cast<int>(kDoriLevels.size()))
        return {};
    const QColor colour = QColor::fromRgb(kLevelColours[level]);
    // On a dark background the darkest levels would sink into it: lift them, keeping their order.
    return darkPalette ? colour.lighter(100 + 12 * level) : colour;
}

QColor BlindZoneColour(bool darkPalette) {
    return darkPalette ? QColor(0xbd, 0xbd, 0xbd) : QColor(0x61, 0x61, 0x61);
}

QColor UnmetTargetColour(bool darkPalette) {
    return darkPalette ? QColor(0xff, 0x6b, 0x6b) : QColor(0xd3, 0x2f, 0x2f);
}
