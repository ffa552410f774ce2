#include "mounting_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dori_levels.h"
#include "optics.h"

namespace {

constexpr double kQuarterTurn = kPi / 2;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A height above the camera is seen as its mirror image below it: the view mirrored with it
// meets the mirrored height at the same ground distances.
struct Below {
    double heightM;  // at or above 0
    double tiltRad;
};

Below Mirrored(double heightAboveM, double tiltRad) {
    return heightAboveM < 0 ? Below{-heightAboveM, -tiltRad} : Below{heightAboveM, tiltRad};
}

}  // namespace

double AimedTiltRad(double heightAboveTargetM, double groundDistanceM) {
    return std::atan2(heightAboveTargetM, groundDistanceM);
}

double DepthAlongAxisM(double groundDistanceM, double heightAboveTargetM, double tiltRad) {
    return groundDistanceM * std::cos(tiltRad) + heightAboveTargetM * std::sin(tiltRad);
}

double NearEdgeM(double heightAboveM, double tiltRad, double halfAngleRad) {
    const Below below = Mirrored(heightAboveM, tiltRad);
    const double nearEdge = below.tiltRad + halfAngleRad;  // below the horizontal
    if (below.heightM == 0)
        return std::fabs(below.tiltRad) <= halfAngleRad ? 0 : kInfinity;
    if (nearEdge >= kQuarterTurn)
        return 0;
    if (nearEdge <= 0)
        return kInfinity;
    return below.heightM / std::tan(nearEdge);
}

double FarEdgeM(double heightAboveM, double tiltRad, double halfAngleRad) {
    const Below below = Mirrored(heightAboveM, tiltRad);
    const double farEdge = below.tiltRad - halfAngleRad;
    if (below.heightM == 0 || farEdge <= 0)
        return kInfinity;
    // The near edge is then below the horizontal too: the view meets the height between them.
    return below.heightM / std::tan(farEdge);
}

double LookDownAngleDeg(double heightAboveTargetM, double groundDistanceM) {
    return std::atan2(heightAboveTargetM, groundDistanceM) * kDegreesPerRadian;
}

std::optional<GroundRange> LevelGroundRange(double farthestDepthM, double heightAboveTargetM,
                                            double tiltRad, double halfAngleRad) {
    const double nearM = NearEdgeM(heightAboveTargetM, tiltRad, halfAngleRad);
    if (std::isinf(nearM))
        return std::nullopt;
    // Looking straight down, every ground distance in view has the same depth, Δh.
    const double cosine = std::cos(tiltRad);
    const double excess = farthestDepthM - heightAboveTargetM * std::sin(tiltRad);
    const double dense = cosine > 0 ? excess / cosine : excess >= 0 ? kInfinity : -1;
    const double farM = std::min(FarEdgeM(heightAboveTargetM, tiltRad, halfAngleRad), dense);
    if (farM < nearM * (1 - kLevelTolerance))
        return std::nullopt;
    return GroundRange{nearM, std::max(farM, nearM)};
}

std::optional<double> AimedFarthestGroundM(double farthestDepthM, double heightAboveTargetM) {
    const double height = std::fabs(heightAboveTargetM);
    if (farthestDepthM < height * (1 - kLevelTolerance))
        return std::nullopt;
    return std::sqrt(std::max(0.0, (farthestDepthM - height) * (farthestDepthM + height)));
}
