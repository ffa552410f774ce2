#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "design.h"
#include "length_unit.h"
#include "number_text.h"

// The camera schedule: one row per camera of a design, worked out by ComputeCoverage, with the
// texts the table shows and the numbers behind them to sort by.

enum class ScheduleColumn {
    Name,
    SensorFormat,    // "1/2.8"" or "Custom"; by the sensor's diagonal (mm)
    Resolution,      // "1920 × 1080"; by the count of pixels
    FocalLength,     // "2.8 mm", as typed (in the user's format); by millimetres
    Lens,            // the catalogue's model number, empty when none is chosen
    Distance,        // "20.00 ft", in the design's unit to hundredths; by metres
    MountingHeight,  // the camera's height above the ground; empty when it is not mounted
    Density,         // at the target: "262.5 px/m", "80.0 px/ft"; by px/m
    LevelReached,    // "Identify", "Below Monitor", "Not in view", "—"; by kDoriLevels' index
    LevelRequired,   // "Identify"; by kDoriLevels' index
    Met,             // "met" or "not met"; 1 or 0
};
inline constexpr std::size_t kScheduleColumns = 11;

// The column's caption: "Focal length".
std::u16string ScheduleCaption(ScheduleColumn column);

struct ScheduleCell {
    std::u16string text;
    std::optional<double> number;  // no value where the text is no figure: sort by the text
};

struct ScheduleRow {
    std::string id;  // the camera's
    std::array<ScheduleCell, kScheduleColumns> cells;
    // The level reached is at least the one required, with the target in view.
    bool met = false;

    const ScheduleCell& operator[](ScheduleColumn column) const {
        return cells[static_cast<std::size_t>(column)];
    }
};

// A camera's row: lengths in `unit`, numbers in the user's format. A camera whose figures are
// missing (its message in the Coverage form) or whose target is out of view has not met its
// level.
ScheduleRow ScheduleRowOf(const Camera& camera, LengthUnit unit, const NumberFormat& format);

// Every camera's row, in the design's order and unit.
std::vector<ScheduleRow> ScheduleOf(const Design& design, const NumberFormat& format);

// "2 of 3 cameras meet their level"; "1 of 1 camera meets its level".
std::u16string ScheduleSummary(const std::vector<ScheduleRow>& rows);
