#pragma once

#include <QWidget>

#include <optional>

#include "coverage.h"
#include "picture_scene.h"

class QPainter;
class QPalette;
class QFont;
class QPointF;
class QRectF;

// Pictures of what a camera covers, drawn from Coverage's figures into any paint device: a
// widget, an image, a printed or PDF page. Lines, shapes and text only, so that they are sharp at
// any scale; sizes follow the painter's font, so a page draws them as a screen does when its
// font and area are in proportion. They fill `area` with the palette's Base and draw in its Text
// and Highlight, which reads in light and dark palettes alike; the DORI levels are told apart by
// their labels and their lightness, never by hue alone. Distances are marked in `unit`, numbers
// written in `format`. When a figure they need has no value (bad input), the area holds only a
// short note that points to the message.
//
// Without mounting the camera is drawn level at the height of a face, looking at a person whose
// face is on the lens axis; the DORI levels lie along that axis by their farthest depths.

// The camera on its pole from the side: the ground, the upper and lower edges of the vertical
// view, the person at the target with the target height marked, the blind zone hatched, the DORI
// levels as labelled bands along the ground, and distances marked under them.
void DrawSideView(QPainter& painter, const QRectF& area, const CoverageFigures& figures,
                  LengthUnit unit, const NumberFormat& format, const QPalette& palette);

// The view from above: the horizontal view as a wedge from the camera (with mounting, as it is at
// the target's height, from the blind zone on), the DORI levels as labelled bands across it, and
// the scene width at the target.
void DrawTopView(QPainter& painter, const QRectF& area, const CoverageFigures& figures,
                 LengthUnit unit, const NumberFormat& format, const QPalette& palette);

enum class PictureView { Side, Top };

// The DORI band drawn under a point of a picture drawn in `area` with `font`: on the side view's
// ground strip or in the air above it, across the top view. No value elsewhere.
std::optional<LevelBand> LevelBandAt(PictureView view, const QRectF& area,
                                     const CoverageFigures& figures, const QFont& font,
                                     const QPointF& point);

// A picture as a widget that grows with its window: it keeps the figures it was last given and
// draws them in its own palette and font. Not in the tab order; its accessible name and
// description say what it shows, and a band's tooltip what its level means and where it is
// reached.
class CoveragePicture : public QWidget {
    Q_OBJECT

  public:
    void SetFigures(const CoverageFigures& figures, LengthUnit unit, const NumberFormat& format);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    using Draw = void (*)(QPainter&, const QRectF&, const CoverageFigures&, LengthUnit,
                          const NumberFormat&, const QPalette&);
    CoveragePicture(Draw draw, PictureView view, QWidget* parent);
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    Draw draw;
    PictureView view;
    CoverageFigures figures;
    LengthUnit unit = LengthUnit::Metres;
    NumberFormat format;
};

class SideView : public CoveragePicture {
    Q_OBJECT

  public:
    explicit SideView(QWidget* parent = nullptr);
};

class TopView : public CoveragePicture {
    Q_OBJECT

  public:
    explicit TopView(QWidget* parent = nullptr);
};
