// The design's report: its PDF (written, or printed through a printer that writes PDF) holds the
// cover's figures, the schedule's rows with their header on every page, each camera's sheet under
// its name, and "n of N" at the foot of every page; a cancelled or failed export leaves nothing.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include "design_edits.h"
#include "design_file.h"
#include "design_report.h"
#include "layout.h"

Q_DECLARE_METATYPE(ReportOptions)

namespace {

// The harbour gate: the gate camera on a pole, the car park by its pixel size, and a quay camera
// that reaches Recognise where Identify is required.
const QByteArray kHarbour = R"({"format": "vistamarq-design", "name": "Harbour gate",
    "notes": "Client: Port of Elm Bay\nDesigner: R. Haas", "cameras": [
    {"name": "Gate", "sensor": {"format": "1/2.8\u0022", "aspect": "16:9"},
     "pixels": [1920, 1080], "focalMm": 6, "lens": "HG0614D", "distanceM": 8, "mounted": true,
     "cameraHeightM": 3, "targetHeightM": 1.6},
    {"name": "Car park", "sensor": {"format": "custom", "aspect": "16:9", "pixelSizeUm": 2.9},
     "pixels": [1920, 1080], "focalMm": 2.8, "distanceM": 10, "distanceKind": "lineOfSight",
     "requiredLevel": "Observe"},
    {"name": "Quay", "sensor": {"format": "custom", "widthMm": 5.76, "heightMm": 4.29},
     "pixels": [2592, 1944], "focalMm": 12, "distanceM": 25, "mounted": true,
     "cameraHeightM": 6, "targetHeightM": 1.6, "tiltDeg": 10}]})";

ReportOptions Harbour(LengthUnit unit, const NumberFormat& format, const QString& locale) {
    ReportOptions options;
    options.design = ReadDesign(kHarbour.toStdString(), {}).design.value_or(Design{});
    options.design.unit = unit;
    options.format = format;
    options.date = QStringLiteral("14 May 2025");
    options.pageSize = SheetPageSize(QLocale(locale));
    return options;
}

// "Camera 1" to "Camera N", at the Coverage form's start.
ReportOptions Cameras(int count) {
    ReportOptions options;
    options.design = NewDesign(LengthUnit::Metres);
    while (int(options.design.cameras.size()) < count)
        options.design = AddCamera(options.design, options.design.cameras.back().id);
    options.date = QStringLiteral("14 May 2025");
    return options;
}

QString Run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString("%1 failed: %2").arg(tool, process.errorString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF's pages as text, after checking that there are as many as their footers count and
// that each says "n of N".
QStringList Pages(const QString& pdf) {
    const QStringList pages = Run("pdftotext", {"-layout", pdf, "-"}).split('\f');
    const int count = int(pages.size()) - 1;  // the text ends with a form feed
    const QString info = Run("pdfinfo", {pdf});
    if (!info.contains(QRegularExpression(QString("Pages: +%1\\n").arg(count))))
        return {"pdfinfo: " + info};
    for (int n = 1; n <= count; ++n) {
        if (!pages[n - 1].contains(
                QRegularExpression(QString("\\b%1 of %2\\s*$").arg(n).arg(count))))
            return {
                QString("page %1 has no \"%1 of %2\":\n%3").arg(n).arg(count).arg(pages[n - 1])};
    }
    return pages.mid(0, count);
}

// A pattern of texts in the order the page holds them: a blank is any spacing, # a number.
QRegularExpression Shown(const QString& texts) {
    return QRegularExpression(
        QRegularExpression::escape(texts).replace("\\ ", "\\s+").replace("\\#", "\\d+"));
}

}  // namespace

class DesignReportTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void pdfHoldsTheDesign_data();
    void pdfHoldsTheDesign();
    void scheduleSpansPagesWithItsHeader();
    void cancelledExportWritesNothing_data();
    void cancelledExportWritesNothing();
    void exportOnAWorkerThread();
    void unwritablePathIsReportedAndLeavesNothing_data();
    void unwritablePathIsReportedAndLeavesNothing();
};

