#pragma once

#include <QColor>
#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "coverage.h"
#include "qt_text.h"

class QFont;
class QPainter;
class QPalette;
class QPolygonF;

// What both Coverage pictures are drawn with: colours from the palette, sizes from the font.

struct Paints {
    Paints(const QPalette& palette, const QFont& font);

    // A DORI level's fill: the palette's Text (with a little Highlight) mixed into its Base, more
    // for each level up, so that the levels differ in lightness in light and dark palettes alike.
    // -1 for the ground where no level is reached.
    QColor Level(int level) const;
    // Text that reads on a level's fill.
    QColor LabelOn(int level) const;
    // A pen `strokes` plain lines wide, scaled with the font so that a page draws as a screen.
    // Flat caps: round ones on every dash of a dashed line cost more than the rest of a picture.
    QPen Pen(const QColor& colour, double strokes, Qt::PenStyle style = Qt::SolidLine) const;

    QColor base;
    QColor text;
    QColor frame;
    QColor field;      // the inside of the view, see-through
    QColor fieldEdge;  // its edges and axis
    QColor person;
    QColor pole;
    QColor hatch;
    QColor levelInk;
    double line;    // the font's line height: the unit the layout is measured in
    double stroke;  // the width of a plain line
};

// "7.32 m": a length in a unit, two decimals.
QString DistanceText(double metres, LengthUnit unit, const NumberFormat& format);

// The area filled with Base inside a thin frame.
void DrawBackground(QPainter& painter, const QRectF& area, const Paints& paints);
// A short note in the middle of the area, in place of a picture.
void DrawNote(QPainter& painter, const QRectF& area, const QString& note, const Paints& paints);

// Thin diagonal lines over a region: what the camera does not see.
void Hatch(QPainter& painter, const QPolygonF& region, const Paints& paints);

// The part of a line inside a convex polygon of either winding, if any.
std::optional<QLineF> InsideConvex(const QPolygonF& convex, const QLineF& line);
// A line drawn only as far as it lies within a rectangle: the painter strokes (and dashes) the
// whole of a line before it clips it, and a ray can run far past a picture.
void DrawLineWithin(QPainter& painter, const QLineF& line, const QRectF& within);

// The first of the texts that fits the box, centred in it; nothing when none fits (false).
bool DrawFittingText(QPainter& painter, const QRectF& box, const QStringList& texts,
                     const QColor& colour);
// "Identify": a level's full name.
QString LevelNameText(int level);
// A level's full name where it fits the box, else nothing (false): a clipped name would read as
// another word, and the legend names every level.
bool DrawLevelLabel(QPainter& painter, const QRectF& box, int level, const QColor& colour);
// Text on a patch of Base, readable over anything.
void DrawBoxedText(QPainter& painter, const QRectF& box, const QString& text, const Paints& paints);

// A ring on the point the camera looks at, readable on any background.
void DrawTargetMark(QPainter& painter, const QPointF& centre, const Paints& paints);
// The camera, its lens pointing `degrees` below the horizontal (clockwise on screen).
void DrawCamera(QPainter& painter, const QPointF& centre, double degrees, const Paints& paints);

// Distances from the pole along a row under a picture: round steps of the unit from `poleX` to
// `right`, the unit after the last.
void DrawDistanceMarks(QPainter& painter, double poleX, double pxPerM, double right, double top,
                       LengthUnit unit, const NumberFormat& format, const Paints& paints);
