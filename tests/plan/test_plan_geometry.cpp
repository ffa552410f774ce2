// The site plan's geometry: what a camera sees past the walls, its bands, and the targets it
// covers, by worked examples and by properties over random plans.
#include <QtTest>

#include <cmath>
#include <random>

#include "bands.h"
#include "hit_test.h"
#include "targets.h"
#include "visibility.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using Walls = std::vector<Segment>;

// The test's own line-of-sight rule: the sight line crosses a wall clear of its ends and of the
// point, by a margin.
bool Hidden(Point eye, Point p, const Walls& walls, double margin) {
    for (const Segment& w : walls) {
        const Point r = p - eye, s = w.b - w.a;
        const double across = Cross(r, s);
        if (std::fabs(across) < 1e-12)
            continue;
        const double t = Cross(w.a - eye, s) / across, u = Cross(w.a - eye, r) / across;
        const double lr = std::hypot(r.x, r.y), ls = std::hypot(s.x, s.y);
        if (t * lr > margin && (1 - t) * lr > margin && u * ls > margin && (1 - u) * ls > margin)
            return true;
    }
    return false;
}

double Area(const std::vector<Polygon>& pieces) {
    double area = 0;
    for (const Polygon& piece : pieces)
        area += SignedArea(piece);
    return area;
}

}  // namespace

Q_DECLARE_METATYPE(Walls)

class PlanGeometryTest : public QObject {
    Q_OBJECT

  private slots:
    void walls_data();
    void walls();
    void randomPlans();
    void bandsAmongManyWalls();
    void targets_data();
    void targets();
    void placedFromCoverage_data();
    void placedFromCoverage();
    void pick_data();
    void pick();
};

void PlanGeometryTest::walls_data() {
    QTest::addColumn<Walls>("walls");
    QTest::addColumn<double>("headingDeg");
    QTest::addColumn<double>("fovDeg");
    QTest::addColumn<double>("nearM");
    QTest::addColumn<double>("areaM2");  // exact; the eye at the origin, far edge at 10 m
    QTest::addColumn<int>("pieces");
    const double quarter = 25 * kPi;
    QTest::newRow("no walls: the sector") << Walls{} << 30.0 << 90.0 << 0.0 << quarter << 1;
    QTest::newRow("no walls, 3 to 10 m: the annular sector")
        << Walls{} << 30.0 << 90.0 << 3.0 << 91 * kPi / 4 << 1;
    QTest::newRow("a wall of zero length stops nothing")
        << Walls{{{5, 0}, {5, 0}}} << 0.0 << 90.0 << 0.0 << quarter << 1;
    QTest::newRow("a wall seen edge-on stops nothing")
        << Walls{{{1, 0}, {5, 0}}} << 0.0 << 90.0 << 0.0 << quarter << 1;
    QTest::newRow("a wall through the eye: looking away from it, half the disc")
        << Walls{{{-5, 0}, {5, 0}}} << 90.0 << 180.0 << 0.0 << 50 * kPi << 1;
    QTest::newRow("a wall through the eye, all round: stops nothing")
        << Walls{{{-5, 0}, {5, 0}}} << 0.0 << 360.0 << 0.0 << 100 * kPi << 1;
    QTest::newRow("a wall across the view at 2 m: a triangle")
        << Walls{{{2, -10}, {2, 10}}} << 0.0 << 90.0 << 0.0 << 4.0 << 1;
    QTest::newRow("a wall beyond the range")
        << Walls{{{20, -10}, {20, 10}}} << 0.0 << 90.0 << 0.0 << quarter << 1;
    QTest::newRow("a wall across the range's edge cuts off a circle segment")
        << Walls{{{8, -10}, {8, 10}}} << 0.0 << 90.0 << 0.0 << quarter - (100 * std::acos(0.8) - 48)
        << 1;
    const Walls room{
        {{-2, -2}, {2, -2}}, {{2, -2}, {2, 2}}, {{2, 2}, {-2, 2}}, {{-2, 2}, {-2, -2}}};
    QTest::newRow("in a closed room, all round: the room")
        << room << 0.0 << 360.0 << 0.0 << 16.0 << 1;
    QTest::newRow("in a closed room, 90°: a quarter of it")
        << room << 0.0 << 90.0 << 0.0 << 4.0 << 1;
    // Past 2.5 m each wall lies beyond bearings of acos(0.8) either side of its middle.
    const double wallEnds = 2 * ((2 - 3.125 * kPi / 4) - (1.5 - 3.125 * std::acos(0.8)));
    QTest::newRow("in a closed room, 2.5 to 10 m: only the corners")
        << room << 0.0 << 360.0 << 2.5 << 4 * wallEnds << 4;
    QTest::newRow("a wall nearer than the near edge hides the band")
        << Walls{{{1, -10}, {1, 10}}} << 0.0 << 90.0 << 2.0 << 0.0 << 0;
    QTest::newRow("fov above 360° wraps: the disc")
        << Walls{} << 0.0 << 400.0 << 0.0 << 100 * kPi << 1;
    QTest::newRow("all round, 5 to 10 m: a ring in two halves")
        << Walls{} << 0.0 << 360.0 << 5.0 << 75 * kPi << 2;
    QTest::newRow("fov 0 sees nothing") << Walls{} << 0.0 << 0.0 << 0.0 << 0.0 << 0;
    QTest::newRow("fov below 0 sees nothing") << Walls{} << 0.0 << -30.0 << 0.0 << 0.0 << 0;
}

