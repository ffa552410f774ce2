// The site plan view driven as a user drives it, on the offscreen platform: each tool's clicks and
// drags give the one signal they stand for, with the plan point under the pointer, and panning,
// zooming and fitting keep the plan where the user expects it.
#include <QSignalSpy>
#include <QtTest>

#include "plan_view.h"

namespace {

// A camera looking east at (x, y), with the bands of the Coverage form's start.
SceneCamera CameraAt(const char* id, double x, double y, double headingDeg = 0) {
    CoverageInputs inputs;
    inputs.mounted = true;
    const Coverage coverage = ComputeCoverage(inputs, NumberFormat{});
    SceneCamera camera{id, u"", *PlaceCamera(coverage.figures, {x, y}, headingDeg), {}};
    camera.bands = CameraBands(camera.camera, {});
    return camera;
}

// Two walls meeting at (5, 0), a camera at the origin and a target north of it.
std::shared_ptr<PlanScene> Room() {
    auto scene = std::make_shared<PlanScene>();
    scene->walls = {{{0, -2}, {5, -2}}, {{5, -2}, {5, 4}}};
    scene->cameras = {CameraAt("cam", 0, 0)};
    scene->targets = {{"door", u"Door", {-3, 3}, 2, {}}};
    return scene;
}

QPoint Px(const PlanView& view, Point metres) {
    return view.MetresToWidget().map(QPointF(metres.x, metres.y)).toPoint();
}

Point Metres(const PlanView& view, QPoint px) {
    const QPointF at = view.MetresToWidget().inverted().map(QPointF(px));
    return {at.x(), at.y()};
}

// A signal's arguments as the numbers in them, in order.
QList<double> Numbers(const QList<QVariant>& arguments) {
    QList<double> numbers;
    for (const QVariant& argument : arguments) {
        if (argument.metaType() == QMetaType::fromType<Point>())
            numbers << argument.value<Point>().x << argument.value<Point>().y;
        else if (argument.metaType() == QMetaType::fromType<QPointF>())
            numbers << argument.toPointF().x() << argument.toPointF().y();
        else if (argument.metaType() == QMetaType::fromType<std::vector<Point>>())
            for (const Point corner : argument.value<std::vector<Point>>())
                numbers << corner.x << corner.y;
        else if (argument.canConvert<double>())
            numbers << argument.toDouble();
    }
    return numbers;
}

void CompareNumbers(const QList<double>& actual, const QList<double>& expected) {
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        QVERIFY2(
            std::abs(actual[i] - expected[i]) <= 1e-6,
            qPrintable(QStringLiteral("%1: %2, not %3").arg(i).arg(actual[i]).arg(expected[i])));
}

void Drag(PlanView& view, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(&view, Qt::LeftButton, modifiers, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(&view, from + (to - from) * step / 4);
    QTest::mouseRelease(&view, Qt::LeftButton, modifiers, to);
}

}  // namespace

Q_DECLARE_METATYPE(PlanView::Tool)

class PlanViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PlanView> m_view;

  private slots:
    void init() {
        m_view = std::make_unique<PlanView>();
        m_view->resize(400, 300);
        m_view->SetScene(Room());
        m_view->show();
        m_view->FitPlan();
    }
    void cleanup() { m_view.reset(); }

    void toolClicks_data() {
        QTest::addColumn<PlanView::Tool>("tool");
        QTest::addColumn<QList<QPoint>>("clicks");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<bool>("inPixels");  // the points as the underlay's pixels
        using T = PlanView::Tool;
        const QList<QPoint> two{{60, 250}, {330, 40}};
        QTest::newRow("place camera: one click")
            << T::PlaceCamera << QList<QPoint>{{123, 45}}
            << QByteArray(SIGNAL(placeRequested(Point))) << false;
        QTest::newRow("add target: one click") << T::AddTarget << QList<QPoint>{{300, 280}}
                                               << QByteArray(SIGNAL(targetAdded(Point))) << false;
        QTest::newRow("draw wall: three corners, Esc")
            << T::DrawWall << QList<QPoint>{{20, 20}, {200, 20}, {200, 150}}
            << QByteArray(SIGNAL(wallDrawn(std::vector<Point>))) << false;
        QTest::newRow("set scale: two clicks, in the underlay's pixels")
            << T::SetScale << two << QByteArray(SIGNAL(scalePointsChosen(QPointF, QPointF)))
            << true;
    }

