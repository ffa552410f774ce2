// One plan page: the plan over its underlay in a frame, its keys, and the title block.
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <memory>

#include "plan_export.h"
#include "plan_extent.h"
#include "plan_paint_parts.h"
#include "plan_painter.h"
#include "underlay_decoding.h"

namespace {

constexpr double kPdfUnderlayDpi = 300;
// The most pixels a PDF underlay is rendered with across either side.
constexpr int kMostRenderedPx = 10000;

// The underlay read at once, for drawing on one page (the plan view reads its own off the
// window's thread).
class PageUnderlay {
  public:
    PageUnderlay(const DesignBlob& blob, int pdfPage, bool scaled) {
        if (!scaled || blob.bytes.isEmpty())
            return;
        if (blob.mime == QLatin1String("image/svg+xml")) {
            svg = std::make_unique<QSvgRenderer>(blob.bytes);
            if (svg->isValid())
                size =
                    svg->viewBoxF().isEmpty() ? QSizeF(svg->defaultSize()) : svg->viewBoxF().size();
        } else if (blob.mime == QLatin1String("application/pdf")) {
            // Opened as the plan view opens it.
            pdf = VectorDrawing::OpenPdfPage(blob.bytes, pdfPage);
            if (pdf)
                size = pdf->Size();
        } else {
            // As the plan view decodes it: turned as the camera took it, and not refused by Qt's
            // default allocation limit at 8,000 × 8,000 px.
            image = DecodePicture(blob.bytes, [] { return false; });
            size = image.size();
        }
        if (!(size.width() > 0 && size.height() > 0))
            size = QSizeF();
    }

    // In its pixels; empty: nothing to draw.
    QSizeF SizePx() const { return size; }

    void Draw(QPainter& painter, const QTransform& pixelsToDevice) const {
        if (size.isEmpty())
            return;
        const QRectF bounds(QPointF(0, 0), size);
        painter.save();
        painter.setTransform(pixelsToDevice, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (svg) {
            svg->render(&painter, bounds);  // stays a drawing in a PDF
        } else if (pdf) {
            // Rendered on white: a page is paper, and a picture with no alpha is stored once,
            // unmasked.
            const QSize px = RenderedSize(painter, pixelsToDevice);
            const UnderlayImage page = pdf->Render(bounds, px.width() / size.width());
            painter.drawImage(page.region, page.image.convertToFormat(QImage::Format_RGB32));
        } else {
            painter.drawImage(bounds, image);
        }
        painter.restore();
    }

  private:
    // As many pixels as the page shows it with, but no more than 300 dpi of the paper.
    QSize RenderedSize(const QPainter& painter, const QTransform& pixelsToDevice) const {
        const QSizeF shown = pixelsToDevice.mapRect(QRectF(QPointF(0, 0), size)).size();
        const double dpi = std::max(1, painter.device()->logicalDpiX());
        const double k = std::min(1.0, kPdfUnderlayDpi / dpi);
        const double most = kMostRenderedPx / std::max(shown.width(), shown.height());
        const double scale = std::min(k, most);
        return QSize(std::max(1, int(std::lround(shown.width() * scale))),
                     std::max(1, int(std::lround(shown.height() * scale))));
    }

    QSizeF size;
    QImage image;
    std::unique_ptr<QSvgRenderer> svg;
    // Rendered at the size the page shows it at, which a const Draw does not change.
    mutable std::unique_ptr<VectorDrawing> pdf;
};

// Underlay pixels (y down the picture) to the plan's metres (y north).
QTransform PixelsToMetres(const PlanSheet& sheet) {
    const double k = sheet.metresPerPixel.value_or(1);
    return QTransform(k, 0, 0, -k, sheet.originM.x(), sheet.originM.y());
}

// The sheet's extent: PlanExtent with a little room around the marks at its edges (a plan of one
// point gets 10 m around it); 10 m around the origin for a blank sheet.
QRectF SheetExtent(const PlanSheet& sheet, const QSizeF& underlayPx) {
    const QRectF underlayM = underlayPx.isEmpty()
                                 ? QRectF()
                                 : PixelsToMetres(sheet).mapRect(QRectF(QPointF(0, 0), underlayPx));
    const QRectF extent = PlanExtent(sheet.scene, underlayM);
    if (extent == QRectF())
        return QRectF(-5, -5, 10, 10);
    const double margin = std::max({1.0, 0.03 * extent.width(), 0.03 * extent.height()});
    const double grow = (extent.width() < 1e-9 && extent.height() < 1e-9) ? 5 : margin;
    return extent.adjusted(-grow, -grow, grow, grow);
}

// An arrow to the plan's north (+y), with an "N" at its tip, centred on `centre`.
void PaintNorthArrow(QPainter& painter, QPointF centre, const QTransform& toDevice, double pt) {
    const QPointF origin = toDevice.map(QPointF(0, 0));
    QPointF north = toDevice.map(QPointF(0, 1)) - origin;
    north /= std::max(1e-12, std::hypot(north.x(), north.y()));
    const QPointF across(-north.y(), north.x());
    const QPointF tip = centre + 12 * pt * north;
    const QPointF tail = centre - 10 * pt * north;
    const QColor ink = PlanInk(false);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 0.75 * pt));
    painter.setBrush(ink);
    painter.drawPolygon(QPolygonF{tip, tail + 6 * pt * across, centre - 4 * pt * north});
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF{tip, tail - 6 * pt * across, centre - 4 * pt * north});
    painter.setFont(PlanFont(painter, 10, pt, true));
    const QPointF letter = tip + 8 * pt * north;
    painter.drawText(QRectF(letter - QPointF(8 * pt, 8 * pt), QSizeF(16 * pt, 16 * pt)),
                     Qt::AlignCenter, QStringLiteral("N"));
    painter.restore();
}