void PlanGeometryTest::walls() {
    QFETCH(Walls, walls);
    QFETCH(double, headingDeg);
    QFETCH(double, fovDeg);
    QFETCH(double, nearM);
    QFETCH(double, areaM2);
    QFETCH(int, pieces);
    const View view = VisibleView({0, 0}, headingDeg, fovDeg, nearM, 10, walls);
    QVERIFY2(std::fabs(Area(view) - areaM2) < 1e-9,
             qPrintable(QString::number(Area(view), 'g', 12)));
    const std::vector<Polygon> outline = Outline(view);
    QCOMPARE(static_cast<int>(outline.size()), pieces);
    // Chords inside the arcs are off by at most their sagitta times the arcs' length.
    QVERIFY(std::fabs(Area(outline) - areaM2) <= kArcToleranceM * 2 * kPi * (10 + nearM));
}

// Random walls and views around the eye: every point of a band is in sight, and every point in
// sight within the band's sector is in a piece of it; the exact area holds the outline's, and
// without walls it is the annular sector's.
void PlanGeometryTest::randomPlans() {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> coordinate(-12, 12), unit(0, 1);
    for (int round = 0; round < 300; ++round) {
        Walls walls;
        const int wallCount = round % 5 == 0 ? 0 : static_cast<int>(unit(random) * 7);
        for (int i = 0; i < wallCount; ++i)
            walls.push_back({{coordinate(random), coordinate(random)},
                             {coordinate(random), coordinate(random)}});
        const Point eye{coordinate(random) / 4, coordinate(random) / 4};
        const double heading = unit(random) * 720 - 360, fov = unit(random) * 420;
        const double nearM = unit(random) < 0.3 ? 0 : unit(random) * 4;
        const double farM = nearM + 0.5 + unit(random) * 10;
        const View view = VisibleView(eye, heading, fov, nearM, farM, walls);
        const std::vector<Polygon> pieces = Outline(view);
        const QByteArray where = "round " + QByteArray::number(round);
        if (walls.empty()) {
            const double sector =
                (farM * farM - nearM * nearM) / 2 * std::min(fov, 360.0) * kPi / 180;
            QVERIFY2(std::fabs(Area(view) - sector) < 1e-6, where);
        }
        QVERIFY2(std::fabs(Area(pieces) - Area(view)) <= kArcToleranceM * 2 * kPi * (farM + nearM),
                 where);
        for (const Polygon& piece : pieces) {
            QVERIFY2(SignedArea(piece) > 0 && IsSimple(piece), where);
            for (const Point p : piece)
                QVERIFY2(!Hidden(eye, p, walls, 1e-6) && Distance(eye, p) <= farM + 1e-9, where);
        }
        for (int i = 0; i < 200; ++i) {
            const double r = std::sqrt(unit(random)) * farM;
            const double bearing =
                (heading + (unit(random) - 0.5) * std::min(fov, 360.0)) * kPi / 180;
            const Point p = eye + r * Point{std::cos(bearing), std::sin(bearing)};
            bool inPiece = false;
            for (const Polygon& piece : pieces)
                inPiece = inPiece || Contains(piece, p);
            if (inPiece)
                QVERIFY2(!Hidden(eye, p, walls, 1e-6) && r >= nearM - kArcToleranceM, where);
            else if (fov > 0 && r > nearM + 0.01 && r < farM - 0.01 &&
                     !Hidden(eye, p, walls, -1e-6))
                QVERIFY2(false, where + " a point in sight is in no piece");
        }
    }
}

