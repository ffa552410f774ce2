// One repaint of both Coverage pictures at twice the pixel density, for the mounted worked example
// (1/3 inch, 4 mm, a 15 ft pole aimed at a face 5.5 ft high, 20 ft away): each view into its own
// image, at the size the window first gives it and at a large one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "coverage_pictures.h"
#include "layout.h"

static void BM_RepaintBothPictures(benchmark::State& state) {
    CoverageInputs inputs = DefaultCoverageInputs(LengthUnit::Feet);
    inputs.mounted = true;
    inputs.cameraHeight = u"15";
    inputs.targetHeight = u"5.5";
    const Coverage coverage = ComputeCoverage(inputs, {});
    const QSize size(int(state.range(0)), int(state.range(0)) * 4 / 7);
    QImage side(size * 2, QImage::Format_ARGB32_Premultiplied);
    QImage top(size * 2, QImage::Format_ARGB32_Premultiplied);
    side.setDevicePixelRatio(2);
    top.setDevicePixelRatio(2);
    const QPalette palette = QApplication::palette();
    for (auto _ : state) {
        QPainter sidePainter(&side);
        DrawSideView(sidePainter, QRectF(QPointF(), size), coverage.figures, LengthUnit::Feet, {},
                     palette);
        sidePainter.end();
        QPainter topPainter(&top);
        DrawTopView(topPainter, QRectF(QPointF(), size), coverage.figures, LengthUnit::Feet, {},
                    palette);
        topPainter.end();
        benchmark::DoNotOptimize(side.constBits());
        benchmark::DoNotOptimize(top.constBits());
    }
}
BENCHMARK(BM_RepaintBothPictures)->Arg(420)->Arg(900)->Unit(benchmark::kMillisecond);
