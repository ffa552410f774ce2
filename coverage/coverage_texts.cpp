#include <cmath>

#include "coverage.h"
#include "result_text.h"

namespace {

constexpr char16_t kToTheHorizon[] = u"to the horizon";
constexpr char16_t kNotReached[] = u"Not reached";

// The text of a figure, or the em dash when it has no value.
template <typename Value, typename Write>
std::u16string TextOr(const std::optional<Value>& value, Write write) {
    return value ? write(*value) : std::u16string(kNoResult);
}

}  // namespace

CoverageTexts TextsOf(const CoverageFigures& f, LengthUnit unit, const NumberFormat& format) {
    const auto angle = [&](double degrees) { return AngleText(degrees, format); };
    const auto length = [&](double metres) { return LengthText(metres, unit, format); };
    const auto density = [&](double pxPerMetre) { return DensityText(pxPerMetre, unit, format); };

    CoverageTexts t;
    t.angleH = TextOr(f.angleHDeg, angle);
    t.angleV = TextOr(f.angleVDeg, angle);
    t.angleD = TextOr(f.angleDDeg, angle);
    t.sceneWidth = TextOr(f.sceneWidthM, length);
    t.sceneHeight = TextOr(f.sceneHeightM, length);
    t.density = TextOr(f.densityPxPerM, density);
    t.level = TextOr(f.level, [](int level) { return std::u16string(LevelName(level)); });

    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        const DoriFigures& row = f.dori[i];
        DoriRowTexts& text = t.doriTable[i];
        text.level = kDoriLevels[i].name;
        text.density = density(kDoriLevels[i].pxPerMetre);
        text.farthest = TextOr(row.farthestDepthM, length);
        text.focalLengthNeeded =
            TextOr(row.focalLengthNeededMm, [&](double mm) { return FocalLengthText(mm, format); });
        text.pixelsNeeded =
            TextOr(row.pixelsNeeded, [&](double pixels) { return RoundedText(pixels, 0, format); });
        if (f.mounting) {
            text.groundRange = TextOr(row.groundRangeM, [&](const std::optional<GroundRange>& r) {
                return r ? LengthRangeText(r->nearM, r->farM, unit, format)
                         : std::u16string(kNotReached);
            });
        }
    }

    if (const auto& m = f.mounting) {
        t.slantDistance = TextOr(m->slantDistanceM, length);
        t.tiltAngle = TextOr(m->tiltDeg, angle);
        t.blindZone = TextOr(m->blindZoneM, length);
        t.nearEdgeGround = TextOr(m->nearEdgeGroundM, length);
        t.farEdgeGround = TextOr(m->farEdgeGroundM, [&](double metres) {
            return std::isinf(metres) ? std::u16string(kToTheHorizon) : length(metres);
        });
    }
    return t;
}

std::array<ResultItem, kResultCount> ResultList(const CoverageTexts& t) {
    return {{
        {"angleH", u"Horizontal angle of view", false, t.angleH},
        {"angleV", u"Vertical angle of view", false, t.angleV},
        {"angleD", u"Diagonal angle of view", false, t.angleD},
        {"sceneWidth", u"Scene width at the target", false, t.sceneWidth},
        {"sceneHeight", u"Scene height at the target", false, t.sceneHeight},
        {"density", u"Pixel density across the scene", false, t.density},
        {"level", u"DORI level reached", false, t.level},
        {"slantDistance", u"Distance along the line of sight", true, t.slantDistance},
        {"tiltAngle", u"Tilt below the horizontal", true, t.tiltAngle},
        {"blindZone", u"Blind zone (target not seen whole)", true, t.blindZone},
        {"nearEdgeGround", u"View meets the ground from", true, t.nearEdgeGround},
        {"farEdgeGround", u"View meets the ground up to", true, t.farEdgeGround},
    }};
}
