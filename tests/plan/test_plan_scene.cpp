// A plan's scene worked out from the design, and kept up to date camera by camera and wall by
// wall; the wall index it stands on.
#include <QtTest>

#include <random>

#include "design_edits.h"
#include "plan_scene.h"

namespace {

// Cameras c1 at (0, 0) looking east and c2 at (20, 0) looking west, at the form's start (level
// with the target: Identify to 6.4 m, Recognise to 12.8 m); c3 at (0, 5) without a focal length;
// a wall across x = 5 from y = −1 to 1. Targets t1 at (3, 0) and t2 at (10, 0.5), both Identify.
Design WorkedDesign() {
    Design design = AddPlan(AddCamera(AddCamera(NewDesign(LengthUnit::Metres), "c1"), "c2"), u"");
    design.cameras[2].inputs.focalLengthMm.clear();
    design = PlaceCamera(design, "c1", "p1", {0, 0}, 0);
    design = PlaceCamera(design, "c2", "p1", {20, 0}, 180);
    design = PlaceCamera(design, "c3", "p1", {0, 5}, 90);
    design = AddWall(design, "p1", {5, -1, 5, 1});
    design = AddTarget(design, "p1", u"Door", {3, 0}, 4);
    return AddTarget(design, "p1", u"Till", {10, 0.5}, 4);
}

// What the windows draw of a scene, as text, so that two scenes compare in one line.
QString Drawn(const PlanScene& scene) {
    QString text;
    for (const SceneCamera& camera : scene.cameras) {
        text += QString("%1 %2 %3:")
                    .arg(camera.id.c_str())
                    .arg(camera.camera.position.x, 0, 'g', 17)
                    .arg(camera.camera.headingDeg, 0, 'g', 17);
        for (const Band& band : camera.bands) {
            text += QString(" %1/%2").arg(band.level.value_or(-1)).arg(band.pieces.size());
            for (const ViewSpan& span : band.view.spans)
                text += QString(" %1-%2%3")
                            .arg(span.fromRad, 0, 'g', 17)
                            .arg(span.toRad, 0, 'g', 17)
                            .arg(span.wall ? "w" : "");
        }
        text += '\n';
    }
    for (const SceneTarget& target : scene.targets)
        text += QString("%1 %2 %3 %4\n")
                    .arg(target.id.c_str())
                    .arg(target.cover.bestLevel.value_or(-1))
                    .arg(target.cover.camera ? int(*target.cover.camera) : -1)
                    .arg(target.cover.met);
    return text;
}

}  // namespace

class PlanSceneTest : public QObject {
    Q_OBJECT

  private slots:
    void workedExample_data();
    void workedExample();
    void countTargetsMet();
    void updatesAsRebuilt();
    void wallIndex();
};

void PlanSceneTest::workedExample_data() {
    QTest::addColumn<QString>("planId");
    QTest::addColumn<QString>("scene");  // cameras with their bands; targets: level camera met
    QTest::newRow("the door by c1 at Identify; the till hidden from c1, Recognise by c2")
        << "p1"
        << "c1 6, c2 6, c3 0; t1 4 0 1, t2 3 1 0";
    QTest::newRow("a plan the design does not have: an empty scene") << "p7"
                                                                     << "; ";
}

void PlanSceneTest::workedExample() {
    QFETCH(QString, planId);
    QFETCH(QString, scene);
    const PlanScene built = BuildPlanScene(WorkedDesign(), planId.toStdString());
    QStringList cameras, targets;
    for (const SceneCamera& camera : built.cameras)
        cameras << QString("%1 %2").arg(camera.id.c_str()).arg(camera.bands.size());
    for (const SceneTarget& target : built.targets)
        targets << QString("%1 %2 %3 %4")
                       .arg(target.id.c_str())
                       .arg(target.cover.bestLevel.value_or(-1))
                       .arg(target.cover.camera ? int(*target.cover.camera) : -1)
                       .arg(target.cover.met);
    QCOMPARE(cameras.join(", ") + "; " + targets.join(", "), scene);
    QCOMPARE(QString::fromStdString(built.planId), planId == "p1" ? planId : QString());
}

void PlanSceneTest::countTargetsMet() {
    // A second plan with one target that no camera sees.
    const TargetsMet count =
        CountTargetsMet(AddTarget(AddPlan(WorkedDesign(), u"Yard"), "p2", u"", {0, 0}, 0));
    QCOMPARE(QString("%1 of %2").arg(count.met).arg(count.total), "1 of 3");
}

