#include "plan_view.h"

#include "plan_extent.h"
#include "result_text.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "plan_view_state.h"

namespace {

// How long zooming must pause before the layers are drawn again at the new scale, and how long a
// pan before they are drawn again round the new centre.
constexpr int kSettleMs = 150;
constexpr double kZoomStep = 1.25;  // per wheel notch and per Ctrl+plus
// A blank plan shows this square about the origin; a plan's extent is shown at least this wide.
constexpr double kBlankPlanM = 20;
constexpr double kLeastFitM = 2;
constexpr double kFitMarginPx = 24;

}  // namespace

QTransform UnderlayToMetres(double metresPerPixel, QPointF originM) {
    return QTransform(metresPerPixel, 0, 0, -metresPerPixel, originM.x(), originM.y());
}

QString MeasuredText(double metres, LengthUnit unit, const NumberFormat& format) {
    return QString::fromStdU16String(RoundedText(metres / MetresPerUnit(unit), 2, format) + u' ' +
                                     UnitSymbol(unit));
}

PlanView::PlanView(QWidget* parent) : QWidget(parent), m_state(std::make_unique<State>()) {
    setObjectName(QStringLiteral("plan"));
    setAccessibleName(QStringLiteral("Site plan"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_state->settle.setSingleShot(true);
    m_state->settle.setInterval(kSettleMs);
    connect(&m_state->settle, &QTimer::timeout, this, [this] {
        if (isVisible())
            m_state->cache.Render(MetresToWidget(), size(), devicePixelRatioF());
    });
    connect(&m_state->cache, &PlanLayerCache::rendered, this, [this] {
        if (m_state->dropped && m_state->cache.ShownSkipCamera() != m_state->dropped->id)
            m_state->dropped.reset();
        update();
    });
    UpdateCursor();
    LayersChanged();
}

PlanView::~PlanView() = default;

void PlanView::SetScene(std::shared_ptr<const PlanScene> scene) {
    m_state->scene = scene ? std::move(scene) : std::make_shared<const PlanScene>();
    if (m_state->selectedWall && *m_state->selectedWall >= m_state->scene->walls.size())
        m_state->selectedWall.reset();
    LayersChanged();
}

void PlanView::SetUnderlay(PlanUnderlay* underlay, double metresPerPixel, QPointF originM) {
    if (m_state->underlay)
        disconnect(m_state->underlay, nullptr, this, nullptr);
    m_state->underlay = underlay;
    // An underlay not yet scaled is drawn at a centimetre to its pixel.
    m_state->metresPerPixel =
        std::isfinite(metresPerPixel) && metresPerPixel > 0 ? metresPerPixel : 0.01;
    m_state->originM =
        std::isfinite(originM.x()) && std::isfinite(originM.y()) ? originM : QPointF();
    if (underlay)
        connect(underlay, &PlanUnderlay::changed, this, qOverload<>(&QWidget::update));
    update();
}

void PlanView::SetSelection(const std::set<std::string>& cameras,
                            const std::optional<std::string>& target) {
    if (cameras == m_state->selectedCameras && target == m_state->selectedTarget)
        return;
    m_state->selectedCameras = cameras;
    m_state->selectedTarget = target;
    LayersChanged();
}

void PlanView::SetLook(const PlanLook& look) {
    m_state->look = look;
    LayersChanged();
}

void PlanView::SetUnit(LengthUnit unit) {
    m_state->unit = unit;
    update();
}

void PlanView::SetNumberFormat(const NumberFormat& format) {
    m_state->format = format;
    update();
}

void PlanView::SetTool(Tool tool) {
    if (tool == m_state->tool)
        return;
    if (m_state->tool == Tool::DrawWall)
        FinishWall();
    CancelGesture();
    m_state->clicks.clear();
    m_state->tool = tool;
    UpdateCursor();
    update();
    emit toolChanged(tool);
}

PlanView::Tool PlanView::CurrentTool() const {
    return m_state->tool;
}

void PlanView::FitPlan() {
    if (size().isEmpty()) {
        m_state->fitWhenSized = true;
        return;
    }
    m_state->fitWhenSized = false;
    const PlanUnderlay* underlay = m_state->underlay;
    const QRectF underlayM = underlay && !underlay->SizePx().isEmpty()
                                 ? UnderlayToMetres(m_state->metresPerPixel, m_state->originM)
                                       .mapRect(QRectF(QPointF(), underlay->SizePx()))
                                 : QRectF();
    const QRectF extent = PlanExtent(*m_state->scene, underlayM);
    const QRectF box = extent.isNull()
                           ? QRectF(-kBlankPlanM / 2, -kBlankPlanM / 2, kBlankPlanM, kBlankPlanM)
                           : extent;
    SetViewport(Fitted(m_state->viewport, box, kFitMarginPx, kLeastFitM), true);
}

void PlanView::ZoomBy(double factor, QPointF at) {
    SetViewport(ZoomedAbout(m_state->viewport, factor, at), true);
}

QTransform PlanView::MetresToWidget() const {
    return m_state->viewport.MetresToWidget();
}

bool PlanView::LayersDrawn() const {
    return !m_state->settle.isActive() && m_state->cache.IsSettled() &&
           m_state->cache.Covers(MetresToWidget(), size());
}

PlanPaintOptions PlanView::PaintOptions() const {
    PlanPaintOptions options;
    options.look = m_state->look;
    options.darkPalette = palette().color(QPalette::Base).lightness() < 128;
    options.selectedCameras = m_state->selectedCameras;
    options.selectedTarget = m_state->selectedTarget;
    options.format = m_state->format;
    return options;
}

void PlanView::LayersChanged() {
    PlanPaintOptions options = PaintOptions();
    options.devicePixelsPerPoint = devicePixelRatioF();
    const PlanGesture& gesture = m_state->gesture;
    std::optional<std::string> skip;
    if (gesture.live)
        skip = gesture.live->id;
    m_state->cache.SetLayers({m_state->scene, std::move(options), std::move(skip)});
    if (isVisible())
        m_state->cache.Render(MetresToWidget(), size(), devicePixelRatioF());
    update();
}

void PlanView::SetViewport(const PlanViewport& viewport, bool zoomed) {
    m_state->viewport = viewport;
    m_state->viewport.sizePx = size();
    update();
    if (zoomed)
        m_state->settle.start();
    else if (isVisible() && !m_state->cache.Covers(MetresToWidget(), size()))
        m_state->cache.Render(MetresToWidget(), size(), devicePixelRatioF());
}

void PlanView::UpdateCursor() {
    if (m_state->gesture.kind == PlanGesture::Kind::Pan)
        setCursor(Qt::ClosedHandCursor);
    else if (m_state->spaceHeld)
        setCursor(Qt::OpenHandCursor);
    else
        setCursor(m_state->tool == Tool::Select ? Qt::ArrowCursor : Qt::CrossCursor);
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QTransform toWidget = MetresToWidget();
    const PlanPaintOptions options = PaintOptions();
    painter.setRenderHint(QPainter::Antialiasing);
    PaintGrid(painter, toWidget, rect(), options);
    if (m_state->underlay)
        m_state->underlay->Draw(
            painter, UnderlayToMetres(m_state->metresPerPixel, m_state->originM) * toWidget,
            rect());
    m_state->cache.Draw(painter, toWidget);
    PaintOverlay(painter, options);
    constexpr double kInset = 8;
    PaintLegend(painter, QPointF(kInset, kInset), options);
    PaintScaleBar(painter, QPointF(kInset, height() - kInset), m_state->viewport.pixelsPerMetre,
                  m_state->unit, 120, options);
}

bool PlanView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool drawing = m_state->tool == Tool::DrawWall && key == Qt::Key_Backspace;
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && (drawing || CanRemove())) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void PlanView::resizeEvent(QResizeEvent*) {
    m_state->viewport.sizePx = size();
    if (m_state->fitWhenSized)
        FitPlan();
    else
        SetViewport(m_state->viewport, false);
}

void PlanView::showEvent(QShowEvent*) {
    LayersChanged();
}

void PlanView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        LayersChanged();
    QWidget::changeEvent(event);
}

void PlanView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) {
        event->ignore();
        return;
    }
    ZoomBy(std::pow(kZoomStep, notches), event->position());
    event->accept();
}

void PlanView::keyPressEvent(QKeyEvent* event) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (key == Qt::Key_Space) {
        m_state->spaceHeld = true;
        UpdateCursor();
    } else if (ctrl && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
        ZoomBy(kZoomStep, centre);
    } else if (ctrl && key == Qt::Key_Minus) {
        ZoomBy(1 / kZoomStep, centre);
    } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
               key == Qt::Key_Down) {
        // The arrow shows what lies that way: the plan moves the other way, a tenth of the view.
        const double across = key == Qt::Key_Left ? 1 : key == Qt::Key_Right ? -1 : 0;
        const double down = key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0;
        SetViewport(Panned(m_state->viewport, {across * width() / 10, down * height() / 10}),
                    false);
        m_state->settle.start();
    } else if (!ToolKey(event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PlanView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_state->spaceHeld = false;
        UpdateCursor();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void PlanView::focusOutEvent(QFocusEvent* event) {
    m_state->spaceHeld = false;
    UpdateCursor();
    QWidget::focusOutEvent(event);
}
