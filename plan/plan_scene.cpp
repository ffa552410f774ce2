#include "plan_scene.h"

#include <algorithm>
#include <iterator>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "design_edits.h"
#include "wall_index.h"

namespace {

// How far past a camera's farthest band the walls it is given reach: far ranges of a kilometre
// and more round off more than kPlanToleranceM.
constexpr double kReachMargin = 1e-9;

std::vector<Segment> WallsOf(const Plan& plan) {
    std::vector<Segment> walls;
    walls.reserve(plan.walls.size());
    for (const Wall& wall : plan.walls)
        walls.push_back({{wall.x1, wall.y1}, {wall.x2, wall.y2}});
    return walls;
}

std::vector<SceneTarget> TargetsOf(const Plan& plan) {
    std::vector<SceneTarget> targets;
    targets.reserve(plan.targets.size());
    for (const Target& target : plan.targets)
        targets.push_back({target.id, target.name, {target.x, target.y}, target.level, {}});
    return targets;
}

void SetWalls(PlanScene& scene, std::vector<Segment> walls) {
    auto index = std::make_shared<WallIndex>(std::move(walls));
    scene.walls = index->Walls();
    scene.wallIndex = std::move(index);
}

// The walls that may cut the camera's bands: those within its reach, in the plan's order. The
// same bands as among all the walls, as CameraBands sets aside the walls out of reach anyway.
std::vector<Segment> WallsInReach(const PlanScene& scene, const PlacedCamera& camera) {
    if (!scene.wallIndex)
        return scene.walls;
    const double reachM = FarthestReachM(camera);
    return scene.wallIndex->WallsWithin(camera.position, reachM * (1 + kReachMargin));
}

std::vector<Band> BandsOf(const PlanScene& scene, const PlacedCamera& camera) {
    if (!(camera.fovDeg > 0))
        return {};
    return CameraBands(camera, WallsInReach(scene, camera));
}

bool OnPlan(const Camera& camera, const std::string& planId) {
    return camera.placement && camera.placement->plan == planId;
}

SceneCamera SceneCameraOf(const Camera& camera, const PlanScene& scene, bool withBands = true) {
    const CameraPlacement& at = *camera.placement;
    SceneCamera placed{camera.id, camera.name, {}, {}};
    const Point position{at.x, at.y};
    const Coverage coverage = ComputeCoverage(camera.inputs, NumberFormat{});
    if (std::optional<PlacedCamera> withView =
            PlaceCamera(coverage.figures, position, at.headingDeg))
        placed.camera = *withView;
    placed.camera.position = position;
    placed.camera.headingDeg = at.headingDeg;
    if (withBands)
        placed.bands = BandsOf(scene, placed.camera);
    return placed;
}

// The walls that bound a camera's bands: parts of the plan's walls, few, and the nearest in
// sight, so that most lines of sight that walls stop are found stopped among them alone.
std::vector<Segment> BandWalls(const SceneCamera& camera) {
    std::vector<Segment> walls;
    for (const Band& band : camera.bands) {
        for (const ViewSpan& span : band.view.spans) {
            if (span.wall)
                walls.push_back(*span.wall);
        }
    }
    return walls;
}

// LevelSeen among the scene's walls, at the cost of a few comparisons for most pairs of a camera
// and a target: only when the distance is within a level's range and the point within the wedge
// are walls weighed; first the walls of the camera's bands, which stop the line of sight only
// where a whole wall does; then, for a line they do not stop, the walls the index gives about it
// (any wall that stops it crosses it, and so meets the disc on it as a diameter).
std::optional<int> LevelSeenIn(const PlanScene& scene, const SceneCamera& camera,
                               const std::vector<Segment>& bandWalls, Point point) {
    const PlacedCamera& at = camera.camera;
    const double distanceM = Distance(at.position, point);
    const bool inSomeRange =
        std::any_of(at.levels.begin(), at.levels.end(), [&](const auto& range) {
            return range && distanceM >= range->nearM - kPlanToleranceM &&
                   distanceM <= range->farM + kPlanToleranceM;
        });
    if (!inSomeRange || !InSight(at.position, at.headingDeg, at.fovDeg, bandWalls, point))
        return std::nullopt;
    if (!scene.wallIndex)
        return LevelSeen(at, scene.walls, point);
    const Point middle = 0.5 * (at.position + point);
    return LevelSeen(at, scene.wallIndex->WallsWithin(middle, distanceM / 2), point);
}

TargetCover CoverIn(const PlanScene& scene, const std::vector<std::vector<Segment>>& bandWalls,
                    const SceneTarget& target) {
    std::vector<std::optional<int>> levels;
    levels.reserve(scene.cameras.size());
    for (std::size_t i = 0; i < scene.cameras.size(); ++i)
        levels.push_back(LevelSeenIn(scene, scene.cameras[i], bandWalls[i], target.position));
    return CoverFrom(levels, target.requiredLevel);
}

std::vector<std::vector<Segment>> AllBandWalls(const PlanScene& scene) {
    std::vector<std::vector<Segment>> walls;
    walls.reserve(scene.cameras.size());
    for (const SceneCamera& camera : scene.cameras)
        walls.push_back(BandWalls(camera));
    return walls;
}

void CoverTargets(PlanScene& scene) {
    const std::vector<std::vector<Segment>> bandWalls = AllBandWalls(scene);
    for (SceneTarget& target : scene.targets)
        target.cover = CoverIn(scene, bandWalls, target);
}

// The cover after only camera `changed` changed, the others as they were and in their places:
// worked out again over all cameras only for a target that camera was the best for.
void CoverTargetsAfter(PlanScene& scene, std::size_t changed) {
    const std::vector<Segment> changedWalls = BandWalls(scene.cameras[changed]);
    std::optional<std::vector<std::vector<Segment>>> bandWalls;
    for (SceneTarget& target : scene.targets) {
        TargetCover& cover = target.cover;
        if (cover.camera == changed) {
            if (!bandWalls)
                bandWalls = AllBandWalls(scene);
            cover = CoverIn(scene, *bandWalls, target);
            continue;
        }
        const std::optional<int> level =
            LevelSeenIn(scene, scene.cameras[changed], changedWalls, target.position);
        if (level && (!cover.bestLevel || *level > *cover.bestLevel ||
                      (*level == *cover.bestLevel && changed < *cover.camera))) {
            cover.bestLevel = level;
            cover.camera = changed;
            cover.met = *level >= target.requiredLevel;
        }
    }
}

bool SameCameraIds(const std::vector<SceneCamera>& before, const std::vector<SceneCamera>& after) {
    return std::equal(before.begin(), before.end(), after.begin(), after.end(),
                      [](const SceneCamera& p, const SceneCamera& q) { return p.id == q.id; });
}

// The walls in one list and not the other, either way round, each as often as it is in one more
// than in the other.
std::vector<Segment> ChangedWalls(std::vector<Segment> before, std::vector<Segment> after) {
    const auto order = [](const Segment& p, const Segment& q) {
        return std::tie(p.a.x, p.a.y, p.b.x, p.b.y) < std::tie(q.a.x, q.a.y, q.b.x, q.b.y);
    };
    std::sort(before.begin(), before.end(), order);
    std::sort(after.begin(), after.end(), order);
    std::vector<Segment> changed;
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::back_inserter(changed), order);
    return changed;
}

