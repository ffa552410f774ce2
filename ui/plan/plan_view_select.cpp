#include <QLineF>
#include <algorithm>
#include <cmath>

#include "hit_test.h"
#include "plan_view.h"
#include "plan_view_state.h"

namespace {

// A selected camera's heading handle: this far from its mark along its heading.
constexpr double kHeadingHandlePx = 40;
constexpr double kHeadingSnapDeg = 15;
// Wall ends this close are one corner, moved together: the ends of a polyline's walls are the
// same clicked point.
constexpr double kCornerToleranceM = 1e-6;

Point EndOf(const Segment& wall, bool endB) {
    return endB ? wall.b : wall.a;
}

double NormalisedDeg(double degrees) {
    const double turned = std::fmod(degrees, 360.0);
    return turned < 0 ? turned + 360.0 : turned;
}

}  // namespace

double PlanView::PickRadiusM() const {
    return kPickRadiusPx / m_state->viewport.pixelsPerMetre;
}

PlanHit PlanView::HitAt(QPointF px) const {
    const PlanScene& scene = *m_state->scene;
    const PlanViewport& viewport = m_state->viewport;
    for (std::size_t i = 0; i < scene.cameras.size(); ++i) {
        const SceneCamera& camera = scene.cameras[i];
        if (!m_state->selectedCameras.count(camera.id))
            continue;
        const double heading = camera.camera.headingDeg * M_PI / 180;
        const QPointF handle = viewport.ToWidget(camera.camera.position) +
                               kHeadingHandlePx * QPointF(std::cos(heading), -std::sin(heading));
        if (QLineF(handle, px).length() <= kPickRadiusPx)
            return {PlanHit::Kind::HeadingHandle, i, false};
    }
    const Point at = viewport.ToMetres(px);
    if (!IsFinite(at))
        return {};
    std::vector<PlacedCamera> cameras;
    cameras.reserve(scene.cameras.size());
    for (const SceneCamera& camera : scene.cameras)
        cameras.push_back(camera.camera);
    std::vector<SightTarget> targets;
    targets.reserve(scene.targets.size());
    for (const SceneTarget& target : scene.targets)
        targets.push_back({target.position, target.requiredLevel});
    const double radius = PickRadiusM();
    if (const std::optional<Pick> pick = PickAt(at, radius, cameras, targets, scene.walls)) {
        switch (pick->kind) {
            case PickKind::Camera:
                return {PlanHit::Kind::Camera, pick->index, false};
            case PickKind::Target:
                return {PlanHit::Kind::Target, pick->index, false};
            case PickKind::WallEnd:
                return {PlanHit::Kind::WallEnd, pick->index, pick->wallEndB};
        }
    }
    std::optional<std::size_t> nearest;
    double nearestM = radius;
    for (std::size_t i = 0; i < scene.walls.size(); ++i) {
        const double distance = DistanceToSegment(at, scene.walls[i]);
        if (distance <= nearestM) {
            nearestM = distance;
            nearest = i;
        }
    }
    if (nearest)
        return {PlanHit::Kind::Wall, *nearest, false};
    return {};
}

Point PlanView::SnappedToWallEnd(Point at, const std::vector<WallEnd>& besides) const {
    const std::vector<Segment>& walls = m_state->scene->walls;
    std::optional<Point> nearest;
    double nearestM = PickRadiusM();
    for (std::size_t i = 0; i < walls.size(); ++i) {
        for (const bool endB : {false, true}) {
            const bool moving = std::any_of(besides.begin(), besides.end(), [&](const WallEnd& e) {
                return e.wall == i && e.endB == endB;
            });
            const double distance = Distance(at, EndOf(walls[i], endB));
            if (!moving && distance <= nearestM) {
                nearestM = distance;
                nearest = EndOf(walls[i], endB);
            }
        }
    }
    return nearest.value_or(at);
}

void PlanView::SelectClick(const PlanHit& hit, Qt::KeyboardModifiers modifiers) {
    const PlanScene& scene = *m_state->scene;
    const bool adding = modifiers & Qt::ControlModifier;
    std::set<std::string> cameras = adding ? m_state->selectedCameras : std::set<std::string>{};
    std::optional<std::string> target = adding ? m_state->selectedTarget : std::nullopt;
    std::optional<std::size_t> wall;
    switch (hit.kind) {
        case PlanHit::Kind::HeadingHandle:
        case PlanHit::Kind::Camera: {
            const std::string& id = scene.cameras[hit.index].id;
            if (!cameras.insert(id).second)
                cameras.erase(id);  // Ctrl+click on a selected camera takes it out
            break;
        }
        case PlanHit::Kind::Target: {
            const std::string& id = scene.targets[hit.index].id;
            target = adding && target == id ? std::nullopt : std::optional<std::string>(id);
            break;
        }
        case PlanHit::Kind::WallEnd:
        case PlanHit::Kind::Wall:
            wall = hit.index;
            break;
        case PlanHit::Kind::None:
            break;
    }
    m_state->selectedWall = wall;
    update();
    if (cameras != m_state->selectedCameras || target != m_state->selectedTarget) {
        SetSelection(cameras, target);
        emit selectionChanged(cameras, target);
    }
}

