// The Coverage window recomputes every result on each edit, and the pictures their scene; these
// measure one recomputation of the worked examples, flat, mounted, and looking up at the target.
#include <benchmark/benchmark.h>

#include "coverage.h"
#include "picture_scene.h"

namespace {

CoverageInputs Example(bool mounted, const char16_t* cameraHeight) {
    CoverageInputs inputs = DefaultCoverageInputs(LengthUnit::Feet);
    inputs.mounted = mounted;
    inputs.cameraHeight = cameraHeight;
    inputs.targetHeight = u"5.5";
    return inputs;
}

void Recompute(benchmark::State& state, bool mounted, const char16_t* cameraHeight) {
    const CoverageInputs inputs = Example(mounted, cameraHeight);
    const NumberFormat format;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeCoverage(inputs, format));
}

void Scene(benchmark::State& state) {
    const CoverageFigures figures = ComputeCoverage(Example(true, u"15"), {}).figures;
    for (auto _ : state)
        benchmark::DoNotOptimize(SceneOf(figures));
}

}  // namespace

BENCHMARK_CAPTURE(Recompute, third_inch_4mm_20ft, false, u"15");
BENCHMARK_CAPTURE(Recompute, mounted_15ft_aimed, true, u"15");
BENCHMARK_CAPTURE(Recompute, mounted_3ft_looking_up, true, u"3");
BENCHMARK(Scene);
