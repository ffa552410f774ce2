// The Coverage window by keyboard on a real desktop: opened with Ctrl+K, Tab and Shift+Tab sent
// through the X server with xdotool visit every control in reading order and leave each table in
// one step, and no two access keys clash.
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>

#include "../ui/access_keys.h"
#include "../ui/private_home.h"
#include "coverage_window.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"

class RealCoverageKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup() { windows.reset(); }

    void tabVisitsEveryControlInReadingOrder_data();
    void tabVisitsEveryControlInReadingOrder();
    void accessKeysDoNotClash();

  private:
    static void Keys(const QString& keys) {
        for (const QString& key : keys.split(' '))
            QCOMPARE(QProcess::execute("xdotool", {"key", "--clearmodifiers", key}), 0);
        QTest::qWait(120);
    }
    static QString Focused() {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(none)");
    }
    // The names of the controls the focus visits pressing `key` from the one it is on, until it
    // is back there.
    static QStringList Visit(const QString& key) {
        const QString first = Focused();
        QStringList visited{first};
        for (int i = 0; i < 40; ++i) {
            Keys(key);
            if (Focused() == first)
                break;
            visited << Focused();
        }
        return visited;
    }

    PrivateHome home;
    std::unique_ptr<Module1> windows;
};

void RealCoverageKeysTest::initTestCase() {
    RegisterFontSubstitutes();
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs a real X server (run through in_real_x.sh)");
}

void RealCoverageKeysTest::init() {
    windows = std::make_unique<Module1>("/nonexistent/settings", DesignWindowsInProcess);
    QTRY_COMPARE(QApplication::activeWindow(), windows->obbiettivi());
    QTest::qWait(200);
    Keys("ctrl+k");
    QTRY_VERIFY(windows->coverage() &&
                QApplication::activeWindow() == static_cast<QWidget*>(windows->coverage()));
}

void RealCoverageKeysTest::tabVisitsEveryControlInReadingOrder_data() {
    QTest::addColumn<int>("follow");
    QTest::addColumn<QString>("visited");
    const QString views =
        " qt_tabwidget_tabbar copySheet saveCsv exportPdf printSheet designName "
        "designNotes cameras";
    QTest::newRow("own values: every field of the form, the tabs, the sheet")
        << 3
        << "follow format aspect resolution pixelsH pixelsV focal units distance mounted "
           "requiredLevel requiredWidth" +
               views;
    QTest::newRow("the calculator's row 1: the lists it gives skipped")
        << 0
        << "follow resolution pixelsH pixelsV focal units distance mounted requiredLevel "
           "requiredWidth" +
               views;
}

void RealCoverageKeysTest::tabVisitsEveryControlInReadingOrder() {
    QFETCH(int, follow);
    QFETCH(QString, visited);
    auto* list = windows->coverage()->findChild<QComboBox*>("follow");
    list->setCurrentIndex(follow);
    list->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(Focused(), QString("follow"));
    QCOMPARE(Visit("Tab").join(' '), visited);
    QStringList back = visited.split(' ');
    std::reverse(back.begin() + 1, back.end());
    QCOMPARE(Visit("shift+Tab").join(' '), back.join(' '));
}

void RealCoverageKeysTest::accessKeysDoNotClash() {
    const AccessKeys keys(windows->coverage());
    QVERIFY2(keys.Clashes().isEmpty(), qPrintable(keys.Clashes().join("; ")));
    // A tab's key, typed on the desktop, shows it.
    Keys("alt+t");
    QTRY_COMPARE(windows->coverage()->findChild<QTabWidget*>("views")->currentIndex(), 1);
}

QTEST_MAIN(RealCoverageKeysTest)
#include "test_real_coverage_keys.moc"
