#include "focal_limits.h"

#include <algorithm>
#include <cmath>

#include "lens_table.h"

std::optional<FocalFit> FitInCatalogue(double focalMm, double sensorDiagonalMm) {
    if (!std::isfinite(focalMm) || !(focalMm > 0) || !std::isfinite(sensorDiagonalMm) ||
        !(sensorDiagonalMm > 0))
        return std::nullopt;
    std::optional<FocalRange> span;
    for (const CatalogueLens& lens : CatalogueLenses()) {
        if (!Covers(lens, sensorDiagonalMm))
            continue;
        if (!span)
            span = lens.range;
        span->shortestMm = std::min(span->shortestMm, lens.range.shortestMm);
        span->longestMm = std::max(span->longestMm, lens.range.longestMm);
    }
    if (!span)
        return std::nullopt;
    if (focalMm < span->shortestMm && !NearlyEqual(focalMm, span->shortestMm))
        return FocalFit::ShorterThanAny;
    if (focalMm > span->longestMm && !NearlyEqual(focalMm, span->longestMm))
        return FocalFit::LongerThanAny;
    return FocalFit::Within;
}

std::string_view FocalFitText(FocalFit fit) {
    switch (fit) {
        case FocalFit::ShorterThanAny:
            return "shorter than any lens of the catalogue";
        case FocalFit::LongerThanAny:
            return "longer than any lens of the catalogue";
        case FocalFit::Within:
            break;
    }
    return {};
}
