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

// The same, 15 ft above a 5.5 ft face 20 ft away on the ground, in feet.
DesignSheetInputs MountedInFeet() {
    DesignSheetInputs in = Third(u"20");
    in.form.unit = LengthUnit::Feet;
    in.form.mounted = true;
    std::tie(in.form.cameraHeight, in.form.targetHeight) = std::pair(u"15", u"5.5");
    return in;
}

// 1920 × 1080 pixels of 2.9 µm, 2.8 mm, 10 m, typed with a decimal comma.
DesignSheetInputs CustomPixels() {
    DesignSheetInputs in = Third(u"10");
    in.form.format = kCustomFormat;
    in.form.custom = CustomSensor::ByPixelSize;
    std::tie(in.form.pixelSizeUm, in.form.pixelsDown, in.form.focalLengthMm) =
        std::tuple(u"2,9", u"1080", u"2,8");
    return in;
}

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// A CSV file's records as RFC 4180 reads them: a field quoted, its quotes doubled, or holding no
// quote, comma or line break, ended by a comma or CR LF. Reading stops at any other field.
QList<QStringList> ReadCsv(const QString& csv) {
    static const QRegularExpression field(R"(\G("(?:[^"]|"")*"|[^",\r\n]*)(,|\r\n))");
    QList<QStringList> records{{}};
    for (const QRegularExpressionMatch& match : field.globalMatch(csv)) {
        const QString text = match.captured(1);
        records.last() << (text.startsWith('"') ? text.mid(1, text.size() - 2).replace("\"\"", "\"")
                                                : text);
        if (match.captured(2) == "\r\n")
            records << QStringList();
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
    QTest::addColumn<QString>("text");  // from the first line to the last; "…" skips lines
    QTest::newRow("1/3 inch, 4 mm, 20 ft in metres: Identify, 126 lenses")
        << Third() << false
        << "Date: 14 May 2025\nFollow: Calculator, wide (row 1)\n"
           "Sensor format: 1/3\" (nominal, 6 mm diagonal)\nAspect ratio: 4:3\n"
           "Pixels across: 1920\nPixels down: 1440\nFocal length: 4 mm\n"
           "Distance along the line of sight: 6.096 m\nUnit: metres\n"
           "Camera mounted above the target: no\nHorizontal angle of view: 61.9°\n"
           "Vertical angle of view: 48.5°\nDiagonal angle of view: 73.7°\n"
           "Scene width: 7.32 m\nScene height: 5.49 m\n"
           "Pixel density: 262.5 px/m\nPixel density: 80.0 px/ft\n"
           "DORI level reached: Identify\n"
           "Monitor, farthest distance: 128.00 m\nMonitor, focal length needed: 0.19 mm\n"
           "Monitor, pixels across needed: 92\n"
           "Detect, farthest distance: 64.00 m\nDetect, focal length needed: 0.38 mm\n"
           "Detect, pixels across needed: 183\n"
           "Observe, farthest distance: 25.60 m\nObserve, focal length needed: 0.95 mm\n"
           "Observe, pixels across needed: 458\n"
           "Recognise, farthest distance: 12.80 m\nRecognise, focal length needed: 1.91 mm\n"
           "Recognise, pixels across needed: 915\n"
           "Identify, farthest distance: 6.40 m\nIdentify, focal length needed: 3.81 mm\n"
           "Identify, pixels across needed: 1829\n"
           "Inspect, farthest distance: 1.60 m\nInspect, focal length needed: 15.24 mm\n"
           "Inspect, pixels across needed: 7316\n"
           "Required level: Identify\nLens 1, model number: H3580V\n"
           "Lens 1, description: 1/2\"  3.5-8mm F1.4 varifocal, manual iris and focus, CS mount\n"
           "Lens 1, focal length: 3.81 mm\nLens 1, pixel density: 250.0 px/m\n"
           "Lens 1, scene width: 7.68 m\n…\nLens 126, model number: MF10020\n"
           "Lens 126, description: 2/3\"  100mm F2.0 manual iris, locking iris and focus, C mount\n"
           "Lens 126, focal length: 100.00 mm\nLens 126, pixel density: 6561.7 px/m\n"
           "Lens 126, scene width: 0.29 m";
    QTest::newRow("mounted 15 ft above a 5.5 ft face, 20 ft away, aimed: Recognise")
        << MountedInFeet() << false
        << "…\nDistance on the ground: 20 ft\nUnit: feet\nCamera mounted above the target: yes\n"
           "Camera height: 15 ft\nTarget height: 5.5 ft\nTilt: aimed at the target\n…\n"
           "Pixel density: 237.1 px/m\nPixel density: 72.3 px/ft\n"
           "DORI level reached: Recognise\nDistance along the line of sight: 22.14 ft\n"
           "Tilt below the horizontal: 25.4°\nBlind zone: 8.08 ft\n"
           "Near edge of the view on the ground: 12.75 ft\n"
           "Far edge of the view on the ground: 728.25 ft\n…\n"
           "Identify, farthest distance: 21.00 ft\nIdentify, focal length needed: 4.22 mm\n"
           "Identify, pixels across needed: 2025\nIdentify, ground range: 8.08–18.73 ft\n…\n"
           "Inspect, ground range: Not reached\nRequired level: Identify\n…\n"
           "Lens 1, pixel density: 76.2 px/ft\nLens 1, scene width: 25.20 ft\n…";
    QTest::newRow("custom 2.9 µm pixels, 2.8 mm, 10 m, decimal comma: Observe")
        << CustomPixels() << true
        << "…\nPixel size: 2,9 µm\nPixels across: 1920\nPixels down: 1080\nFocal length: 2,8 "
           "mm\n…\n"
           "Horizontal angle of view: 89,7°\n…\nPixel density: 96,6 px/m\n…\n"
           "DORI level reached: Observe\n…";
    QTest::newRow("distance not a number: a note and the em dash, no lenses")
        << Third(u"20 ft") << false
        << "…\nDistance along the line of sight: —\nUnit: metres\n"
           "Camera mounted above the target: no\nNote: Enter a distance above 0 m.\n"
           "Horizontal angle of view: 61.9°\n…\nScene width: —\n…\nDORI level reached: —\n…\n"
           "Identify, farthest distance: 6.40 m\nIdentify, focal length needed: —\n"
           "Identify, pixels across needed: —\n…\nLenses: —";
    QTest::newRow("Inspect at 100 m: no lens reaches it")
        << Third(u"100", 5) << false
        << "…\nRequired level: Inspect\n"
           "Lenses: No lens of the catalogue reaches Inspect at 100.00 m with this camera.";
}

void DesignSheetTest::copiedText() {
    QFETCH(DesignSheetInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(QString, text);
    const NumberFormat format = comma ? kComma : NumberFormat{};
    const QString copiedText = Q(SheetText(MakeDesignSheet(inputs, format), format));
    QVERIFY(copiedText.endsWith('\n'));
    QVERIFY(!copiedText.contains(QRegularExpression("\\b(inf|nan)\\b")));
    const QStringList copied = copiedText.chopped(1).split('\n');
    // Each run of expected lines follows the one before; a run with no "…" before it starts the
    // text, one with none after it ends it.
    int at = 0;
    bool skipping = false;
    for (const QString& line : text.split('\n')) {
        if (line == "…") {
            skipping = true;
            continue;
        }
        while (skipping && at < copied.size() && copied[at] != line)
            ++at;
        QVERIFY2(at < copied.size(), qPrintable(line));
        QCOMPARE(copied[at++], line);
        skipping = false;
    }
    if (!skipping)
        QCOMPARE(at, copied.size());
}

void DesignSheetTest::csvReadsBack_data() {
    QTest::addColumn<DesignSheetInputs>("inputs");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("fields");  // "header=value" as read back, after "; "
    QTest::newRow("1/3 inch, 4 mm, 20 ft: quotes and commas in names and values")
        << Third() << false
        << "Follow=Calculator, wide (row 1); Sensor format=1/3\" (nominal, 6 mm diagonal); "
           "Horizontal angle of view (°)=61.9; Identify, farthest distance (m)=6.40; "
           "Lens 1, description=1/2\"  3.5-8mm F1.4 varifocal, manual iris and focus, CS mount";
    QTest::newRow("mounted, in feet: a range and Not reached")
        << MountedInFeet() << false
        << "Identify, ground range (ft)=8.08–18.73; Inspect, ground range (ft)=Not reached";
    QTest::newRow("decimal comma typed: decimal point written")
        << CustomPixels() << true
        << "Pixel size (µm)=2.9; Focal length (mm)=2.8; Pixel density (px/m)=96.6";
}

void DesignSheetTest::csvReadsBack() {
    QFETCH(DesignSheetInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(QString, fields);
    const DesignSheet sheet = MakeDesignSheet(inputs, comma ? kComma : NumberFormat{});
    const std::string csv = SheetCsv(sheet);
    const QList<QStringList> records = ReadCsv(QString::fromUtf8(csv.data(), int(csv.size())));
    QCOMPARE(records.size(), 2);
    const std::vector<SheetLine> lines = SheetLines(sheet, NumberFormat{u".", u""});
    QCOMPARE(records[0].size(), int(lines.size()));
    QCOMPARE(records[1].size(), int(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString name = Q(FullName(lines[i])), unit = Q(lines[i].unit);
        QCOMPARE(records[0][int(i)], unit.isEmpty() ? name : name + " (" + unit + ")");
        QCOMPARE(records[1][int(i)], Q(lines[i].value));
    }
    for (const QString& field : fields.split("; ")) {
        const int column = records[0].indexOf(field.section('=', 0, 0));
        QVERIFY2(column >= 0, qPrintable(field));
        QCOMPARE(records[0][column] + "=" + records[1][column], field);
    }
}

QTEST_GUILESS_MAIN(DesignSheetTest)
#include "test_design_sheet.moc"
