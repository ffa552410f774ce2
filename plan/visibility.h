#pragma once

#include <optional>
#include <vector>

#include "geometry.h"

// What a camera standing at an eye point sees of the ground around it, walls stopping the view.
//
// The view is a wedge: bearings from heading − fov/2 to heading + fov/2 (degrees, counter-
// clockwise from +x), ground from nearM to farM out from the eye. A fov of 360° or more sees all
// round; a fov not above 0, a far edge not beyond the near one, or a figure that is not finite
// sees nothing. Walls are line segments of no thickness, and how they stand decides what they
// stop:
//  - a wall of zero length, or seen exactly edge-on (its line through the eye), stops nothing but
//    the one line of sight along it, which has no area: it is left out;
//  - a wall through the eye stops nothing either: the camera is mounted on it, and the heading
//    and fov say which side it looks at;
//  - a line of sight that just grazes a wall's end passes;
//  - a wall beyond farM changes nothing; one across the edge of the range counts up to it.
// An eye inside a closed room sees the room and nothing outside it.

// One stretch of bearings over which the view ends the same way: in radians, fromRad < toRad,
// toRad − fromRad at most 2π, bearings measured like the heading (not reduced to one turn).
// Over it the view holds every point from nearM out to the boundary: the wall, when it is
// given, else the circle at farM. A wall given here lies within farM of the eye over the whole
// stretch, and beyond nearM; its line (not only its ends) gives the boundary, so a ray at any
// bearing of the stretch meets it.
struct ViewSpan {
    double fromRad = 0;
    double toRad = 0;
    std::optional<Segment> wall;
};

// The exact view: the region is the union of the spans, each bounded by straight lines and
// circle arcs, so its area is exact (Area) and its outline (Outline) differs from it only where
// an arc is drawn as chords. Spans in bearing order; where one ends at the bearing the next
// starts, the view goes on unbroken between them. No spans: it sees nothing.
struct View {
    Point eye;
    double nearM = 0;
    double farM = 0;
    bool allRound = false;  // the spans cover a whole turn, and the last joins the first
    std::vector<ViewSpan> spans;
};

View VisibleView(Point eye, double headingDeg, double fovDeg, double nearM, double farM,
                 const std::vector<Segment>& walls);

// The walls that can bound what the eye sees of the wedge out to farM, in their order in `walls`:
// every wall that VisibleView(eye, headingDeg, fovDeg, nearM, farM', walls) may end a span on,
// for any nearM and any farM' up to farM. Left out are the walls outside the wedge or the range,
// those VisibleView leaves out (no length, edge-on, through the eye), and those that nearer walls
// hide at every bearing they span; a wall may stay that is hidden after all. So VisibleView on
// these walls is VisibleView on all of them (its bearings equal up to rounding), at a cost that
// grows with the walls in sight rather than with all the walls of the plan.
std::vector<Segment> WallsInSight(Point eye, double headingDeg, double fovDeg, double farM,
                                  const std::vector<Segment>& walls);

// The area of the view in m², exact up to rounding: circular sectors and triangles.
double Area(const View& view);

// How far an arc drawn as chords may stray inside its circle by default (the chords' sagitta).
inline constexpr double kArcToleranceM = 0.001;
// The most chords a whole turn of arc is drawn with, whatever the tolerance: past a radius of
// about 2.7 km at the default tolerance, the chords stray farther inside than it.
inline constexpr int kMostChordsInATurn = 4096;

// The view as simple counter-clockwise polygons, one per connected piece: the near arc and the
// far one drawn as chords at most arcToleranceM inside the circle (and never more than a quarter
// of the depth from near to far, so the arcs never meet), at most 4096 chords to a whole turn.
// A piece that reaches the eye (nearM = 0) has the eye as a corner, unless it sees all round; a
// whole ring around the eye (all round, nearM above 0, nothing cut out) comes as two halves, so
// that each piece is a simple polygon with no hole.
std::vector<Polygon> Outline(const View& view, double arcToleranceM = kArcToleranceM);

// The part of the wedge out to rangeM that the eye sees, as one polygon (Outline of the view from
// 0 to rangeM); empty when it sees nothing.
Polygon VisibilityPolygon(Point eye, double headingDeg, double fovDeg, double rangeM,
                          const std::vector<Segment>& walls);

// Whether the eye sees the point: the point is inside the wedge (its edges included; at any range)
// and no wall stands between, by the rules above. A point on a wall is seen; so is the eye itself.
bool InSight(Point eye, double headingDeg, double fovDeg, const std::vector<Segment>& walls,
             Point point);
