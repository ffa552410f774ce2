#include "camera_inputs.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// The format of canonical texts. A function, so that other files' constants may use it while
// they are being initialised.
const NumberFormat& CFormat() {
    static const NumberFormat format{u".", u""};
    return format;
}

// The canonical text in the user's format: only the decimal mark differs.
std::u16string Localised(const std::u16string& canonical, const NumberFormat& format) {
    std::u16string text;
    text.reserve(canonical.size());
    for (const char16_t c : canonical) {
        if (c == u'.')
            text += format.decimalMark;
        else
            text += c;
    }
    return text;
}

// A text typed in the editor, in metres when it is a length; no value when it is not a number.
std::optional<double> EditedValue(const std::u16string& text, bool length, LengthUnit unit,
                                  const NumberFormat& format) {
    if (!length || unit == LengthUnit::Metres)
        return ParseNumber(text, format);
    // Through the text ConvertLengthText gives, so that it converts back to what was typed.
    const std::optional<std::u16string> metres =
        ConvertLengthText(text, unit, LengthUnit::Metres, format);
    return metres ? ParseNumber(*metres, format) : std::nullopt;
}

}  // namespace

bool WithinLimits(const NumberField& field, double value, const CoverageInputs& inputs) {
    const double least =
        field.text == kDistanceField.text && GroundDistanceAllowed(inputs) ? 0 : field.least;
    return value >= least && value <= field.most && (!field.whole || value == std::floor(value));
}

std::u16string CanonicalNumberText(double value) {
    if (value == 0 || !std::isfinite(value))
        return u"0";
    // Fixed notation with the fewest digits that read back: a value of 1e-300 takes 300 zeros,
    // which ParseNumber reads as well as any other text.
    std::array<char, 400> buffer;
    const auto [end, fault] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (fault != std::errc())
        return u"0";
    return std::u16string(buffer.data(), end);
}

std::optional<double> CanonicalValue(const std::u16string& text) {
    return ParseNumber(text, CFormat());
}

CoverageInputs DefaultCameraInputs(LengthUnit unit) {
    return CanonicalInputs(DefaultCoverageInputs(unit), CFormat()).value();
}

std::u16string EditorText(const Camera& camera, const NumberField& field, LengthUnit unit,
                          const NumberFormat& format) {
    std::u16string text = Localised(camera.inputs.*field.text, format);
    if (field.length && unit != LengthUnit::Metres && !text.empty())
        return ConvertLengthText(text, LengthUnit::Metres, unit, format).value_or(text);
    return text;
}

CoverageInputs InputsForEditor(const Camera& camera, LengthUnit unit, const NumberFormat& format) {
    CoverageInputs shown = camera.inputs;
    shown.unit = unit;
    for (const NumberField& field : kNumberFields)
        shown.*field.text = EditorText(camera, field, unit, format);
    return shown;
}

std::optional<CoverageInputs> CanonicalInputs(const CoverageInputs& edited,
                                              const NumberFormat& format) {
    CoverageInputs out = DefaultCoverageInputs(LengthUnit::Metres);
    if (edited.format > kCustomFormat || edited.requiredLevel < 0 ||
        edited.requiredLevel >= static_cast<int>(kDoriLevels.size()))
        return std::nullopt;
    out.format = edited.format;
    out.aspect = edited.aspect;
    out.distanceIsLineOfSight = edited.distanceIsLineOfSight;
    out.mounted = edited.mounted;
    out.tiltAimed = edited.tiltAimed;
    out.requiredLevel = edited.requiredLevel;
    out.lensModel = edited.lensModel;
    const bool custom = edited.format == kCustomFormat;
    if (custom)
        out.custom = edited.custom;

    // Copies a field, canonical; false when it is not a number within its limits.
    const auto copy = [&](const NumberField& field) {
        const std::optional<double> value =
            EditedValue(edited.*field.text, field.length, edited.unit, format);
        if (!value || !WithinLimits(field, *value, out))
            return false;
        out.*field.text = CanonicalNumberText(*value);
        return true;
    };
    bool complete = copy(kPixelsAcrossField) && copy(kPixelsDownField) && copy(kFocalLengthField) &&
                    copy(kDistanceField);
    if (custom && out.custom == CustomSensor::BySize)
        complete = complete && copy(kSensorWidthField) && copy(kSensorHeightField);
    if (custom && out.custom == CustomSensor::ByPixelSize)
        complete = complete && copy(kPixelSizeField);
    if (!out.tiltAimed)
        complete = complete && copy(kTiltField);
    if (out.mounted) {
        complete = complete && copy(kCameraHeightField) && copy(kTargetHeightField);
    } else {
        // Kept for when mounting is turned on again, if they are fit to keep.
        const CoverageInputs start = out;
        if (!copy(kCameraHeightField) || !copy(kTargetHeightField)) {
            out.cameraHeight = start.cameraHeight;
            out.targetHeight = start.targetHeight;
        }
    }
    if (!edited.requiredWidth.empty())
        complete = complete && copy(kRequiredWidthField);
    if (!complete)
        return std::nullopt;
    return out;
}
