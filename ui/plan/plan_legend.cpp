// The plan's legend and scale bar: the keys that make a plan read on its own, on screen and paper.
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "plan_paint_parts.h"
#include "plan_painter.h"
#include "qt_text.h"

namespace {

constexpr double kTextPoints = 8;
constexpr double kPadPoints = 4;

// A box of the palette's paper behind a key, so that it reads over bands and the underlay.
void KeyBox(QPainter& painter, const QRectF& box, const PlanPaintOptions& options) {
    QColor paper = PlanBackground(options.darkPalette);
    paper.setAlpha(235);
    QColor edge = PlanInk(options.darkPalette);
    edge.setAlpha(120);
    painter.setPen(QPen(edge, 0.5 * options.devicePixelsPerPoint));
    painter.setBrush(paper);
    painter.drawRect(box);
}

}  // namespace

ScaleBarLength ChooseScaleBar(double devicePixelsPerMetre, LengthUnit unit, double aboutDevicePx,
                              const NumberFormat& format) {
    const double perUnit = devicePixelsPerMetre * MetresPerUnit(unit);
    const double most = aboutDevicePx / perUnit;  // in the unit
    if (!(perUnit > 0) || !(aboutDevicePx > 0) || !std::isfinite(most) || most <= 0)
        return {};
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    double length = power;
    for (const double step : {5.0, 2.0}) {
        // A hair of tolerance: 100 px for exactly 10 m is 10 m, not 5.
        if (step * power <= most * (1 + 1e-9)) {
            length = step * power;
            break;
        }
    }
    return {length, length * perUnit,
            ToQString(NumberText(length, format) + u' ' + UnitSymbol(unit))};
}

QRectF PaintLegend(QPainter& painter, QPointF topLeft, const PlanPaintOptions& options) {
    struct Row {
        int level;  // -1: the blind zone
        QString text;
    };
    std::vector<Row> rows;
    for (int level = 0; level < int(kDoriLevels.size()); ++level) {
        if (options.look.levelShown[std::size_t(level)])
            rows.push_back({level, ToQString(kDoriLevels[std::size_t(level)].name)});
    }
    if (options.look.blindZoneShown)
        rows.push_back({-1, QStringLiteral("Blind zone")});
    if (rows.empty())
        return QRectF(topLeft, QSizeF(0, 0));

    const double pt = options.devicePixelsPerPoint;
    const QFont font = PlanFont(painter, kTextPoints, pt);
    const QFontMetricsF metrics(font, painter.device());
    const double pad = kPadPoints * pt;
    const double swatch = 10 * pt;
    const double rowHeight = std::max(metrics.height(), swatch) + 3 * pt;
    double textWidth = 0;
    for (const Row& row : rows)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(row.text));
    const QRectF box(topLeft, QSizeF(pad + swatch + 5 * pt + textWidth + pad,
                                     2 * pad + rowHeight * double(rows.size())));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    KeyBox(painter, box, options);
    painter.setFont(font);
    double y = box.top() + pad;
    for (const Row& row : rows) {
        const QRectF square(box.left() + pad, y + (rowHeight - swatch) / 2, swatch, swatch);
        painter.setPen(QPen(PlanInk(options.darkPalette), 0.5 * pt));
        if (row.level >= 0) {
            painter.setBrush(LevelColour(row.level, options.darkPalette));
            painter.drawRect(square);
        } else {
            QPainterPath path;
            path.addRect(square);
            Hatch(painter, path, BlindZoneColour(options.darkPalette), pt);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(square);
        }
        painter.setPen(PlanInk(options.darkPalette));
        painter.drawText(QRectF(square.right() + 5 * pt, y, textWidth + pad, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, row.text);
        y += rowHeight;
    }
    painter.restore();
    return box;
}

QRectF PaintScaleBar(QPainter& painter, QPointF bottomLeft, double devicePixelsPerMetre,
                     LengthUnit unit, double aboutDevicePx, const PlanPaintOptions& options) {
    const ScaleBarLength bar =
        ChooseScaleBar(devicePixelsPerMetre, unit, aboutDevicePx, options.format);
    if (bar.length <= 0)
        return QRectF(bottomLeft, QSizeF(0, 0));
    const double pt = options.devicePixelsPerPoint;
    const QFont font = PlanFont(painter, kTextPoints, pt);
    const QFontMetricsF metrics(font, painter.device());
    const double pad = kPadPoints * pt;
    const double barHeight = 4 * pt;
    const double tick = 3 * pt;
    const double width = std::max(bar.devicePx, metrics.horizontalAdvance(bar.text));
    const QRectF box(bottomLeft.x(),
                     bottomLeft.y() - (2 * pad + metrics.height() + tick + barHeight),
                     2 * pad + width, 2 * pad + metrics.height() + tick + barHeight);
    const QColor ink = PlanInk(options.darkPalette);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    KeyBox(painter, box, options);
    painter.setFont(font);
    painter.setPen(ink);
    const double left = box.left() + pad;
    painter.drawText(QRectF(left, box.top() + pad, width, metrics.height()),
                     Qt::AlignHCenter | Qt::AlignVCenter, bar.text);
    // Two halves, one filled, so that the eye finds the middle; a tick at each end and there.
    const QRectF whole(left + (width - bar.devicePx) / 2, box.bottom() - pad - barHeight,
                       bar.devicePx, barHeight);
    painter.setPen(QPen(ink, 0.75 * pt));
    painter.setBrush(ink);
    painter.drawRect(QRectF(whole.topLeft(), QSizeF(whole.width() / 2, barHeight)));
    painter.setBrush(PlanBackground(options.darkPalette));
    painter.drawRect(QRectF(whole.center().x(), whole.top(), whole.width() / 2, barHeight));
    for (const double x : {whole.left(), whole.center().x(), whole.right()})
        painter.drawLine(QPointF(x, whole.top() - tick), QPointF(x, whole.top()));
    painter.restore();
    return box;
}