void DesignReportTest::pdfHoldsTheDesign_data() {
    QTest::addColumn<ReportOptions>("options");
    QTest::addColumn<bool>("printed");   // through a printer that writes PDF, not the PDF writer
    QTest::addColumn<QString>("paper");  // as pdfinfo names it
    QTest::addColumn<int>("pageCount");  // the cover, the schedule, the sheets
    QTest::addColumn<QStringList>("pages");  // by page from 1: the texts each shows after "; "
    QTest::newRow("in metres on A4")
        << Harbour(LengthUnit::Metres, {}, "en_GB") << false << "A4" << 8
        << QStringList{
               "Design report 14 May 2025; Harbour gate; Cameras: 3; "
               "2 of 3 cameras meet their level; Lengths in metres; Notes; "
               "Client: Port of Elm Bay; Designer: R. Haas; Harbour gate 1 of #",
               "Camera schedule; Name; Sensor; Level; Gate 1/2.8\" 1920 × 1080 6 mm HG0614D "
               "8.00 m 3.00 m 253.2 px/m Identify Identify met; "
               "Car park Custom 1920 × 1080 2.8 mm 10.00 m 96.6 px/m Observe Observe met; "
               "Quay Custom 2592 × 1944 12 mm 25.00 m 6.00 m 212.7 px/m Recognise Identify "
               "not met",
               "Gate 14 May 2025; Focal length 6 mm; Distance on the ground 8; "
               "Pixel density 253.2 px/m; DORI level reached Identify",
               "Lenses of the catalogue that reach Identify (continued)",
               "Car park 14 May 2025; Pixel size 2.9 µm; Focal length 2.8 mm; "
               "Pixel density 96.6 px/m; Lenses of the catalogue that reach Observe",
               "Lenses of the catalogue that reach Observe (continued)",
               "Quay 14 May 2025; Tilt 10°; Lenses of the catalogue that reach Identify",
               "Lenses of the catalogue that reach Identify (continued)"};
    QTest::newRow("in feet with a decimal comma on Letter")
        << Harbour(LengthUnit::Feet, {u",", u"."}, "en_US") << false << "letter" << 8
        << QStringList{"Cameras: 3; 2 of 3 cameras meet their level; Lengths in feet",
                       "Gate 1/2.8\" 1920 × 1080 6 mm HG0614D 26,25 ft 9,84 ft 77,2 px/ft",
                       "Gate 14 May 2025; Distance on the ground 26,246719160105 ft"};
    QTest::newRow("printed on A4") << Harbour(LengthUnit::Metres, {}, "en_GB") << true << "A4" << 8
                                   << QStringList{"Harbour gate; 2 of 3 cameras meet their level",
                                                  "Camera schedule; Quay Custom 2592 × 1944"};
}

void DesignReportTest::pdfHoldsTheDesign() {
    QFETCH(ReportOptions, options);
    QFETCH(bool, printed);
    QFETCH(QString, paper);
    QFETCH(int, pageCount);
    QFETCH(QStringList, pages);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    ReportResult result;
    if (printed) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(options.pageSize);
        result = PrintDesignReport(printer, options);
        const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
        for (const double margin :
             {margins.left(), margins.top(), margins.right(), margins.bottom()})
            QVERIFY2(margin >= 10, qPrintable(QString::number(margin)));
    } else {
        result = WriteDesignReportPdf(pdf, options);
    }
    QVERIFY2(result.outcome == ReportOutcome::Done, qPrintable(result.reason));

    const QString info = Run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Page size: .*\\(" + paper + "\\)")),
             qPrintable(info));
    const QStringList shown = Pages(pdf);
    QVERIFY2(shown.size() == pageCount, qPrintable(shown.join("\f")));
    for (int n = 0; n < pages.size(); ++n) {
        for (const QString& texts : pages[n].split("; ")) {
            QVERIFY2(shown[n].contains(Shown(texts)),
                     qPrintable(QString("page %1: %2\n%3").arg(n + 1).arg(texts, shown[n])));
        }
    }
}

