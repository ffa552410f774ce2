// A search runs on a click, so it only has to feel instant; this measures the largest group
// (the 18 zoom lenses for 1/2 inch with video auto iris), lines composed and copied out. The
// coverage window's lens list is rebuilt on every edit: all 137 rows checked, set and sorted.
#include <benchmark/benchmark.h>

#include "catalogue.h"
#include "lens_suggestions.h"

namespace {

void SelectLargestGroup(benchmark::State& state) {
    const auto options = SearchOptions{}.Set(LensType::zoom).Set(Format::unmezzo).Set(Iris::VD);
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectLenses(options));
    state.counters["lenses"] = static_cast<double>(SelectLenses(options).size());
}

// A 1/3" camera, 1920 across, Identify at 20 ft: 126 lenses listed, nearly the whole catalogue.
void SuggestLensesForIdentify(benchmark::State& state) {
    const LensCamera camera{4.8, 6, 1920};
    for (auto _ : state)
        benchmark::DoNotOptimize(SuggestLenses(camera, 6.096, 250));
    state.counters["lenses"] = static_cast<double>(SuggestLenses(camera, 6.096, 250).size());
}

}  // namespace

BENCHMARK(SelectLargestGroup);
BENCHMARK(SuggestLensesForIdentify);
