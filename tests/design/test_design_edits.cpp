// A design's edits as the undo commands make them, a camera's inputs between the design and the
// editor, and the camera schedule of worked examples.
#include <QtTest>

#include "camera_inputs.h"
#include "design_edits.h"
#include "design_file.h"
#include "schedule.h"

namespace {

const NumberFormat kComma{u",", u"."};

QString Q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

Design Opened(const QByteArray& json) {
    return ReadDesign(json.toStdString(), {}).design.value_or(Design{});
}

QByteArray Seed(const QString& name) {
    QFile file(QStringLiteral(DESIGN_SEEDS) + '/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class DesignEditsTest : public QObject {
    Q_OBJECT

  private slots:
    void edits_data();
    void edits();
    void planEdits_data();
    void planEdits();
    void editorInputs_data();
    void editorInputs();
    void fieldsThatDoNotCount();
    void schedule_data();
    void schedule();
};

void DesignEditsTest::edits_data() {
    QTest::addColumn<QString>("steps");    // on a new design in metres, separated by "; "
    QTest::addColumn<QString>("cameras");  // "id:name:focal length", then " | " the next id
    QTest::newRow("a new design") << ""
                                  << "c1:Camera 1:4 | c2";
    QTest::newRow("added after the first of three: second, with the next name and id")
        << "add c1; add c2; add c1"
        << "c1:Camera 1:4, c4:Camera 4:4, c2:Camera 2:4, "
           "c3:Camera 3:4 | c5";
    QTest::newRow("a copy has its own values") << "focal c1 8; add c1; focal c2 12"
                                               << "c1:Camera 1:8, c2:Camera 2:12 | c3";
    QTest::newRow("a removed camera's id is not given again")
        << "add c1; remove c2; add c1"
        << "c1:Camera 1:4, c3:Camera 2:4 | c4";
    QTest::newRow("the next name after the highest") << "name c1 Camera 7; add c1"
                                                     << "c1:Camera 7:4, c2:Camera 8:4 | c3";
    QTest::newRow("renamed: Camera 1 is free again") << "name c1 Gate; add c1"
                                                     << "c1:Gate:4, c2:Camera 1:4 | c3";
    QTest::newRow("two duplicated, each copy after its camera")
        << "add c1; focal c2 6; dup c2 c1 c9"
        << "c1:Camera 1:4, c3:Camera 3:4, c2:Camera 2:6, c4:Camera 4:6 | c5";
    QTest::newRow("all removed, then added: the start") << "focal c1 8; remove c1 c1; add c1"
                                                        << "c2:Camera 1:4 | c3";
    QTest::newRow("moved to the front") << "add c1; add c2; move c3 0"
                                        << "c3:Camera 3:4, c1:Camera 1:4, c2:Camera 2:4 | c4";
    QTest::newRow("moved past the end") << "add c1; add c2; move c1 9"
                                        << "c2:Camera 2:4, c3:Camera 3:4, c1:Camera 1:4 | c4";
    QTest::newRow("an unknown camera changes nothing")
        << "focal c7 8; name c7 Gate; move c7 0; remove c7"
        << "c1:Camera 1:4 | c2";
}

void DesignEditsTest::edits() {
    QFETCH(QString, steps);
    QFETCH(QString, cameras);
    Design design = NewDesign(LengthUnit::Metres);
    for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
        const QStringList words = step.split(' ');
        const std::string id = words[1].toStdString();
        if (words[0] == "add") {
            design = AddCamera(design, id);
        } else if (words[0] == "dup" || words[0] == "remove") {
            std::vector<std::string> ids;
            for (const QString& word : words.mid(1))
                ids.push_back(word.toStdString());
            design = words[0] == "dup" ? DuplicateCameras(design, ids) : RemoveCameras(design, ids);
        } else if (words[0] == "move") {
            design = MoveCamera(design, id, words[2].toULongLong());
        } else if (words[0] == "name") {
            design = WithCameraName(design, id, words.mid(2).join(' ').toStdU16String());
        } else if (const Camera* camera = FindCamera(design, id)) {
            CoverageInputs inputs = camera->inputs;
            inputs.focalLengthMm = words[2].toStdU16String();
            design = WithCamera(design, id, inputs);
        } else {
            design = WithCamera(design, id, {});
        }
    }
    QStringList shown;
    for (const Camera& camera : design.cameras) {
        shown << QString::fromStdString(camera.id) + ":" + Q(camera.name) + ":" +
                     Q(camera.inputs.focalLengthMm);
    }
    QCOMPARE(shown.join(", ") + " | " + QString::fromStdString(NextCameraId(design)), cameras);
}

void DesignEditsTest::planEdits_data() {
    QTest::addColumn<QString>("steps");  // on a new design in metres, separated by "; "
    // Each plan "id:name image scale origin walls targets", then each camera "id@plan x,y heading",
    // then " | " the next plan and target ids.
    QTest::addColumn<QString>("shown");
    const QString sha = "180717ef988a70f385bed384a465c48dc997c7922ae3ad589164a18d189fa540";
    QTest::newRow("a plan added: a blank sheet, not scaled") << "plan Ground"
                                                             << "p1:Ground - - 0,0 w[] t[]; "
                                                                "c1@- | p2 t1";
    QTest::newRow("a plan removed: its cameras on no plan, the others' kept")
        << "plan A; plan B; add; place c1 p1 1 2 90; place c2 p2 3 4 -45; drop p1"
        << "p2:B - - 0,0 w[] t[]; c1@-, c2@p2 3,4 -45 | p3 t1";
    QTest::newRow("ids of removed plans and targets not given again")
        << "plan A; target p1 Door 1 1 4; drop p1; plan B; target p2 Till 2 2 3; dropt t2; "
           "target p2 Gate 0 0 1"
        << "p2:B - - 0,0 w[] t[t3:Gate@0,0:Detect]; c1@- | p3 t4";
    QTest::newRow("walls added, an end moved, one removed")
        << "plan A; wall p1 0 0 10 0; wall p1 10 0 10 5; vertex p1 1 1 12 6; unwall p1 0"
        << "p1:A - - 0,0 w[10,0,12,6] t[]; c1@- | p2 t1";
    QTest::newRow("a target moved, renamed and given a level")
        << "plan A; target p1 Door 1 1 4; movet t1 -3 2.5; namet t1 Till; levelt t1 0"
        << "p1:A - - 0,0 w[] t[t1:Till@-3,2.5:Monitor]; c1@- | p2 t2";
    QTest::newRow("a drawing and a scale set; the plan renamed")
        << "plan A; rename p1 Yard; image p1 " + sha + "; scale p1 0.02 -5 8"
        << "p1:Yard " + sha.left(8) + " 0.02 -5,8 w[] t[]; c1@- | p2 t1";
    QTest::newRow("a drawing and a scale cleared")
        << "plan A; image p1 " + sha + "; scale p1 0.02 1 1; image p1 none; scale p1 none 0 0"
        << "p1:A - - 0,0 w[] t[]; c1@- | p2 t1";
    QTest::newRow("scaled after drawing: all stays on its pixel of the drawing")
        << "plan A; scale p1 none 2 4; wall p1 3 4 2 2; target p1 Till 12 4 4; place c1 p1 2 3 90; "
           "rescale p1 0.03"
        << "p1:A - 0.03 2,4 w[5,4,2,-2] t[t1:Till@32,4:Identify]; c1@p1 2,1 90 | p2 t2";
    QTest::newRow("scaled again, out of the file's limits: unchanged")
        << "plan A; scale p1 0.01 0 0; wall p1 0 0 100 0; rescale p1 0.02; rescale p1 1e4"
        << "p1:A - 0.02 0,0 w[0,0,200,0] t[]; c1@- | p2 t1";
    QTest::newRow("a heading kept as written; unplaced")
        << "plan A; add; place c1 p1 0 0 370; place c2 p1 1e6 -1e6 0; unplace c2"
        << "p1:A - - 0,0 w[] t[]; c1@p1 0,0 370, c2@- | p2 t1";
    QTest::newRow("values outside the file's limits change nothing")
        << "plan A; scale p1 0 0 0; scale p1 0.01 0 2e6; scale p1 2e4 0 0; image p1 ABC; "
           "image p1 " +
               sha.toUpper() +
               "; wall p1 0 0 0 1e7; wall p1 nan 0 0 0; "
               "target p1 X 0 0 6; target p1 X inf 0 4; place c1 p1 nan 0 0; place c1 p1 0 0 inf; "
               "wall p1 0 0 1 1; vertex p1 0 2 5 5; vertex p1 0 0 -2e6 0; vertex p1 1 0 0 0"
        << "p1:A - - 0,0 w[0,0,1,1] t[]; c1@- | p2 t1";
    QTest::newRow("a plan, target or camera not in the design changes nothing")
        << "plan A; target p1 Door 1 1 4; place c1 p9 0 0 0; place c7 p1 0 0 0; wall p9 0 0 1 "
           "1; target p9 X 0 0 4; movet t9 1 1; namet t9 X; levelt t9 1; dropt t9; drop p9; "
           "rename p9 X; unplace c7"
        << "p1:A - - 0,0 w[] t[t1:Door@1,1:Identify]; c1@- | p2 t2";
}

void DesignEditsTest::planEdits() {
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    Design design = NewDesign(LengthUnit::Metres);
    for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
        const QStringList w = step.split(' ');
        const std::string id = w.value(1).toStdString();
        const auto number = [&](int i) { return w[i].toDouble(); };
        const auto point = [&](int i) { return PlanPoint{number(i), number(i + 1)}; };
        const std::u16string text = w.value(2).toStdU16String();
        if (w[0] == "plan")
            design = AddPlan(design, w[1].toStdU16String());
        else if (w[0] == "add")
            design = AddCamera(design, design.cameras.back().id);
        else if (w[0] == "rename")
            design = RenamePlan(design, id, text);
        else if (w[0] == "drop")
            design = RemovePlan(design, id);
        else if (w[0] == "image")
            design = SetPlanImage(
                design, id,
                w[2] == "none" ? std::nullopt : std::optional<std::string>(w[2].toStdString()));
        else if (w[0] == "scale")
            design = SetPlanScale(design, id,
                                  w[2] == "none" ? std::nullopt : std::optional<double>(number(2)),
                                  point(3));
        else if (w[0] == "rescale")
            design = RescalePlan(design, id, number(2));
        else if (w[0] == "wall")
            design = AddWall(design, id, {number(2), number(3), number(4), number(5)});
        else if (w[0] == "vertex")
            design = MoveWallVertex(design, id, w[2].toULongLong(), w[3].toInt(), point(4));
        else if (w[0] == "unwall")
            design = RemoveWall(design, id, w[2].toULongLong());
        else if (w[0] == "target")
            design = AddTarget(design, id, text, point(3), w[5].toInt());
        else if (w[0] == "movet")
            design = MoveTarget(design, id, point(2));
        else if (w[0] == "namet")
            design = RenameTarget(design, id, text);
        else if (w[0] == "levelt")
            design = SetTargetLevel(design, id, w[2].toInt());
        else if (w[0] == "dropt")
            design = RemoveTarget(design, id);
        else if (w[0] == "place")
            design = PlaceCamera(design, id, w[2].toStdString(), point(3), number(5));
        else if (w[0] == "unplace")
            design = UnplaceCamera(design, id);
    }
    QStringList parts;
    for (const Plan& plan : design.plans) {
        QStringList walls;
        for (const Wall& wall : plan.walls)
            walls << QString("%1,%2,%3,%4").arg(wall.x1).arg(wall.y1).arg(wall.x2).arg(wall.y2);
        QStringList targets;
        for (const Target& t : plan.targets) {
            targets << QString("%1:%2@%3,%4:%5")
                           .arg(QString::fromStdString(t.id), Q(t.name))
                           .arg(t.x)
                           .arg(t.y)
                           .arg(Q(LevelName(t.level)));
        }
        parts << QString("%1:%2 %3 %4 %5,%6 w[%7] t[%8]")
                     .arg(QString::fromStdString(plan.id), Q(plan.name),
                          plan.image ? QString::fromStdString(plan.image->substr(0, 8)) : "-",
                          plan.metresPerPixel ? QString::number(*plan.metresPerPixel) : "-")
                     .arg(plan.origin.x)
                     .arg(plan.origin.y)
                     .arg(walls.join(' '), targets.join(' '));
    }
    QStringList cameras;
    for (const Camera& camera : design.cameras) {
        const std::optional<CameraPlacement>& at = camera.placement;
        cameras << QString::fromStdString(camera.id) + "@" +
                       (at ? QString("%1 %2,%3 %4")
                                 .arg(QString::fromStdString(at->plan))
                                 .arg(at->x)
                                 .arg(at->y)
                                 .arg(at->headingDeg)
                           : "-");
    }
    parts << cameras.join(", ");
    QCOMPARE(parts.join("; ") + " | " + QString::fromStdString(NextPlanId(design)) + " " +
                 QString::fromStdString(NextTargetId(design)),
             shown);
}

