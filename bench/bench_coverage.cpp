// The Coverage window recomputes every result on each edit; these measure one recomputation of
// the worked examples, flat and mounted.
#include <benchmark/benchmark.h>

#include "coverage.h"

namespace {

void Recompute(benchmark::State& state, bool mounted) {
    CoverageInputs inputs = DefaultCoverageInputs(LengthUnit::Feet);
    inputs.mounted = mounted;
    inputs.cameraHeight = u"15";
    inputs.targetHeight = u"5.5";
    const NumberFormat format;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeCoverage(inputs, format));
}

}  // namespace

BENCHMARK_CAPTURE(Recompute, third_inch_4mm_20ft, false);
BENCHMARK_CAPTURE(Recompute, mounted_15ft_aimed, true);
