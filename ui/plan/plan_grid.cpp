// The metre grid under a plan without an underlay.
#include <cmath>

#include "plan_painter.h"

void PaintGrid(QPainter& painter, const QTransform& toDevice, const QRectF& area,
               const PlanPaintOptions& options) {
    const double perMetre = std::hypot(toDevice.m11(), toDevice.m12());  // shapes are kept
    if (!(perMetre > 0) || !std::isfinite(perMetre) || !toDevice.isInvertible())
        return;
    // Whole metres, then 2, 5, 10… as the lines would come closer than 12 points.
    double step = 1;
    for (int k = 0; step * perMetre < 12 * options.devicePixelsPerPoint && k < 30; ++k)
        step *= (k % 3 == 1) ? 2.5 : 2;
    const QRectF metres = toDevice.inverted().mapRect(area);
    const auto first = [step](double from) { return std::ceil(from / step); };
    const double columns = std::floor(metres.right() / step) - first(metres.left());
    const double rows = std::floor(metres.bottom() / step) - first(metres.top());
    if (columns > 5000 || rows > 5000)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor minor = options.darkPalette ? QColor(0x3a, 0x3a, 0x3a) : QColor(0xe6, 0xe6, 0xe6);
    const QColor major = options.darkPalette ? QColor(0x55, 0x55, 0x55) : QColor(0xc4, 0xc4, 0xc4);
    const double width = 0.5 * options.devicePixelsPerPoint;
    // Every fifth line a shade darker, to count by.
    for (double i = first(metres.left()); i * step <= metres.right(); ++i) {
        painter.setPen(QPen(std::fmod(i, 5) == 0 ? major : minor, width));
        painter.drawLine(toDevice.map(QLineF(i * step, metres.top(), i * step, metres.bottom())));
    }
    for (double i = first(metres.top()); i * step <= metres.bottom(); ++i) {
        painter.setPen(QPen(std::fmod(i, 5) == 0 ? major : minor, width));
        painter.drawLine(toDevice.map(QLineF(metres.left(), i * step, metres.right(), i * step)));
    }
    painter.restore();
}
