#pragma once

#include <array>
#include <string_view>

// The camera sensor formats the user can choose from, with the sensor's height in millimetres.
// Only the height enters a calculation; the picture is always 4:3.
struct SensorFormat {
    std::string_view optionName;  // the option button that chooses the format
    std::string_view inches;      // "1", "2/3", "1/2", "1/3", "1/4"
    double heightMm;
};

inline constexpr std::array<SensorFormat, 5> kSensorFormats{{
    {"un", "1", 9.6},
    {"dueterzi", "2/3", 6.6},
    {"unmezzo", "1/2", 4.8},
    {"unterzo", "1/3", 3.6},
    {"unquarto", "1/4", 2.4},
}};

inline constexpr double kStartSensorHeightMm = 3.6;  // the 1/3-inch format
