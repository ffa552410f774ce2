// The main of the benchmarks that build windows: Qt on the offscreen platform, so that they run
// without a display, with the program's fonts.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "layout.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
