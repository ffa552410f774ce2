// The plan panel: its layout, the scene it keeps in step with the design, and the user's work on
// the plan turned into the design's steps.
#include "plan_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableView>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <cmath>

#include "design_document.h"
#include "design_edits.h"
#include "plan_images.h"
#include "plan_look_bar.h"
#include "plan_underlay.h"
#include "qt_text.h"
#include "result_text.h"
#include "targets_model.h"

namespace {

// A camera placed by a click looks up the sheet until the user turns it.
constexpr double kFirstHeadingDeg = 90;

// The Required column's editor: the levels by name, the level's index as the value.
class LevelDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* levels = new QComboBox(parent);
        for (std::size_t i = 0; i < kDoriLevels.size(); ++i)
            levels->addItem(ToQString(kDoriLevels[i].name), static_cast<int>(i));
        return levels;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* levels = static_cast<QComboBox*>(editor);
        levels->setCurrentIndex(levels->findData(index.data(Qt::EditRole)));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
    }
};

PlanPoint ToPlan(Point point) {
    return {point.x, point.y};
}

bool SameTargets(const Plan& plan, const PlanScene& scene) {
    return std::equal(plan.targets.begin(), plan.targets.end(), scene.targets.begin(),
                      scene.targets.end(), [](const Target& a, const SceneTarget& b) {
                          return a.id == b.id && a.name == b.name && a.x == b.position.x &&
                                 a.y == b.position.y && a.level == b.requiredLevel;
                      });
}

bool SameWalls(const Plan& plan, const PlanScene& scene) {
    return std::equal(plan.walls.begin(), plan.walls.end(), scene.walls.begin(), scene.walls.end(),
                      [](const Wall& a, const Segment& b) {
                          return a.x1 == b.a.x && a.y1 == b.a.y && a.x2 == b.b.x && a.y2 == b.b.y;
                      });
}

// Whether the cameras standing on the plan are those of the scene, where the scene has them.
bool SameCameras(const Design& design, const PlanScene& scene) {
    std::size_t next = 0;
    for (const Camera& camera : design.cameras) {
        if (!camera.placement || camera.placement->plan != scene.planId)
            continue;
        if (next == scene.cameras.size())
            return false;
        const SceneCamera& shown = scene.cameras[next++];
        if (shown.id != camera.id || shown.camera.position.x != camera.placement->x ||
            shown.camera.position.y != camera.placement->y ||
            shown.camera.headingDeg != camera.placement->headingDeg || shown.name != camera.name)
            return false;
    }
    return next == scene.cameras.size();
}

}  // namespace

