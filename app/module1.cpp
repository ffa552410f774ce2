#include "module1.h"

#include <QAction>
#include <QCoreApplication>
#include <QScreen>
#include <QStandardPaths>

#include "about_window.h"
#include "coverage_window.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "search_window.h"
#include "window_placement.h"

std::filesystem::path Module1::SettingsFile() {
#ifdef Q_OS_WIN
    return std::filesystem::path(L"C:\\Vistamarq");
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::filesystem::path(folder.toStdString()) / "Vistamarq";
#endif
}

ModeWindowSources::ModeWindowSources(const Obbiettivi& calculator, const PartNo& partNo,
                                     QObject* parent)
    : FollowedSources(parent), m_calculator(calculator), m_partNo(partNo) {
    connect(&calculator, &Obbiettivi::calculatorChanged, this, &FollowedSources::calculatorChanged);
    connect(&partNo, &PartNo::lensDecoded, this, &FollowedSources::lensDecoded);
}

const LensCalculator& ModeWindowSources::Calculator() const {
    return m_calculator.calculator();
}

std::string_view ModeWindowSources::SensorFormatInches() const {
    return m_calculator.sensorFormatInches();
}

bool ModeWindowSources::ZoomLensChosen() const {
    return m_calculator.zoomLensChosen();
}

const std::optional<DecodedLens>& ModeWindowSources::LastDecodedLens() const {
    return m_partNo.lastDecodedLens();
}

Module1::Module1(const std::filesystem::path& settingsFile) {
    mainWindow = new Obbiettivi(settingsFile);
    partNoWindow = new PartNo();
    searchWindow = new Search();
    CreateAbout();

    connect(mainWindow, &Obbiettivi::searchRequested, this, &Module1::ShowSearchResults);
    connect(mainWindow, &Obbiettivi::partNoModeRequested, this, &Module1::ShowPartNoMode);
    connect(mainWindow, &Obbiettivi::aboutRequested, this, [this] { ShowAbout(mainWindow); });
    connect(mainWindow, &Obbiettivi::exitRequested, this, &Module1::EndProgram);
    connect(partNoWindow, &PartNo::typeModeRequested, this, &Module1::ShowTypeMode);
    connect(partNoWindow, &PartNo::aboutRequested, this, [this] { ShowAbout(partNoWindow); });
    connect(partNoWindow, &PartNo::exitRequested, this, &Module1::EndProgram);
    connect(searchWindow, &Search::closeRequested, this, &Module1::CloseSearchResults);
    for (ModeWindow* window :
         {static_cast<ModeWindow*>(mainWindow), static_cast<ModeWindow*>(partNoWindow)})
        connect(window, &ModeWindow::coverageRequested, this, &Module1::ShowCoverage);

    mainWindow->show();
}

Module1::~Module1() {
    delete coverageWindow;
    delete aboutWindow.data();
    delete searchWindow;
    delete partNoWindow;
    delete mainWindow;
}

About* Module1::about() const {
    return aboutWindow;
}

void Module1::CreateAbout() {
    aboutWindow = new About();
    connect(aboutWindow, &About::dismissed, this, &Module1::CloseAbout);
}

void Module1::ShowSearchResults() {
    searchWindow->Clear();
    searchWindow->Populate_List(mainWindow->searchOptions());
    searchWindow->show();
    mainWindow->hide();
}

void Module1::CloseSearchResults() {
    searchWindow->hide();
    mainWindow->show();
}

void Module1::ShowPartNoMode() {
    SetMode(ModeWindow::Mode::PartNumber);
    partNoWindow->show();
    mainWindow->hide();
}

void Module1::ShowTypeMode() {
    SetMode(ModeWindow::Mode::Type);
    mainWindow->show();
    partNoWindow->hide();
}

// Both mode windows carry the check mark on the program's mode, so that they agree whichever
// of them is shown next.
void Module1::SetMode(ModeWindow::Mode mode) {
    mainWindow->SetMode(mode);
    partNoWindow->SetMode(mode);
}

// "OK" returns to the window that opened About, so the mode does not change.
void Module1::ShowAbout(QWidget* opener) {
    if (!aboutWindow)
        CreateAbout();
    aboutOpener = opener;
    aboutWindow->show();
    opener->hide();
}

void Module1::CloseAbout() {
    if (!aboutWindow)
        return;
    aboutWindow->hide();
    (aboutOpener ? aboutOpener.data() : static_cast<QWidget*>(mainWindow))->show();
    // Destroyed once its own click handler has returned.
    aboutWindow->deleteLater();
    aboutWindow = nullptr;
}

namespace {

// Beside `other` where the screen has room, at the size its layout asks for. The window
// manager's frame is not known before the first show; the mode window's, from the same window
// manager, is the best guess.
void OpenBeside(CoverageWindow* window, const QWidget* other) {
    const QRect available = other->screen()->availableGeometry();
    const QRect inside = other->geometry(), outside = other->frameGeometry();
    const QMargins frame(inside.left() - outside.left(), inside.top() - outside.top(),
                         outside.right() - inside.right(), outside.bottom() - inside.bottom());
    const QSize size = window->DefaultSize(available.size().shrunkBy(frame));
    const QRect placed = PlaceBeside(available, outside, size.grownBy(frame));
    window->resize(placed.size().shrunkBy(frame));
    window->move(placed.topLeft());
}

}  // namespace

// Not one of the modes: it hides nothing, and stays open beside either mode window. It is made
// the first time it is asked for, so that it costs nothing at start-up.
void Module1::ShowCoverage() {
    if (!coverageWindow) {
        coverageSources = new ModeWindowSources(*mainWindow, *partNoWindow, this);
        coverageWindow = new CoverageWindow(*coverageSources);
        OpenBeside(coverageWindow,
                   mainWindow->isVisible() ? static_cast<QWidget*>(mainWindow) : partNoWindow);
    }
    coverageWindow->show();
    coverageWindow->raise();
    coverageWindow->activateWindow();
}

void Module1::EndProgram() {
    QCoreApplication::exit(0);
}
