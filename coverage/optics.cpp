#include "optics.h"

#include <cmath>

#include "dori_levels.h"

double AngleOfViewDeg(double sizeMm, double focalMm) {
    return 2 * std::atan(sizeMm / (2 * focalMm)) * kDegreesPerRadian;
}

double SceneSizeM(double depthM, double sizeMm, double focalMm) {
    return depthM * sizeMm / focalMm;
}

double DensityPxPerM(double pixelsAcross, double sceneWidthM) {
    return pixelsAcross / sceneWidthM;
}

double FarthestDepthM(double pixelsAcross, double focalMm, double pxPerMetre, double widthMm) {
    return pixelsAcross * focalMm / (pxPerMetre * widthMm);
}

double FocalLengthNeededMm(double pxPerMetre, double widthMm, double depthM, double pixelsAcross) {
    return pxPerMetre * widthMm * depthM / pixelsAcross;
}

double PixelsNeeded(double pxPerMetre, double sceneWidthM) {
    const double pixels = pxPerMetre * sceneWidthM;
    return std::ceil(pixels * (1 - kLevelTolerance));
}
