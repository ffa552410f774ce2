#include "coverage_picture_parts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

QColor Mix(const QColor& from, const QColor& to, double weight) {
    const auto mix = [weight](float a, float b) { return float(a + (b - a) * weight); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()));
}

QColor SeeThrough(QColor colour, double alpha) {
    colour.setAlphaF(float(alpha));
    return colour;
}

// The contrast ratio of two colours, as the web's accessibility guidelines define it.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How much of the level ink a level's fill holds: evenly apart from light to dark, and the
// ground where no level is reached lighter than any.
double LevelWeight(int level) {
    return level < 0 ? 0.05 : 0.12 + 0.1 * level;
}

// A round step (1, 2, 2.5 or 5 times a power of ten) at least `least`.
double RoundStep(double least) {
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
        if (multiple * power >= least * (1 - 1e-9))
            return multiple * power;
    }
    return 10 * power;
}

}  // namespace

Paints::Paints(const QPalette& palette, const QFont& font)
    : base(palette.color(QPalette::Base)),
      text(palette.color(QPalette::Text)),
      frame(Mix(base, text, 0.3)),
      field(Mix(base, palette.color(QPalette::Highlight), 0.22)),
      fieldEdge(palette.color(QPalette::Highlight)),
      person(Mix(base, text, 0.6)),
      pole(Mix(base, text, 0.55)),
      hatch(SeeThrough(text, 0.45)),
      levelInk(Mix(text, palette.color(QPalette::Highlight), 0.25)),
      line(QFontMetricsF(font).height()),
      stroke(std::max(1.0, line / 15)) {}

QColor Paints::Level(int level) const {
    return Mix(base, levelInk, LevelWeight(level));
}

QColor Paints::LabelOn(int level) const {
    const QColor fill = Level(level);
    return Contrast(text, fill) >= Contrast(base, fill) ? text : base;
}

QPen Paints::Pen(const QColor& colour, double strokes, Qt::PenStyle style) const {
    return QPen(colour, strokes * stroke, style, Qt::FlatCap, Qt::MiterJoin);
}

namespace {

double Cross(const QPointF& a, const QPointF& b) {
    return a.x() * b.y() - a.y() * b.x();
}

}  // namespace

std::optional<QLineF> InsideConvex(const QPolygonF& convex, const QLineF& line) {
    double twiceArea = 0;
    for (qsizetype i = 0; i < convex.size(); ++i)
        twiceArea += Cross(convex[i], convex[(i + 1) % convex.size()]);
    const double winding = twiceArea < 0 ? -1 : 1;
    const QPointF direction = line.p2() - line.p1();
    double enter = 0;
    double leave = 1;
    for (qsizetype i = 0; i < convex.size(); ++i) {
        const QPointF from = convex[i];
        const QPointF edge = convex[(i + 1) % convex.size()] - from;
        // Inside the edge where start + t * rate >= 0.
        const double start = winding * Cross(edge, line.p1() - from);
        const double rate = winding * Cross(edge, direction);
        if (rate == 0) {
            if (start < 0)
                return std::nullopt;
            continue;
        }
        const double t = -start / rate;
        if (rate > 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter >= leave)
            return std::nullopt;
    }
    return QLineF(line.p1() + direction * enter, line.p1() + direction * leave);
}

void DrawLineWithin(QPainter& painter, const QLineF& line, const QRectF& within) {
    if (auto inside = InsideConvex(QPolygonF(within), line))
        painter.drawLine(*inside);
}

QString DistanceText(double metres, LengthUnit unit, const NumberFormat& format) {
    return ToQString(RoundedText(metres / MetresPerUnit(unit), 2, format)) + u' ' +
           ToQString(UnitSymbol(unit));
}

void DrawBackground(QPainter& painter, const QRectF& area, const Paints& paints) {
    painter.fillRect(area, paints.base);
    painter.setPen(paints.Pen(paints.frame, 1));
    painter.setBrush(Qt::NoBrush);
    const double inset = paints.stroke / 2;
    painter.drawRect(area.adjusted(inset, inset, -inset, -inset));
}

void DrawNote(QPainter& painter, const QRectF& area, const QString& note, const Paints& paints) {
    painter.setPen(paints.text);
    const double margin = paints.line / 2;
    painter.drawText(area.adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, note);
}

