// The Coverage model against worked examples computed independently: the texts the user sees in
// each result field, bad input, and the unit switch.
#include <QtTest>
#include <cmath>
#include <random>

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

QString Q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

// Every text shown, by field: the object names, "Identify.farthest" (.focal, .pixels, .range) for
// the table, "message", "warning", the level the window emphasises ("levelShown", or none), and
// the captions of the distance and the farthest column ("distanceCaption", "farthestCaption").
QMap<QString, QString> Shown(const CoverageInputs& in, const Coverage& c) {
    const std::optional<int> level = LevelShown(c.figures);
    QMap<QString, QString> shown{
        {"message", Q(c.message)},
        {"warning", Q(c.warning)},
        {"levelShown", level ? Q(LevelName(*level)) : QString("none")},
        {"distanceCaption", Q(DistanceInputCaption(DistanceInputKind(in)))},
        {"farthestCaption", Q(FarthestCaption(FarthestKind(in)))}};
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

// "field=text | field=text" as a list.
QStringList Fields(const QString& pairs) {
    return pairs.split(" | ");
}

void CompareShown(const CoverageInputs& inputs, const NumberFormat& format,
                  const QStringList& expected) {
    const QMap<QString, QString> shown = Shown(inputs, ComputeCoverage(inputs, format));
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

    void WorkedExamplesMounted();

  private slots:
    void workedExamples_data();
    void workedExamples();
    void roundedInTheUsersFavour();
    void badInput_data();
    void badInput();
    void roundedText_data();
    void roundedText();
    void convertLength_data();
    void convertLength();
    void resolutionForAspect_data();
    void resolutionForAspect();
    void levelMeanings();
    void formatLabel_data();
    void formatLabel();
    void lensList_data();
    void lensList();
};

void CoverageTest::workedExamples_data() {
    QTest::addColumn<CoverageInputs>("inputs");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("shown");  // "field=text"; message, warning empty unless listed
    const QStringList third{"angleH=61.9°",           "angleV=48.5°",
                            "angleD=73.7°",           "level=Identify",
                            "Identify.focal=3.81 mm", "Inspect.focal=15.24 mm",
                            "Identify.pixels=1829",   "Inspect.pixels=7316",
                            "slantDistance=",         "Identify.range="};
    QTest::newRow("1/3 inch, 4 mm, 6.096 m: Identify")
        << kThird << false
        << third + QStringList{"sceneWidth=7.32 m (24.00 ft)",
                               "sceneHeight=5.49 m (18.00 ft)",
                               "density=262.5 px/m (80.0 px/ft)",
                               "Monitor.farthest=128.00 m (419.94 ft)",
                               "Detect.farthest=64.00 m (209.97 ft)",
                               "Observe.farthest=25.60 m (83.98 ft)",
                               "Recognise.farthest=12.80 m (41.99 ft)",
                               "Identify.farthest=6.40 m (20.99 ft)",
                               "Inspect.farthest=1.60 m (5.24 ft)",
                               "lookDownAngle=",
                               "distanceCaption=Distance to the target",
                               "farthestCaption=Farthest distance along the line of sight"};
    QTest::newRow("the same at 20 ft, in feet: feet first")
        << kThirdFt << false
        << third + QStringList{"sceneWidth=24.00 ft (7.32 m)", "density=80.0 px/ft (262.5 px/m)",
                               "Identify.farthest=20.99 ft (6.40 m)"};
    QTest::newRow("the same, decimal comma")
        << Camera("1/3", Aspect::FourByThree, u"4", u"6,096") << true
        << QStringList{"angleH=61,9°", "sceneWidth=7,32 m (24,00 ft)",
                       "density=262,5 px/m (80,0 px/ft)", "Identify.focal=3,81 mm"};
    // 120 m of scene at 100 m: 16 px/m; at 200 m, 8 px/m.
    QTest::newRow("1/3 inch, 4 mm, 100 m: 16 px/m is Monitor")
        << Camera("1/3", Aspect::FourByThree, u"4", u"100") << false
        << QStringList{"density=16.0 px/m (4.9 px/ft)", "level=Monitor", "Monitor.pixels=1500",
                       "Monitor.focal=3.13 mm"};
    QTest::newRow("the same at 200 m: 8 px/m is Below Monitor")
        << Camera("1/3", Aspect::FourByThree, u"4", u"200") << false
        << QStringList{"density=8.0 px/m (2.4 px/ft)", "level=Below Monitor",
                       "Monitor.pixels=3000"};
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
                       "Identify.focal=10.95 mm",
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
        << Fields(
               "slantDistance=22.14 ft (6.75 m) | tiltAngle=25.4° | level=Recognise | "
               "density=72.3 px/ft (237.1 px/m) | nearEdgeGround=12.75 ft (3.89 m) | "
               "blindZone=8.08 ft (2.46 m) | farEdgeGround=728.25 ft (221.97 m) | "
               "Identify.range=8.08–18.73 ft (2.47–5.70 m) | Inspect.range=Not reached | "
               "Identify.farthest=18.72 ft (5.70 m) | Inspect.farthest=Not reached | "
               "lookDownAngle=25.4° below the horizontal | "
               "distanceCaption=Distance on the ground from the pole");
    QTest::newRow("the same tilted 30°")
        << Mounted(kThirdFt, u"15", u"5.5", u"30") << false
        << Fields(
               "tiltAngle=30.0° | density=72.5 px/ft (237.8 px/m) | "
               "nearEdgeGround=10.81 ft (3.29 m) | farEdgeGround=148.39 ft (45.23 m) | "
               "Identify.farthest=18.76 ft (5.71 m) | Monitor.farthest=93.97 ft (28.64 m) | "
               "lookDownAngle=25.4° below the horizontal");
    QTest::newRow("1/2.8 inch 16:9 at 3 m, face at 1.6 m, 8 m away: Identify, to the horizon")
        << Mounted(Camera("1/2.8", Aspect::SixteenByNine, u"6", u"8"), u"3", u"1.6") << false
        << QStringList{"slantDistance=8.12 m (26.65 ft)", "tiltAngle=9.9°",
                       "density=253.2 px/m (77.2 px/ft)", "level=Identify",
                       "blindZone=3.05 m (10.01 ft)",     "farEdgeGround=to the horizon"};
    CoverageInputs sight =
        Mounted(Camera("1/3", Aspect::FourByThree, u"4", u"25", kFt), u"20", u"5");
    sight.distanceIsLineOfSight = true;
    QTest::newRow("25 ft along the line of sight, 15 ft above the face: 20 ft on the ground")
        << sight << false
        << QStringList{"slantDistance=25.00 ft (7.62 m)", "tiltAngle=36.9°",
                       "distanceCaption=Distance along the line of sight",
                       "farthestCaption=Farthest distance on the ground from the pole",
                       "warning=Faces are seen from above at this angle; lower the camera or move "
                       "it back."};
    sight.distance = u"10";
    QTest::newRow("10 ft along the line of sight, 15 ft above the face: no ground distance")
        << sight << false
        << QStringList{"slantDistance=10.00 ft (3.05 m)", "tiltAngle=—", "density=—",
                       "angleH=61.9°",
                       "message=The distance along the line of sight must be at least the "
                       "camera's height above the target."};
    QTest::newRow("tilted 80°, the face 20 ft away is out of view; figures stay")
        << Mounted(kThirdFt, u"15", u"5.5", u"80") << false
        << QStringList{"blindZone=0.00 ft (0.00 m)", "level=Not in view", "levelShown=none",
                       "message=At this tilt the target is outside the view: aim at it, or "
                       "change the tilt."};
    WorkedExamplesMounted();
}

// Figures worked out by hand for the 1/3 inch camera with a 4 mm lens (φ = atan(3.6/8) = 24.2°
// half the vertical angle; Identify's farthest depth 6.4 m) on poles of every kind.
void CoverageTest::WorkedExamplesMounted() {
    const auto at = [](const char16_t* distance, const char16_t* camera, const char16_t* tilt) {
        return Mounted(Camera("1/3", Aspect::FourByThree, u"4", distance), camera, u"1.6", tilt);
    };
    const QString outOfView =
        "message=At this tilt the target is outside the view: aim at it, or change the tilt. | ";
    const QString facesFromAbove =
        " | warning=Faces are seen from above at this angle; lower the camera or move it back.";
    // Δh = −0.6, θ = −atan(0.6/3) = −11.3°; the lower edge 12.9° down meets the ground at
    // 1/tan 12.9° = 4.36 m; Identify out to √(6.4² − 0.6²) = 6.37 m.
    QTest::newRow("camera 1 m high under a face at 1.6 m, 3 m away, aimed: looks up")
        << at(u"3", u"1", nullptr) << false
        << Fields(
               "tiltAngle=11.3° above the horizontal | lookDownAngle=11.3° above the "
               "horizontal | slantDistance=3.06 m (10.04 ft) | level=Identify | "
               "density=523.0 px/m (159.4 px/ft) | blindZone=0.84 m (2.76 ft) | "
               "nearEdgeGround=4.36 m (14.30 ft) | farEdgeGround=to the horizon | "
               "Identify.farthest=6.37 m (20.90 ft) | Inspect.farthest=1.48 m (4.86 ft)");
    // Straight down: the depth is Δh = 1.4 m; the view reaches 3·tan φ = 1.35 m on the ground.
    QTest::newRow("straight below a 3 m camera: 90° down, faces from above")
        << at(u"0", u"3", nullptr) << false
        << Fields(
               "tiltAngle=90.0° | lookDownAngle=90.0° below the horizontal | level=Inspect | "
               "density=1142.9 px/m (348.3 px/ft) | blindZone=0.00 m (0.00 ft) | "
               "nearEdgeGround=0.00 m (0.00 ft) | farEdgeGround=1.35 m (4.43 ft) | "
               "Identify.farthest=6.24 m (20.48 ft)" +
               facesFromAbove);
    QTest::newRow("straight above a 1 m camera: 90° up, the ground nowhere in view")
        << at(u"0", u"1", nullptr) << false
        << Fields(
               "tiltAngle=90.0° above the horizontal | level=Inspect | "
               "nearEdgeGround=nowhere | farEdgeGround=nowhere");
    QTest::newRow("camera at the face's height, 0 m away: nowhere to look")
        << at(u"0", u"1.6", nullptr) << false
        << Fields(
               "message=The target is less than 0.01 m from the camera: enter a longer "
               "distance or heights further apart. | slantDistance=— | tiltAngle=— | "
               "lookDownAngle=— | density=— | angleH=61.9°");
    // The face 6.8° above the lens; the view's upper edge 14.2° above it.
    QTest::newRow("camera 1 m high tilted 10° down, face at 1.6 m 5 m away: in view")
        << at(u"5", u"1", u"10") << false
        << Fields(
               "lookDownAngle=6.8° above the horizontal | levelShown=Identify | "
               "blindZone=2.37 m (7.76 ft) | farEdgeGround=to the horizon | "
               "Identify.farthest=6.60 m (21.66 ft) | Inspect.farthest=Not reached");
    QTest::newRow("the same tilted 60° down: the face's height is never in view")
        << at(u"5", u"1", u"60") << false
        << Fields(outOfView +
                  "level=Not in view | blindZone=everywhere | Identify.farthest=Not reached | "
                  "Identify.range=Not reached | density=807.9 px/m (246.3 px/ft)");
    QTest::newRow("the face straight above, tilted 45° down: behind the lens")
        << at(u"0", u"1", u"45") << false
        << Fields(outOfView + "level=Not in view | density=— | sceneWidth=—");
    // atan(4.4/5) = 41.3°, more than 30° under a face that must be recognised or identified.
    CoverageInputs high = at(u"5", u"6", nullptr);
    QTest::newRow("6 m pole 5 m from a face to identify: faces from above")
        << high << false << Fields("lookDownAngle=41.3° below the horizontal" + facesFromAbove);
    high.requiredLevel = 2;
    QTest::newRow("the same where Observe is enough: no warning")
        << high << false << Fields("lookDownAngle=41.3° below the horizontal");
    QTest::newRow("1 m above the face, √3 m away: 30.0° is not above 30°")
        << at(u"1.7320508", u"2.6", nullptr) << false
        << Fields("lookDownAngle=30.0° below the horizontal");
}

void CoverageTest::workedExamples() {
    QFETCH(CoverageInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(QStringList, shown);
    for (const QString field : {"message=", "warning="}) {
        if (shown.filter(QRegularExpression("^" + field)).isEmpty())
            shown << field;
    }
    CompareShown(inputs, Format(comma), shown);
}

// The figure a text opens with, as the user would type it back: "14.59" of "14.59 mm".
std::optional<double> Leading(const std::u16string& text, const NumberFormat& format) {
    return ParseNumber(text.substr(0, text.find(u' ')), format);
}

// Typed back as shown, a focal length needed reaches its level at the same distance, and a target
// at a farthest distance (on the ground with mounting) is seen at its level: over random cameras,
// named and custom, flat and mounted, aimed and tilted, looking down and up.
void CoverageTest::roundedInTheUsersFavour() {
    std::mt19937 random(62676);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    int checks = 0;
    for (int camera = 0; camera < 400; ++camera) {
        const NumberFormat format = Format(random() % 2);
        const auto typed = [&](double value) { return NumberText(value, format); };
        CoverageInputs in = DefaultCoverageInputs(random() % 2 ? kFt : kM);
        in.format = random() % kFormatChoices;
        in.aspect = random() % 2 ? Aspect::SixteenByNine : Aspect::FourByThree;
        in.custom = CustomSensor::ByPixelSize;
        in.pixelSizeUm = typed(uniform(1, 6));
        in.pixelsAcross = typed(std::round(uniform(320, 8000)));
        in.pixelsDown = typed(std::round(uniform(240, 6000)));
        in.focalLengthMm = typed(std::exp(uniform(0, std::log(100))));
        in.distance = typed(uniform(0.5, 150));
        in.mounted = random() % 2;
        const double cameraHeight = uniform(0.5, 12);
        const double targetHeight = uniform(0, 3);
        in.cameraHeight = typed(cameraHeight);
        in.targetHeight = typed(std::fabs(cameraHeight - targetHeight) < 0.1 ? 0 : targetHeight);
        in.tiltAimed = random() % 2;
        in.tiltDeg = typed(uniform(0, 60));
        const Coverage shown = ComputeCoverage(in, format);
        QVERIFY(shown.message.empty() || !in.tiltAimed);
        const QByteArray which = "camera " + QByteArray::number(camera);
        for (int level = 0; level < int(kDoriLevels.size()); ++level) {
            const DoriRowTexts& row = shown.texts.doriTable[std::size_t(level)];
            const QByteArray where = which + " " + QString::fromStdU16String(row.level).toUtf8();
            CoverageInputs lens = in;
            lens.focalLengthMm = row.focalLengthNeeded.substr(0, row.focalLengthNeeded.find(u' '));
            const std::optional<double> focal = Leading(row.focalLengthNeeded, format);
            if (focal && *focal >= 0.1 && *focal <= 10000) {
                const std::optional<int> reached = ComputeCoverage(lens, format).figures.level;
                QVERIFY2(reached && *reached >= level,
                         where + " focal " + QByteArray::number(*focal));
                ++checks;
            }
            // Not reached, or nearer than the form takes; or, at a tilt, a range on the ground
            // too short to hold a hundredth of the unit.
            const std::optional<double> farthest = Leading(row.farthest, format);
            const auto& range = shown.figures.dori[std::size_t(level)].groundRangeM;
            if (!farthest || *farthest < 0.01 ||
                (range && *range &&
                 *farthest * MetresPerUnit(in.unit) < (*range)->nearM * (1 - kLevelTolerance)))
                continue;
            CoverageInputs far = in;
            far.distance = row.farthest.substr(0, row.farthest.find(u' '));
            const std::optional<int> seen = LevelShown(ComputeCoverage(far, format).figures);
            QVERIFY2(seen && *seen >= level, where + " farthest " + QByteArray::number(*farthest));
            ++checks;
        }
    }
    QVERIFY(checks > 4000);
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
                       "Identify.focal=—", "Identify.farthest=6.40 m (20.99 ft)"};
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
    // No longer bad: the camera looks up 5.6° at the face.
    QTest::newRow("camera below the face")
        << Mounted(kThird, u"3", u"1.6") << "camera=1"
        << QStringList{"message=", "slantDistance=6.13 m (20.10 ft)",
                       "density=261.2 px/m (79.6 px/ft)", "blindZone=1.05 m (3.43 ft)"};
    QTest::newRow("ground distance negative")
        << Mounted(kThird, u"3", u"1.6") << "distance=-1"
        << QStringList{"message=Enter a distance from 0 to 100000 m.", "lookDownAngle=—"};
    CoverageInputs sight = Mounted(kThird, u"1", u"3.6");
    sight.distanceIsLineOfSight = true;
    QTest::newRow("line of sight 0")
        << sight << "distance=0" << QStringList{"message=Enter a distance above 0 m."};
    QTest::newRow("line of sight 2 m to a face 2.6 m above the camera")
        << sight << "distance=2"
        << QStringList{
               "message=The distance along the line of sight must be at least the "
               "target's height above the camera.",
               "tiltAngle=—"};
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
    CompareShown(inputs, {}, shown);
}

// A figure in the user's favour: a focal length needed rounded up, a farthest distance down,
// both on the 15-digit text; and an angle from the horizontal without a minus sign.
void CoverageTest::roundedText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");  // nearest, up and down to hundredths; the angle
    QTest::newRow("14.5808") << 14.5808 << "14.58 14.59 14.58 | 14.6° below the horizontal";
    QTest::newRow("3.81 a hair above")
        << 3.8100000000000001 << "3.81 3.81 3.81 | 3.8° below the horizontal";
    QTest::newRow("3.81 a hair below")
        << 3.8099999999999996 << "3.81 3.81 3.81 | 3.8° below the horizontal";
    QTest::newRow("8.075: half up, 15 digits")
        << 8.075 << "8.08 8.08 8.07 | 8.1° below the horizontal";
    QTest::newRow("−5.555: a look up") << -5.555 << "-5.56 -5.55 -5.56 | 5.6° above the horizontal";
    QTest::newRow("1e-20 up to the least hundredth") << 1e-20 << "0.00 0.01 0.00 | 0.0°, level";
    QTest::newRow("−0.04°: level, no minus") << -0.04 << "-0.04 -0.04 -0.04 | 0.0°, level";
}