PlanPanel::PlanPanel(DesignDocument& document, PlanImages& images, NumberFormat format,
                     QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_images(images),
      m_format(std::move(format)),
      m_scene(std::make_shared<PlanScene>()),
      m_underlay(std::make_unique<PlanUnderlay>()) {
    setObjectName(QStringLiteral("planPanel"));
    m_plans = new QTabBar;
    m_plans->setObjectName(QStringLiteral("plans"));
    m_plans->setDocumentMode(true);
    m_plans->setExpanding(false);
    m_plans->setAccessibleName(QStringLiteral("Plans"));
    auto* tools = new QToolBar;
    tools->setObjectName(QStringLiteral("planTools"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_view = new PlanView;
    m_look = new PlanLookBar;
    m_targetsModel = new TargetsModel(this);
    m_targets = new QTableView;
    m_targets->setObjectName(QStringLiteral("targets"));
    m_targets->setModel(m_targetsModel);
    m_targets->setItemDelegateForColumn(TargetsModel::Required, new LevelDelegate(m_targets));
    m_targets->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_targets->setSelectionMode(QAbstractItemView::SingleSelection);
    m_targets->verticalHeader()->hide();
    m_targets->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_targets->verticalHeader()->setDefaultSectionSize(m_targets->fontMetrics().height() + 6);
    m_targets->setAccessibleName(QStringLiteral("Targets"));
    m_targets->setToolTip(
        QStringLiteral("The places that must be seen, the level each needs and "
                       "the level a camera reaches there"));
    m_targetsMet = new QLabel;
    m_targetsMet->setObjectName(QStringLiteral("targetsMet"));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("planStatus"));
    BuildTools(tools);

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("<b>Legend</b>")));
    side->addWidget(m_look);
    auto* targetsTitle = new QLabel(QStringLiteral("<b>Targets</b>"));
    side->addWidget(targetsTitle);
    side->addWidget(m_targets, 1);
    side->addWidget(m_targetsMet);
    auto* body = new QHBoxLayout;
    body->addWidget(m_view, 1);
    body->addLayout(side);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_plans);
    outer->addWidget(tools);
    outer->addLayout(body, 1);
    outer->addWidget(m_status);
    m_targets->setMinimumWidth(m_targets->horizontalHeader()->length() / 2);

    connect(&m_document, &DesignDocument::designChanged, this, &PlanPanel::Document_DesignChanged);
    connect(&m_document, &DesignDocument::cameraChanged, this, &PlanPanel::Document_CameraChanged);
    connect(&m_document, &DesignDocument::aboutToLoad, this, [this] { m_loading = true; });
    connect(m_plans, &QTabBar::currentChanged, this, &PlanPanel::plans_CurrentChanged);
    m_view->SetNumberFormat(m_format);
    connect(m_look, &PlanLookBar::lookChanged, m_view, &PlanView::SetLook);
    connect(m_targetsModel, &TargetsModel::renameRequested, this,
            [this](const std::string& id, const QString& name) {
                m_document.RenameTarget(id, name.toStdU16String());
            });
    connect(m_targetsModel, &TargetsModel::levelRequested, this,
            [this](const std::string& id, int level) { m_document.SetTargetLevel(id, level); });
    connect(m_targets->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &PlanPanel::targets_CurrentChanged);

    connect(m_view, &PlanView::placeRequested, this, &PlanPanel::view_PlaceRequested);
    connect(m_view, &PlanView::cameraMoved, this, [this](const std::string& id, Point to) {
        m_document.MoveCameraOnPlan(id, ToPlan(to));
    });
    connect(m_view, &PlanView::cameraTurned, this,
            [this](const std::string& id, double heading) { m_document.TurnCamera(id, heading); });
    connect(m_view, &PlanView::wallDrawn, this, [this](const std::vector<Point>& corners) {
        std::vector<PlanPoint> points;
        for (const Point& corner : corners)
            points.push_back(ToPlan(corner));
        m_document.DrawWall(m_planId, points);
    });
    connect(m_view, &PlanView::wallEndsMoved, this, &PlanPanel::view_WallEndsMoved);
    connect(m_view, &PlanView::wallRemoved, this,
            [this](std::size_t wall) { m_document.RemoveWall(m_planId, wall); });
    connect(m_view, &PlanView::targetAdded, this, [this](Point at) {
        const Plan* plan = FindPlan(m_document.Current(), m_planId);
        const QString name = QStringLiteral("Target %1").arg(plan ? plan->targets.size() + 1 : 1);
        m_selectedTarget = m_document.AddTarget(m_planId, name.toStdU16String(), ToPlan(at), 4);
        ApplySelection();
    });
    connect(m_view, &PlanView::targetMoved, this,
            [this](const std::string& id, Point to) { m_document.MoveTarget(id, ToPlan(to)); });
    connect(m_view, &PlanView::targetRemoved, this,
            [this](const std::string& id) { m_document.RemoveTarget(id); });
    connect(m_view, &PlanView::selectionChanged, this, &PlanPanel::view_SelectionChanged);
    connect(m_view, &PlanView::scalePointsChosen, this, &PlanPanel::view_ScalePointsChosen);
    connect(m_view, &PlanView::measured, this, [this](double metres) {
        m_status->setText(
            QStringLiteral("Distance: %1")
                .arg(ToQString(LengthText(metres, m_document.Current().unit, m_format))));
    });
    connect(m_underlay.get(), &PlanUnderlay::changed, m_view, qOverload<>(&QWidget::update));
    Document_DesignChanged(m_document.Current());
}

PlanPanel::~PlanPanel() = default;

void PlanPanel::SetSelectedCameras(const std::vector<std::string>& ids) {
    m_selected = ids;
    ApplySelection();
}

void PlanPanel::ShowFirstPlan() {
    const Design& design = m_document.Current();
    const std::string first = design.plans.empty() ? std::string() : design.plans.front().id;
    // The design's change has brought the scene up to date: only the fit is left.
    if (first == m_planId)
        m_view->FitPlan();
    else
        ShowPlan(first, true);
}

void PlanPanel::Document_CameraChanged(const std::string& id) {
    m_changedCamera = id;
}

