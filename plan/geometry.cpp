#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

double Distance(Point p, Point q) {
    return std::hypot(p.x - q.x, p.y - q.y);
}

double DistanceToSegment(Point p, const Segment& segment) {
    const Point along = segment.b - segment.a;
    const double length2 = Dot(along, along);
    if (length2 == 0)
        return Distance(p, segment.a);
    const double t = std::clamp(Dot(p - segment.a, along) / length2, 0.0, 1.0);
    return Distance(p, segment.a + t * along);
}

double SignedArea(const Polygon& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i)
        twice += Cross(polygon[i], polygon[(i + 1) % polygon.size()]);
    return twice / 2;
}

namespace {

// Which side of the line through a and b the point is on: +1 left, −1 right, 0 on it (to within
// the tolerance, scaled by the line's length).
int Side(Point a, Point b, Point p) {
    const double across = Cross(b - a, p - a);
    const double margin = kPlanToleranceM * Distance(a, b);
    return across > margin ? 1 : across < -margin ? -1 : 0;
}

bool CrossEachOther(const Segment& p, const Segment& q) {
    const int qaSide = Side(p.a, p.b, q.a);
    const int qbSide = Side(p.a, p.b, q.b);
    const int paSide = Side(q.a, q.b, p.a);
    const int pbSide = Side(q.a, q.b, p.b);
    return qaSide * qbSide < 0 && paSide * pbSide < 0;
}

}  // namespace

bool IsSimple(const Polygon& polygon) {
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue;  // the last edge and the first are neighbours
            if (CrossEachOther(Segment{polygon[i], polygon[(i + 1) % n]},
                               Segment{polygon[j], polygon[(j + 1) % n]}))
                return false;
        }
    }
    return true;
}

bool Contains(const Polygon& polygon, Point point) {
    if (polygon.size() < 3)
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point a = polygon[j];
        const Point b = polygon[i];
        if (DistanceToSegment(point, {a, b}) <= kPlanToleranceM)
            return true;
        // Crossings of the ray to +x; an edge counts at its lower end only, so that a vertex on
        // the ray is counted once.
        if ((a.y > point.y) != (b.y > point.y)) {
            const double x = a.x + (point.y - a.y) / (b.y - a.y) * (b.x - a.x);
            if (x > point.x)
                inside = !inside;
        }
    }
    return inside;
}
