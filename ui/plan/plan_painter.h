#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <optional>
#include <set>
#include <string>

#include "length_unit.h"
#include "plan_look.h"
#include "plan_scene.h"

// Draws what a plan shows over its underlay: the same strokes on screen, in an exported PDF or PNG
// and in the report, so that paper shows what the user saw. Every function paints in device
// coordinates: `toDevice` maps the plan's metres (x east, y north) to the device, so that texts
// stand upright whatever the scale, and line widths and label sizes are in device pixels
// (`devicePixelsPerPoint` device pixels to a typographic point: 1 on screen at 96 dpi, more on
// paper and on a 2x screen).

struct PlanPaintOptions {
    PlanLook look;
    bool darkPalette = false;
    std::set<std::string> selectedCameras;  // drawn with a heading handle and a bold outline
    std::optional<std::string> selectedTarget;
    double devicePixelsPerPoint = 1.0;
    NumberFormat format;  // the user's: what the scale bar's length is written in
};

// The metre grid of a plan without an underlay (or under it), over the device rectangle `area`.
void PaintGrid(QPainter& painter, const QTransform& toDevice, const QRectF& area,
               const PlanPaintOptions& options);
// The walls, then each camera's bands (blind zone hatched) and mark, then the targets (red when
// not met) and the labels. `skipCamera`: a camera left out, drawn on its own above (the one being
// dragged). Only what meets the device rectangle `area` is drawn.
void PaintScene(QPainter& painter, const QTransform& toDevice, const QRectF& area,
                const PlanScene& scene, const PlanPaintOptions& options,
                const std::optional<std::string>& skipCamera = std::nullopt);
// One camera alone, as PaintScene draws it.
void PaintCamera(QPainter& painter, const QTransform& toDevice, const SceneCamera& camera,
                 const PlanPaintOptions& options);
// The legend (level names and colours, the blind zone) with its top-left corner at `topLeft`;
// returns the rectangle it took.
QRectF PaintLegend(QPainter& painter, QPointF topLeft, const PlanPaintOptions& options);
// A scale bar of a round length (1, 2 or 5 times a power of ten, in `unit`) about `aboutDevicePx`
// long, with its text, its bottom-left corner at `bottomLeft`; returns the rectangle it took.
QRectF PaintScaleBar(QPainter& painter, QPointF bottomLeft, double devicePixelsPerMetre,
                     LengthUnit unit, double aboutDevicePx, const PlanPaintOptions& options);

// Where a selected camera's heading handle is drawn, in device coordinates: 40 points out from
// its mark along its heading, whatever the zoom, so that the view's hit test finds it where it is
// drawn.
QPointF HeadingHandleAt(const QTransform& toDevice, const SceneCamera& camera,
                        double devicePixelsPerPoint);

// The length a scale bar shows: the longest of 1, 2 or 5 times a power of ten (in `unit`) that
// is at most `aboutDevicePx` long, and its text ("10 m", "50 ft", "0.5 m"). No length (0, an
// empty text) when the scale or the room is not above 0 or not finite.
struct ScaleBarLength {
    double length = 0;    // in the unit
    double devicePx = 0;  // how long it is drawn
    QString text;
};
ScaleBarLength ChooseScaleBar(double devicePixelsPerMetre, LengthUnit unit, double aboutDevicePx,
                              const NumberFormat& format = {});
