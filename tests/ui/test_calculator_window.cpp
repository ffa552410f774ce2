// The calculator as the user drives it: mouse clicks into the boxes, typing, Tab, the option
// buttons, and the recalculation ticks of the real main window.
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "layout.h"
#include "obbiettivi.h"

class CalculatorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup();

    void firstTickWorksOutBothRows();
    void typingIntoAClickedBoxDrivesItsRow_data();
    void typingIntoAClickedBoxDrivesItsRow();
    void formatChangeReachesTheRowAtTheNextTick_data();
    void formatChangeReachesTheRowAtTheNextTick();
    void zoomShowsTheTeleRowAndEnablesMotorizedIris();
    void distanceLeftWithoutANumberIsTheDistanceUsed();
    void typingInABoxReachedWithTabIsNeverOverwritten();
    void dimensionLeftEmptyTakesItsFallback();
    void groupingMarkFromTheSettingsFileIsRemoved_data();
    void groupingMarkFromTheSettingsFileIsRemoved();
    void boxesAreNotRewrittenWhenNothingChanges();
    void settledRowsFollowABoxChangedWithoutAnEvaluation_data();
    void settledRowsFollowABoxChangedWithoutAnEvaluation();

  private:
    void Open(const std::filesystem::path& settings = "/nonexistent/settings");
    QLineEdit* Box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    QRadioButton* Option(const char* name) const { return window->findChild<QRadioButton*>(name); }
    QString Row(int row) const {
        const QString n = QString::number(row);
        QStringList texts;
        for (const QString& box : {"Focale" + n, "L" + n, "H" + n, "V" + n})
            texts << window->findChild<QLineEdit*>(box)->text();
        return texts.join(' ');
    }
    void TypeInto(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    std::unique_ptr<Obbiettivi> window;
    QTemporaryDir scratch;
};

void CalculatorWindowTest::init() {
    QLocale::setDefault(QLocale::c());
}

void CalculatorWindowTest::cleanup() {
    window.reset();
    QLocale::setDefault(QLocale::c());
}

void CalculatorWindowTest::Open(const std::filesystem::path& settings) {
    window = std::make_unique<Obbiettivi>(settings);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void CalculatorWindowTest::firstTickWorksOutBothRows() {
    Open();
    QTRY_COMPARE(Row(1), QString("4 20 24 18"));
    QCOMPARE(Row(2), QString("4 20 24 18"));
    QVERIFY(!Box("Focale2")->isVisible());
}

void CalculatorWindowTest::typingIntoAClickedBoxDrivesItsRow_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("row");

    QTest::newRow("16 in H1: vertical 12, focal length 6") << "H1"
                                                           << "16"
                                                           << "6 20 16 12";
    QTest::newRow("30 in V1: horizontal 40, focal length 2.4") << "V1"
                                                               << "30"
                                                               << "2.4 20 40 30";
    QTest::newRow("3.5 in Focale1: cut, not rounded") << "Focale1"
                                                      << "3.5"
                                                      << "3.5 20 27.42 20.57";
    QTest::newRow("40 in L1: focal length follows") << "L1"
                                                    << "40"
                                                    << "8 40 24 18";
    QTest::newRow("0 in V1: horizontal 0, focal length kept") << "V1"
                                                              << "0"
                                                              << "4 20 0 0";
    QTest::newRow("abc in H1: nothing changes") << "H1"
                                                << "abc"
                                                << "4 20 abc 18";
}

void CalculatorWindowTest::typingIntoAClickedBoxDrivesItsRow() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, row);
    Open();
    QTRY_COMPARE(Row(1), QString("4 20 24 18"));
    QTest::mouseClick(Box(qPrintable(box)), Qt::LeftButton);
    TypeInto(Box(qPrintable(box)), typed);
    QTRY_COMPARE(Row(1), row);
    QTest::qWait(120);  // a few more ticks change nothing
    QCOMPARE(Row(1), row);
    QCOMPARE(Row(2), QString("4 20 24 18"));  // the rows never touch each other
}

