#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>

#include "coverage/followed_sources.h"
#include "mode_window.h"

class Obbiettivi;
class PartNo;
class Search;
class About;
class CoverageWindow;
class QWidget;

// What the Coverage window follows, read from the calculator and part-number windows: their
// change signals are passed on as they come.
class ModeWindowSources : public FollowedSources {
    Q_OBJECT

  public:
    ModeWindowSources(const Obbiettivi& calculator, const PartNo& partNo,
                      QObject* parent = nullptr);

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
// return to.
class Module1 : public QObject {
    Q_OBJECT

  public:
    // Where the settings file lives for this user.
    static std::filesystem::path SettingsFile();

    // Creates the four windows hidden, in the order main, part number, search results, About,
    // and shows the main window.
    explicit Module1(const std::filesystem::path& settingsFile = SettingsFile());
    ~Module1() override;

    Obbiettivi* obbiettivi() const { return mainWindow; }
    PartNo* partNo() const { return partNoWindow; }
    Search* search() const { return searchWindow; }
    About* about() const;                                        // null while destroyed
    CoverageWindow* coverage() const { return coverageWindow; }  // null until first opened

    void ShowSearchResults();
    void ShowPartNoMode();
    void ShowTypeMode();
    void ShowAbout(QWidget* opener);
    void CloseAbout();
    void CloseSearchResults();
    // Opens the Coverage window beside the mode window, creating it the first time.
    void ShowCoverage();

    // Ends the program at once: the event loop stops and no window runs another handler.
    static void EndProgram();

  private:
    void CreateAbout();
    void SetMode(ModeWindow::Mode mode);

    Obbiettivi* mainWindow = nullptr;
    PartNo* partNoWindow = nullptr;
    Search* searchWindow = nullptr;
    QPointer<About> aboutWindow;
    QPointer<QWidget> aboutOpener;
    ModeWindowSources* coverageSources = nullptr;
    CoverageWindow* coverageWindow = nullptr;
};
