#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include <cstddef>
#include <optional>
#include <vector>

#include "underlay_decoding.h"

// Which image of the underlay to draw, and which part of a vector drawing to render, for what the
// view shows; and drawing just the part of an image that is in view.

// What one drawing of the underlay shows: how many device pixels one underlay pixel takes, and the
// part of the underlay in view, in its pixels (beyond its edges too).
struct UnderlayView {
    double scale = 0;  // 0: the view cannot be mapped back (a degenerate transform)
    QRectF visible;
};
UnderlayView ViewOf(const QTransform& toDevice, const QRectF& area);

// A part of a vector drawing rendered, or to render: `region` in its pixels, at `scale` image
// pixels to its pixel.
struct RenderedPart {
    QRectF region;
    double scale = 0;
};
RenderedPart PartOf(const UnderlayImage& rendering);

// The largest rendering made: 16 Mpx, 64 MB.
inline constexpr double kMostRenderedPixels = 16e6;

// What to render of a drawing of `size` for `view`: the whole drawing when it fits in
// kMostRenderedPixels at the view's scale, else the part in view and as much around it (up to its
// size again on each side) as fits, so that panning a little needs no new rendering. The scale is
// the view's, lowered when even the part in view would not fit. No value when nothing is in view.
std::optional<RenderedPart> PartToRender(QSizeF size, const UnderlayView& view);

// Whether `part` serves `view`: it covers all of the drawing in view, at a scale within 1.5× of
// the one PartToRender would choose (a farther one looks blurred, or costs too much to draw).
bool Serves(const RenderedPart& part, QSizeF size, const UnderlayView& view);

// Of a picture's halvings (largest first, the first `fullWidth` px wide), the smallest one still
// at least as large as shown at `scale`: the one to draw, scaled down by less than 2×.
std::size_t LevelFor(const std::vector<QImage>& levels, double fullWidth, double scale);

// Draws the part of `image` (which covers its `region` of the underlay) that falls in the device
// rectangle `area`, smoothly scaled; the painter is left as it was.
void DrawImagePart(QPainter& painter, const QTransform& toDevice, const QRectF& area,
                   const UnderlayImage& image);
