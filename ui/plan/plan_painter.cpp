#include "plan_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

#include "plan_paint_parts.h"
#include "qt_text.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHandlePoints = 40;
constexpr double kMarkRadiusPoints = 4;
constexpr double kLabelPoints = 8;

// A bearing's direction on the device, as a unit vector.
QPointF DeviceDirection(const QTransform& toDevice, double headingDeg) {
    const double rad = headingDeg * kPi / 180;
    const QPointF d(toDevice.m11() * std::cos(rad) + toDevice.m21() * std::sin(rad),
                    toDevice.m12() * std::cos(rad) + toDevice.m22() * std::sin(rad));
    const double length = std::hypot(d.x(), d.y());
    return length > 0 ? d / length : QPointF(1, 0);
}

QPointF DevicePoint(const QTransform& toDevice, Point p) {
    return toDevice.map(QPointF(p.x, p.y));
}

// How far from the camera its bands reach, in metres: 0 for a camera without bands.
double ReachM(const SceneCamera& camera) {
    if (camera.bands.empty())
        return 0;
    double reach = camera.camera.blindZoneM.value_or(0);
    for (const auto& range : camera.camera.levels) {
        if (range)
            reach = std::max(reach, range->farM);
    }
    return reach;
}

QString CameraLabel(const SceneCamera& camera) {
    const QString name = ToQString(camera.name).simplified();
    return name.isEmpty() ? QStringLiteral("Unnamed camera") : name;
}

// "Till 2 (Identify)": the target and the level it must be seen at.
QString TargetLabel(const SceneTarget& target) {
    QString name = ToQString(target.name).simplified();
    if (name.isEmpty())
        name = QStringLiteral("Unnamed target");
    const int level = std::clamp(target.requiredLevel, 0, int(kDoriLevels.size()) - 1);
    return QStringLiteral("%1 (%2)").arg(name, ToQString(LevelName(level)));
}

// Paints one scene's parts, keeping one polygon buffer for every piece it draws.
class ScenePainter {
  public:
    ScenePainter(QPainter& painter, const QTransform& toDevice, const PlanPaintOptions& options)
        : painter(painter),
          toDevice(toDevice),
          options(options),
          pt(options.devicePixelsPerPoint),
          ink(PlanInk(options.darkPalette)),
          labelFont(PlanFont(painter, kLabelPoints, pt)) {}

    void Walls(const std::vector<Segment>& walls, const QRectF& area) {
        std::vector<QLineF> lines;
        lines.reserve(walls.size());
        const double half = 2 * pt;  // the pen's half width, and then some
        for (const Segment& wall : walls) {
            const QLineF line(DevicePoint(toDevice, wall.a), DevicePoint(toDevice, wall.b));
            if (QRectF(line.p1(), line.p2())
                    .normalized()
                    .adjusted(-half, -half, half, half)
                    .intersects(area))
                lines.push_back(line);
        }
        QPen pen(ink, 3 * pt);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLines(lines.data(), int(lines.size()));
    }

    // Whether anything of the camera (its reach, its mark and handle, its label) meets `area`.
    bool Meets(const SceneCamera& camera, const QRectF& area) {
        const double reach = ReachM(camera);
        const Point at = camera.camera.position;
        const QRectF reachRect = toDevice.mapRect(
            QRectF(QPointF(at.x - reach, at.y - reach), QPointF(at.x + reach, at.y + reach)));
        const double margin = (kHandlePoints + 8) * pt;
        if (reachRect.adjusted(-margin, -margin, margin, margin).intersects(area))
            return true;
        return options.look.labels && LabelRect(camera).intersects(area);
    }

