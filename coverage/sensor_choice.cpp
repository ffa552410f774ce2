#include "sensor_choice.h"

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

const std::array<Resolution, 4>& ResolutionPresets(Aspect aspect) {
    static constexpr std::array<Resolution, 4> k4x3{
        {{640, 480}, {1280, 960}, {2048, 1536}, {2592, 1944}}};
    static constexpr std::array<Resolution, 4> k16x9{
        {{1280, 720}, {1920, 1080}, {2560, 1440}, {3840, 2160}}};
    return aspect == Aspect::SixteenByNine ? k16x9 : k4x3;
}
