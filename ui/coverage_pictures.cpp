#include "coverage_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include <QHelpEvent>
#include <QToolTip>

#include "coverage_picture_parts.h"
#include "optics.h"
#include "picture_scene.h"

namespace {

// Where a picture lies in its area: distances from the pole run right from poleX, at the same
// scale across and up, so that the angles drawn are the true ones.
struct Placing {
    QRectF plot;
    double poleX;
    double baseY;  // the ground in the side view, the lens axis in the top view
    double pxPerM;
    double reachM;  // the distance at the right edge

    QPointF At(double distanceM, double upM) const {
        return {poleX + distanceM * pxPerM, baseY - upM * pxPerM};
    }
};

// A ray from a point at an angle below the horizontal, long enough to leave any plot it starts in.
QPointF Ray(const QPointF& from, double belowRad, const QRectF& plot) {
    const double length = 4 * (plot.width() + plot.height());
    return from + QPointF(std::cos(belowRad) * length, std::sin(belowRad) * length);
}

// The view between two angles below the horizontal, as far as it leaves the plot: an arc of rays
// a few degrees apart, so that a view near half a turn wide is not cut short by its chord.
QPolygonF Wedge(const QPointF& from, double upperRad, double lowerRad, const QRectF& plot) {
    QPolygonF wedge{from};
    const int steps = 1 + int((lowerRad - upperRad) * kDegreesPerRadian / 10);
    for (int i = 0; i <= steps; ++i)
        wedge << Ray(from, upperRad + (lowerRad - upperRad) * i / steps, plot);
    return wedge;
}

// The side view's ground under the air: the DORI bands with their labels, the blind zone hatched.
void DrawGroundStrip(QPainter& painter, const PictureScene& scene, const Placing& at,
                     const QRectF& strip, const Paints& paints) {
    painter.fillRect(strip, paints.Level(-1));
    const auto span = [&](double fromM, double toM) {
        const double left = std::max(at.At(fromM, 0).x(), strip.left());
        const double right = std::min(at.At(std::min(toM, at.reachM), 0).x(), strip.right());
        return QRectF(left, strip.top(), std::max(0.0, right - left), strip.height());
    };
    for (const LevelBand& band : scene.bands) {
        const QRectF box = span(band.fromM, band.toM);
        if (box.width() <= 0)
            continue;
        painter.fillRect(box, paints.Level(band.level));
        DrawLevelLabel(painter, box, band.level, paints.LabelOn(band.level));
    }
    if (scene.mounted && scene.blindZoneM > 0) {
        const QRectF box = span(0, scene.blindZoneM);
        Hatch(painter, QPolygonF(box), paints);
        DrawFittingText(painter, box, {QStringLiteral("Blind zone"), QStringLiteral("Blind")},
                        paints.text);
    }
}

// The person at the target, from the side: a head and a body, or a stroke where too small.
void DrawPersonFromTheSide(QPainter& painter, const QPointF& feet, double pxPerM,
                           const Paints& paints) {
    const double height = kPersonHeightM * pxPerM;
    if (height < 12 * paints.stroke) {
        // Far away a person is a few pixels tall: a marker of a readable size stands in, so the
        // target is never lost from the picture.
        const double marker = std::max(height, paints.line * 0.9);
        painter.setPen(paints.Pen(paints.person, 2));
        painter.drawLine(feet, feet - QPointF(0, marker * 0.75));
        painter.setPen(Qt::NoPen);
        painter.setBrush(paints.person);
        const double head = marker * 0.13;
        painter.drawEllipse(feet - QPointF(0, marker - head), head, head);
        return;
    }
    const auto m = [&](double metres) { return metres * pxPerM; };
    // A box from its left side and foot, in metres from the person's feet.
    const auto box = [&](double left, double foot, double width, double height) {
        return QRectF(feet.x() + m(left), feet.y() - m(foot + height), m(width), m(height));
    };
    QPainterPath person;
    person.setFillRule(Qt::WindingFill);
    const double headRadius = m(0.11);
    person.addEllipse(QPointF(feet.x(), feet.y() - height + headRadius), headRadius, headRadius);
    person.addRoundedRect(box(-0.2, 0.84, 0.4, 0.62), m(0.08), m(0.08));
    for (double armLeft : {-0.275, 0.21})
        person.addRoundedRect(box(armLeft, 0.8, 0.065, 0.62), m(0.03), m(0.03));
    for (double legLeft : {-0.17, 0.02})
        person.addRoundedRect(box(legLeft, 0, 0.15, 0.92), m(0.04), m(0.04));
    painter.setPen(Qt::NoPen);
    painter.setBrush(paints.person);
    painter.drawPath(person);
}

// The plots of the two views in an area of the same size: the side view has a line of notes
// above and the ground strip, distances and legend below; the top view distances and legend.
QRectF SidePlot(const QRectF& area, double line) {
    return area.adjusted(line * 0.5, line * 1.5, -line * 0.5, -line * 4.3);
}

QRectF TopPlot(const QRectF& area, double line) {
    return area.adjusted(line * 0.5, line * 0.5, -line * 0.5, -line * 3);
}

// One scale for both views, so that a distance lies as far along in each: the largest at which
// the scene's extent fits across, the side view's heights fit up and the top view's scene width
// fits across. Worked out from the area given as if the other view had one of the same size, as
// the window and the page give them. A pole far taller than the distances shown (a camera
// hundreds of metres up) would squash the top view to a sliver: then only the side view is drawn
// smaller, at the scale its heights need.
double SharedPxPerM(const QRectF& area, const PictureScene& scene, const Paints& paints) {
    const QRectF top = TopPlot(area, paints.line);
    const double across = top.width() - paints.line * 1.2;
    return std::min(across / scene.extentM,
                    0.8 * top.height() / 2 / HalfWidthAt(scene, scene.targetM));
}

double SideHeightPxPerM(const QRectF& area, const PictureScene& scene, const Paints& paints) {
    const double topM = 1.15 * std::max({scene.cameraHeightM, kPersonHeightM, scene.targetHeightM});
    return SidePlot(area, paints.line).height() / topM;
}

double CommonPxPerM(const QRectF& area, const PictureScene& scene, const Paints& paints) {
    const double shared = SharedPxPerM(area, scene, paints);
    const double side = SideHeightPxPerM(area, scene, paints);
    return side >= shared / 4 ? std::min(shared, side) : shared;
}

Placing Place(const QRectF& plot, const QRectF& area, const PictureScene& scene,
              const Paints& paints) {
    Placing at;
    at.plot = plot;
    at.poleX = at.plot.left() + paints.line * 1.2;
    at.pxPerM = CommonPxPerM(area, scene, paints);
    at.reachM = (at.plot.right() - at.poleX) / at.pxPerM;
    return at;
}

Placing PlaceSideView(const QRectF& area, const PictureScene& scene, const Paints& paints) {
    Placing at = Place(SidePlot(area, paints.line), area, scene, paints);
    at.pxPerM = std::min(at.pxPerM, SideHeightPxPerM(area, scene, paints));
    at.reachM = (at.plot.right() - at.poleX) / at.pxPerM;
    at.baseY = at.plot.bottom();
    return at;
}

void DrawSideNotes(QPainter& painter, const QRectF& area, const PictureScene& scene,
                   const Placing& at, const CoverageFigures& figures, LengthUnit unit,
                   const NumberFormat& format, const Paints& paints) {
    const QRectF notes(area.left() + paints.line * 0.5, area.top() + paints.line * 0.25,
                       area.width() - paints.line, paints.line);
    QString far;
    if (scene.mounted && scene.tiltRad + scene.halfAngleVRad <= 0) {
        far = QStringLiteral("The view does not meet the ground");
    } else if (scene.mounted && scene.farEdgeGroundM > at.reachM) {
        far =
            QStringLiteral("Far edge ") +
            (std::isfinite(scene.farEdgeGroundM) ? DistanceText(scene.farEdgeGroundM, unit, format)
                                                 : ToQString(std::u16string(kToTheHorizon))) +
            QStringLiteral(" \u2192");
    }
    const QString view = scene.mounted
                             ? QStringLiteral("Tilt ") +
                                   ToQString(VerticalAngleText(*figures.mounting->tiltDeg, format))
                             : QStringLiteral("Level, no mounting height");
    painter.setPen(paints.text);
    painter.drawText(notes, Qt::AlignRight | Qt::AlignVCenter, far);
    const double room = notes.width() - painter.fontMetrics().horizontalAdvance(far) - paints.line;
    painter.drawText(
        notes, Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(view, Qt::ElideRight, int(std::max(0.0, room))));
}

// The bottom line of either picture, where the legend goes.
QRectF LegendRow(const QRectF& area, const Paints& paints) {
    return QRectF(area.left() + paints.line * 0.5, area.bottom() - paints.line * 1.2,
                  area.width() - paints.line, paints.line);
}

// The levels the picture shows, each as a patch of its fill and its full name, nearest first;
// as many as the row holds.
void DrawLegend(QPainter& painter, const QRectF& row, const PictureScene& scene, const Placing& at,
                const Paints& paints) {
    const QFontMetricsF metrics(painter.font());
    const double patch = paints.line * 0.7;
    double x = row.left();
    for (const LevelBand& band : scene.bands) {
        if (band.fromM >= at.reachM)
            continue;
        const QString name = LevelNameText(band.level);
        const double width = patch + paints.line * 0.25 + metrics.horizontalAdvance(name);
        if (x + width > row.right())
            break;
        const QRectF swatch(x, row.center().y() - patch / 2, patch, patch);
        painter.setPen(paints.Pen(paints.frame, 1));
        painter.setBrush(paints.Level(band.level));
        painter.drawRect(swatch);
        painter.setPen(paints.text);
        painter.drawText(QRectF(swatch.right() + paints.line * 0.25, row.top(),
                                metrics.horizontalAdvance(name) + 1, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x += width + paints.line * 0.8;
    }
}

void DrawSide(QPainter& painter, const QRectF& area, const PictureScene& scene,
              const CoverageFigures& figures, LengthUnit unit, const NumberFormat& format,
              const Paints& paints) {
    const Placing at = PlaceSideView(area, scene, paints);
    const QRectF strip(at.plot.left(), at.baseY, at.plot.width(), paints.line * 1.3);
    DrawGroundStrip(painter, scene, at, strip, paints);

    const QPointF camera = at.At(0, scene.cameraHeightM);
    const QPointF upper = Ray(camera, scene.tiltRad - scene.halfAngleVRad, at.plot);
    const QPointF lower = Ray(camera, scene.tiltRad + scene.halfAngleVRad, at.plot);
    painter.save();
    const QRectF air(at.plot.topLeft(), QPointF(at.plot.right(), at.baseY));
    painter.setClipRect(air);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paints.field);
    // Cut to the plot first: the painter's rasteriser pays for every pixel a polygon spans.
    painter.drawPolygon(Wedge(camera, scene.tiltRad - scene.halfAngleVRad,
                              scene.tiltRad + scene.halfAngleVRad, at.plot)
                            .intersected(QPolygonF(air)));
    if (scene.mounted) {
        Hatch(painter, QPolygonF({camera, at.At(scene.nearEdgeGroundM, 0), at.At(0, 0)}), paints);
    }
    painter.setPen(paints.Pen(paints.fieldEdge, 1, Qt::DashLine));
    DrawLineWithin(painter, {camera, Ray(camera, scene.tiltRad, at.plot)}, air);
    painter.setPen(paints.Pen(paints.fieldEdge, 1.5));
    DrawLineWithin(painter, {camera, upper}, air);
    DrawLineWithin(painter, {camera, lower}, air);
    DrawPersonFromTheSide(painter, at.At(scene.targetM, 0), at.pxPerM, paints);
    if (scene.mounted && scene.blindZoneM > 0) {
        // Where the target, at its height, comes into view.
        const QPointF entry = at.At(scene.blindZoneM, scene.targetHeightM);
        painter.setPen(paints.Pen(paints.text, 1, Qt::DotLine));
        painter.drawLine(entry, at.At(scene.blindZoneM, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(paints.fieldEdge);
        painter.drawEllipse(entry, 2.5 * paints.stroke, 2.5 * paints.stroke);
    }
    DrawTargetMark(painter, at.At(scene.targetM, scene.targetHeightM), paints);
    painter.restore();

    painter.setPen(paints.Pen(paints.pole, 3));
    painter.drawLine(at.At(0, 0), camera);
    painter.setPen(paints.Pen(paints.text, 1));
    painter.drawLine(QPointF(at.plot.left(), at.baseY), QPointF(at.plot.right(), at.baseY));
    DrawCamera(painter, camera, scene.tiltRad * kDegreesPerRadian, paints);
    DrawDistanceMarks(painter, at.poleX, at.pxPerM, at.plot.right(), strip.bottom(), unit, format,
                      paints);
    DrawLegend(painter, LegendRow(area, paints), scene, at, paints);
    DrawSideNotes(painter, area, scene, at, figures, unit, format, paints);
}

Placing PlaceTopView(const QRectF& area, const PictureScene& scene, const Paints& paints) {
    Placing at = Place(TopPlot(area, paints.line), area, scene, paints);
    at.baseY = at.plot.center().y();
    return at;
}

// The part of the view across between two distances, at the target's height.
QPolygonF Slice(const PictureScene& scene, const Placing& at, double fromM, double toM) {
    const double nearHalf = HalfWidthAt(scene, fromM);
    const double farHalf = HalfWidthAt(scene, toM);
    return QPolygonF({at.At(fromM, nearHalf), at.At(toM, farHalf), at.At(toM, -farHalf),
                      at.At(fromM, -nearHalf)});
}

void DrawSceneWidth(QPainter& painter, const PictureScene& scene, const Placing& at,
                    LengthUnit unit, const NumberFormat& format, const Paints& paints) {
    const double half = HalfWidthAt(scene, scene.targetM);
    const QPointF top = at.At(scene.targetM, half);
    const QPointF bottom = at.At(scene.targetM, -half);
    const double bar = paints.line * 0.3;
    painter.setPen(paints.Pen(paints.text, 1.2));
    painter.drawLine(top, bottom);
    painter.drawLine(top - QPointF(bar, 0), top + QPointF(bar, 0));
    painter.drawLine(bottom - QPointF(bar, 0), bottom + QPointF(bar, 0));

    const QString width = DistanceText(scene.sceneWidthM, unit, format);
    const QString named = QStringLiteral("Scene width ") + width;
    const QFontMetricsF metrics(painter.font());
    const double room = at.plot.right() - top.x() - bar * 2;
    const QString text = metrics.horizontalAdvance(named) <= room ? named : width;
    QRectF box(0, 0, metrics.horizontalAdvance(text) + paints.line * 0.4, paints.line);
    // Right of the line where it fits, else left of it; halfway down its lower half.
    const double y = (at.baseY + bottom.y()) / 2;
    if (box.width() <= room)
        box.moveTopLeft(QPointF(top.x() + bar, y - box.height() / 2));
    else
        box.moveTopRight(QPointF(top.x() - bar, y - box.height() / 2));
    DrawBoxedText(painter, box, text, paints);
}

// A level's label in the upper half of its slice, where the scene width's is not, and off the
// scene width's line; above the slice where it is too narrow to hold it.
void DrawSliceLabel(QPainter& painter, const PictureScene& scene, const Placing& at,
                    const LevelBand& slice, const Paints& paints) {
    const double left = at.At(slice.fromM, 0).x();
    const double right = at.At(slice.toM, 0).x();
    const double nearHalf = HalfWidthAt(scene, slice.fromM) * at.pxPerM;
    const double farHalf = HalfWidthAt(scene, slice.toM) * at.pxPerM;
    QRectF inside(left, at.baseY - nearHalf * 0.9, right - left, nearHalf * 0.8);
    QRectF above(left, at.baseY - farHalf - paints.line * 1.1, right - left, paints.line);
    const double lineX = at.At(scene.targetM, 0).x();
    for (QRectF* box : {&inside, &above}) {
        if (lineX > box->left() && lineX < box->right()) {
            if (lineX - box->left() > box->right() - lineX)
                box->setRight(lineX);
            else
                box->setLeft(lineX);
        }
    }
    if (!DrawLevelLabel(painter, inside & at.plot, slice.level, paints.LabelOn(slice.level)))
        DrawLevelLabel(painter, above & at.plot, slice.level, paints.text);
}

void DrawTop(QPainter& painter, const QRectF& area, const PictureScene& scene, LengthUnit unit,
             const NumberFormat& format, const Paints& paints) {
    const Placing at = PlaceTopView(area, scene, paints);
    const double startM = scene.blindZoneM;
    const double endM = std::min(scene.farAtTargetM, at.reachM);

    painter.save();
    painter.setClipRect(at.plot);
    if (scene.mounted && startM > 0) {
        Hatch(painter, Slice(scene, at, 0, startM).intersected(QPolygonF(at.plot)), paints);
    }
    if (endM > startM) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(paints.field);
        painter.drawPolygon(Slice(scene, at, startM, endM).intersected(QPolygonF(at.plot)));
        for (const LevelBand& band : scene.bands) {
            const double fromM = std::max(band.fromM, startM);
            const double toM = std::min(band.toM, endM);
            if (toM <= fromM)
                continue;
            painter.setPen(Qt::NoPen);
            painter.setBrush(paints.Level(band.level));
            painter.drawPolygon(Slice(scene, at, fromM, toM).intersected(QPolygonF(at.plot)));
            DrawSliceLabel(painter, scene, at, {band.level, fromM, toM}, paints);
        }
        painter.setPen(paints.Pen(paints.fieldEdge, 1.5));
        painter.setBrush(Qt::NoBrush);
        const double nearHalf = HalfWidthAt(scene, startM);
        const double farHalf = HalfWidthAt(scene, endM);
        DrawLineWithin(painter, {at.At(startM, nearHalf), at.At(endM, farHalf)}, at.plot);
        DrawLineWithin(painter, {at.At(startM, -nearHalf), at.At(endM, -farHalf)}, at.plot);
    }
    painter.setPen(paints.Pen(paints.fieldEdge, 1, Qt::DashLine));
    painter.drawLine(at.At(0, 0), at.At(at.reachM, 0));
    // A person from above, half a metre across, but neither lost nor filling the picture.
    const double personRadius = std::clamp(0.25 * at.pxPerM, 3 * paints.stroke, paints.line * 0.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paints.person);
    painter.drawEllipse(at.At(scene.targetM, 0), personRadius, personRadius);
    DrawTargetMark(painter, at.At(scene.targetM, 0), paints);
    // The scene width is measured at the target; a target outside the view has none to show.
    if (scene.targetInView)
        DrawSceneWidth(painter, scene, at, unit, format, paints);
    painter.restore();

    DrawCamera(painter, at.At(0, 0), 0, paints);
    DrawDistanceMarks(painter, at.poleX, at.pxPerM, at.plot.right(), at.plot.bottom(), unit, format,
                      paints);
    DrawLegend(painter, LegendRow(area, paints), scene, at, paints);
}

// Sets up the painter and the area, and draws the picture, or the note when the figures do not
// make one.
template <typename Draw>
void DrawPicture(QPainter& painter, const QRectF& area, const CoverageFigures& figures,
                 const QPalette& palette, Draw draw) {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const Paints paints(palette, painter.font());
    DrawBackground(painter, area, paints);
    const std::optional<PictureScene> scene = SceneOf(figures);
    // Too small an area for a plot at all gets the note too, not a squashed picture.
    if (scene && area.width() > paints.line * 8 && area.height() > paints.line * 6)
        draw(*scene, paints);
    else
        DrawNote(painter, area, QStringLiteral("No picture: see the message above."), paints);
    painter.restore();
}

}  // namespace

std::optional<LevelBand> LevelBandAt(PictureView view, const QRectF& area,
                                     const CoverageFigures& figures, const QFont& font,
                                     const QPointF& point) {
    const std::optional<PictureScene> scene = SceneOf(figures);
    if (!scene)
        return std::nullopt;
    const Paints paints(QPalette(), font);
    const Placing at = view == PictureView::Side ? PlaceSideView(area, *scene, paints)
                                                 : PlaceTopView(area, *scene, paints);
    // The side view's bands lie on the ground strip under the plot; the top view's across it.
    const QRectF bands = view == PictureView::Side
                             ? QRectF(at.plot.left(), at.plot.top(), at.plot.width(),
                                      at.plot.height() + paints.line * 1.3)
                             : at.plot;
    if (!bands.contains(point))
        return std::nullopt;
    const double distanceM = (point.x() - at.poleX) / at.pxPerM;
    for (const LevelBand& band : scene->bands) {
        if (distanceM >= band.fromM && distanceM < band.toM)
            return band;
    }
    return std::nullopt;
}

void DrawSideView(QPainter& painter, const QRectF& area, const CoverageFigures& figures,
                  LengthUnit unit, const NumberFormat& format, const QPalette& palette) {
    DrawPicture(painter, area, figures, palette,
                [&](const PictureScene& scene, const Paints& paints) {
                    DrawSide(painter, area, scene, figures, unit, format, paints);
                });
}

void DrawTopView(QPainter& painter, const QRectF& area, const CoverageFigures& figures,
                 LengthUnit unit, const NumberFormat& format, const QPalette& palette) {
    DrawPicture(painter, area, figures, palette,
                [&](const PictureScene& scene, const Paints& paints) {
                    DrawTop(painter, area, scene, unit, format, paints);
                });
}

CoveragePicture::CoveragePicture(Draw draw, PictureView view, QWidget* parent)
    : QWidget(parent), draw(draw), view(view) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture fills its area
}

void CoveragePicture::SetFigures(const CoverageFigures& figures, LengthUnit unit,
                                 const NumberFormat& format) {
    this->figures = figures;
    this->unit = unit;
    this->format = format;
    update();
}

QSize CoveragePicture::minimumSizeHint() const {
    return {260, 160};
}

QSize CoveragePicture::sizeHint() const {
    return {420, 240};
}

// Over a band, what its level means and where it is reached.
bool CoveragePicture::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const auto band = LevelBandAt(view, QRectF(rect()), figures, font(), help->pos());
    if (!band) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const std::u16string_view meaning = LevelMeaning(band->level);
    QToolTip::showText(help->globalPos(),
                       QString::fromUtf16(meaning.data(), qsizetype(meaning.size())) +
                           QStringLiteral("\nReached from %1 to %2")
                               .arg(DistanceText(band->fromM, unit, format),
                                    DistanceText(band->toM, unit, format)),
                       this);
    return true;
}

void CoveragePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter, QRectF(rect()), figures, unit, format, palette());
}

SideView::SideView(QWidget* parent) : CoveragePicture(DrawSideView, PictureView::Side, parent) {
    setObjectName(QStringLiteral("sideView"));
    setAccessibleName(QStringLiteral("Side view"));
    setAccessibleDescription(
        QStringLiteral("The camera on its pole seen from the side: the upper and lower edges of "
                       "its view, the target, the blind zone under the camera, and how far along "
                       "the ground each DORI level is reached."));
}

TopView::TopView(QWidget* parent) : CoveragePicture(DrawTopView, PictureView::Top, parent) {
    setObjectName(QStringLiteral("topView"));
    setAccessibleName(QStringLiteral("Top view"));
    setAccessibleDescription(
        QStringLiteral("The camera's view seen from above: how wide it is at each distance, the "
                       "DORI levels across it, and the scene width at the target."));
}
