// The design file: JSON texts and the designs they open as, the defaults of missing keys, the
// exact message for every text that does not open, and the bytes of a design opened and saved.
#include <QDir>
#include <QtTest>

#include "design_file.h"

namespace {

const NumberFormat kComma{u",", u"."};

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// What a design holds, by name: "name", "notes", "units", "next", "kept" and, for each camera
// from 1, "1.id", "1.name", "1.sensor", "1.pixels", "1.focal", "1.lens", "1.distance", "1.mount",
// "1.required", "1.kept".
QMap<QString, QString> Fields(const Design& design) {
    const auto kept = [](const KeptValues& values) {
        QStringList list;
        for (const KeptValue& value : values)
            list << QString::fromStdString(value.key + "=" + value.json);
        return list.join(' ');
    };
    QMap<QString, QString> fields{{"name", Q(design.name)},
                                  {"notes", Q(design.notes)},
                                  {"units", design.unit == LengthUnit::Feet ? "ft" : "m"},
                                  {"next", QString::number(design.nextCameraNumber)},
                                  {"kept", kept(design.kept)}};
    for (std::size_t i = 0; i < design.cameras.size(); ++i) {
        const Camera& camera = design.cameras[i];
        const CoverageInputs& in = camera.inputs;
        const QString n = QString::number(i + 1) + '.';
        QString sensor = in.format == kCustomFormat
                             ? (in.custom == CustomSensor::BySize
                                    ? "custom " + Q(in.customWidthMm) + "x" + Q(in.customHeightMm)
                                    : "custom " + Q(in.pixelSizeUm) + "um")
                             : QString::fromUtf8(kSensorFormats[in.format].inches.data(),
                                                 int(kSensorFormats[in.format].inches.size()));
        sensor += in.aspect == Aspect::SixteenByNine ? " 16:9" : " 4:3";
        fields[n + "id"] = QString::fromStdString(camera.id);
        fields[n + "name"] = Q(camera.name);
        fields[n + "sensor"] = sensor + " " + Q(camera.keptInSensor.empty() ? u"" : u"kept ") +
                               kept(camera.keptInSensor);
        fields[n + "pixels"] = Q(in.pixelsAcross) + "x" + Q(in.pixelsDown);
        fields[n + "focal"] = Q(in.focalLengthMm);
        fields[n + "lens"] = Q(in.lensModel);
        fields[n + "distance"] =
            Q(in.distance) + (in.distanceIsLineOfSight ? " line of sight" : " ground");
        fields[n + "mount"] = (in.mounted ? "on " : "off ") + Q(in.cameraHeight) + "/" +
                              Q(in.targetHeight) +
                              (in.tiltAimed ? " aimed" : " tilt " + Q(in.tiltDeg));
        fields[n + "required"] =
            Q(std::u16string(LevelName(in.requiredLevel))) + " " + Q(in.requiredWidth);
        fields[n + "kept"] = kept(camera.kept);
        const std::optional<CameraPlacement>& at = camera.placement;
        fields[n + "placed"] = at ? QString("%1 %2,%3 %4°")
                                        .arg(QString::fromStdString(at->plan))
                                        .arg(at->x)
                                        .arg(at->y)
                                        .arg(at->headingDeg)
                                  : "no";
    }
    fields["nextPlan"] = QString::number(design.nextPlanNumber);
    fields["nextTarget"] = QString::number(design.nextTargetNumber);
    for (std::size_t i = 0; i < design.plans.size(); ++i) {
        const Plan& plan = design.plans[i];
        QStringList walls;
        for (const Wall& w : plan.walls)
            walls << QString("%1,%2,%3,%4").arg(w.x1).arg(w.y1).arg(w.x2).arg(w.y2);
        QStringList targets;
        for (const Target& t : plan.targets) {
            targets << QString("%1:%2:%3,%4:%5 %6")
                           .arg(QString::fromStdString(t.id), Q(t.name))
                           .arg(t.x)
                           .arg(t.y)
                           .arg(Q(std::u16string(LevelName(t.level))), kept(t.kept));
        }
        fields["plan" + QString::number(i + 1)] =
            QString("%1:%2 image %3 scale %4 origin %5,%6 walls %7 targets %8 kept %9")
                .arg(QString::fromStdString(plan.id), Q(plan.name),
                     QString::fromStdString(plan.image.value_or("none")) +
                         (plan.imagePage ? QString(" page %1").arg(plan.imagePage) : QString()),
                     plan.metresPerPixel ? QString::number(*plan.metresPerPixel) : "none")
                .arg(plan.origin.x)
                .arg(plan.origin.y)
                .arg(walls.join("; "), targets.join("; "), kept(plan.kept));
    }
    return fields;
}

QByteArray Seed(const QString& name) {
    QFile file(QStringLiteral(DESIGN_SEEDS) + '/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class DesignJsonTest : public QObject {
    Q_OBJECT

  private slots:
    void opens_data();
    void opens();
    void refused_data();
    void refused();
    void savedAgain_data();
    void savedAgain();
};

void DesignJsonTest::opens_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("fields");  // "field=value", as Fields names them
    QTest::newRow("the documented example")
        << Seed("harbour-gate-three-cameras")
        << QStringList{"name=Harbour gate",
                       "notes=Client: Port of Elm Bay\nSite: north gate and "
                       "car park\nDesigner: R. Haas",
                       "units=m",
                       "next=4",
                       "1.id=c1",
                       "1.name=Gate",
                       "1.sensor=1/2.8 16:9 ",
                       "1.pixels=1920x1080",
                       "1.focal=6",
                       "1.lens=HG0614D",
                       "1.distance=8 ground",
                       "1.mount=on 3/1.6 aimed",
                       "1.required=Identify ",
                       "2.sensor=custom 2.9um 16:9 ",
                       "2.distance=10 line of sight",
                       "2.mount=off 3/1.6 aimed",
                       "2.required=Observe 12",
                       "2.lens=",
                       "3.sensor=custom 5.76x4.29 4:3 ",
                       "3.pixels=2592x1944",
                       "3.mount=on 6/1.6 tilt 10",
                       "3.required=Recognise "};
    QTest::newRow("only the format: untitled, in metres, no cameras")
        << QByteArray(R"({"format": "vistamarq-design"})")
        << QStringList{"name=", "notes=", "units=m", "next=1", "kept="};
    QTest::newRow("an empty camera: the form's start in metres, the next id and name")
        << QByteArray(R"({"format": "vistamarq-design", "units": "ft", "cameras": [{}]})")
        << QStringList{"units=ft",
                       "next=2",
                       "1.id=c1",
                       "1.name=Camera 1",
                       "1.sensor=1/3 4:3 ",
                       "1.pixels=1920x1440",
                       "1.focal=4",
                       "1.lens=",
                       "1.distance=6.096 ground",
                       "1.mount=off 3/1.6 aimed",
                       "1.required=Identify ",
                       "1.kept="};
    QTest::newRow("ids and names given after the highest, in order")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{}, {"id": "c7", "name":
            "Camera 4"}, {"id": "gate"}, {"name": "Door"}]})")
        << QStringList{"next=10",   "1.id=c8",         "1.name=Camera 5", "2.id=c7",
                       "3.id=gate", "3.name=Camera 6", "4.id=c9",         "4.name=Door"};
    QTest::newRow("the next camera number kept when above the ids")
        << QByteArray(R"({"format": "vistamarq-design", "nextCameraNumber": 12, "cameras":
            [{"id": "c3"}]})")
        << QStringList{"next=12", "1.id=c3"};
    QTest::newRow("custom without a size: 4.8 x 3.6 mm; a named format's size is not read")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{"sensor": {"format":
            "custom", "aspect": "16:9"}}, {"sensor": {"format": "1\"", "widthMm": 99}}]})")
        << QStringList{"1.sensor=custom 4.8x3.6 16:9 ", "2.sensor=1 4:3 "};
    QTest::newRow("numbers as written: the fewest digits, tiny as 0, no minus zero")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{"focalMm": 2.80e0,
            "distanceM": 1E1, "mounted": true, "targetHeightM": 1e-400, "tiltDeg": -0.0}]})")
        << QStringList{"1.focal=2.8", "1.distance=10 ground", "1.mount=on 3/0 tilt 0"};
    QTest::newRow("a mounted camera right above the target: ground distance 0")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{"mounted": true,
            "distanceM": 0}]})")
        << QStringList{"1.distance=0 ground", "1.mount=on 3/1.6 aimed"};
    QTest::newRow("escapes, other scripts and a byte-order mark")
        << QByteArray(
               "\xEF\xBB\xBF{\"format\": \"vistamarq-design\", \"name\": \"Caf\\u00e9 "
               "\\ud83d\\ude00 \xE6\xB8\xAF\\t\\\"\\/\"}")
        << QStringList{QString::fromUtf8("name=Café 😀 港\t\"/")};
    QTest::newRow("the documented plan: two walls, a target, a camera on it")
        << Seed("corner-shop-plan")
        << QStringList{"nextPlan=2", "nextTarget=2", "1.placed=p1 0.5,7.5 315°",
                       "plan1=p1:Ground floor image "
                       "180717ef988a70f385bed384a465c48dc997c7922ae3ad589164a18d189fa540 scale "
                       "0.01 origin 0,8 walls 0,8,12,8; 12,8,12,0 targets t1:Till:4,3.5:Identify  "
                       "kept "};
    QTest::newRow("the third page of a PDF under the plan")
        << QByteArray(R"({"format": "vistamarq-design", "plans": [{"id": "p1", "image":
            "180717ef988a70f385bed384a465c48dc997c7922ae3ad589164a18d189fa540", "imagePage": 2}]})")
        << QStringList{
               "plan1=p1: image "
               "180717ef988a70f385bed384a465c48dc997c7922ae3ad589164a18d189fa540 page 2 "
               "scale none origin 0,0 walls  targets  kept "};
    QTest::newRow("plans and targets without ids: given after the highest; keys kept")
        << QByteArray(R"({"format": "vistamarq-design", "plans": [{"rev": 2}, {"id": "p4",
            "targets": [{}, {"id": "t9", "name": "Door", "level": "Detect", "seen": false}]}],
            "cameras": [{"plan": "p4", "x": -1e6, "y": 0, "headingDeg": 370}, {}]})")
        << QStringList{"nextPlan=6",
                       "nextTarget=11",
                       "1.placed=p4 -1e+06,0 370°",
                       "2.placed=no",
                       "1.kept=",
                       "plan1=p5: image none scale none origin 0,0 walls  targets  kept rev=2",
                       "plan2=p4: image none scale none origin 0,0 walls  targets "
                       "t10::0,0:Identify ; t9:Door:0,0:Detect seen=false kept "};
    QTest::newRow("unknown keys kept in order, as compact JSON")
        << QByteArray(R"({"zeta": [1,{"b":1.50}], "format": "vistamarq-design", "cameras": [{"w":
            null, "sensor": {"z": "\u00e9", "a": true}}], "alpha": {}})")
        << QStringList{"kept=zeta=[1, {\"b\": 1.50}] alpha={}", "1.kept=w=null",
                       QString::fromUtf8("1.sensor=1/3 4:3 kept z=\"é\" a=true")};
}

