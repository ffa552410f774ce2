#pragma once

#include <QColor>
#include <array>

#include "coverage.h"

// How the user chose to see the bands on a plan, and the colours they are drawn in.
struct PlanLook {
    // Per level of kDoriLevels, in its order: whether its band is drawn.
    std::array<bool, kDoriLevels.size()> levelShown{true, true, true, true, true, true};
    bool blindZoneShown = true;
    double opacity = 0.45;  // of the bands' fill, 0 to 1
    bool labels = true;     // the cameras' names beside them
};

// A level's band colour (an index into kDoriLevels). The colours read on a light and on a dark
// background and for colour-blind users: each level also differs from the next in lightness, so
// that the bands stay apart in grey.
QColor LevelColour(int level, bool darkPalette);
// The blind zone's hatching colour.
QColor BlindZoneColour(bool darkPalette);
// What an unmet target is drawn in.
QColor UnmetTargetColour(bool darkPalette);
