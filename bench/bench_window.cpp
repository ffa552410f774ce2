// One recalculation tick of the real main window when nothing has changed: two evaluations, and
// no box rewritten. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>

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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
