// The plan as painted: bands in front of a camera and not behind it, hidden levels left out, an
// unmet target in red, labels upright, the legend's rows, the scale bar's round lengths, and the
// plan page exported as a PDF (its title block and scale in its text) and as a PNG of a size.
#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "layout.h"
#include "plan_export.h"
#include "plan_painter.h"

Q_DECLARE_METATYPE(LengthUnit)

namespace {

constexpr QRgb kWhite = 0xffffffff;

// A camera at the origin looking east over 60°: Monitor out to 8 m, Detect out to 4 m.
SceneCamera Gate(const std::u16string& name = u"Gate") {
    SceneCamera camera{"c1", name, {}, {}};
    camera.camera.fovDeg = 60;
    camera.camera.levels[0] = GroundRange{0, 8};
    camera.camera.levels[1] = GroundRange{0, 4};
    camera.bands = CameraBands(camera.camera, {});
    return camera;
}

// 10 px to the metre, the origin at the middle of a 200 px square, north up.
const QTransform kToDevice(10, 0, 0, -10, 100, 100);

QImage Painted(const PlanScene& scene, const PlanLook& look) {
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    PlanPaintOptions options;
    options.look = look;
    PaintScene(painter, kToDevice, image.rect(), scene, options);
    return image;
}

// The colour a band's fill (at the default opacity) gives over another.
QColor Over(QColor below, QColor fill) {
    const auto mix = [](int b, int c) { return int(std::lround(b + (c - b) * 0.45)); };
    return QColor(mix(below.red(), fill.red()), mix(below.green(), fill.green()),
                  mix(below.blue(), fill.blue()));
}

bool Near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
           std::abs(a.blue() - b.blue()) <= 3;
}

