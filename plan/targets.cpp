#include "targets.h"

#include "visibility.h"

std::optional<int> LevelSeen(const PlacedCamera& camera, const std::vector<Segment>& walls,
                             Point point) {
    if (!InSight(camera.position, camera.headingDeg, camera.fovDeg, walls, point))
        return std::nullopt;
    const double distance = Distance(camera.position, point);
    std::optional<int> best;
    for (std::size_t i = 0; i < camera.levels.size(); ++i) {
        const std::optional<GroundRange>& range = camera.levels[i];
        if (range && distance >= range->nearM - kPlanToleranceM &&
            distance <= range->farM + kPlanToleranceM)
            best = static_cast<int>(i);
    }
    return best;
}

TargetCover CoverOf(const SightTarget& target, const std::vector<PlacedCamera>& cameras,
                    const std::vector<Segment>& walls) {
    TargetCover cover;
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        const std::optional<int> level = LevelSeen(cameras[i], walls, target.position);
        if (level && (!cover.bestLevel || *level > *cover.bestLevel)) {
            cover.bestLevel = level;
            cover.camera = i;
        }
    }
    cover.met = cover.bestLevel && *cover.bestLevel >= target.requiredLevel;
    return cover;
}
