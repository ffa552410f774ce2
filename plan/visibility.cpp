#include "visibility.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTurn = 2 * kPi;
// Bearings this close are one: far below any angle a plan shows, far above rounding in a turn.
constexpr double kAngleTolerance = 1e-12;

double Radians(double degrees) {
    return degrees * kPi / 180;
}

Point Direction(double bearingRad) {
    return {std::cos(bearingRad), std::sin(bearingRad)};
}

// How far the bearing of p (from the origin) is past the start, counter-clockwise: [0, 2π).
double OffsetOf(Point p, double startRad) {
    double offset = std::fmod(std::atan2(p.y, p.x) - startRad, kTurn);
    if (offset < 0)
        offset += kTurn;
    return offset < kTurn ? offset : 0;
}

Segment Relative(const Segment& wall, Point eye) {
    return {wall.a - eye, wall.b - eye};
}

// The distance from the origin to the wall's line; the wall has a length.
double LineDistance(const Segment& wall) {
    const Point along = wall.b - wall.a;
    return std::fabs(Cross(wall.a, along)) / std::hypot(along.x, along.y);
}

// How far out along a unit direction from the origin the wall's line lies; +infinity when the
// direction runs along it.
double ReachAlong(Point direction, const Segment& wall) {
    const Point along = wall.b - wall.a;
    const double across = Cross(direction, along);
    return across == 0 ? std::numeric_limits<double>::infinity() : Cross(wall.a, along) / across;
}

// The part of the wall within a radius of the origin; none where it has no length there.
std::optional<Segment> ClippedToDisk(const Segment& wall, double radius) {
    const Point along = wall.b - wall.a;
    const double a = Dot(along, along);
    const double halfB = Dot(wall.a, along);
    const double c = Dot(wall.a, wall.a) - radius * radius;
    const double discriminant = halfB * halfB - a * c;
    if (a == 0 || !(discriminant > 0))
        return std::nullopt;
    const double root = std::sqrt(discriminant);
    const double from = std::max(0.0, (-halfB - root) / a);
    const double to = std::min(1.0, (-halfB + root) / a);
    if (!(from < to))
        return std::nullopt;
    return Segment{wall.a + from * along, wall.a + to * along};
}

// Where two walls cross, strictly inside both.
std::optional<Point> Crossing(const Segment& p, const Segment& q) {
    const Point r = p.b - p.a;
    const Point s = q.b - q.a;
    const double across = Cross(r, s);
    if (across == 0)
        return std::nullopt;
    const double t = Cross(q.a - p.a, s) / across;
    const double u = Cross(q.a - p.a, r) / across;
    if (!(t > 0 && t < 1 && u > 0 && u < 1))
        return std::nullopt;
    return p.a + t * r;
}

// The wall (relative to the eye) that the ray meets first, if any.
std::optional<std::size_t> NearestWall(Point direction, const std::vector<Segment>& walls) {
    std::optional<std::size_t> nearest;
    double nearestReach = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const Segment& wall = walls[i];
        const Point along = wall.b - wall.a;
        const double across = Cross(direction, along);
        if (across == 0)
            continue;
        const double reach = Cross(wall.a, along) / across;
        const double at = Cross(wall.a, direction) / across;
        if (reach > 0 && at >= 0 && at <= 1 && reach < nearestReach) {
            nearest = i;
            nearestReach = reach;
        }
    }
    return nearest;
}

// The walls that can stop the view, relative to the eye and cut to the range (see the header
// for the ones left out).
std::vector<Segment> StoppingWalls(Point eye, double farM, const std::vector<Segment>& walls) {
    std::vector<Segment> stopping;
    for (const Segment& wall : walls) {
        const Segment relative = Relative(wall, eye);
        if (!(Distance(relative.a, relative.b) > kPlanToleranceM) ||
            !(LineDistance(relative) > kPlanToleranceM))
            continue;
        if (const std::optional<Segment> clipped = ClippedToDisk(relative, farM))
            stopping.push_back(*clipped);
    }
    return stopping;
}