void DesignJsonTest::opens() {
    QFETCH(QByteArray, json);
    QFETCH(QStringList, fields);
    const DesignReading reading = ReadDesign(json.toStdString(), {});
    QCOMPARE(Q(reading.error), QString());
    QVERIFY(reading.design);
    const QMap<QString, QString> shown = Fields(*reading.design);
    for (const QString& pair : fields) {
        const QString field = pair.section('=', 0, 0);
        QVERIFY2(shown.contains(field), qPrintable(field));
        QCOMPARE(field + "=" + shown[field], pair);
    }
}

void DesignJsonTest::refused_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("message");
    const auto camera = [](const char* keys) {
        return QByteArray(R"({"format": "vistamarq-design", "cameras": [{}, {"name": "Door"},
            {"name": "Gate", )") +
               keys + "}]}";
    };
    const auto sensor = [&](const char* keys) {
        return camera((QByteArray(R"("sensor": {)") + keys + "}").constData());
    };
    const QString gate = "Camera 3 (\"Gate\"): ";
    const QString json = "The design is not valid JSON at line ";

    QTest::newRow("not JSON") << QByteArray("Harbour gate") << false
                              << json + "1, column 1: expected a value.";
    QTest::newRow("empty") << QByteArray() << false
                           << json + "1, column 1: the text ends where a value should be.";
    QTest::newRow("a trailing comma, on line 3, columns in characters")
        << QByteArray(
               "{\"format\": \"vistamarq-design\",\n\"name\": \"\xC3\xA9\",\n"
               "\"cameras\": [],\n}")
        << false << json + "4, column 1: expected a key in double quotes.";
    QTest::newRow("no colon") << QByteArray(R"({"format" "vistamarq-design"})") << false
                              << json + "1, column 11: expected ':'.";
    QTest::newRow("two values") << QByteArray("{} {}") << false
                                << json +
                                       "1, column 4: unexpected text after the end of the value.";
    QTest::newRow("NaN") << camera(R"("focalMm": NaN)") << false
                         << json + "2, column 41: expected a value.";
    QTest::newRow("minus Infinity")
        << camera(R"("focalMm": -Infinity)") << false << json + "2, column 42: expected a digit.";
    QTest::newRow("1e999 overflows") << camera(R"("focalMm": 1e999)") << false
                                     << json + "2, column 41: the number 1e999 is too large.";
    QTest::newRow("a leading zero")
        << QByteArray("[01]") << false << json + "1, column 3: expected ',' or ']'.";
    QTest::newRow("nested 65 deep") << QByteArray(65, '[') + QByteArray(65, ']') << false
                                    << json + "1, column 65: nested deeper than 64 levels.";
    QTest::newRow("a key twice") << QByteArray(R"({"format": "vistamarq-design", "format": "x"})")
                                 << false
                                 << json + "1, column 32: the key \"format\" appears twice.";
    QTest::newRow("invalid UTF-8") << QByteArray("{\"name\": \"ab\xC3\x28\"}") << false
                                   << json + "1, column 13: the text is not valid UTF-8.";
    QTest::newRow("an overlong slash") << QByteArray("[\"\xC0\xAF\"]") << false
                                       << json + "1, column 3: the text is not valid UTF-8.";
    QTest::newRow("an escaped lone surrogate")
        << QByteArray(R"(["a\ud800b"])") << false
        << json + "1, column 4: a \\u escape holds half a character (a lone high surrogate).";
    QTest::newRow("a raw line break in a string")
        << QByteArray("[\"a\nb\"]") << false
        << json + "1, column 4: a control character in a string (write it as an escape).";

    const QString notDesign =
        "This is not a Vistamarq design (its \"format\" is not \"vistamarq-design\").";
    QTest::newRow("a list") << QByteArray("[]") << false << notDesign;
    QTest::newRow("another format")
        << QByteArray(R"({"format": "vistamarq-settings"})") << false << notDesign;
    QTest::newRow("a newer version")
        << QByteArray(R"({"format": "vistamarq-design", "version": 2, "cameras": "later"})")
        << false
        << "This design was written by a newer Vistamarq (file version 2); this one reads "
           "version 1.";
    QTest::newRow("version 0.5")
        << QByteArray(R"({"format": "vistamarq-design", "version": 0.5})") << true
        << "The design's \"version\" must be a whole number from 1, not 0,5.";
    QTest::newRow("units in yards") << QByteArray(R"({"format": "vistamarq-design", "units":
        "yd"})") << false << "The design's units \"yd\" are neither \"m\" nor \"ft\".";
    QTest::newRow("a name that is a number")
        << QByteArray(R"({"format": "vistamarq-design", "name": 7})") << false
        << "The design's \"name\" must be text, not a number.";
    QTest::newRow("cameras an object")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": {}})") << false
        << "The design's \"cameras\" must be a list, not an object.";
    QTest::newRow("a camera that is a number")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{}, 4]})") << false
        << "Camera 2 must be an object, not a number.";

    QTest::newRow("focal length -4")
        << camera(R"("focalMm": -4)") << false
        << gate + "the focal length −4 mm is out of range (0.1 to 10000 mm).";
    QTest::newRow("focal length -4.5, decimal comma")
        << camera(R"("focalMm": -4.5)") << true
        << gate + "the focal length −4,5 mm is out of range (0,1 to 10000 mm).";
    QTest::newRow("half a pixel")
        << camera(R"("pixels": [1920.5, 1080])") << false
        << gate + "the width in pixels 1920.5 is not a whole number from 1 to 100000.";
    QTest::newRow("no pixels down")
        << camera(R"("pixels": [0, 0])") << false
        << gate + "the width in pixels 0 is not a whole number from 1 to 100000.";
    QTest::newRow("one pixel count") << camera(R"("pixels": [1920])") << false
                                     << gate + "\"pixels\" must be a list of two numbers.";
    QTest::newRow("a custom sensor 0.05 mm wide") << sensor(R"("format": "custom", "widthMm":
        0.05)") << false << gate + "the sensor width 0.05 mm is out of range (0.1 to 100 mm).";
    QTest::newRow("pixels of 200 µm")
        << sensor(R"("format": "custom", "pixelSizeUm": 200)") << false
        << gate + "the pixel size 200 µm is out of range (0.1 to 100 µm).";
    QTest::newRow("distance 0, not mounted")
        << camera(R"("distanceM": 0)") << false
        << gate + "the distance 0 m is out of range (0.01 to 100000 m).";
    QTest::newRow("distance 1e6 along the ground")
        << camera(R"("mounted": true, "distanceM": 1e6)") << false
        << gate + "the distance 1000000 m is out of range (0 to 100000 m).";
    QTest::newRow("camera height 0, not mounted")
        << camera(R"("cameraHeightM": 0)") << false
        << gate + "the camera height 0 m is out of range (0.01 to 10000 m).";
    QTest::newRow("target underground")
        << camera(R"("targetHeightM": -1)") << false
        << gate + "the target height −1 m is out of range (0 to 10000 m).";
    QTest::newRow("tilt past straight down")
        << camera(R"("tiltDeg": 95)") << false << gate + "the tilt 95° is out of range (0 to 90°).";
    QTest::newRow("required width 0")
        << camera(R"("requiredWidthM": 0)") << false
        << gate + "the required width 0 m is out of range (0.01 to 100000 m).";

    QTest::newRow("focal length as text")
        << camera(R"("focalMm": "4")") << false << gate + "\"focalMm\" must be a number, not text.";
    QTest::newRow("mounted as text") << camera(R"("mounted": "yes")") << false
                                     << gate + "\"mounted\" must be true or false, not text.";
    QTest::newRow("tilt as text") << camera(R"("tiltDeg": "aimed")") << false
                                  << gate + "\"tiltDeg\" must be a number or null, not text.";
    QTest::newRow("lens as a number") << camera(R"("lens": 614)") << false
                                      << gate + "\"lens\" must be text or null, not a number.";
    QTest::newRow("a sensor's width as text")
        << sensor(R"("widthMm": "5")") << false
        << gate + "\"widthMm\" in \"sensor\" must be a number or null, not text.";
    QTest::newRow("a name as a list, then no name to show")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{"name": []}]})") << false
        << "Camera 1: \"name\" must be text, not a list.";
    QTest::newRow("an unknown format")
        << sensor(R"("format": "1/5\"")") << false
        << gate + "the sensor format \"1/5\\\"\" is not one Vistamarq knows.";
    QTest::newRow("aspect 5:4") << sensor(R"("aspect": "5:4")") << false
                                << gate + "the aspect \"5:4\" is neither \"4:3\" nor \"16:9\".";
    QTest::newRow("distance kind in the air")
        << camera(R"("distanceKind": "air")") << false
        << gate + "the distance kind \"air\" is neither \"lineOfSight\" nor \"ground\".";
    QTest::newRow("level misspelt")
        << camera(R"("requiredLevel": "Identity")") << false
        << gate +
               "the required level \"Identity\" is not one of Monitor, Detect, Observe, "
               "Recognise, Identify, Inspect.";
    QTest::newRow("an empty id") << camera(R"("id": "")") << false << gate + "the id is empty.";

    const auto plan = [](const char* keys) {
        return QByteArray(R"({"format": "vistamarq-design", "plans": [{"id": "p1"}, {"name":
            "Yard", )") +
               keys + "}]}";
    };
    const QString yard = "Plan 2 (\"Yard\"): ";
    const QString range = " m is out of range (−1000000 to 1000000 m).";
    QTest::newRow("a camera on a plan the design does not have")
        << camera(R"("plan": "p9", "x": 1, "y": 2, "headingDeg": 0)") << false
        << gate + "it stands on the plan \"p9\", which the design does not have.";
    QTest::newRow("a camera on a plan without a heading")
        << camera(R"("plan": "p1", "x": 1, "y": 2)") << false
        << gate +
               "a camera on a plan needs all of \"plan\", \"x\", \"y\" and \"headingDeg\"; "
               "\"headingDeg\" is missing.";
    QTest::newRow("a camera 1e6 m and a bit away")
        << camera(R"("plan": "p1", "x": 1000000.5, "y": 2, "headingDeg": 0)") << false
        << gate + "the x on the plan 1000000.5" + range;
    QTest::newRow("a camera's heading as text")
        << camera(R"("plan": "p1", "x": 1, "y": 2, "headingDeg": "north")") << false
        << gate + "\"headingDeg\" must be a number, not text.";
    QTest::newRow("an image hash in capitals")
        << plan(R"("image": "180717EF988A70F385BED384A465C48DC997C7922AE3AD589164A18D189FA540")")
        << false
        << yard +
               "the image "
               "\"180717EF988A70F385BED384A465C48DC997C7922AE3AD589164A18D189FA540\" is not a "
               "SHA-256 of 64 lower-case hex digits.";
    QTest::newRow("an image hash one digit short")
        << plan(R"("image": "abc")") << false
        << yard + "the image \"abc\" is not a SHA-256 of 64 lower-case hex digits.";
    QTest::newRow("a PDF page that is not a whole number")
        << plan(R"("imagePage": 1.5)") << false
        << yard + "the image's page 1.5 is not a page from 0 to 99999.";
    QTest::newRow("a PDF page before the first")
        << plan(R"("imagePage": -1)") << false
        << yard + "the image's page \u22121 is not a page from 0 to 99999.";
    QTest::newRow("a scale of 0 m per pixel")
        << plan(R"("metresPerPixel": 0)") << false
        << yard + "the scale 0 m per pixel is out of range (above 0, to 10000).";
    QTest::newRow("an origin of one number")
        << plan(R"("origin": [3])") << false << yard + "\"origin\" must be a list of two numbers.";
    QTest::newRow("an origin beyond the extent")
        << plan(R"("origin": [0, -2e6])") << false << yard + "the origin's y −2000000" + range;
    QTest::newRow("a wall with 3 numbers") << plan(R"("walls": [[0, 0, 5, 0], [0, 0, 5]])") << false
                                           << yard + "wall 2 must be a list of four numbers.";
    QTest::newRow("a wall as an object")
        << plan(R"("walls": [{}])") << false << yard + "wall 1 must be a list of four numbers.";
    QTest::newRow("a wall's end beyond the extent")
        << plan(R"("walls": [[0, 0, 5, 1e7]])") << false << yard + "wall 1's y2 10000000" + range;
    QTest::newRow("a target beyond the extent")
        << plan(R"("targets": [{"name": "Door", "x": 2e6}])") << false
        << "Plan 2 (\"Yard\"), target 1 (\"Door\"): the x 2000000" + range;
    QTest::newRow("a target's level misspelt")
        << plan(R"("targets": [{}, {"level": "Identity"}])") << false
        << "Plan 2 (\"Yard\"), target 2: the level \"Identity\" is not one of Monitor, Detect, "
           "Observe, Recognise, Identify, Inspect.";
    QTest::newRow("a target that is a number") << plan(R"("targets": [4])") << false
                                               << "Plan 2 (\"Yard\"), target 1 must be an object, "
                                                  "not a number.";
    QTest::newRow("a plan id twice")
        << plan(R"("id": "p1")") << false << "Plans 1 and 2 have the same id \"p1\".";
    QTest::newRow("a target id on two plans")
        << QByteArray(R"({"format": "vistamarq-design", "plans": [{"targets": [{"id": "t1"}]},
            {"targets": [{"id": "t1"}]}]})")
        << false << "Two targets have the same id \"t1\".";
    QTest::newRow("next plan number 0")
        << QByteArray(R"({"format": "vistamarq-design", "nextPlanNumber": 0})") << false
        << "The design's \"nextPlanNumber\" must be a whole number from 1 to 1e+15, "
           "not 0.";
    QTest::newRow("an id twice")
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{}, {"id": "c2"}, {},
            {"id": "c2"}]})")
        << false << "Cameras 2 and 4 have the same id \"c2\".";
}

