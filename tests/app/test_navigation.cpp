// Start-up and the moves between the windows, driven through the real menus and buttons.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "about_window.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "search_window.h"

class NavigationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init() { windows = std::make_unique<Module1>("/nonexistent/settings"); }
    void cleanup() { windows.reset(); }

    void startUp();
    void modeSwitchesKeepCheckMarksInStep();
    void choosingTheCurrentModeChangesNothing_data();
    void choosingTheCurrentModeChangesNothing();
    void modeSwitchKeepsMainWindowContents();
    void searchOpensAndCloseReturns_data();
    void searchOpensAndCloseReturns();
    void aboutIsCreatedAfreshEachTime();
    void aboutFromPartNoReturnsToPartNo();
    void closeBoxes_data();
    void closeBoxes();
    void exitEndsTheEventLoopAtOnce_data();
    void exitEndsTheEventLoopAtOnce();
    void orderOfShowAndHide_data();
    void orderOfShowAndHide();

  private:
    // "Window/name": triggers the window's menu item, or clicks its button, of that name.
    void Choose(const QString& step) {
        const QString name = step.section('/', 0, 0), control = step.section('/', 1);
        QWidget* window = name == "Obbiettivi" ? static_cast<QWidget*>(windows->obbiettivi())
                          : name == "PartNo"   ? static_cast<QWidget*>(windows->partNo())
                          : name == "Search"   ? static_cast<QWidget*>(windows->search())
                                               : static_cast<QWidget*>(windows->about());
        if (auto* item = Item(window, control.toLatin1()))
            item->trigger();
        else
            window->findChild<QPushButton*>(control)->click();
    }
    QAction* Item(QWidget* window, const char* name) const {
        return window->findChild<QAction*>(name);
    }
    QString VisibleWindows() const {
        QStringList names;
        for (QWidget* w :
             {static_cast<QWidget*>(windows->obbiettivi()),
              static_cast<QWidget*>(windows->partNo()), static_cast<QWidget*>(windows->search())})
            if (w->isVisible())
                names << w->objectName();
        if (windows->about() && windows->about()->isVisible())
            names << "About";
        return names.join(',');
    }
    QString CheckMarks() const {
        const auto mark = [this](QWidget* w) {
            return QString("%1%2").arg(Item(w, "mnuType")->isChecked() ? "T" : "-",
                                       Item(w, "mnuPartNo")->isChecked() ? "P" : "-");
        };
        return mark(windows->obbiettivi()) + "/" + mark(windows->partNo());
    }
    void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::unique_ptr<Module1> windows;
};

void NavigationTest::startUp() {
    QCOMPARE(VisibleWindows(), QString("Obbiettivi"));
    QVERIFY(windows->about());
    QCOMPARE(CheckMarks(), QString("T-/-P"));
}

void NavigationTest::modeSwitchesKeepCheckMarksInStep() {
    Item(windows->obbiettivi(), "mnuPartNo")->trigger();
    QCOMPARE(VisibleWindows(), QString("PartNo"));
    QCOMPARE(CheckMarks(), QString("-P/-P"));

    Item(windows->partNo(), "mnuType")->trigger();
    QCOMPARE(VisibleWindows(), QString("Obbiettivi"));
    QCOMPARE(CheckMarks(), QString("T-/T-"));

    Item(windows->obbiettivi(), "mnuPartNo")->trigger();
    QCOMPARE(CheckMarks(), QString("-P/-P"));
}

void NavigationTest::choosingTheCurrentModeChangesNothing_data() {
    QTest::addColumn<bool>("inPartNoMode");
    QTest::newRow("Search by Type in the main window") << false;
    QTest::newRow("Search by Part Number in the part-number window") << true;
}

void NavigationTest::choosingTheCurrentModeChangesNothing() {
    QFETCH(bool, inPartNoMode);
    if (inPartNoMode)
        Item(windows->obbiettivi(), "mnuPartNo")->trigger();
    const QString visible = VisibleWindows(), marks = CheckMarks();
    if (inPartNoMode)
        Item(windows->partNo(), "mnuPartNo")->trigger();
    else
        Item(windows->obbiettivi(), "mnuType")->trigger();
    QCOMPARE(VisibleWindows(), visible);
    QCOMPARE(CheckMarks(), marks);
}

void NavigationTest::modeSwitchKeepsMainWindowContents() {
    auto* distance = windows->obbiettivi()->findChild<QLineEdit*>("L1");
    distance->setText("35");
    windows->obbiettivi()->findChild<QAbstractButton*>("unmezzo")->click();
    Item(windows->obbiettivi(), "mnuPartNo")->trigger();
    Item(windows->partNo(), "mnuType")->trigger();
    QCOMPARE(distance->text(), QString("35"));
    QVERIFY(windows->obbiettivi()->findChild<QAbstractButton*>("unmezzo")->isChecked());
}

void NavigationTest::searchOpensAndCloseReturns_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("menu item Search") << false;
    QTest::newRow("picture button") << true;
}

void NavigationTest::searchOpensAndCloseReturns() {
    QFETCH(bool, byButton);
    auto* lenses = windows->search()->findChild<QListWidget*>("lenses");
    for (int round = 0; round < 2; ++round) {
        if (byButton)
            windows->obbiettivi()->findChild<QPushButton*>("OptarionCons")->click();
        else
            Item(windows->obbiettivi(), "mnuSearch")->trigger();
        QCOMPARE(VisibleWindows(), QString("Search"));
        QCOMPARE(lenses->count(), 8);  // built afresh, never appended twice
        windows->search()->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(VisibleWindows(), QString("Obbiettivi"));
        QCOMPARE(lenses->count(), 8);  // closing clears nothing
    }
}

