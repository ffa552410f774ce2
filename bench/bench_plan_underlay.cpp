// A site plan's underlay of 8,000 × 8,000 px (a PNG of thin lines on white, like a scanned
// drawing) on the window's thread: Load with the first repaint after it, which must not hold the
// window up; a repaint of a 1,600 × 1,000 view at fit zoom, at 1:1 and between halvings once the
// picture is sharp; and, on the workers, the time from Load until it is sharp.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QThread>

#include "plan_underlay.h"

namespace {

const QSize kView(1600, 1000);

const QByteArray& LargePlan() {
    static const QByteArray bytes = [] {
        QImage image(8000, 8000, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 3));
        for (int at = 0; at < 8000; at += 97) {
            painter.drawLine(at, 0, at, 7999);
            painter.drawLine(0, at, 7999, at);
        }
        painter.end();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "png");
        return buffer.data();
    }();
    return bytes;
}

void WaitUntilSharp(const PlanUnderlay& underlay) {
    QElapsedTimer waited;
    waited.start();
    while (!underlay.IsSharp() && waited.elapsed() < 120'000) {
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
}

void Repaint(benchmark::State& state, const QTransform& toDevice) {
    PlanUnderlay underlay;
    underlay.Load(LargePlan(), QStringLiteral("image/png"));
    WaitUntilSharp(underlay);
    QImage view(kView, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&view);
        underlay.Draw(painter, toDevice, QRectF(QPointF(), kView));
        painter.end();
        benchmark::DoNotOptimize(view.constBits());
    }
}

}  // namespace

static void BM_LoadAndFirstDraw(benchmark::State& state) {
    const QByteArray& bytes = LargePlan();
    PlanUnderlay underlay;
    QImage view(kView, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        underlay.Load(bytes, QStringLiteral("image/png"));
        QPainter painter(&view);
        underlay.Draw(painter, QTransform::fromScale(0.125, 0.125), QRectF(QPointF(), kView));
        painter.end();
    }
}
BENCHMARK(BM_LoadAndFirstDraw)->Unit(benchmark::kMillisecond);

static void BM_DrawAtFit(benchmark::State& state) {
    Repaint(state, QTransform::fromScale(0.125, 0.125));
}
BENCHMARK(BM_DrawAtFit)->Unit(benchmark::kMillisecond);

static void BM_DrawAtActualSize(benchmark::State& state) {
    Repaint(state, QTransform::fromTranslate(-3000, -3000));
}
BENCHMARK(BM_DrawAtActualSize)->Unit(benchmark::kMillisecond);

// The worst case between them: 0.7 px to the pixel, the full picture scaled down smoothly.
static void BM_DrawBetweenHalvings(benchmark::State& state) {
    Repaint(state, QTransform(0.7, 0, 0, 0.7, -2000, -2000));
}
BENCHMARK(BM_DrawBetweenHalvings)->Unit(benchmark::kMillisecond);

static void BM_LoadUntilSharp(benchmark::State& state) {
    const QByteArray& bytes = LargePlan();
    for (auto _ : state) {
        PlanUnderlay underlay;
        underlay.Load(bytes, QStringLiteral("image/png"));
        WaitUntilSharp(underlay);
    }
}
BENCHMARK(BM_LoadUntilSharp)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
