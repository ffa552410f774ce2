#include "same_camera.h"

#include <tuple>

namespace {

// Every field of CoverageInputs: a field added there must be added here, or an edit of it alone
// would be no step of the history.
auto Fields(const CoverageInputs& in) {
    return std::tie(in.format, in.aspect, in.custom, in.customWidthMm, in.customHeightMm,
                    in.pixelSizeUm, in.pixelsAcross, in.pixelsDown, in.focalLengthMm, in.unit,
                    in.distance, in.distanceIsLineOfSight, in.mounted, in.cameraHeight,
                    in.targetHeight, in.tiltAimed, in.tiltDeg, in.requiredLevel, in.requiredWidth,
                    in.lensModel);
}

}  // namespace

bool SameInputs(const CoverageInputs& a, const CoverageInputs& b) {
    return Fields(a) == Fields(b);
}

bool SameShownCamera(const Camera& a, const Camera& b) {
    return a.id == b.id && a.name == b.name && SameInputs(a.inputs, b.inputs);
}
