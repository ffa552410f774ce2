// The Coverage model against worked examples computed independently: the texts the user sees in
// each result field, bad input, and the unit switch.
#include <QtTest>

#include "coverage.h"
#include "coverage_examples.h"
#include "lens_list.h"

Q_DECLARE_METATYPE(CoverageInputs)

namespace {

constexpr LengthUnit kM = LengthUnit::Metres;
constexpr LengthUnit kFt = LengthUnit::Feet;

// A decimal comma (and the point grouping), or the decimal point.
NumberFormat Format(bool comma) {
    return comma ? NumberFormat{u",", u"."} : NumberFormat{};
}

const CoverageInputs kThird = Camera("1/3", Aspect::FourByThree, u"4", u"6.096");
const CoverageInputs kThirdFt = Camera("1/3", Aspect::FourByThree, u"4", u"20", kFt);

// Every text shown, by field: the object names, "Identify.farthest" (.focal, .pixels, .range) for
// the table, and "message".
QMap<QString, QString> Shown(const Coverage& c) {
    QMap<QString, QString> shown{{"message", QString::fromStdU16String(c.message)}};
    for (const ResultItem& result : ResultList(c.texts))
        shown[QString::fromUtf8(result.id.data(), int(result.id.size()))] =
            QString::fromStdU16String(std::u16string(result.text));
    for (const DoriRowTexts& row : c.texts.doriTable) {
        const QString level = QString::fromStdU16String(row.level);
        shown[level + ".farthest"] = QString::fromStdU16String(row.farthest);
        shown[level + ".focal"] = QString::fromStdU16String(row.focalLengthNeeded);
        shown[level + ".pixels"] = QString::fromStdU16String(row.pixelsNeeded);
        shown[level + ".range"] = QString::fromStdU16String(row.groundRange);
    }
    return shown;
}

void CompareShown(const Coverage& coverage, const QStringList& expected) {
    const QMap<QString, QString> shown = Shown(coverage);
    for (const QString& pair : expected) {
        const QString field = pair.section('=', 0, 0);
        QVERIFY2(shown.contains(field), qPrintable(field));
        QCOMPARE(field + "=" + shown[field], pair);
    }
    for (const QString& text : shown)
        QVERIFY2(!text.contains("inf") && !text.contains("nan") && !text.contains('-'),
                 qPrintable(text));
}

}  // namespace

class CoverageTest : public QObject {
    Q_OBJECT

  private slots:
    void workedExamples_data();
    void workedExamples();
    void badInput_data();
    void badInput();
    void convertLength_data();
    void convertLength();
    void formatLabel_data();
    void formatLabel();
    void lensList_data();
    void lensList();
};

