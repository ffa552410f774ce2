// The design sheet as the user copies it and saves it: the worked examples' lines, and a CSV
// file that reads back to the same names and values.
#include <QRegularExpression>
#include <QtTest>

#include "design_sheet.h"

Q_DECLARE_METATYPE(DesignSheetInputs)

namespace {

const NumberFormat kComma{u",", u"."};

// The first worked example: 1/3" 4:3, 4 mm, 20 ft (6.096 m), 1920 across, in metres.
DesignSheetInputs Third(const char16_t* distance = u"6.096", int level = 4) {
    DesignSheetInputs in{DefaultCoverageInputs(LengthUnit::Metres), u"Calculator, wide (row 1)",
                         level, u"14 May 2025"};
    in.form.distance = distance;
    return in;
}

DesignSheetInputs MountedInFeet() {
    DesignSheetInputs in = Third(u"20");
    in.form.unit = LengthUnit::Feet;
    in.form.mounted = true;
    in.form.cameraHeight = u"15";
    in.form.targetHeight = u"5.5";
    return in;
}

DesignSheetInputs CustomPixels() {
    DesignSheetInputs in = Third(u"10");
    in.form.format = kCustomFormat;
    in.form.custom = CustomSensor::ByPixelSize;
    in.form.pixelSizeUm = u"2,9";
    in.form.pixelsDown = u"1080";
    in.form.focalLengthMm = u"2,8";
    return in;
}

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// One CSV file's records, read as RFC 4180 says.
QList<QStringList> ReadCsv(const QString& csv) {
    QList<QStringList> records{{}};
    QString field;
    bool quoted = false;
    for (int i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
            field += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            records.last() << field;
            field.clear();
        } else if (!quoted && c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            records.last() << field;
            field.clear();
            records << QStringList();
            ++i;
        } else {
            field += c;
        }
    }
    records.removeLast();  // after the last line end
    return records;
}

}  // namespace

class DesignSheetTest : public QObject {
    Q_OBJECT

  private slots:
    void copiedText_data();
    void copiedText();
    void csvReadsBack_data();
    void csvReadsBack();
};

void DesignSheetTest::copiedText_data() {
    QTest::addColumn<DesignSheetInputs>("inputs");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<int>("lineCount");      // 0: not counted
    QTest::addColumn<QStringList>("lines");  // from the first to the last; "…" skips lines
    QTest::newRow("1/3 inch, 4 mm, 20 ft in metres: Identify, 126 lenses")
        << Third() << false << 37 + 5 * 126
        << QStringList{"Date: 14 May 2025",
                       "Follow: Calculator, wide (row 1)",
                       "Sensor format: 1/3\" (nominal, 6 mm diagonal)",
                       "Aspect ratio: 4:3",
                       "Pixels across: 1920",
                       "Pixels down: 1440",
                       "Focal length: 4 mm",
                       "Distance along the line of sight: 6.096 m",
                       "Unit: metres",
                       "Camera mounted above the target: no",
                       "Horizontal angle of view: 61.9°",
                       "Vertical angle of view: 48.5°",
                       "Diagonal angle of view: 73.7°",
                       "Scene width: 7.32 m",
                       "Scene height: 5.49 m",
                       "Pixel density: 262.5 px/m",
                       "Pixel density: 80.0 px/ft",
                       "DORI level reached: Identify",
                       "Monitor, farthest distance: 128.00 m",
                       "Monitor, focal length needed: 0.19 mm",
                       "Monitor, pixels across needed: 92",
                       "Detect, farthest distance: 64.00 m",
                       "Detect, focal length needed: 0.38 mm",
                       "Detect, pixels across needed: 183",
                       "Observe, farthest distance: 25.60 m",
                       "Observe, focal length needed: 0.95 mm",
                       "Observe, pixels across needed: 458",
                       "Recognise, farthest distance: 12.80 m",
                       "Recognise, focal length needed: 1.91 mm",
                       "Recognise, pixels across needed: 915",
                       "Identify, farthest distance: 6.40 m",
                       "Identify, focal length needed: 3.81 mm",
                       "Identify, pixels across needed: 1829",
                       "Inspect, farthest distance: 1.60 m",
                       "Inspect, focal length needed: 15.24 mm",
                       "Inspect, pixels across needed: 7316",
                       "Required level: Identify",
                       "Lens 1, model number: H3580V",
                       "Lens 1, description: 1/2\"  3.5-8mm F1.4 varifocal, manual iris and "
                       "focus, CS mount",
                       "Lens 1, focal length: 3.81 mm",
                       "Lens 1, pixel density: 250.0 px/m",
                       "Lens 1, scene width: 7.68 m",
                       "…",
                       "Lens 126, model number: MF10020",
                       "Lens 126, description: 2/3\"  100mm F2.0 manual iris, locking iris and "
                       "focus, C mount",
                       "Lens 126, focal length: 100.00 mm",
                       "Lens 126, pixel density: 6561.7 px/m",
                       "Lens 126, scene width: 0.29 m"};
    QTest::newRow("mounted 15 ft above a 5.5 ft face, 20 ft away, aimed: Recognise")
        << MountedInFeet() << false << 0
        << QStringList{"…",
                       "Distance on the ground: 20 ft",
                       "Unit: feet",
                       "Camera mounted above the target: yes",
                       "Camera height: 15 ft",
                       "Target height: 5.5 ft",
                       "Tilt: aimed at the target",
                       "…",
                       "Pixel density: 237.1 px/m",
                       "Pixel density: 72.3 px/ft",
                       "DORI level reached: Recognise",
                       "Distance along the line of sight: 22.14 ft",
                       "Tilt below the horizontal: 25.4°",
                       "Blind zone: 8.08 ft",
                       "Near edge of the view on the ground: 12.75 ft",
                       "Far edge of the view on the ground: 728.25 ft",
                       "…",
                       "Identify, farthest distance: 21.00 ft",
                       "Identify, focal length needed: 4.22 mm",
                       "Identify, pixels across needed: 2025",
                       "Identify, ground range: 8.08–18.73 ft",
                       "…",
                       "Inspect, ground range: Not reached",
                       "Required level: Identify",
                       "…",
                       "Lens 1, pixel density: 76.2 px/ft",
                       "Lens 1, scene width: 25.20 ft",
                       "…"};
    QTest::newRow("custom 2.9 µm pixels, 2.8 mm, 10 m, decimal comma: Observe")
        << CustomPixels() << true << 0
        << QStringList{"…",
                       "Sensor format: Custom",
                       "Pixel size: 2,9 µm",
                       "Pixels across: 1920",
                       "Pixels down: 1080",
                       "Focal length: 2,8 mm",
                       "Distance along the line of sight: 10 m",
                       "…",
                       "Horizontal angle of view: 89,7°",
                       "Vertical angle of view: 58,4°",
                       "Diagonal angle of view: 97,5°",
                       "…",
                       "Pixel density: 96,6 px/m",
                       "…",
                       "DORI level reached: Observe",
                       "…"};
    QTest::newRow("distance not a number: a note and the em dash, no lenses")
        << Third(u"20 ft") << false << 39
        << QStringList{"…",
                       "Distance along the line of sight: —",
                       "Unit: metres",
                       "Camera mounted above the target: no",
                       "Note: Enter a distance above 0 m.",
                       "Horizontal angle of view: 61.9°",
                       "…",
                       "Scene width: —",
                       "…",
                       "DORI level reached: —",
                       "…",
                       "Identify, farthest distance: 6.40 m",
                       "Identify, focal length needed: —",
                       "Identify, pixels across needed: —",
                       "…",
                       "Lenses: —"};
    QTest::newRow("Inspect at 100 m: no lens reaches it")
        << Third(u"100", 5) << false << 38
        << QStringList{"…", "Required level: Inspect",
                       "Lenses: No lens of the catalogue reaches Inspect at 100.00 m with this "
                       "camera."};
}

