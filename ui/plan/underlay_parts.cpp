#include "underlay_parts.h"

#include <algorithm>
#include <cmath>

namespace {

// Past 64 rendered pixels to the point or user unit a drawing shows no more detail.
constexpr double kMostScale = 64;
constexpr double kServingRatio = 1.5;

double ScaleFor(const QRectF& seen, double viewScale) {
    const double fitting = std::sqrt(kMostRenderedPixels / (seen.width() * seen.height()));
    return std::min({viewScale, fitting, kMostScale});
}

}  // namespace

UnderlayView ViewOf(const QTransform& toDevice, const QRectF& area) {
    bool invertible = false;
    const QTransform toUnderlay = toDevice.inverted(&invertible);
    if (!invertible)
        return {};
    // The square root of the area one underlay pixel takes: its side, whatever the rotation.
    const double scale =
        std::sqrt(std::abs(toDevice.m11() * toDevice.m22() - toDevice.m12() * toDevice.m21()));
    return {scale, toUnderlay.mapRect(area)};
}

RenderedPart PartOf(const UnderlayImage& rendering) {
    if (rendering.image.isNull() || rendering.region.isEmpty())
        return {};
    return {rendering.region, rendering.image.width() / rendering.region.width()};
}

std::optional<RenderedPart> PartToRender(QSizeF size, const UnderlayView& view) {
    const QRectF whole(QPointF(), size);
    const QRectF seen = view.visible & whole;
    if (seen.isEmpty() || view.scale <= 0)
        return std::nullopt;
    const double scale = ScaleFor(seen, view.scale);
    const double seenPixels = seen.width() * seen.height() * scale * scale;
    if (size.width() * size.height() * scale * scale <= kMostRenderedPixels)
        return RenderedPart{whole, scale};
    const double grow = std::min(3.0, std::sqrt(kMostRenderedPixels / seenPixels));
    QRectF region(0, 0, seen.width() * grow, seen.height() * grow);
    region.moveCenter(seen.center());
    return RenderedPart{region & whole, scale};
}

bool Serves(const RenderedPart& part, QSizeF size, const UnderlayView& view) {
    const QRectF seen = view.visible & QRectF(QPointF(), size);
    if (seen.isEmpty() || view.scale <= 0)
        return true;
    if (part.scale <= 0)
        return false;
    const double ratio = part.scale / ScaleFor(seen, view.scale);
    if (ratio > kServingRatio || ratio < 1 / kServingRatio)
        return false;
    // Half a rendered pixel of slack: a rendering's edges fall on whole pixels.
    const double slack = 0.5 / part.scale;
    return part.region.adjusted(-slack, -slack, slack, slack).contains(seen);
}

std::size_t LevelFor(const std::vector<QImage>& levels, double fullWidth, double scale) {
    std::size_t chosen = 0;
    for (std::size_t level = 1; level < levels.size(); ++level) {
        // A hair of tolerance, so that a view at exactly half size takes the half.
        if (levels[level].width() / fullWidth < scale * 0.999)
            break;
        chosen = level;
    }
    return chosen;
}

void DrawImagePart(QPainter& painter, const QTransform& toDevice, const QRectF& area,
                   const UnderlayImage& image) {
    const QRectF& region = image.region;
    if (image.image.isNull() || region.isEmpty())
        return;
    bool invertible = false;
    const QRectF seen = toDevice.inverted(&invertible).mapRect(area) & region;
    if (!invertible || seen.isEmpty())
        return;
    const double xScale = image.image.width() / region.width();
    const double yScale = image.image.height() / region.height();
    // In the image's pixels, widened by one for the neighbours the smooth scaling reads.
    const QRect source =
        QRectF((seen.left() - region.left()) * xScale, (seen.top() - region.top()) * yScale,
               seen.width() * xScale, seen.height() * yScale)
            .toAlignedRect()
            .adjusted(-1, -1, 1, 1) &
        image.image.rect();
    const QRectF target(region.left() + source.x() / xScale, region.top() + source.y() / yScale,
                        source.width() / xScale, source.height() / yScale);
    painter.save();
    painter.setWorldTransform(toDevice);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image.image, source);
    painter.restore();
}