// The offsets from the start bearing at which what the view ends on may change: the wedge's
// edges, the walls' ends and their crossings. Sorted, none closer than kAngleTolerance.
std::vector<double> Cuts(const std::vector<Segment>& walls, double startRad, double fovRad) {
    std::vector<double> offsets;
    const auto add = [&](Point p) {
        const double offset = OffsetOf(p, startRad);
        if (offset > 0 && offset < fovRad)
            offsets.push_back(offset);
    };
    for (std::size_t i = 0; i < walls.size(); ++i) {
        add(walls[i].a);
        add(walls[i].b);
        for (std::size_t j = i + 1; j < walls.size(); ++j) {
            if (const std::optional<Point> crossing = Crossing(walls[i], walls[j]))
                add(*crossing);
        }
    }
    std::sort(offsets.begin(), offsets.end());
    std::vector<double> cuts{0};
    for (const double offset : offsets) {
        if (offset - cuts.back() > kAngleTolerance && fovRad - offset > kAngleTolerance)
            cuts.push_back(offset);
    }
    cuts.push_back(fovRad);
    return cuts;
}

// The bearings within the span over which its wall lies beyond nearM: a wall's line comes
// nearer than nearM over at most one stretch of bearings, around the foot of the perpendicular.
std::vector<ViewSpan> BeyondNear(const ViewSpan& span, Point eye, double nearM) {
    const Segment wall = Relative(*span.wall, eye);
    const double distance = LineDistance(wall);
    if (distance >= nearM)
        return {span};
    const Point along = wall.b - wall.a;
    const Point foot = wall.a - (Dot(wall.a, along) / Dot(along, along)) * along;
    const double footRad = std::atan2(foot.y, foot.x);
    const double halfRad = std::acos(distance / nearM);
    std::vector<double> bearings{span.fromRad};
    for (const double cut : {footRad - halfRad, footRad + halfRad}) {
        const double inSpan =
            span.fromRad + std::fmod(std::fmod(cut - span.fromRad, kTurn) + kTurn, kTurn);
        if (inSpan < span.toRad)
            bearings.push_back(inSpan);
    }
    std::sort(bearings.begin(), bearings.end());
    bearings.push_back(span.toRad);
    std::vector<ViewSpan> kept;
    for (std::size_t i = 0; i + 1 < bearings.size(); ++i) {
        const double middle = (bearings[i] + bearings[i + 1]) / 2;
        if (bearings[i + 1] - bearings[i] > kAngleTolerance &&
            ReachAlong(Direction(middle), wall) > nearM)
            kept.push_back({bearings[i], bearings[i + 1], span.wall});
    }
    return kept;
}

// Where the span's far boundary is at a bearing. A wall's reach is kept within nearM..farM: where
// a span ends because the wall meets the near or far circle, the wall's line and the circle,
// worked out each its own way, then give the one point, so that the outline does not turn back
// on itself by a rounding error (a wall that all but points at the eye meets the near circle at
// a bearing that a rounding error moves by micrometres along it).
Point OnBoundary(const View& view, const ViewSpan& span, double bearingRad) {
    const Point direction = Direction(bearingRad);
    const double reach = span.wall
                             ? std::clamp(ReachAlong(direction, Relative(*span.wall, view.eye)),
                                          view.nearM, view.farM)
                             : view.farM;
    return view.eye + reach * direction;
}

// The arc from one bearing to the other (either way round), both ends included, as chords whose
// sagitta is at most the tolerance.
void AppendArc(Polygon& outline, Point centre, double radius, double fromRad, double toRad,
               double toleranceM) {
    double step = kTurn / kMostChordsInATurn;
    if (toleranceM < radius)
        step = std::max(step, 2 * std::acos(1 - toleranceM / radius));
    const int chords = std::max(1, static_cast<int>(std::ceil(std::fabs(toRad - fromRad) / step)));
    for (int i = 0; i <= chords; ++i)
        outline.push_back(centre + radius * Direction(fromRad + (toRad - fromRad) * i / chords));
}

void AppendOuter(Polygon& outline, const View& view, const std::vector<ViewSpan>& spans,
                 double toleranceM) {
    for (const ViewSpan& span : spans) {
        if (span.wall) {
            outline.push_back(OnBoundary(view, span, span.fromRad));
            outline.push_back(OnBoundary(view, span, span.toRad));
        } else {
            AppendArc(outline, view.eye, view.farM, span.fromRad, span.toRad, toleranceM);
        }
    }
}

