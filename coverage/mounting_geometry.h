#pragma once

#include <optional>

// A camera on a pole, seen from the side. Lengths in metres, angles in radians. Ground distances
// are measured from the foot of the pole, from 0. The tilt is the lens axis's angle below the
// horizontal, from −π/2 (straight up) to π/2 (straight down); the half angle is half the vertical
// angle of view, above 0 and below π/2. A height above is the camera's height above the height
// looked at: negative where that height is above the camera (the camera looks up at it).

// The tilt that aims the lens axis at a target: atan2(Δh, Dg), negative for a target above the
// camera, ±π/2 for one straight below or above it.
double AimedTiltRad(double heightAboveTargetM, double groundDistanceM);

// The target's depth along the lens axis: Dg·cosθ + Δh·sinθ (the line of sight when aimed). Not
// above 0 when the target is level with the camera's lens or behind it, so out of any view.
double DepthAlongAxisM(double groundDistanceM, double heightAboveTargetM, double tiltRad);

// Where the view comes nearest to the pole at a height: the ground distance at which its edge
// nearer the pole passes that height, Δh / tan(θ + φ) (for a height above the camera the mirror
// image, −Δh / tan(φ − θ)); 0 when that edge points straight at the pole or behind it, and
// +infinity when the view never meets the height (it points away from it entirely). At the
// camera's own height (Δh = 0) the view holds all of it when the horizontal is inside the view
// and none of it otherwise.
double NearEdgeM(double heightAboveM, double tiltRad, double halfAngleRad);

// Where the view ends at a height: the ground distance at which its edge farther from the pole
// passes it, Δh / tan(θ − φ) (mirrored above the camera); +infinity when that edge is level or
// points past the horizontal, so that the view reaches the horizon there, and when the view never
// meets the height (see NearEdgeM). Never below NearEdgeM.
double FarEdgeM(double heightAboveM, double tiltRad, double halfAngleRad);

// The look-down angle at the target, degrees below the horizontal of the line from the camera to
// the target at its height: atan2(Δh, Dg); negative for a target above the camera.
double LookDownAngleDeg(double heightAboveTargetM, double groundDistanceM);

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

// The farthest ground distance at which a camera aimed at the target, wherever it stands, sees it
// along the line of sight within a depth: √(Dmax² − Δh²). No value when even straight below (or
// above) the camera the target is farther than that.
std::optional<double> AimedFarthestGroundM(double farthestDepthM, double heightAboveTargetM);
