#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "geometry.h"
#include "placed_camera.h"

// A point on the plan that some camera must see at a level: an index into kDoriLevels.
struct SightTarget {
    Point position;
    int requiredLevel = 0;
};

// How well the cameras see a target.
struct TargetCover {
    // The highest level any camera sees the target at, and the first camera (an index into the
    // list) that does; both none when no camera sees it at any level.
    std::optional<int> bestLevel;
    std::optional<std::size_t> camera;
    bool met = false;  // bestLevel is the required level or a better one
};

// The highest level at which the camera sees the point: inside its wedge, in sight past the walls
// (InSight), at a distance within that level's ground range. The wedge's edges, the range's ends
// and a wall the point stands on count as seen, as they count as inside a band: a target exactly
// on a band's edge is covered by it.
std::optional<int> LevelSeen(const PlacedCamera& camera, const std::vector<Segment>& walls,
                             Point point);

// The cover of a target required at a level, given the level each camera sees it at (none: not
// seen), in the cameras' order.
TargetCover CoverFrom(const std::vector<std::optional<int>>& levels, int requiredLevel);

TargetCover CoverOf(const SightTarget& target, const std::vector<PlacedCamera>& cameras,
                    const std::vector<Segment>& walls);
