#include "lens_list.h"

#include <algorithm>
#include <cmath>

#include "dori_levels.h"
#include "focal_limits.h"
#include "mounting_geometry.h"
#include "optics.h"
#include "result_text.h"
#include "utf8.h"

namespace {

constexpr double kWidthTolerance = 1e-9;

std::u16string Widen(std::string_view text) {
    return Utf16Of(text);  // model numbers and bodies are ASCII
}

bool Blank(const std::u16string& text) {
    return text.find_first_not_of(u" \t") == std::u16string::npos;
}

// The camera on its pole with a typed tilt, for the lenses' own views of the target.
struct TiltedView {
    double heightAboveTargetM;
    double groundDistanceM;
    double tiltRad;
    double sensorHeightMm;

    bool Contains(double focalMm) const {
        const double halfAngleRad = std::atan(sensorHeightMm / (2 * focalMm));
        const double nearM = NearEdgeM(heightAboveTargetM, tiltRad, halfAngleRad);
        const double farM = FarEdgeM(heightAboveTargetM, tiltRad, halfAngleRad);
        return groundDistanceM >= nearM * (1 - kLevelTolerance) &&
               groundDistanceM <= farM * (1 + kLevelTolerance);
    }
};

std::optional<TiltedView> TiltedViewOf(const CoverageFigures& f, const CoverageInputs& in) {
    if (!in.mounted || in.tiltAimed || !f.mounting || !f.sensorHeightMm)
        return std::nullopt;
    const MountingFigures& m = *f.mounting;
    if (!m.cameraHeightM || !m.targetHeightM || !m.groundDistanceM || !m.tiltDeg)
        return std::nullopt;
    return TiltedView{*m.cameraHeightM - *m.targetHeightM, *m.groundDistanceM,
                      *m.tiltDeg * kRadiansPerDegree, *f.sensorHeightMm};
}

int KindRank(const LensSuggestion& lens) {
    return static_cast<int>(lens.kind);
}

}  // namespace

LensChoice ChooseLenses(const CoverageFigures& f, const CoverageInputs& in,
                        const LensFilter& filter, const NumberFormat& typedIn) {
    LensChoice choice;
    choice.level = in.requiredLevel;
    if (in.requiredLevel < 0 || in.requiredLevel >= static_cast<int>(kDoriLevels.size()) ||
        !f.sensorWidthMm || !f.sensorDiagonalMm || !f.pixelsAcross || !f.depthM)
        return choice;
    if (in.mounted) {
        if (!f.mounting)
            return choice;
        const auto& typed =
            in.distanceIsLineOfSight ? f.mounting->slantDistanceM : f.mounting->groundDistanceM;
        if (!typed)
            return choice;
        choice.distanceM = *typed;
        choice.distance = in.distanceIsLineOfSight ? TypedDistance::AlongTheLineOfSight
                                                   : TypedDistance::OnTheGround;
    } else {
        choice.distanceM = *f.depthM;
    }

    std::optional<double> widthM;
    if (!Blank(in.requiredWidth)) {
        const std::optional<double> typed = ParseNumber(in.requiredWidth, typedIn);
        if (!typed || !std::isfinite(*typed) || !(*typed > 0)) {
            choice.outcome = LensChoice::Outcome::BadWidth;
            return choice;
        }
        widthM = *typed * MetresPerUnit(in.unit);
    }

    const LensCamera camera{*f.sensorWidthMm, *f.sensorDiagonalMm, *f.pixelsAcross};
    const double pxPerMetre = kDoriLevels[static_cast<std::size_t>(in.requiredLevel)].pxPerMetre;
    choice.reaching = CountLensesReaching(camera, *f.depthM, pxPerMetre);
    if (choice.reaching == 0) {
        choice.outcome = LensChoice::Outcome::NoneReach;
        return choice;
    }
    choice.lenses = SuggestLenses(camera, *f.depthM, pxPerMetre, filter);
    const std::optional<TiltedView> view = TiltedViewOf(f, in);
    const auto dropped = [&](const LensSuggestion& lens) {
        return (widthM && lens.sceneWidthM < *widthM * (1 - kWidthTolerance)) ||
               (view && !view->Contains(lens.focalMm));
    };
    choice.lenses.erase(std::remove_if(choice.lenses.begin(), choice.lenses.end(), dropped),
                        choice.lenses.end());
    // Stable: within a kind the widest view stays first, equal ones in catalogue order.
    std::stable_sort(
        choice.lenses.begin(), choice.lenses.end(),
        [](const LensSuggestion& a, const LensSuggestion& b) { return KindRank(a) < KindRank(b); });
    choice.outcome =
        choice.lenses.empty() ? LensChoice::Outcome::NoneKept : LensChoice::Outcome::Listed;
    return choice;
}