// 60 rows take two pages, each with the schedule's title and its header; every camera has a row.
void DesignReportTest::scheduleSpansPagesWithItsHeader() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    QCOMPARE(WriteDesignReportPdf(pdf, Cameras(60)).outcome, ReportOutcome::Done);
    const QStringList pages = Pages(pdf);
    QVERIFY2(pages.size() > 3, qPrintable(pages.join("\f")));
    // The captions on two lines, as the columns are narrow.
    const QString header =
        "Sensor Focal Lens Mounting Density at Level Level Level Name format Resolution length "
        "model Distance height the target reached required met";
    QVERIFY2(pages[1].contains(Shown("Camera schedule " + header)), qPrintable(pages[1]));
    QVERIFY2(pages[2].contains(Shown("Camera schedule (continued) " + header)),
             qPrintable(pages[2]));
    QVERIFY(!pages[3].contains("Camera schedule"));
    const QString schedule = pages[1] + pages[2];
    for (int camera = 1; camera <= 60; ++camera) {
        QVERIFY2(schedule.contains(Shown(QString("Camera %1 1/3\" 1920 × 1440 4 mm").arg(camera))),
                 qPrintable(QString::number(camera)));
    }
}

void DesignReportTest::cancelledExportWritesNothing_data() {
    QTest::addColumn<int>("cancelAt");  // the count of steps done when the progress says stop
    // Three cameras: three steps counting pages, the cover and schedule, three sheets, the end.
    QTest::newRow("before it starts") << 0;
    QTest::newRow("while counting the pages") << 2;
    QTest::newRow("while drawing the sheets") << 5;
    QTest::newRow("once the PDF is drawn") << 8;
}

void DesignReportTest::cancelledExportWritesNothing() {
    QFETCH(int, cancelAt);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    QList<int> told;
    const ReportResult result = WriteDesignReportPdf(pdf, Harbour(LengthUnit::Metres, {}, "en_GB"),
                                                     [&](int done, int total) {
                                                         told << done;
                                                         return total == 8 && done < cancelAt;
                                                     });
    QCOMPARE(result.outcome, ReportOutcome::Cancelled);
    QCOMPARE(told.last(), cancelAt);
    QCOMPARE(told.size(), cancelAt + 1);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {});
}

// The window's way: the future tells the progress, and cancelled it writes nothing.
void DesignReportTest::exportOnAWorkerThread() {
    QTemporaryDir folder;
    const ReportOptions options = Harbour(LengthUnit::Metres, {}, "en_GB");
    QFuture<ReportResult> done = StartDesignReportPdf(folder.filePath("done.pdf"), options);
    QFuture<ReportResult> cancelled =
        StartDesignReportPdf(folder.filePath("cancelled.pdf"), options);
    cancelled.cancel();
    done.waitForFinished();
    cancelled.waitForFinished();
    QCOMPARE(done.resultCount(), 1);
    QCOMPARE(done.result().outcome, ReportOutcome::Done);
    QCOMPARE(done.progressMaximum(), 8);
    QCOMPARE(done.progressValue(), 8);
    QVERIFY(cancelled.isCanceled());
    QCOMPARE(cancelled.resultCount(), 0);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"done.pdf"});
}

void DesignReportTest::unwritablePathIsReportedAndLeavesNothing_data() {
    QTest::addColumn<QString>("path");
    static QTemporaryFile file;
    QVERIFY(file.open());
    static QTemporaryDir folder;
    QTest::newRow("inside a file") << file.fileName() + "/report.pdf";
    QTest::newRow("in a folder that is not there") << folder.filePath("missing/report.pdf");
    QTest::newRow("in /proc, where not even root may write") << "/proc/vistamarq-report.pdf";
}

void DesignReportTest::unwritablePathIsReportedAndLeavesNothing() {
    QFETCH(QString, path);
    const ReportResult result = WriteDesignReportPdf(path, Cameras(1));
    QCOMPARE(result.outcome, ReportOutcome::Failed);
    QVERIFY(!result.reason.isEmpty());
    const QFileInfo file(path);
    QVERIFY(
        file.dir().entryList({file.fileName() + '*'}, QDir::AllEntries | QDir::System).isEmpty());
}

QTEST_MAIN(DesignReportTest)
#include "test_design_report.moc"