    // What the clicks give, point by point, is what the view's transform maps them to.
    void toolClicks() {
        QFETCH(PlanView::Tool, tool);
        QFETCH(QList<QPoint>, clicks);
        QFETCH(QByteArray, signal);
        QFETCH(bool, inPixels);
        m_view->SetScene(nullptr);  // nothing for a wall's corner to join
        m_view->SetUnderlay(nullptr, 0.05, QPointF(-10, 10));
        m_view->SetTool(tool);
        QSignalSpy spy(m_view.get(), signal.constData());
        QList<double> expected;
        for (const QPoint click : clicks) {
            QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, click);
            const Point at = Metres(*m_view, click);
            expected << (inPixels ? (at.x + 10) / 0.05 : at.x)
                     << (inPixels ? (10 - at.y) / 0.05 : at.y);
        }
        if (tool == PlanView::Tool::DrawWall) {
            QCOMPARE(spy.count(), 0);
            QTest::keyClick(m_view.get(), Qt::Key_Escape);
        }
        QCOMPARE(spy.count(), 1);
        CompareNumbers(Numbers(spy.first()), expected);
        QCOMPARE(m_view->CurrentTool(),
                 tool == PlanView::Tool::DrawWall || tool == PlanView::Tool::SetScale
                     ? PlanView::Tool::Select
                     : tool);
    }

    void wallEnding_data() {
        QTest::addColumn<QList<int>>("keys");  // after clicking corners at x = 20, 120, 220
        QTest::addColumn<int>("corners");      // in the wall drawn; 0: none
        QTest::newRow("Enter ends it") << QList<int>{Qt::Key_Return} << 3;
        QTest::newRow("Backspace takes the last corner back")
            << QList<int>{Qt::Key_Backspace, Qt::Key_Escape} << 2;
        QTest::newRow("one corner left: no wall")
            << QList<int>{Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Escape} << 0;
        QTest::newRow("double-click on the last corner ends it") << QList<int>{0} << 3;
    }

    void wallEnding() {
        QFETCH(QList<int>, keys);
        QFETCH(int, corners);
        m_view->SetTool(PlanView::Tool::DrawWall);
        QSignalSpy spy(m_view.get(), &PlanView::wallDrawn);
        for (const int x : {20, 120, 220})
            QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(x, 30));
        for (const int key : keys)
            key ? QTest::keyClick(m_view.get(), Qt::Key(key))
                : QTest::mouseDClick(m_view.get(), Qt::LeftButton, {}, QPoint(220, 30));
        QCOMPARE(spy.count(), corners ? 1 : 0);
        if (corners)
            QCOMPARE(int(spy.first()[0].value<std::vector<Point>>().size()), corners);
    }

    void measure() {
        m_view->SetTool(PlanView::Tool::Measure);
        m_view->SetUnit(LengthUnit::Feet);
        QSignalSpy spy(m_view.get(), &PlanView::measured);
        const Point a = Metres(*m_view, {50, 50}), b = Metres(*m_view, {250, 200});
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, {50, 50});
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, {250, 200});
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, {10, 10});  // a new measure starts
        QCOMPARE(spy.count(), 1);
        CompareNumbers(Numbers(spy.first()), {Distance(a, b)});
        QCOMPARE(MeasuredText(12.345, LengthUnit::Metres, {}), QStringLiteral("12.35 m"));
        QCOMPARE(MeasuredText(12.35 * 0.3048, LengthUnit::Feet, {}), QStringLiteral("12.35 ft"));
        QCOMPARE(MeasuredText(1234.5, LengthUnit::Metres, {u",", u"."}),
                 QStringLiteral("1234,50 m"));
    }

    void drag_data() {
        QTest::addColumn<Point>("grab");  // metres: what is under the press
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QList<double>>("ids");  // wall ends: wall, endB pairs
        QTest::newRow("camera 60 px east, 30 px down")
            << Point{0, 0} << QPoint(60, 30) << QByteArray(SIGNAL(cameraMoved(std::string, Point)))
            << QList<double>{};
        QTest::newRow("camera by 2 px: a click, no move")
            << Point{0, 0} << QPoint(2, 0) << QByteArray(SIGNAL(cameraMoved(std::string, Point)))
            << QList<double>{};
        QTest::newRow("target 40 px west")
            << Point{-3, 3} << QPoint(-40, 0) << QByteArray(SIGNAL(targetMoved(std::string, Point)))
            << QList<double>{};
        QTest::newRow("the shared corner moves both walls' ends")
            << Point{5, -2} << QPoint(25, 25)
            << QByteArray(SIGNAL(wallEndsMoved(std::vector<WallEnd>, Point)))
            << QList<double>{0, 1, 1, 0};
    }

    // One signal at the release, none while the pointer moves; a short wiggle is a click.
    void drag() {
        QFETCH(Point, grab);
        QFETCH(QPoint, by);
        QFETCH(QByteArray, signal);
        QFETCH(QList<double>, ids);
        QSignalSpy spy(m_view.get(), signal.constData());
        const QPoint from = Px(*m_view, grab);
        QTest::mousePress(m_view.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(m_view.get(), from + by / 2);
        QTest::mouseMove(m_view.get(), from + by);
        QCOMPARE(spy.count(), 0);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, {}, from + by);
        QCOMPARE(spy.count(), by.manhattanLength() < 3 ? 0 : 1);
        if (spy.isEmpty())
            return;
        const QPointF moved = m_view->MetresToWidget().inverted().map(QPointF(from + by)) -
                              m_view->MetresToWidget().inverted().map(QPointF(from));
        CompareNumbers(Numbers(spy.first()), {grab.x + moved.x(), grab.y + moved.y()});
        if (!ids.isEmpty()) {
            QList<double> ends;
            for (const WallEnd& end : spy.first()[0].value<std::vector<WallEnd>>())
                ends << double(end.wall) << double(end.endB);
            QCOMPARE(ends, ids);
        }
    }

    void headingDrag_data() {
        QTest::addColumn<double>("towardsDeg");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<double>("heading");
        QTest::newRow("north") << 90.0 << false << 90.0;
        QTest::newRow("south-east, past 0: 0 to 360") << -40.0 << false << 320.0;
        QTest::newRow("Shift snaps 218 to 225") << 218.0 << true << 225.0;
        QTest::newRow("Shift snaps 353 to 0") << 353.0 << true << 0.0;
    }

    // The handle 40 px along the selected camera's heading turns it towards the pointer.
    void headingDrag() {
        QFETCH(double, towardsDeg);
        QFETCH(bool, shift);
        QFETCH(double, heading);
        m_view->SetSelection({"cam"}, std::nullopt);
        QSignalSpy turned(m_view.get(), &PlanView::cameraTurned);
        const QPoint camera = Px(*m_view, {0, 0});
        const double towards = towardsDeg * M_PI / 180;
        Drag(*m_view, camera + QPoint(40, 0),
             camera + QPointF(100 * std::cos(towards), -100 * std::sin(towards)).toPoint(),
             shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(turned.count(), 1);
        QCOMPARE(turned.first()[0].value<std::string>(), std::string("cam"));
        QVERIFY(std::abs(turned.first()[1].toDouble() - heading) < (shift ? 1e-9 : 1.0));
    }

    void select_data() {
        QTest::addColumn<Point>("second");  // clicked after the camera, at the origin
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<bool>("camera");  // selected at the end
        QTest::addColumn<bool>("target");
        QTest::newRow("then Ctrl+click the target: both") << Point{-3, 3} << true << true << true;
        QTest::newRow("then click the target: the target alone")
            << Point{-3, 3} << false << false << true;
        QTest::newRow("then click nothing: nothing") << Point{-8, -8} << false << false << false;
        QTest::newRow("then Ctrl+click it again: taken out")
            << Point{0, 0} << true << false << false;
    }

    void select() {
        QFETCH(Point, second);
        QFETCH(bool, ctrl);
        QFETCH(bool, camera);
        QFETCH(bool, target);
        QSignalSpy changed(m_view.get(), &PlanView::selectionChanged);
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, Px(*m_view, {0, 0}));
        QTest::mouseClick(m_view.get(), Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::NoModifier,
                          Px(*m_view, second));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last()[0].value<std::set<std::string>>().count("cam"), camera ? 1u : 0u);
        QCOMPARE(changed.last()[1].value<std::optional<std::string>>().has_value(), target);
    }

    void selectAndDelete_data() {
        QTest::addColumn<Point>("click");
        QTest::addColumn<QByteArray>("signal");
        QTest::newRow("a target") << Point{-3, 3} << QByteArray(SIGNAL(targetRemoved(std::string)));
        QTest::newRow("a wall, clicked in its middle")
            << Point{5, 1} << QByteArray(SIGNAL(wallRemoved(std::size_t)));
    }

    void selectAndDelete() {
        QFETCH(Point, click);
        QFETCH(QByteArray, signal);
        QSignalSpy removed(m_view.get(), signal.constData());
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, Px(*m_view, click));
        QTest::keyClick(m_view.get(), Qt::Key_Delete);
        QCOMPARE(removed.count(), 1);
        const QVariant what = removed.first()[0];
        QVERIFY(signal.contains("target") ? what.value<std::string>() == "door"
                                          : what.value<std::size_t>() == 1);
    }

    void zoomKeepsThePoint_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("notches");
        QTest::newRow("wheel in at the top-left") << QPoint(30, 20) << 2;
        QTest::newRow("wheel out at the bottom-right") << QPoint(390, 290) << -3;
        QTest::newRow("far past the closest zoom") << QPoint(100, 200) << 80;
    }

    void zoomKeepsThePoint() {
        QFETCH(QPoint, at);
        QFETCH(int, notches);
        const Point before = Metres(*m_view, at);
        QWheelEvent wheel(at, m_view->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_view.get(), &wheel);
        const QPointF after = m_view->MetresToWidget().map(QPointF(before.x, before.y));
        QVERIFY(QLineF(after, at).length() < 1e-6);
        QVERIFY(m_view->MetresToWidget().m11() <= 2000);
    }

    void fitShowsEveryCamera() {
        auto scene = std::make_shared<PlanScene>();
        for (int i = 0; i < 5; ++i)
            scene->cameras.push_back(CameraAt("c", 300.0 * i, -70.0 * i * i, 72.0 * i));
        m_view->SetScene(scene);
        m_view->FitPlan();
        for (const SceneCamera& camera : scene->cameras)
            QVERIFY(m_view->rect().contains(Px(*m_view, camera.camera.position)));
        m_view->SetScene(nullptr);  // blank: 20 m about the origin
        m_view->FitPlan();
        QCOMPARE(Px(*m_view, {0, 0}), QPoint(200, 150));
        QCOMPARE(Px(*m_view, {0, 10}).y(), 24);
    }

    // Nothing to draw, nothing to map, nowhere to draw it: the view carries on.
    void hostile() {
        m_view->SetUnderlay(nullptr, 0, QPointF(NAN, 1));
        m_view->ZoomBy(NAN, {});
        m_view->ZoomBy(0, {10, 10});
        m_view->SetTool(PlanView::Tool::SetScale);
        QSignalSpy scale(m_view.get(), &PlanView::scalePointsChosen);
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, {1, 1});
        QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, {101, 1});
        QCOMPARE(scale.first()[1].toPointF().x() - scale.first()[0].toPointF().x(),
                 100 / m_view->MetresToWidget().m11() / 0.01);
        m_view->resize(0, 0);
        m_view->FitPlan();
        QVERIFY(!m_view->grab().isNull() || m_view->size().isEmpty());
        QVERIFY(std::isfinite(m_view->MetresToWidget().m11()));
    }
};

QTEST_MAIN(PlanViewTest)
#include "test_plan_view.moc"
