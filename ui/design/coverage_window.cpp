#include "coverage_window.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "camera_commands.h"
#include "camera_inputs.h"
#include "cameras_panel.h"
#include "coverage/camera_editor.h"
#include "coverage/coverage_views.h"
#include "coverage/followed_sources.h"
#include "coverage/results_panel.h"
#include "coverage/sheet_actions.h"
#include "design_document.h"
#include "design_edits.h"
#include "design_file_actions.h"
#include "design_menus.h"
#include "lens_lookup.h"
#include "plan_commands.h"
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

// Qt gives a splitter's handle no role, which leaves a screen reader an unknown object: it is the
// bar between two panes.
QAccessibleInterface* SplitterHandleAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("QSplitterHandle") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    return nullptr;
}

}  // namespace

CoverageWindow::CoverageWindow(const FollowedSources& sources, QWidget* parent)
    : QWidget(parent, Qt::Window), m_numberFormat(sources.Calculator().format()) {
    setObjectName(QStringLiteral("Coverage"));
    static const bool handlesNamed = (QAccessible::installFactory(SplitterHandleAccessible), true);
    Q_UNUSED(handlesNamed);
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
    m_views = new CoverageViews;
    seen->addWidget(m_views, 1);
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

    connect(m_editor, &CameraEditor::inputsEdited, this, &CoverageWindow::Form_Change);
    connect(m_follower, &SourceFollower::followedChanged, this, &CoverageWindow::Source_Change);
    connect(m_follow, &QComboBox::activated, this, &CoverageWindow::follow_Change);
    connect(m_views, &CoverageViews::filterChanged, this, &CoverageWindow::Form_Change);
    connect(m_views, &CoverageViews::lensChosen, this, &CoverageWindow::lensSuggestions_Chosen);

    BuildDesign();
    // Between the schedule and the camera, the room goes to the camera.
    m_split = new QSplitter(Qt::Vertical);
    auto* split = m_split;
    split->setObjectName(QStringLiteral("designSplit"));
    split->setAccessibleName(QStringLiteral("Schedule and camera"));
    split->setChildrenCollapsible(false);
    split->addWidget(m_cameras);
    // Below the schedule, the camera or the site plan (the Plan menu switches).
    auto* pages = new QStackedWidget;
    pages->setObjectName(QStringLiteral("designPages"));
    pages->setAccessibleName(QStringLiteral("Camera or site plan"));
    pages->addWidget(scroller);
    split->addWidget(pages);
    split->handle(1)->setAccessibleName(QStringLiteral("Schedule height"));
    split->setStretchFactor(1, 1);
    outer->insertWidget(0, split, 1);
    auto* menuBar = static_cast<QMenuBar*>(layout()->menuBar());
    m_cameras->layout()->setContentsMargins(columns->contentsMargins().left(),
                                            columns->contentsMargins().top(),
                                            columns->contentsMargins().right(), 0);
    m_planCommands = new PlanCommands(*m_document, *m_files, *m_cameras, *menuBar, *pages,
                                      *m_buttons, m_numberFormat, this);
    ChainTabOrder(m_buttons);
    // The history's Undo and Redo, not a text box's own, whichever box has the focus.
    for (QWidget* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    for (QWidget* box : findChildren<QPlainTextEdit*>())
        box->installEventFilter(this);
    m_cameras->SetDesign(m_document->Current());
    setMinimumSize(480, 360);
}

CoverageWindow::~CoverageWindow() = default;

// The design: its history, its files, its menus and its schedule, wired to the editor.
void CoverageWindow::BuildDesign() {
    const LengthUnit unit = m_editor->Inputs().unit;
    m_document = new DesignDocument(NewDesign(unit), {}, this);
    m_files = new DesignFileActions(
        this, *m_document, m_numberFormat, [unit] { return NewDesign(unit); }, this);
    auto* bar = new QMenuBar;
    m_menus =
        std::make_unique<DesignMenus>(bar, m_document->UndoStack(), m_files->RecentMenu(), this);
    layout()->setMenuBar(bar);
    m_cameras = new CamerasPanel(m_numberFormat);
    m_currentId = m_document->Current().cameras.front().id;
    m_sourceOf[m_currentId] = m_follower->Current();
    setWindowTitle(m_document->WindowTitle());

    const DesignMenus& menus = *m_menus;
    connect(menus.mnuNew, &QAction::triggered, m_files, &DesignFileActions::New);
    connect(menus.mnuOpen, &QAction::triggered, m_files, &DesignFileActions::Open);
    connect(menus.mnuSave, &QAction::triggered, m_files, &DesignFileActions::Save);
    connect(menus.mnuSaveAs, &QAction::triggered, m_files, &DesignFileActions::SaveAs);
    connect(menus.mnuExportReport, &QAction::triggered, m_files, &DesignFileActions::ExportReport);
    connect(menus.mnuExportSchedule, &QAction::triggered, m_files,
            &DesignFileActions::ExportSchedule);
    connect(menus.mnuPrintReport, &QAction::triggered, m_files, &DesignFileActions::PrintReport);
    connect(menus.mnuCloseDesign, &QAction::triggered, this, &QWidget::close);
    connect(menus.mnuAboutDesigns, &QAction::triggered, this, [this] { ShowAboutDesigns(this); });
    m_cameraCommands = new CameraCommands(*m_document, *m_cameras, menus, this);

    connect(m_document, &DesignDocument::designChanged, this, &CoverageWindow::Design_Change);
    connect(m_document, &DesignDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_document, &DesignDocument::pathChanged, this,
            [this] { setWindowTitle(m_document->WindowTitle()); });
    connect(m_files, &DesignFileActions::designReplaced, this,
            &CoverageWindow::files_DesignReplaced);
    connect(m_cameras, &CamerasPanel::currentCameraChanged, this,
            &CoverageWindow::cameras_CurrentChanged);
    connect(m_cameras, &CamerasPanel::renameRequested, this,
            [this](const std::string& id, const QString& name) {
                m_document->RenameCamera(id, name.toStdU16String());
            });
    connect(m_cameras, &CamerasPanel::nameEdited, this,
            [this](const QString& name) { m_document->Rename(name.toStdU16String()); });
    connect(m_cameras, &CamerasPanel::notesEdited, this,
            [this](const QString& notes) { m_document->SetNotes(notes.toStdU16String()); });
    connect(m_cameras, &CamerasPanel::typingEnded, m_document, &DesignDocument::BreakMerge);
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
    auto* followCaption = new QLabel(QStringLiteral("Follow:"));
    followCaption->setBuddy(m_follow);
    followRow->addRow(followCaption, m_follow);
    column->addLayout(followRow);
    column->addWidget(m_editor, 1);
    return inputs;
}

// Reading order: the design and its schedule, the form from the top, the tabs and the one shown,
// the sheet's commands.
void CoverageWindow::ChainTabOrder(QWidget* sheetButtons) {
    std::vector<QWidget*> order;
    if (m_cameras)
        order = m_cameras->TabOrder();
    order.push_back(m_follow);
    for (QWidget* control : m_editor->TabOrder())
        order.push_back(control);
    for (QWidget* control : m_views->TabOrder())
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
                            m_views->DoriTableWidth() + margins.left() + margins.right();
    const int contents = m_content->sizeHint().height() + m_buttons->sizeHint().height() +
                         m_cameras->sizeHint().height() + layout()->menuBar()->sizeHint().height();
    const QSize wanted(std::max(m_content->minimumSizeHint().width() * 6 / 5, besideTable),
                       std::max(contents * 5 / 4, room.height() * 9 / 10));
    return wanted.boundedTo(room);
}

void CoverageWindow::showEvent(QShowEvent* event) {
    m_follower->Start();
    QWidget::showEvent(event);
    // Once the window is up, the design a killed program left is offered back. At first the
    // schedule shows a few rows on a small screen, so that the camera below fits.
    if (!m_recoveryOffered) {
        m_recoveryOffered = true;
        const int rows = height() >= 850 ? 6 : 3;
        const int schedule = m_cameras->HeightForRows(rows);
        m_split->setSizes({schedule, std::max(0, m_split->height() - schedule)});
        QTimer::singleShot(0, m_files, &DesignFileActions::OfferRecovery);
    }
}

// Hidden, the window follows nothing: no slot of its own runs until it is shown again.
void CoverageWindow::hideEvent(QHideEvent* event) {
    m_follower->Stop();
    QWidget::hideEvent(event);
}

bool CoverageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination pressed = key->keyCombination();
        for (const QAction* action : {m_menus->mnuUndo, m_menus->mnuRedo}) {
            if (action->shortcut() == QKeySequence(pressed) || key->matches(QKeySequence::Undo) ||
                key->matches(QKeySequence::Redo))
                return true;  // not taken by the box: the window's shortcut goes off
        }
    }
    return QWidget::eventFilter(watched, event);
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
    StoreInDesign();
}

