#include "design.h"

#include "camera_inputs.h"

Design NewDesign(LengthUnit unit) {
    Design design;
    design.unit = unit;
    design.cameras.push_back({"c1", u"Camera 1", DefaultCameraInputs(unit), {}, {}, {}});
    design.nextCameraNumber = 2;
    return design;
}