// Consecutive points that are one are kept once, the last not repeating the first. Far from the
// eye, one wall end and the arc through it, worked out along different lines, may part by more
// than kPlanToleranceM: what rounding gives there counts as one too.
Polygon WithoutRepeats(const Polygon& outline, double farM) {
    const double sameM = std::max(kPlanToleranceM, farM * 1e-11);
    Polygon kept;
    for (const Point p : outline) {
        if (kept.empty() || Distance(p, kept.back()) > sameM)
            kept.push_back(p);
    }
    while (kept.size() > 1 && Distance(kept.front(), kept.back()) <= sameM)
        kept.pop_back();
    return kept;
}

// The span holding the bearing is split there, so that a piece may end at it.
void SplitAt(std::vector<ViewSpan>& spans, double bearingRad) {
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].fromRad < bearingRad && bearingRad < spans[i].toRad) {
            ViewSpan rest = spans[i];
            rest.fromRad = bearingRad;
            spans[i].toRad = bearingRad;
            spans.insert(spans.begin() + static_cast<std::ptrdiff_t>(i) + 1, rest);
            return;
        }
    }
}

std::vector<std::vector<ViewSpan>> Pieces(const View& view) {
    std::vector<std::vector<ViewSpan>> pieces;
    for (const ViewSpan& span : view.spans) {
        if (pieces.empty() || span.fromRad - pieces.back().back().toRad > kAngleTolerance)
            pieces.emplace_back();
        pieces.back().push_back(span);
    }
    // All round, the wedge's start and end are one bearing: a piece across it is one piece.
    if (view.allRound && pieces.size() > 1) {
        const double startRad = view.spans.front().fromRad;
        if (pieces.front().front().fromRad - startRad <= kAngleTolerance &&
            startRad + kTurn - pieces.back().back().toRad <= kAngleTolerance) {
            for (ViewSpan span : pieces.front()) {
                span.fromRad += kTurn;
                span.toRad += kTurn;
                pieces.back().push_back(span);
            }
            pieces.erase(pieces.begin());
        }
    }
    return pieces;
}

// WallsInSight splits the wedge into bins of bearing; in each it keeps the distance past which a
// nearer wall across the whole bin hides everything. Fine enough that a wall in sight over only a
// sliver of bearings is rarely kept for nothing, few enough to go over quickly.
constexpr double kSightBinRad = 0.002;
constexpr std::size_t kMostSightBins = 2048;
// How far WallsInSight errs towards keeping a wall: in bearing, and relative to a distance.
constexpr double kSightMarginRad = 1e-9;
constexpr double kSightMargin = 1e-9;

// A wall that may be in sight, relative to the eye: how near it comes, whether it can hide what
// lies behind it (not one that passes within a rounding error of the eye), and once weighed, the
// offsets from the wedge's start over which it lies (fromRad in [0, 2π), toRad at most π later).
struct SightCandidate {
    std::size_t index;
    Segment relative;
    double nearestM;
    bool hides;
    double fromRad = 0;
    double toRad = 0;
};

// The wall relative to the eye as a candidate, or none when it lies beyond farM or, for a wedge
// no wider than a half turn, wholly on the outer side of one of its edges. Squared lengths, so
// that the many walls far off cost a few products each.
std::optional<SightCandidate> CandidateOf(std::size_t index, const Segment& relative, double farM,
                                          Point startEdge, Point endEdge, bool narrow) {
    const Point along = relative.b - relative.a;
    const double length2 = Dot(along, along);
    if (!(length2 > 0))
        return std::nullopt;
    const double t = std::clamp(-Dot(relative.a, along) / length2, 0.0, 1.0);
    const Point nearest = relative.a + t * along;
    const double nearest2 = Dot(nearest, nearest);
    if (!(nearest2 <= farM * farM * (1 + kSightMargin)))
        return std::nullopt;
    const auto beyond = [&](Point edge, double outward) {
        return outward * Cross(edge, relative.a) > kPlanToleranceM &&
               outward * Cross(edge, relative.b) > kPlanToleranceM;
    };
    if (narrow && (beyond(startEdge, -1) || beyond(endEdge, 1)))
        return std::nullopt;
    const double across = Cross(relative.a, along);
    const double margin2 = 4 * kPlanToleranceM * kPlanToleranceM;
    const bool hides = length2 > margin2 && across * across > margin2 * length2;
    return SightCandidate{index, relative, std::sqrt(nearest2), hides};
}

