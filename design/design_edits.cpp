#include "design_edits.h"

#include <algorithm>
#include <cmath>

#include "camera_inputs.h"

namespace {

constexpr std::u16string_view kCameraPrefix = u"Camera ";

// N of a name "Camera N" (N written without leading zeros, at most nine digits), or no value.
std::optional<std::uint64_t> CameraNameNumber(std::u16string_view name) {
    if (name.substr(0, kCameraPrefix.size()) != kCameraPrefix)
        return std::nullopt;
    const std::u16string_view digits = name.substr(kCameraPrefix.size());
    if (digits.empty() || digits.size() > 9 || digits[0] == u'0')
        return std::nullopt;
    std::uint64_t number = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - u'0');
    }
    return number;
}

bool Listed(const std::vector<std::string>& ids, const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

Plan* PlanOf(Design& design, std::string_view id) {
    return const_cast<Plan*>(FindPlan(design, id));
}

Target* TargetOf(Design& design, std::string_view id) {
    for (Plan& plan : design.plans) {
        for (Target& target : plan.targets) {
            if (target.id == id)
                return &target;
        }
    }
    return nullptr;
}

bool WithinExtent(PlanPoint point) {
    return WithinPlanExtent(point.x) && WithinPlanExtent(point.y);
}

bool ValidLevel(int level) {
    return level >= 0 && level < static_cast<int>(kDoriLevels.size());
}

}  // namespace

const Camera* FindCamera(const Design& design, std::string_view id) {
    const std::optional<std::size_t> index = CameraIndex(design, id);
    return index ? &design.cameras[*index] : nullptr;
}

std::optional<std::size_t> CameraIndex(const Design& design, std::string_view id) {
    for (std::size_t i = 0; i < design.cameras.size(); ++i) {
        if (design.cameras[i].id == id)
            return i;
    }
    return std::nullopt;
}

std::string NextCameraId(const Design& design) {
    return "c" + std::to_string(design.nextCameraNumber);
}

std::u16string NumberedCameraName(std::uint64_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(kCameraPrefix) + std::u16string(digits.begin(), digits.end());
}

std::uint64_t HighestCameraNameNumber(const Design& design) {
    std::uint64_t highest = 0;
    for (const Camera& camera : design.cameras)
        highest = std::max(highest, CameraNameNumber(camera.name).value_or(0));
    return highest;
}

std::u16string NextFreeCameraName(const Design& design) {
    return NumberedCameraName(HighestCameraNameNumber(design) + 1);
}

Design WithName(Design design, std::u16string name) {
    design.name = std::move(name);
    return design;
}

Design WithNotes(Design design, std::u16string notes) {
    design.notes = std::move(notes);
    return design;
}

Design WithUnit(Design design, LengthUnit unit) {
    design.unit = unit;
    return design;
}

Design WithCamera(Design design, std::string_view id, const CoverageInputs& inputs) {
    if (const std::optional<std::size_t> index = CameraIndex(design, id))
        design.cameras[*index].inputs = inputs;
    return design;
}

Design WithCameraName(Design design, std::string_view id, std::u16string name) {
    if (const std::optional<std::size_t> index = CameraIndex(design, id))
        design.cameras[*index].name = std::move(name);
    return design;
}

Design AddCamera(Design design, std::string_view afterId) {
    const std::optional<std::size_t> index = CameraIndex(design, afterId);
    Camera camera{NextCameraId(design),
                  NextFreeCameraName(design),
                  index ? design.cameras[*index].inputs : DefaultCameraInputs(design.unit),
                  {},
                  {},
                  {}};
    ++design.nextCameraNumber;
    const auto place = index ? design.cameras.begin() + static_cast<std::ptrdiff_t>(*index + 1)
                             : design.cameras.end();
    design.cameras.insert(place, std::move(camera));
    return design;
}

