#include "placed_camera.h"

#include <cmath>
#include <cstddef>

std::optional<PlacedCamera> PlaceCamera(const CoverageFigures& figures, Point position,
                                        double headingDeg) {
    if (!figures.angleHDeg)
        return std::nullopt;
    PlacedCamera camera;
    camera.position = position;
    camera.headingDeg = headingDeg;
    camera.fovDeg = *figures.angleHDeg;
    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        const DoriFigures& level = figures.dori[i];
        if (figures.mounting) {
            if (level.groundRangeM && *level.groundRangeM)
                camera.levels[i] = **level.groundRangeM;
        } else if (level.farthestDepthM && *level.farthestDepthM > 0) {
            camera.levels[i] = GroundRange{0, *level.farthestDepthM};
        }
    }
    if (figures.mounting) {
        const std::optional<double>& blind = figures.mounting->blindZoneM;
        if (blind && std::isfinite(*blind) && *blind > 0)
            camera.blindZoneM = *blind;
    }
    return camera;
}
