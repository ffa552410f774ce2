// Where the Coverage window opens beside a mode window, worked out from rectangles alone.
#include <QtTest>

#include "window_placement.h"

class WindowPlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void besideWhereThereIsRoom_data();
    void besideWhereThereIsRoom();
};

void WindowPlacementTest::besideWhereThereIsRoom_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("beside");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("placed");
    const QRect fullHd(0, 0, 1920, 1040), laptop(0, 0, 1366, 740);
    QTest::newRow("room on the right: against it, level with its top")
        << fullHd << QRect(500, 300, 470, 390) << QSize(900, 700) << QRect(970, 300, 900, 700);
    QTest::newRow("room only on the left: against its left side")
        << fullHd << QRect(1100, 300, 470, 390) << QSize(900, 700) << QRect(200, 300, 900, 700);
    QTest::newRow("no room, nearer the left: at the right edge, moved up to fit")
        << laptop << QRect(300, 175, 470, 390) << QSize(1000, 700) << QRect(366, 40, 1000, 700);
    QTest::newRow("no room, nearer the right: at the left edge")
        << laptop << QRect(600, 175, 470, 390) << QSize(1000, 700) << QRect(0, 40, 1000, 700);
    QTest::newRow("centred, no room: a tie goes to the right edge")
        << laptop << QRect(448, 175, 470, 390) << QSize(1000, 740) << QRect(366, 0, 1000, 740);
    QTest::newRow("a small screen: cut to it") << QRect(0, 0, 800, 600) << QRect(165, 105, 470, 390)
                                               << QSize(1000, 700) << QRect(0, 0, 800, 600);
    QTest::newRow("a second screen with a panel on top: inside its area")
        << QRect(1920, 32, 1366, 736) << QRect(2100, 20, 470, 390) << QSize(700, 600)
        << QRect(2570, 32, 700, 600);
}

void WindowPlacementTest::besideWhereThereIsRoom() {
    QFETCH(QRect, available);
    QFETCH(QRect, beside);
    QFETCH(QSize, size);
    QFETCH(QRect, placed);
    const QRect frame = PlaceBeside(available, beside, size);
    QCOMPARE(frame, placed);
    QVERIFY(available.contains(frame));
}

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "test_window_placement.moc"
