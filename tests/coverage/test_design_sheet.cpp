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
    DesignSheetInputs in{DefaultCoverageInputs(LengthUnit::Metres),
                         u"Calculator, wide (row 1)",
                         u"14 May 2025",
                         {2025, 5, 14},
                         {}};
    in.form.distance = distance;
    in.form.requiredLevel = level;
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

// The same with the distance typed along the line of sight, a lens chosen and the lens list
// filtered: every kind of line the sheet writes.
DesignSheetInputs MountedAlongTheSight(const char16_t* lensModel = u"MZ12575") {
    DesignSheetInputs in = MountedInFeet();
    in.form.distanceIsLineOfSight = true;
    in.form.lensModel = lensModel;
    in.form.requiredWidth = u"10";
    in.lensFilter.Set(LensKind::Fixed, false).minimumMegapixels = 2;
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
    void namesAreUnique_data();
    void namesAreUnique();
    void isoDate_data();
    void isoDate();
};

void DesignSheetTest::copiedText_data() {
    QTest::addColumn<DesignSheetInputs>("inputs");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("paper");    // the page's lines, written as the clipboard's
    QTest::addColumn<QString>("text");  // from the first line to the last; "…" skips lines
    QTest::newRow("1/3 inch, 4 mm, 20 ft in metres: Identify, 126 lenses, fixed first")
        << Third() << false << false
        << "Date: 14 May 2025\nFollow: Calculator, wide (row 1)\n"
           "Sensor format: 1/3\" (nominal, 6 mm diagonal)\nAspect ratio: 4:3\n"
           "Pixels across: 1920\nPixels down: 1440\nFocal length: 4 mm\n"
           "Distance along the line of sight: 6.096 m\nUnit: metres\n"
           "Camera mounted above the target: no\nHorizontal angle of view: 61.9°\n"
           "Vertical angle of view: 48.5°\nDiagonal angle of view: 73.7°\n"
           "Scene width at the target: 7.32 m (24.00 ft)\n"
           "Scene height at the target: 5.49 m (18.00 ft)\n"
           "Pixel density across the scene: 262.5 px/m (80.0 px/ft)\n"
           "DORI level reached: Identify\n"
           "Monitor, farthest distance along the line of sight: 128.00 m (419.94 ft)\nMonitor, "
           "focal length needed: 0.20 mm\n"
           "Monitor, pixels across needed: 92\n"
           "Detect, farthest distance along the line of sight: 64.00 m (209.97 ft)\nDetect, focal "
           "length needed: 0.39 mm\n"
           "Detect, pixels across needed: 183\n"
           "Observe, farthest distance along the line of sight: 25.60 m (83.98 ft)\nObserve, focal "
           "length needed: 0.96 mm\n"
           "Observe, pixels across needed: 458\n"
           "Recognise, farthest distance along the line of sight: 12.80 m (41.99 ft)\nRecognise, "
           "focal length needed: 1.91 mm\n"
           "Recognise, pixels across needed: 915\n"
           "Identify, farthest distance along the line of sight: 6.40 m (20.99 ft)\nIdentify, "
           "focal length needed: 3.81 mm\n"
           "Identify, pixels across needed: 1829\n"
           "Inspect, farthest distance along the line of sight: 1.60 m (5.24 ft)\nInspect, focal "
           "length needed: 15.24 mm\n"
           "Inspect, pixels across needed: 7316\n"
           "Required level: Identify\nLenses: 126 of 126 shown\nLens 1, model number: H0416\n"
           "Lens 1, description: 1/2\"  4mm F1.6 manual iris and focus, CS mount\n"
           "Lens 1, focal length: 4.00 mm\nLens 1, pixel density: 262.5 px/m\n"
           "Lens 1, scene width: 7.32 m\n…\nLens 126, model number: HGZ16160V2PS\n"
           "Lens 126, description: 1/2\"  16-160mm F1.8 10x zoom, video iris, preset and spot, "
           "C mount\nLens 126, focal length: 16.00 mm\nLens 126, pixel density: 1049.9 px/m\n"
           "Lens 126, scene width: 1.83 m";
    QTest::newRow("the same on paper: 40 lenses and a count of the others")
        << Third() << false << true
        << "…\nLens 40, scene width: 7.68 m\nMore lenses: and 86 more lenses";
    QTest::newRow("mounted 15 ft above a 5.5 ft face, 20 ft away, aimed: Recognise")
        << MountedInFeet() << false << false
        << "…\nDistance on the ground: 20 ft\nUnit: feet\nCamera mounted above the target: yes\n"
           "Camera height: 15 ft\nTarget height: 5.5 ft\nTilt: aimed at the target\n…\n"
           "Pixel density across the scene: 72.3 px/ft (237.1 px/m)\n"
           "DORI level reached: Recognise\n"
           "Distance along the line of sight: 22.14 ft (6.75 m)\n"
           "Tilt below the horizontal: 25.4°\nBlind zone (target not seen "
           "whole): 8.08 ft (2.46 "
           "m)\n"
           "View meets the ground from: 12.75 ft (3.89 m)\n"
           "View meets the ground up to: 728.25 ft (221.97 m)\n"
           "Look-down angle at the target: 25.4° below the horizontal\n…\n"
           "Identify, farthest distance on the ground from the pole: 18.72 ft (5.70 m)\nIdentify, "
           "focal length needed: 4.22 mm\n"
           "Identify, pixels across needed: 2025\nIdentify, ground range at this tilt: 8.08–18.73 "
           "ft\n…\n"
           "Inspect, ground range at this tilt: Not reached\nRequired level: Identify\n…\n"
           "Lens 1, model number: M4818\n…\n"
           "Lens 1, pixel density: 86.7 px/ft\nLens 1, scene width: 22.14 ft\n…";
    QTest::newRow("along the line of sight: the ground distance, the lens, the width, the filters")
        << MountedAlongTheSight() << false << false
        << "…\nFocal length: 4 mm\n"
           "Lens: MZ12575 (2/3\"  12.5-75mm F1.8 6x manual zoom, manual iris and focus, C mount)\n"
           "Distance along the line of sight: 20 ft\n…\nDORI level reached: Identify\n"
           "Distance on the ground from the pole: 17.60 ft (5.36 m)\n…\n"
           "Required level: Identify\nRequired width: 10 ft\n"
           "Lens filters: varifocal or zoom; at least 2MP\nLenses: 5 of 126 shown\n"
           "Lens 1, model number: T2812V3M\n…\nLens 5, model number: TG2808VV5M\n…\n"
           "Lens 5, scene width: 25.20 ft";
    QTest::newRow("a lens the catalogue does not list")
        << MountedAlongTheSight(u"HG0614X") << false << false
        << "…\nLens: HG0614X (not in the catalogue)\n…";
    QTest::newRow("custom 2.9 µm pixels, 2.8 mm, 10 m, decimal comma: Observe")
        << CustomPixels() << true << false
        << "…\nPixel size: 2,9 µm\nPixels across: 1920\nPixels down: 1080\nFocal length: 2,8 "
           "mm\n…\n"
           "Horizontal angle of view: 89,7°\n…\n"
           "Pixel density across the scene: 96,6 px/m (29,4 px/ft)\n"
           "DORI level reached: Observe\n…";
    QTest::newRow("distance not a number: a note and the em dash, no lenses")
        << Third(u"20 ft") << false << false
        << "…\nDistance along the line of sight: —\nUnit: metres\n"
           "Camera mounted above the target: no\nNote: Enter a distance above 0 m.\n"
           "Horizontal angle of view: 61.9°\n…\nScene width at the target: —\n…\n"
           "DORI level reached: —\n…\n"
           "Identify, farthest distance along the line of sight: 6.40 m (20.99 ft)\nIdentify, "
           "focal length needed: —\n"
           "Identify, pixels across needed: —\n…\nLenses: —";
    QTest::newRow("Inspect at 100 m: no lens reaches it")
        << Third(u"100", 5) << false << false
        << "…\nRequired level: Inspect\n"
           "Lenses: No lens of the catalogue reaches Inspect at 100.00 m with this camera.";
}

