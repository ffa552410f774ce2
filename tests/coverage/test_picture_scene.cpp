// What the Coverage pictures draw, against scenes worked out by hand: the distances over which
// each DORI level is the highest reached, how far the pictures reach, the blind zone, and whether
// the target is in view, for cameras flat and on poles.
#include <QtTest>

#include "coverage_examples.h"
#include "picture_scene.h"

Q_DECLARE_METATYPE(CoverageInputs)

class PictureSceneTest : public QObject {
    Q_OBJECT

  private slots:
    void workedScenes_data();
    void workedScenes();
};

void PictureSceneTest::workedScenes_data() {
    QTest::addColumn<CoverageInputs>("inputs");
    // "bands | extent | blind zone, near edge on the ground | scene width at the target | view",
    // in metres to hundredths.
    QTest::addColumn<QString>("scene");
    // Farthest depths 1920·4/(P·4.8): 1.6 m for Inspect, doubling and more to 128 m for Monitor.
    // At 6.096 m the target is in Identify's band, Recognise's comes next: out to 12.8 m, cut to
    // twice the target's distance.
    QTest::newRow("1/3 inch, 4 mm, 6.096 m, flat")
        << Camera("1/3", Aspect::FourByThree, u"4", u"6.096")
        << "Inspect 0.00–1.60, Identify 1.60–6.40, Recognise 6.40–12.80, Observe 12.80–25.60, "
           "Detect 25.60–64.00, Monitor 64.00–128.00 | 12.19 | 0.00, 3.56 | 7.32 | in view";
    // The ground ranges of the model's worked example (Identify 2.46–5.71 m), each level from
    // where the next higher one ends.
    QTest::newRow("15 ft pole aimed at a face at 5.5 ft, 20 ft away")
        << Mounted(Camera("1/3", Aspect::FourByThree, u"4", u"20", LengthUnit::Feet), u"15", u"5.5")
        << "Identify 2.46–5.71, Recognise 5.71–12.80, Observe 12.80–26.97, Detect 26.97–69.48, "
           "Monitor 69.48–140.33 | 12.19 | 2.46, 3.89 | 8.10 | in view";
    // Looking straight down 1.4 m: the view holds 1.4·tan φ = 0.63 m at the face's height, all
    // of it Inspect; the camera's 3 m stands in for the distance: 1.3 × 3 m.
    QTest::newRow("straight below a 3 m camera")
        << Mounted(Camera("1/3", Aspect::FourByThree, u"4", u"0"), u"3", u"1.6")
        << "Inspect 0.00–0.63 | 3.90 | 0.00, 0.00 | 1.68 | in view";
    // Tilted 5°, the view meets the face's height from 4.4/tan 29.2° = 7.86 m and the ground from
    // 10.72 m: the pictures reach 1.15 times that, past the target 3 m away.
    QTest::newRow("6 m pole tilted 5°, a face 3 m away: out of view")
        << Mounted(Camera("1/3", Aspect::FourByThree, u"4", u"3"), u"6", u"1.6", u"5")
        << "Recognise 7.86–12.46, Observe 12.46–25.31, Detect 25.31–63.86, Monitor 63.86–128.10 "
           "| 12.33 | 7.86, 10.72 | 4.05 | out of view";
    // The face 0.6 m above the lens, the view's upper edge 35.8° below the horizontal: the face's
    // height is never in view, and its blind zone runs 1000 × 6.5 m.
    QTest::newRow("1 m camera tilted 60° down, a face above it 5 m away: never in view")
        << Mounted(Camera("1/3", Aspect::FourByThree, u"4", u"5"), u"1", u"1.6", u"60")
        << " | 6.50 | 6500.00, 0.10 | 2.38 | out of view";
}

void PictureSceneTest::workedScenes() {
    QFETCH(CoverageInputs, inputs);
    QFETCH(QString, scene);
    const std::optional<PictureScene> made = SceneOf(ComputeCoverage(inputs, {}).figures);
    QVERIFY(made);
    const auto metres = [](double value) { return QString::number(value, 'f', 2); };
    QStringList bands;
    for (const LevelBand& band : made->bands) {
        bands << QString::fromStdU16String(std::u16string(kDoriLevels[band.level].name)) + " " +
                     metres(band.fromM) + "–" + metres(band.toM);
    }
    const QStringList shown{bands.join(", "), metres(made->extentM),
                            metres(made->blindZoneM) + ", " + metres(made->nearEdgeGroundM),
                            metres(2 * HalfWidthAt(*made, made->targetM)),
                            made->targetInView ? "in view" : "out of view"};
    QCOMPARE(shown.join(" | "), scene);
}

QTEST_GUILESS_MAIN(PictureSceneTest)
#include "test_picture_scene.moc"