LensList ListLensesReaching(const CoverageFigures& figures, const CoverageInputs& inputs,
                            const LensFilter& filter, const NumberFormat& format) {
    const LensChoice choice = ChooseLenses(figures, inputs, filter, format);
    LensList list;
    list.rows.reserve(choice.lenses.size());
    for (const LensSuggestion& lens : choice.lenses) {
        list.rows.push_back(
            {lens, Widen(lens.modelNumber), Widen(lens.description), Widen(KindName(lens.kind)),
             Widen(IrisName(lens.iris)),
             lens.megapixels ? NumberText(*lens.megapixels, format) + u"MP" : std::u16string(),
             FocalLengthText(lens.focalMm, format),
             DensityText(lens.densityPxPerM, inputs.unit, format),
             LengthText(lens.sceneWidthM, inputs.unit, format)});
    }
    list.count = LensCountText(choice, format);
    list.note = LensNoteText(choice, inputs.unit, format);
    return list;
}

std::u16string LensCountText(const LensChoice& choice, const NumberFormat& format) {
    if (choice.outcome != LensChoice::Outcome::Listed)
        return {};
    return NumberText(static_cast<double>(choice.lenses.size()), format) + u" of " +
           NumberText(static_cast<double>(choice.reaching), format) + u" shown";
}

std::u16string LensNoteText(const LensChoice& choice, LengthUnit unit, const NumberFormat& format) {
    // Only the outcomes after the level was checked name it.
    const auto level = [&] { return LevelName(choice.level); };
    std::u16string text;
    switch (choice.outcome) {
        case LensChoice::Outcome::NoFigures:
        case LensChoice::Outcome::Listed:
            break;
        case LensChoice::Outcome::BadWidth:
            text = u"Enter a required width above 0 " + UnitSymbol(unit) + u'.';
            break;
        case LensChoice::Outcome::NoneReach:
            text = u"No lens of the catalogue reaches ";
            text += level();
            text += u" at ";
            AppendRounded(text, choice.distanceM / MetresPerUnit(unit), 2, format);
            text += u' ' + UnitSymbol(unit);
            if (choice.distance == TypedDistance::OnTheGround)
                text += u" on the ground from the pole";
            else if (choice.distance == TypedDistance::AlongTheLineOfSight)
                text += u" along the line of sight";
            text += u" with this camera.";
            break;
        case LensChoice::Outcome::NoneKept:
            if (choice.reaching == 1) {
                text = u"The one lens that reaches ";
                text += level();
                text += u" does not pass the filters.";
            } else {
                text = u"None of the " + NumberText(static_cast<double>(choice.reaching), format) +
                       u" lenses that reach ";
                text += level();
                text += u" passes the filters.";
            }
            break;
    }
    return text;
}

std::u16string FocalLengthNeededNote(const CoverageFigures& figures, std::size_t level) {
    const std::optional<double>& neededMm =
        level < figures.dori.size() ? figures.dori[level].focalLengthNeededMm : std::nullopt;
    if (!neededMm || !figures.sensorDiagonalMm)
        return {};
    const std::optional<FocalFit> fit = FitInCatalogue(*neededMm, *figures.sensorDiagonalMm);
    return fit ? Widen(FocalFitText(*fit)) : std::u16string();
}