void CoverageTest::workedExamples_data() {
    QTest::addColumn<CoverageInputs>("inputs");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("shown");  // "field=text"; the message is empty unless listed
    const QStringList third{"angleH=61.9°",           "angleV=48.5°",
                            "angleD=73.7°",           "level=Identify",
                            "Identify.focal=3.81 mm", "Inspect.focal=15.24 mm",
                            "Identify.pixels=1829",   "Inspect.pixels=7316",
                            "slantDistance=",         "Identify.range="};
    QTest::newRow("1/3 inch, 4 mm, 6.096 m: Identify")
        << kThird << false
        << third +
               QStringList{
                   "sceneWidth=7.32 m (24.00 ft)",          "sceneHeight=5.49 m (18.00 ft)",
                   "density=262.5 px/m (80.0 px/ft)",       "Monitor.farthest=128.00 m (419.95 ft)",
                   "Detect.farthest=64.00 m (209.97 ft)",   "Observe.farthest=25.60 m (83.99 ft)",
                   "Recognise.farthest=12.80 m (41.99 ft)", "Identify.farthest=6.40 m (21.00 ft)",
                   "Inspect.farthest=1.60 m (5.25 ft)"};
    QTest::newRow("the same at 20 ft, in feet: feet first")
        << kThirdFt << false
        << third + QStringList{"sceneWidth=24.00 ft (7.32 m)", "density=80.0 px/ft (262.5 px/m)",
                               "Identify.farthest=21.00 ft (6.40 m)"};
    QTest::newRow("the same, decimal comma")
        << Camera("1/3", Aspect::FourByThree, u"4", u"6,096") << true
        << QStringList{"angleH=61,9°", "sceneWidth=7,32 m (24,00 ft)",
                       "density=262,5 px/m (80,0 px/ft)", "Identify.focal=3,81 mm"};
    QTest::newRow("at exactly 6.4 m: 250 px/m is Identify")
        << Camera("1/3", Aspect::FourByThree, u"4", u"6.4") << false
        << QStringList{"density=250.0 px/m (76.2 px/ft)", "level=Identify", "Identify.pixels=1920",
                       "Identify.focal=4.00 mm"};
    // 4.48·4.8/2.8 is 7.680000000000001 in doubles: 1920 over it lies a hair below 250.
    QTest::newRow("2.8 mm at 4.48 m: 250 px/m less a rounding error is still Identify")
        << Camera("1/3", Aspect::FourByThree, u"2.8", u"4.48") << false
        << QStringList{"density=250.0 px/m (76.2 px/ft)", "level=Identify", "Identify.pixels=1920"};
    QTest::newRow("1/2.8 inch 16:9, 6 mm, 15 m: Recognise")
        << Camera("1/2.8", Aspect::SixteenByNine, u"6", u"15") << false
        << QStringList{"angleH=50.1°",
                       "angleV=29.4°",
                       "angleD=56.4°",
                       "sceneWidth=14.01 m (45.96 ft)",
                       "sceneHeight=7.88 m (25.85 ft)",
                       "density=137.1 px/m (41.8 px/ft)",
                       "level=Recognise",
                       "Identify.focal=10.94 mm",
                       "Identify.pixels=3502",
                       "Identify.farthest=8.22 m (26.98 ft)"};
    QTest::newRow("custom 1920 x 1080 at 2.9 µm, 2.8 mm, 10 m: Observe")
        << Camera("custom", Aspect::SixteenByNine, u"2.8", u"10") << false
        << QStringList{"angleH=89.7°", "angleV=58.4°", "angleD=97.5°",
                       "density=96.6 px/m (29.4 px/ft)", "level=Observe"};
    // The Identify range on the ground, worked out by hand in feet: Δh = 9.5, S = √(20² + 9.5²)
    // = 22.1416, cosθ = 20/S, sinθ = 9.5/S, φ = atan(3.6/8), so tan(θ + φ) = (0.475 + 0.45) /
    // (1 − 0.475·0.45) = 1.17647. Identify's depth limit is 1920·4/(250·4.8) = 6.4 m = 20.9974 ft;
    // it is reached out to (20.9974 − 9.5·sinθ)/cosθ = (20.9974·S − 9.5²)/20 = 18.733 ft, from the
    // near edge at head height, 9.5/1.17647 = 8.075 ft. Inspect (1.6 m = 5.2493 ft) would end at
    // (5.2493·S − 90.25)/20 = 1.30 ft, nearer than that edge: nowhere.
    QTest::newRow("mounted 15 ft above ground, face at 5.5 ft, 20 ft away, aimed: Recognise")
        << Mounted(kThirdFt, u"15", u"5.5") << false
        << QStringList{
               "slantDistance=22.14 ft (6.75 m)",    "tiltAngle=25.4°",
               "density=72.3 px/ft (237.1 px/m)",    "level=Recognise",
               "nearEdgeGround=12.75 ft (3.89 m)",   "blindZone=8.08 ft (2.46 m)",
               "farEdgeGround=728.25 ft (221.97 m)", "Identify.range=8.08–18.73 ft (2.46–5.71 m)",
               "Inspect.range=Not reached"};
    QTest::newRow("the same tilted 30°")
        << Mounted(kThirdFt, u"15", u"5.5", u"30") << false
        << QStringList{"tiltAngle=30.0°", "density=72.5 px/ft (237.8 px/m)",
                       "nearEdgeGround=10.81 ft (3.29 m)", "farEdgeGround=148.39 ft (45.23 m)"};
    QTest::newRow("1/2.8 inch 16:9 at 3 m, face at 1.6 m, 8 m away: Identify, to the horizon")
        << Mounted(Camera("1/2.8", Aspect::SixteenByNine, u"6", u"8"), u"3", u"1.6") << false
        << QStringList{"slantDistance=8.12 m (26.65 ft)", "tiltAngle=9.9°",
                       "density=253.2 px/m (77.2 px/ft)", "level=Identify",
                       "blindZone=3.05 m (10.01 ft)",     "farEdgeGround=to the horizon"};
    CoverageInputs sight =
        Mounted(Camera("1/3", Aspect::FourByThree, u"4", u"25", kFt), u"20", u"5");
    sight.distanceIsLineOfSight = true;
    QTest::newRow("25 ft along the line of sight, 15 ft above the face: 20 ft on the ground")
        << sight << false << QStringList{"slantDistance=25.00 ft (7.62 m)", "tiltAngle=36.9°"};
    sight.distance = u"10";
    QTest::newRow("10 ft along the line of sight, 15 ft above the face: no ground distance")
        << sight << false
        << QStringList{"slantDistance=10.00 ft (3.05 m)", "tiltAngle=—", "density=—",
                       "angleH=61.9°",
                       "message=The distance along the line of sight must be longer than the "
                       "camera's height above the target."};
    QTest::newRow("tilted 80°, the face 20 ft away is out of view; figures stay")
        << Mounted(kThirdFt, u"15", u"5.5", u"80") << false
        << QStringList{"blindZone=0.00 ft (0.00 m)",
                       "message=At this tilt the target is outside the view: aim at it, or "
                       "change the tilt."};
}