void CoverageTest::roundedText() {
    QFETCH(double, value);
    QFETCH(QString, shown);
    QStringList texts;
    for (const Rounding rounding : {Rounding::Nearest, Rounding::Up, Rounding::Down})
        texts << QString::fromStdU16String(RoundedText(value, 2, {}, rounding));
    texts << "|" << QString::fromStdU16String(VerticalAngleText(value, {}));
    QCOMPARE(texts.join(' '), shown);
}

void CoverageTest::convertLength_data() {
    QTest::addColumn<bool>("comma");     // the decimal mark
    QTest::addColumn<QString>("steps");  // "text unit > converted > back"; "none": no value
    QTest::addColumn<QString>("shown");  // each step as the box shows it
    QTest::newRow("20 ft") << false << "20 ft > 6.096 m > 20 ft"
                           << "20 > 6.1 > 20";
    QTest::newRow("6 m: 16 digits, so that it comes back")
        << false << "6 m > 19.68503937007874 ft > 6 m"
        << "6 > 19.69 > 6";
    QTest::newRow("6,096 m, decimal comma") << true << "6,096 m > 20 ft > 6,096 m"
                                            << "6,1 > 20 > 6,1";
    QTest::newRow("0.004 ft: 0 shown, kept whole") << false << "0.004 ft > 0.0012192 m > 0.004 ft"
                                                   << "0 > 0 > 0";
    QTest::newRow("a million metres and 4 mm: hundredths shown")
        << false << "1000000.004 m > 3280839.90813648 ft > 1000000.004 m"
        << "1000000 > 3280839.91 > 1000000";
    QTest::newRow("not a number") << false << "20 ft ft > none"
                                  << "none > none";
    QTest::newRow("feet beyond a double") << false << "1e308 m > none"
                                          << "1e+308 > none";
}