class SightBins {
  public:
    SightBins(double startRad, double widthRad)
        : m_startRad(startRad),
          m_widthRad(widthRad),
          m_hiddenPastM(
              std::clamp<std::size_t>(static_cast<std::size_t>(std::ceil(widthRad / kSightBinRad)),
                                      1, kMostSightBins),
              std::numeric_limits<double>::infinity()),
          m_binRad(widthRad / static_cast<double>(m_hiddenPastM.size())),
          m_edges(m_hiddenPastM.size() + 1),
          m_edgeKnown(m_edges.size(), 0) {}

    // Whether the wall is nearer than the distance past which some bin it meets hides all; if
    // so, it then hides what lies behind it in the bins it spans.
    bool Keep(const SightCandidate& wall) {
        bool seen = false;
        ForEachStretch(wall, [&](double fromRad, double toRad) {
            const auto [first, last] = BinsMeeting(fromRad, toRad);
            for (std::size_t bin = first; bin <= last && !seen; ++bin)
                seen = wall.nearestM <= m_hiddenPastM[bin];
        });
        if (!seen || !wall.hides)
            return seen;
        const double bins = static_cast<double>(m_hiddenPastM.size());
        for (const double turn : {0.0, -kTurn}) {
            const double first = std::ceil((wall.fromRad + turn + kSightMarginRad) / m_binRad);
            const double end = std::floor((wall.toRad + turn - kSightMarginRad) / m_binRad);
            for (double bin = std::max(0.0, first); bin < std::min(end, bins); ++bin) {
                const auto at = static_cast<std::size_t>(bin);
                const double reach = std::max(ReachAlong(Edge(at), wall.relative),
                                              ReachAlong(Edge(at + 1), wall.relative));
                m_hiddenPastM[at] =
                    std::min(m_hiddenPastM[at], reach * (1 + kSightMargin) + kPlanToleranceM);
            }
        }
        return true;
    }

    // The distance past which every bin hides all: no wall farther off is in sight.
    double HiddenPastM() const {
        return *std::max_element(m_hiddenPastM.begin(), m_hiddenPastM.end());
    }

  private:
    // The wall's offsets cut to the wedge, those past a whole turn coming round again to its
    // start.
    template <typename Visit>
    void ForEachStretch(const SightCandidate& wall, Visit visit) const {
        for (const double turn : {0.0, -kTurn}) {
            const double fromRad = std::max(0.0, wall.fromRad + turn);
            const double toRad = std::min(m_widthRad, wall.toRad + turn);
            if (fromRad - kSightMarginRad <= toRad + kSightMarginRad)
                visit(fromRad, toRad);
        }
    }

    std::pair<std::size_t, std::size_t> BinsMeeting(double fromRad, double toRad) const {
        const double last = static_cast<double>(m_hiddenPastM.size() - 1);
        const double first = std::floor((fromRad - kSightMarginRad) / m_binRad);
        const double end = std::floor((toRad + kSightMarginRad) / m_binRad);
        return {static_cast<std::size_t>(std::clamp(first, 0.0, last)),
                static_cast<std::size_t>(std::clamp(end, 0.0, last))};
    }

    // The direction of a bin's edge, worked out when first needed: a narrow view's walls in sight
    // span few of them.
    Point Edge(std::size_t edge) {
        if (!m_edgeKnown[edge]) {
            m_edges[edge] = Direction(m_startRad + static_cast<double>(edge) * m_binRad);
            m_edgeKnown[edge] = 1;
        }
        return m_edges[edge];
    }

    double m_startRad;
    double m_widthRad;
    std::vector<double> m_hiddenPastM;  // per bin
    double m_binRad;
    std::vector<Point> m_edges;
    std::vector<char> m_edgeKnown;
};

}  // namespace

