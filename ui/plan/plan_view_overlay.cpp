#include <QPainterPath>

#include "plan_view.h"
#include "plan_view_state.h"

namespace {

QPointF ToQt(Point p) {
    return {p.x, p.y};
}

// A text on the plan with a halo of the background round it, so that it reads over the bands.
void PaintHaloText(QPainter& painter, QPointF at, const QString& text, const QPalette& palette) {
    QPainterPath path;
    path.addText(at, painter.font(), text);
    painter.strokePath(
        path, QPen(palette.color(QPalette::Base), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, palette.color(QPalette::Text));
}

void PaintCorner(QPainter& painter, QPointF at) {
    painter.drawRect(QRectF(at - QPointF(3, 3), QSizeF(6, 6)));
}

}  // namespace

void PlanView::PaintOverlay(QPainter& painter, const PlanPaintOptions& options) const {
    const State& state = *m_state;
    const QTransform toWidget = MetresToWidget();
    const QPalette colours = palette();
    const QColor highlight = colours.color(QPalette::Highlight);
    const PlanScene& scene = *state.scene;
    const PlanGesture& gesture = state.gesture;
    auto at = [&](Point p) { return toWidget.map(ToQt(p)); };

    if (state.selectedWall && *state.selectedWall < scene.walls.size()) {
        QColor glow = highlight;
        glow.setAlphaF(0.5);
        painter.setPen(QPen(glow, 7, Qt::SolidLine, Qt::RoundCap));
        const Segment& wall = scene.walls[*state.selectedWall];
        painter.drawLine(at(wall.a), at(wall.b));
    }

    if (gesture.live)
        PaintCamera(painter, toWidget, *gesture.live, options);
    else if (state.dropped && state.cache.ShownSkipCamera() == state.dropped->id)
        PaintCamera(painter, toWidget, *state.dropped, options);

    QPen dashed(highlight, 1.5, Qt::DashLine);
    painter.setBrush(Qt::NoBrush);
    if (gesture.kind == PlanGesture::Kind::MoveTarget) {
        painter.setPen(dashed);
        painter.drawLine(at(scene.targets[gesture.hit.index].position), at(gesture.to));
        painter.setPen(QPen(highlight, 2));
        painter.drawEllipse(at(gesture.to), 6, 6);
    } else if (gesture.kind == PlanGesture::Kind::MoveWallEnds) {
        painter.setPen(QPen(highlight, 2));
        for (const WallEnd& end : gesture.ends) {
            const Segment& wall = scene.walls[end.wall];
            painter.drawLine(at(end.endB ? wall.a : wall.b), at(gesture.to));
        }
        PaintCorner(painter, at(gesture.to));
    }

    const std::optional<QPointF> pointer = state.pointerPx;
    if (!state.corners.empty()) {
        painter.setPen(QPen(highlight, 2));
        QPolygonF line;
        for (const Point corner : state.corners)
            line << at(corner);
        painter.drawPolyline(line);
        for (const QPointF corner : line)
            PaintCorner(painter, corner);
        if (pointer) {
            painter.setPen(dashed);
            painter.drawLine(line.back(), *pointer);
        }
    }

    if (!state.clicks.empty()) {
        const QPointF a = at(state.clicks[0]);
        const std::optional<QPointF> b =
            state.clicks.size() > 1 ? std::optional<QPointF>(at(state.clicks[1])) : pointer;
        painter.setPen(QPen(highlight, 2));
        PaintCorner(painter, a);
        if (b) {
            painter.setPen(state.clicks.size() > 1 ? QPen(highlight, 2) : dashed);
            painter.drawLine(a, *b);
            PaintCorner(painter, *b);
            if (state.tool == Tool::Measure) {
                const Point far =
                    state.clicks.size() > 1 ? state.clicks[1] : state.viewport.ToMetres(*b);
                PaintHaloText(
                    painter, (a + *b) / 2 + QPointF(6, -6),
                    MeasuredText(Distance(state.clicks[0], far), state.unit, state.format),
                    colours);
            }
        }
    }
}