void DesignSheetTest::copiedText() {
    QFETCH(DesignSheetInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(int, lineCount);
    QFETCH(QStringList, lines);
    const NumberFormat format = comma ? kComma : NumberFormat{};
    const QString text = Q(SheetText(MakeDesignSheet(inputs, format), format));
    QVERIFY(text.endsWith('\n'));
    const QStringList copied = text.chopped(1).split('\n');
    if (lineCount > 0)
        QCOMPARE(copied.size(), lineCount);
    QVERIFY2(!text.contains(
                 QRegularExpression("\\b(inf|nan)\\b", QRegularExpression::CaseInsensitiveOption)),
             qPrintable(text));
    // Each run of expected lines follows the one before; a run with no "…" before it starts the
    // text, one with none after it ends it.
    int at = 0;
    bool skipping = false;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i] == "…") {
            skipping = true;
            continue;
        }
        while (skipping && at < copied.size() && copied[at] != lines[i])
            ++at;
        QVERIFY2(at < copied.size(), qPrintable(lines[i]));
        QCOMPARE(copied[at++], lines[i]);
        skipping = false;
    }
    if (!skipping)
        QCOMPARE(at, copied.size());
}

void DesignSheetTest::csvReadsBack_data() {
    QTest::addColumn<DesignSheetInputs>("inputs");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("fields");  // "header=value", as read back
    QTest::newRow("1/3 inch, 4 mm, 20 ft: quotes and commas in names and values")
        << Third() << false
        << QStringList{"Follow=Calculator, wide (row 1)",
                       "Sensor format=1/3\" (nominal, 6 mm diagonal)",
                       "Horizontal angle of view (°)=61.9", "Identify, farthest distance (m)=6.40",
                       "Lens 1, description=1/2\"  3.5-8mm F1.4 varifocal, manual iris and focus, "
                       "CS mount"};
    QTest::newRow("mounted, in feet: a range and Not reached")
        << MountedInFeet() << false
        << QStringList{"Identify, ground range (ft)=8.08–18.73",
                       "Inspect, ground range (ft)=Not reached"};
    QTest::newRow("decimal comma typed: decimal point written")
        << CustomPixels() << true
        << QStringList{"Pixel size (µm)=2.9", "Focal length (mm)=2.8", "Pixel density (px/m)=96.6"};
}

void DesignSheetTest::csvReadsBack() {
    QFETCH(DesignSheetInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(QStringList, fields);
    const DesignSheet sheet = MakeDesignSheet(inputs, comma ? kComma : NumberFormat{});
    const std::string csv = SheetCsv(sheet);
    const QList<QStringList> records = ReadCsv(QString::fromUtf8(csv.data(), int(csv.size())));
    QCOMPARE(records.size(), 2);
    const std::vector<SheetLine> lines = SheetLines(sheet, NumberFormat{u".", u""});
    QCOMPARE(records[0].size(), int(lines.size()));
    QCOMPARE(records[1].size(), int(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SheetLine& line = lines[i];
        const QString name = Q(FullName(line));
        QCOMPARE(records[0][int(i)], line.unit.empty() ? name : name + " (" + Q(line.unit) + ")");
        QCOMPARE(records[1][int(i)], Q(line.value));
    }
    for (const QString& field : fields) {
        const int column = records[0].indexOf(field.section('=', 0, 0));
        QVERIFY2(column >= 0, qPrintable(field));
        QCOMPARE(records[0][column] + "=" + records[1][column], field);
    }
}

QTEST_GUILESS_MAIN(DesignSheetTest)
#include "test_design_sheet.moc"
