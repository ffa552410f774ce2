#include "picture_scene.h"

#include <algorithm>
#include <cmath>

#include "mounting_geometry.h"
#include "optics.h"

namespace {

bool Finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
}

bool Positive(const std::optional<double>& value) {
    return Finite(value) && *value > 0;
}

bool NotNegative(const std::optional<double>& value) {
    return Finite(value) && *value >= 0;
}

// From 0 to +infinity, not nan.
bool Distance(const std::optional<double>& value) {
    return value && *value >= 0;
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
        !NotNegative(m.groundDistanceM) || !Finite(m.tiltDeg) || std::fabs(*m.tiltDeg) > 90 ||
        !Distance(m.blindZoneM) || !Distance(m.nearEdgeGroundM) || !Distance(m.farEdgeGroundM) ||
        !m.targetInView)
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
    scene.targetInView = *m.targetInView;
    return true;
}

double ExtentM(const PictureScene& scene) {
    const double target =
        scene.targetM > 0 ? scene.targetM : std::max(scene.cameraHeightM, scene.targetHeightM);
    double wanted = 1.3 * target;
    int bandsReached = 0;
    for (const LevelBand& band : scene.bands) {
        if (band.toM > scene.targetM) {
            wanted = band.toM;
            if (++bandsReached == 2)
                break;
        }
    }
    double extent = std::clamp(wanted, 1.3 * target, 2 * target);
    for (const double edge : {scene.blindZoneM, scene.nearEdgeGroundM}) {
        if (std::isfinite(edge))
            extent = std::max(extent, 1.15 * edge);
    }
    return extent;
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
        scene.targetInView = true;
    }
    auto bands = scene.mounted ? BandsOnTheGround(figures) : BandsByDepth(figures);
    if (!bands)
        return std::nullopt;
    scene.bands = std::move(*bands);
    scene.extentM = ExtentM(scene);
    // The pictures draw the edges as lines and areas: one that never comes is drawn far away.
    const double never =
        kNeverM * std::max({scene.extentM, scene.cameraHeightM, scene.targetHeightM});
    scene.blindZoneM = std::min(scene.blindZoneM, never);
    scene.nearEdgeGroundM = std::min(scene.nearEdgeGroundM, never);
    return scene;
}

double HalfWidthAt(const PictureScene& scene, double distanceM) {
    return DepthAlongAxisM(distanceM, scene.cameraHeightM - scene.targetHeightM, scene.tiltRad) *
           std::tan(scene.halfAngleHRad);
}
