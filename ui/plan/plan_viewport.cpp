#include "plan_viewport.h"

#include <algorithm>
#include <cmath>

QTransform PlanViewport::MetresToWidget() const {
    const double s = pixelsPerMetre;
    return QTransform(s, 0, 0, -s, sizePx.width() / 2 - centreM.x * s,
                      sizePx.height() / 2 + centreM.y * s);
}

QPointF PlanViewport::ToWidget(Point metres) const {
    return {(metres.x - centreM.x) * pixelsPerMetre + sizePx.width() / 2,
            (centreM.y - metres.y) * pixelsPerMetre + sizePx.height() / 2};
}

Point PlanViewport::ToMetres(QPointF widget) const {
    return {centreM.x + (widget.x() - sizePx.width() / 2) / pixelsPerMetre,
            centreM.y - (widget.y() - sizePx.height() / 2) / pixelsPerMetre};
}

PlanViewport ZoomedAbout(PlanViewport viewport, double factor, QPointF at) {
    if (!std::isfinite(factor) || factor <= 0 || !std::isfinite(at.x()) || !std::isfinite(at.y()))
        return viewport;
    const Point under = viewport.ToMetres(at);
    viewport.pixelsPerMetre =
        std::clamp(viewport.pixelsPerMetre * factor, kLeastPixelsPerMetre, kMostPixelsPerMetre);
    const double s = viewport.pixelsPerMetre;
    viewport.centreM = {under.x - (at.x() - viewport.sizePx.width() / 2) / s,
                        under.y + (at.y() - viewport.sizePx.height() / 2) / s};
    return viewport;
}

PlanViewport Panned(PlanViewport viewport, QPointF byPx) {
    if (!std::isfinite(byPx.x()) || !std::isfinite(byPx.y()))
        return viewport;
    viewport.centreM.x -= byPx.x() / viewport.pixelsPerMetre;
    viewport.centreM.y += byPx.y() / viewport.pixelsPerMetre;
    return viewport;
}

PlanViewport Fitted(PlanViewport viewport, QRectF boxM, double marginPx, double leastM) {
    boxM = boxM.normalized();
    const QPointF centre = boxM.center();
    if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()))
        return viewport;
    const double width = std::max(boxM.width(), leastM);
    const double height = std::max(boxM.height(), leastM);
    const double roomX = std::max(viewport.sizePx.width() - 2 * marginPx, 1.0);
    const double roomY = std::max(viewport.sizePx.height() - 2 * marginPx, 1.0);
    viewport.pixelsPerMetre = std::clamp(std::min(roomX / width, roomY / height),
                                         kLeastPixelsPerMetre, kMostPixelsPerMetre);
    viewport.centreM = {centre.x(), centre.y()};
    return viewport;
}
