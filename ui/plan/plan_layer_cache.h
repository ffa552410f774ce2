#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QSize>
#include <QTransform>
#include <memory>
#include <optional>
#include <string>

#include "plan_painter.h"
#include "plan_scene.h"

// What a plan view draws once and then only moves and scales while the user pans and zooms: the
// walls, the cameras' bands, the targets and the labels (PaintScene), rendered off the window's
// thread into a picture with a transparent background that covers the widget and a margin round
// it, so that the underlay and the grid show through and a small pan needs no new rendering.
//
// One rendering runs at a time; asking for another while it runs renders once more, the latest
// ask, when it ends. A rendering of layers that have changed since it started is thrown away.
class PlanLayerCache : public QObject {
    Q_OBJECT

  public:
    struct Layers {
        std::shared_ptr<const PlanScene> scene;
        PlanPaintOptions options;
        std::optional<std::string> skipCamera;  // drawn by the view on its own: being dragged
    };

    explicit PlanLayerCache(QObject* parent = nullptr);
    ~PlanLayerCache() override;  // waits for a rendering that runs: it paints with the fonts

    // New layers: what is shown is out of date until the next rendering ends.
    void SetLayers(Layers layers);
    const Layers& CurrentLayers() const { return m_layers; }
    // Renders the layers as a widget of `size` shows them through `metresToWidget`, at `dpr`
    // device pixels to a widget pixel; nothing for an empty widget.
    void Render(const QTransform& metresToWidget, QSize size, qreal dpr);
    // Whether the rendering shown is of the current layers, at this scale, and covers the widget.
    bool Covers(const QTransform& metresToWidget, QSize size) const;
    // Whether nothing is rendering and the rendering shown is of the current layers.
    bool IsSettled() const;
    // Draws the last rendering, moved and scaled to where the plan is now; nothing before one.
    void Draw(QPainter& painter, const QTransform& metresToWidget) const;
    // The camera the rendering shown leaves out.
    const std::optional<std::string>& ShownSkipCamera() const { return m_shown.skipCamera; }

  signals:
    void rendered();

  private:
    struct Ask {
        QTransform metresToWidget;
        QSize size;
        qreal dpr = 1;
    };
    struct Rendering {
        QImage image;
        QTransform metresToImage;
        qreal dpr = 1;
        unsigned generation = 0;
        std::optional<std::string> skipCamera;
    };
    void Start(const Ask& ask);
    void Finished();

    Layers m_layers;
    unsigned m_generation = 1;  // of m_layers; the shown rendering's differs until one ends
    Rendering m_shown;
    Rendering m_running;        // its transform, generation and camera left out; the image comes
    std::optional<Ask> m_next;  // asked while one ran
    std::optional<Ask> m_last;  // the view last asked for
    QFutureWatcher<QImage> m_watcher;
};
