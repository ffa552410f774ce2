#include "plan_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

#include "cameras_panel.h"
#include "design_document.h"
#include "design_file_actions.h"
#include "plan_panel.h"

PlanCommands::PlanCommands(DesignDocument& document, DesignFileActions& files,
                           CamerasPanel& cameras, QMenuBar& bar, QStackedWidget& pages,
                           QWidget& cameraOnly, NumberFormat format, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_cameras(cameras),
      m_pages(pages),
      m_cameraOnly(cameraOnly) {
    m_panel = new PlanPanel(document, files.Images(), std::move(format));
    pages.addWidget(m_panel);

    // After Camera, before Help; no access key is left for it, so it has none.
    QMenu* menu = new QMenu(QStringLiteral("Plan"), &bar);
    menu->setObjectName(QStringLiteral("planMenu"));
    const QList<QAction*> menus = bar.actions();
    bar.insertMenu(menus.isEmpty() ? nullptr : menus.back(), menu);
    auto* pagesGroup = new QActionGroup(this);
    m_showCamera = menu->addAction(QStringLiteral("&Camera"));
    m_showCamera->setObjectName(QStringLiteral("mnuShowCamera"));
    m_showCamera->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    m_showPlan = menu->addAction(QStringLiteral("&Site Plan"));
    m_showPlan->setObjectName(QStringLiteral("mnuShowPlan"));
    m_showPlan->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    for (QAction* page : {m_showCamera, m_showPlan}) {
        page->setCheckable(true);
        pagesGroup->addAction(page);
    }
    m_showCamera->setChecked(true);
    menu->addSeparator();
    menu->addAction(m_panel->addPlanAction());
    menu->addAction(m_panel->renamePlanAction());
    menu->addAction(m_panel->removePlanAction());
    menu->addSeparator();
    menu->addAction(m_panel->importPlanAction());
    menu->addAction(m_panel->typeScaleAction());
    menu->addAction(m_panel->exportPlanAction());

    connect(m_showCamera, &QAction::triggered, this, [this] { ShowPlan(false); });
    connect(m_showPlan, &QAction::triggered, this, [this] { ShowPlan(true); });
    connect(&cameras, &CamerasPanel::selectionChanged, this,
            [this] { m_panel->SetSelectedCameras(m_cameras.SelectedIds()); });
    connect(m_panel, &PlanPanel::camerasPicked, this, [this](const std::vector<std::string>& ids) {
        if (!ids.empty() && m_cameras.CurrentId() != ids.front())
            m_cameras.Select(ids.front());
    });
    connect(m_panel, &PlanPanel::cameraWanted, this, &PlanCommands::panel_CameraWanted);
    connect(m_panel, &PlanPanel::targetsMetChanged, &cameras, &CamerasPanel::SetTargetsMet);
    connect(&files, &DesignFileActions::designReplaced, m_panel, &PlanPanel::ShowFirstPlan);
    m_panel->SetSelectedCameras(cameras.SelectedIds());
}

void PlanCommands::ShowPlan(bool plan) {
    m_pages.setCurrentIndex(plan ? 1 : 0);
    m_cameraOnly.setVisible(!plan);
    (plan ? m_showPlan : m_showCamera)->setChecked(true);
    if (plan)
        m_panel->View().setFocus();
}

void PlanCommands::panel_CameraWanted() {
    const std::string id = m_document.AddCameraAfter(m_cameras.CurrentId());
    if (!id.empty())
        m_cameras.Select(id);
}