// The scene; without bands, what only the targets' cover needs.
PlanScene SceneOf(const Design& design, std::string_view planId, bool withBands) {
    PlanScene scene;
    const Plan* plan = FindPlan(design, planId);
    if (!plan)
        return scene;
    scene.planId = plan->id;
    SetWalls(scene, WallsOf(*plan));
    std::vector<const Camera*> placed;
    for (const Camera& camera : design.cameras) {
        if (OnPlan(camera, plan->id))
            placed.push_back(&camera);
    }
    // Each camera's bands depend on the walls alone: the many cameras of a large site are
    // shared out between the machine's cores, each worker writing only its own slots.
    scene.cameras.resize(placed.size());
    const std::size_t workers = std::clamp<std::size_t>(
        std::thread::hardware_concurrency(), 1, std::max<std::size_t>(1, placed.size() / 16));
    const auto work = [&](std::size_t first) {
        for (std::size_t i = first; i < placed.size(); i += workers)
            scene.cameras[i] = SceneCameraOf(*placed[i], scene, withBands);
    };
    std::vector<std::thread> helpers;
    for (std::size_t worker = 1; worker < workers; ++worker)
        helpers.emplace_back(work, worker);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    scene.targets = TargetsOf(*plan);
    CoverTargets(scene);
    return scene;
}

}  // namespace

