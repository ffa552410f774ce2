#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bands.h"
#include "design.h"
#include "placed_camera.h"
#include "targets.h"
#include "wall_index.h"

// What one plan of a design shows, worked out from the design: its walls, the cameras placed on it
// with the bands each covers (cut to what it sees from where it stands), and its targets with the
// level reached. Plain values in the plan's metres, x to the east and y to the north; the windows
// only draw them.
//
// Worked out once when a plan is shown, then kept up to date one camera at a time: moving or
// turning a camera, or editing its inputs, recomputes that camera's bands and the targets' cover,
// and nothing else. A wall change recomputes the cameras that can see the wall's old or new place.

struct SceneCamera {
    std::string id;       // the design camera's id
    std::u16string name;  // its name in the schedule; may be empty
    // Where it stands and what it covers; the bands are empty (and `camera` holds only the
    // position and heading, fov 0) when the Coverage model gives no horizontal angle of view, so
    // that a camera with unfinished inputs still shows where it stands.
    PlacedCamera camera;
    std::vector<Band> bands;  // CameraBands(camera, the plan's walls)
};

struct SceneTarget {
    std::string id;
    std::u16string name;
    Point position;
    int requiredLevel = 0;  // an index into kDoriLevels
    // The level reached and by which scene camera (an index into PlanScene::cameras).
    TargetCover cover;
};

struct PlanScene {
    std::string planId;
    std::vector<Segment> walls;        // the plan's walls, in the plan's order
    std::vector<SceneCamera> cameras;  // those placed on the plan, in the design's order
    std::vector<SceneTarget> targets;  // the plan's targets, in the plan's order
    // The walls grouped by where they lie (wall_index.h), so that a camera meets only those within
    // its range: a camera among thousands of walls is recomputed in well under a millisecond.
    // Over `walls`; shared by copies of the scene; none in a scene not built here (then every
    // wall is weighed).
    std::shared_ptr<const WallIndex> wallIndex;
};

// The scene of the plan `planId` of the design; an empty scene (no walls, cameras or targets)
// when the design has no such plan.
PlanScene BuildPlanScene(const Design& design, std::string_view planId);

// The scene after the one camera `cameraId` changed (moved, turned, new inputs, placed on or taken
// off this plan): that camera recomputed, and every target's cover. The same as BuildPlanScene on
// `design`, at the cost of one camera.
PlanScene UpdateCamera(PlanScene scene, const Design& design, std::string_view cameraId);

// The camera as a drag shows it at each step: moved to `position` and turned to `headingDeg`, its
// levels kept (its inputs have not changed), its bands cut again by the scene's walls.
SceneCamera MovedCamera(const PlanScene& scene, const SceneCamera& camera, Point position,
                        double headingDeg);

// The scene after the plan's walls changed: the walls and their index anew, and the cameras whose
// view the change can alter (those within range of a wall added, removed or moved) recomputed.
PlanScene UpdateWalls(PlanScene scene, const Design& design);

// The scene after the plan's targets changed (added, moved, renamed, given another level,
// removed), its cameras and walls as they were: the targets anew and their cover.
PlanScene UpdateTargets(PlanScene scene, const Design& design);

// The targets met and the targets there are, over all the design's plans: "targets met: n of m".
struct TargetsMet {
    std::size_t met = 0;
    std::size_t total = 0;
};
// `exceptPlan`: a plan left out (the one a window shows, whose scene it has).
TargetsMet CountTargetsMet(const Design& design, std::string_view exceptPlan = {});