void NavigationTest::aboutIsCreatedAfreshEachTime() {
    QPointer<About> first = windows->about();
    Item(windows->obbiettivi(), "mnuAbout")->trigger();
    QCOMPARE(VisibleWindows(), QString("About"));
    first->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(VisibleWindows(), QString("Obbiettivi"));
    FlushDeletes();
    QVERIFY(first.isNull());

    Item(windows->obbiettivi(), "mnuAbout")->trigger();
    QPointer<About> second = windows->about();
    QVERIFY(second);
    QCOMPARE(VisibleWindows(), QString("About"));
    second->findChild<QPushButton*>("Command1")->click();
    FlushDeletes();
    QVERIFY(second.isNull());
    QCOMPARE(VisibleWindows(), QString("Obbiettivi"));
}

void NavigationTest::aboutFromPartNoReturnsToPartNo() {
    Item(windows->obbiettivi(), "mnuPartNo")->trigger();
    Item(windows->partNo(), "mnuAbout")->trigger();
    QCOMPARE(VisibleWindows(), QString("About"));
    windows->about()->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(VisibleWindows(), QString("PartNo"));
    QCOMPARE(CheckMarks(), QString("-P/-P"));
}

void NavigationTest::closeBoxes_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("visibleAfter");
    QTest::newRow("search results: as Close") << "Search"
                                              << "Obbiettivi";
    QTest::newRow("About: as OK") << "About"
                                  << "Obbiettivi";
}

void NavigationTest::closeBoxes() {
    QFETCH(QString, window);
    QFETCH(QString, visibleAfter);
    QWidget* w = nullptr;
    if (window == "Search") {
        Item(windows->obbiettivi(), "mnuSearch")->trigger();
        w = windows->search();
    } else {
        Item(windows->obbiettivi(), "mnuAbout")->trigger();
        w = windows->about();
    }
    QPointer<QWidget> closed = w;
    w->close();
    FlushDeletes();
    QCOMPARE(VisibleWindows(), visibleAfter);
    QCOMPARE(closed.isNull(), window == "About");
}

void NavigationTest::exitEndsTheEventLoopAtOnce_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit in the main window") << "main exit";
    QTest::newRow("Exit in the part-number window") << "partno exit";
    QTest::newRow("close box of the main window") << "main close";
    QTest::newRow("close box of the part-number window") << "partno close";
}

// The event loop ends without running another handler: a tick queued behind the exit is never
// handled, and no window is hidden or closed on the way out.
void NavigationTest::exitEndsTheEventLoopAtOnce() {
    QFETCH(QString, how);
    if (how.startsWith("partno"))
        Item(windows->obbiettivi(), "mnuPartNo")->trigger();
    QWidget* window = how.startsWith("main") ? static_cast<QWidget*>(windows->obbiettivi())
                                             : static_cast<QWidget*>(windows->partNo());
    bool handledAfterExit = false;
    QTimer::singleShot(0, window, [&] {
        if (how.endsWith("exit"))
            Item(window, "mnuExit")->trigger();
        else
            window->close();
        QTimer::singleShot(0, window, [&] { handledAfterExit = true; });
    });
    QTimer::singleShot(5000, window, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!handledAfterExit);
    QVERIFY(window->isVisible());
}

namespace {

// The show and hide events of the program's four windows, in the order they arrive.
class WindowMoves : public QObject {
  public:
    QStringList moves;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        static const QStringList windows{"Obbiettivi", "PartNo", "Search", "About"};
        const bool show = event->type() == QEvent::Show, hide = event->type() == QEvent::Hide;
        if ((show || hide) && watched->isWidgetType() && windows.contains(watched->objectName()))
            moves << (show ? "+" : "-") + watched->objectName();
        return false;
    }
};

}  // namespace

void NavigationTest::orderOfShowAndHide_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("move");
    QTest::addColumn<QString>("moves");
    QTest::newRow("to part-number mode") << QStringList() << "Obbiettivi/mnuPartNo"
                                         << "+PartNo -Obbiettivi";
    QTest::newRow("to type mode") << QStringList{"Obbiettivi/mnuPartNo"} << "PartNo/mnuType"
                                  << "+Obbiettivi -PartNo";
    QTest::newRow("Search") << QStringList() << "Obbiettivi/mnuSearch"
                            << "+Search -Obbiettivi";
    QTest::newRow("Close") << QStringList{"Obbiettivi/mnuSearch"} << "Search/Command1"
                           << "-Search +Obbiettivi";
    QTest::newRow("About") << QStringList() << "Obbiettivi/mnuAbout"
                           << "+About -Obbiettivi";
    QTest::newRow("OK") << QStringList{"Obbiettivi/mnuAbout"} << "About/Command1"
                        << "-About +Obbiettivi";
    QTest::newRow("About from part number")
        << QStringList{"Obbiettivi/mnuPartNo"} << "PartNo/mnuAbout"
        << "+About -PartNo";
    QTest::newRow("OK to part number")
        << QStringList{"Obbiettivi/mnuPartNo", "PartNo/mnuAbout"} << "About/Command1"
        << "-About +PartNo";
}

void NavigationTest::orderOfShowAndHide() {
    QFETCH(QStringList, before);
    QFETCH(QString, move);
    QFETCH(QString, moves);
    for (const QString& step : before)
        Choose(step);
    WindowMoves recorder;
    qApp->installEventFilter(&recorder);
    Choose(move);
    qApp->removeEventFilter(&recorder);
    QCOMPARE(recorder.moves.join(' '), moves);
}

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
