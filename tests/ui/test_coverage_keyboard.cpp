// The Coverage window with the keyboard alone: Tab and Shift+Tab visit every control that takes
// input in reading order and leave each table in one step, the access keys do not clash, and
// every input and result says what it is in a tooltip.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "access_keys.h"
#include "coverage_window.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "private_home.h"

class CoverageKeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void tabVisitsEveryControlInReadingOrder_data();
    void tabVisitsEveryControlInReadingOrder();
    void accessKeysDoNotClash();
    void everyInputAndResultSaysWhatItIs();
    void followedFieldsLookReadOnly();

  private:
    QWidget* Window() const { return windows->coverage(); }
    template <class Control>
    Control* Find(const QString& name) const {
        return Window()->findChild<Control*>(name);
    }
    // The names of the controls the focus visits from `first`, pressing `key` until it is back.
    QStringList Visit(QWidget* first, Qt::KeyboardModifiers modifiers) const {
        first->setFocus(Qt::TabFocusReason);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            if (QApplication::focusWidget() == first)
                break;
            visited << QApplication::focusWidget()->objectName();
        }
        return visited;
    }

    PrivateHome home;
    std::unique_ptr<Module1> windows;
};

void CoverageKeyboardTest::init() {
    QLocale::setDefault(QLocale::c());
    windows = std::make_unique<Module1>("/nonexistent/settings", DesignWindowsInProcess);
    windows->ShowCoverage();
    QVERIFY(QTest::qWaitForWindowActive(Window()));
}

void CoverageKeyboardTest::tabVisitsEveryControlInReadingOrder_data() {
    QTest::addColumn<QString>("lists");  // "name=index" for each list chosen, in turn
    QTest::addColumn<bool>("mounted");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("visited");
    // From the sheet's commands the focus goes round to the design's name, notes and schedule.
    const QString sheet =
        " qt_tabwidget_tabbar copySheet saveCsv exportPdf printSheet designName "
        "designNotes cameras";
    QTest::newRow("own values, pictures: every form field, the tabs, the sheet")
        << "follow=3" << false << 0
        << "follow format aspect resolution pixelsH pixelsV focal units distance mounted "
           "requiredLevel requiredWidth" +
               sheet;
    QTest::newRow("row 1 followed, mounted, DORI table: the lists it gives skipped")
        << "follow=0" << true << 1
        << "follow resolution pixelsH pixelsV focal units distance mounted cameraHeight "
           "targetHeight tilt requiredLevel requiredWidth qt_tabwidget_tabbar doriTable copySheet "
           "saveCsv exportPdf printSheet designName designNotes cameras";
    QTest::newRow("custom by pixel size, typed tilt, lenses")
        << "follow=3;format=12;customBy=1;tilt=1" << true << 2
        << "follow format customBy pixelSize resolution pixelsH pixelsV focal units distance "
           "mounted cameraHeight targetHeight tilt tiltAngleDeg requiredLevel requiredWidth "
           "qt_tabwidget_tabbar filterFixed filterVarifocal filterZoom filterManual "
           "filterDC filterVideo filterMotorised filterMegapixels lensSuggestions copySheet "
           "saveCsv exportPdf printSheet designName designNotes cameras";
}

void CoverageKeyboardTest::tabVisitsEveryControlInReadingOrder() {
    QFETCH(QString, lists);
    QFETCH(bool, mounted);
    QFETCH(int, tab);
    QFETCH(QString, visited);
    for (const QString& choice : lists.split(';'))
        Find<QComboBox>(choice.section('=', 0, 0))->setCurrentIndex(choice.section('=', 1).toInt());
    if (mounted)
        Find<QAbstractButton>("mounted")->click();
    Find<QTabWidget>("views")->setCurrentIndex(tab);
    auto* first = Find<QWidget>("follow");
    QCOMPARE(Visit(first, Qt::NoModifier).join(' '), visited);
    QStringList back = visited.split(' ');
    std::reverse(back.begin() + 1, back.end());
    QCOMPARE(Visit(first, Qt::ShiftModifier).join(' '), back.join(' '));
}

// An access key is the letter after a single '&' of a label with a buddy, a button, a tab or a
// group box; none may be used twice in the window, hidden controls included.
void CoverageKeyboardTest::accessKeysDoNotClash() {
    const AccessKeys keys(Window());
    QVERIFY2(keys.Clashes().isEmpty(), qPrintable(keys.Clashes().join("; ")));
    // Every list, box and button of the form, two tabs, the sheet, the lens filters' rows and
    // the four menus: File, Edit, Camera and Help take the keys of Follow, Pictures, Copy and
    // Camera height, as a desktop's programs have them.
    QCOMPARE(keys.keys.size(), 25);

    // A tab's key shows it.
    QTest::keyClick(Window(), Qt::Key_T, Qt::AltModifier);
    QCOMPARE(Find<QTabWidget>("views")->currentWidget()->objectName(), QString("doriTable"));
}

void CoverageKeyboardTest::everyInputAndResultSaysWhatItIs() {
    QStringList silent;
    for (auto* control : Window()->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                           qobject_cast<QAbstractButton*>(control) ||
                           qobject_cast<QAbstractItemView*>(control);
        const bool result = control->parentWidget() &&
                            control->parentWidget()->parentWidget() == Find<QWidget>("results");
        const bool qtOwn = control->objectName().isEmpty() ||
                           control->objectName().startsWith("qt_") ||
                           qobject_cast<QTabBar*>(control->parentWidget());
        if ((input || result) && !qtOwn && control->toolTip().isEmpty())
            silent << control->objectName();
    }
    QVERIFY2(silent.isEmpty(), qPrintable(silent.join(' ')));
    QCOMPARE(Find<QLabel>("density")->toolTip(),
             QString("Pixel density across the scene at the target: what the DORI levels are "
                     "measured by"));
}

// A followed box is read-only and looks it: no longer the white of a box to type in.
void CoverageKeyboardTest::followedFieldsLookReadOnly() {
    const auto base = [this](const char* box) {
        return Find<QLineEdit>(box)->palette().color(QPalette::Base);
    };
    const QColor typed = base("pixelsH");
    QVERIFY(Find<QLineEdit>("focal")->isReadOnly());
    QVERIFY(base("focal") != typed);
    QVERIFY(base("distance") != typed);
    Find<QComboBox>("follow")->setCurrentIndex(3);  // own values
    QVERIFY(!Find<QLineEdit>("focal")->isReadOnly());
    QCOMPARE(base("focal"), typed);
    QCOMPARE(base("distance"), typed);
}

QTEST_MAIN(CoverageKeyboardTest)
#include "test_coverage_keyboard.moc"
