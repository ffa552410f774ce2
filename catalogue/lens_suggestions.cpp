#include "lens_suggestions.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "catalogue.h"
#include "lens_table.h"

namespace {

bool PositiveFinite(double value) {
    return std::isfinite(value) && value > 0;
}

struct Setting {
    const CatalogueLens* lens;
    double focalMm;
};

// The kept rows that reach the density, one per model number, the widest view first; no value
// when a figure cannot be computed.
std::optional<std::vector<Setting>> Reaching(const LensCamera& camera, double depthM,
                                             double requiredPxPerM, const LensFilter& filter) {
    if (!PositiveFinite(camera.sensorWidthMm) || !PositiveFinite(camera.sensorDiagonalMm) ||
        !PositiveFinite(camera.pixelsAcross) || !PositiveFinite(depthM) ||
        !PositiveFinite(requiredPxPerM))
        return std::nullopt;
    double neededMm = requiredPxPerM * camera.sensorWidthMm * depthM / camera.pixelsAcross;
    if (!PositiveFinite(neededMm))
        return std::nullopt;

    const std::vector<CatalogueLens>& lenses = CatalogueLenses();
    // A needed focal length that is a catalogue figure but for rounding (a density computed as
    // exactly the level's) is that figure: every lens that reaches it is then set alike, and
    // those set to it tie in catalogue order.
    for (const CatalogueLens& lens : lenses) {
        for (const double endMm : {lens.range.shortestMm, lens.range.longestMm}) {
            if (Covers(lens, camera.sensorDiagonalMm) && NearlyEqual(endMm, neededMm))
                neededMm = endMm;
        }
    }
    std::vector<Setting> settings;
    settings.reserve(lenses.size());
    for (const CatalogueLens& lens : lenses) {
        if (Covers(lens, camera.sensorDiagonalMm) && lens.range.longestMm >= neededMm &&
            filter.Keeps(lens.kind, lens.group->iris, lens.megapixels))
            settings.push_back(
                {&lens, std::clamp(neededMm, lens.range.shortestMm, lens.range.longestMm)});
    }
    // Stable, so that equal focal lengths keep catalogue order and the first lens of a model
    // number met from here on is its widest view.
    std::stable_sort(settings.begin(), settings.end(),
                     [](const Setting& a, const Setting& b) { return a.focalMm < b.focalMm; });
    std::vector<Setting> entries;
    entries.reserve(settings.size());
    std::vector<bool> listed(lenses.size());
    for (const Setting& setting : settings) {
        if (listed[setting.lens->model])
            continue;
        listed[setting.lens->model] = true;
        const double sceneWidthM = depthM * camera.sensorWidthMm / setting.focalMm;
        if (!PositiveFinite(sceneWidthM) || !PositiveFinite(camera.pixelsAcross / sceneWidthM))
            return std::nullopt;
        entries.push_back(setting);
    }
    return entries;
}

}  // namespace

std::vector<LensSuggestion> SuggestLenses(const LensCamera& camera, double depthM,
                                          double requiredPxPerM, const LensFilter& filter) {
    const std::optional<std::vector<Setting>> settings =
        Reaching(camera, depthM, requiredPxPerM, filter);
    if (!settings)
        return {};
    std::vector<LensSuggestion> suggestions;
    suggestions.reserve(settings->size());
    for (const auto& [lens, focalMm] : *settings) {
        const double sceneWidthM = depthM * camera.sensorWidthMm / focalMm;
        const double densityPxPerM = camera.pixelsAcross / sceneWidthM;
        suggestions.push_back(
            {std::string(lens->row->modelNumber), DescriptionLine(*lens->group, *lens->row),
             lens->kind, lens->group->iris, lens->megapixels, focalMm, densityPxPerM, sceneWidthM});
    }
    return suggestions;
}

std::size_t CountLensesReaching(const LensCamera& camera, double depthM, double requiredPxPerM) {
    const std::optional<std::vector<Setting>> settings =
        Reaching(camera, depthM, requiredPxPerM, LensFilter{});
    return settings ? settings->size() : 0;
}