void PlanPanel::Document_DesignChanged(const Design& design) {
    const std::string changed = std::exchange(m_changedCamera, {});
    const bool wasShown =
        std::any_of(m_scene->cameras.begin(), m_scene->cameras.end(),
                    [&](const SceneCamera& camera) { return camera.id == changed; });
    SyncTabs(design);
    const Plan* plan = FindPlan(design, m_planId);
    if (!plan) {
        m_loading = false;
        ShowPlan(design.plans.empty() ? std::string() : design.plans.front().id, true);
        return;
    }
    // A new scene each time, never one changed in place: the view may be drawing the last one
    // on another thread. Only what changed is worked out again.
    if (std::exchange(m_loading, false) || (changed.empty() && !SameCameras(design, *m_scene)))
        m_scene = std::make_shared<PlanScene>(BuildPlanScene(design, m_planId));
    else if (!changed.empty())
        m_scene = std::make_shared<PlanScene>(UpdateCamera(*m_scene, design, changed));
    else if (!SameWalls(*plan, *m_scene))
        m_scene = std::make_shared<PlanScene>(UpdateWalls(*m_scene, design));
    else if (!SameTargets(*plan, *m_scene))
        m_scene = std::make_shared<PlanScene>(UpdateTargets(*m_scene, design));
    const Camera* camera = changed.empty() ? nullptr : FindCamera(design, changed);
    const bool stillShown = camera && camera->placement && camera->placement->plan == m_planId;
    ShowScene(design, plan, wasShown && stillShown);
}

void PlanPanel::ShowScene(const Design& design, const Plan* plan, bool othersUnchanged) {
    m_view->SetScene(m_scene);
    m_view->SetUnit(design.unit);
    SyncUnderlay(plan);
    m_targetsModel->SetScene(*m_scene);
    ShowTargetsMet(design, othersUnchanged);
    ApplySelection();
}

void PlanPanel::ShowPlan(const std::string& planId, bool fit) {
    const Design& design = m_document.Current();
    m_planId = planId;
    m_scene = std::make_shared<PlanScene>(BuildPlanScene(design, planId));
    const QSignalBlocker quiet(m_plans);
    for (int i = 0; i < m_plans->count(); ++i) {
        if (m_plans->tabData(i).toString().toStdString() == planId)
            m_plans->setCurrentIndex(i);
    }
    const Plan* plan = FindPlan(design, planId);
    m_view->setEnabled(plan != nullptr);
    for (QAction* action : m_tools->actions())
        action->setEnabled(plan != nullptr);
    m_renamePlan->setEnabled(plan != nullptr);
    m_removePlan->setEnabled(plan != nullptr);
    m_typeScale->setEnabled(plan != nullptr && plan->image);
    m_exportPlan->setEnabled(plan != nullptr);
    ShowScene(design, plan);
    if (fit)
        m_view->FitPlan();
}

void PlanPanel::SyncTabs(const Design& design) {
    const QSignalBlocker quiet(m_plans);
    while (m_plans->count() > static_cast<int>(design.plans.size()))
        m_plans->removeTab(m_plans->count() - 1);
    for (std::size_t i = 0; i < design.plans.size(); ++i) {
        const Plan& plan = design.plans[i];
        const QString name =
            plan.name.empty() ? QStringLiteral("Unnamed plan") : ToQString(plan.name);
        const int tab = static_cast<int>(i);
        if (tab == m_plans->count())
            m_plans->addTab(name);
        m_plans->setTabText(tab, name);
        m_plans->setTabData(tab, QString::fromStdString(plan.id));
        if (plan.id == m_planId)
            m_plans->setCurrentIndex(tab);
    }
}

void PlanPanel::SyncUnderlay(const Plan* plan) {
    std::optional<std::string> wanted;
    if (plan && plan->image)
        wanted = *plan->image + '#' + std::to_string(plan->imagePage);
    if (wanted != m_underlayShown) {
        m_underlayShown = wanted;
        m_underlay->Clear();
        if (wanted) {
            const auto blob = m_images.Get(QString::fromStdString(*plan->image));
            if (const auto* found = std::get_if<DesignBlob>(&blob))
                m_underlay->Load(found->bytes, found->mime, plan->imagePage);
            else
                m_status->setText(std::get<QString>(blob));
        }
    }
    const double metresPerPixel =
        plan ? plan->metresPerPixel.value_or(kUnscaledMetresPerPixel) : kUnscaledMetresPerPixel;
    const QPointF origin = plan ? QPointF(plan->origin.x, plan->origin.y) : QPointF();
    m_view->SetUnderlay(wanted ? m_underlay.get() : nullptr, metresPerPixel, origin);
}

