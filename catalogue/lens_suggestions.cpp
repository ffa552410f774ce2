#include "lens_suggestions.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "focal_range.h"
#include "sensor_format.h"

namespace {

constexpr double kRelativeTolerance = 1e-9;

bool PositiveFinite(double value) {
    return std::isfinite(value) && value > 0;
}

bool WithinTolerance(double a, double b) {
    return std::abs(a - b) <= kRelativeTolerance * std::max(a, b);
}

bool AtLeast(double value, double bound) {
    return value >= bound || WithinTolerance(value, bound);
}

// The lens formats of the catalogue carry the sensor format's nominal diagonal; a format the
// table does not know covers nothing.
double CoveredDiagonalMm(std::string_view lensFormat) {
    for (const SensorFormat& format : kSensorFormats) {
        if (format.inches == lensFormat)
            return format.diagonalMm;
    }
    return 0;
}

// A row of the catalogue with what the suggestions need of it, read once: the catalogue does
// not change while the program runs, and the list is rebuilt on every edit in the window.
struct Lens {
    const CatalogueGroup* group;
    const CatalogueRow* row;
    FocalRange range;
    double coveredDiagonalMm;
    std::size_t model;  // the position of the first lens with this model number
};

const std::vector<Lens>& Lenses() {
    static const std::vector<Lens> lenses = [] {
        std::vector<Lens> read;
        for (const CatalogueGroup& group : CatalogueGroups()) {
            for (const CatalogueRow& row : group.rows) {
                const std::optional<FocalRange> range = FocalRangeOf(row.body);
                if (!range)
                    continue;
                const auto first = std::find_if(read.begin(), read.end(), [&](const Lens& lens) {
                    return lens.row->modelNumber == row.modelNumber;
                });
                const auto model = static_cast<std::size_t>(first - read.begin());
                read.push_back({&group, &row, *range, CoveredDiagonalMm(group.lensFormat), model});
            }
        }
        return read;
    }();
    return lenses;
}

struct Setting {
    const Lens* lens;
    double focalMm;
};

}  // namespace

std::vector<LensSuggestion> SuggestLenses(const LensCamera& camera, double depthM,
                                          double requiredPxPerM) {
    if (!PositiveFinite(camera.sensorWidthMm) || !PositiveFinite(camera.sensorDiagonalMm) ||
        !PositiveFinite(camera.pixelsAcross) || !PositiveFinite(depthM) ||
        !PositiveFinite(requiredPxPerM))
        return {};
    double neededMm = requiredPxPerM * camera.sensorWidthMm * depthM / camera.pixelsAcross;
    if (!PositiveFinite(neededMm))
        return {};

    const std::vector<Lens>& lenses = Lenses();
    const auto covers = [&](const Lens& lens) {
        return AtLeast(lens.coveredDiagonalMm, camera.sensorDiagonalMm);
    };
    // A needed focal length that is a catalogue figure but for rounding (a density computed as
    // exactly the level's) is that figure: every lens that reaches it is then set alike, and
    // those set to it tie in catalogue order.
    for (const Lens& lens : lenses) {
        for (const double endMm : {lens.range.shortestMm, lens.range.longestMm}) {
            if (covers(lens) && WithinTolerance(endMm, neededMm))
                neededMm = endMm;
        }
    }
    std::vector<Setting> settings;
    settings.reserve(lenses.size());
    for (const Lens& lens : lenses) {
        if (covers(lens) && lens.range.longestMm >= neededMm)
            settings.push_back(
                {&lens, std::clamp(neededMm, lens.range.shortestMm, lens.range.longestMm)});
    }
    // Stable, so that equal focal lengths keep catalogue order and the first lens of a model
    // number met from here on is its widest view.
    std::stable_sort(settings.begin(), settings.end(),
                     [](const Setting& a, const Setting& b) { return a.focalMm < b.focalMm; });

    std::vector<LensSuggestion> suggestions;
    suggestions.reserve(settings.size());
    std::vector<bool> listed(lenses.size());
    for (const auto& [lens, focalMm] : settings) {
        if (listed[lens->model])
            continue;
        listed[lens->model] = true;
        const double sceneWidthM = depthM * camera.sensorWidthMm / focalMm;
        const double densityPxPerM = camera.pixelsAcross / sceneWidthM;
        if (!PositiveFinite(sceneWidthM) || !PositiveFinite(densityPxPerM))
            return {};
        suggestions.push_back({std::string(lens->row->modelNumber),
                               DescriptionLine(*lens->group, *lens->row), focalMm, densityPxPerM,
                               sceneWidthM});
    }
    return suggestions;
}
