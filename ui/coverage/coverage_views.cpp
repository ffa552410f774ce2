#include "coverage_views.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>

#include "coverage/dori_table_model.h"
#include "coverage/dori_table_view.h"
#include "coverage/lens_list_page.h"
#include "coverage_pictures.h"
#include "lens_list.h"

CoverageViews::CoverageViews(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("views"));
    setDocumentMode(true);  // no frame inside a frame: the pictures take the room
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    // Its tab bar takes the focus, in the window's order; the tab widget, as the tab bar's proxy,
    // would be a second stop, out of order.
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(nullptr);
    tabBar()->setFocusPolicy(Qt::TabFocus);
    tabBar()->setAccessibleName(QStringLiteral("Views"));
    if (auto* pages = findChild<QStackedWidget*>())
        pages->setAccessibleName(QStringLiteral("View shown"));
    addTab(BuildPictures(), QStringLiteral("Pictures"));
    m_doriModel = new DoriTableModel(this);
    m_doriTable = new DoriTableView(m_doriModel);
    addTab(m_doriTable, QStringLiteral("DORI &table"));
    addTab(BuildLensList(), QStringLiteral("Le&nses"));
    setTabToolTip(0, QStringLiteral("The camera's view from the side and from above"));
    setTabToolTip(1, QStringLiteral("How far and with what each DORI level is reached"));
    setTabToolTip(2, QStringLiteral("The catalogue's lenses that reach the level required"));
}

QWidget* CoverageViews::BuildPictures() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pictures"));
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, row->spacing(), 0, 0);
    m_sideView = new SideView;
    m_topView = new TopView;
    for (QWidget* picture : {static_cast<QWidget*>(m_sideView), static_cast<QWidget*>(m_topView)}) {
        picture->setToolTip(picture->accessibleDescription());
        // Beside the form on a small screen, or at twice the scale, the pictures share less.
        picture->setMinimumSize(picture->minimumSizeHint() * 3 / 5);
        row->addWidget(picture, 1);
    }
    return page;
}

// The page scrolls as a whole only where the window is too short for its filters and a few
// rows of the list (at twice the scale on a small screen); the pictures set how short the tabs
// may be.
QWidget* CoverageViews::BuildLensList() {
    m_lensList = new LensListPage;
    connect(m_lensList, &LensListPage::filterChanged, this, &CoverageViews::filterChanged);
    connect(m_lensList, &LensListPage::lensChosen, this, &CoverageViews::lensChosen);
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("lensPage"));
    scroller->setWidget(m_lensList);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setMinimumHeight(m_sideView->minimumHeight());
    scroller->verticalScrollBar()->setAccessibleName(QStringLiteral("Lenses, vertical scroll bar"));
    scroller->horizontalScrollBar()->setAccessibleName(
        QStringLiteral("Lenses, horizontal scroll bar"));
    return scroller;
}

void CoverageViews::Show(const Coverage& shown, const CoverageInputs& inputs,
                         const NumberFormat& format) {
    const bool groundRangeShown = !m_doriTable->isColumnHidden(DoriTableModel::kGroundRangeColumn);
    m_doriTable->setColumnHidden(DoriTableModel::kGroundRangeColumn, !inputs.mounted);
    if (m_doriModel->SetCoverage(shown, FarthestKind(inputs)) || groundRangeShown != inputs.mounted)
        m_doriTable->FitColumns();
    m_sideView->SetFigures(shown.figures, inputs.unit, format);
    m_topView->SetFigures(shown.figures, inputs.unit, format);
    m_lensList->Show(ListLensesReaching(shown.figures, inputs, m_lensList->Filter(), format),
                     inputs.requiredLevel);
}

std::vector<QWidget*> CoverageViews::TabOrder() const {
    std::vector<QWidget*> order{tabBar(), m_doriTable};
    for (QWidget* control : m_lensList->TabOrder())
        order.push_back(control);
    return order;
}

int CoverageViews::DoriTableWidth() const {
    return m_doriTable->sizeHint().width();
}
