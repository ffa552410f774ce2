#pragma once

// What a lens shows of a scene: sensor sizes and focal lengths in mm, distances and scene sizes in
// metres, densities in pixels per metre across the scene. The depth is the distance from the
// lens to the target along the lens axis. Callers pass sizes, focal lengths, depths and pixel
// counts above 0; every result is then finite for the inputs Coverage accepts.

// π, for every conversion between degrees and radians in Coverage.
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kRadiansPerDegree = kPi / 180;
inline constexpr double kDegreesPerRadian = 180 / kPi;

// The angle of view (degrees) across a sensor size: 2·atan(s / 2F).
double AngleOfViewDeg(double sizeMm, double focalMm);

// The scene's extent at a depth along a sensor size: D·s / F.
double SceneSizeM(double depthM, double sizeMm, double focalMm);

// Pixels across the scene per metre of scene width: N / W.
double DensityPxPerM(double pixelsAcross, double sceneWidthM);

// The farthest depth at which a density is reached: N·F / (P·w).
double FarthestDepthM(double pixelsAcross, double focalMm, double pxPerMetre, double widthMm);

// The focal length that gives a density at a depth: P·w·D / N.
double FocalLengthNeededMm(double pxPerMetre, double widthMm, double depthM, double pixelsAcross);

// The pixels across that give a density over a scene width: ⌈P·W⌉, where a product within the
// levels' tolerance above a whole number counts as that number (250 px/m over 7.68 m is 1920).
double PixelsNeeded(double pxPerMetre, double sceneWidthM);
