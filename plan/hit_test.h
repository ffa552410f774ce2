#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "geometry.h"
#include "placed_camera.h"
#include "targets.h"

// What the pointer is on: the nearest camera, target or wall end within a pick radius.
enum class PickKind { Camera, Target, WallEnd };

struct Pick {
    PickKind kind;
    std::size_t index;  // into the cameras, the targets or the walls
    bool wallEndB;      // for a wall end: b rather than a
    double distanceM;   // from the pointer
};

// The nearest of them all within radiusM of the point (on the circle counts); none when nothing
// is. At equal distances a camera comes before a target, a target before a wall end, and each
// before a later one of its kind, so that what is drawn on top is picked.
std::optional<Pick> PickAt(Point at, double radiusM, const std::vector<PlacedCamera>& cameras,
                           const std::vector<SightTarget>& targets,
                           const std::vector<Segment>& walls);
