#include "coverage_picture_scene.h"

#include <algorithm>
#include <cmath>

#include "mounting_geometry.h"

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

bool Finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
}

bool Positive(const std::optional<double>& value) {
    return Finite(value) && *value > 0;
}

bool NotNegative(const std::optional<double>& value) {
    return Finite(value) && *value >= 0;
}

// Half an angle of view, above 0 and below a quarter turn.
std::optional<double> HalfAngleRad(const std::optional<double>& degrees) {
    if (!Positive(degrees) || *degrees >= 180)
        return std::nullopt;
    return *degrees / 2 * kRadiansPerDegree;
}

// Without mounting a level is the highest one reached between the next level's farthest depth
// and its own.
std::optional<std::vector<LevelBand>> BandsByDepth(const CoverageFigures& figures) {
    std::vector<LevelBand> bands;
    double from = 0;
    for (int level = int(kDoriLevels.size()) - 1; level >= 0; --level) {
        const std::optional<double>& to = figures.dori[std::size_t(level)].farthestDepthM;
        if (!Positive(to))
            return std::nullopt;
        if (*to > from)
            bands.push_back({level, from, *to});
        from = std::max(from, *to);
    }
    return bands;
}

// With mounting the ground ranges all start at the blind zone and a lower level's reaches
// farther, so each level holds from where the next higher one ends.
std::optional<std::vector<LevelBand>> BandsOnTheGround(const CoverageFigures& figures) {
    std::vector<LevelBand> bands;
    std::optional<double> from;
    for (int level = int(kDoriLevels.size()) - 1; level >= 0; --level) {
        const auto& range = figures.dori[std::size_t(level)].groundRangeM;
        if (!range)
            return std::nullopt;
        if (!*range)
            continue;  // reached nowhere
        const GroundRange& reach = **range;
        if (!std::isfinite(reach.nearM) || !std::isfinite(reach.farM) || reach.nearM < 0)
            return std::nullopt;
        const double start = std::max(from.value_or(reach.nearM), reach.nearM);
        if (reach.farM > start)
            bands.push_back({level, start, reach.farM});
        from = std::max(start, reach.farM);
    }
    return bands;
}

bool ReadMounting(const MountingFigures& m, PictureScene& scene) {
    if (!Positive(m.cameraHeightM) || !NotNegative(m.targetHeightM) ||
        !Positive(m.groundDistanceM) || !NotNegative(m.tiltDeg) || *m.tiltDeg > 90 ||
        !NotNegative(m.blindZoneM) || !NotNegative(m.nearEdgeGroundM) || !m.farEdgeGroundM ||
        !(*m.farEdgeGroundM > 0) || *m.cameraHeightM <= *m.targetHeightM)
        return false;
    scene.targetM = *m.groundDistanceM;
    scene.cameraHeightM = *m.cameraHeightM;
    scene.targetHeightM = *m.targetHeightM;
    scene.tiltRad = *m.tiltDeg * kRadiansPerDegree;
    scene.blindZoneM = *m.blindZoneM;
    scene.nearEdgeGroundM = *m.nearEdgeGroundM;
    scene.farEdgeGroundM = *m.farEdgeGroundM;
    scene.farAtTargetM =
        FarEdgeM(scene.cameraHeightM - scene.targetHeightM, scene.tiltRad, scene.halfAngleVRad);
    return true;
}

double ExtentM(const PictureScene& scene) {
    const double target = scene.targetM;
    double wanted = 1.3 * target;
    int bandsReached = 0;
    for (const LevelBand& band : scene.bands) {
        if (band.toM > target) {
            wanted = band.toM;
            if (++bandsReached == 2)
                break;
        }
    }
    const double extent = std::clamp(wanted, 1.3 * target, 2 * target);
    return std::max({extent, 1.15 * scene.blindZoneM, 1.15 * scene.nearEdgeGroundM});
}

}  // namespace

std::optional<PictureScene> SceneOf(const CoverageFigures& figures) {
    const std::optional<double> halfV = HalfAngleRad(figures.angleVDeg);
    const std::optional<double> halfH = HalfAngleRad(figures.angleHDeg);
    if (!halfV || !halfH || !Positive(figures.depthM) || !Positive(figures.sceneWidthM))
        return std::nullopt;
    PictureScene scene{};
    scene.mounted = figures.mounting.has_value();
    scene.halfAngleVRad = *halfV;
    scene.halfAngleHRad = *halfH;
    scene.sceneWidthM = *figures.sceneWidthM;
    if (scene.mounted) {
        if (!ReadMounting(*figures.mounting, scene))
            return std::nullopt;
    } else {
        scene.targetM = *figures.depthM;
        scene.cameraHeightM = kFaceHeightM;
        scene.targetHeightM = kFaceHeightM;
        scene.nearEdgeGroundM = NearEdgeM(kFaceHeightM, 0, scene.halfAngleVRad);
        scene.farEdgeGroundM = FarEdgeM(kFaceHeightM, 0, scene.halfAngleVRad);
        scene.farAtTargetM = scene.farEdgeGroundM;
    }
    auto bands = scene.mounted ? BandsOnTheGround(figures) : BandsByDepth(figures);
    if (!bands)
        return std::nullopt;
    scene.bands = std::move(*bands);
    scene.extentM = ExtentM(scene);
    return scene;
}

double HalfWidthAt(const PictureScene& scene, double distanceM) {
    const double depthM = distanceM * std::cos(scene.tiltRad) +
                          (scene.cameraHeightM - scene.targetHeightM) * std::sin(scene.tiltRad);
    return depthM * std::tan(scene.halfAngleHRad);
}