// The title block's texts, left and right, on two lines.
void PaintTitleBlock(QPainter& painter, const QRectF& block, const PlanSheet& sheet,
                     const PlanPaper& paper, double pt) {
    const QFont title = PlanFont(painter, 12, pt, true);
    const QFont body = PlanFont(painter, 9, pt);
    const QFontMetricsF titleMetrics(title, painter.device());
    const double pad = 5 * pt;
    const QString design = sheet.designName.simplified().isEmpty()
                               ? QStringLiteral("Untitled design")
                               : sheet.designName.simplified();
    const QString plan = sheet.planName.simplified().isEmpty() ? QStringLiteral("Unnamed plan")
                                                               : sheet.planName.simplified();
    const QString scale = paper.scaleDenominator
                              ? QStringLiteral("Scale: 1:%1").arg(*paper.scaleDenominator)
                              : QStringLiteral("Scale: Fit");
    const QRectF inner = block.adjusted(pad, pad, -pad, -pad);
    const QRectF first(inner.left(), inner.top(), inner.width(), titleMetrics.height());
    const QRectF second(inner.left(), first.bottom(), inner.width(),
                        inner.bottom() - first.bottom());
    painter.save();
    painter.setPen(QPen(PlanInk(false), 0.75 * pt));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(block);
    painter.setFont(body);
    painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter, sheet.date);
    painter.drawText(second, Qt::AlignRight | Qt::AlignVCenter, scale);
    const double rightWidth =
        std::max(QFontMetricsF(body, painter.device()).horizontalAdvance(scale),
                 QFontMetricsF(body, painter.device()).horizontalAdvance(sheet.date));
    const double leftWidth = std::max(0.0, inner.width() - rightWidth - 12 * pt);
    painter.drawText(
        QRectF(second.topLeft(), QSizeF(leftWidth, second.height())),
        Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetricsF(body, painter.device()).elidedText(plan, Qt::ElideRight, leftWidth));
    painter.setFont(title);
    painter.drawText(QRectF(first.topLeft(), QSizeF(leftWidth, first.height())),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(design, Qt::ElideRight, leftWidth));
    painter.restore();
}

}  // namespace

void PaintPlanPage(QPainter& painter, const QRectF& page, const PlanSheet& sheet,
                   const PlanPaper& paper) {
    const QPaintDevice& device = *painter.device();
    const double pt = std::max(1, device.logicalDpiY()) / 72.0;
    const double pad = 6 * pt;
    const PageUnderlay underlay(sheet.underlay, sheet.pdfPage,
                                sheet.metresPerPixel && ValidMetresPerPixel(*sheet.metresPerPixel));

    const QFontMetricsF title(PlanFont(painter, 12, pt, true), &device);
    const QFontMetricsF body(PlanFont(painter, 9, pt), &device);
    const double blockHeight = 10 * pt + title.height() + body.height() + 4 * pt;
    const QRectF block(page.left(), page.bottom() - blockHeight, page.width(), blockHeight);
    const QRectF frame(page.left(), page.top(), page.width(),
                       std::max(0.0, block.top() - 4 * pt - page.top()));

    const QRectF extent = SheetExtent(sheet, underlay.SizePx());
    const QRectF inner = frame.adjusted(pad, pad, -pad, -pad);
    const double perMetre =
        paper.scaleDenominator && *paper.scaleDenominator > 0
            ? device.logicalDpiX() / 25.4 * 1000.0 / *paper.scaleDenominator
            : std::min(inner.width() / extent.width(), inner.height() / extent.height());
    const QTransform toDevice(perMetre, 0, 0, -perMetre,
                              frame.center().x() - perMetre * extent.center().x(),
                              frame.center().y() + perMetre * extent.center().y());

    PlanPaintOptions options;
    options.look = sheet.look;
    options.devicePixelsPerPoint = pt;
    options.format = sheet.format;

    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    painter.fillRect(frame, Qt::white);
    if (underlay.SizePx().isEmpty())
        PaintGrid(painter, toDevice, frame, options);
    else
        underlay.Draw(painter, PixelsToMetres(sheet) * toDevice);
    PaintScene(painter, toDevice, frame, sheet.scene, options);
    PaintLegend(painter, frame.topLeft() + QPointF(pad, pad), options);
    PaintScaleBar(painter, frame.bottomLeft() + QPointF(pad, -pad), perMetre, sheet.unit,
                  std::min(frame.width() / 4, 144 * pt), options);
    PaintNorthArrow(painter, frame.topRight() + QPointF(-24 * pt, 30 * pt), toDevice, pt);
    painter.restore();

    painter.save();
    painter.setPen(QPen(PlanInk(false), 0.75 * pt));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.restore();
    PaintTitleBlock(painter, block, sheet, paper, pt);
}