Design DuplicateCameras(Design design, const std::vector<std::string>& ids) {
    std::uint64_t nameNumber = HighestCameraNameNumber(design);
    std::vector<Camera> cameras;
    cameras.reserve(design.cameras.size() + ids.size());
    for (Camera& camera : design.cameras) {
        const bool listed = Listed(ids, camera.id);
        cameras.push_back(std::move(camera));
        if (listed) {
            cameras.push_back({NextCameraId(design),
                               NumberedCameraName(++nameNumber),
                               cameras.back().inputs,
                               {},
                               {},
                               {}});
            ++design.nextCameraNumber;
        }
    }
    design.cameras = std::move(cameras);
    return design;
}

Design RemoveCameras(Design design, const std::vector<std::string>& ids) {
    auto& cameras = design.cameras;
    cameras.erase(std::remove_if(cameras.begin(), cameras.end(),
                                 [&](const Camera& camera) { return Listed(ids, camera.id); }),
                  cameras.end());
    return design;
}

Design MoveCamera(Design design, std::string_view id, std::size_t newIndex) {
    const std::optional<std::size_t> index = CameraIndex(design, id);
    if (!index)
        return design;
    auto& cameras = design.cameras;
    const std::size_t target = std::min(newIndex, cameras.size() - 1);
    const auto from = cameras.begin() + static_cast<std::ptrdiff_t>(*index);
    const auto to = cameras.begin() + static_cast<std::ptrdiff_t>(target);
    if (target < *index)
        std::rotate(to, from, from + 1);
    else
        std::rotate(from, from + 1, to + 1);
    return design;
}

const Plan* FindPlan(const Design& design, std::string_view id) {
    for (const Plan& plan : design.plans) {
        if (plan.id == id)
            return &plan;
    }
    return nullptr;
}

std::string NextPlanId(const Design& design) {
    return "p" + std::to_string(design.nextPlanNumber);
}

std::string NextTargetId(const Design& design) {
    return "t" + std::to_string(design.nextTargetNumber);
}

Design AddPlan(Design design, std::u16string name) {
    Plan plan;
    plan.id = NextPlanId(design);
    plan.name = std::move(name);
    ++design.nextPlanNumber;
    design.plans.push_back(std::move(plan));
    return design;
}

Design RenamePlan(Design design, std::string_view planId, std::u16string name) {
    if (Plan* plan = PlanOf(design, planId))
        plan->name = std::move(name);
    return design;
}

Design RemovePlan(Design design, std::string_view planId) {
    const auto gone = std::remove_if(design.plans.begin(), design.plans.end(),
                                     [&](const Plan& plan) { return plan.id == planId; });
    if (gone == design.plans.end())
        return design;
    design.plans.erase(gone, design.plans.end());
    for (Camera& camera : design.cameras) {
        if (camera.placement && camera.placement->plan == planId)
            camera.placement.reset();
    }
    return design;
}

Design SetPlanImage(Design design, std::string_view planId, std::optional<std::string> sha256,
                    int page) {
    Plan* plan = PlanOf(design, planId);
    if (plan && (!sha256 || IsSha256Hex(*sha256)) && page >= 0 && page <= kLastPlanImagePage) {
        plan->image = std::move(sha256);
        plan->imagePage = plan->image ? page : 0;
    }
    return design;
}

Design SetPlanScale(Design design, std::string_view planId, std::optional<double> metresPerPixel,
                    PlanPoint origin) {
    Plan* plan = PlanOf(design, planId);
    if (plan && (!metresPerPixel || ValidMetresPerPixel(*metresPerPixel)) && WithinExtent(origin)) {
        plan->metresPerPixel = metresPerPixel;
        plan->origin = origin;
    }
    return design;
}

