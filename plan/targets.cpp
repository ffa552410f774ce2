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

TargetCover CoverFrom(const std::vector<std::optional<int>>& levels, int requiredLevel) {
    TargetCover cover;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const std::optional<int>& level = levels[i];
        if (level && (!cover.bestLevel || *level > *cover.bestLevel)) {
            cover.bestLevel = level;
            cover.camera = i;
        }
    }
    cover.met = cover.bestLevel && *cover.bestLevel >= requiredLevel;
    return cover;
}

TargetCover CoverOf(const SightTarget& target, const std::vector<PlacedCamera>& cameras,
                    const std::vector<Segment>& walls) {
    std::vector<std::optional<int>> levels;
    levels.reserve(cameras.size());
    for (const PlacedCamera& camera : cameras)
        levels.push_back(LevelSeen(camera, walls, target.position));
    return CoverFrom(levels, target.requiredLevel);
}
