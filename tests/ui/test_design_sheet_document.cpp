// The design sheet on paper: the PDF holds the worked examples' figures on the locale's paper,
// with up to 40 lenses over a second page where the first is full, and a file that cannot be
// written is reported and leaves nothing behind.
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include "design_sheet_document.h"
#include "layout.h"

Q_DECLARE_METATYPE(DesignSheet)

namespace {

// The first worked example, 1/3" 4:3, 4 mm, 20 ft, 1920 across: typed with a decimal comma, or
// in feet with the camera 15 ft above a 5.5 ft face.
DesignSheet Example(bool comma, bool mountedInFeet) {
    DesignSheetInputs in{
        DefaultCoverageInputs(mountedInFeet ? LengthUnit::Feet : LengthUnit::Metres),
        u"Own values",
        u"14 May 2025",
        {2025, 5, 14},
        {}};
    in.form.distance = comma ? u"6,096" : in.form.distance;
    in.form.mounted = mountedInFeet;
    std::tie(in.form.cameraHeight, in.form.targetHeight) = std::pair(u"15", u"5.5");
    return MakeDesignSheet(in, comma ? NumberFormat{u",", u"."} : NumberFormat{});
}

// Pictures that write their name where they are drawn, in the palette's text colour.
SheetPictures NamedPictures() {
    const auto named = [](const QString& name) {
        return [name](QPainter& painter, const QRectF& rect, const QPalette& palette) {
            painter.setPen(palette.color(QPalette::WindowText));
            painter.drawText(rect, Qt::AlignCenter, name);
        };
    };
    return {named("side-view-drawn"), named("top-view-drawn")};
}

QString Run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return QString("%1 failed: %2").arg(tool, process.errorString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class DesignSheetDocumentTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }
    void pdfHoldsTheFigures_data();
    void pdfHoldsTheFigures();
    void unwritablePathIsReportedAndLeavesNothing_data();
    void unwritablePathIsReportedAndLeavesNothing();
};

void DesignSheetDocumentTest::pdfHoldsTheFigures_data() {
    QTest::addColumn<DesignSheet>("sheet");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("printed");  // through a printer that writes PDF, not the PDF writer
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("shown");  // texts after "; "; a blank is any spacing, # a number
    QTest::newRow("Germany, decimal comma: A4")
        << Example(true, false) << "de_DE" << false << 2
        << "(A4); Coverage design sheet 14 May 2025; Focal length 4 mm; "
           "Distance along the line of sight 6,096 m; Horizontal angle of view 61,9°; "
           "Vertical angle of view 48,5°; Diagonal angle of view 73,7°; "
           "Scene width at the target 7,32 m (24,00 ft); "
           "Scene height at the target 5,49 m (18,00 ft); "
           "Pixel density across the scene 262,5 px/m (80,0 px/ft); "
           "DORI level reached Identify; Monitor 128,00 0,20 92; Identify 6,40 3,81 1829; "
           "Inspect 1,60 15,24 7316; Lenses of the catalogue that reach Identify; "
           "H0416 1/2\" 4mm F1.6 manual iris and focus, CS mount 4,00 262,5 7,32; "
           "and # more lenses; side-view-drawn; top-view-drawn";
    QTest::newRow("United States, mounted, in feet: Letter")
        << Example(false, true) << "en_US" << false << 2
        << "(letter); Camera height 15 ft; Distance along the line of sight 22.14 ft (6.75 m); "
           "Tilt below the horizontal 25.4°; "
           "Pixel density across the scene 72.3 px/ft (237.1 px/m); "
           "DORI level reached Recognise; Blind zone (target not seen whole) 8.08 ft (2.46 m); "
           "Identify 18.72 4.22 2025 8.08–18.73; Inspect Not reached 16.88 8099 Not reached";
    QTest::newRow("Canada: Letter")
        << Example(false, false) << "fr_CA" << false << 2 << "(letter); Identify 6.40 3.81 1829";
    QTest::newRow("United Kingdom, printed: A4")
        << Example(false, false) << "en_GB" << true << 2
        << "(A4); Identify 6.40 3.81 1829; top-view-drawn; Lenses of the catalogue that reach "
           "Identify (continued)";
}

void DesignSheetDocumentTest::pdfHoldsTheFigures() {
    QFETCH(DesignSheet, sheet);
    QFETCH(QString, locale);
    QFETCH(bool, printed);
    QFETCH(int, pages);
    QFETCH(QString, shown);
    QTemporaryDir folder;
    const QString pdf = folder.filePath("sheet.pdf");
    std::optional<QString> error;
    if (printed) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(SheetPageSize(QLocale(locale)));
        error = PrintDesignSheet(printer, sheet, NamedPictures());
        const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
        for (const double margin :
             {margins.left(), margins.top(), margins.right(), margins.bottom()})
            QVERIFY2(margin >= 10, qPrintable(QString::number(margin)));
    } else {
        error = WriteDesignSheetPdf(pdf, sheet, NamedPictures(), SheetPageSize(QLocale(locale)));
    }
    QVERIFY2(!error, qPrintable(error.value_or(QString())));

    const QString info = Run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression(QString("Pages: +%1\\n").arg(pages))),
             qPrintable(info));
    const QString text = info + Run("pdftotext", {"-layout", pdf, "-"});
    for (const QString& pattern : shown.split("; ")) {
        const QString expected =
            QRegularExpression::escape(pattern).replace("\\ ", "\\s+").replace("\\#", "\\d+");
        QVERIFY2(text.contains(QRegularExpression(expected)), qPrintable(pattern + "\n" + text));
    }
}

void DesignSheetDocumentTest::unwritablePathIsReportedAndLeavesNothing_data() {
    QTest::addColumn<QString>("path");
    static QTemporaryFile file;
    QVERIFY(file.open());
    static QTemporaryDir folder;
    QTest::newRow("inside a file") << file.fileName() + "/sheet.pdf";
    QTest::newRow("in a folder that is not there") << folder.filePath("missing/sheet.pdf");
    QTest::newRow("in /proc, where not even root may write") << "/proc/vistamarq-sheet.pdf";
}

void DesignSheetDocumentTest::unwritablePathIsReportedAndLeavesNothing() {
    QFETCH(QString, path);
    const std::optional<QString> error =
        WriteDesignSheetPdf(path, Example(false, false), {}, QPageSize(QPageSize::A4));
    QVERIFY(error && !error->isEmpty());
    const QFileInfo file(path);
    QVERIFY(
        file.dir().entryList({file.fileName() + '*'}, QDir::AllEntries | QDir::System).isEmpty());
}

QTEST_MAIN(DesignSheetDocumentTest)
#include "test_design_sheet_document.moc"