void DesignJsonTest::refused() {
    QFETCH(QByteArray, json);
    QFETCH(bool, comma);
    QFETCH(QString, message);
    const DesignReading reading = ReadDesign(json.toStdString(), comma ? kComma : NumberFormat{});
    QVERIFY(!reading.design);
    QCOMPARE(Q(reading.error), message);
}

// Every seed of the fuzzer that opens: saved, opened and saved again, it gives the same bytes;
// those Vistamarq wrote give their own bytes back.
void DesignJsonTest::savedAgain_data() {
    QTest::addColumn<QString>("seed");
    QTest::addColumn<bool>("asWritten");
    QTest::newRow("the documented example") << "harbour-gate-three-cameras" << true;
    QTest::newRow("unknown keys kept") << "unknown-keys-kept" << true;
    QTest::newRow("the documented plan") << "corner-shop-plan" << true;
    QTest::newRow("format only") << "format-only" << false;
    QTest::newRow("feet, keys missing") << "feet-keys-missing" << false;
}

void DesignJsonTest::savedAgain() {
    QFETCH(QString, seed);
    QFETCH(bool, asWritten);
    const QByteArray json = Seed(seed);
    QVERIFY(!json.isEmpty());
    const DesignReading first = ReadDesign(json.toStdString(), {});
    QVERIFY(first.design);
    const std::string saved = WriteDesign(*first.design);
    if (asWritten)
        QCOMPARE(QByteArray::fromStdString(saved), json);
    const DesignReading second = ReadDesign(saved, {});
    QVERIFY(second.design);
    QCOMPARE(QByteArray::fromStdString(WriteDesign(*second.design)),
             QByteArray::fromStdString(saved));
}

QTEST_GUILESS_MAIN(DesignJsonTest)
#include "test_design_json.moc"