// The user chose what the camera follows.
void CoverageWindow::follow_Change() {
    m_sourceOf[m_currentId] = m_follower->Current();
}

void CoverageWindow::StoreInDesign() {
    if (m_showingCamera || !m_document || m_currentId.empty())
        return;
    const CoverageInputs shown = m_editor->Inputs();
    if (shown.unit != m_document->Current().unit)
        m_document->SetUnit(shown.unit);
    const auto canonical = CanonicalInputs(shown, m_numberFormat);
    if (!canonical)
        return;  // the message says what to enter; the design keeps the last good inputs
    if (m_follower->Current() == Source::OwnValues)
        m_document->EditCamera(m_currentId, *canonical);
    else
        m_document->SetFollowedInputs(m_currentId, *canonical);
}

// After every change of the design: the schedule and title show it, and an undo or redo that
// changed the camera in the editor shows there, as its own values.
void CoverageWindow::Design_Change() {
    const Design& design = m_document->Current();
    setWindowTitle(m_document->WindowTitle());
    setWindowModified(m_document->IsModified());
    m_cameras->SetDesign(design);
    const Camera* camera = FindCamera(design, m_currentId);
    if (!camera) {
        ShowCamera(m_cameras->CurrentId());
    } else if (!m_showingCamera) {
        const auto shown = CanonicalInputs(m_editor->Inputs(), m_numberFormat);
        if (!shown || !(*shown == camera->inputs) || m_editor->Inputs().unit != design.unit) {
            if (shown && !(*shown == camera->inputs))
                m_sourceOf[m_currentId] = Source::OwnValues;
            ShowCamera(m_currentId);
        }
    }
    m_cameraCommands->Update();
}

