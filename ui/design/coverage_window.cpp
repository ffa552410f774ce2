#include "coverage_window.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "coverage/camera_editor.h"
#include "coverage/dori_table_model.h"
#include "coverage/dori_table_view.h"
#include "coverage/followed_sources.h"
#include "coverage/lens_list_page.h"
#include "coverage/results_panel.h"
#include "coverage/sheet_actions.h"
#include "coverage_pictures.h"
#include "lens_list.h"
#include "lens_lookup.h"
#include "qt_text.h"

namespace {

// The desktop's measurement system decides the unit the window opens in.
LengthUnit DesktopUnit() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? LengthUnit::Feet
                                                                      : LengthUnit::Metres;
}

// The form's start, in the desktop's unit, its numbers written in the user's format: the model
// writes them with a decimal point, which a decimal comma would read as a grouping mark.
CoverageInputs StartInputs(const NumberFormat& format) {
    CoverageInputs start = DefaultCoverageInputs(DesktopUnit());
    for (std::u16string CoverageInputs::*field :
         {&CoverageInputs::customWidthMm, &CoverageInputs::customHeightMm,
          &CoverageInputs::pixelSizeUm, &CoverageInputs::pixelsAcross, &CoverageInputs::pixelsDown,
          &CoverageInputs::focalLengthMm, &CoverageInputs::distance, &CoverageInputs::cameraHeight,
          &CoverageInputs::targetHeight, &CoverageInputs::tiltDeg}) {
        if (const auto value = ParseNumber(start.*field, NumberFormat{}))
            start.*field = NumberText(*value, format);
    }
    return start;
}

}  // namespace

