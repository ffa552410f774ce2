#include "design_sheet.h"

#include <algorithm>
#include <cmath>

#include "utf8.h"

namespace {

constexpr char16_t kMillimetres[] = u"mm";
constexpr char16_t kDegrees[] = u"\u00b0";
constexpr char16_t kToTheHorizon[] = u"to the horizon";
constexpr char16_t kNotReached[] = u"Not reached";

// Adds the lines of the sheet part by part, writing figures in one number format.
class LineWriter {
  public:
    LineWriter(std::vector<SheetLine>& lines, const NumberFormat& format)
        : format(format), lines(lines) {}

    void Add(std::u16string name, std::u16string value, std::u16string unit, bool figure) {
        lines.push_back({part, row, std::move(name), std::move(value), std::move(unit), figure});
    }

    void Text(std::u16string name, std::u16string value, std::u16string unit = {}) {
        Add(std::move(name), std::move(value), std::move(unit), false);
    }

    // A figure rounded as the window shows it, or "—".
    void Figure(std::u16string name, const std::optional<double>& value, int decimals,
                std::u16string unit = {}) {
        if (value && std::isfinite(*value))
            Add(std::move(name), RoundedText(*value, decimals, format), std::move(unit), true);
        else
            Text(std::move(name), kNoResult, std::move(unit));
    }

    // A number as the user typed it, at full precision, or "—" when it is none.
    void Typed(std::u16string name, const std::u16string& text, const NumberFormat& typedIn,
               std::u16string unit = {}) {
        if (const std::optional<double> value = ParseNumber(text, typedIn))
            Add(std::move(name), NumberText(*value, format), std::move(unit), true);
        else
            Text(std::move(name), kNoResult, std::move(unit));
    }

    const NumberFormat& format;
    SheetPart part = SheetPart::Date;
    std::u16string row;

  private:
    std::vector<SheetLine>& lines;
};

// A length in metres, in the unit.
std::optional<double> InUnit(const std::optional<double>& metres, LengthUnit unit) {
    if (!metres)
        return std::nullopt;
    return *metres / MetresPerUnit(unit);
}

// A density in pixels per metre, per foot.
std::optional<double> PerFoot(const std::optional<double>& pxPerMetre) {
    if (!pxPerMetre)
        return std::nullopt;
    return *pxPerMetre * kMetresPerFoot;
}

std::u16string DensityUnit(LengthUnit unit) {
    return unit == LengthUnit::Feet ? u"px/ft" : u"px/m";
}

void WriteInputs(LineWriter& out, const DesignSheet& sheet) {
    const CoverageInputs& in = sheet.inputs.form;
    const NumberFormat& typed = sheet.userFormat;
    const std::u16string unit = UnitSymbol(in.unit);
    out.part = SheetPart::Inputs;
    out.Text(u"Follow", sheet.inputs.follow);
    out.Text(u"Sensor format", FormatLabel(in.format, out.format));
    if (in.format < kSensorFormats.size()) {
        out.Text(u"Aspect ratio", in.aspect == Aspect::SixteenByNine ? u"16:9" : u"4:3");
    } else if (in.custom == CustomSensor::BySize) {
        out.Typed(u"Sensor width", in.customWidthMm, typed, kMillimetres);
        out.Typed(u"Sensor height", in.customHeightMm, typed, kMillimetres);
    } else {
        out.Typed(u"Pixel size", in.pixelSizeUm, typed, u"\u00b5m");
    }
    out.Typed(u"Pixels across", in.pixelsAcross, typed);
    out.Typed(u"Pixels down", in.pixelsDown, typed);
    out.Typed(u"Focal length", in.focalLengthMm, typed, kMillimetres);
    const bool onTheGround = in.mounted && !in.distanceIsLineOfSight;
    out.Typed(onTheGround ? u"Distance on the ground" : u"Distance along the line of sight",
              in.distance, typed, unit);
    out.Text(u"Unit", in.unit == LengthUnit::Feet ? u"feet" : u"metres");
    out.Text(u"Camera mounted above the target", in.mounted ? u"yes" : u"no");
    if (in.mounted) {
        out.Typed(u"Camera height", in.cameraHeight, typed, unit);
        out.Typed(u"Target height", in.targetHeight, typed, unit);
        if (in.tiltAimed)
            out.Text(u"Tilt", u"aimed at the target", kDegrees);
        else
            out.Typed(u"Tilt", in.tiltDeg, typed, kDegrees);
    }
    if (!sheet.coverage.message.empty()) {
        out.part = SheetPart::Note;
        out.Text(u"Note", sheet.coverage.message);
    }
}

void WriteResults(LineWriter& out, const DesignSheet& sheet) {
    const CoverageFigures& f = sheet.coverage.figures;
    const LengthUnit unit = sheet.inputs.form.unit;
    const std::u16string symbol = UnitSymbol(unit);
    out.part = SheetPart::Results;
    out.Figure(u"Horizontal angle of view", f.angleHDeg, 1, kDegrees);
    out.Figure(u"Vertical angle of view", f.angleVDeg, 1, kDegrees);
    out.Figure(u"Diagonal angle of view", f.angleDDeg, 1, kDegrees);
    out.Figure(u"Scene width", InUnit(f.sceneWidthM, unit), 2, symbol);
    out.Figure(u"Scene height", InUnit(f.sceneHeightM, unit), 2, symbol);
    out.Figure(u"Pixel density", f.densityPxPerM, 1, u"px/m");
    out.Figure(u"Pixel density", PerFoot(f.densityPxPerM), 1, u"px/ft");
    out.Text(u"DORI level reached",
             f.level ? std::u16string(LevelName(*f.level)) : std::u16string(kNoResult));
    const auto& m = f.mounting;
    if (!m)
        return;
    // The input gave one of the two distances; the other is a result.
    if (sheet.inputs.form.distanceIsLineOfSight)
        out.Figure(u"Distance on the ground", InUnit(m->groundDistanceM, unit), 2, symbol);
    else
        out.Figure(u"Distance along the line of sight", InUnit(m->slantDistanceM, unit), 2, symbol);
    out.Figure(u"Tilt below the horizontal", m->tiltDeg, 1, kDegrees);
    out.Figure(u"Blind zone", InUnit(m->blindZoneM, unit), 2, symbol);
    out.Figure(u"Near edge of the view on the ground", InUnit(m->nearEdgeGroundM, unit), 2, symbol);
    if (m->farEdgeGroundM && std::isinf(*m->farEdgeGroundM))
        out.Text(u"Far edge of the view on the ground", kToTheHorizon, symbol);
    else
        out.Figure(u"Far edge of the view on the ground", InUnit(m->farEdgeGroundM, unit), 2,
                   symbol);
}

void WriteDori(LineWriter& out, const DesignSheet& sheet) {
    const CoverageFigures& f = sheet.coverage.figures;
    const LengthUnit unit = sheet.inputs.form.unit;
    const std::u16string symbol = UnitSymbol(unit);
    out.part = SheetPart::Dori;
    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        const DoriFigures& level = f.dori[i];
        out.row = kDoriLevels[i].name;
        out.Figure(u"Farthest distance", InUnit(level.farthestDepthM, unit), 2, symbol);
        out.Figure(u"Focal length needed", level.focalLengthNeededMm, 2, kMillimetres);
        out.Figure(u"Pixels across needed", level.pixelsNeeded, 0);
        if (!f.mounting)
            continue;
        const auto& range = level.groundRangeM;
        if (range && *range) {
            const double scale = MetresPerUnit(unit);
            std::u16string text = RoundedText((*range)->nearM / scale, 2, out.format);
            text += u'\u2013';
            AppendRounded(text, (*range)->farM / scale, 2, out.format);
            out.Add(u"Ground range", std::move(text), symbol, true);
        } else {
            out.Text(u"Ground range", range ? kNotReached : kNoResult, symbol);
        }
    }
    out.row.clear();
}

