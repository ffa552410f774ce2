// The search by type as the user sees it: the results window, its two mirrored lists and Close.
#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "search_window.h"

class SearchWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void init();
    void cleanup() { windows.reset(); }

    void startStateListsTheMonofocalThirdInchDcLenses();
    void menuAndButtonGiveTheSameRowsBuiltAfresh();
    void selectionIsMirroredByClick_data();
    void selectionIsMirroredByClick();
    void selectionIsMirroredByKeyboard();
    void rightButtonPressKeepsTheSelection();
    void motorizedIrisLeftSetUnderMonofocalMatchesNothing();
    void closeThenAnotherSearchHoldsOnlyTheNewRows();
    void noMatchLineCanBeSelectedSafely();
    void twoFillsWithoutClearingFollowEachOther();
    void clearingTheSelectionIsMirrored_data();
    void clearingTheSelectionIsMirrored();
    void searchAfterCloseBoxSelectsNoRow();

  private:
    QRadioButton* Option(const char* name) const {
        return windows->obbiettivi()->findChild<QRadioButton*>(name);
    }
    QListWidget* List(const char* name) const {
        return windows->search()->findChild<QListWidget*>(name);
    }
    QStringList Rows(const char* name) const {
        QStringList rows;
        for (int i = 0; i < List(name)->count(); ++i)
            rows << List(name)->item(i)->text();
        return rows;
    }
    void SearchByMenu() { windows->obbiettivi()->findChild<QAction*>("mnuSearch")->trigger(); }
    void Close() { windows->search()->findChild<QPushButton*>("Command1")->click(); }
    void ClickRow(const char* list, int row, Qt::MouseButton button = Qt::LeftButton) {
        QListWidget* l = List(list);
        QTest::mouseClick(l->viewport(), button, {}, l->visualItemRect(l->item(row)).center());
    }
    // The rows shown selected in lenses and descriptions, -1 for none.
    QPair<int, int> Selected() const {
        const auto row = [this](const char* name) {
            const auto rows = List(name)->selectionModel()->selectedRows();
            return rows.isEmpty() ? -1 : rows.first().row();
        };
        return {row("lenses"), row("descriptions")};
    }

    std::unique_ptr<Module1> windows;
};

void SearchWindowTest::init() {
    windows = std::make_unique<Module1>("/nonexistent/settings");
    QVERIFY(QTest::qWaitForWindowExposed(windows->obbiettivi()));
}

void SearchWindowTest::startStateListsTheMonofocalThirdInchDcLenses() {
    SearchByMenu();
    QVERIFY(windows->search()->isVisible());
    QCOMPARE(List("lenses")->count(), 8);
    QCOMPARE(List("descriptions")->count(), 8);
    const auto startState = SearchOptions{}.Set(LensType::FF).Set(Format::unterzo).Set(Iris::DC);
    const auto expected = SelectLenses(startState);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Rows("lenses")[i], QString::fromStdString(expected[i].modelNumber));
        QVERIFY(Rows("descriptions")[i].startsWith("1/3\"  "));
    }
    QCOMPARE(Selected(), qMakePair(-1, -1));
}

void SearchWindowTest::menuAndButtonGiveTheSameRowsBuiltAfresh() {
    Option("zoom")->click();
    Option("unmezzo")->click();
    Option("VD")->click();
    SearchByMenu();
    const QStringList byMenu = Rows("lenses") + Rows("descriptions");
    QCOMPARE(List("lenses")->count(), 18);
    Close();
    windows->obbiettivi()->findChild<QPushButton*>("OptarionCons")->click();
    QCOMPARE(Rows("lenses") + Rows("descriptions"), byMenu);
}

void SearchWindowTest::selectionIsMirroredByClick_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::newRow("model number, first row") << "lenses" << 0;
    QTest::newRow("model number, last row") << "lenses" << 7;
    QTest::newRow("description, fourth row") << "descriptions" << 3;
}

void SearchWindowTest::selectionIsMirroredByClick() {
    QFETCH(QString, list);
    QFETCH(int, row);
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowExposed(windows->search()));
    ClickRow(qPrintable(list), row);
    QCOMPARE(Selected(), qMakePair(row, row));
}

