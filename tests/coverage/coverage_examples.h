#pragma once

// The Coverage form filled in as the worked examples state them, for the tests of the model and
// of the pictures.
#include "coverage.h"

// A named format ("1/3") or "custom": 1920 × 1080 pixels of 2.9 µm. 1920 across.
inline CoverageInputs Camera(const char* inches, Aspect aspect, const char16_t* focal,
                             const char16_t* distance, LengthUnit unit = LengthUnit::Metres) {
    CoverageInputs in;
    in.format = SensorFormatIndex(inches).value_or(kCustomFormat);
    in.aspect = aspect;
    in.custom = CustomSensor::ByPixelSize;
    in.pixelsDown = u"1080";
    in.focalLengthMm = focal;
    in.distance = distance;
    in.unit = unit;
    return in;
}

// The camera on a pole `camera` high, the target `target` high, aimed at it or tilted by `tilt`
// degrees.
inline CoverageInputs Mounted(CoverageInputs in, const char16_t* camera, const char16_t* target,
                              const char16_t* tilt = nullptr) {
    in.mounted = true;
    in.cameraHeight = camera;
    in.targetHeight = target;
    in.tiltAimed = !tilt;
    if (tilt)
        in.tiltDeg = tilt;
    return in;
}