void Hatch(QPainter& painter, const QPolygonF& convex, const Paints& paints) {
    // A pattern rather than lines of our own: the painter fills it many times faster.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(paints.hatch, Qt::BDiagPattern));
    painter.drawPolygon(convex);
}

bool DrawFittingText(QPainter& painter, const QRectF& box, const QStringList& texts,
                     const QColor& colour) {
    const QFontMetricsF metrics(painter.font());
    if (box.height() < metrics.height() * 0.9)
        return false;
    const double room = box.width() - metrics.averageCharWidth();
    for (const QString& text : texts) {
        if (metrics.horizontalAdvance(text) <= room) {
            painter.setPen(colour);
            painter.drawText(box, Qt::AlignCenter, text);
            return true;
        }
    }
    return false;
}

QString LevelNameText(int level) {
    const std::u16string_view name = kDoriLevels[std::size_t(level)].name;
    return QString::fromUtf16(name.data(), qsizetype(name.size()));
}

bool DrawLevelLabel(QPainter& painter, const QRectF& box, int level, const QColor& colour) {
    return DrawFittingText(painter, box, {LevelNameText(level)}, colour);
}

void DrawBoxedText(QPainter& painter, const QRectF& box, const QString& text,
                   const Paints& paints) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(SeeThrough(paints.base, 0.85));
    painter.drawRoundedRect(box, paints.line * 0.2, paints.line * 0.2);
    painter.setPen(paints.text);
    painter.drawText(box, Qt::AlignCenter, text);
}

void DrawTargetMark(QPainter& painter, const QPointF& centre, const Paints& paints) {
    const double radius = paints.line * 0.24;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(paints.Pen(paints.base, 3.5));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(paints.Pen(paints.text, 1.5));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paints.text);
    painter.drawEllipse(centre, paints.stroke * 1.2, paints.stroke * 1.2);
}

void DrawCamera(QPainter& painter, const QPointF& centre, double degrees, const Paints& paints) {
    const double size = paints.line * 1.1;
    painter.save();
    painter.translate(centre);
    painter.rotate(degrees);
    painter.setPen(paints.Pen(paints.text, 1));
    painter.setBrush(paints.Level(5));
    painter.drawRoundedRect(QRectF(-size * 0.75, -size * 0.3, size, size * 0.6), size * 0.1,
                            size * 0.1);
    painter.drawRect(QRectF(size * 0.25, -size * 0.2, size * 0.22, size * 0.4));
    painter.restore();
}

void DrawDistanceMarks(QPainter& painter, double poleX, double pxPerM, double right, double top,
                       LengthUnit unit, const NumberFormat& format, const Paints& paints) {
    const double pxPerUnit = pxPerM * MetresPerUnit(unit);
    const double reach = (right - poleX) / pxPerUnit;
    if (!(reach > 0) || !std::isfinite(reach))
        return;
    const QFontMetricsF metrics(painter.font());
    // About one mark to every two widths of the widest label.
    const double widest =
        metrics.horizontalAdvance(ToQString(RoundedText(reach, 1, format)) + QStringLiteral(" ft"));
    const int most = std::clamp(int((right - poleX) / (2 * widest)), 2, 8);
    const double step = RoundStep(reach / most);
    int decimals = 0;  // as many as the step has: 0.25 needs two
    while (decimals < 15 && std::abs(step * std::pow(10.0, decimals) -
                                     std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;

    const double tick = paints.line * 0.25;
    const QString unitText = u' ' + ToQString(UnitSymbol(unit));
    painter.setPen(paints.Pen(paints.text, 1));
    for (int i = 0; i <= most + 1 && i * step <= reach * (1 + 1e-9); ++i) {
        const double x = poleX + i * step * pxPerUnit;
        const bool last = (i + 1) * step > reach * (1 + 1e-9) || i == most + 1;
        const QString number = ToQString(RoundedText(i * step, decimals, format));
        const QString label = last ? number + unitText : number;
        painter.drawLine(QPointF(x, top), QPointF(x, top + tick));
        // The number centred on its mark, the unit after it; the last label ends at the right
        // edge rather than run past it.
        const double width = metrics.horizontalAdvance(label);
        const double left = std::min(x - metrics.horizontalAdvance(number) / 2, right - width);
        painter.drawText(QRectF(left, top + tick, width + 1, paints.line), Qt::AlignLeft, label);
    }
}