void CoverageWindow::cameras_CurrentChanged(const std::string& id) {
    if (id == m_currentId || id.empty())
        return;
    m_document->BreakMerge();
    ShowCamera(id);
}

void CoverageWindow::ShowCamera(const std::string& id) {
    const Design& design = m_document->Current();
    const Camera* camera = FindCamera(design, id);
    if (!camera)
        return;
    m_currentId = id;
    const auto known = m_sourceOf.find(id);
    const Source source = known == m_sourceOf.end() ? Source::OwnValues : known->second;
    m_showingCamera = true;
    m_follow->setCurrentIndex(m_follow->findData(static_cast<int>(source)));
    m_editor->SetInputs(InputsForEditor(*camera, design.unit, m_numberFormat));
    m_showingCamera = false;
    m_cameras->Select(id);
    Source_Change();
    m_cameraCommands->Update();
}

// Another design: its first camera in the editor; a new design's follows the calculator, as the
// window's first one does, an opened or restored one's shows the values it holds.
void CoverageWindow::files_DesignReplaced() {
    m_sourceOf.clear();
    m_currentId.clear();
    const Design& design = m_document->Current();
    if (design.cameras.empty())
        return;
    const std::string first = design.cameras.front().id;
    if (m_document->Path().isEmpty() && !m_document->IsModified())
        m_sourceOf[first] = Source::CalculatorWide;
    m_cameras->ShowDesignOrder();
    m_cameras->SetDesign(design);
    m_cameras->FitColumns();
    ShowCamera(first);
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
    m_views->Show(m_shown, inputs, m_numberFormat);
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
    return m_files->MaySetDesignAside();
}

void CoverageWindow::OpenFile(const QString& path) {
    m_files->OpenPath(path);
}