void DesignEditsTest::editorInputs_data() {
    QTest::addColumn<bool>("feet");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("field");  // of a mounted camera, tilted
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");   // canonical, or "none"
    QTest::addColumn<QString>("shown");  // in the editor again
    QTest::newRow("20 ft") << true << false << "distance"
                           << "20"
                           << "6.096"
                           << "20";
    QTest::newRow("19.685 ft") << true << false << "distance"
                               << "19.685"
                               << "5.999988"
                               << "19.685";
    QTest::newRow("6 m") << false << false << "distance"
                         << "6"
                         << "6"
                         << "6";
    QTest::newRow("6,5 m, decimal comma") << false << true << "distance"
                                          << "6,5"
                                          << "6.5"
                                          << "6,5";
    QTest::newRow("a face at 5.25 ft") << true << false << "target"
                                       << "5.25"
                                       << "1.6002"
                                       << "5.25";
    QTest::newRow("required width 30 ft") << true << false << "width"
                                          << "30"
                                          << "9.144"
                                          << "30";
    QTest::newRow("focal length 1.000,50, grouped, decimal comma") << false << true << "focal"
                                                                   << "1.000,50"
                                                                   << "1000.5"
                                                                   << "1000,5";
    QTest::newRow("tilt 12.5° in feet: not a length") << true << false << "tilt"
                                                      << "12.5"
                                                      << "12.5"
                                                      << "12.5";
    QTest::newRow("focal length 0") << false << false << "focal"
                                    << "0"
                                    << "none"
                                    << "";
    QTest::newRow("distance with its unit") << true << false << "distance"
                                            << "20 ft"
                                            << "none"
                                            << "";
    QTest::newRow("required width 1 cm less a hair") << false << false << "width"
                                                     << "0.00999"
                                                     << "none"
                                                     << "";
    QTest::newRow("distance 0 along the ground") << false << false << "distance"
                                                 << "0"
                                                 << "0"
                                                 << "0";
}

