#include <cmath>

#include "coverage.h"
#include "result_text.h"

namespace {

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
    // A farthest distance typed as shown must still reach the level.
    const auto farthest = [&](double metres) {
        return LengthText(metres, unit, format, Rounding::Down);
    };

    CoverageTexts t;
    t.angleH = TextOr(f.angleHDeg, angle);
    t.angleV = TextOr(f.angleVDeg, angle);
    t.angleD = TextOr(f.angleDDeg, angle);
    t.sceneWidth = TextOr(f.sceneWidthM, length);
    t.sceneHeight = TextOr(f.sceneHeightM, length);
    t.density = TextOr(f.densityPxPerM, density);
    if (f.mounting && f.mounting->targetInView == false)
        t.level = kNotInViewName;
    else
        t.level = TextOr(f.level, [](int level) { return std::u16string(LevelName(level)); });

    for (std::size_t i = 0; i < kDoriLevels.size(); ++i) {
        const DoriFigures& row = f.dori[i];
        DoriRowTexts& text = t.doriTable[i];
        text.level = kDoriLevels[i].name;
        text.density = density(kDoriLevels[i].pxPerMetre);
        text.focalLengthNeeded = TextOr(row.focalLengthNeededMm, [&](double mm) {
            return FocalLengthText(mm, format, Rounding::Up);
        });
        text.pixelsNeeded = TextOr(row.pixelsNeeded, [&](double pixels) {
            return RoundedText(pixels, 0, format, Rounding::Up);
        });
        if (f.mounting) {
            text.farthest = TextOr(row.farthestGroundM, [&](const std::optional<double>& ground) {
                return ground ? farthest(*ground) : std::u16string(kNotReached);
            });
            text.groundRange = TextOr(row.groundRangeM, [&](const std::optional<GroundRange>& r) {
                return r ? LengthRangeText(r->nearM, r->farM, unit, format)
                         : std::u16string(kNotReached);
            });
        } else {
            text.farthest = TextOr(row.farthestDepthM, farthest);
        }
    }

    if (const auto& m = f.mounting) {
        t.slantDistance = TextOr(m->slantDistanceM, length);
        t.tiltAngle = TextOr(m->tiltDeg, [&](double degrees) {
            return degrees < 0 ? VerticalAngleText(degrees, format) : angle(degrees);
        });
        t.lookDownAngle = TextOr(m->lookDownAngleDeg, [&](double degrees) {
            return VerticalAngleText(degrees, format);
        });
        t.blindZone = TextOr(m->blindZoneM, [&](double metres) {
            return std::isinf(metres) ? std::u16string(kEverywhere) : length(metres);
        });
        const bool meetsGround = !(m->nearEdgeGroundM && std::isinf(*m->nearEdgeGroundM));
        t.nearEdgeGround = TextOr(m->nearEdgeGroundM, [&](double metres) {
            return meetsGround ? length(metres) : std::u16string(kNowhere);
        });
        t.farEdgeGround = TextOr(m->farEdgeGroundM, [&](double metres) {
            return !meetsGround         ? std::u16string(kNowhere)
                   : std::isinf(metres) ? std::u16string(kToTheHorizon)
                                        : length(metres);
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
        {"lookDownAngle", u"Look-down angle at the target", true, t.lookDownAngle},
    }};
}

std::u16string_view DistanceInputCaption(DistanceKind kind) {
    switch (kind) {
        case DistanceKind::AlongTheLineOfSight:
            return u"Distance along the line of sight";
        case DistanceKind::OnTheGround:
            return u"Distance on the ground from the pole";
        case DistanceKind::ToTheTarget:
            break;
    }
    return u"Distance to the target";
}

std::u16string_view FarthestCaption(DistanceKind kind) {
    return kind == DistanceKind::OnTheGround ? u"Farthest distance on the ground from the pole"
                                             : u"Farthest distance along the line of sight";
}
