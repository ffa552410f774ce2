#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;

// What the program's two mode windows, search by type and search by part number, share: the
// caption, icon and fixed frame, a 457 x 345 client area under the menu bar, and the menus
// "&File" > "&Exit", "&Search Mode" with a check mark on the window's own mode, "&Tools" >
// "&Coverage…" and "&Help".
// Choosing the other mode, About or Exit only asks the application (signals); closing the window
// ends the program, as either mode window is the program's only visible one.
class ModeWindow : public QMainWindow {
    Q_OBJECT

  public:
    enum class Mode { Type, PartNumber };

    // Puts the check mark of "&Search Mode" on `mode`: the program's mode, which this window
    // shows while it is the visible one.
    void SetMode(Mode mode);

  signals:
    void typeModeRequested();
    void partNoModeRequested();
    void aboutRequested();
    void coverageRequested();
    void exitRequested();

  protected:
    ModeWindow(const char* objectName, Mode ownMode, QWidget* parent);
    ~ModeWindow() override;

    QWidget* client() const { return clientArea; }
    QMenu* fileMenu() const { return mnuFile; }
    QAction* exitItem() const { return mnuExit; }

    // Fixes the window to its client area and menu bar, centred on the screen.
    void FinishLayout();

    // Puts the check mark back on the window's own mode (a click would have toggled it).
    void CheckOwnMode() { SetMode(ownMode); }

    // Every change of the keyboard focus in the application, except the moves to and from the
    // menu bar; the windows that care override it.
    virtual void OnFocusChanged(QWidget* old, QWidget* now);

    void closeEvent(QCloseEvent* event) override;

  private:
    void FollowFocus(QWidget* old, QWidget* now);

    Mode ownMode;
    QPointer<QWidget> focusBeforeMenuBar;
    QWidget* clientArea = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuType = nullptr;
    QAction* mnuPartNo = nullptr;
};