void DesignSheetTest::copiedText() {
    QFETCH(DesignSheetInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(bool, paper);
    QFETCH(QString, text);
    const NumberFormat format = comma ? kComma : NumberFormat{};
    const DesignSheet sheet = MakeDesignSheet(inputs, format);
    QString copiedText = Q(SheetText(sheet, format));
    if (paper) {
        copiedText.clear();
        for (const SheetLine& line : SheetLines(sheet, format, SheetMedium::Paper))
            copiedText += Q(FullName(line) + u": " + ValueWithUnit(line)) + '\n';
    }
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
    QTest::addColumn<QString>("records");  // "section|name|value|unit" as read back, after "; "
    QTest::addColumn<QString>("raw");      // a record as written, CR LF left out; or empty
    QTest::newRow("1/3 inch, 4 mm, 20 ft: quotes and commas in names and values")
        << Third() << false
        << "Date|Date|2025-05-14|; Inputs|Follow|Calculator, wide (row 1)|; "
           "Inputs|Sensor format|1/3\" (nominal, 6 mm diagonal)|; "
           "Results|Horizontal angle of view|61.9|°; "
           "Results|Pixel density across the scene|262.5|px/m; "
           "DORI levels|Identify, farthest distance along the line of sight|6.40|m; "
           "Lenses|Lenses|126 of 126 shown|; "
           "Lenses|Lens 1, description|1/2\"  4mm F1.6 manual iris and focus, CS mount|"
        << "Inputs,Sensor format,\"1/3\"\" (nominal, 6 mm diagonal)\",";
    DesignSheetInputs quoted = Third();
    quoted.follow = u"Gate \"north\"";
    QTest::newRow("a quote without a comma: quoted, the quote doubled")
        << quoted << false << "Inputs|Follow|Gate \"north\"|"
        << "Inputs,Follow,\"Gate \"\"north\"\"\",";
    QTest::newRow("mounted, in feet: a range and Not reached")
        << MountedInFeet() << false
        << "DORI levels|Identify, ground range at this tilt|8.08–18.73|ft; "
           "DORI levels|Inspect, ground range at this tilt|Not reached|ft; "
           "Results|View meets the ground up to|728.25|ft"
        << "";
    QTest::newRow("decimal comma typed: decimal point written, ISO date")
        << CustomPixels() << true
        << "Date|Date|2025-05-14|; Inputs|Pixel size|2.9|µm; Inputs|Focal length|2.8|mm; "
           "Results|Pixel density across the scene|96.6|px/m"
        << "Results,Horizontal angle of view,89.7,°";
}

void DesignSheetTest::csvReadsBack() {
    QFETCH(DesignSheetInputs, inputs);
    QFETCH(bool, comma);
    QFETCH(QString, records);
    QFETCH(QString, raw);
    const DesignSheet sheet = MakeDesignSheet(inputs, comma ? kComma : NumberFormat{});
    const QString csv = QString::fromStdString(SheetCsv(sheet));
    QVERIFY(raw.isEmpty() || csv.contains(raw + "\r\n"));
    const QList<QStringList> read = ReadCsv(csv);
    const std::vector<SheetLine> lines = SheetLines(sheet, NumberFormat{u".", u""});
    // Every line of the sheet, read back whole, below the header.
    QCOMPARE(read.size(), int(lines.size()) + 1);
    QCOMPARE(read[0], (QStringList{"section", "name", "value", "unit"}));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QCOMPARE(read[int(i) + 1].size(), 4);
        QCOMPARE(read[int(i) + 1][1], Q(FullName(lines[i])));
    }
    for (const QString& record : records.split("; ")) {
        const auto found = std::find_if(read.begin(), read.end(), [&](const QStringList& r) {
            return r.mid(0, 2) == record.split('|').mid(0, 2);
        });
        QVERIFY2(found != read.end(), qPrintable(record));
        QCOMPARE(found->join('|'), record);
    }
}

