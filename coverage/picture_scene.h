#pragma once

#include <optional>
#include <vector>

#include "coverage.h"

// What the Coverage pictures show, worked out from the model's figures once for both views.
// Distances run along the ground from the foot of the pole (without mounting: along the lens
// axis from the camera), heights are above the ground; metres and radians. Every figure is finite
// but the far edges, which are +infinity when the view reaches the horizon.

// The person who stands at the target: 1.75 m tall, with the face the default target height
// means at 1.6 m. The target height itself is marked on or above them, so that a number plate or
// a window at another height still shows where it is.
inline constexpr double kPersonHeightM = 1.75;
inline constexpr double kFaceHeightM = 1.6;

// The distances over which a DORI level is the highest one the camera reaches.
struct LevelBand {
    int level;  // an index into kDoriLevels
    double fromM;
    double toM;  // above fromM
};

struct PictureScene {
    bool mounted;
    double targetM;  // Dg, from 0 (straight below or above the camera); without mounting the depth
    // Without mounting the camera is drawn level, at the height of the person's face. With it the
    // camera may be lower than the target.
    double cameraHeightM;
    double targetHeightM;
    double tiltRad;  // below the horizontal; negative looking up
    double halfAngleVRad;
    double halfAngleHRad;
    // Where the target's height comes into view; 0 without mounting. When the view never meets
    // that height, a distance far past any picture's reach (see kNeverM).
    double blindZoneM;
    // Where the lower edge of the view meets the ground; far past the picture (kNeverM) when the
    // view never meets it.
    double nearEdgeGroundM;
    double farEdgeGroundM;  // where its upper edge does; +infinity: to the horizon (or never)
    double farAtTargetM;    // where its upper edge passes the target's height; may be +infinity
    double sceneWidthM;     // at the target
    // False when the target is outside the view at a typed tilt: the top view then has no scene
    // width to mark at the target.
    bool targetInView;
    std::vector<LevelBand> bands;  // nearest first, none overlapping
    // How far both pictures reach at least, one distance scale for the side view and the top view:
    // the band the target stands in and the next one, at least 1.3 times the target's distance
    // and at most twice it, and past the blind zone and where the view meets the ground. Straight
    // below or above the camera, the greater of the heights stands in for the target's distance.
    double extentM;
};

// What stands for a near edge the view never reaches: this many times the greater of extentM and
// the heights, which no picture's width shows whole.
inline constexpr double kNeverM = 1000;

// No value when a figure the pictures need has none (bad input) or is out of range.
std::optional<PictureScene> SceneOf(const CoverageFigures& figures);

// Half the width of the view across, at a distance and at the target's height: the scene width
// grows with the depth along the lens axis, which under a tilt is not the distance on the ground.
// Not above 0 where that depth is not (behind the camera).
double HalfWidthAt(const PictureScene& scene, double distanceM);
