#pragma once

#include <array>
#include <optional>
#include <string_view>

// The camera sensor formats the program knows, by optical format, each with its nominal diagonal
// in millimetres. The calculator offers the five that carry an option button and reads only their
// height at 4:3; the coverage window offers them all, at 4:3 or 16:9.
//
// The calculator's five have their nominal 4:3 areas (1" is 12.8 x 9.6 mm, a 16 mm diagonal).
// Today's formats follow the usual convention: 16 mm of diagonal per inch of optical format from
// 1/2" up, 18 mm per inch below. Either way the figure is nominal: makers differ by a few tenths
// of a millimetre, and only the pixel size and count give a sensor's exact size.
struct SensorFormat {
    std::string_view optionName;  // the main window's option button; empty when it has none
    std::string_view inches;      // "1", "1/1.2", "2/3", ...
    double diagonalMm;

    // The height of a 4:3 picture on this diagonal: 3/5 of it (exactly 9.6, 6.6, 4.8, 3.6 and
    // 2.4 mm for the calculator's five).
    constexpr double HeightAt4x3Mm() const { return diagonalMm * 3 / 5; }
};

// From the largest to the smallest.
inline constexpr std::array<SensorFormat, 12> kSensorFormats{{
    {"un", "1", 16},
    {"", "1/1.2", 16 / 1.2},
    {"dueterzi", "2/3", 11},
    {"", "1/1.8", 16 / 1.8},
    {"unmezzo", "1/2", 8},
    {"", "1/2.5", 18 / 2.5},
    {"", "1/2.7", 18 / 2.7},
    {"", "1/2.8", 18 / 2.8},
    {"", "1/2.9", 18 / 2.9},
    {"unterzo", "1/3", 6},
    {"", "1/3.6", 18 / 3.6},
    {"unquarto", "1/4", 4},
}};

// The format chosen by an option button of the main window, if the name is one of them.
constexpr std::optional<SensorFormat> SensorFormatOfOption(std::string_view optionName) {
    for (const SensorFormat& format : kSensorFormats) {
        if (!optionName.empty() && format.optionName == optionName)
            return format;
    }
    return std::nullopt;
}

// The calculator starts on the 1/3-inch format, the option selected when the window opens.
inline constexpr std::string_view kStartSensorOption = "unterzo";
inline constexpr double kStartSensorHeightMm =
    SensorFormatOfOption(kStartSensorOption)->HeightAt4x3Mm();
