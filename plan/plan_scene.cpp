#include "plan_scene.h"

#include <algorithm>

#include "design_edits.h"

namespace {

std::vector<Segment> WallsOf(const Plan& plan) {
    std::vector<Segment> walls;
    walls.reserve(plan.walls.size());
    for (const Wall& wall : plan.walls)
        walls.push_back({{wall.x1, wall.y1}, {wall.x2, wall.y2}});
    return walls;
}

SceneCamera SceneCameraOf(const Camera& camera, const std::vector<Segment>& walls) {
    const CameraPlacement& at = *camera.placement;
    SceneCamera scene{camera.id, camera.name, {}, {}};
    const Point position{at.x, at.y};
    const Coverage coverage = ComputeCoverage(camera.inputs, NumberFormat{});
    if (std::optional<PlacedCamera> placed =
            PlaceCamera(coverage.figures, position, at.headingDeg)) {
        scene.camera = *placed;
        scene.bands = CameraBands(scene.camera, walls);
    } else {
        scene.camera.position = position;
        scene.camera.headingDeg = at.headingDeg;
    }
    return scene;
}

void CoverTargets(PlanScene& scene) {
    std::vector<PlacedCamera> cameras;
    cameras.reserve(scene.cameras.size());
    for (const SceneCamera& camera : scene.cameras)
        cameras.push_back(camera.camera);
    for (SceneTarget& target : scene.targets)
        target.cover = CoverOf({target.position, target.requiredLevel}, cameras, scene.walls);
}

}  // namespace

PlanScene BuildPlanScene(const Design& design, std::string_view planId) {
    PlanScene scene;
    const Plan* plan = FindPlan(design, planId);
    if (!plan)
        return scene;
    scene.planId = plan->id;
    scene.walls = WallsOf(*plan);
    for (const Camera& camera : design.cameras)
        if (camera.placement && camera.placement->plan == plan->id)
            scene.cameras.push_back(SceneCameraOf(camera, scene.walls));
    for (const Target& target : plan->targets)
        scene.targets.push_back({target.id, target.name, {target.x, target.y}, target.level, {}});
    CoverTargets(scene);
    return scene;
}

PlanScene UpdateCamera(PlanScene scene, const Design& design, std::string_view) {
    return BuildPlanScene(design, scene.planId);
}

SceneCamera MovedCamera(const PlanScene& scene, const SceneCamera& camera, Point position,
                        double headingDeg) {
    SceneCamera moved = camera;
    moved.camera.position = position;
    moved.camera.headingDeg = headingDeg;
    moved.bands =
        moved.camera.fovDeg > 0 ? CameraBands(moved.camera, scene.walls) : std::vector<Band>{};
    return moved;
}

PlanScene UpdateWalls(PlanScene scene, const Design& design) {
    return BuildPlanScene(design, scene.planId);
}

TargetsMet CountTargetsMet(const Design& design) {
    TargetsMet count;
    for (const Plan& plan : design.plans) {
        const PlanScene scene = BuildPlanScene(design, plan.id);
        count.total += scene.targets.size();
        count.met += static_cast<std::size_t>(
            std::count_if(scene.targets.begin(), scene.targets.end(),
                          [](const SceneTarget& target) { return target.cover.met; }));
    }
    return count;
}