void SearchWindowTest::selectionIsMirroredByKeyboard() {
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowExposed(windows->search()));
    ClickRow("lenses", 2);
    QTest::keyClick(List("lenses"), Qt::Key_Down);
    QCOMPARE(Selected(), qMakePair(3, 3));
    List("descriptions")->setFocus();
    QTest::keyClick(List("descriptions"), Qt::Key_Up);
    QTest::keyClick(List("descriptions"), Qt::Key_Up);
    QCOMPARE(Selected(), qMakePair(1, 1));
}

void SearchWindowTest::rightButtonPressKeepsTheSelection() {
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowExposed(windows->search()));
    ClickRow("descriptions", 5);
    ClickRow("lenses", 2, Qt::RightButton);
    QCOMPARE(Selected(), qMakePair(5, 5));
}

void SearchWindowTest::motorizedIrisLeftSetUnderMonofocalMatchesNothing() {
    Option("zoom")->click();
    Option("M")->click();
    Option("FF")->click();
    QVERIFY(Option("M")->isChecked() && !Option("M")->isEnabled());
    SearchByMenu();
    QCOMPARE(Rows("lenses"), QStringList());
    QCOMPARE(Rows("descriptions"), QStringList{"There are no lenses that match your inquiry."});
}

void SearchWindowTest::closeThenAnotherSearchHoldsOnlyTheNewRows() {
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowExposed(windows->search()));
    ClickRow("lenses", 4);
    Close();
    QCOMPARE(Selected(), qMakePair(4, 4));  // closing keeps rows and selection
    Option("HSP")->click();
    SearchByMenu();
    QCOMPARE(List("lenses")->count(), 1);
    QCOMPARE(List("descriptions")->count(), 1);
    QCOMPARE(Selected(), qMakePair(-1, -1));
}

void SearchWindowTest::noMatchLineCanBeSelectedSafely() {
    Option("unquarto")->click();
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowExposed(windows->search()));
    ClickRow("descriptions", 0);
    QCOMPARE(Selected(), qMakePair(-1, 0));
    QTest::keyClick(List("descriptions"), Qt::Key_Down);
    QCOMPARE(Selected(), qMakePair(-1, 0));
}

void SearchWindowTest::twoFillsWithoutClearingFollowEachOther() {
    const auto startState = SearchOptions{}.Set(LensType::FF).Set(Format::unterzo).Set(Iris::DC);
    windows->search()->Populate_List(startState);
    windows->search()->Populate_List(startState);
    QCOMPARE(List("lenses")->count(), 16);
    QCOMPARE(Rows("lenses").mid(8), Rows("lenses").mid(0, 8));

    windows->search()->Clear();
    windows->search()->Populate_List(SearchOptions{});
    windows->search()->Populate_List(startState);
    QCOMPARE(List("lenses")->count(), 8);
    QCOMPARE(List("descriptions")->count(), 9);  // the first fill's no-match line stays
    QCOMPARE(Rows("descriptions").first(), QString("There are no lenses that match your inquiry."));
}

void SearchWindowTest::clearingTheSelectionIsMirrored_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("byKeyboard");  // Ctrl+Space, otherwise Ctrl+click
    QTest::newRow("Ctrl+click in lenses") << "lenses" << false;
    QTest::newRow("Ctrl+Space in descriptions") << "descriptions" << true;
}

void SearchWindowTest::clearingTheSelectionIsMirrored() {
    QFETCH(QString, list);
    QFETCH(bool, byKeyboard);
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowExposed(windows->search()));
    ClickRow(qPrintable(list), 2);
    QCOMPARE(Selected(), qMakePair(2, 2));
    QListWidget* l = List(qPrintable(list));
    if (byKeyboard)
        QTest::keyClick(l, Qt::Key_Space, Qt::ControlModifier);
    else
        QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          l->visualItemRect(l->item(2)).center());
    QCOMPARE(Selected(), qMakePair(-1, -1));
}

// A list that gets the focus back when the window is shown again makes its first row current;
// that must not select it, in that list or the other.
void SearchWindowTest::searchAfterCloseBoxSelectsNoRow() {
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowActive(windows->search()));
    ClickRow("lenses", 3);
    QTRY_COMPARE(QApplication::focusWidget(), List("lenses"));
    windows->search()->close();
    SearchByMenu();
    QVERIFY(QTest::qWaitForWindowActive(windows->search()));
    QTRY_COMPARE(QApplication::focusWidget(), List("lenses"));
    QCOMPARE(Selected(), qMakePair(-1, -1));
}

QTEST_MAIN(SearchWindowTest)
#include "test_search_window.moc"
