#include "module1.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include "about_window.h"
#include "design_module_loader.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "search_window.h"

std::filesystem::path Module1::SettingsFile() {
#ifdef Q_OS_WIN
    return std::filesystem::path(L"C:\\Vistamarq");
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::filesystem::path(folder.toStdString()) / "Vistamarq";
#endif
}

ModeWindowReadings::ModeWindowReadings(const Obbiettivi& calculator, const PartNo& partNo)
    : m_calculator(calculator), m_partNo(partNo) {}

const LensCalculator& ModeWindowReadings::Calculator() const {
    return m_calculator.calculator();
}

std::string_view ModeWindowReadings::SensorFormatInches() const {
    return m_calculator.sensorFormatInches();
}

bool ModeWindowReadings::ZoomLensChosen() const {
    return m_calculator.zoomLensChosen();
}

const std::optional<DecodedLens>& ModeWindowReadings::LastDecodedLens() const {
    return m_partNo.lastDecodedLens();
}

Module1::Module1(const std::filesystem::path& settingsFile,
                 CreateDesignWindowsFunction createDesignWindows)
    : createDesignWindows(createDesignWindows) {
    mainWindow = new Obbiettivi(settingsFile);
    partNoWindow = new PartNo();
    searchWindow = new Search();
    CreateAbout();

    connect(mainWindow, &Obbiettivi::searchRequested, this, &Module1::ShowSearchResults);
    connect(mainWindow, &Obbiettivi::partNoModeRequested, this, &Module1::ShowPartNoMode);
    connect(mainWindow, &Obbiettivi::aboutRequested, this, [this] { ShowAbout(mainWindow); });
    connect(mainWindow, &Obbiettivi::exitRequested, this, &Module1::RequestExit);
    connect(partNoWindow, &PartNo::typeModeRequested, this, &Module1::ShowTypeMode);
    connect(partNoWindow, &PartNo::aboutRequested, this, [this] { ShowAbout(partNoWindow); });
    connect(partNoWindow, &PartNo::exitRequested, this, &Module1::RequestExit);
    connect(searchWindow, &Search::closeRequested, this, &Module1::CloseSearchResults);
    for (ModeWindow* window :
         {static_cast<ModeWindow*>(mainWindow), static_cast<ModeWindow*>(partNoWindow)})
        connect(window, &ModeWindow::coverageRequested, this, &Module1::ShowCoverage);

    mainWindow->show();
}

Module1::~Module1() {
    designWindows.reset();
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

QWidget* Module1::coverage() const {
    return designWindows ? designWindows->Window() : nullptr;
}

QWidget* Module1::ModeWindowShown() const {
    return mainWindow->isVisible() ? static_cast<QWidget*>(mainWindow) : partNoWindow;
}

// Not made at start-up, so that the calculator starts without the module and what it links.
DesignWindows* Module1::EnsureDesignWindows() {
    if (designWindows)
        return designWindows.get();
    if (!createDesignWindows) {
        auto loaded = LoadDesignModule();
        if (const QString* why = std::get_if<QString>(&loaded)) {
            QMessageBox::critical(
                ModeWindowShown(), QStringLiteral("Vistamarq"),
                QStringLiteral("The design window cannot be opened: %1").arg(*why));
            return nullptr;
        }
        createDesignWindows = std::get<CreateDesignWindowsFunction>(loaded);
    }
    designReadings = std::make_unique<ModeWindowReadings>(*mainWindow, *partNoWindow);
    designWindows.reset(createDesignWindows(*designReadings));
    connect(mainWindow, &Obbiettivi::calculatorChanged, this,
            [this] { designWindows->CalculatorChanged(); });
    connect(partNoWindow, &PartNo::lensDecoded, this, [this] { designWindows->LensDecoded(); });
    return designWindows.get();
}

// Not one of the modes: it hides nothing, and stays open beside either mode window.
void Module1::ShowCoverage() {
    if (DesignWindows* windows = EnsureDesignWindows())
        windows->Show(ModeWindowShown());
}

void Module1::OpenDesignFile(const QString& path) {
    if (DesignWindows* windows = EnsureDesignWindows())
        windows->OpenFile(path, ModeWindowShown());
}

void Module1::WhenMainWindowFramed(std::function<void()> then, int triesLeft) {
    const bool framed = mainWindow->frameGeometry() != mainWindow->geometry();
    if (framed || triesLeft <= 0) {
        then();
        return;
    }
    QTimer::singleShot(20, this, [this, then = std::move(then), triesLeft]() mutable {
        WhenMainWindowFramed(std::move(then), triesLeft - 1);
    });
}

void Module1::RequestExit() {
    if (designWindows && !designWindows->MayEndProgram())
        return;
    EndProgram();
}

void Module1::EndProgram() {
    QCoreApplication::exit(0);
}
