#include "plan_layer_cache.h"

#include <QPromise>
#include <QThreadPool>
#include <cmath>

namespace {

// The rendering reaches this share of the widget's width and height beyond each of its edges.
constexpr double kMarginShare = 0.25;

QImage RenderLayers(const PlanLayerCache::Layers& layers, const QTransform& metresToImage,
                    QSize imageSize) {
    QImage image(imageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (layers.scene) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintScene(painter, metresToImage, QRectF(QPointF(), QSizeF(imageSize)), *layers.scene,
                   layers.options, layers.skipCamera);
    }
    return image;
}

bool Near(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::abs(b);
}

}  // namespace

PlanLayerCache::PlanLayerCache(QObject* parent) : QObject(parent) {
    connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, &PlanLayerCache::Finished);
}

PlanLayerCache::~PlanLayerCache() {
    m_watcher.waitForFinished();
}

void PlanLayerCache::SetLayers(Layers layers) {
    m_layers = std::move(layers);
    ++m_generation;
}

void PlanLayerCache::Render(const QTransform& metresToWidget, QSize size, qreal dpr) {
    const Ask ask{metresToWidget, size, dpr};
    m_last = ask;
    if (m_watcher.isRunning())
        m_next = ask;
    else
        Start(ask);
}

void PlanLayerCache::Start(const Ask& ask) {
    if (ask.size.isEmpty() || !ask.metresToWidget.isInvertible() || !(ask.dpr > 0))
        return;
    const double marginX = std::ceil(ask.size.width() * kMarginShare);
    const double marginY = std::ceil(ask.size.height() * kMarginShare);
    const QSize imageSize(static_cast<int>(std::ceil((ask.size.width() + 2 * marginX) * ask.dpr)),
                          static_cast<int>(std::ceil((ask.size.height() + 2 * marginY) * ask.dpr)));
    m_running.metresToImage = ask.metresToWidget * QTransform::fromTranslate(marginX, marginY) *
                              QTransform::fromScale(ask.dpr, ask.dpr);
    m_running.dpr = ask.dpr;
    m_running.generation = m_generation;
    m_running.skipCamera = m_layers.skipCamera;

    // The worker gets its own copies (the scene is shared and never changed), so that the
    // window may change its layers while it paints.
    auto promise = std::make_shared<QPromise<QImage>>();
    m_watcher.setFuture(promise->future());
    QThreadPool::globalInstance()->start(
        [promise, layers = m_layers, toImage = m_running.metresToImage, imageSize] {
            promise->start();
            promise->addResult(RenderLayers(layers, toImage, imageSize));
            promise->finish();
        });
}

void PlanLayerCache::Finished() {
    if (m_running.generation == m_generation && m_watcher.future().resultCount() > 0) {
        m_shown = m_running;
        m_shown.image = m_watcher.result();
    }
    m_watcher.setFuture(QFuture<QImage>());
    if (m_next) {
        const Ask next = *m_next;
        m_next.reset();
        Start(next);
    } else if (m_shown.generation != m_generation && m_last) {
        // The layers changed while it rendered, and no one asked again: the last view anew.
        Start(*m_last);
    }
    emit rendered();
}

bool PlanLayerCache::Covers(const QTransform& metresToWidget, QSize size) const {
    if (m_shown.generation != m_generation || m_shown.image.isNull())
        return false;
    if (!Near(m_shown.metresToImage.m11(), metresToWidget.m11() * m_shown.dpr) ||
        !Near(m_shown.metresToImage.m22(), metresToWidget.m22() * m_shown.dpr))
        return false;
    const QRectF widgetInImage =
        (metresToWidget.inverted() * m_shown.metresToImage).mapRect(QRectF(QPointF(), size));
    return QRectF(m_shown.image.rect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(widgetInImage);
}

bool PlanLayerCache::IsSettled() const {
    return !m_watcher.isRunning() && !m_next && m_shown.generation == m_generation;
}

void PlanLayerCache::Draw(QPainter& painter, const QTransform& metresToWidget) const {
    if (m_shown.image.isNull() || !m_shown.metresToImage.isInvertible())
        return;
    painter.save();
    // Smoothing a scaled picture would cost more than a zoom step may take; the rendering at the
    // new scale follows.
    painter.setTransform(m_shown.metresToImage.inverted() * metresToWidget, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPointF(), m_shown.image);
    painter.restore();
}
