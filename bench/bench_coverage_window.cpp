// The Coverage window on the offscreen platform, beside the calculator and part-number windows
// it reads: opening it (made, shown, laid out and painted, as Tools > Coverage… does) the first
// time in the process and again; and one edit of a field, which recomputes every result and
// writes every result field and table cell anew (the focal length alternates between 4 and
// 8 mm, so that no text stays the same), without and with the repaint that follows; and one edit
// of the distance, which also writes the figures of every lens listed (126 at Identify).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "coverage_window.h"
#include "design_windows.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "start_windows.h"

namespace {

using Sources = StartWindows;

Sources* sources = nullptr;  // made in main(), once the application exists

void Open(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<CoverageWindow>(sources->followed);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void Edit(benchmark::State& state, bool painted, const char* field = "focal",
          const QString (&texts)[2] = {QStringLiteral("4"), QStringLiteral("8")}) {
    CoverageWindow window(sources->followed);
    window.show();
    window.findChild<QComboBox*>(QStringLiteral("follow"))->setCurrentIndex(3);  // own values
    QApplication::processEvents();
    auto* box = window.findChild<QLineEdit*>(QString::fromLatin1(field));
    int edit = 0;
    for (auto _ : state) {
        box->setText(texts[edit ^= 1]);
        if (painted)
            QApplication::processEvents();
    }
}

}  // namespace

// Registered first, so that it runs once in a process that has not made the window before.
static void BM_CoverageWindowFirstOpening(benchmark::State& state) {
    Open(state);
}
BENCHMARK(BM_CoverageWindowFirstOpening)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_CoverageWindowOpening(benchmark::State& state) {
    Open(state);
}
BENCHMARK(BM_CoverageWindowOpening)->Unit(benchmark::kMillisecond);

static void BM_CoverageWindowEdit(benchmark::State& state) {
    Edit(state, false);
}
BENCHMARK(BM_CoverageWindowEdit)->Unit(benchmark::kMicrosecond);

static void BM_CoverageWindowEditPainted(benchmark::State& state) {
    Edit(state, true);
}
BENCHMARK(BM_CoverageWindowEditPainted)->Unit(benchmark::kMicrosecond);

static void BM_CoverageWindowEditDistance(benchmark::State& state) {
    Edit(state, false, "distance", {QStringLiteral("6.096"), QStringLiteral("5")});
}
BENCHMARK(BM_CoverageWindowEditDistance)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    Sources windows;
    sources = &windows;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
