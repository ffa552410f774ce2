// The plan panel's tool bar: the tools, each with its key while the plan has the focus, Fit, the
// selected camera's heading, and the plan's commands (import, export, new, rename, remove, scale).
#include "plan_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QToolBar>

void PlanPanel::BuildTools(QToolBar* tools) {
    const auto add = [this, tools](const char* name, const QString& text, const QString& tip) {
        QAction* action = tools->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(tip);
        return action;
    };
    m_addPlan = new QAction(QStringLiteral("New Plan\u2026"), this);
    m_addPlan->setObjectName(QStringLiteral("addPlan"));
    m_renamePlan = new QAction(QStringLiteral("Rename Plan\u2026"), this);
    m_renamePlan->setObjectName(QStringLiteral("renamePlan"));
    m_removePlan = new QAction(QStringLiteral("Remove Plan"), this);
    m_removePlan->setObjectName(QStringLiteral("removePlan"));
    m_typeScale = new QAction(QStringLiteral("Type Scale\u2026"), this);
    m_typeScale->setObjectName(QStringLiteral("typeScale"));
    m_importPlan = add("importPlan", QStringLiteral("Import Drawing\u2026"),
                       QStringLiteral("Put a PNG, JPEG, SVG or PDF drawing under the plan"));
    m_importPlan->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    tools->addSeparator();
    m_tools = new QActionGroup(this);
    // A tool's key works while the plan has the focus, and only then: typed in the targets
    // table or the heading box, a letter is a letter.
    const struct {
        const char* name;
        const char* text;
        const char* tip;
        PlanView::Tool tool;
        Qt::Key key;
    } kTools[] = {
        {"selectTool", "Select", "Select, move and turn cameras; move targets and wall corners (V)",
         PlanView::Tool::Select, Qt::Key_V},
        {"placeCamera", "Place Camera", "Click to place the selected camera, or a new one (C)",
         PlanView::Tool::PlaceCamera, Qt::Key_C},
        {"drawWall", "Draw Wall", "Click corner after corner; Esc ends the wall (W)",
         PlanView::Tool::DrawWall, Qt::Key_W},
        {"addTarget", "Add Target", "Click a place that must be seen (T)",
         PlanView::Tool::AddTarget, Qt::Key_T},
        {"setScale", "Set Scale", "Click two points a known distance apart (S)",
         PlanView::Tool::SetScale, Qt::Key_S},
        {"measure", "Measure", "Click two points to measure the distance between them (M)",
         PlanView::Tool::Measure, Qt::Key_M},
    };
    for (const auto& tool : kTools) {
        QAction* action =
            add(tool.name, QString::fromLatin1(tool.text), QString::fromLatin1(tool.tip));
        action->setCheckable(true);
        action->setData(static_cast<int>(tool.tool));
        action->setShortcut(QKeySequence(tool.key));
        action->setShortcutContext(Qt::WidgetShortcut);
        m_view->addAction(action);
        m_tools->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, tool = tool.tool] { m_view->SetTool(tool); });
    }
    m_tools->actions().front()->setChecked(true);
    tools->addSeparator();
    QAction* fit = add("fitPlan", QStringLiteral("Fit"), QStringLiteral("Show the whole plan (F)"));
    fit->setShortcut(QKeySequence(Qt::Key_F));
    fit->setShortcutContext(Qt::WidgetShortcut);
    m_view->addAction(fit);
    connect(fit, &QAction::triggered, m_view, &PlanView::FitPlan);
    auto* headingLabel = new QLabel(QStringLiteral(" Heading: "));
    m_heading = new QDoubleSpinBox;
    m_heading->setObjectName(QStringLiteral("heading"));
    m_heading->setRange(0, 359.9);
    m_heading->setDecimals(1);
    m_heading->setWrapping(true);
    m_heading->setSuffix(QStringLiteral("\u00b0"));
    m_heading->setKeyboardTracking(false);
    m_heading->setAccessibleName(QStringLiteral("Heading of the selected camera"));
    m_heading->setToolTip(
        QStringLiteral("Which way the camera looks: 0\u00b0 along the plan's x "
                       "axis, counter-clockwise"));
    headingLabel->setBuddy(m_heading);
    tools->addWidget(headingLabel);
    tools->addWidget(m_heading);
    tools->addSeparator();
    m_exportPlan = add("exportPlan", QStringLiteral("Export Plan\u2026"),
                       QStringLiteral("Write the plan to a PDF or PNG file"));
    m_exportPlan->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    connect(m_heading, &QDoubleSpinBox::editingFinished, this, &PlanPanel::heading_Edited);
    connect(m_importPlan, &QAction::triggered, this, &PlanPanel::importPlan_Triggered);
    connect(m_exportPlan, &QAction::triggered, this, &PlanPanel::exportPlan_Triggered);
    connect(m_addPlan, &QAction::triggered, this, &PlanPanel::addPlan_Triggered);
    connect(m_renamePlan, &QAction::triggered, this, &PlanPanel::renamePlan_Triggered);
    connect(m_removePlan, &QAction::triggered, this, &PlanPanel::removePlan_Triggered);
    connect(m_typeScale, &QAction::triggered, this, &PlanPanel::typeScale_Triggered);
    // The tool ends (a wall drawn, a scale set): the buttons show Select again.
    connect(m_view, &PlanView::toolChanged, this, [this](PlanView::Tool tool) {
        for (QAction* action : m_tools->actions())
            action->setChecked(action->data().toInt() == static_cast<int>(tool));
    });
}