void CoverageTest::convertLength() {
    QFETCH(bool, comma);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    const QStringList expected = steps.split(" > ");
    std::optional<std::u16string> text = expected[0].section(' ', 0, -2).toStdU16String();
    LengthUnit unit = expected[0].endsWith(" ft") ? kFt : kM;
    QStringList seen{expected[0]};
    const auto showing = [&](const std::optional<std::u16string>& kept) {
        const auto box = kept ? ShownLengthText(*kept, Format(comma)) : std::nullopt;
        return box ? QString::fromStdU16String(*box) : QString("none");
    };
    QStringList boxes{showing(text)};
    while (text && seen.size() < expected.size()) {
        const LengthUnit other = unit == kM ? kFt : kM;
        text = ConvertLengthText(*text, unit, other, Format(comma));
        unit = other;
        seen << (text ? QString::fromStdU16String(*text) + (unit == kM ? " m" : " ft") : "none");
        boxes << showing(text);
    }
    QCOMPARE(seen, expected);
    QCOMPARE(boxes.join(" > "), shown);
}

// The pair the boxes show when the shape changes: a preset's, else the pixels down from the ratio,
// and then the note in the message line.
void CoverageTest::resolutionForAspect_data() {
    QTest::addColumn<QString>("typed");  // "across down"
    QTest::addColumn<bool>("wide");      // the new shape is 16:9
    QTest::addColumn<QString>("shown");  // "across down", then the note if any
    QTest::newRow("1920 × 1440 to 16:9: the preset") << "1920 1440" << true << "1920 1080";
    QTest::newRow("2688 to 16:9: the camera's own 1520") << "2688 2016" << true << "2688 1520";
    QTest::newRow("4000 to 4:3: 12 MP") << "4000 2250" << false << "4000 3000";
    QTest::newRow("1000 × 700 to 16:9: from the ratio, said")
        << "1000 700" << true
        << "1000 563 The pixels down were set from the aspect ratio: 1000 × 563.";
    QTest::newRow("1000 × 750 to 4:3: already fits, nothing said")
        << "1000 750" << false << "1000 750";
    QTest::newRow("no pixels across: unchanged") << " 700" << true << " 700";
}

void CoverageTest::resolutionForAspect() {
    QFETCH(QString, typed);
    QFETCH(bool, wide);
    QFETCH(QString, shown);
    const ResolutionChoice choice = ResolutionForAspect(
        typed.section(' ', 0, 0).toStdU16String(), typed.section(' ', 1, 1).toStdU16String(),
        wide ? Aspect::SixteenByNine : Aspect::FourByThree, {});
    const QString note = QString::fromStdU16String(ResolutionNote(choice));
    QCOMPARE(QString::fromStdU16String(choice.across + u' ' + choice.down) +
                 (note.isEmpty() ? "" : " " + note),
             shown);
}

// The tooltips of the levels, each opening with its level's name.
void CoverageTest::levelMeanings() {
    for (int level = kBelowMonitor; level < int(kDoriLevels.size()); ++level) {
        const std::u16string meaning(LevelMeaning(level));
        QVERIFY(meaning.rfind(std::u16string(LevelName(level)) + u": ", 0) == 0);
    }
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