// A camera among many walls: each band is the view of its range among all the walls, though the
// walls out of its sight are set aside first; and most are.
void PlanGeometryTest::bandsAmongManyWalls() {
    std::mt19937 random(20261212);
    std::uniform_real_distribution<double> coordinate(-15, 15), unit(0, 1);
    std::size_t inSight = 0, all = 0;
    for (int round = 0; round < 40; ++round) {
        Walls walls;
        for (int i = 0; i < 120; ++i) {
            const Point a{coordinate(random), coordinate(random)};
            walls.push_back({a, a + (1.0 / 6) * Point{coordinate(random), coordinate(random)}});
        }
        PlacedCamera camera{{coordinate(random) / 2, coordinate(random) / 2},
                            unit(random) * 720 - 360,
                            unit(random) * 400,
                            {},
                            unit(random) * 2};
        for (auto& level : camera.levels)
            level = GroundRange{unit(random) * 3, 3 + unit(random) * 25};
        const QByteArray where = "round " + QByteArray::number(round);
        const std::vector<Band> bands = CameraBands(camera, walls);
        for (const Band& band : bands) {
            const View all = VisibleView(camera.position, camera.headingDeg, camera.fovDeg,
                                         band.view.nearM, band.view.farM, walls);
            QVERIFY2(all.spans.size() == band.view.spans.size(), where);
            for (std::size_t i = 0; i < all.spans.size(); ++i) {
                const ViewSpan &p = all.spans[i], &q = band.view.spans[i];
                QVERIFY2(std::fabs(p.fromRad - q.fromRad) < 1e-9 &&
                             std::fabs(p.toRad - q.toRad) < 1e-9 && !p.wall == !q.wall,
                         where);
                QVERIFY2(!p.wall || (Distance(p.wall->a, q.wall->a) < 1e-9 &&
                                     Distance(p.wall->b, q.wall->b) < 1e-9),
                         where);
            }
        }
        inSight +=
            WallsInSight(camera.position, camera.headingDeg, camera.fovDeg, 28, walls).size();
        all += walls.size();
    }
    QVERIFY2(inSight * 2 < all, qPrintable(QString("%1 of %2 in sight").arg(inSight).arg(all)));
}

void PlanGeometryTest::targets_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("required");
    QTest::addColumn<int>("best");  // -2: seen by none
    QTest::addColumn<int>("camera");
    QTest::addColumn<bool>("met");
    // Camera 0 at the origin looking along +x, 90°: Monitor to 20 m, Detect to 10 m, Observe
    // from 1 to 4 m; a wall from (6, 1) to (6, 3). Camera 1 at (30, 0) looking back, Monitor only.
    QTest::newRow("on Detect's far edge") << 10.0 << 0.0 << 1 << 1 << 0 << true;
    QTest::newRow("on Observe's near edge") << 1.0 << 0.0 << 2 << 2 << 0 << true;
    QTest::newRow("just nearer than Observe: Detect, not met")
        << 0.999 << 0.0 << 2 << 1 << 0 << false;
    QTest::newRow("on the wedge's edge") << 5.0 << 5.0 << 1 << 1 << 0 << true;
    QTest::newRow("just outside the wedge") << 5.0 << 5.001 << 0 << -2 << -1 << false;
    QTest::newRow("behind the wall: Monitor from the other camera")
        << 9.0 << 3.0 << 1 << 0 << 1 << false;
    QTest::newRow("on the wall") << 6.0 << 2.0 << 1 << 1 << 0 << true;
    QTest::newRow("the line of sight grazes the wall's end") << 9.0 << 1.5 << 1 << 1 << 0 << true;
    QTest::newRow("beyond both") << 50.0 << 0.0 << 0 << -2 << -1 << false;
}

