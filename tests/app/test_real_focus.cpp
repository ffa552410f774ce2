// The focus as a user meets it on a real desktop: menus opened with the mouse and the keyboard
// through the X server, under a window manager that activates the windows the program shows.
// A window shown again gives the focus back to the control that last held it; closing a menu
// is no arrival of the focus. Input is sent with xdotool, as a person would give it.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "about_window.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "search_window.h"

class RealFocusTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup() { windows.reset(); }

    void focusComesBackAfterAMove_data();
    void focusComesBackAfterAMove();
    void closingAMenuKeepsThePartNumber_data();
    void closingAMenuKeepsThePartNumber();

  private:
    static void XDoTool(const QStringList& arguments) {
        QCOMPARE(QProcess::execute("xdotool", arguments), 0);
    }
    static void Keys(const QString& keys) {
        for (const QString& key : keys.split(' '))
            XDoTool({"key", "--clearmodifiers", key});
        QTest::qWait(150);
    }
    static void Type(const QString& text) {
        XDoTool({"type", "--delay", "30", text});
        QTest::qWait(150);
    }
    static void ClickAt(QPoint global) {
        XDoTool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y()),
                 "click", "1"});
        QTest::qWait(150);
    }
    static void Click(QWidget* widget) { ClickAt(widget->mapToGlobal(widget->rect().center())); }

    // Chooses "menu > item" of a window with the mouse, as a user does.
    void ChooseWithMouse(QMainWindow* window, const char* menuName, const char* itemName);
    // Moves between the windows by mouse ("m") or keyboard ("k").
    void ToPartNumberMode(char how);
    void ToTypeMode(char how);
    QWidget* Active() const { return QApplication::activeWindow(); }

    std::unique_ptr<Module1> windows;
};

void RealFocusTest::initTestCase() {
    RegisterFontSubstitutes();
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs a real X server (run through in_real_x.sh)");
}

void RealFocusTest::init() {
    windows = std::make_unique<Module1>("/nonexistent/settings");
    QTRY_COMPARE(Active(), windows->obbiettivi());
    QTest::qWait(200);
}

void RealFocusTest::ChooseWithMouse(QMainWindow* window, const char* menuName,
                                    const char* itemName) {
    auto* menu = window->findChild<QMenu*>(menuName);
    QMenuBar* bar = window->menuBar();
    ClickAt(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).center()));
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(100);
    auto* item = window->findChild<QAction*>(itemName);
    ClickAt(menu->mapToGlobal(menu->actionGeometry(item).center()));
}

void RealFocusTest::ToPartNumberMode(char how) {
    if (how == 'm')
        ChooseWithMouse(windows->obbiettivi(), "mnuMode", "mnuPartNo");
    else
        Keys("alt+s Down Return");
    QTRY_COMPARE(Active(), windows->partNo());
}

void RealFocusTest::ToTypeMode(char how) {
    if (how == 'm')
        ChooseWithMouse(windows->partNo(), "mnuMode", "mnuType");
    else
        Keys("alt+s Return");
    QTRY_COMPARE(Active(), windows->obbiettivi());
}

void RealFocusTest::focusComesBackAfterAMove_data() {
    QTest::addColumn<QString>("move");
    QTest::newRow("main window, modes switched with the mouse") << "main m";
    QTest::newRow("main window, modes switched with the keyboard") << "main k";
    QTest::newRow("part-number window, modes switched with the mouse") << "partno m";
    QTest::newRow("part-number window, modes switched with the keyboard") << "partno k";
    QTest::newRow("main window, search results closed with Close") << "search";
    QTest::newRow("main window, About closed with OK") << "about";
}

void RealFocusTest::focusComesBackAfterAMove() {
    QFETCH(QString, move);
    const char how = move.back().toLatin1();
    if (move.startsWith("partno")) {
        ToPartNumberMode(how);
        auto* box = windows->partNo()->findChild<QLineEdit*>("txtPartNo");
        QTRY_COMPARE(QApplication::focusWidget(), box);
        Type("TG06");
        QTRY_COMPARE(box->text(), QString("TG06"));
        ToTypeMode(how);
        ToPartNumberMode(how);
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->text(), QString());  // a mode switch empties it
        Type("H");
        QTRY_COMPARE(box->text(), QString("H"));
        return;
    }

    auto* h1 = windows->obbiettivi()->findChild<QLineEdit*>("H1");
    Click(h1);
    Keys("ctrl+a");
    Type("32");
    QTRY_COMPARE(QApplication::focusWidget(), h1);
    if (move.startsWith("main")) {
        ToPartNumberMode(how);
        ToTypeMode(how);
    } else if (move == "search") {
        ChooseWithMouse(windows->obbiettivi(), "mnuFile", "mnuSearch");
        QTRY_COMPARE(Active(), windows->search());
        Click(windows->search()->findChild<QPushButton*>("Command1"));
    } else {
        ChooseWithMouse(windows->obbiettivi(), "mnuHelp", "mnuAbout");
        QTRY_COMPARE(Active(), windows->about());
        Click(windows->about()->findChild<QPushButton*>("Command1"));
    }
    QTRY_COMPARE(Active(), windows->obbiettivi());
    QTRY_COMPARE(QApplication::focusWidget(), h1);
    Type("5");
    QTRY_COMPARE(h1->text(), QString("325"));
}

void RealFocusTest::closingAMenuKeepsThePartNumber_data() {
    QTest::addColumn<QString>("keys");
    QTest::newRow("Alt, then Esc") << "alt Escape";
    QTest::newRow("Alt+F, then Esc Esc") << "alt+f Escape Escape";
}

void RealFocusTest::closingAMenuKeepsThePartNumber() {
    QFETCH(QString, keys);
    ToPartNumberMode('k');
    auto* box = windows->partNo()->findChild<QLineEdit*>("txtPartNo");
    QTRY_COMPARE(QApplication::focusWidget(), box);
    Type("TG06");
    QTRY_COMPARE(box->text(), QString("TG06"));
    Keys(keys);
    QTRY_COMPARE(QApplication::focusWidget(), box);
    QTest::qWait(200);
    QCOMPARE(box->text(), QString("TG06"));
    QCOMPARE(windows->partNo()->findChild<QListWidget*>("lstResults")->count(), 3);
    Type("1");
    QTRY_COMPARE(box->text(), QString("TG061"));
}

QTEST_MAIN(RealFocusTest)
#include "test_real_focus.moc"