    // Its bands, the outline of its reach and its mark: all but its label.
    void CameraBody(const SceneCamera& camera) {
        const bool selected = options.selectedCameras.count(camera.id) > 0;
        const double widest = WidestBandFar(camera);
        for (const Band& band : camera.bands) {
            const bool shown = band.level ? options.look.levelShown[std::size_t(*band.level)]
                                          : options.look.blindZoneShown;
            if (!shown)
                continue;
            for (const Polygon& piece : band.pieces) {
                if (piece.size() < 3)
                    continue;
                const QPolygonF& polygon = Device(piece);
                if (band.level) {
                    QColor fill = LevelColour(*band.level, options.darkPalette);
                    fill.setAlphaF(float(std::clamp(options.look.opacity, 0.0, 1.0)));
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(fill);
                    painter.drawPolygon(polygon);
                } else {
                    QPainterPath path;
                    path.addPolygon(polygon);
                    path.closeSubpath();
                    Hatch(painter, path, BlindZoneColour(options.darkPalette), pt);
                }
            }
        }
        // The outline of what the camera reaches: the blind zone and the band that goes
        // farthest (a higher level's band lies within it), whichever levels are shown.
        QColor line = selected ? PlanAccent(options.darkPalette) : ink;
        if (!selected)
            line.setAlpha(150);
        painter.setPen(QPen(line, (selected ? 2.5 : 0.75) * pt));
        painter.setBrush(Qt::NoBrush);
        for (const Band& band : camera.bands) {
            if (band.level && band.view.farM != widest)
                continue;
            for (const Polygon& piece : band.pieces) {
                if (piece.size() >= 3)
                    painter.drawPolygon(Device(piece));
            }
        }
        Mark(camera, selected);
    }

    void CameraLabel(const SceneCamera& camera) {
        if (!options.look.labels)
            return;
        painter.setFont(labelFont);
        painter.setPen(ink);
        painter.drawText(LabelRect(camera), Qt::AlignLeft | Qt::AlignBottom, ::CameraLabel(camera));
    }

    void Target(const SceneTarget& target) {
        const QPointF at = DevicePoint(toDevice, target.position);
        const double r = 6 * pt;
        const QPolygonF diamond{at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r),
                                at + QPointF(-r, 0)};
        const QColor paper = PlanBackground(options.darkPalette);
        const QColor colour = target.cover.met ? ink : UnmetTargetColour(options.darkPalette);
        painter.setPen(QPen(colour, 1.5 * pt));
        painter.setBrush(target.cover.met ? paper : colour);
        painter.drawPolygon(diamond);
        painter.setPen(QPen(target.cover.met ? colour : paper, 1 * pt));
        const double c = 0.45 * r;
        painter.drawLine(at + QPointF(-c, -c), at + QPointF(c, c));
        painter.drawLine(at + QPointF(-c, c), at + QPointF(c, -c));
        if (options.selectedTarget == target.id) {
            painter.setPen(QPen(PlanAccent(options.darkPalette), 2 * pt));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, r + 4 * pt, r + 4 * pt);
        }
    }

    // Whether the target's mark (with its selection ring) or its label meets `area`.
    bool Meets(const SceneTarget& target, const QRectF& area) const {
        const QPointF at = DevicePoint(toDevice, target.position);
        const double r = 12 * pt;
        return QRectF(at - QPointF(r, r), at + QPointF(r, r)).intersects(area) ||
               TargetLabelRect(target).intersects(area);
    }

    void TargetLabel(const SceneTarget& target) {
        painter.setFont(labelFont);
        painter.setPen(target.cover.met ? ink : UnmetTargetColour(options.darkPalette));
        painter.drawText(TargetLabelRect(target), Qt::AlignLeft | Qt::AlignVCenter,
                         ::TargetLabel(target));
    }

  private:
    const QPolygonF& Device(const Polygon& piece) {
        buffer.clear();  // keeps its room for the next piece
        for (const Point& p : piece)
            buffer.append(DevicePoint(toDevice, p));
        return buffer;
    }

    static double WidestBandFar(const SceneCamera& camera) {
        double far = 0;
        for (const Band& band : camera.bands) {
            if (band.level)
                far = std::max(far, band.view.farM);
        }
        return far;
    }

    void Mark(const SceneCamera& camera, bool selected) {
        const QPointF at = DevicePoint(toDevice, camera.camera.position);
        const QPointF along = DeviceDirection(toDevice, camera.camera.headingDeg);
        const QColor accent = PlanAccent(options.darkPalette);
        if (selected) {
            const QPointF handle = HeadingHandleAt(toDevice, camera, pt);
            painter.setPen(QPen(accent, 1.25 * pt, Qt::DashLine));
            painter.drawLine(at, handle);
            painter.setPen(QPen(accent, 1.5 * pt));
            painter.setBrush(PlanBackground(options.darkPalette));
            painter.drawEllipse(handle, 5 * pt, 5 * pt);
        }
        QPen heading(ink, 2 * pt);
        heading.setCapStyle(Qt::RoundCap);
        painter.setPen(heading);
        painter.drawLine(at, at + 14 * pt * along);
        painter.setPen(selected ? QPen(accent, 2 * pt) : QPen(Qt::NoPen));
        painter.setBrush(ink);
        painter.drawEllipse(at, kMarkRadiusPoints * pt, kMarkRadiusPoints * pt);
    }

    // Above and to the right of the mark, its bottom-left corner clear of it.
    QRectF LabelRect(const SceneCamera& camera) const {
        const QPointF at = DevicePoint(toDevice, camera.camera.position);
        const QFontMetricsF metrics(labelFont, painter.device());
        const QString text = ::CameraLabel(camera);
        return QRectF(at.x() + 7 * pt, at.y() - 5 * pt - metrics.height(),
                      metrics.horizontalAdvance(text) + 2 * pt, metrics.height());
    }

    // To the right of the mark, centred on it.
    QRectF TargetLabelRect(const SceneTarget& target) const {
        const QPointF at = DevicePoint(toDevice, target.position);
        const QFontMetricsF metrics(labelFont, painter.device());
        return QRectF(at.x() + 9 * pt, at.y() - metrics.height() / 2,
                      metrics.horizontalAdvance(::TargetLabel(target)) + 2 * pt, metrics.height());
    }

    QPainter& painter;
    const QTransform& toDevice;
    const PlanPaintOptions& options;
    const double pt;
    const QColor ink;
    const QFont labelFont;
    QPolygonF buffer;
};

}  // namespace

