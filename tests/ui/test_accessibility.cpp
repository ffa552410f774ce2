// What a screen reader speaks for each control, and the program used with the keyboard alone.
#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QtTest>

#include "layout.h"
#include "window_by_name.h"

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void spokenNames_data();
    void spokenNames();
    void zoomNamesTheWideAndTeleRows();
    void calculationByKeyboardAlone();
    void textSetByAssistiveTechnologyIsTheUsersEntry();
    void searchByKeyboardAlone();
    void partNumberByKeyboardAlone();

  private:
    QWidget* Window(const QString& name) const { return WindowByName(*windows, name); }
    static QString Spoken(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::focusWidget();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    void ChooseMenu(int menuKey, int itemKey) {
        Press(menuKey, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        Press(itemKey);
    }

    std::unique_ptr<Module1> windows;
};

void AccessibilityTest::init() {
    windows = std::make_unique<Module1>("/nonexistent/settings");
    QVERIFY(QTest::qWaitForWindowActive(windows->obbiettivi()));
}

void AccessibilityTest::spokenNames_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    const auto row = [](const char* window, const char* control, const QString& name) {
        QTest::addRow("%s.%s", window, control) << QString(window) << QString(control) << name;
    };
    row("Obbiettivi", "un", "1\"");
    row("Obbiettivi", "unterzo", "1/3\"");
    row("Obbiettivi", "VAR", "Varifocal");
    row("Obbiettivi", "M", "Motorized Iris (for zoom)");
    row("Obbiettivi", "OptarionCons", "Search");
    row("Obbiettivi", "Focale1", "focal length (mm), row 1");
    row("Obbiettivi", "L1", "object distance (ft), row 1");
    row("Obbiettivi", "H1", "horizontal object dimensions (ft), row 1");
    row("Obbiettivi", "V2", "vertical object dimensions (ft), row 2");
    row("PartNo", "txtPartNo", "Optarion Part #");
    row("PartNo", "lstResults", "Search Results");
    row("Search", "lenses", "Model #");
    row("Search", "descriptions", "Description");
    row("Search", "Command1", "Close");
    row("About", "Command1", "OK");
    row("Obbiettivi", "Picture1", "Optarion, CCTV lenses");
    row("PartNo", "Picture1", "Optarion, CCTV lenses");
    row("About", "Picture1", "Optarion, CCTV lenses");
}

void AccessibilityTest::spokenNames() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto* widget = Window(window)->findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(Spoken(widget), name);
}

void AccessibilityTest::zoomNamesTheWideAndTeleRows() {
    windows->obbiettivi()->findChild<QRadioButton*>("zoom")->click();
    QCOMPARE(Spoken(windows->obbiettivi()->findChild<QWidget*>("H1")),
             QString("horizontal object dimensions (ft), WIDE"));
    QCOMPARE(Spoken(windows->obbiettivi()->findChild<QWidget*>("Focale2")),
             QString("focal length (mm), TELE"));
    windows->obbiettivi()->findChild<QRadioButton*>("FF")->click();
    QCOMPARE(Spoken(windows->obbiettivi()->findChild<QWidget*>("H1")),
             QString("horizontal object dimensions (ft), row 1"));
}

void AccessibilityTest::calculationByKeyboardAlone() {
    auto* main = windows->obbiettivi();
    QCOMPARE(Focus()->objectName(), QString("unterzo"));
    Press(Qt::Key_Up);  // 1/2 inch
    QVERIFY(main->findChild<QRadioButton*>("unmezzo")->isChecked());
    for (int i = 0; i < 5; ++i)
        Press(Qt::Key_Tab);
    QCOMPARE(Focus()->objectName(), QString("H1"));
    static_cast<QLineEdit*>(Focus())->selectAll();
    QTest::keyClicks(Focus(), "16");
    Press(Qt::Key_Tab);
    QTRY_COMPARE(main->findChild<QLineEdit*>("V1")->text(), QString("12"));
    QTRY_COMPARE(main->findChild<QLineEdit*>("Focale1")->text(), QString("8"));
}

// A screen reader's edit or dictation sets the box's text through its accessible interface,
// without key presses; leaving the box then works out the row as after typing.
void AccessibilityTest::textSetByAssistiveTechnologyIsTheUsersEntry() {
    auto* main = windows->obbiettivi();
    main->findChild<QRadioButton*>("unmezzo")->click();
    auto* horizontal = main->findChild<QLineEdit*>("H1");
    horizontal->setFocus();
    QTRY_COMPARE(horizontal->text(), QString("32"));
    QAccessible::queryAccessibleInterface(horizontal)
        ->editableTextInterface()
        ->replaceText(0, horizontal->text().size(), "16");
    QTest::qWait(120);  // ticks while the box still has the focus
    QCOMPARE(horizontal->text(), QString("16"));
    main->findChild<QWidget*>("V1")->setFocus();
    QTRY_COMPARE(main->findChild<QLineEdit*>("Focale1")->text(), QString("8"));
    QCOMPARE(main->findChild<QLineEdit*>("V1")->text(), QString("12"));
}

void AccessibilityTest::searchByKeyboardAlone() {
    ChooseMenu(Qt::Key_F, Qt::Key_S);  // File > Search
    QTRY_VERIFY(QTest::qWaitForWindowActive(windows->search()));
    QCOMPARE(Focus()->objectName(), QString("Command1"));
    Press(Qt::Key_Tab);
    QCOMPARE(Focus()->objectName(), QString("lenses"));
    Press(Qt::Key_Down);
    const auto selected = [this](const char* list) {
        return windows->search()->findChild<QListWidget*>(list)->currentRow();
    };
    QVERIFY(selected("lenses") > 0);
    QCOMPARE(selected("descriptions"), selected("lenses"));
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    Press(Qt::Key_Space);  // Close
    QTRY_VERIFY(windows->obbiettivi()->isVisible());
    QVERIFY(!windows->search()->isVisible());
}

void AccessibilityTest::partNumberByKeyboardAlone() {
    Press(Qt::Key_S, Qt::AltModifier);  // Search Mode
    QTRY_VERIFY(QApplication::activePopupWidget());
    Press(Qt::Key_Down);    // the menu opens on its first item
    Press(Qt::Key_Return);  // Search by Part Number
    QVERIFY(QTest::qWaitForWindowActive(windows->partNo()));
    QTRY_COMPARE(Focus()->objectName(), QString("txtPartNo"));
    QTest::keyClicks(Focus(), "H08");
    auto* results = windows->partNo()->findChild<QListWidget*>("lstResults");
    QCOMPARE(results->count(), 2);
    QCOMPARE(results->item(1)->text(), QString("08: focal length is 8mm."));
    ChooseMenu(Qt::Key_H, Qt::Key_A);  // Help > About
    QVERIFY(windows->about() && windows->about()->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