void WriteLenses(LineWriter& out, const DesignSheet& sheet) {
    const CoverageFigures& f = sheet.coverage.figures;
    const LengthUnit unit = sheet.inputs.form.unit;
    const int level = sheet.inputs.requiredLevel;
    out.part = SheetPart::Lenses;
    out.Text(u"Required level", std::u16string(LevelName(level)));
    if (sheet.lenses.empty()) {
        out.Text(u"Lenses", f.depthM && f.sensorWidthMm && f.sensorDiagonalMm && f.pixelsAcross
                                ? NoLensText(level, *f.depthM, unit, out.format)
                                : kNoResult);
        return;
    }
    for (std::size_t i = 0; i < sheet.lenses.size(); ++i) {
        const LensSuggestion& lens = sheet.lenses[i];
        out.row = u"Lens " + NumberText(static_cast<double>(i + 1), out.format);
        out.Text(u"Model number", Utf16Of(lens.modelNumber));
        out.Text(u"Description", Utf16Of(lens.description));
        out.Figure(u"Focal length", lens.focalMm, 2, kMillimetres);
        out.Figure(u"Pixel density",
                   unit == LengthUnit::Feet ? PerFoot(lens.densityPxPerM) : lens.densityPxPerM, 1,
                   DensityUnit(unit));
        out.Figure(u"Scene width", InUnit(lens.sceneWidthM, unit), 2, UnitSymbol(unit));
    }
    out.row.clear();
}

}  // namespace

DesignSheet MakeDesignSheet(const DesignSheetInputs& inputs, const NumberFormat& userFormat) {
    DesignSheet sheet{inputs, userFormat, ComputeCoverage(inputs.form, userFormat), {}};
    sheet.inputs.requiredLevel =
        std::clamp(inputs.requiredLevel, 0, static_cast<int>(kDoriLevels.size()) - 1);
    const CoverageFigures& f = sheet.coverage.figures;
    if (f.depthM && f.sensorWidthMm && f.sensorDiagonalMm && f.pixelsAcross) {
        sheet.lenses = SuggestLenses(
            {*f.sensorWidthMm, *f.sensorDiagonalMm, *f.pixelsAcross}, *f.depthM,
            kDoriLevels[static_cast<std::size_t>(sheet.inputs.requiredLevel)].pxPerMetre);
    }
    return sheet;
}

std::u16string FullName(const SheetLine& line) {
    if (line.row.empty())
        return line.name;
    std::u16string name = line.row + u", " + line.name;
    char16_t& first = name[line.row.size() + 2];
    if (first >= u'A' && first <= u'Z')
        first = static_cast<char16_t>(first - u'A' + u'a');
    return name;
}

std::vector<SheetLine> SheetLines(const DesignSheet& sheet, const NumberFormat& format) {
    std::vector<SheetLine> lines;
    lines.reserve(48 + 5 * sheet.lenses.size());
    LineWriter out(lines, format);
    out.Text(u"Date", sheet.inputs.date);
    WriteInputs(out, sheet);
    WriteResults(out, sheet);
    WriteDori(out, sheet);
    WriteLenses(out, sheet);
    return lines;
}

std::u16string NoLensText(int level, double depthM, LengthUnit unit, const NumberFormat& format) {
    std::u16string text = u"No lens of the catalogue reaches ";
    text += LevelName(level);
    text += u" at ";
    AppendRounded(text, depthM / MetresPerUnit(unit), 2, format);
    text += u' ' + UnitSymbol(unit) + u" with this camera.";
    return text;
}
