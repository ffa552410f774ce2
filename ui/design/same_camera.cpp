#include "same_camera.h"

bool SameShownCamera(const Camera& a, const Camera& b) {
    return a.id == b.id && a.name == b.name && a.inputs == b.inputs;
}
