#include "mounting_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dori_levels.h"

namespace {

constexpr double kQuarterTurn = 3.14159265358979323846 / 2;

}  // namespace

double AimedTiltRad(double heightAboveTargetM, double groundDistanceM) {
    return std::atan2(heightAboveTargetM, groundDistanceM);
}

double DepthAlongAxisM(double groundDistanceM, double heightAboveTargetM, double tiltRad) {
    return groundDistanceM * std::cos(tiltRad) + heightAboveTargetM * std::sin(tiltRad);
}

double NearEdgeM(double heightAboveM, double tiltRad, double halfAngleRad) {
    if (tiltRad + halfAngleRad >= kQuarterTurn)
        return 0;
    return heightAboveM / std::tan(tiltRad + halfAngleRad);
}

double FarEdgeM(double heightAboveM, double tiltRad, double halfAngleRad) {
    if (tiltRad <= halfAngleRad)
        return std::numeric_limits<double>::infinity();
    return heightAboveM / std::tan(tiltRad - halfAngleRad);
}

std::optional<GroundRange> LevelGroundRange(double farthestDepthM, double heightAboveTargetM,
                                            double tiltRad, double halfAngleRad) {
    const double nearM = NearEdgeM(heightAboveTargetM, tiltRad, halfAngleRad);
    // Looking straight down, every ground distance in view has the same depth, Δh.
    const double cosine = std::cos(tiltRad);
    const double excess = farthestDepthM - heightAboveTargetM * std::sin(tiltRad);
    const double dense = cosine > 0    ? excess / cosine
                         : excess >= 0 ? std::numeric_limits<double>::infinity()
                                       : -1;
    const double farM = std::min(FarEdgeM(heightAboveTargetM, tiltRad, halfAngleRad), dense);
    if (farM < nearM * (1 - kLevelTolerance))
        return std::nullopt;
    return GroundRange{nearM, std::max(farM, nearM)};
}
