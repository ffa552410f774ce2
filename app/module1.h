#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>

#include "design_module.h"
#include "mode_window.h"

class Obbiettivi;
class PartNo;
class Search;
class About;
class QWidget;

// What the design window follows, read from the calculator and part-number windows.
class ModeWindowReadings : public CalculatorReadings {
  public:
    ModeWindowReadings(const Obbiettivi& calculator, const PartNo& partNo);

    const LensCalculator& Calculator() const override;
    std::string_view SensorFormatInches() const override;
    bool ZoomLensChosen() const override;
    const std::optional<DecodedLens>& LastDecodedLens() const override;

  private:
    const Obbiettivi& m_calculator;
    const PartNo& m_partNo;
};

// The program's windows and the moves between them. A move chosen from a menu (a mode switch,
// "&Search", About) shows the target window first and then hides the one it came from; "Close"
// in the search results and "OK" in About hide their window first and then show the one they
// return to. The design window (Tools > Coverage…) comes from the design module, loaded the
// first time it is asked for.
class Module1 : public QObject {
    Q_OBJECT

  public:
    // Where the settings file lives for this user.
    static std::filesystem::path SettingsFile();

    // Creates the four windows hidden, in the order main, part number, search results, About,
    // and shows the main window. `createDesignWindows`: what makes the design window; none loads
    // it from the design module (tests that link the module's code pass its function).
    explicit Module1(const std::filesystem::path& settingsFile = SettingsFile(),
                     CreateDesignWindowsFunction createDesignWindows = nullptr);
    ~Module1() override;

    Obbiettivi* obbiettivi() const { return mainWindow; }
    PartNo* partNo() const { return partNoWindow; }
    Search* search() const { return searchWindow; }
    About* about() const;       // null while destroyed
    QWidget* coverage() const;  // the design window; null until first opened

    void ShowSearchResults();
    void ShowPartNoMode();
    void ShowTypeMode();
    void ShowAbout(QWidget* opener);
    void CloseAbout();
    void CloseSearchResults();
    // Opens the design window beside the mode window, creating it the first time.
    void ShowCoverage();
    // Opens the design file at `path` in the design window, beside the mode window.
    void OpenDesignFile(const QString& path);
    // Runs `then` once the window manager has framed the main window (or after a second
    // without one), so that a window placed beside it is placed beside its frame.
    void WhenMainWindowFramed(std::function<void()> then, int triesLeft = 50);

    // File > Exit, or the mode window closed: ends the program unless the design window's
    // question to save its changes is cancelled.
    void RequestExit();
    // Ends the program at once: the event loop stops and no window runs another handler.
    static void EndProgram();

  private:
    void CreateAbout();
    void SetMode(ModeWindow::Mode mode);
    // The design window's module, loaded the first time; null when it could not be (the user
    // was told why).
    DesignWindows* EnsureDesignWindows();
    QWidget* ModeWindowShown() const;

    Obbiettivi* mainWindow = nullptr;
    PartNo* partNoWindow = nullptr;
    Search* searchWindow = nullptr;
    QPointer<About> aboutWindow;
    QPointer<QWidget> aboutOpener;
    CreateDesignWindowsFunction createDesignWindows = nullptr;
    std::unique_ptr<ModeWindowReadings> designReadings;
    std::unique_ptr<DesignWindows> designWindows;
};
