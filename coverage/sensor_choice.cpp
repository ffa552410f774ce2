#include "sensor_choice.h"

#include <algorithm>
#include <cmath>

std::u16string FormatLabel(std::size_t formatIndex, const NumberFormat& format) {
    if (formatIndex >= kSensorFormats.size())
        return u"Custom";
    const SensorFormat& sensor = kSensorFormats[formatIndex];
    const std::u16string diagonal = NumberText(std::round(sensor.diagonalMm * 100) / 100, format);
    return std::u16string(sensor.inches.begin(), sensor.inches.end()) + u"\" (nominal, " +
           diagonal + u" mm diagonal)";
}

SensorSize SensorSizeOfDiagonal(double diagonalMm, Aspect aspect) {
    const double a = aspect == Aspect::SixteenByNine ? 16 : 4;
    const double b = aspect == Aspect::SixteenByNine ? 9 : 3;
    const double hypotenuse = std::sqrt(a * a + b * b);
    return {diagonalMm * a / hypotenuse, diagonalMm * b / hypotenuse};
}

const std::array<Resolution, kResolutionPresetCount>& ResolutionPresets(Aspect aspect) {
    static constexpr std::array<Resolution, kResolutionPresetCount> k4x3{
        {{640, 480}, {1280, 960}, {1920, 1440}, {2048, 1536}, {2592, 1944}, {4000, 3000}}};
    static constexpr std::array<Resolution, kResolutionPresetCount> k16x9{
        {{1280, 720}, {1920, 1080}, {2560, 1440}, {2688, 1520}, {2880, 1620}, {3840, 2160}}};
    return aspect == Aspect::SixteenByNine ? k16x9 : k4x3;
}

ResolutionChoice ResolutionForAspect(const std::u16string& across, const std::u16string& down,
                                     Aspect aspect, const NumberFormat& format) {
    ResolutionChoice choice{across, down, false};
    const std::optional<double> pixels = ParseNumber(across, format);
    if (!pixels || *pixels < 1 || *pixels > 100000 || *pixels != std::floor(*pixels))
        return choice;
    const auto wide = static_cast<int>(*pixels);
    const std::optional<double> typedDown = ParseNumber(down, format);
    for (const Resolution& preset : ResolutionPresets(aspect)) {
        if (preset.across == wide) {
            if (typedDown != preset.down)
                choice.down = NumberText(preset.down, format);
            return choice;
        }
    }
    const double ratio = aspect == Aspect::SixteenByNine ? 9.0 / 16 : 3.0 / 4;
    const double high = std::max(1.0, std::round(*pixels * ratio));
    if (typedDown != high) {
        choice.down = NumberText(high, format);
        choice.downFromRatio = true;
    }
    return choice;
}

std::u16string ResolutionNote(const ResolutionChoice& choice) {
    if (!choice.downFromRatio)
        return {};
    return u"The pixels down were set from the aspect ratio: " + choice.across + u" \u00d7 " +
           choice.down + u".";
}