void CoverageTest::workedExamples() {
    QFETCH(CoverageInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(QStringList, shown);
    if (!shown.filter(QRegularExpression("^message=")).size())
        shown << "message=";
    CompareShown(ComputeCoverage(inputs, Format(comma)), shown);
}

void CoverageTest::badInput_data() {
    QTest::addColumn<CoverageInputs>("inputs");
    QTest::addColumn<QString>("edit");  // "field=text"
    QTest::addColumn<QStringList>("shown");
    const QString focal = "message=Enter a focal length above 0 mm.";
    const QStringList noFocal{focal, "angleH=—", "density=—", "Identify.farthest=—"};
    QTest::newRow("focal length empty") << kThird << "focal=" << noFocal;
    QTest::newRow("focal length not a number") << kThird << "focal=4 mm" << noFocal;
    QTest::newRow("focal length 0") << kThird << "focal=0" << noFocal;
    QTest::newRow("focal length negative") << kThird << "focal=-4" << noFocal;
    QTest::newRow("focal length 1e300")
        << kThird << "focal=1e300"
        << QStringList{"message=Enter a focal length from 0.1 to 10000 mm.", "angleH=—"};
    QTest::newRow("distance empty: angles and farthest stay")
        << kThird << "distance="
        << QStringList{"message=Enter a distance above 0 m.", "angleH=61.9°", "density=—",
                       "Identify.focal=—", "Identify.farthest=6.40 m (21.00 ft)"};
    QTest::newRow("distance a million feet")
        << kThirdFt << "distance=1e6"
        << QStringList{"message=Enter a distance from 0.01 to 100000 ft.", "sceneWidth=—"};
    QTest::newRow("half a pixel")
        << kThird << "across=1920.5"
        << QStringList{"message=Enter the pixels across as a whole number from 1 to 100000.",
                       "density=—", "angleH=61.9°"};
    QTest::newRow("pixel size underflows to 0")
        << Camera("custom", Aspect::SixteenByNine, u"2.8", u"10") << "pixelSize=1e-400"
        << QStringList{"message=Enter a pixel size above 0 µm.", "angleV=—"};
    QTest::newRow("camera below the face")
        << Mounted(kThird, u"3", u"1.6") << "camera=1"
        << QStringList{"message=Enter a camera height above the target height.", "slantDistance=—",
                       "density=—", "Identify.range=—"};
    QTest::newRow("tilt past straight down")
        << Mounted(kThird, u"3", u"1.6", u"30") << "tilt=90.5"
        << QStringList{"message=Enter a tilt from 0 to 90°.", "tiltAngle=—", "angleH=61.9°"};
}

void CoverageTest::badInput() {
    QFETCH(CoverageInputs, inputs);
    QFETCH(QString, edit);
    QFETCH(QStringList, shown);
    const QMap<QString, std::u16string CoverageInputs::*> fields{
        {"focal", &CoverageInputs::focalLengthMm}, {"distance", &CoverageInputs::distance},
        {"across", &CoverageInputs::pixelsAcross}, {"pixelSize", &CoverageInputs::pixelSizeUm},
        {"camera", &CoverageInputs::cameraHeight}, {"tilt", &CoverageInputs::tiltDeg}};
    inputs.*fields[edit.section('=', 0, 0)] = edit.section('=', 1).toStdU16String();
    CompareShown(ComputeCoverage(inputs, {}), shown);
}

void CoverageTest::convertLength_data() {
    QTest::addColumn<bool>("comma");     // the decimal mark
    QTest::addColumn<QString>("steps");  // "text unit > converted > back"; "none": no value
    QTest::newRow("20 ft") << false << "20 ft > 6.096 m > 20 ft";
    QTest::newRow("6 m: 16 digits, so that it comes back")
        << false << "6 m > 19.68503937007874 ft > 6 m";
    QTest::newRow("6,096 m, decimal comma") << true << "6,096 m > 20 ft > 6,096 m";
    QTest::newRow("not a number") << false << "20 ft ft > none";
    QTest::newRow("feet beyond a double") << false << "1e308 m > none";
}

void CoverageTest::convertLength() {
    QFETCH(bool, comma);
    QFETCH(QString, steps);
    const QStringList expected = steps.split(" > ");
    std::optional<std::u16string> text = expected[0].section(' ', 0, -2).toStdU16String();
    LengthUnit unit = expected[0].endsWith(" ft") ? kFt : kM;
    QStringList seen{expected[0]};
    while (text && seen.size() < expected.size()) {
        const LengthUnit other = unit == kM ? kFt : kM;
        text = ConvertLengthText(*text, unit, other, Format(comma));
        unit = other;
        seen << (text ? QString::fromStdU16String(*text) + (unit == kM ? " m" : " ft") : "none");
    }
    QCOMPARE(seen, expected);
}

void CoverageTest::formatLabel_data() {
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("label");  // of the format whose inches open it, or "Custom"
    QTest::newRow("1/2.8 inch") << false << "1/2.8\" (nominal, 6.43 mm diagonal)";
    QTest::newRow("1 inch") << false << "1\" (nominal, 16 mm diagonal)";
    QTest::newRow("1/1.2 inch, decimal comma") << true << "1/1.2\" (nominal, 13,33 mm diagonal)";
    QTest::newRow("custom") << false << "Custom";
}

void CoverageTest::formatLabel() {
    QFETCH(bool, comma);
    QFETCH(QString, label);
    const auto index = SensorFormatIndex(label.section('"', 0, 0).toStdString());
    QCOMPARE(QString::fromStdU16String(FormatLabel(index.value_or(kCustomFormat), Format(comma))),
             label);
}

// The catalogue's lenses for the camera, as the window lists them: how many, the first row, or
// the note when none reaches the level.
void CoverageTest::lensList_data() {
    QTest::addColumn<CoverageInputs>("inputs");
    QTest::addColumn<QString>("level");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");  // the first row's texts, or the note
    QTest::newRow("1/3 inch at 6.096 m, Identify: the widest fixed lens, 4 mm, first")
        << kThird << "Identify" << 126 << "H0416|4.00 mm|262.5 px/m (80.0 px/ft)|7.32 m (24.00 ft)";
    QTest::newRow("in feet") << kThirdFt << "Identify" << 126
                             << "H0416|4.00 mm|80.0 px/ft (262.5 px/m)|24.00 ft (7.32 m)";
    QTest::newRow("Inspect at 100 m: no lens")
        << Camera("1/3", Aspect::FourByThree, u"4", u"100") << "Inspect" << 0
        << "No lens of the catalogue reaches Inspect at 100.00 m with this camera.";
    QTest::newRow("no distance: neither rows nor note")
        << Camera("1/3", Aspect::FourByThree, u"4", u"") << "Identify" << 0 << "";
}

void CoverageTest::lensList() {
    QFETCH(CoverageInputs, inputs);
    QFETCH(QString, level);
    QFETCH(int, count);
    QFETCH(QString, first);
    int index = 0;
    while (QString::fromStdU16String(std::u16string(kDoriLevels[index].name)) != level)
        ++index;
    const Coverage coverage = ComputeCoverage(inputs, {});
    CoverageInputs in = inputs;
    in.requiredLevel = index;
    const LensList list = ListLensesReaching(coverage.figures, in, {}, {});
    QCOMPARE(int(list.rows.size()), count);
    const QString shown = list.rows.empty()
                              ? QString::fromStdU16String(list.note)
                              : QStringList{QString::fromStdU16String(list.rows[0].modelNumber),
                                            QString::fromStdU16String(list.rows[0].focalLength),
                                            QString::fromStdU16String(list.rows[0].density),
                                            QString::fromStdU16String(list.rows[0].sceneWidth)}
                                    .join('|');
    QCOMPARE(shown, first);
}

QTEST_GUILESS_MAIN(CoverageTest)
#include "test_coverage.moc"
