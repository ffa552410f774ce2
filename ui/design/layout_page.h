#pragma once

#include <QPaintDevice>
#include <QPaintEngine>

// A page to lay out on without drawing: it measures as another device does (its size and
// resolution, by which fonts are sized, so QFontMetricsF gives the same figures on both) and
// keeps nothing painted on it. For counting the pages of a document before drawing it: a
// QPainter on it runs the layout at a fraction of the cost of painting text into a PDF.
// Holds a reference to the other device, which must outlive it.
class LayoutPage : public QPaintDevice {
  public:
    explicit LayoutPage(const QPaintDevice& like) : like(like) {}
    QPaintEngine* paintEngine() const override;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    // Takes every drawing and does nothing with it.
    class NoPaint : public QPaintEngine {
      public:
        NoPaint() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawRects(const QRectF*, int) override {}
        void drawLines(const QLineF*, int) override {}
        void drawEllipse(const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPoints(const QPointF*, int) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override {}
        void drawTextItem(const QPointF&, const QTextItem&) override {}
        Type type() const override { return QPaintEngine::User; }
    };

    const QPaintDevice& like;
    mutable NoPaint engine;
};
