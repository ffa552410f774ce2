// The focus keeper gives a window's focus back to the control that last held it when the window
// is shown again, never to the menu bar that took it last.
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QtTest>

#include "focus_keeper.h"

class FocusKeeperTest : public QObject {
    Q_OBJECT

  private slots:
    void shownAgainTheControlNotTheMenuBar();
};

void FocusKeeperTest::shownAgainTheControlNotTheMenuBar() {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    auto* client = new QWidget;
    auto* column = new QVBoxLayout(client);
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    column->addWidget(first);
    column->addWidget(second);
    window.setCentralWidget(client);
    new FocusKeeper(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    second->setFocus();
    window.menuBar()->setFocus(Qt::MenuBarFocusReason);  // as Alt alone gives it
    QCOMPARE(QApplication::focusWidget(), window.menuBar());
    window.hide();
    window.show();
    // The control the focus arrives at as the window is activated.
    QCOMPARE(window.focusWidget(), second);
}

QTEST_MAIN(FocusKeeperTest)
#include "test_focus_keeper.moc"