Design RescalePlan(Design design, std::string_view planId, double metresPerPixel) {
    Plan* plan = PlanOf(design, planId);
    if (!plan || !ValidMetresPerPixel(metresPerPixel))
        return design;
    const double ratio = metresPerPixel / plan->metresPerPixel.value_or(kUnscaledMetresPerPixel);
    const PlanPoint origin = plan->origin;
    const auto scaled = [&](double& x, double& y) {
        x = origin.x + (x - origin.x) * ratio;
        y = origin.y + (y - origin.y) * ratio;
        return WithinExtent({x, y});
    };
    Design next = design;
    Plan& rescaled = *PlanOf(next, planId);
    rescaled.metresPerPixel = metresPerPixel;
    bool within = true;
    for (Wall& wall : rescaled.walls)
        within = scaled(wall.x1, wall.y1) && scaled(wall.x2, wall.y2) && within;
    for (Target& target : rescaled.targets)
        within = scaled(target.x, target.y) && within;
    for (Camera& camera : next.cameras) {
        if (camera.placement && camera.placement->plan == planId)
            within = scaled(camera.placement->x, camera.placement->y) && within;
    }
    return within ? next : design;
}

Design AddWall(Design design, std::string_view planId, Wall wall) {
    Plan* plan = PlanOf(design, planId);
    if (plan && WithinExtent({wall.x1, wall.y1}) && WithinExtent({wall.x2, wall.y2}))
        plan->walls.push_back(wall);
    return design;
}

Design MoveWallVertex(Design design, std::string_view planId, std::size_t wall, int end,
                      PlanPoint to) {
    Plan* plan = PlanOf(design, planId);
    if (!plan || wall >= plan->walls.size() || (end != 0 && end != 1) || !WithinExtent(to))
        return design;
    Wall& moved = plan->walls[wall];
    (end == 0 ? moved.x1 : moved.x2) = to.x;
    (end == 0 ? moved.y1 : moved.y2) = to.y;
    return design;
}

Design RemoveWall(Design design, std::string_view planId, std::size_t wall) {
    Plan* plan = PlanOf(design, planId);
    if (plan && wall < plan->walls.size())
        plan->walls.erase(plan->walls.begin() + static_cast<std::ptrdiff_t>(wall));
    return design;
}

Design AddTarget(Design design, std::string_view planId, std::u16string name, PlanPoint at,
                 int level) {
    Plan* plan = PlanOf(design, planId);
    if (!plan || !WithinExtent(at) || !ValidLevel(level))
        return design;
    plan->targets.push_back({NextTargetId(design), std::move(name), at.x, at.y, level, {}});
    ++design.nextTargetNumber;
    return design;
}

Design MoveTarget(Design design, std::string_view targetId, PlanPoint to) {
    Target* target = TargetOf(design, targetId);
    if (target && WithinExtent(to)) {
        target->x = to.x;
        target->y = to.y;
    }
    return design;
}

Design RenameTarget(Design design, std::string_view targetId, std::u16string name) {
    if (Target* target = TargetOf(design, targetId))
        target->name = std::move(name);
    return design;
}

Design SetTargetLevel(Design design, std::string_view targetId, int level) {
    Target* target = TargetOf(design, targetId);
    if (target && ValidLevel(level))
        target->level = level;
    return design;
}

Design RemoveTarget(Design design, std::string_view targetId) {
    for (Plan& plan : design.plans) {
        auto& targets = plan.targets;
        targets.erase(std::remove_if(targets.begin(), targets.end(),
                                     [&](const Target& target) { return target.id == targetId; }),
                      targets.end());
    }
    return design;
}

Design PlaceCamera(Design design, std::string_view cameraId, std::string_view planId, PlanPoint at,
                   double headingDeg) {
    const std::optional<std::size_t> index = CameraIndex(design, cameraId);
    if (index && FindPlan(design, planId) && WithinExtent(at) && std::isfinite(headingDeg)) {
        design.cameras[*index].placement =
            CameraPlacement{std::string(planId), at.x, at.y, headingDeg};
    }
    return design;
}

Design UnplaceCamera(Design design, std::string_view cameraId) {
    if (const std::optional<std::size_t> index = CameraIndex(design, cameraId))
        design.cameras[*index].placement.reset();
    return design;
}
