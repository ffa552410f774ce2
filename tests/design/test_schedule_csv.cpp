// The camera schedule as CSV: the exact file of a worked example whatever unit the design shows,
// and a file that reads back, field by field, to what the schedule shows in metres.
#include <QtTest>

#include "design_file.h"
#include "schedule.h"
#include "schedule_csv.h"

Q_DECLARE_METATYPE(Design)

namespace {

// A gate camera whose name holds a comma and quotes (written \u0022: moc misreads a backslash and
// quote in a raw string), a car park camera by its pixel size, and a fence camera 20 ft away on a
// 1 m pole, below the faces it looks up at, its name on two lines.
const QByteArray kSite = R"({"format": "vistamarq-design", "name": "Harbour gate", "cameras": [
    {"name": "Gate, \u0022north\u0022", "sensor": {"format": "1/2.8\u0022", "aspect": "16:9"},
     "pixels": [1920, 1080], "focalMm": 6, "lens": "HG0614D", "distanceM": 8, "mounted": true,
     "cameraHeightM": 3, "targetHeightM": 1.6},
    {"name": "Car park", "sensor": {"format": "custom", "aspect": "16:9", "pixelSizeUm": 2.9},
     "pixels": [1920, 1080], "focalMm": 2.8, "distanceM": 10, "distanceKind": "lineOfSight",
     "requiredLevel": "Observe"},
    {"name": "Fence\nwest", "distanceM": 6.096, "mounted": true, "cameraHeightM": 1}]})";

Design Site(LengthUnit unit) {
    Design design = ReadDesign(kSite.toStdString(), {}).design.value_or(Design{});
    design.unit = unit;
    return design;
}

// The fields of an RFC 4180 text, row by row: each field ends with a comma or, the row's last,
// with CR LF.
QList<QStringList> ReadCsv(const QString& text) {
    static const QRegularExpression field("(\"(?:[^\"]|\"\")*\"|[^\",\r\n]*)(,|\r\n)");
    QList<QStringList> rows{{}};
    for (const QRegularExpressionMatch& match : field.globalMatch(text)) {
        const QString quoted = match.captured(1);
        rows.last() << (quoted.startsWith('"')
                            ? quoted.mid(1, quoted.size() - 2).replace("\"\"", "\"")
                            : quoted);
        if (match.captured(2) == "\r\n")
            rows << QStringList();
    }
    rows.removeLast();
    return rows;
}

}  // namespace

class ScheduleCsvTest : public QObject {
    Q_OBJECT

  private slots:
    void file_data();
    void file();
    void readsBackToTheScheduleInMetres();
};

void ScheduleCsvTest::file_data() {
    QTest::addColumn<Design>("design");
    QTest::addColumn<QByteArray>("csv");
    const QByteArray header =
        "Name,Sensor format,Resolution,Focal length (mm),Lens model,Distance (m),"
        "Mounting height (m),Density at the target (px/m),Level reached,Level required,"
        "Level met\r\n";
    const QByteArray site =
        header +
        "\"Gate, \"\"north\"\"\",\"1/2.8\"\"\",1920 \xc3\x97 1080,6,HG0614D,8.00,"
        "3.00,253.2,Identify,Identify,met\r\n"
        "Car park,Custom,1920 \xc3\x97 1080,2.8,,10.00,,96.6,Observe,Observe,"
        "met\r\n"
        "\"Fence\nwest\",\"1/3\"\"\",1920 \xc3\x97 1440,4,,6.10,1.00,"
        "261.2,Identify,Identify,met\r\n";
    QTest::newRow("shown in metres") << Site(LengthUnit::Metres) << site;
    QTest::newRow("shown in feet: the same file, in metres") << Site(LengthUnit::Feet) << site;
    Design empty = Site(LengthUnit::Metres);
    empty.cameras.clear();
    QTest::newRow("no cameras: the header alone") << empty << header;
}

void ScheduleCsvTest::file() {
    QFETCH(Design, design);
    QFETCH(QByteArray, csv);
    QCOMPARE(QByteArray::fromStdString(ScheduleCsv(design)), csv);
}

// Each field that reads as a number with a decimal point and no grouping is the schedule's
// figure in metres, to its rounding; each other field is the schedule's text.
void ScheduleCsvTest::readsBackToTheScheduleInMetres() {
    const QList<QStringList> rows =
        ReadCsv(QString::fromStdString(ScheduleCsv(Site(LengthUnit::Feet))));
    const std::vector<ScheduleRow> schedule =
        ScheduleOf(Site(LengthUnit::Metres), NumberFormat{u",", u"."});
    QCOMPARE(rows.size(), int(schedule.size()) + 1);
    QLocale point = QLocale::c();
    point.setNumberOptions(QLocale::RejectGroupSeparator);
    for (int r = 1; r < rows.size(); ++r) {
        QCOMPARE(rows[r].size(), int(kScheduleColumns));
        for (int c = 0; c < int(kScheduleColumns); ++c) {
            const ScheduleCell& cell = schedule.at(std::size_t(r - 1)).cells.at(std::size_t(c));
            bool figure = false;
            const double value = point.toDouble(rows[r][c], &figure);
            if (figure)
                QVERIFY2(cell.number && std::abs(value - *cell.number) < 0.05,
                         qPrintable(rows[r][c]));
            else
                QCOMPARE(rows[r][c], QString::fromStdU16String(cell.text));
        }
    }
}

QTEST_GUILESS_MAIN(ScheduleCsvTest)
#include "test_schedule_csv.moc"
