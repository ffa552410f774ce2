#include "bands.h"

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

std::vector<Band> CameraBands(const PlacedCamera& camera, const std::vector<Segment>& walls,
                              double arcToleranceM) {
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
