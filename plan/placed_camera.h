#pragma once

#include <array>
#include <optional>

#include "coverage.h"
#include "geometry.h"

// A camera on the site plan: where it stands, which way it looks, and what the Coverage model
// gives for it on the ground. Lengths in metres, angles in degrees.
struct PlacedCamera {
    Point position;
    double headingDeg = 0;  // the lens axis's bearing, counter-clockwise from +x
    double fovDeg = 0;      // the horizontal angle of view, centred on the heading
    // Per level of kDoriLevels, in its order, the ground distances from the camera over which a
    // target is seen at that level; none where the level is reached nowhere (or a figure it
    // needs is bad).
    std::array<std::optional<GroundRange>, kDoriLevels.size()> levels;
    // How far from the pole a target at its height is below the view; none without mounting,
    // where it is 0, or where the target is below the view everywhere.
    std::optional<double> blindZoneM;
};

// The camera as the Coverage figures describe it, standing at a point with a heading; none
// without a horizontal angle of view. With mounting the levels are the ground ranges
// (DoriFigures::groundRangeM); without, the camera looks level at the target, so a level is
// reached from the camera out to its farthest depth (DoriFigures::farthestDepthM), and the plan
// draws that depth as a distance along the ground.
std::optional<PlacedCamera> PlaceCamera(const CoverageFigures& figures, Point position,
                                        double headingDeg);
