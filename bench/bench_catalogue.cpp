// A search runs on a click, so it only has to feel instant; this measures the largest group
// (the 18 zoom lenses for 1/2 inch with video auto iris), lines composed and copied out. The
// coverage window's lens list is rebuilt on every edit: all 137 rows checked, set and sorted,
// then filtered, ordered by kind and written out as the window shows it.
#include <benchmark/benchmark.h>

#include "catalogue.h"
#include "coverage.h"
#include "lens_list.h"
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

// A 1/2.8" 16:9 gate camera, Identify at 20 m on the ground from a 4 m pole, 7 m wide at least:
// 75 lenses reach it. Unfiltered (0), the 70 wide enough are written out; varifocals and zooms
// with a DC or video iris (1), 35.
void ListLensesForAGate(benchmark::State& state) {
    CoverageInputs in;
    in.format = SensorFormatIndex("1/2.8").value_or(kCustomFormat);
    in.aspect = Aspect::SixteenByNine;
    std::tie(in.pixelsAcross, in.pixelsDown, in.focalLengthMm) = std::tuple(u"1920", u"1080", u"6");
    std::tie(in.distance, in.requiredWidth) = std::pair(u"20", u"7");
    std::tie(in.mounted, in.cameraHeight, in.targetHeight) = std::tuple(true, u"4", u"1.6");
    const CoverageFigures figures = ComputeCoverage(in, {}).figures;
    LensFilter filter;
    if (state.range(0) == 1)
        filter.Set(LensKind::Fixed, false).Set(Iris::M, false).Set(Iris::Manual, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(ListLensesReaching(figures, in, filter, {}));
    state.counters["lenses"] =
        static_cast<double>(ListLensesReaching(figures, in, filter, {}).rows.size());
}

}  // namespace

BENCHMARK(SelectLargestGroup);
BENCHMARK(SuggestLensesForIdentify);
BENCHMARK(ListLensesForAGate)->Arg(0)->Arg(1);
