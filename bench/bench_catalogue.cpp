// A search runs on a click, so it only has to feel instant; this measures the largest group
// (the 18 zoom lenses for 1/2 inch with video auto iris), lines composed and copied out.
#include <benchmark/benchmark.h>

#include "catalogue.h"

namespace {

void SelectLargestGroup(benchmark::State& state) {
    const auto options = SearchOptions{}.Set(LensType::zoom).Set(Format::unmezzo).Set(Iris::VD);
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectLenses(options));
    state.counters["lenses"] = static_cast<double>(SelectLenses(options).size());
}

}  // namespace

BENCHMARK(SelectLargestGroup);