void DesignEditsTest::editorInputs() {
    QFETCH(bool, feet);
    QFETCH(bool, comma);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, shown);
    const QMap<QString, std::u16string CoverageInputs::*> fields{
        {"distance", &CoverageInputs::distance},
        {"target", &CoverageInputs::targetHeight},
        {"width", &CoverageInputs::requiredWidth},
        {"focal", &CoverageInputs::focalLengthMm},
        {"tilt", &CoverageInputs::tiltDeg}};
    const LengthUnit unit = feet ? LengthUnit::Feet : LengthUnit::Metres;
    CoverageInputs edited = DefaultCoverageInputs(unit);
    edited.mounted = true;
    edited.tiltAimed = false;
    edited.*fields[field] = typed.toStdU16String();
    const NumberFormat format = comma ? kComma : NumberFormat{};
    const std::optional<CoverageInputs> canonical = CanonicalInputs(edited, format);
    QCOMPARE(canonical ? Q(*canonical.*fields[field]) : "none", kept);
    if (canonical) {
        QCOMPARE(canonical->unit, LengthUnit::Metres);
        const Camera camera{"c1", u"Camera 1", *canonical, {}, {}, {}};
        QCOMPARE(Q(InputsForEditor(camera, unit, format).*fields[field]), shown);
    }
}