CoverageWindow::CoverageWindow(const FollowedSources& sources, QWidget* parent)
    : QWidget(parent, Qt::Window), m_numberFormat(sources.Calculator().format()) {
    setObjectName(QStringLiteral("Coverage"));
    setWindowTitle(QStringLiteral("Coverage"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/vistamarq.png")));

    m_follow = new QComboBox;
    m_follower = new SourceFollower(sources, m_follow, this);
    // The form as it opens: the calculator's start.
    m_editor = new CameraEditor(m_numberFormat, StartInputs(m_numberFormat));
    m_sheetActions = new SheetActions(this, [this] { return Sheet(); });

    m_content = new QWidget;
    auto* columns = new QHBoxLayout(m_content);
    m_inputs = BuildInputs();
    columns->addWidget(m_inputs);
    auto* seen = new QVBoxLayout;
    m_results = new ResultsPanel;
    seen->addWidget(m_results);
    seen->addWidget(BuildViews(), 1);
    columns->addLayout(seen, 1);

    // Only a window smaller than its contents scrolls; the sheet's commands stay in sight.
    auto* scroller = new QScrollArea;
    scroller->setWidget(m_content);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);  // it scrolls to the control with the focus
    scroller->verticalScrollBar()->setAccessibleName(
        QStringLiteral("Coverage, vertical scroll bar"));
    scroller->horizontalScrollBar()->setAccessibleName(
        QStringLiteral("Coverage, horizontal scroll bar"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(scroller, 1);
    m_buttons = m_sheetActions->MakeButtonRow();
    m_buttons->layout()->setContentsMargins(columns->contentsMargins());
    outer->addWidget(m_buttons);
    ChainTabOrder(m_buttons);

    connect(m_editor, &CameraEditor::inputsEdited, this, &CoverageWindow::Form_Change);
    connect(m_follower, &SourceFollower::followedChanged, this, &CoverageWindow::Source_Change);
    connect(m_lensList, &LensListPage::filterChanged, this, &CoverageWindow::Form_Change);
    connect(m_lensList, &LensListPage::lensChosen, this, &CoverageWindow::lensSuggestions_Chosen);
    Source_Change();
    setMinimumSize(480, 360);
}

QWidget* CoverageWindow::BuildInputs() {
    auto* inputs = new QWidget;
    auto* column = new QVBoxLayout(inputs);
    column->setContentsMargins(0, 0, 0, 0);
    auto* followRow = new QFormLayout;
    followRow->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_follow->setObjectName(QStringLiteral("follow"));
    m_follow->setAccessibleName(QStringLiteral("Follow"));
    m_follow->setToolTip(
        QStringLiteral("Where the camera and lens come from: the calculator's row 1 or 2, the "
                       "last part number decoded, or values of your own"));
    m_follow->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* followCaption = new QLabel(QStringLiteral("&Follow:"));
    followCaption->setBuddy(m_follow);
    followRow->addRow(followCaption, m_follow);
    column->addLayout(followRow);
    column->addWidget(m_editor, 1);
    return inputs;
}

QWidget* CoverageWindow::BuildViews() {
    m_views = new QTabWidget;
    m_views->setObjectName(QStringLiteral("views"));
    m_views->setDocumentMode(true);  // no frame inside a frame: the pictures take the room
    // As tall as the room left, down to its least: a window that scrolls asks its contents for
    // their height from their size hints, and a long list's hint would make it scroll.
    m_views->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    // Its tab bar takes the focus, in the window's order; the tab widget, as the tab bar's proxy,
    // would be a second stop, out of order.
    m_views->setFocusPolicy(Qt::NoFocus);
    m_views->setFocusProxy(nullptr);
    m_views->tabBar()->setFocusPolicy(Qt::TabFocus);
    m_views->tabBar()->setAccessibleName(QStringLiteral("Views"));
    if (auto* pages = m_views->findChild<QStackedWidget*>())
        pages->setAccessibleName(QStringLiteral("View shown"));
    m_views->addTab(BuildPictures(), QStringLiteral("Pictur&es"));
    m_views->addTab(BuildDoriTable(), QStringLiteral("DORI &table"));
    m_views->addTab(BuildLensList(), QStringLiteral("Le&nses"));
    m_views->setTabToolTip(0, QStringLiteral("The camera's view from the side and from above"));
    m_views->setTabToolTip(1, QStringLiteral("How far and with what each DORI level is reached"));
    m_views->setTabToolTip(2,
                           QStringLiteral("The catalogue's lenses that reach the level required"));
    return m_views;
}

QWidget* CoverageWindow::BuildPictures() {
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

QWidget* CoverageWindow::BuildDoriTable() {
    m_doriModel = new DoriTableModel(this);
    m_doriTable = new DoriTableView(m_doriModel);
    return m_doriTable;
}

// The page scrolls as a whole only where the window is too short for its filters and a few
// rows of the list (at twice the scale on a small screen); the pictures set how short the tabs
// may be.
QWidget* CoverageWindow::BuildLensList() {
    m_lensList = new LensListPage;
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

// Reading order: the form from the top, the tabs and the one shown, the sheet's commands.
void CoverageWindow::ChainTabOrder(QWidget* sheetButtons) {
    std::vector<QWidget*> order{m_follow};
    for (QWidget* control : m_editor->TabOrder())
        order.push_back(control);
    order.insert(order.end(), {m_views->tabBar(), m_doriTable});
    for (QWidget* control : m_lensList->TabOrder())
        order.push_back(control);
    for (auto* button : sheetButtons->findChildren<QWidget*>()) {
        if (button->focusPolicy() & Qt::TabFocus)
            order.push_back(button);
    }
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Wide enough for the whole DORI table beside the form, and for the pictures; nine tenths of the
// room's height, or as much as the contents ask for with a quarter more for the mounting's rows:
// a picture gains from any height.
QSize CoverageWindow::DefaultSize(const QSize& room) const {
    const QMargins margins = m_content->layout()->contentsMargins();
    const int besideTable = m_inputs->sizeHint().width() + m_content->layout()->spacing() +
                            m_doriTable->sizeHint().width() + margins.left() + margins.right();
    const int contents = m_content->sizeHint().height() + m_buttons->sizeHint().height();
    const QSize wanted(std::max(m_content->minimumSizeHint().width() * 6 / 5, besideTable),
                       std::max(contents * 5 / 4, room.height() * 9 / 10));
    return wanted.boundedTo(room);
}

void CoverageWindow::showEvent(QShowEvent* event) {
    m_follower->Start();
    QWidget::showEvent(event);
}

// Hidden, the window follows nothing: no slot of its own runs until it is shown again.
void CoverageWindow::hideEvent(QHideEvent* event) {
    m_follower->Stop();
    QWidget::hideEvent(event);
}

// The source changed, or the window is shown: what it gives is copied into the form.
void CoverageWindow::Source_Change() {
    m_editor->SetLocked(m_follower->Locked());
    Form_Change();
}

// What the source gives is written over the form before the one recalculation, so that a unit
// switch converts the calculator's distance afresh from its own feet.
void CoverageWindow::Form_Change() {
    const CoverageInputs edited = m_editor->Inputs();
    m_editor->SetInputs(
        WithoutStrayLens(m_follower->Followed(edited), m_follower->Current(), m_numberFormat));
    // A source that changes the aspect (the calculator's pictures are 4:3) takes the pixels with
    // it, as the user's own switch of the aspect does.
    const CoverageInputs followed = m_editor->Inputs();
    if (followed.aspect != edited.aspect)
        m_editor->FitPixelsToAspect(followed.aspect);
    Recompute(m_editor->Inputs());
}

// A lens chosen from the list stays the camera's while its own values are kept and its focal
// length is one the lens can be set to; a source's lens, or another focal length, is not it.
CoverageInputs CoverageWindow::WithoutStrayLens(CoverageInputs inputs, Source source,
                                                const NumberFormat& format) {
    if (inputs.lensModel.empty())
        return inputs;
    const auto lens = FindLens(std::string(inputs.lensModel.begin(), inputs.lensModel.end()));
    const auto focal = ParseNumber(inputs.focalLengthMm, format);
    const double margin = 1e-9;
    if (source != Source::OwnValues || !lens || !focal ||
        *focal < lens->range.shortestMm * (1 - margin) ||
        *focal > lens->range.longestMm * (1 + margin))
        inputs.lensModel.clear();
    return inputs;
}

// "Use this lens": the camera's own values from now on, set to the lens as the list sets it.
void CoverageWindow::lensSuggestions_Chosen(const QString& modelNumber, double focalMm) {
    m_follow->setCurrentIndex(m_follow->findData(static_cast<int>(Source::OwnValues)));
    CoverageInputs inputs = m_editor->Inputs();
    inputs.focalLengthMm = NumberText(focalMm, m_numberFormat);
    inputs.lensModel = modelNumber.toStdU16String();
    m_editor->SetInputs(inputs);
    Form_Change();
}

void CoverageWindow::Recompute(const CoverageInputs& inputs) {
    m_shown = ComputeCoverage(inputs, m_numberFormat);
    QString message = ToQString(m_shown.message);
    for (const QString& note : {m_follower->Note(), m_editor->ResolutionNote()}) {
        if (message.isEmpty())
            message = note;
    }
    m_results->Show(m_shown, inputs, message);
    const bool groundRangeShown = !m_doriTable->isColumnHidden(DoriTableModel::kGroundRangeColumn);
    m_doriTable->setColumnHidden(DoriTableModel::kGroundRangeColumn, !inputs.mounted);
    if (m_doriModel->SetCoverage(m_shown, FarthestKind(inputs)) ||
        groundRangeShown != inputs.mounted)
        m_doriTable->FitColumns();
    m_sideView->SetFigures(m_shown.figures, inputs.unit, m_numberFormat);
    m_topView->SetFigures(m_shown.figures, inputs.unit, m_numberFormat);
    m_lensList->Show(
        ListLensesReaching(m_shown.figures, inputs, m_lensList->Filter(), m_numberFormat),
        inputs.requiredLevel);
}

DesignSheet CoverageWindow::Sheet() const {
    const QDate today = QDate::currentDate();
    const QString date = QLocale().toString(today, QLocale::LongFormat);
    return MakeDesignSheet({m_editor->Inputs(),
                            m_follow->currentText().toStdU16String(),
                            date.toStdU16String(),
                            {today.year(), today.month(), today.day()},
                            {}},
                           m_numberFormat);
}

std::optional<QString> CoverageWindow::SaveCsv(const QString& path) const {
    return SheetActions::SaveCsv(Sheet(), path);
}

std::optional<QString> CoverageWindow::ExportPdf(const QString& path) const {
    return SheetActions::ExportPdf(Sheet(), path);
}

bool CoverageWindow::MaySetDesignAside() {
    return true;
}

void CoverageWindow::OpenFile(const QString&) {}
