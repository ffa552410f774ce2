// The Coverage model with any form: any text in every field, in either number format, any format,
// shape, resolution and unit, mounting on or off, aimed or tilted, the camera above or below the
// target. Every text it returns is shown to the user, so none may hold inf, nan or a minus sign
// (no size or distance is negative; an angle looking up says "above the horizontal"), and a
// result is missing ("—") only while the message line says what to enter. The faces-from-above
// warning comes only with a steep look-down and a level that needs faces; "Not in view" stands for
// the level exactly while a typed tilt misses the target. The pictures' scene is finite. The unit
// switch must bring a length back to what it was, and the box shows it without inf or nan. The
// lens list with any filter, and the design sheet of the form, write no inf or nan either, and the
// UTF-8 of its CSV file reads back as the text it was written from.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "coverage.h"
#include "design_sheet.h"
#include "fuzz_input.h"
#include "lens_list.h"
#include "picture_scene.h"
#include "utf8.h"

namespace {

const NumberFormat kFormats[] = {{u".", u","}, {u",", u"."}};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::string Lower(std::u16string_view text) {
    std::string lower;
    for (char16_t unit : text)
        lower += unit < 128 ? static_cast<char>(std::tolower(unit)) : '?';
    return lower;
}

void CheckFinite(std::u16string_view text) {
    const std::string lower = Lower(text);
    Check(lower.find("inf") == std::string::npos && lower.find("nan") == std::string::npos);
}

void CheckShown(std::u16string_view text) {
    CheckFinite(text);
    Check(Lower(text).find('-') == std::string::npos);
}

// Typed numbers keep their sign on the sheet, and the catalogue's descriptions and the chosen
// lens's model number are not the program's figures. Every listed lens shows figures; the list
// has a count or a note, never both, and the page at most its share of lenses.
void CheckLenses(CoverageInputs in, int requiredLevel, const LensFilter& filter,
                 const NumberFormat& format) {
    in.requiredLevel = requiredLevel;
    const LensList list =
        ListLensesReaching(ComputeCoverage(in, format).figures, in, filter, format);
    for (const LensListRow& row : list.rows) {
        for (const std::u16string* text : {&row.focalLength, &row.density, &row.sceneWidth})
            CheckShown(*text);
    }
    CheckShown(list.count);
    CheckFinite(list.note);
    Check(list.count.empty() || list.note.empty());
    Check(list.count.empty() == list.rows.empty());

    const DesignSheetInputs sheetInputs{in, u"Own values", u"", {}, filter};
    const DesignSheet sheet = MakeDesignSheet(sheetInputs, format);
    Check(sheet.lenses.lenses.size() == list.rows.size());
    for (const SheetLine& line : SheetLines(sheet, format)) {
        if (line.name != u"Description" && line.name != u"Lens")
            CheckFinite(line.value);
    }
    std::size_t paperLenses = 0;
    for (const SheetLine& line : SheetLines(sheet, format, SheetMedium::Paper))
        paperLenses += line.name == u"Model number";
    Check(paperLenses == std::min(list.rows.size(), kPaperLensRows));
}

// Typing is mostly digits, marks, signs and exponents; arbitrary units find those too slowly.
std::u16string TypedText(FuzzInput& input) {
    static constexpr char16_t kKeys[] = u"0123456789.,eE+- \t";
    const std::size_t length = input.Byte() % 20;
    std::u16string text;
    for (std::size_t i = 0; i < length && !input.Empty(); ++i)
        text += kKeys[input.Byte() % (std::size(kKeys) - 1)];
    return text;
}

std::u16string FieldText(FuzzInput& input) {
    return input.Byte() % 4 ? TypedText(input) : input.Text(24);
}

void CheckFigure(const std::optional<double>& value) {
    Check(!value || (std::isfinite(*value) && *value >= 0));
}

// A distance that may never come: +infinity, but not nan.
void CheckReach(const std::optional<double>& value) {
    Check(!value || *value >= 0);
}

// An angle from the horizontal, either way.
void CheckAngle(const std::optional<double>& degrees) {
    Check(!degrees || (std::isfinite(*degrees) && std::fabs(*degrees) <= 90));
}

void CheckScene(const CoverageFigures& figures) {
    const std::optional<PictureScene> scene = SceneOf(figures);
    if (!scene)
        return;
    for (const double length : {scene->targetM, scene->blindZoneM, scene->nearEdgeGroundM,
                                scene->sceneWidthM, scene->extentM})
        Check(std::isfinite(length) && length >= 0);
    Check(scene->extentM > 0 && HalfWidthAt(*scene, scene->targetM) > 0);
    for (const LevelBand& band : scene->bands)
        Check(std::isfinite(band.toM) && band.fromM >= 0 && band.fromM < band.toM);
}

void CheckUnitSwitch(const std::u16string& text, LengthUnit from, const NumberFormat& format) {
    const LengthUnit to = from == LengthUnit::Metres ? LengthUnit::Feet : LengthUnit::Metres;
    const std::optional<double> value = ParseNumber(text, format);
    const auto there = ConvertLengthText(text, from, to, format);
    if (!value || !there)
        return;
    CheckFinite(ShownLengthText(*there, format).value());
    const auto back = ConvertLengthText(*there, to, from, format);
    Check(back.has_value());
    // Back to its 15 digits: a text typed with more loses only those beyond the fifteenth.
    const double returned = *ParseNumber(*back, format);
    if (std::fabs(*value) >= 1e-300)
        Check(std::fabs(returned - *value) <= 1e-14 * std::fabs(*value));
}

// What UTF-8 is made of a text reads back to the same UTF-8; any bytes read as UTF-8 (malformed
// ones as U+FFFD) give a text that goes through UTF-8 unchanged.
void CheckUtf8(const std::u16string& text) {
    const std::string bytes = Utf8Of(text);
    Check(Utf8Of(Utf16Of(bytes)) == bytes);
    std::string raw;
    for (const char16_t unit : text)
        raw += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    const std::u16string read = Utf16Of(raw);
    Check(Utf16Of(Utf8Of(read)) == read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const NumberFormat& format = kFormats[input.Byte() % 2];
    CoverageInputs in;
    in.format = input.Byte() % kFormatChoices;
    in.aspect = input.Byte() % 2 ? Aspect::SixteenByNine : Aspect::FourByThree;
    in.custom = input.Byte() % 2 ? CustomSensor::ByPixelSize : CustomSensor::BySize;
    in.unit = input.Byte() % 2 ? LengthUnit::Feet : LengthUnit::Metres;
    const std::uint8_t flags = input.Byte();
    in.mounted = flags & 1;
    in.distanceIsLineOfSight = flags & 2;
    in.tiltAimed = flags & 4;
    for (std::u16string* field :
         {&in.customWidthMm, &in.customHeightMm, &in.pixelSizeUm, &in.pixelsAcross, &in.pixelsDown,
          &in.focalLengthMm, &in.distance, &in.cameraHeight, &in.targetHeight, &in.tiltDeg}) {
        if (input.Byte() % 3)
            *field = FieldText(input);
    }
    // Read last, as the byte has been since the corpus was made.
    in.requiredLevel = input.Byte() % static_cast<int>(kDoriLevels.size());

    const Coverage coverage = ComputeCoverage(in, format);
    bool missing = false;
    const auto shown = [&](std::u16string_view text) {
        CheckShown(text);
        missing = missing || text == kNoResult;
    };
    for (const ResultItem& result : ResultList(coverage.texts))
        shown(result.text);
    for (const DoriRowTexts& row : coverage.texts.doriTable) {
        for (const std::u16string* text :
             {&row.level, &row.density, &row.farthest, &row.focalLengthNeeded, &row.pixelsNeeded,
              &row.groundRange})
            shown(*text);
    }
    CheckShown(coverage.message);
    CheckShown(coverage.warning);
    Check(!missing || !coverage.message.empty());

    const CoverageFigures& f = coverage.figures;
    for (const auto* figure : {&f.sensorWidthMm, &f.angleHDeg, &f.angleDDeg, &f.depthM,
                               &f.sceneWidthM, &f.sceneHeightM, &f.densityPxPerM})
        CheckFigure(*figure);
    for (const DoriFigures& row : f.dori) {
        CheckFigure(row.farthestDepthM);
        CheckFigure(row.focalLengthNeededMm);
        CheckFigure(row.pixelsNeeded);
        if (row.farthestGroundM && *row.farthestGroundM)
            CheckFigure(**row.farthestGroundM);
        if (row.groundRangeM && *row.groundRangeM) {
            const GroundRange& range = **row.groundRangeM;
            Check(std::isfinite(range.farM) && range.nearM >= 0 && range.nearM <= range.farM);
        }
    }
    const std::optional<double> lookDown = f.mounting ? f.mounting->lookDownAngleDeg : std::nullopt;
    if (f.mounting) {
        const MountingFigures& m = *f.mounting;
        CheckFigure(m.slantDistanceM);
        CheckFigure(m.groundDistanceM);
        CheckReach(m.blindZoneM);
        CheckReach(m.nearEdgeGroundM);
        CheckReach(m.farEdgeGroundM);
        CheckAngle(m.tiltDeg);
        CheckAngle(lookDown);
        Check((m.targetInView == false) == (coverage.texts.level == kNotInViewName));
        Check(m.targetInView != false || !LevelShown(f));
    }
    Check(coverage.warning.empty() ||
          (lookDown && *lookDown > 30 && in.requiredLevel >= kRecognise));
    CheckScene(f);
    const ResolutionChoice resolution =
        ResolutionForAspect(in.pixelsAcross, in.pixelsDown, in.aspect, format);
    if (resolution.down != in.pixelsDown)
        CheckShown(resolution.down);
    CheckFinite(ResolutionNote(resolution));

    CheckUnitSwitch(in.distance, in.unit, format);
    const int level = input.Byte() % static_cast<int>(kDoriLevels.size());
    LensFilter filter;
    const std::uint8_t kept = input.Byte();
    filter.kinds = kept & 7u;
    filter.irises = kept >> 4u;
    filter.minimumMegapixels = input.Byte() % 7;
    if (input.Byte() % 2)
        in.requiredWidth = FieldText(input);
    if (input.Byte() % 4 == 0)
        in.lensModel = input.Byte() % 2 ? input.Text(12) : u"HG0614D";
    CheckLenses(in, level, filter, format);
    CheckUtf8(in.distance);
    return 0;
}
