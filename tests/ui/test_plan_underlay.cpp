// A plan's underlay: which files import and as what, and what the underlay draws of each kind,
// from a preview to the sharp picture, with the decoding on a worker.
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "plan_underlay.h"

namespace {

const QColor kRed(200, 30, 30);
const QColor kBlue(30, 60, 200);

// 200 × 100: its left half red, its right half blue.
void PaintTwoColours(QPainter& painter) {
    painter.fillRect(QRectF(0, 0, 100, 100), kRed);
    painter.fillRect(QRectF(100, 0, 100, 100), kBlue);
}

QByteArray Picture(const char* format, QSize size = {200, 100}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kRed);
    QPainter painter(&image);
    PaintTwoColours(painter);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

const QByteArray kSvg =
    "<?xml version='1.0'?>\n<!-- ground floor -->\n<svg xmlns='http://www.w3.org/2000/svg' "
    "width='400' height='200' viewBox='0 0 200 100'><rect width='100' height='100' "
    "fill='#c81e1e'/><rect x='100' width='100' height='100' fill='#1e3cc8'/></svg>";

QByteArray Pdf(int pages) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(200, 100), QPageSize::Point, {}, QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        PaintTwoColours(painter);
    }
    painter.end();
    return buffer.data();
}

// A small PNG whose header claims `side` × `side` px (with the header's checksum made anew).
QByteArray PngClaiming(quint32 side) {
    QByteArray png = Picture("png");
    qToBigEndian(side, png.data() + 16);
    qToBigEndian(side, png.data() + 20);
    quint32 crc = 0xffffffff;
    for (int at = 12; at < 29; ++at) {
        crc ^= quint8(png[at]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    qToBigEndian(~crc, png.data() + 29);
    return png;
}

// A picture of 64 Mpx, 256 MB decoded, made once: a plain colour saves small and quickly.
const QByteArray& LargePng() {
    static const QByteArray bytes = [] {
        QImage image(8000, 8000, QImage::Format_RGB32);
        image.fill(kBlue);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "png", 0);
        return buffer.data();
    }();
    return bytes;
}

QImage Drawn(PlanUnderlay& underlay, const QTransform& toDevice, QSize device) {
    QImage image(device, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    underlay.Draw(painter, toDevice, QRectF(QPointF(), device));
    return image;
}

bool Near(QColor seen, QColor expected) {
    return std::abs(seen.red() - expected.red()) <= 24 &&
           std::abs(seen.green() - expected.green()) <= 24 &&
           std::abs(seen.blue() - expected.blue()) <= 24;
}

}  // namespace

class TestPlanUnderlay : public QObject {
    Q_OBJECT

  private slots:
    void readPlanFile_data();
    void readPlanFile();
    void drawsWhatItShows_data();
    void drawsWhatItShows();
    void problems_data();
    void problems();
    void largePictureBecomesSharp();
    void latestLoadWins();
    void destroyedWhileLoading();
};

void TestPlanUnderlay::readPlanFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // null: no such file
    QTest::addColumn<QString>("mime");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("message");
    const QByteArray png = Picture("png");
    QTest::newRow("PNG") << "site.png" << png << "image/png" << 1 << "";
    QTest::newRow("JPEG") << "site.jpg" << Picture("jpeg") << "image/jpeg" << 1 << "";
    QTest::newRow("SVG after a declaration and a comment")
        << "site.svg" << kSvg << "image/svg+xml" << 1 << "";
    QTest::newRow("PDF of 2 pages") << "site.pdf" << Pdf(2) << "application/pdf" << 2 << "";
    QTest::newRow("PNG named .pdf: a PNG") << "plan.pdf" << png << "image/png" << 1 << "";
    QTest::newRow("text") << "notes.txt" << QByteArray("Ground floor, rev. B\n") << "" << 0
                          << "“notes.txt” cannot be read: it is not a PNG, JPEG, SVG or PDF file.";
    QTest::newRow("empty") << "empty.png" << QByteArray("") << "" << 0
                           << "“empty.png” cannot be read: it is empty.";
    QTest::newRow("missing") << "gone.png" << QByteArray() << "" << 0
                             << "“gone.png” cannot be read: there is no such file.";
    QTest::newRow("PNG cut short") << "cut.png" << png.left(png.size() / 2) << "" << 0
                                   << "“cut.png” cannot be read: it is a damaged PNG file.";
    QTest::newRow("PNG of 1.6 GB")
        << "huge.png" << PngClaiming(20000) << "" << 0
        << "“huge.png” cannot be read: at 20000 × 20000 px the picture is "
           "too large.";
    QTest::newRow("PDF mark, no PDF") << "site.pdf" << QByteArray("%PDF-1.7\nnothing") << "" << 0
                                      << "“site.pdf” cannot be read: it is a damaged PDF file.";
}

void TestPlanUnderlay::readPlanFile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, mime);
    QFETCH(int, pages);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (!bytes.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const auto read = ReadPlanFile(path);
    if (!message.isEmpty()) {
        QCOMPARE(std::get<QString>(read), message);
        return;
    }
    const ImportedPlanFile& imported = std::get<ImportedPlanFile>(read);
    QCOMPARE(imported.blob.mime, mime);
    QCOMPARE(imported.blob.bytes, bytes);
    QCOMPARE(imported.pageCount, pages);
}