void PlanView::StartDrag() {
    PlanGesture& gesture = m_state->gesture;
    const PlanScene& scene = *m_state->scene;
    const Point pressed = m_state->viewport.ToMetres(gesture.pressPx);
    gesture.moved = true;
    switch (gesture.hit.kind) {
        case PlanHit::Kind::Camera:
        case PlanHit::Kind::HeadingHandle: {
            const SceneCamera& camera = scene.cameras[gesture.hit.index];
            const bool turn = gesture.hit.kind == PlanHit::Kind::HeadingHandle;
            gesture.kind = turn ? PlanGesture::Kind::TurnCamera : PlanGesture::Kind::MoveCamera;
            gesture.grabOffsetM = camera.camera.position - pressed;
            gesture.headingDeg = camera.camera.headingDeg;
            gesture.live = camera;
            LayersChanged();  // the layers without it: it is drawn on its own while it moves
            break;
        }
        case PlanHit::Kind::Target:
            gesture.kind = PlanGesture::Kind::MoveTarget;
            gesture.to = scene.targets[gesture.hit.index].position;
            gesture.grabOffsetM = gesture.to - pressed;
            break;
        case PlanHit::Kind::WallEnd: {
            gesture.kind = PlanGesture::Kind::MoveWallEnds;
            gesture.to = EndOf(scene.walls[gesture.hit.index], gesture.hit.endB);
            gesture.grabOffsetM = gesture.to - pressed;
            for (std::size_t i = 0; i < scene.walls.size(); ++i)
                for (const bool endB : {false, true})
                    if (Distance(EndOf(scene.walls[i], endB), gesture.to) <= kCornerToleranceM)
                        gesture.ends.push_back({i, endB});
            break;
        }
        case PlanHit::Kind::Wall:
        case PlanHit::Kind::None:
            break;  // nothing to drag: the press is neither a click nor a drag
    }
}

void PlanView::DragTo(QPointF px, Qt::KeyboardModifiers modifiers) {
    PlanGesture& gesture = m_state->gesture;
    const Point at = m_state->viewport.ToMetres(px);
    const Point to = at + gesture.grabOffsetM;
    if (!IsFinite(to))
        return;
    switch (gesture.kind) {
        case PlanGesture::Kind::MoveCamera:
            gesture.live = MovedCamera(*m_state->scene, *gesture.live, to, gesture.headingDeg);
            break;
        case PlanGesture::Kind::TurnCamera: {
            const Point from = gesture.live->camera.position;
            double heading = NormalisedDeg(std::atan2(at.y - from.y, at.x - from.x) * 180 / M_PI);
            if (modifiers & Qt::ShiftModifier)
                heading = NormalisedDeg(std::round(heading / kHeadingSnapDeg) * kHeadingSnapDeg);
            if (!std::isfinite(heading))
                return;
            gesture.headingDeg = heading;
            gesture.live = MovedCamera(*m_state->scene, *gesture.live, from, heading);
            break;
        }
        case PlanGesture::Kind::MoveTarget:
            gesture.to = to;
            break;
        case PlanGesture::Kind::MoveWallEnds:
            gesture.to = SnappedToWallEnd(to, gesture.ends);
            break;
        default:
            return;
    }
    update();
}

void PlanView::EndDrag() {
    const PlanGesture gesture = std::move(m_state->gesture);
    m_state->gesture = PlanGesture{};
    const PlanScene& scene = *m_state->scene;
    if (gesture.live) {
        // Drawn where it was dropped until the layers show it there (or back where it was).
        m_state->dropped = gesture.live;
        LayersChanged();
    }
    switch (gesture.kind) {
        case PlanGesture::Kind::MoveCamera:
            emit cameraMoved(gesture.live->id, gesture.live->camera.position);
            break;
        case PlanGesture::Kind::TurnCamera:
            emit cameraTurned(gesture.live->id, gesture.headingDeg);
            break;
        case PlanGesture::Kind::MoveTarget:
            emit targetMoved(scene.targets[gesture.hit.index].id, gesture.to);
            break;
        case PlanGesture::Kind::MoveWallEnds:
            emit wallEndsMoved(gesture.ends, gesture.to);
            break;
        default:
            break;
    }
    update();
}

std::optional<std::size_t> PlanView::WallToRemove() const {
    if (m_state->selectedWall)
        return m_state->selectedWall;
    if (m_state->pointerPx) {
        const PlanHit hit = HitAt(*m_state->pointerPx);
        if (hit.kind == PlanHit::Kind::Wall || hit.kind == PlanHit::Kind::WallEnd)
            return hit.index;
    }
    return std::nullopt;
}

bool PlanView::CanRemove() const {
    return m_state->tool == Tool::Select && (m_state->selectedTarget || WallToRemove());
}

bool PlanView::RemoveSelected() {
    if (const std::optional<std::string> target = m_state->selectedTarget) {
        emit targetRemoved(*target);
        const std::set<std::string> cameras = m_state->selectedCameras;
        SetSelection(cameras, std::nullopt);
        emit selectionChanged(cameras, std::nullopt);
        return true;
    }
    const std::optional<std::size_t> wall = WallToRemove();
    if (!wall)
        return false;
    m_state->selectedWall.reset();
    update();
    emit wallRemoved(*wall);
    return true;
}
