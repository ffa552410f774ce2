#pragma once

// The plan view's own state, shared by the files that implement it, one job each: the view with
// its pan and zoom (plan_view.cpp), the tools' clicks and keys (plan_view_tools.cpp), the Select
// tool's picking and dragging (plan_view_select.cpp), what is drawn above the layers
// (plan_view_overlay.cpp); the layers rendered once are plan_layer_cache.cpp's.

#include <QPointer>
#include <QTimer>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "plan_layer_cache.h"
#include "plan_underlay.h"
#include "plan_view.h"
#include "plan_viewport.h"

// How far the pointer may stray, in widget pixels, for a press to pick what is under it and for
// a press and release to be a click rather than a drag.
inline constexpr double kPickRadiusPx = 8;
inline constexpr double kClickSlackPx = 3;

inline bool IsFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// What is under the pointer, for the Select tool: a selected camera's heading handle first, then
// the nearest camera, target or wall end, then a wall.
struct PlanHit {
    enum class Kind { None, HeadingHandle, Camera, Target, WallEnd, Wall };
    Kind kind = Kind::None;
    std::size_t index = 0;  // into the scene's cameras, targets or walls
    bool endB = false;      // of a wall end
};

// A press of the left or middle button, until its release.
struct PlanGesture {
    enum class Kind { None, Pan, Press, MoveCamera, TurnCamera, MoveTarget, MoveWallEnds };
    Kind kind = Kind::None;
    Qt::MouseButton panButton = Qt::NoButton;
    bool moved = false;  // past the click's slack: not a click, whatever it drags
    QPointF pressPx;
    QPointF lastPx;
    PlanHit hit;
    Point grabOffsetM;                // what is dragged, less the pointer at the press
    std::optional<SceneCamera> live;  // the camera dragged, as it is at this step
    Point to;                         // where a target or the wall ends are dragged
    double headingDeg = 0;
    std::vector<WallEnd> ends;
};

struct PlanView::State {
    std::shared_ptr<const PlanScene> scene = std::make_shared<const PlanScene>();
    QPointer<PlanUnderlay> underlay;
    double metresPerPixel = 0.01;
    QPointF originM;

    std::set<std::string> selectedCameras;
    std::optional<std::string> selectedTarget;
    std::optional<std::size_t> selectedWall;
    PlanLook look;
    LengthUnit unit = LengthUnit::Metres;
    NumberFormat format;
    Tool tool = Tool::Select;

    PlanViewport viewport;
    bool fitWhenSized = true;  // FitPlan before the widget had a size: fit once it has one
    PlanLayerCache cache;
    QTimer settle;  // after a zoom or a pan stops: render the layers at the new view

    PlanGesture gesture;
    // A camera dropped at the end of a drag, drawn until the layers show it where it landed.
    std::optional<SceneCamera> dropped;
    bool spaceHeld = false;
    std::optional<QPointF> pointerPx;

    std::vector<Point> corners;  // DrawWall: the polyline so far
    std::vector<Point> clicks;   // SetScale and Measure: the points clicked
};

// The underlay's pixels to the plan's metres: pixel (px, py) is at (origin.x + px·mpp,
// origin.y − py·mpp).
QTransform UnderlayToMetres(double metresPerPixel, QPointF originM);