// Random plans (fixed seed): after a camera is moved or a wall added, moved or removed, the scene
// kept up to date is the scene built anew, and a camera dragged is the camera placed there.
void PlanSceneTest::updatesAsRebuilt() {
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> place(-30, 30), unit(0, 1);
    const auto point = [&] { return PlanPoint{place(random), place(random)}; };
    for (int round = 0; round < 12; ++round) {
        Design design = AddPlan(NewDesign(LengthUnit::Metres), u"");
        for (int i = 0; i < 6; ++i)
            design = AddCamera(design, "c1");
        for (std::size_t i = 0; i < design.cameras.size(); ++i) {
            design.cameras[i].inputs.mounted = i % 2 == 1;
            design.cameras[i].inputs.focalLengthMm = i == 3 ? u"" : i == 5 ? u"1.2" : u"4";
            design = PlaceCamera(design, design.cameras[i].id, "p1", point(), unit(random) * 360);
        }
        for (int i = 0; i < 80; ++i) {
            const PlanPoint a = point();
            const double l = 0.5 + 4 * unit(random), t = 6.283185 * unit(random);
            design =
                AddWall(design, "p1", {a.x, a.y, a.x + l * std::cos(t), a.y + l * std::sin(t)});
        }
        for (int i = 0; i < 10; ++i)
            design = AddTarget(design, "p1", u"", point(), static_cast<int>(unit(random) * 6));
        PlanScene scene = BuildPlanScene(design, "p1");
        const QByteArray where = "round " + QByteArray::number(round);

        const std::string moved = design.cameras[round % 7].id;
        design = PlaceCamera(design, moved, "p1", point(), unit(random) * 360);
        scene = UpdateCamera(scene, design, moved);
        QVERIFY2(Drawn(scene) == Drawn(BuildPlanScene(design, "p1")), where + " camera moved");

        const SceneCamera& camera = scene.cameras[static_cast<std::size_t>(round % 7)];
        const CameraPlacement to{"p1", place(random), place(random), unit(random) * 360};
        PlanScene dragged = scene;
        dragged.cameras[static_cast<std::size_t>(round % 7)] =
            MovedCamera(scene, camera, {to.x, to.y}, to.headingDeg);
        const Design dropped = PlaceCamera(design, moved, "p1", {to.x, to.y}, to.headingDeg);
        QVERIFY2(Drawn(dragged).section('\n', 0, 6) ==
                     Drawn(BuildPlanScene(dropped, "p1")).section('\n', 0, 6),
                 where + " camera dragged");

        const std::size_t wall = static_cast<std::size_t>(round * 5);
        design = round % 3 == 0   ? AddWall(design, "p1", {-2, -2, 2, 2})
                 : round % 3 == 1 ? MoveWallVertex(design, "p1", wall, 1, point())
                                  : RemoveWall(design, "p1", wall);
        scene = UpdateWalls(scene, design);
        QVERIFY2(Drawn(scene) == Drawn(BuildPlanScene(design, "p1")), where + " walls changed");

        const std::string target = "t" + std::to_string(1 + round % 10);
        design = round % 2 ? MoveTarget(design, target, point()) : RemoveTarget(design, target);
        design = AddTarget(design, "p1", u"", point(), round % 6);
        scene = UpdateTargets(scene, design);
        QVERIFY2(Drawn(scene) == Drawn(BuildPlanScene(design, "p1")), where + " targets changed");
    }
}

// Walls at every scale, some across most of the plan, and discs anywhere: the index gives exactly
// the walls that meet the disc.
void PlanSceneTest::wallIndex() {
    std::mt19937 random(20261211);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (const double scale : {0.0, 1e-3, 1.0, 1e6}) {
        std::vector<Segment> walls;
        for (int i = 0; i < 1500; ++i) {
            const Point a{unit(random) * scale, unit(random) * scale};
            const Point along = (i % 7 == 0 ? 0 : 0.03 * scale) * Point{unit(random), unit(random)};
            walls.push_back({a, i % 50 == 0 ? -1 * a : a + along});  // 1 in 50 across the plan
        }
        const WallIndex index(walls);
        for (int i = 0; i < 200; ++i) {
            const Point centre{unit(random) * scale * 1.2, unit(random) * scale * 1.2};
            const double radius = scale * (i % 10 == 0 ? 2 : 0.1) * (unit(random) + 1);
            std::vector<std::size_t> meeting;
            for (std::size_t w = 0; w < walls.size(); ++w) {
                if (DistanceToSegment(centre, walls[w]) <= radius + kPlanToleranceM)
                    meeting.push_back(w);
            }
            QCOMPARE(index.Within(centre, radius), meeting);
        }
    }
    QVERIFY(WallIndex().Within({0, 0}, 1e9).empty());
}

QTEST_GUILESS_MAIN(PlanSceneTest)
#include "test_plan_scene.moc"