PlanScene BuildPlanScene(const Design& design, std::string_view planId) {
    return SceneOf(design, planId, true);
}

PlanScene UpdateCamera(PlanScene scene, const Design& design, std::string_view cameraId) {
    const Plan* plan = FindPlan(design, scene.planId);
    if (!plan)
        return BuildPlanScene(design, scene.planId);
    std::unordered_map<std::string_view, std::size_t> before;
    for (std::size_t i = 0; i < scene.cameras.size(); ++i)
        before.emplace(scene.cameras[i].id, i);
    std::vector<SceneCamera> cameras;
    std::optional<std::size_t> changed;
    for (const Camera& camera : design.cameras) {
        if (!OnPlan(camera, plan->id))
            continue;
        const auto kept = before.find(camera.id);
        if (camera.id == cameraId || kept == before.end()) {
            changed = cameras.size();
            cameras.push_back(SceneCameraOf(camera, scene));
        } else {
            cameras.push_back(scene.cameras[kept->second]);
            cameras.back().name = camera.name;
        }
    }
    const bool sameCameras = changed && SameCameraIds(scene.cameras, cameras);
    scene.cameras = std::move(cameras);
    std::vector<SceneTarget> targets = TargetsOf(*plan);
    const bool sameTargets =
        std::equal(targets.begin(), targets.end(), scene.targets.begin(), scene.targets.end(),
                   [](const SceneTarget& p, const SceneTarget& q) {
                       return p.id == q.id && p.position.x == q.position.x &&
                              p.position.y == q.position.y && p.requiredLevel == q.requiredLevel;
                   });
    if (sameCameras && sameTargets) {
        for (std::size_t i = 0; i < targets.size(); ++i)
            scene.targets[i].name = targets[i].name;
        CoverTargetsAfter(scene, *changed);
    } else {
        scene.targets = std::move(targets);
        CoverTargets(scene);
    }
    return scene;
}

SceneCamera MovedCamera(const PlanScene& scene, const SceneCamera& camera, Point position,
                        double headingDeg) {
    SceneCamera moved = camera;
    moved.camera.position = position;
    moved.camera.headingDeg = headingDeg;
    moved.bands = BandsOf(scene, moved.camera);
    return moved;
}

PlanScene UpdateTargets(PlanScene scene, const Design& design) {
    const Plan* plan = FindPlan(design, scene.planId);
    if (!plan)
        return BuildPlanScene(design, scene.planId);
    scene.targets = TargetsOf(*plan);
    CoverTargets(scene);
    return scene;
}

PlanScene UpdateWalls(PlanScene scene, const Design& design) {
    const Plan* plan = FindPlan(design, scene.planId);
    if (!plan)
        return BuildPlanScene(design, scene.planId);
    std::vector<Segment> walls = WallsOf(*plan);
    const std::vector<Segment> changed = ChangedWalls(scene.walls, walls);
    SetWalls(scene, std::move(walls));
    for (SceneCamera& camera : scene.cameras) {
        // A wall outside the camera's wedge or beyond its reach changes none of its bands.
        const PlacedCamera& at = camera.camera;
        const double reachM = FarthestReachM(at) * (1 + kReachMargin) + kPlanToleranceM;
        const bool inReach = std::any_of(changed.begin(), changed.end(), [&](const Segment& wall) {
            return !WallsInSight(at.position, at.headingDeg, at.fovDeg, reachM, {wall}).empty();
        });
        if (inReach)
            camera.bands = BandsOf(scene, camera.camera);
    }
    CoverTargets(scene);
    return scene;
}

TargetsMet CountTargetsMet(const Design& design, std::string_view exceptPlan) {
    TargetsMet count;
    for (const Plan& plan : design.plans) {
        if (plan.targets.empty() || plan.id == exceptPlan)
            continue;
        const PlanScene scene = SceneOf(design, plan.id, false);
        count.total += scene.targets.size();
        count.met += static_cast<std::size_t>(
            std::count_if(scene.targets.begin(), scene.targets.end(),
                          [](const SceneTarget& target) { return target.cover.met; }));
    }
    return count;
}