// The fields a choice leaves out take the start's values; a new design in feet shows the
// form's start in feet.
void DesignEditsTest::fieldsThatDoNotCount() {
    CoverageInputs edited = DefaultCoverageInputs(LengthUnit::Metres);
    edited.customWidthMm = u"wide";
    edited.pixelSizeUm = u"-1";
    edited.tiltDeg = u"steep";
    edited.cameraHeight = u"high";
    edited.targetHeight = u"1.8";
    const CoverageInputs kept = CanonicalInputs(edited, {}).value();
    QCOMPARE(Q(kept.customWidthMm + u" " + kept.pixelSizeUm + u" " + kept.tiltDeg + u" " +
               kept.cameraHeight + u" " + kept.targetHeight),
             "4.8 2.9 30 3 1.6");
    edited.mounted = true;
    QVERIFY(!CanonicalInputs(edited, {}));

    const Design design = NewDesign(LengthUnit::Feet);
    const CoverageInputs shown = InputsForEditor(design.cameras[0], LengthUnit::Feet, {});
    QCOMPARE(Q(shown.distance + u" " + shown.cameraHeight + u" " + shown.targetHeight),
             "20 10 5.25");
    QCOMPARE(Q(design.cameras[0].inputs.distance), "6.096");
}

void DesignEditsTest::schedule_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("feet");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("rows");  // each row's texts, separated by "|"
    QTest::addColumn<QString>("summary");
    const QByteArray harbour = Seed("harbour-gate-three-cameras");
    QTest::newRow("the documented example, metres")
        << harbour << false << false
        << QStringList{"Gate|1/2.8\"|1920 × 1080|6 mm|HG0614D|8.00 m|3.00 m|253.2 px/m|Identify|"
                       "Identify|met",
                       "Car park|Custom|1920 × 1080|2.8 mm||10.00 m||96.6 px/m|Observe|Observe|met",
                       "Quay|Custom|2592 × 1944|12 mm||25.00 m|6.00 m|212.7 px/m|Recognise|"
                       "Recognise|met"}
        << "3 of 3 cameras meet their level";
    QTest::newRow("the same in feet, decimal comma")
        << harbour << true << true
        << QStringList{"Gate|1/2.8\"|1920 × 1080|6 mm|HG0614D|26,25 ft|9,84 ft|77,2 px/ft|"
                       "Identify|Identify|met",
                       "Car park|Custom|1920 × 1080|2,8 mm||32,81 ft||29,4 px/ft|Observe|Observe|"
                       "met"}
        << "3 of 3 cameras meet their level";
    // Out of view: as the Coverage form's 15 ft pole tilted 80°, in metres; the density at the
    // target's depth, 6.096·cos 80° + 2.8956·sin 80° = 3.910 m, is 1920/(3.910·4.8/4) px/m.
    // A camera 1 m up, below the 1.6 m face it looks up at, still sees it.
    QTest::newRow("not met: a level too high, the target out of view; a camera below it is met")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{"name": "Quay",
            "requiredLevel": "Inspect"}, {"name": "Mast", "mounted": true, "cameraHeightM":
            4.572, "targetHeightM": 1.6764, "tiltDeg": 80}, {"name": "Low", "mounted": true,
            "cameraHeightM": 1}]})")
        << false << false
        << QStringList{"Quay|1/3\"|1920 × 1440|4 mm||6.10 m||262.5 px/m|Identify|Inspect|not met",
                       "Mast|1/3\"|1920 × 1440|4 mm||6.10 m|4.57 m|409.2 px/m|Not in view|"
                       "Identify|not met",
                       "Low|1/3\"|1920 × 1440|4 mm||6.10 m|1.00 m|261.2 px/m|Identify|Identify|"
                       "met"}
        << "1 of 3 cameras meet their level";
    QTest::newRow("one camera")
        << QByteArray(R"({"format": "vistamarq-design", "cameras":
        [{}]})")
        << false << false
        << QStringList{"Camera 1|1/3\"|1920 × 1440|4 mm||6.10 m||262.5 px/m|Identify|Identify|met"}
        << "1 of 1 camera meets its level";
}

void DesignEditsTest::schedule() {
    QFETCH(QByteArray, json);
    QFETCH(bool, feet);
    QFETCH(bool, comma);
    QFETCH(QStringList, rows);
    QFETCH(QString, summary);
    const Design design = WithUnit(Opened(json), feet ? LengthUnit::Feet : LengthUnit::Metres);
    const std::vector<ScheduleRow> schedule = ScheduleOf(design, comma ? kComma : NumberFormat{});
    for (int i = 0; i < rows.size(); ++i) {
        QStringList texts;
        for (const ScheduleCell& cell : schedule.at(std::size_t(i)).cells)
            texts << Q(cell.text);
        QCOMPARE(texts.join('|'), rows[i]);
    }
    QCOMPARE(Q(ScheduleSummary(schedule)), summary);
}

QTEST_GUILESS_MAIN(DesignEditsTest)
#include "test_design_edits.moc"
