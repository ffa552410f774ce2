#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>

#include "plan_view.h"
#include "plan_view_state.h"

void PlanView::mousePressEvent(QMouseEvent* event) {
    PlanGesture& gesture = m_state->gesture;
    if (gesture.kind != PlanGesture::Kind::None)
        return;
    const QPointF px = event->position();
    const bool pan = event->button() == Qt::MiddleButton ||
                     (event->button() == Qt::LeftButton && m_state->spaceHeld);
    if (!pan && event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    gesture = PlanGesture{};
    gesture.kind = pan ? PlanGesture::Kind::Pan : PlanGesture::Kind::Press;
    gesture.panButton = event->button();
    gesture.pressPx = gesture.lastPx = px;
    if (!pan && m_state->tool == Tool::Select)
        gesture.hit = HitAt(px);
    UpdateCursor();
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF px = event->position();
    m_state->pointerPx = px;
    const Point at = m_state->viewport.ToMetres(px);
    if (IsFinite(at))
        emit pointerMoved(at);
    PlanGesture& gesture = m_state->gesture;
    switch (gesture.kind) {
        case PlanGesture::Kind::Pan:
            SetViewport(Panned(m_state->viewport, px - gesture.lastPx), false);
            break;
        case PlanGesture::Kind::Press:
            if (m_state->tool == Tool::Select && !gesture.moved &&
                QLineF(gesture.pressPx, px).length() >= kClickSlackPx)
                StartDrag();
            if (gesture.kind != PlanGesture::Kind::Press)
                DragTo(px, event->modifiers());
            break;
        case PlanGesture::Kind::None:
            // The rubber band and the measure follow the pointer.
            if (!m_state->corners.empty() || !m_state->clicks.empty())
                update();
            break;
        default:
            DragTo(px, event->modifiers());
    }
    gesture.lastPx = px;
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
    PlanGesture& gesture = m_state->gesture;
    const bool ends = event->button() ==
                      (gesture.kind == PlanGesture::Kind::Pan ? gesture.panButton : Qt::LeftButton);
    if (gesture.kind == PlanGesture::Kind::None || !ends) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPointF px = event->position();
    switch (gesture.kind) {
        case PlanGesture::Kind::Pan:
            gesture = PlanGesture{};
            m_state->settle.start();
            break;
        case PlanGesture::Kind::Press: {
            const bool click =
                m_state->tool != Tool::Select ||
                (!gesture.moved && QLineF(gesture.pressPx, px).length() < kClickSlackPx);
            const PlanHit hit = gesture.hit;
            gesture = PlanGesture{};
            if (click)
                Click(px, event->modifiers(), hit);
            break;
        }
        default:
            DragTo(px, event->modifiers());
            EndDrag();
    }
    UpdateCursor();
}

void PlanView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_state->tool != Tool::DrawWall || event->button() != Qt::LeftButton) {
        // A quick second click of another tool is a click of its own.
        mousePressEvent(event);
        return;
    }
    // The first click of the two added the corner; a double-click that did not come after one
    // (or away from it) adds its own.
    const std::vector<Point>& corners = m_state->corners;
    if (corners.empty() ||
        QLineF(m_state->viewport.ToWidget(corners.back()), event->position()).length() >=
            kClickSlackPx)
        Click(event->position(), event->modifiers(), {});
    FinishWall();
}

void PlanView::leaveEvent(QEvent* event) {
    // The rubber band and the measure stop at the last click, and Delete no longer means the
    // wall the pointer was on.
    m_state->pointerPx.reset();
    update();
    QWidget::leaveEvent(event);
}

void PlanView::Click(QPointF px, Qt::KeyboardModifiers modifiers, const PlanHit& hit) {
    const Point at = m_state->viewport.ToMetres(px);
    if (!IsFinite(at))
        return;
    std::vector<Point>& clicks = m_state->clicks;
    switch (m_state->tool) {
        case Tool::Select:
            SelectClick(hit, modifiers);
            break;
        case Tool::PlaceCamera:
            emit placeRequested(at);
            break;
        case Tool::AddTarget:
            emit targetAdded(at);
            break;
        case Tool::DrawWall: {
            // A corner clicked on a wall's end, or back on the first corner, joins it.
            std::vector<Point>& corners = m_state->corners;
            Point corner = SnappedToWallEnd(at, {});
            if (corners.size() >= 2 && Distance(at, corners.front()) <= PickRadiusM())
                corner = corners.front();
            corners.push_back(corner);
            break;
        }
        case Tool::SetScale:
            clicks.push_back(at);
            if (clicks.size() == 2) {
                const QTransform toPixels =
                    UnderlayToMetres(m_state->metresPerPixel, m_state->originM).inverted();
                const QPointF a = toPixels.map(QPointF(clicks[0].x, clicks[0].y));
                const QPointF b = toPixels.map(QPointF(clicks[1].x, clicks[1].y));
                clicks.clear();
                emit scalePointsChosen(a, b);
                SetTool(Tool::Select);
            }
            break;
        case Tool::Measure:
            if (clicks.size() == 2)
                clicks.clear();
            clicks.push_back(at);
            if (clicks.size() == 2)
                emit measured(Distance(clicks[0], clicks[1]));
            break;
    }
    update();
}

void PlanView::CancelGesture() {
    const bool hadCamera = m_state->gesture.live.has_value();
    m_state->gesture = PlanGesture{};
    if (hadCamera)
        LayersChanged();
    UpdateCursor();
    update();
}

void PlanView::FinishWall() {
    std::vector<Point> corners = std::move(m_state->corners);
    m_state->corners.clear();
    update();
    if (corners.size() >= 2)
        emit wallDrawn(corners);
}

bool PlanView::ToolKey(QKeyEvent* event) {
    const Tool tool = m_state->tool;
    switch (event->key()) {
        case Qt::Key_Escape:
            if (m_state->gesture.kind != PlanGesture::Kind::None) {
                CancelGesture();
                return true;
            }
            if (tool == Tool::Select)
                return false;
            SetTool(Tool::Select);  // ends a wall being drawn
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (tool != Tool::DrawWall)
                return false;
            FinishWall();
            return true;
        case Qt::Key_Backspace:
            if (tool == Tool::DrawWall) {
                if (!m_state->corners.empty())
                    m_state->corners.pop_back();
                update();
                return true;
            }
            [[fallthrough]];
        case Qt::Key_Delete:
            return tool == Tool::Select && RemoveSelected();
        default:
            return false;
    }
}