// Over sheets with every optional line, and with the distance typed either way.
void DesignSheetTest::namesAreUnique_data() {
    QTest::addColumn<DesignSheetInputs>("inputs");
    QTest::newRow("mounted, on the ground, lenses") << MountedInFeet();
    QTest::newRow("mounted, along the line of sight, lens chosen, filters")
        << MountedAlongTheSight();
}

void DesignSheetTest::namesAreUnique() {
    QFETCH(DesignSheetInputs, inputs);
    const std::vector<SheetLine> lines = SheetLines(MakeDesignSheet(inputs, {}), {});
    QVERIFY(std::any_of(lines.begin(), lines.end(),
                        [](const SheetLine& line) { return line.row == u"Lens 2"; }));
    QSet<QString> names;
    for (const SheetLine& line : lines) {
        const QString name = Q(FullName(line));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
    }
}

void DesignSheetTest::isoDate_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded") << 2025 << 5 << 4 << "2025-05-04";
    QTest::newRow("year under 1000") << 987 << 12 << 31 << "0987-12-31";
    QTest::newRow("29 February of a leap year") << 2024 << 2 << 29 << "2024-02-29";
    QTest::newRow("29 February, 1900: none") << 1900 << 2 << 29 << "";
    QTest::newRow("31 April: none") << 2025 << 4 << 31 << "";
    QTest::newRow("no date given") << 0 << 0 << 0 << "";
}

void DesignSheetTest::isoDate() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(IsoDateText({year, month, day})), text);
}

QTEST_GUILESS_MAIN(DesignSheetTest)
#include "test_design_sheet.moc"
