#pragma once

#include <array>
#include <string_view>

// The DORI levels of EN 62676-4:2015 and the one below them that Coverage adds: the pixel density
// across the scene width that a person must be seen with to be monitored, detected, observed,
// recognised, identified or inspected. From the lowest to the highest density.
struct DoriLevel {
    std::u16string_view name;
    double pxPerMetre;
};

inline constexpr std::array<DoriLevel, 6> kDoriLevels{{
    {u"Monitor", 12.5},
    {u"Detect", 25},
    {u"Observe", 62.5},
    {u"Recognise", 125},
    {u"Identify", 250},
    {u"Inspect", 1000},
}};

// The level reached by a density under the lowest level.
inline constexpr int kBelowMonitor = -1;
inline constexpr std::u16string_view kBelowMonitorName = u"Below Monitor";
// The first level at which a face tells who someone is, so that the angle it is seen at counts.
inline constexpr int kRecognise = 3;
static_assert(kDoriLevels[kRecognise].name == u"Recognise");
// Shown in place of a level while a mounted camera's target is outside its view.
inline constexpr std::u16string_view kNotInViewName = u"Not in view";

// Densities and pixel counts this close to a level's figure, relative to it, count as equal: a
// density worked out as exactly 250 px/m may land a rounding error below it in a double.
inline constexpr double kLevelTolerance = 1e-9;

// The index in kDoriLevels of the highest level the density (px/m) reaches, or kBelowMonitor.
constexpr int LevelReached(double pxPerMetre) {
    int reached = kBelowMonitor;
    for (int i = 0; i < static_cast<int>(kDoriLevels.size()); ++i) {
        if (pxPerMetre >=
            kDoriLevels[static_cast<std::size_t>(i)].pxPerMetre * (1 - kLevelTolerance))
            reached = i;
    }
    return reached;
}

// "Identify", or "Below Monitor" for kBelowMonitor.
constexpr std::u16string_view LevelName(int level) {
    return level == kBelowMonitor ? kBelowMonitorName
                                  : kDoriLevels[static_cast<std::size_t>(level)].name;
}

// What seeing a person at a level lets the viewer tell, for tooltips: "Identify: beyond
// reasonable doubt who it is"; kBelowMonitor has its own.
constexpr std::u16string_view LevelMeaning(int level) {
    constexpr std::array<std::u16string_view, kDoriLevels.size()> kMeanings{{
        u"Monitor: watch the number, direction and speed of people across a wide area",
        u"Detect: whether a person is present",
        u"Observe: characteristic details of a person, such as their clothing",
        u"Recognise: whether this is someone seen before",
        u"Identify: beyond reasonable doubt who it is",
        u"Inspect: fine detail of a person or object",
    }};
    return level == kBelowMonitor ? u"Below Monitor: too few pixels to watch people across the area"
                                  : kMeanings[static_cast<std::size_t>(level)];
}