void PlanPanel::ShowTargetsMet(const Design& design, bool othersUnchanged) {
    // The other plans' targets are counted again only when the change may reach them: not for a
    // camera that stood, and still stands, on the plan shown.
    if (!othersUnchanged)
        m_othersMet = CountTargetsMet(design, m_planId);
    TargetsMet count = m_othersMet;
    count.total += m_scene->targets.size();
    for (const SceneTarget& target : m_scene->targets)
        count.met += target.cover.met ? 1 : 0;
    const QString text = TargetsMetText(count);
    m_targetsMet->setText(text);
    emit targetsMetChanged(text);
}

void PlanPanel::ApplySelection() {
    m_view->SetSelection({m_selected.begin(), m_selected.end()}, m_selectedTarget);
    const int row = m_selectedTarget ? m_targetsModel->RowOf(*m_selectedTarget) : -1;
    if (row >= 0 && m_targets->currentIndex().row() != row)
        m_targets->setCurrentIndex(m_targetsModel->index(row, 0));
    const Camera* camera =
        m_selected.empty() ? nullptr : FindCamera(m_document.Current(), m_selected.front());
    const bool placed = camera && camera->placement && camera->placement->plan == m_planId;
    m_heading->setEnabled(placed);
    if (placed && !m_heading->hasFocus()) {
        const QSignalBlocker quiet(m_heading);
        double heading = std::fmod(camera->placement->headingDeg, 360.0);
        m_heading->setValue(heading < 0 ? heading + 360 : heading);
    }
}

void PlanPanel::plans_CurrentChanged(int index) {
    if (index >= 0)
        ShowPlan(m_plans->tabData(index).toString().toStdString(), true);
}

void PlanPanel::heading_Edited() {
    const Camera* camera =
        m_selected.empty() ? nullptr : FindCamera(m_document.Current(), m_selected.front());
    if (!camera || !camera->placement)
        return;
    // Left without a change, the box shows the heading within a turn (370° as 10°): no step.
    const double shown = std::fmod(camera->placement->headingDeg, 360.0);
    if (std::abs((shown < 0 ? shown + 360 : shown) - m_heading->value()) > 0.05)
        m_document.TurnCamera(camera->id, m_heading->value());
}

void PlanPanel::view_PlaceRequested(Point at) {
    if (m_planId.empty())
        return;
    QUndoStack& history = m_document.UndoStack();
    history.beginMacro(QStringLiteral("Place Camera"));
    // A camera that stands somewhere already is moved by dragging: a click places a new one,
    // which the window adds after it and selects.
    const Camera* selected =
        m_selected.empty() ? nullptr : FindCamera(m_document.Current(), m_selected.front());
    if (!selected || selected->placement)
        emit cameraWanted();
    if (!m_selected.empty()) {
        const std::string id = m_selected.front();
        const Camera* camera = FindCamera(m_document.Current(), id);
        const double heading =
            camera && camera->placement ? camera->placement->headingDeg : kFirstHeadingDeg;
        m_document.PlaceCamera(id, m_planId, ToPlan(at), heading);
    }
    history.endMacro();
}

void PlanPanel::view_SelectionChanged(const std::set<std::string>& cameras,
                                      const std::optional<std::string>& target) {
    m_selectedTarget = target;
    std::vector<std::string> picked;
    for (const SceneCamera& camera : m_scene->cameras) {
        if (cameras.count(camera.id))
            picked.push_back(camera.id);
    }
    if (!picked.empty()) {
        m_selected = picked;
        emit camerasPicked(picked);
    }
    ApplySelection();
}

void PlanPanel::view_WallEndsMoved(const std::vector<WallEnd>& ends, Point to) {
    std::vector<std::pair<std::size_t, int>> moved;
    for (const WallEnd& end : ends)
        moved.emplace_back(end.wall, end.endB ? 1 : 0);
    m_document.MoveWallEnds(m_planId, moved, ToPlan(to));
}

void PlanPanel::targets_CurrentChanged() {
    const QModelIndex current = m_targets->currentIndex();
    if (!current.isValid())
        return;
    const std::string id = current.data(TargetsModel::TargetIdRole).toString().toStdString();
    if (m_selectedTarget != id) {
        m_selectedTarget = id;
        m_view->SetSelection({m_selected.begin(), m_selected.end()}, m_selectedTarget);
    }
}