void CalculatorWindowTest::formatChangeReachesTheRowAtTheNextTick_data() {
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("pressed");  // as an assistive technology does: the focus stays

    QTest::newRow("1/2 inch, F marked: dimensions follow") << "Focale1"
                                                           << "unmezzo"
                                                           << "4 20 32 24" << false;
    QTest::newRow("1/2 inch, H marked at 16: focal length follows") << "H1"
                                                                    << "unmezzo"
                                                                    << "8 20 16 12" << false;
    QTest::newRow("1 inch, F marked") << "Focale1"
                                      << "un"
                                      << "4 20 64 48" << false;
    QTest::newRow("1/4 inch, F marked") << "Focale1"
                                        << "unquarto"
                                        << "4 20 16 12" << false;
    QTest::newRow("2/3 inch, H marked at 16") << "H1"
                                              << "dueterzi"
                                              << "11 20 16 12" << false;
    QTest::newRow("1/2 inch pressed, F marked") << "Focale1"
                                                << "unmezzo"
                                                << "4 20 32 24" << true;
    QTest::newRow("2/3 inch pressed, H marked at 16") << "H1"
                                                      << "dueterzi"
                                                      << "11 20 16 12" << true;
}

void CalculatorWindowTest::formatChangeReachesTheRowAtTheNextTick() {
    QFETCH(QString, marked);
    QFETCH(QString, format);
    QFETCH(QString, row);
    QFETCH(bool, pressed);
    Open();
    QTRY_COMPARE(Row(1), QString("4 20 24 18"));
    if (marked == "H1") {
        QTest::mouseClick(Box("H1"), Qt::LeftButton);
        TypeInto(Box("H1"), "16");
        QTRY_COMPARE(Row(1), QString("6 20 16 12"));
    }
    QTest::qWait(120);  // a few ticks with nothing to do
    const QWidget* focus = QApplication::focusWidget();
    if (pressed)
        Option(qPrintable(format))->click();
    else
        QTest::mouseClick(Option(qPrintable(format)), Qt::LeftButton);
    QVERIFY(Option(qPrintable(format))->isChecked());
    QCOMPARE(QApplication::focusWidget() == focus, pressed);
    QTRY_COMPARE(Row(1), row);
}

void CalculatorWindowTest::zoomShowsTheTeleRowAndEnablesMotorizedIris() {
    Open();
    const QStringList teleRow{"Focale2", "L2", "H2", "V2", "macro", "Tele"};
    QTest::mouseClick(Option("zoom"), Qt::LeftButton);
    for (const QString& name : teleRow)
        QVERIFY2(window->findChild<QWidget*>(name)->isVisible(), qPrintable(name));
    QVERIFY(Option("M")->isEnabled());
    QTRY_COMPARE(Row(2), QString("4 20 24 18"));

    QTest::mouseClick(Option("M"), Qt::LeftButton);
    QVERIFY(Option("M")->isChecked());
    for (const char* other : {"VAR", "HSP", "FF"}) {
        QTest::mouseClick(Option(other), Qt::LeftButton);
        for (const QString& name : teleRow)
            QVERIFY2(!window->findChild<QWidget*>(name)->isVisible(), qPrintable(name));
        QVERIFY(!Option("M")->isEnabled());
        QVERIFY(Option("M")->isChecked());  // a disabled option keeps its selection
        QTest::mouseClick(Option("zoom"), Qt::LeftButton);
    }
}