std::vector<Segment> WallsInSight(Point eye, double headingDeg, double fovDeg, double farM,
                                  const std::vector<Segment>& walls) {
    if (!std::isfinite(eye.x) || !std::isfinite(eye.y) || !std::isfinite(headingDeg) ||
        !(fovDeg > 0) || !(farM > 0) || !std::isfinite(farM))
        return {};
    const bool allRound = fovDeg >= 360;
    const double fovRad = allRound ? kTurn : Radians(fovDeg);
    const double startRad = Radians(headingDeg) - fovRad / 2;
    const Point startEdge = Direction(startRad), endEdge = Direction(startRad + fovRad);

    std::vector<SightCandidate> candidates;
    for (std::size_t i = 0; i < walls.size(); ++i) {
        if (std::optional<SightCandidate> candidate =
                CandidateOf(i, Relative(walls[i], eye), farM, startEdge, endEdge, fovRad <= kPi))
            candidates.push_back(*candidate);
    }
    // Roughly nearest first, by rings of distance, so that a wall is mostly weighed after the
    // walls that hide it. The order is only for speed: a wall is left out only when walls weighed
    // before it hide it, whatever the order.
    constexpr std::size_t kRings = 64;
    const auto ringOf = [&](const SightCandidate& candidate) {
        return std::min(kRings - 1, static_cast<std::size_t>(candidate.nearestM / farM * kRings));
    };
    std::vector<std::size_t> ringStarts(kRings + 1, 0);
    for (const SightCandidate& candidate : candidates)
        ++ringStarts[ringOf(candidate) + 1];
    for (std::size_t ring = 0; ring < kRings; ++ring)
        ringStarts[ring + 1] += ringStarts[ring];
    std::vector<std::size_t> order(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        order[ringStarts[ringOf(candidates[i])]++] = i;

    SightBins bins(startRad, fovRad);
    double hiddenPastM = std::numeric_limits<double>::infinity();
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < order.size(); ++i) {
        SightCandidate& candidate = candidates[order[i]];
        // Now and then, whether the walls weighed so far hide all from here on.
        if (i % 256 == 255)
            hiddenPastM = bins.HiddenPastM();
        if (candidate.nearestM > hiddenPastM)
            continue;
        const Point& relative = candidate.relative.a;
        const double across = Cross(relative, candidate.relative.b);
        candidate.fromRad = OffsetOf(across > 0 ? relative : candidate.relative.b, startRad);
        candidate.toRad =
            candidate.fromRad + std::atan2(std::fabs(across), Dot(relative, candidate.relative.b));
        if (!allRound && candidate.fromRad > fovRad + kSightMarginRad &&
            candidate.toRad < kTurn - kSightMarginRad)
            continue;
        if (bins.Keep(candidate))
            kept.push_back(candidate.index);
    }
    std::sort(kept.begin(), kept.end());
    std::vector<Segment> inSight;
    inSight.reserve(kept.size());
    for (const std::size_t i : kept)
        inSight.push_back(walls[i]);
    return inSight;
}

View VisibleView(Point eye, double headingDeg, double fovDeg, double nearM, double farM,
                 const std::vector<Segment>& walls) {
    View view{eye, nearM, farM, false, {}};
    if (!std::isfinite(eye.x) || !std::isfinite(eye.y) || !std::isfinite(headingDeg) ||
        !(fovDeg > 0) || !(nearM >= 0) || !(farM > nearM) || !std::isfinite(farM))
        return view;
    view.allRound = fovDeg >= 360;
    const double fovRad = view.allRound ? kTurn : Radians(fovDeg);
    const double startRad = Radians(headingDeg) - fovRad / 2;

    const std::vector<Segment> stopping = StoppingWalls(eye, farM, walls);
    const std::vector<double> cuts = Cuts(stopping, startRad, fovRad);
    std::optional<std::size_t> previous;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double fromRad = startRad + cuts[i];
        const double toRad = startRad + cuts[i + 1];
        const std::optional<std::size_t> wall =
            NearestWall(Direction((fromRad + toRad) / 2), stopping);
        if (!view.spans.empty() && wall == previous) {
            view.spans.back().toRad = toRad;
            continue;
        }
        std::optional<Segment> absolute;
        if (wall)
            absolute = Segment{stopping[*wall].a + eye, stopping[*wall].b + eye};
        view.spans.push_back({fromRad, toRad, absolute});
        previous = wall;
    }
    if (nearM > 0) {
        std::vector<ViewSpan> beyond;
        for (const ViewSpan& span : view.spans) {
            if (!span.wall) {
                beyond.push_back(span);
                continue;
            }
            for (const ViewSpan& part : BeyondNear(span, eye, nearM))
                beyond.push_back(part);
        }
        view.spans = beyond;
    }
    return view;
}

