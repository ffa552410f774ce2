// Search by part number in the real window: the lines shown while a part number is typed, and
// the prompt that comes and goes with the focus.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"

class PartNoWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void loadsWithThePromptAndNoLines();
    void arrivingEmptiesTheBoxInTypingLook();
    void linesFollowEachTypedCharacter_data();
    void linesFollowEachTypedCharacter();
    void deletingEverythingShowsTheNoMatchLine();
    void leavingAnEmptyBoxBringsThePromptBack();
    void leavingATypedBoxKeepsIt();
    void modeSwitchEmptiesTheBox();
    void anotherWindowActivatedIsNoArrival();

  private:
    void SwitchToPartNo() {
        windows->obbiettivi()->findChild<QAction*>("mnuPartNo")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(windows->partNo()));
        QTRY_COMPARE(QApplication::focusWidget(), Box());
    }
    QLineEdit* Box() const { return windows->partNo()->findChild<QLineEdit*>("txtPartNo"); }
    QListWidget* List() const { return windows->partNo()->findChild<QListWidget*>("lstResults"); }
    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < List()->count(); ++i)
            lines << List()->item(i)->text();
        return lines;
    }
    bool TypingLook() const { return Box()->font().bold() && !Box()->font().italic(); }
    bool PromptLook() const { return !Box()->font().bold() && Box()->font().italic(); }

    std::unique_ptr<Module1> windows;
};

void PartNoWindowTest::init() {
    windows = std::make_unique<Module1>("/nonexistent/settings");
    QVERIFY(QTest::qWaitForWindowActive(windows->obbiettivi()));
}

void PartNoWindowTest::loadsWithThePromptAndNoLines() {
    QCOMPARE(Box()->text(), PartNo::kPrompt);
    QVERIFY(PromptLook());
    QCOMPARE(Box()->alignment(), Qt::AlignCenter);
    QCOMPARE(List()->count(), 0);
}

void PartNoWindowTest::arrivingEmptiesTheBoxInTypingLook() {
    SwitchToPartNo();
    QCOMPARE(Box()->text(), QString());
    QVERIFY(TypingLook());
    QCOMPARE(List()->count(), 0);
}

void PartNoWindowTest::linesFollowEachTypedCharacter_data() {
    QTest::addColumn<QString>("partNumber");
    QTest::addColumn<QStringList>("linesAfterEachCharacter");  // joined by "|"

    QTest::newRow("manual 1/3 inch 6 mm")
        << "T06-CS"
        << QStringList{"No matching part number found.",
                       "1/3\" CCD format|0: focal length is 0.mm.",
                       "1/3\" CCD format|06: focal length is 6mm.",
                       "1/3\" CCD format|06: focal length is 6mm.",
                       "1/3\" CCD format|06: focal length is 6mm.",
                       "1/3\" CCD format|06: focal length is 6mm."};
    QTest::newRow("auto iris 2/3 inch 3.5 mm")
        << "MG35"
        << QStringList{"No matching part number found.",
                       "2/3\" CCD format|G = Galvanometer (auto-iris)|: focal length is .mm.",
                       "2/3\" CCD format|G = Galvanometer (auto-iris)|3: focal length is 3.mm.",
                       "2/3\" CCD format|G = Galvanometer (auto-iris)|35: focal length is 3.5mm."};
}

void PartNoWindowTest::linesFollowEachTypedCharacter() {
    QFETCH(QString, partNumber);
    QFETCH(QStringList, linesAfterEachCharacter);
    SwitchToPartNo();
    for (int i = 0; i < partNumber.size(); ++i) {
        QTest::keyClick(Box(), partNumber.at(i).toLatin1());
        QCOMPARE(Lines().join('|'), linesAfterEachCharacter.at(i));
    }
    QVERIFY(TypingLook());
}

void PartNoWindowTest::deletingEverythingShowsTheNoMatchLine() {
    SwitchToPartNo();
    QTest::keyClicks(Box(), "H08");
    QTest::keyClick(Box(), Qt::Key_Backspace);
    QTest::keyClick(Box(), Qt::Key_Backspace);
    QTest::keyClick(Box(), Qt::Key_Backspace);
    QCOMPARE(Lines(), QStringList{"No matching part number found."});
}

void PartNoWindowTest::leavingAnEmptyBoxBringsThePromptBack() {
    SwitchToPartNo();
    QTest::keyClicks(Box(), "T");
    QTest::keyClick(Box(), Qt::Key_Backspace);
    QTest::keyClick(Box(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), List());
    QCOMPARE(Box()->text(), PartNo::kPrompt);
    QVERIFY(PromptLook());
    QCOMPARE(List()->count(), 0);
}

void PartNoWindowTest::leavingATypedBoxKeepsIt() {
    SwitchToPartNo();
    QTest::keyClicks(Box(), "H08");
    QTest::keyClick(Box(), Qt::Key_Tab);
    QCOMPARE(Box()->text(), QString("H08"));
    QCOMPARE(List()->count(), 2);
    QTest::mouseClick(Box(), Qt::LeftButton);  // coming back from the list empties it
    QCOMPARE(Box()->text(), QString());
    QCOMPARE(List()->count(), 0);
}

void PartNoWindowTest::modeSwitchEmptiesTheBox() {
    SwitchToPartNo();
    QTest::keyClicks(Box(), "H08");
    windows->partNo()->findChild<QAction*>("mnuType")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(windows->obbiettivi()));
    QCOMPARE(Box()->text(), QString("H08"));  // kept while hidden
    SwitchToPartNo();
    QCOMPARE(Box()->text(), QString());
    QCOMPARE(List()->count(), 0);
}

void PartNoWindowTest::anotherWindowActivatedIsNoArrival() {
    SwitchToPartNo();
    QTest::keyClicks(Box(), "T06");
    QLineEdit elsewhere;
    elsewhere.show();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    elsewhere.setFocus();
    QApplication::setActiveWindow(windows->partNo());
    QVERIFY(QTest::qWaitForWindowActive(windows->partNo()));
    QTRY_COMPARE(QApplication::focusWidget(), Box());
    QCOMPARE(Box()->text(), QString("T06"));
    QCOMPARE(List()->count(), 2);
}

QTEST_MAIN(PartNoWindowTest)
#include "test_partno_window.moc"