void Hatch(QPainter& painter, const QPainterPath& region, const QColor& colour,
           double devicePixelsPerPoint) {
    const QRectF box = region.boundingRect();
    const double step = 5 * devicePixelsPerPoint;
    if (box.isEmpty() || !(step > 0))
        return;
    painter.save();
    painter.setClipPath(region, Qt::IntersectClip);
    painter.setPen(QPen(colour, 0.75 * devicePixelsPerPoint));
    // Lines rising to the right, one every `step` along the box's bottom edge and beyond it.
    for (double x = box.left() - box.height(); x <= box.right(); x += step)
        painter.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
    painter.restore();
}

QPointF HeadingHandleAt(const QTransform& toDevice, const SceneCamera& camera,
                        double devicePixelsPerPoint) {
    return DevicePoint(toDevice, camera.camera.position) +
           kHandlePoints * devicePixelsPerPoint *
               DeviceDirection(toDevice, camera.camera.headingDeg);
}

void PaintScene(QPainter& painter, const QTransform& toDevice, const QRectF& area,
                const PlanScene& scene, const PlanPaintOptions& options,
                const std::optional<std::string>& skipCamera) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    ScenePainter out(painter, toDevice, options);
    out.Walls(scene.walls, area);
    std::vector<const SceneCamera*> shown;
    shown.reserve(scene.cameras.size());
    for (const SceneCamera& camera : scene.cameras) {
        if (camera.id == skipCamera || !out.Meets(camera, area))
            continue;
        out.CameraBody(camera);
        shown.push_back(&camera);
    }
    std::vector<const SceneTarget*> targets;
    targets.reserve(scene.targets.size());
    for (const SceneTarget& target : scene.targets) {
        if (!out.Meets(target, area))
            continue;
        out.Target(target);
        targets.push_back(&target);
    }
    // The labels last, over every band and mark.
    for (const SceneCamera* camera : shown)
        out.CameraLabel(*camera);
    for (const SceneTarget* target : targets)
        out.TargetLabel(*target);
    painter.restore();
}

void PaintCamera(QPainter& painter, const QTransform& toDevice, const SceneCamera& camera,
                 const PlanPaintOptions& options) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    ScenePainter out(painter, toDevice, options);
    out.CameraBody(camera);
    out.CameraLabel(camera);
    painter.restore();
}