double Area(const View& view) {
    double area = 0;
    for (const ViewSpan& span : view.spans) {
        const double widthRad = span.toRad - span.fromRad;
        const double nearSector = view.nearM * view.nearM * widthRad / 2;
        if (span.wall) {
            const Point from = OnBoundary(view, span, span.fromRad) - view.eye;
            const Point to = OnBoundary(view, span, span.toRad) - view.eye;
            area += Cross(from, to) / 2 - nearSector;
        } else {
            area += view.farM * view.farM * widthRad / 2 - nearSector;
        }
    }
    return area;
}

std::vector<Polygon> Outline(const View& view, double arcToleranceM) {
    const double toleranceM = std::min(arcToleranceM, (view.farM - view.nearM) / 4);
    std::vector<std::vector<ViewSpan>> pieces = Pieces(view);
    std::vector<Polygon> outlines;
    if (pieces.size() == 1 &&
        pieces.front().back().toRad - pieces.front().front().fromRad >= kTurn - kAngleTolerance) {
        if (view.nearM == 0) {
            Polygon outline;
            AppendOuter(outline, view, pieces.front(), toleranceM);
            outlines.push_back(WithoutRepeats(outline, view.farM));
            return outlines;
        }
        std::vector<ViewSpan> ring = pieces.front();
        const double halfwayRad = ring.front().fromRad + kPi;
        SplitAt(ring, halfwayRad);
        pieces.clear();
        pieces.emplace_back();
        for (const ViewSpan& span : ring) {
            if (span.fromRad >= halfwayRad && pieces.size() == 1)
                pieces.emplace_back();
            pieces.back().push_back(span);
        }
    }
    for (const std::vector<ViewSpan>& piece : pieces) {
        Polygon outline;
        AppendOuter(outline, view, piece, toleranceM);
        if (view.nearM > 0)
            AppendArc(outline, view.eye, view.nearM, piece.back().toRad, piece.front().fromRad,
                      toleranceM);
        else
            outline.push_back(view.eye);
        Polygon kept = WithoutRepeats(outline, view.farM);
        if (kept.size() >= 3)
            outlines.push_back(std::move(kept));
    }
    return outlines;
}

Polygon VisibilityPolygon(Point eye, double headingDeg, double fovDeg, double rangeM,
                          const std::vector<Segment>& walls) {
    const std::vector<Polygon> pieces =
        Outline(VisibleView(eye, headingDeg, fovDeg, 0, rangeM, walls));
    return pieces.empty() ? Polygon{} : pieces.front();
}

bool InSight(Point eye, double headingDeg, double fovDeg, const std::vector<Segment>& walls,
             Point point) {
    if (!(fovDeg > 0))
        return false;
    const Point sight = point - eye;
    const double length = std::hypot(sight.x, sight.y);
    if (length <= kPlanToleranceM)
        return true;
    if (fovDeg < 360) {
        const double fovRad = Radians(fovDeg);
        const double startRad = Radians(headingDeg) - fovRad / 2;
        // Off the wedge by a bearing, but within the tolerance of one of its edges: on it.
        const auto nearEdge = [&](double edgeRad) {
            const Point edge = Direction(edgeRad);
            return Dot(sight, edge) >= 0 && std::fabs(Cross(edge, sight)) <= kPlanToleranceM;
        };
        if (OffsetOf(sight, startRad) > fovRad && !nearEdge(startRad) &&
            !nearEdge(startRad + fovRad))
            return false;
    }
    for (const Segment& wall : walls) {
        const Segment relative = Relative(wall, eye);
        const Point along = relative.b - relative.a;
        const double wallLength = std::hypot(along.x, along.y);
        if (!(wallLength > kPlanToleranceM) || !(LineDistance(relative) > kPlanToleranceM))
            continue;
        const double across = Cross(sight, along);
        if (across == 0)
            continue;
        // Where the line of sight meets the wall, as fractions of each.
        const double onSight = Cross(relative.a, along) / across;
        const double onWall = Cross(relative.a, sight) / across;
        if (onSight > 0 && onSight * length < length - kPlanToleranceM &&
            onWall * wallLength > kPlanToleranceM && (1 - onWall) * wallLength > kPlanToleranceM)
            return false;
    }
    return true;
}
