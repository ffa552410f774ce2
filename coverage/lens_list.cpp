#include "lens_list.h"

#include "design_sheet.h"
#include "lens_suggestions.h"
#include "result_text.h"

namespace {

std::u16string Widen(const std::string& text) {
    return std::u16string(text.begin(), text.end());  // model numbers and bodies are ASCII
}

}  // namespace

LensList ListLensesReaching(const CoverageFigures& figures, int level, LengthUnit unit,
                            const NumberFormat& format) {
    LensList list;
    if (level < 0 || level >= static_cast<int>(kDoriLevels.size()) || !figures.sensorWidthMm ||
        !figures.sensorDiagonalMm || !figures.pixelsAcross || !figures.depthM)
        return list;
    const DoriLevel& wanted = kDoriLevels[static_cast<std::size_t>(level)];
    const LensCamera camera{*figures.sensorWidthMm, *figures.sensorDiagonalMm,
                            *figures.pixelsAcross};
    for (const LensSuggestion& lens : SuggestLenses(camera, *figures.depthM, wanted.pxPerMetre)) {
        list.rows.push_back({Widen(lens.modelNumber), Widen(lens.description),
                             FocalLengthText(lens.focalMm, format),
                             DensityText(lens.densityPxPerM, unit, format),
                             LengthText(lens.sceneWidthM, unit, format)});
    }
    if (list.rows.empty())
        list.note = NoLensText(level, *figures.depthM, unit, format);
    return list;
}
