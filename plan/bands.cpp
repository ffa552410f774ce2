#include "bands.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

Band BandOf(std::optional<int> level, const PlacedCamera& camera, double nearM, double farM,
            const std::vector<Segment>& walls, double arcToleranceM) {
    Band band{level,
              VisibleView(camera.position, camera.headingDeg, camera.fovDeg, nearM, farM, walls),
              {}};
    band.pieces = Outline(band.view, arcToleranceM);
    return band;
}

}  // namespace

double FarthestReachM(const PlacedCamera& camera) {
    double farthestM = 0;
    const auto reach = [&](double farM) {
        if (std::isfinite(farM))
            farthestM = std::max(farthestM, farM);
    };
    reach(camera.blindZoneM.value_or(0));
    for (const std::optional<GroundRange>& range : camera.levels) {
        if (range)
            reach(range->farM);
    }
    return farthestM;
}

std::vector<Band> CameraBands(const PlacedCamera& camera, const std::vector<Segment>& allWalls,
                              double arcToleranceM) {
    // The bands are views of one wedge: the walls that none of them can see are found once, so
    // that each view weighs only the few in sight.
    const double farthestM = FarthestReachM(camera);
    const std::vector<Segment> walls =
        WallsInSight(camera.position, camera.headingDeg, camera.fovDeg, farthestM, allWalls);
    std::vector<Band> bands;
    if (camera.blindZoneM)
        bands.push_back(BandOf(std::nullopt, camera, 0, *camera.blindZoneM, walls, arcToleranceM));
    for (std::size_t i = 0; i < camera.levels.size(); ++i) {
        if (const std::optional<GroundRange>& range = camera.levels[i])
            bands.push_back(BandOf(static_cast<int>(i), camera, range->nearM, range->farM, walls,
                                   arcToleranceM));
    }
    return bands;
}