// Leaving the distance without a number shows 20, and 20 is also the distance the row is
// computed with from then on.
void CalculatorWindowTest::distanceLeftWithoutANumberIsTheDistanceUsed() {
    Open();
    QTRY_COMPARE(Row(1), QString("4 20 24 18"));
    QTest::mouseClick(Box("L1"), Qt::LeftButton);
    TypeInto(Box("L1"), "10");
    QTRY_COMPARE(Row(1), QString("2 10 24 18"));
    QTest::mouseClick(Box("Focale1"), Qt::LeftButton);  // row marked F again
    QTest::keyClick(Box("Focale1"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box("L1"));
    TypeInto(Box("L1"), "abc");
    QTest::keyClick(Box("L1"), Qt::Key_Tab);
    QCOMPARE(Box("L1")->text(), QString("20"));
    // H1 now holds the focus; untouched, it follows its row like any other box.
    QTRY_COMPARE(Row(1), QString("2 20 48 36"));
}

void CalculatorWindowTest::typingInABoxReachedWithTabIsNeverOverwritten() {
    Open();
    QTest::mouseClick(Box("H1"), Qt::LeftButton);
    TypeInto(Box("H1"), "16");
    QTRY_COMPARE(Row(1), QString("6 20 16 12"));
    QTest::keyClick(Box("H1"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Box("V1"));
    TypeInto(Box("V1"), "30");
    QTest::qWait(200);  // four ticks with H marked
    QCOMPARE(Box("V1")->text(), QString("30"));
    QTest::keyClick(Box("V1"), Qt::Key_Tab);  // leaving V marks it and drives the row
    QTRY_COMPARE(Row(1), QString("2.4 20 40 30"));
}

void CalculatorWindowTest::dimensionLeftEmptyTakesItsFallback() {
    Open();
    QTest::mouseClick(Box("H1"), Qt::LeftButton);
    TypeInto(Box("H1"), "16");
    QTRY_COMPARE(Row(1), QString("6 20 16 12"));
    TypeInto(Box("H1"), "");
    QTest::mouseClick(Option("unterzo"), Qt::LeftButton);  // leaves H1 for a control that is no box
    QCOMPARE(Box("H1")->text(), QString("24"));
    QTRY_COMPARE(Row(1), QString("4 20 24 18"));
}

void CalculatorWindowTest::groupingMarkFromTheSettingsFileIsRemoved_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("row");

    QTest::newRow("English format, file \",\" then \".\": 1.600 becomes 1600")
        << "C" << QByteArray(",\r\n.\r\n") << "1.600"
        << "0.06 20 1600 1200";
    QTest::newRow("German format, file \",\" then \".\": 1.600 becomes 1600")
        << "de_DE" << QByteArray(",\r\n.\r\n") << "1.600"
        << "0,06 20 1600 1200";
    QTest::newRow("German format, no grouping mark: decimal comma")
        << "de_DE" << QByteArray() << "2,5"
        << "38,4 20 2,5 1,87";
    QTest::newRow("no settings file: nothing removed") << "C" << QByteArray() << "1,600"
                                                       << "0.06 20 1,600 1200";
}

void CalculatorWindowTest::groupingMarkFromTheSettingsFileIsRemoved() {
    QFETCH(QString, locale);
    QFETCH(QByteArray, settings);
    QFETCH(QString, typed);
    QFETCH(QString, row);
    QLocale::setDefault(QLocale(locale));
    std::filesystem::path file = "/nonexistent/settings";
    if (!settings.isEmpty()) {
        QFile out(scratch.filePath("Vistamarq"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(settings);
        file = out.fileName().toStdString();
    }
    Open(file);
    QTest::mouseClick(Box("H1"), Qt::LeftButton);
    TypeInto(Box("H1"), typed);
    QTRY_COMPARE(Row(1), row);
}

void CalculatorWindowTest::boxesAreNotRewrittenWhenNothingChanges() {
    Open();
    QTRY_COMPARE(Row(1), QString("4 20 24 18"));
    QTest::mouseClick(Box("Focale1"), Qt::LeftButton);
    Box("Focale1")->setCursorPosition(0);
    int rewrites = 0;
    for (const char* name : {"Focale1", "L1", "H1", "V1"})
        connect(Box(name), &QLineEdit::textChanged, this, [&rewrites] { ++rewrites; });
    QTest::qWait(200);
    QCOMPARE(rewrites, 0);
    QCOMPARE(Box("Focale1")->cursorPosition(), 0);
}

void CalculatorWindowTest::settledRowsFollowABoxChangedWithoutAnEvaluation_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("row");
    QTest::newRow("a dependent box of row 1") << "V1" << 1;
    QTest::newRow("a box of the hidden row 2") << "H2" << 2;
    QTest::newRow("the marked box itself") << "Focale1" << 1;
}

// A tick with nothing new to read returns at once; a box whose text changes by any other way
// than an evaluation must still be caught up by the next tick.
void CalculatorWindowTest::settledRowsFollowABoxChangedWithoutAnEvaluation() {
    QFETCH(QString, box);
    QFETCH(int, row);
    Open();
    QTRY_COMPARE(Row(row), QString("4 20 24 18"));
    QTest::qWait(120);  // a few ticks with nothing to do
    Box(box.toLatin1().constData())->setText(QStringLiteral("99"));
    const QString expected = box.startsWith("Focale") ? "99 20 0.96 0.72" : "4 20 24 18";
    QTRY_COMPARE(Row(row), expected);
}

QTEST_MAIN(CalculatorWindowTest)
#include "test_calculator_window.moc"
