#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include "geometry.h"

// Which part of a plan a view shows: the plan point at the widget's centre and the scale, over a
// widget of a size. Plan metres have y to the north, up on the screen; widget pixels have y down.
struct PlanViewport {
    Point centreM;
    double pixelsPerMetre = 20;
    QSizeF sizePx;

    QTransform MetresToWidget() const;
    QPointF ToWidget(Point metres) const;
    Point ToMetres(QPointF widget) const;
};

// The scales a view keeps to: from 0.5 mm to 10 km to a widget pixel.
inline constexpr double kLeastPixelsPerMetre = 1e-4;
inline constexpr double kMostPixelsPerMetre = 2000;

// Zoomed by `factor`, the plan point under `at` (widget pixels) staying where it is; unchanged
// by a factor that is not a finite positive number. The scale is held within the limits.
PlanViewport ZoomedAbout(PlanViewport viewport, double factor, QPointF at);
// The plan dragged by `byPx` on the screen: what was under a pixel is `byPx` farther along.
PlanViewport Panned(PlanViewport viewport, QPointF byPx);
// The whole of `boxM` (plan metres, any orientation) in view, centred, `marginPx` clear of each
// edge of the widget. A box smaller than `leastM` across is grown to that about its centre.
PlanViewport Fitted(PlanViewport viewport, QRectF boxM, double marginPx, double leastM);
