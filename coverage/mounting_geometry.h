#pragma once

#include <optional>

// A camera on a pole above the target, seen from the side. Lengths in metres, angles in radians.
// Ground distances are measured from the foot of the pole. The tilt is the lens axis's angle
// below the horizontal, from 0 to π/2; the half angle is half the vertical angle of view, above
// 0 and below π/2; a height above is the camera's height above the height looked at, above 0.

// The tilt that aims the lens axis at a target: atan(Δh / Dg).
double AimedTiltRad(double heightAboveTargetM, double groundDistanceM);

// The target's depth along the lens axis: Dg·cosθ + Δh·sinθ (the line of sight when aimed).
double DepthAlongAxisM(double groundDistanceM, double heightAboveTargetM, double tiltRad);

// Where the lower edge of the view meets the height looked at: Δh / tan(θ + φ), or 0 when that
// edge points straight down or behind the pole.
double NearEdgeM(double heightAboveM, double tiltRad, double halfAngleRad);

// Where the upper edge of the view meets the height looked at: Δh / tan(θ − φ), or +infinity when
// that edge is level or above the horizon.
double FarEdgeM(double heightAboveM, double tiltRad, double halfAngleRad);

// The ground distances over which a target, at the height the camera is Δh above, is inside the
// view and near enough along the lens axis for a density: from the near edge at the target's
// height to whichever comes first of the far edge there and the ground distance whose depth is
// the level's farthest depth, (Dmax − Δh·sinθ) / cosθ. The axis keeps the tilt in force, so the
// range is what the camera as mounted covers when the target walks towards it or away from it.
// Always finite. No value when no ground distance does both.
struct GroundRange {
    double nearM;
    double farM;
};
std::optional<GroundRange> LevelGroundRange(double farthestDepthM, double heightAboveTargetM,
                                            double tiltRad, double halfAngleRad);