void PlanGeometryTest::targets() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, required);
    QFETCH(int, best);
    QFETCH(int, camera);
    QFETCH(bool, met);
    PlacedCamera near{
        {0, 0}, 0, 90, {GroundRange{0, 20}, GroundRange{0, 10}, GroundRange{1, 4}}, {}};
    PlacedCamera far{{30, 0}, 180, 90, {GroundRange{0, 25}}, {}};
    const TargetCover cover = CoverOf({{x, y}, required}, {near, far}, {{{6, 1}, {6, 3}}});
    QCOMPARE(cover.bestLevel.value_or(-2), best);
    QCOMPARE(cover.camera ? static_cast<int>(*cover.camera) : -1, camera);
    QCOMPARE(cover.met, met);
}

void PlanGeometryTest::placedFromCoverage_data() {
    QTest::addColumn<bool>("mounted");
    QTest::addColumn<double>("distanceM");  // of a target straight ahead
    QTest::addColumn<int>("best");          // -2: seen at no level
    QTest::addColumn<QString>("bands");
    // The form's start: 4 mm on 1/3 inch; mounted 3 m up, a face at 1.6 m, blind to 1.85 m.
    const QString level = "0 1 2 3 4 5", mounted = "blind 0 1 2 3 4";
    QTest::newRow("level: Identify to its farthest depth, 6.4 m") << false << 6.4 << 4 << level;
    QTest::newRow("level, 6.5 m: Recognise") << false << 6.5 << 3 << level;
    QTest::newRow("level, 1.6 m: Inspect") << false << 1.6 << 5 << level;
    QTest::newRow("mounted, 1.8 m: in the blind zone") << true << 1.8 << -2 << mounted;
    QTest::newRow("mounted, 6.2 m: Identify") << true << 6.2 << 4 << mounted;
    QTest::newRow("mounted, 6.3 m: Recognise") << true << 6.3 << 3 << mounted;
}

void PlanGeometryTest::placedFromCoverage() {
    QFETCH(bool, mounted);
    QFETCH(double, distanceM);
    QFETCH(int, best);
    QFETCH(QString, bands);
    CoverageInputs inputs = DefaultCoverageInputs(LengthUnit::Metres);
    inputs.mounted = mounted;
    const std::optional<PlacedCamera> camera =
        PlaceCamera(ComputeCoverage(inputs, {u".", u","}).figures, {0, 0}, 0);
    QVERIFY(camera);
    QCOMPARE(CoverOf({{distanceM, 0}, 4}, {*camera}, {}).bestLevel.value_or(-2), best);
    QStringList levels;
    for (const Band& band : CameraBands(*camera, {}))
        levels << (band.level ? QString::number(*band.level) : "blind");
    QCOMPARE(levels.join(' '), bands);
}

void PlanGeometryTest::pick_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("picked");  // kind index end, or empty
    QTest::newRow("on the camera") << 0.0 << 0.0 << "camera 0";
    QTest::newRow("a camera and a target alike near: the camera") << 0.25 << 0.0 << "camera 0";
    QTest::newRow("nearer the target") << 0.45 << 0.0 << "target 0";
    QTest::newRow("nearer the wall's second end") << 4.6 << 2.0 << "wall 0 b";
    QTest::newRow("on the pick circle") << 5.5 << 2.0 << "wall 0 b";
    QTest::newRow("nothing within the radius") << 10.0 << 10.0 << "";
}

void PlanGeometryTest::pick() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, picked);
    const std::optional<Pick> pick = PickAt({x, y}, 0.5, {PlacedCamera{{0, 0}, 0, 90, {}, {}}},
                                            {{{0.5, 0}, 0}}, {{{3, 2}, {5, 2}}});
    QString text;
    if (pick) {
        const char* kinds[] = {"camera", "target", "wall"};
        text = QString("%1 %2").arg(kinds[static_cast<int>(pick->kind)]).arg(pick->index);
        if (pick->kind == PickKind::WallEnd)
            text += pick->wallEndB ? " b" : " a";
    }
    QCOMPARE(text, picked);
}

QTEST_GUILESS_MAIN(PlanGeometryTest)
#include "test_plan_geometry.moc"