QString Run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class PlanPainterTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    void bandsInFrontOnly_data() {
        QTest::addColumn<bool>("monitorShown");
        QTest::addColumn<QPoint>("at");  // device pixels
        QTest::addColumn<QColor>("colour");
        const QColor monitor = Over(Qt::white, LevelColour(0, false));
        QTest::newRow("6 m in front: Monitor") << true << QPoint(160, 100) << monitor;
        QTest::newRow("2 m in front: Detect over Monitor")
            << true << QPoint(120, 100) << Over(monitor, LevelColour(1, false));
        QTest::newRow("6 m behind: nothing") << true << QPoint(40, 100) << QColor(kWhite);
        QTest::newRow("6 m in front, Monitor hidden: nothing")
            << false << QPoint(160, 100) << QColor(kWhite);
        QTest::newRow("beyond the fov: nothing") << true << QPoint(140, 60) << QColor(kWhite);
    }
    void bandsInFrontOnly() {
        QFETCH(bool, monitorShown);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        PlanLook look;
        look.labels = false;
        look.levelShown[0] = monitorShown;
        const QImage image = Painted({"p1", {}, {Gate()}, {}, {}}, look);
        const QColor seen = image.pixelColor(at);
        QVERIFY2(Near(seen, colour), qPrintable(seen.name() + " for " + colour.name()));
    }

    void targetRedWhenUnmet_data() {
        QTest::addColumn<bool>("met");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("unmet: red") << false << UnmetTargetColour(false);
        QTest::newRow("met: paper inside the ink") << true << QColor(Qt::white);
    }
    void targetRedWhenUnmet() {
        QFETCH(bool, met);
        QFETCH(QColor, colour);
        SceneTarget door{"t1", u"Door", {0, 5}, 4, {}};
        door.cover.met = met;
        const QImage image = Painted({"p1", {}, {}, {door}, {}}, PlanLook{});
        // 5 m north of the origin, 3 px east of the mark's centre: inside, off its cross.
        QVERIFY(Near(image.pixelColor(103, 50), colour));
    }

    // The name stands above the line through the mark, to its right, and nothing hangs below.
    void labelUpright() {
        SceneCamera unfinished{"c1", u"Gate", {}, {}};
        const QImage image = Painted({"p1", {}, {unfinished}, {}, {}}, PlanLook{});
        const auto inked = [&](QRect r) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    n += image.pixel(x, y) != kWhite;
            return n;
        };
        QVERIFY(inked(QRect(107, 78, 40, 17)) > 20);
        QCOMPARE(inked(QRect(107, 106, 40, 20)), 0);
    }

    // Down the legend's swatches: the levels shown, in their order, then the blind zone.
    void legendRows_data() {
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QList<int>>("rows");  // -1: the blind zone
        QTest::newRow("all") << QList<int>{} << QList<int>{0, 1, 2, 3, 4, 5, -1};
        QTest::newRow("Detect and Inspect hidden")
            << QList<int>{1, 5} << QList<int>{0, 2, 3, 4, -1};
        QTest::newRow("nothing shown") << QList<int>{0, 1, 2, 3, 4, 5, -1} << QList<int>{};
    }
    void legendRows() {
        QFETCH(QList<int>, hidden);
        QFETCH(QList<int>, rows);
        PlanPaintOptions options;
        for (const int level : hidden)
            (level < 0 ? options.look.blindZoneShown : options.look.levelShown[level]) = false;
        QImage image(300, 300, QImage::Format_ARGB32);
        image.fill(kWhite);
        QPainter painter(&image);
        const QRectF box = PaintLegend(painter, QPointF(10, 10), options);
        painter.end();
        QCOMPARE(box.isEmpty(), rows.isEmpty());
        const double rowHeight = (box.height() - 8) / std::max(1, int(rows.size()));
        for (int i = 0; i < rows.size(); ++i) {
            const QPoint swatch(int(box.left() + 9), int(box.top() + 4 + (i + 0.5) * rowHeight));
            if (rows[i] >= 0)
                QCOMPARE(image.pixelColor(swatch), LevelColour(rows[i], false));
        }
    }

    void scaleBarRoundLength_data() {
        QTest::addColumn<double>("perMetre");
        QTest::addColumn<LengthUnit>("unit");
        QTest::addColumn<double>("about");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("devicePx");
        QTest::newRow("exactly 10 m") << 10.0 << LengthUnit::Metres << 100.0 << "10 m" << 100.0;
        QTest::newRow("just short of 10 m") << 10.0 << LengthUnit::Metres << 99.0 << "5 m" << 50.0;
        QTest::newRow("feet") << 10.0 << LengthUnit::Feet << 200.0 << "50 ft" << 152.4;
        QTest::newRow("a close-up") << 1000.0 << LengthUnit::Metres << 150.0 << "0.1 m" << 100.0;
        QTest::newRow("a site") << 0.01 << LengthUnit::Metres << 150.0 << "10000 m" << 100.0;
        QTest::newRow("no scale") << 0.0 << LengthUnit::Metres << 150.0 << "" << 0.0;
        QTest::newRow("a close-up, decimal comma")
            << 1000.0 << LengthUnit::Metres << 150.0 << "0,1 m" << 100.0;
    }
    void scaleBarRoundLength() {
        QFETCH(double, perMetre);
        QFETCH(LengthUnit, unit);
        QFETCH(double, about);
        QFETCH(QString, text);
        QFETCH(double, devicePx);
        const NumberFormat format{text.contains(',') ? u"," : u".", u" "};
        const ScaleBarLength bar = ChooseScaleBar(perMetre, unit, about, format);
        QCOMPARE(bar.text, text);
        QCOMPARE(bar.devicePx, devicePx);
        QImage image(400, 100, QImage::Format_ARGB32);
        QPainter painter(&image);
        const QRectF box = PaintScaleBar(painter, QPointF(10, 90), perMetre, unit, about, {});
        QCOMPARE(box.bottomLeft(), QPointF(10, 90));
        QVERIFY(text.isEmpty() ? box.isEmpty() : box.width() > devicePx);
    }

    void exportPdf_data() {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("scale");         // 0: fit
        QTest::addColumn<QString>("underlay");  // its type; "": none
        QTest::addColumn<QString>("texts");
        QTest::newRow("named, at 1:100, on a picture")
            << "Harbour gate"
            << "Ground floor" << 100 << "image/png"
            << "Gate|Door (Identify)|Harbour gate|14 May 2025|Ground floor|Scale: 1:100";
        QTest::newRow("unnamed, fitted, on a PDF page")
            << ""
            << " " << 0 << "application/pdf"
            << "Untitled design|Unnamed plan|Scale: Fit|Blind zone";
        QTest::newRow("no underlay") << "Harbour gate"
                                     << "" << 0 << ""
                                     << "Scale: Fit";
    }
    void exportPdf() {
        QFETCH(QString, design);
        QFETCH(QString, plan);
        QFETCH(int, scale);
        QFETCH(QString, underlay);
        QFETCH(QString, texts);
        PlanSheet sheet;
        sheet.designName = design;
        sheet.date = "14 May 2025";
        sheet.planName = plan;
        sheet.scene = {"p1", {{{-5, -5}, {-5, 5}}}, {Gate()}, {}, {}};
        sheet.scene.targets.push_back({"t1", u"Door", {3, 1}, 4, {}});
        // A grey picture of 200 × 100 px, or a page of 200 × 100 pt, 0.1 m each: 20 m × 10 m.
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        if (underlay == "image/png") {
            QImage picture(200, 100, QImage::Format_RGB32);
            picture.fill(Qt::lightGray);
            picture.save(&bytes, "PNG");
        } else if (underlay == "application/pdf") {
            QPdfWriter writer(&bytes);
            writer.setPageSize(QPageSize(QSizeF(200, 100), QPageSize::Point));
            QPainter(&writer).fillRect(0, 0, 500, 500, Qt::lightGray);
        }
        sheet.underlay = MakeDesignBlob(underlay, bytes.data());
        sheet.metresPerPixel = 0.1;
        sheet.originM = {-10, 5};
        PlanPaper paper;
        if (scale)
            paper.scaleDenominator = scale;
        QTemporaryDir folder;
        const QString pdf = folder.filePath("plan.pdf");
        const std::optional<QString> problem = ExportPlanPdf(pdf, sheet, paper);
        QVERIFY2(!problem, qPrintable(problem.value_or("")));
        const QString shown = Run("pdftotext", {"-layout", pdf, "-"}).simplified();
        QCOMPARE(Run("pdfimages", {"-list", pdf}).count(" image "), underlay.isEmpty() ? 0 : 1);
        for (const QString& text : texts.split('|'))
            QVERIFY2(shown.contains(text), qPrintable(text + " in: " + shown));
        const std::optional<QString> refused =
            ExportPlanPdf(folder.filePath("missing/plan.pdf"), sheet, paper);
        QVERIFY(refused && refused->contains(folder.filePath("missing/plan.pdf")));
    }

    void exportPng_data() {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<bool>("written");
        QTest::newRow("landscape") << QSize(800, 600) << true;
        QTest::newRow("tall") << QSize(300, 1200) << true;
        QTest::newRow("empty: refused") << QSize(0, 600) << false;
    }
    void exportPng() {
        QFETCH(QSize, pixels);
        QFETCH(bool, written);
        QTemporaryDir folder;
        const QString png = folder.filePath("plan.png");
        PlanSheet sheet;
        sheet.scene = {"p1", {}, {Gate()}, {}, {}};
        QCOMPARE(!ExportPlanPng(png, sheet, pixels), written);
        QCOMPARE(QImage(png).size(), written ? pixels : QSize(0, 0));
    }
};

QTEST_MAIN(PlanPainterTest)
#include "test_plan_painter.moc"
