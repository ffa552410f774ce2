// The Coverage pictures drawn from worked examples and from the edges of what the form accepts,
// at two sizes, at one and two device pixels to a pixel, in a light and a dark palette: each draws
// a picture, the two views differ, and bad input draws the same short note in both.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "../coverage/coverage_examples.h"
#include "coverage_pictures.h"

Q_DECLARE_METATYPE(CoverageInputs)

namespace {

QPalette Dark() {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x8e, 0xe0));
    return dark;
}

// The share of the image's pixels that are not the palette's Base.
double InkedShare(const QImage& image, const QPalette& palette) {
    const QRgb base = palette.color(QPalette::Base).rgb();
    qsizetype inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        inked += std::count_if(row, row + image.width(), [&](QRgb pixel) { return pixel != base; });
    }
    return double(inked) / (double(image.width()) * image.height());
}

}  // namespace

class CoveragePicturesTest : public QObject {
    Q_OBJECT

  private slots:
    void drawnAtEverySize_data() {
        QTest::addColumn<CoverageInputs>("inputs");
        QTest::addColumn<bool>("picture");  // false: the note only
        const CoverageInputs third =
            Camera("1/3", Aspect::FourByThree, u"4", u"20", LengthUnit::Feet);
        QTest::newRow("1/3 inch, 4 mm, 20 ft, no mounting") << third << true;
        QTest::newRow("15 ft pole aimed at 5.5 ft, 20 ft away")
            << Mounted(third, u"15", u"5.5") << true;
        QTest::newRow("the same tilted 30 degrees") << Mounted(third, u"15", u"5.5", u"30") << true;
        QTest::newRow("1/2.8 inch 16:9, 3 m pole, 8 m away: far edge to the horizon")
            << Mounted(Camera("1/2.8", Aspect::SixteenByNine, u"6", u"8"), u"3", u"1.6") << true;
        QTest::newRow("10 km pole straight over a target on the ground, 10 m lens")
            << Mounted(Camera("1", Aspect::FourByThree, u"10000", u"0.01"), u"10000", u"0") << true;
        QTest::newRow("0.1 mm lens held level, target 100 km away, out of view")
            << Mounted(Camera("1", Aspect::SixteenByNine, u"0.1", u"100000"), u"0.01", u"0", u"0")
            << true;
        QTest::newRow("focal length 0: bad input")
            << Camera("1/3", Aspect::FourByThree, u"0", u"6") << false;
    }

    void drawnAtEverySize() {
        QFETCH(CoverageInputs, inputs);
        QFETCH(bool, picture);
        const Coverage coverage = ComputeCoverage(inputs, NumberFormat{});
        for (const QPalette& palette : {QGuiApplication::palette(), Dark()}) {
            for (const QSize size : {QSize(300, 180), QSize(900, 540)}) {
                for (const int ratio : {1, 2}) {
                    QImage views[3];  // side, top, and the note in place of a picture
                    for (int view = 0; view < 3; ++view) {
                        views[view] = QImage(size * ratio, QImage::Format_RGB32);
                        views[view].setDevicePixelRatio(ratio);
                        QPainter painter(&views[view]);
                        (view == 1 ? DrawTopView : DrawSideView)(
                            painter, QRectF(QPoint(), size),
                            view < 2 ? coverage.figures : CoverageFigures{}, inputs.unit,
                            NumberFormat{}, palette);
                    }
                    const double side = InkedShare(views[0], palette);
                    const double top = InkedShare(views[1], palette);
                    const QByteArray where =
                        QByteArray::number(size.width()) + " at " + QByteArray::number(ratio) +
                        "x: " + QByteArray::number(side) + ", " + QByteArray::number(top);
                    QVERIFY(InkedShare(views[2], palette) > 0);
                    if (picture) {
                        QVERIFY2(side > 0.03 && top > 0.03 && views[0] != views[1] &&
                                     views[0] != views[2] && views[1] != views[2],
                                 where);
                    } else {
                        QVERIFY2(views[0] == views[2] && views[1] == views[2], where);
                    }
                }
            }
        }
    }

    // Both views share one distance scale: a point as far along lies over the same band in each;
    // what the tooltip names.
    void bothViewsShareOneScale_data() {
        QTest::addColumn<CoverageInputs>("inputs");
        QTest::addColumn<QSize>("size");
        const CoverageInputs third =
            Camera("1/3", Aspect::FourByThree, u"4", u"20", LengthUnit::Feet);
        QTest::newRow("15 ft pole aimed at 5.5 ft, small")
            << Mounted(third, u"15", u"5.5") << QSize(300, 180);
        QTest::newRow("no mounting, large") << third << QSize(900, 540);
        QTest::newRow("1/2.8 inch 16:9, 6 mm, 3 m pole, 8 m away")
            << Mounted(Camera("1/2.8", Aspect::SixteenByNine, u"6", u"8"), u"3", u"1.6")
            << QSize(420, 240);
    }

    void bothViewsShareOneScale() {
        QFETCH(CoverageInputs, inputs);
        QFETCH(QSize, size);
        const CoverageFigures figures = ComputeCoverage(inputs, NumberFormat{}).figures;
        const QRectF area(QPointF(), size);
        const QFont font = QGuiApplication::font();
        int compared = 0;
        QSet<int> levels;
        for (int x = 0; x < size.width(); x += 3) {
            const QPointF point(x, size.height() / 2.0);
            const auto side = LevelBandAt(PictureView::Side, area, figures, font, point);
            const auto top = LevelBandAt(PictureView::Top, area, figures, font, point);
            if (side && top) {
                QCOMPARE(side->level, top->level);
                levels << side->level;
                ++compared;
            }
        }
        QVERIFY2(compared > size.width() / 12 && levels.size() >= 2,
                 qPrintable(QString("%1 points, %2 levels").arg(compared).arg(levels.size())));
        QVERIFY(!LevelBandAt(PictureView::Top, area, figures, font, QPointF(-5, -5)));
    }

    void widgetsShowTheirFigures() {
        const Coverage coverage = ComputeCoverage(
            Mounted(Camera("1/2.8", Aspect::SixteenByNine, u"6", u"8"), u"3", u"1.6"), {});
        SideView side;
        TopView top;
        for (CoveragePicture* view :
             {static_cast<CoveragePicture*>(&side), static_cast<CoveragePicture*>(&top)}) {
            QVERIFY(!view->accessibleName().isEmpty() && !view->accessibleDescription().isEmpty());
            view->resize(view->minimumSizeHint());
            const double before = InkedShare(view->grab().toImage(), view->palette());
            view->SetFigures(coverage.figures, LengthUnit::Metres, {});
            QVERIFY2(before < 0.05 && InkedShare(view->grab().toImage(), view->palette()) > 0.2,
                     qPrintable(view->objectName()));
        }
        QCOMPARE(side.objectName(), "sideView");
        QCOMPARE(top.objectName(), "topView");
    }
};

QTEST_MAIN(CoveragePicturesTest)
#include "test_coverage_pictures.moc"
