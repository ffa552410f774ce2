#include "design_sheet.h"

#include <algorithm>
#include <cmath>

#include "lens_lookup.h"
#include "utf8.h"

namespace {

constexpr char16_t kMillimetres[] = u"mm";
constexpr char16_t kDegrees[] = u"\u00b0";

// Adds the lines of the sheet part by part, writing figures in one number format.
class LineWriter {
  public:
    LineWriter(std::vector<SheetLine>& lines, const NumberFormat& format)
        : format(format), lines(lines) {}

    void Add(std::u16string name, std::u16string value, std::u16string unit, bool figure,
             std::u16string aside = {}) {
        lines.push_back({part, row, std::move(name), std::move(value), std::move(unit), figure,
                         std::move(aside)});
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

    // A result as the window writes it: a figure, its unit ("°" straight after it, others after
    // a blank) and, for lengths and densities, the figure in the other unit in brackets,
    // "7.32 m (24.00 ft)"; or a text without a figure ("Identify", "to the horizon", "—").
    void Shown(std::u16string name, std::u16string_view text) {
        std::size_t end = 0;
        bool digit = false;
        while (end < text.size()) {
            if (text[end] >= u'0' && text[end] <= u'9') {
                digit = true;
                ++end;
            } else if (!format.decimalMark.empty() &&
                       text.substr(end, format.decimalMark.size()) == format.decimalMark) {
                end += format.decimalMark.size();
            } else {
                break;
            }
        }
        std::u16string_view rest = text.substr(end);
        std::u16string_view unit;
        if (rest.substr(0, 1) == kDegrees) {
            unit = rest.substr(0, 1);
            rest.remove_prefix(1);
        } else if (rest.substr(0, 1) == u" ") {
            rest.remove_prefix(1);
            unit = rest.substr(0, rest.find(u' '));
            rest.remove_prefix(unit.size());
        }
        if (!digit || unit.empty() || (!rest.empty() && rest.front() != u' ')) {
            Text(std::move(name), std::u16string(text));
            return;
        }
        rest.remove_prefix(std::min<std::size_t>(rest.size(), 1));
        Add(std::move(name), std::u16string(text.substr(0, end)), std::u16string(unit), true,
            std::u16string(rest));
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

// "HG0614D (1/2"  6mm F1.4 DC auto iris, 4-pin connector, CS mount)".
std::u16string ChosenLensText(const std::u16string& modelNumber) {
    const std::optional<LensRecord> lens = FindLens(Utf8Of(modelNumber));
    return modelNumber + u" (" + (lens ? Utf16Of(lens->description) : u"not in the catalogue") +
           u')';
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
    if (!in.lensModel.empty())
        out.Text(u"Lens", ChosenLensText(in.lensModel));
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
    const CoverageInputs& in = sheet.inputs.form;
    const CoverageFigures& f = sheet.coverage.figures;
    // The window's texts, written afresh: the sheet may be written in another number format.
    const CoverageTexts texts = TextsOf(f, in.unit, out.format);
    out.part = SheetPart::Results;
    for (const ResultItem& result : ResultList(texts)) {
        if (result.mountingOnly && !f.mounting)
            continue;
        if (result.id == "slantDistance" && in.distanceIsLineOfSight) {
            const auto& groundM = f.mounting->groundDistanceM;
            out.Shown(u"Distance on the ground from the pole",
                      groundM ? LengthText(*groundM, in.unit, out.format) : kNoResult);
            continue;
        }
        out.Shown(std::u16string(result.caption), result.text);
    }
}

void WriteDori(LineWriter& out, const DesignSheet& sheet) {
    const CoverageFigures& f = sheet.coverage.figures;
    const LengthUnit unit = sheet.inputs.form.unit;
    const std::u16string symbol = UnitSymbol(unit);
    out.part = SheetPart::Dori;
    // The window's texts, rounded as it rounds them: the farthest distance down and what is
    // needed up, so that a figure copied from the sheet reaches the level.
    const std::u16string farthest(FarthestCaption(FarthestKind(sheet.inputs.form)));
    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        const DoriFigures& level = f.dori[i];
        const DoriRowTexts& texts = sheet.coverage.texts.doriTable[i];
        out.row = kDoriLevels[i].name;
        out.Shown(farthest, texts.farthest);
        out.Shown(u"Focal length needed", texts.focalLengthNeeded);
        out.Shown(u"Pixels across needed", texts.pixelsNeeded);
        if (!f.mounting)
            continue;
        const auto& range = level.groundRangeM;
        if (range && *range) {
            const double scale = MetresPerUnit(unit);
            out.Add(u"Ground range at this tilt",
                    RangeText((*range)->nearM / scale, (*range)->farM / scale, out.format), symbol,
                    true);
        } else {
            out.Text(u"Ground range at this tilt", range ? kNotReached : kNoResult, symbol);
        }
    }
    out.row.clear();
}

// "fixed or zoom", "manual, DC or video": the names kept; empty when none is.
template <typename Value>
std::u16string KeptNames(std::size_t count, bool (LensFilter::*has)(Value) const,
                         const LensFilter& filter, std::string_view (*name)(Value)) {
    std::vector<std::u16string> kept;
    for (std::size_t i = 0; i < count; ++i) {
        if ((filter.*has)(static_cast<Value>(i)))
            kept.push_back(Utf16Of(name(static_cast<Value>(i))));
    }
    std::u16string text = kept.empty() ? u"" : kept.front();
    for (std::size_t i = 1; i < kept.size(); ++i)
        text += (i + 1 == kept.size() ? u" or " : u", ") + kept[i];
    return text;
}

// What the filter keeps, where it leaves something out: "fixed or zoom; DC or video iris; at
// least 3MP"; "no kind", "no iris" when it keeps none.
std::u16string FilterText(const LensFilter& filter, const NumberFormat& format) {
    std::vector<std::u16string> parts;
    if (!filter.kinds.all()) {
        const std::u16string kinds =
            KeptNames<LensKind>(kLensKindCount, &LensFilter::Has, filter, KindName);
        parts.push_back(kinds.empty() ? u"no kind" : kinds);
    }
    if (!filter.irises.all()) {
        const std::u16string irises =
            KeptNames<Iris>(kIrisCount, &LensFilter::Has, filter, IrisName);
        parts.push_back(irises.empty() ? u"no iris" : irises + u" iris");
    }
    if (filter.minimumMegapixels > 0)
        parts.push_back(u"at least " + NumberText(filter.minimumMegapixels, format) + u"MP");
    std::u16string text;
    for (const std::u16string& part : parts)
        text += (text.empty() ? u"" : u"; ") + part;
    return text;
}

void WriteLenses(LineWriter& out, const DesignSheet& sheet, SheetMedium medium) {
    const CoverageInputs& in = sheet.inputs.form;
    const LensChoice& choice = sheet.lenses;
    const LengthUnit unit = in.unit;
    out.part = SheetPart::Lenses;
    out.Text(u"Required level", std::u16string(LevelName(in.requiredLevel)));
    if (in.requiredWidth.find_first_not_of(u" \t") != std::u16string::npos)
        out.Typed(u"Required width", in.requiredWidth, sheet.userFormat, UnitSymbol(unit));
    if (!sheet.inputs.lensFilter.KeepsAll())
        out.Text(u"Lens filters", FilterText(sheet.inputs.lensFilter, out.format));
    if (choice.outcome == LensChoice::Outcome::Listed)
        out.Text(u"Lenses", LensCountText(choice, out.format));
    else if (choice.outcome == LensChoice::Outcome::NoFigures)
        out.Text(u"Lenses", kNoResult);
    else
        out.Text(u"Lenses", LensNoteText(choice, unit, out.format));

    const std::size_t shown = medium == SheetMedium::Paper
                                  ? std::min(choice.lenses.size(), kPaperLensRows)
                                  : choice.lenses.size();
    for (std::size_t i = 0; i < shown; ++i) {
        const LensSuggestion& lens = choice.lenses[i];
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
    if (shown < choice.lenses.size()) {
        const std::size_t more = choice.lenses.size() - shown;
        out.Text(u"More lenses", u"and " + NumberText(static_cast<double>(more), out.format) +
                                     (more == 1 ? u" more lens" : u" more lenses"));
    }
}

}  // namespace

std::string IsoDateText(const CalendarDate& date) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > kDays[date.month - 1] || (date.month == 2 && date.day == 29 && !leap))
        return {};
    std::string text = std::to_string(date.year);
    text.insert(0, text.size() < 4 ? 4 - text.size() : 0, '0');
    for (const int part : {date.month, date.day}) {
        text += part < 10 ? "-0" : "-";
        text += std::to_string(part);
    }
    return text;
}

DesignSheet MakeDesignSheet(const DesignSheetInputs& inputs, const NumberFormat& userFormat) {
    DesignSheet sheet{inputs, userFormat, {}, {}};
    CoverageInputs& form = sheet.inputs.form;
    form.requiredLevel =
        std::clamp(form.requiredLevel, 0, static_cast<int>(kDoriLevels.size()) - 1);
    sheet.coverage = ComputeCoverage(form, userFormat);
    sheet.lenses = ChooseLenses(sheet.coverage.figures, form, inputs.lensFilter, userFormat);
    return sheet;
}

std::u16string_view SectionName(SheetPart part) {
    switch (part) {
        case SheetPart::Date:
            return u"Date";
        case SheetPart::Inputs:
            return u"Inputs";
        case SheetPart::Note:
            return u"Note";
        case SheetPart::Results:
            return u"Results";
        case SheetPart::Dori:
            return u"DORI levels";
        case SheetPart::Lenses:
            return u"Lenses";
    }
    return {};
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

std::vector<SheetLine> SheetLines(const DesignSheet& sheet, const NumberFormat& format,
                                  SheetMedium medium) {
    std::vector<SheetLine> lines;
    lines.reserve(56 + 5 * sheet.lenses.lenses.size());
    LineWriter out(lines, format);
    out.Text(u"Date", sheet.inputs.date);
    WriteInputs(out, sheet);
    WriteResults(out, sheet);
    WriteDori(out, sheet);
    WriteLenses(out, sheet, medium);
    return lines;
}
