#pragma once

#include <vector>

// Points, walls and regions on the site plan, seen from above. Lengths in metres on the plan's
// ground, x to the east and y to the north; bearings counter-clockwise from +x.

struct Point {
    double x = 0;
    double y = 0;
};

// A wall from a to b. One of zero length stands for nothing.
struct Segment {
    Point a;
    Point b;
};

// A region's outline, counter-clockwise and simple (no edge crosses another); the last point is
// joined to the first, never repeated. Fewer than three points: an empty region.
using Polygon = std::vector<Point>;

// Two points this close, or a point this close to a line, are one: what the plan's arithmetic
// cannot tell apart, far below what a user places on a plan.
inline constexpr double kPlanToleranceM = 1e-9;

inline Point operator+(Point p, Point q) {
    return {p.x + q.x, p.y + q.y};
}
inline Point operator-(Point p, Point q) {
    return {p.x - q.x, p.y - q.y};
}
inline Point operator*(double k, Point p) {
    return {k * p.x, k * p.y};
}
// The z of the 3D cross product: positive when q is counter-clockwise of p.
inline double Cross(Point p, Point q) {
    return p.x * q.y - p.y * q.x;
}
inline double Dot(Point p, Point q) {
    return p.x * q.x + p.y * q.y;
}

double Distance(Point p, Point q);
double DistanceToSegment(Point p, const Segment& segment);

// The shoelace area: positive for a counter-clockwise outline, negative for a clockwise one.
double SignedArea(const Polygon& polygon);

// Whether no two edges of the outline cross (edges that only touch, or overlap along a line, do
// not count): what a region's outline must keep to be drawn and filled as one.
bool IsSimple(const Polygon& polygon);

// Whether the point is inside the region or on its outline (within kPlanToleranceM): a target
// exactly on an edge counts as inside.
bool Contains(const Polygon& polygon, Point point);
