// One recalculation tick of the real main window, on the offscreen platform: when nothing has
// changed (as for almost every tick of a run), and when the marked box has just been edited
// (the edit included: the box alternates between "4" and "4.0", which give the same row, so
// the tick works through both rows and rewrites no box).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include "layout.h"
#include "obbiettivi.h"

static void BM_WindowTickNothingChanged(benchmark::State& state) {
    Obbiettivi window("/nonexistent/settings");
    window.show();
    window.CalcoloFocale_Timer();  // the first tick works the start texts out
    for (auto _ : state)
        window.CalcoloFocale_Timer();
}
BENCHMARK(BM_WindowTickNothingChanged);

static void BM_WindowTickAfterAnEdit(benchmark::State& state) {
    Obbiettivi window("/nonexistent/settings");
    window.show();
    window.CalcoloFocale_Timer();
    auto* focalLength = window.findChild<QLineEdit*>(QStringLiteral("Focale1"));
    const QString texts[] = {QStringLiteral("4.0"), QStringLiteral("4")};
    int edit = 0;
    for (auto _ : state) {
        focalLength->setText(texts[edit ^= 1]);
        window.CalcoloFocale_Timer();
    }
}
BENCHMARK(BM_WindowTickAfterAnEdit);
