// The design's report: its PDF (written, or printed through a printer that writes PDF) holds the
// cover's figures, the schedule's rows with their header on every page, each camera's sheet under
// its name, and "n of N" at the foot of every page; a cancelled or failed export leaves nothing.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "design_edits.h"
#include "design_file.h"
#include "design_report.h"
#include "layout.h"

Q_DECLARE_METATYPE(ReportOptions)
Q_DECLARE_METATYPE(ReportOutcome)

namespace {

// The gate camera on a pole, the car park by its pixel size, and a quay camera that reaches
// Recognise where Identify is required.
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

ReportOptions Harbour(LengthUnit unit = LengthUnit::Metres, const NumberFormat& format = {},
                      const char* locale = "en_GB") {
    ReportOptions options{ReadDesign(kHarbour.toStdString(), {}).design.value_or(Design{}), format,
                          "14 May 2025", SheetPageSize(QLocale(locale))};
    options.design.unit = unit;
    return options;
}

// The harbour's gate camera on its ground floor plan, looking east past a quay wall at a door it
// must identify, with a till behind it.
ReportOptions HarbourPlan() {
    ReportOptions options = Harbour();
    Plan plan{"p1", u"Ground floor", {}, 0, {}, {}, {{-2, -5, -2, 5}}, {}, {}};
    plan.targets = {{"t1", u"Door", 8, 0, 4, {}}, {"t2", u"Till", -5, 0, 4, {}}};
    options.design.plans.push_back(plan);
    options.design.plans.push_back({"p2", u"Roof", {}, 0, {}, {}, {}, {}, {}});  // empty: no page
    options.design.cameras[0].placement = CameraPlacement{"p1", 0, 0, 0};
    return options;
}

// "Camera 1" to "Camera N", at the Coverage form's start.
ReportOptions Cameras(int count) {
    ReportOptions options{NewDesign(LengthUnit::Metres), {}, "14 May 2025"};
    while (int(options.design.cameras.size()) < count)
        options.design = AddCamera(options.design, options.design.cameras.back().id);
    return options;
}

// What pdfinfo says of the PDF, then each page's text; no pages unless pdfinfo counts as many as
// pdftotext shows and each says "n of N" at its foot.
QStringList Read(const QString& pdf) {
    const auto run = [](const QString& tool, const QStringList& arguments) {
        QProcess process;
        process.start(tool, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString info = run("pdfinfo", {pdf});
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split('\f');
    pages.removeLast();  // after the last form feed
    bool numbered = info.contains(QRegularExpression(QString("Pages: +%1\n").arg(pages.size())));
    for (int n = 1; n <= pages.size(); ++n)
        numbered &= pages[n - 1].contains(
            QRegularExpression(QString("\\b%1 of %2\\s*$").arg(n).arg(pages.size())));
    return numbered ? QStringList{info} + pages : QStringList{info + pages.join('\f')};
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
    void unfinishedExportLeavesNothing_data();
    void unfinishedExportLeavesNothing();
    void exportOnAWorkerThread();
};

void DesignReportTest::pdfHoldsTheDesign_data() {
    QTest::addColumn<ReportOptions>("options");
    QTest::addColumn<bool>("printed");   // through a printer that writes PDF, not the PDF writer
    QTest::addColumn<QString>("paper");  // as pdfinfo names it
    QTest::addColumn<QStringList>("pages");  // each page's texts, after "; "; all of the pages
    QTest::newRow("in metres on A4")
        << Harbour() << false << "A4"
        << QStringList{
               "Design report 14 May 2025; Harbour gate; Cameras: 3; "
               "2 of 3 cameras meet their level; Lengths in metres; Notes; "
               "Client: Port of Elm Bay; Designer: R. Haas; Harbour gate 1 of #",
               "Camera schedule; Gate 1/2.8\" 1920 × 1080 6 mm HG0614D 8.00 m 3.00 m 253.2 px/m "
               "Identify Identify met; Car park Custom 1920 × 1080 2.8 mm 10.00 m 96.6 px/m "
               "Observe Observe met; Quay Custom 2592 × 1944 12 mm 25.00 m 6.00 m 212.7 px/m "
               "Recognise Identify not met",
               "Gate 14 May 2025; Focal length 6 mm; Distance on the ground 8; "
               "Pixel density across the scene 253.2 px/m; DORI level reached Identify",
               "Lenses of the catalogue that reach Identify (continued)",
               "Car park 14 May 2025; Pixel size 2.9 µm; Focal length 2.8 mm; "
               "Pixel density across the scene 96.6 px/m; Lenses of the catalogue that reach "
               "Observe",
               "Lenses of the catalogue that reach Observe (continued)",
               "Quay 14 May 2025; Tilt 10°; Lenses of the catalogue that reach Identify",
               "Lenses of the catalogue that reach Identify (continued)"};
    // The sheets only by their first lines: each continues on a second page.
    const QString sheets = "Gate 14 May 2025|continued|Car park|continued|Quay|continued";
    QTest::newRow("in feet with a decimal comma on Letter")
        << Harbour(LengthUnit::Feet, {u",", u"."}, "en_US") << false << "letter"
        << QStringList{"Cameras: 3; 2 of 3 cameras meet their level; Lengths in feet",
                       "Gate 1/2.8\" 1920 × 1080 6 mm HG0614D 26,25 ft 9,84 ft 77,2 px/ft"} +
               ("Distance on the ground 26,246719160105 ft; " + sheets).split('|');
    QTest::newRow("with a plan")
        << HarbourPlan() << false << "A4"
        << QStringList{"Cameras: 3; 2 of 3 cameras meet their level; Targets met: 1 of 2",
                       "Gate; Door (Identify); Till (Identify); Harbour gate 14 May 2025; "
                       "Ground floor Scale: Fit; Harbour gate 2 of #",
                       "Camera schedule"} +
               sheets.split('|');
    QTest::newRow("printed on A4")
        << Harbour() << true << "A4"
        << QStringList{"Harbour gate; 2 of 3 cameras meet their level", "Quay Custom 2592 × 1944"} +
               sheets.split('|');
}

void DesignReportTest::pdfHoldsTheDesign() {
    QFETCH(ReportOptions, options);
    QFETCH(bool, printed);
    QFETCH(QString, paper);
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
        QVERIFY(std::min({margins.left(), margins.top(), margins.right(), margins.bottom()}) >= 10);
    } else {
        result = WriteDesignReportPdf(pdf, options);
    }
    QVERIFY2(result.outcome == ReportOutcome::Done, qPrintable(result.reason));
    const QStringList shown = Read(pdf);
    QVERIFY2(shown.size() == pages.size() + 1, qPrintable(shown.join('\f')));
    QVERIFY2(shown[0].contains(QRegularExpression("Page size: .*\\(" + paper + "\\)")),
             qPrintable(shown[0]));
    for (int n = 0; n < pages.size(); ++n) {
        for (const QString& texts : pages[n].split("; ", Qt::SkipEmptyParts)) {
            QVERIFY2(shown[n + 1].contains(Shown(texts)),
                     qPrintable(QString("page %1: %2\n%3").arg(n + 1).arg(texts, shown[n + 1])));
        }
    }
}

// 60 rows take two pages, each with the schedule's title and its header; every camera has a row.
void DesignReportTest::scheduleSpansPagesWithItsHeader() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    QCOMPARE(WriteDesignReportPdf(pdf, Cameras(60)).outcome, ReportOutcome::Done);
    const QStringList pages = Read(pdf).mid(1);
    QCOMPARE(pages.size(), 3 + 2 * 60);  // each camera's lens list continues on a second page
    // The captions on two lines, as the columns are narrow.
    const QString header =
        "Sensor Focal Lens Mounting Density at Level Level Level Name format "
        "Resolution length model Distance height the target reached required met";
    QVERIFY2(pages[1].contains(Shown("Camera schedule " + header)), qPrintable(pages[1]));
    QVERIFY2(pages[2].contains(Shown("Camera schedule (continued) " + header)),
             qPrintable(pages[2]));
    QVERIFY(pages[3].contains(Shown("Camera 1 14 May 2025")));
    for (int camera = 1; camera <= 60; ++camera)
        QVERIFY((pages[1] + pages[2])
                    .contains(Shown(QString("Camera %1 1/3\" 1920 × 1440").arg(camera))));
}

void DesignReportTest::unfinishedExportLeavesNothing_data() {
    QTest::addColumn<QString>("path");  // in a temporary folder; "" for report.pdf
    QTest::addColumn<int>("cancelAt");  // the count of steps done when the progress says stop
    QTest::addColumn<ReportOutcome>("outcome");
    // Three cameras: three steps counting pages, the cover and schedule, three sheets, the end.
    QTest::newRow("cancelled before it starts") << "" << 0 << ReportOutcome::Cancelled;
    QTest::newRow("cancelled counting the pages") << "" << 2 << ReportOutcome::Cancelled;
    QTest::newRow("cancelled drawing the sheets") << "" << 5 << ReportOutcome::Cancelled;
    QTest::newRow("cancelled once the PDF is drawn") << "" << 8 << ReportOutcome::Cancelled;
    QTest::newRow("in a folder that is not there")
        << "missing/report.pdf" << 9 << ReportOutcome::Failed;
    QTest::newRow("in /proc, where not even root may write")
        << "/proc/report.pdf" << 9 << ReportOutcome::Failed;
}

void DesignReportTest::unfinishedExportLeavesNothing() {
    QFETCH(QString, path);
    QFETCH(int, cancelAt);
    QFETCH(ReportOutcome, outcome);
    QTemporaryDir folder;
    const QFileInfo file(QDir(folder.path()).filePath(path.isEmpty() ? "report.pdf" : path));
    QList<int> told;
    const ReportResult result =
        WriteDesignReportPdf(file.filePath(), Harbour(), [&](int done, int total) {
            told << done;
            return total == 8 && done < cancelAt;
        });
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.reason.isEmpty(), outcome == ReportOutcome::Cancelled);
    QCOMPARE(told.size(), std::min(cancelAt, 8) + 1);
    QVERIFY(
        file.dir().entryList({file.fileName() + '*'}, QDir::AllEntries | QDir::System).isEmpty());
}

// The window's way: the future tells the progress, and cancelled it writes nothing.
void DesignReportTest::exportOnAWorkerThread() {
    QTemporaryDir folder;
    QFuture<ReportResult> done = StartDesignReportPdf(folder.filePath("done.pdf"), Harbour());
    QFuture<ReportResult> cancelled =
        StartDesignReportPdf(folder.filePath("cancelled.pdf"), Harbour());
    cancelled.cancel();
    done.waitForFinished();
    cancelled.waitForFinished();
    QCOMPARE(done.resultCount(), 1);
    QCOMPARE(done.result().outcome, ReportOutcome::Done);
    QCOMPARE(done.progressMaximum(), 8);
    QCOMPARE(done.progressValue(), 8);
    QVERIFY(cancelled.isCanceled());
    QCOMPARE(cancelled.resultCount(), 0);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"done.pdf"});
}

QTEST_MAIN(DesignReportTest)
#include "test_design_report.moc"
