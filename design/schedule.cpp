#include "schedule.h"

#include <algorithm>

#include "camera_inputs.h"
#include "coverage.h"
#include "result_text.h"

namespace {

constexpr std::u16string_view kCaptions[kScheduleColumns] = {
    u"Name",          u"Sensor format",  u"Resolution",      u"Focal length",
    u"Lens model",    u"Distance",       u"Mounting height", u"Density at the target",
    u"Level reached", u"Level required", u"Level met"};

std::u16string SensorFormatText(const CoverageInputs& in) {
    if (in.format >= kSensorFormats.size())
        return u"Custom";
    const std::string_view inches = kSensorFormats[in.format].inches;
    return std::u16string(inches.begin(), inches.end()) + u'"';
}

}  // namespace

std::u16string ScheduleCaption(ScheduleColumn column) {
    return std::u16string(kCaptions[static_cast<std::size_t>(column)]);
}

ScheduleRow ScheduleRowOf(const Camera& camera, LengthUnit unit, const NumberFormat& format) {
    const CoverageInputs& in = camera.inputs;
    // The canonical inputs are in metres, so the figures are the file's, whatever unit is shown.
    const CoverageFigures f = ComputeCoverage(in, NumberFormat{}).figures;
    const std::u16string symbol = UnitSymbol(unit);
    const auto shown = [&](const NumberField& field) {
        return EditorText(camera, field, unit, format);
    };

    ScheduleRow row;
    row.id = camera.id;
    const auto cell = [&](ScheduleColumn column) -> ScheduleCell& {
        return row.cells[static_cast<std::size_t>(column)];
    };
    cell(ScheduleColumn::Name) = {camera.name, std::nullopt};
    cell(ScheduleColumn::SensorFormat) = {SensorFormatText(in), f.sensorDiagonalMm};

    const std::optional<double> across = CanonicalValue(in.pixelsAcross);
    const std::optional<double> down = CanonicalValue(in.pixelsDown);
    cell(ScheduleColumn::Resolution) = {
        shown(kPixelsAcrossField) + u" \u00d7 " + shown(kPixelsDownField),
        across && down ? std::optional<double>(*across * *down) : std::nullopt};
    cell(ScheduleColumn::FocalLength) = {shown(kFocalLengthField) + u" mm", f.focalLengthMm};
    cell(ScheduleColumn::Lens) = {in.lensModel, std::nullopt};
    // Lengths as the results show them: a design typed in metres and shown in feet would
    // otherwise show 15 digits.
    const auto length = [&](const std::u16string& metres) -> ScheduleCell {
        const std::optional<double> value = CanonicalValue(metres);
        if (!value)
            return {kNoResult, std::nullopt};
        return {RoundedText(*value / MetresPerUnit(unit), 2, format) + u' ' + symbol, value};
    };
    cell(ScheduleColumn::Distance) = length(in.distance);
    if (in.mounted)
        cell(ScheduleColumn::MountingHeight) = length(in.cameraHeight);

    if (f.densityPxPerM) {
        cell(ScheduleColumn::Density) = {
            RoundedText(*f.densityPxPerM * MetresPerUnit(unit), 1, format) + u" px/" + symbol,
            f.densityPxPerM};
    } else {
        cell(ScheduleColumn::Density) = {kNoResult, std::nullopt};
    }

    const bool outOfView = f.mounting && f.mounting->targetInView == false;
    if (!f.level) {
        cell(ScheduleColumn::LevelReached) = {kNoResult, std::nullopt};
    } else if (outOfView) {
        cell(ScheduleColumn::LevelReached) = {u"Not in view", std::nullopt};
    } else {
        cell(ScheduleColumn::LevelReached) = {std::u16string(LevelName(*f.level)), *f.level};
    }
    // Canonical inputs always name a level; any others show none and meet none.
    const bool required =
        in.requiredLevel >= 0 && in.requiredLevel < static_cast<int>(kDoriLevels.size());
    if (required) {
        cell(ScheduleColumn::LevelRequired) = {std::u16string(LevelName(in.requiredLevel)),
                                               in.requiredLevel};
    } else {
        cell(ScheduleColumn::LevelRequired) = {kNoResult, std::nullopt};
    }
    row.met = required && f.level && !outOfView && *f.level >= in.requiredLevel;
    cell(ScheduleColumn::Met) = {row.met ? u"met" : u"not met", row.met ? 1 : 0};
    return row;
}

std::vector<ScheduleRow> ScheduleOf(const Design& design, const NumberFormat& format) {
    std::vector<ScheduleRow> rows;
    rows.reserve(design.cameras.size());
    for (const Camera& camera : design.cameras)
        rows.push_back(ScheduleRowOf(camera, design.unit, format));
    return rows;
}

std::u16string ScheduleSummary(const std::vector<ScheduleRow>& rows) {
    const auto met =
        std::count_if(rows.begin(), rows.end(), [](const ScheduleRow& row) { return row.met; });
    const auto number = [](std::size_t n) {
        const std::string digits = std::to_string(n);
        return std::u16string(digits.begin(), digits.end());
    };
    return number(static_cast<std::size_t>(met)) + u" of " + number(rows.size()) +
           (rows.size() == 1 ? u" camera meets its level" : u" cameras meet their level");
}
