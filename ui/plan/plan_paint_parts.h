#pragma once

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include "layout.h"

// What the plan's painting functions share: the ink and paper of each palette and a font sized
// in the points of PlanPaintOptions::devicePixelsPerPoint, whatever the device's resolution.

// Walls, marks and texts.
inline QColor PlanInk(bool darkPalette) {
    return darkPalette ? QColor(0xee, 0xee, 0xee) : QColor(0x21, 0x21, 0x21);
}

// Behind the legend and inside a met target's mark.
inline QColor PlanBackground(bool darkPalette) {
    return darkPalette ? QColor(0x30, 0x30, 0x30) : QColor(Qt::white);
}

// What is selected: a blue both palettes show.
inline QColor PlanAccent(bool darkPalette) {
    return darkPalette ? QColor(0x64, 0xb5, 0xf6) : QColor(0x15, 0x65, 0xc0);
}

// A font `points` tall in the plan's points: `points * devicePixelsPerPoint` device pixels, as
// the marks are, rather than the device's own points.
inline QFont PlanFont(const QPainter& painter, double points, double devicePixelsPerPoint,
                      bool bold = false) {
    QFont font = ArialFont(points, bold);
    const QPaintDevice* device = painter.device();
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    font.setPointSizeF(points * devicePixelsPerPoint * 72.0 / dpi);
    return font;
}

// Fills `region` with thin diagonal lines 5 points apart, as the blind zone is drawn: a pattern
// brush would be 8 device pixels apart, invisible at a printer's resolution.
void Hatch(QPainter& painter, const QPainterPath& region, const QColor& colour,
           double devicePixelsPerPoint);