void TestPlanUnderlay::drawsWhatItShows_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("mime");
    QTest::addColumn<QTransform>("toDevice");
    QTest::addColumn<QPoint>("redAt");  // on the device
    QTest::addColumn<QPoint>("blueAt");
    const QTransform fit = QTransform::fromScale(0.5, 0.5);
    const QTransform actual = QTransform::fromTranslate(-60, 0);  // 1:1, scrolled right
    // Past what a whole rendering may take: only the part in view is rendered.
    const QTransform close(40, 0, 0, 40, -3950, -1800);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* mime;
    } kinds[] = {{"PNG", Picture("png"), "image/png"},
                 {"JPEG", Picture("jpeg"), "image/jpeg"},
                 {"SVG", kSvg, "image/svg+xml"},
                 {"PDF page", Pdf(1), "application/pdf"}};
    for (const auto& kind : kinds) {
        QTest::addRow("%s at fit", kind.name)
            << kind.bytes << kind.mime << fit << QPoint(25, 25) << QPoint(75, 25);
        QTest::addRow("%s at 1:1", kind.name)
            << kind.bytes << kind.mime << actual << QPoint(20, 50) << QPoint(60, 50);
        if (QByteArray(kind.mime) == "image/jpeg")
            continue;  // its colours bleed across the edge, seen at 40:1
        QTest::addRow("%s at 40:1 on the middle", kind.name)
            << kind.bytes << kind.mime << close << QPoint(25, 50) << QPoint(75, 50);
    }
}

void TestPlanUnderlay::drawsWhatItShows() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, mime);
    QFETCH(QTransform, toDevice);
    QFETCH(QPoint, redAt);
    QFETCH(QPoint, blueAt);
    PlanUnderlay underlay;
    QSignalSpy changed(&underlay, &PlanUnderlay::changed);
    underlay.Load(bytes, mime);
    QTRY_COMPARE(underlay.SizePx(), QSizeF(200, 100));
    Drawn(underlay, toDevice, {100, 100});  // a vector drawing is rendered for this zoom
    QTRY_VERIFY(underlay.IsSharp());
    QVERIFY(!changed.isEmpty());
    const QImage image = Drawn(underlay, toDevice, {100, 100});
    QVERIFY2(Near(image.pixelColor(redAt), kRed), qPrintable(image.pixelColor(redAt).name()));
    QVERIFY2(Near(image.pixelColor(blueAt), kBlue), qPrintable(image.pixelColor(blueAt).name()));
    QVERIFY(underlay.Problem().isEmpty());
}

void TestPlanUnderlay::problems_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("mime");
    QTest::addColumn<int>("pdfPage");
    const QByteArray png = Picture("png");
    QTest::newRow("not a picture") << QByteArray("plan") << "image/png" << 0;
    QTest::newRow("PNG cut short") << png.left(png.size() - 40) << "image/png" << 0;
    QTest::newRow("SVG without its end") << kSvg.left(60) << "image/svg+xml" << 0;
    QTest::newRow("PDF without a page") << QByteArray("%PDF-1.7\n") << "application/pdf" << 0;
    QTest::newRow("page past the PDF's last") << Pdf(2) << "application/pdf" << 2;
    QTest::newRow("unknown type") << png << "text/plain" << 0;
}

void TestPlanUnderlay::problems() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, mime);
    QFETCH(int, pdfPage);
    PlanUnderlay underlay;
    underlay.Load(bytes, mime, pdfPage);
    QTRY_COMPARE(underlay.Problem(), QStringLiteral("The picture cannot be read."));
    QCOMPARE(underlay.SizePx(), QSizeF());
    QVERIFY(!underlay.IsSharp());
    QCOMPARE(Drawn(underlay, {}, {50, 50}).pixelColor(10, 10), QColor(Qt::white));
}

void TestPlanUnderlay::largePictureBecomesSharp() {
    PlanUnderlay underlay;
    underlay.Load(LargePng(), "image/png");
    QCOMPARE(underlay.SizePx(), QSizeF(8000, 8000));  // from the header, at once
    QTRY_VERIFY_WITH_TIMEOUT(underlay.IsSharp(), 60000);
    QVERIFY(
        Near(Drawn(underlay, QTransform::fromScale(0.0125, 0.0125), {100, 100}).pixelColor(50, 50),
             kBlue));
    QVERIFY(Near(
        Drawn(underlay, QTransform::fromTranslate(-4000, -4000), {100, 100}).pixelColor(50, 50),
        kBlue));
}

void TestPlanUnderlay::latestLoadWins() {
    PlanUnderlay underlay;
    underlay.Load(LargePng(), "image/png");
    underlay.Load(Picture("png"), "image/png");
    QTRY_VERIFY_WITH_TIMEOUT(underlay.IsSharp(), 10000);
    QTest::qWait(3000);  // the first picture, decoded or given up, is not shown
    QCOMPARE(underlay.SizePx(), QSizeF(200, 100));
    QVERIFY(Near(Drawn(underlay, {}, {100, 100}).pixelColor(50, 50), kRed));
}

void TestPlanUnderlay::destroyedWhileLoading() {
    for (const auto& [bytes, mime] :
         {std::pair{LargePng(), "image/png"}, std::pair{kSvg, "image/svg+xml"},
          std::pair{Pdf(3), "application/pdf"}}) {
        auto* underlay = new PlanUnderlay;
        underlay->Load(bytes, QString::fromLatin1(mime));
        delete underlay;
    }
    // The workers finish on a state nobody shows: under the sanitizers, no use after free.
    QTest::qWait(1500);
}

QTEST_MAIN(TestPlanUnderlay)
#include "test_plan_underlay.moc"
