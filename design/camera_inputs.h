#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "coverage.h"
#include "design.h"
#include "length_unit.h"
#include "number_text.h"

// A camera's inputs as the design keeps them, "canonical":
// - every number is a text in the C format ('.' for decimals, no grouping, no exponent) with the
//   fewest digits that read back as its double ("6.096", "0.5"), so that the file's numbers and
//   the texts convert both ways without loss;
// - lengths (distance, heights, required width) are in metres and `unit` is Metres;
// - only the fields that count for the choices are kept: the custom size without a named format,
//   the pixel size when Custom is given by it, the typed tilt when not aimed; the others hold
//   DefaultCoverageInputs(Metres)'s texts. The mounting heights are kept while mounting is off;
// - every number kept lies within its field's limits (below), the ones a file may hold.
// ComputeCoverage(inputs, NumberFormat{}) runs on them directly.

// What a number field may hold, and how a message about it names it.
struct NumberField {
    std::u16string CoverageInputs::*text;
    std::u16string_view what;  // "the focal length"
    std::u16string_view unit;  // " mm", "°" as it follows a figure; "" for pixels
    double least;
    double most;
    bool whole;
    bool length;  // metres in the design, the design's unit in the editor
};

// The Coverage form's limits; lengths in metres.
inline constexpr NumberField kSensorWidthField{
    &CoverageInputs::customWidthMm, u"the sensor width", u" mm", 0.1, 100, false, false};
inline constexpr NumberField kSensorHeightField{
    &CoverageInputs::customHeightMm, u"the sensor height", u" mm", 0.1, 100, false, false};
inline constexpr NumberField kPixelSizeField{
    &CoverageInputs::pixelSizeUm, u"the pixel size", u" \u00b5m", 0.1, 100, false, false};
inline constexpr NumberField kPixelsAcrossField{
    &CoverageInputs::pixelsAcross, u"the width in pixels", u"", 1, 100000, true, false};
inline constexpr NumberField kPixelsDownField{
    &CoverageInputs::pixelsDown, u"the height in pixels", u"", 1, 100000, true, false};
inline constexpr NumberField kFocalLengthField{
    &CoverageInputs::focalLengthMm, u"the focal length", u" mm", 0.1, 10000, false, false};
// Its least is 0 for a distance along the ground from a camera's pole (GroundDistanceAllowed).
inline constexpr NumberField kDistanceField{
    &CoverageInputs::distance, u"the distance", u" m", 0.01, 100000, false, true};
inline constexpr NumberField kCameraHeightField{
    &CoverageInputs::cameraHeight, u"the camera height", u" m", 0.01, 10000, false, true};
inline constexpr NumberField kTargetHeightField{
    &CoverageInputs::targetHeight, u"the target height", u" m", 0, 10000, false, true};
inline constexpr NumberField kTiltField{
    &CoverageInputs::tiltDeg, u"the tilt", u"\u00b0", 0, 90, false, false};
inline constexpr NumberField kRequiredWidthField{
    &CoverageInputs::requiredWidth, u"the required width", u" m", 0.01, 100000, false, true};

inline constexpr NumberField kNumberFields[] = {
    kSensorWidthField,  kSensorHeightField, kPixelSizeField,    kPixelsAcrossField,
    kPixelsDownField,   kFocalLengthField,  kDistanceField,     kCameraHeightField,
    kTargetHeightField, kTiltField,         kRequiredWidthField};

// A mounted camera's distance along the ground may be 0: the camera right above the target.
inline bool GroundDistanceAllowed(const CoverageInputs& inputs) {
    return inputs.mounted && !inputs.distanceIsLineOfSight;
}

// Whether the value lies within the field's limits (for the distance, with the inputs' kind).
bool WithinLimits(const NumberField& field, double value, const CoverageInputs& inputs);

// The C-format text of a value, as canonical inputs hold it: "6.096", "100000", "0.0000001".
std::u16string CanonicalNumberText(double value);

// A canonical text's value; no value for a text that is not one.
std::optional<double> CanonicalValue(const std::u16string& text);

// The Coverage form's start in a unit, canonical (in feet: 20 ft is "6.096" m).
CoverageInputs DefaultCameraInputs(LengthUnit unit);

// A field's text as the editor shows it: InputsForEditor's, for one field.
std::u16string EditorText(const Camera& camera, const NumberField& field, LengthUnit unit,
                          const NumberFormat& format);

// The inputs as the editor shows them: lengths in `unit`, numbers in the user's format, at full
// precision both ways (ConvertLengthText): a distance typed as 20 ft is "6.096" in the design and
// "20" again in the editor.
CoverageInputs InputsForEditor(const Camera& camera, LengthUnit unit, const NumberFormat& format);

// The inputs from the editor (in their `unit` and the user's format), canonical; no value while a
// field that counts is not a number within its limits (ComputeCoverage's message says what to
// enter). The fields that do not count take the start's values; so do the mounting heights while
// mounting is off, when they are not numbers within their limits.
std::optional<CoverageInputs> CanonicalInputs(const CoverageInputs& edited,
                                              const NumberFormat& format);
