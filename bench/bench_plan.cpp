// The site plan's geometry for one camera among many walls: the exact view within its wedge, and
// its DORI bands cut to that view, as a drag of the camera recomputes them. The walls are short
// segments scattered over a 200 m square site (fixed seed), the camera in its middle with the
// Coverage form's start (4 mm on 1/3", mounted 3 m above a face). Then a plan's whole scene:
// 500 such cameras and 50 targets scattered among the 5,000 walls, built, one camera dragged, and
// one wall added.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "bands.h"
#include "coverage.h"
#include "design_edits.h"
#include "large_site.h"
#include "placed_camera.h"
#include "plan_scene.h"
#include "visibility.h"

namespace {

PlacedCamera StartCamera() {
    CoverageInputs inputs;
    inputs.mounted = true;
    const Coverage coverage = ComputeCoverage(inputs, NumberFormat{});
    return *PlaceCamera(coverage.figures, {0, 0}, 30);
}

void View(benchmark::State& state) {
    const std::vector<Segment> walls = ScatteredWalls(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(VisibleView({0, 0}, 30, 61.9, 0, 40, walls));
}
BENCHMARK(View)->Arg(0)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

void Bands(benchmark::State& state) {
    const std::vector<Segment> walls = ScatteredWalls(static_cast<int>(state.range(0)));
    const PlacedCamera camera = StartCamera();
    for (auto _ : state)
        benchmark::DoNotOptimize(CameraBands(camera, walls));
}
BENCHMARK(Bands)->Arg(0)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

void BuildScene(benchmark::State& state) {
    const Design design = LargeSiteDesign();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPlanScene(design, "p1"));
}
BENCHMARK(BuildScene)->Unit(benchmark::kMillisecond);

void DragCamera(benchmark::State& state) {
    const PlanScene scene = BuildPlanScene(LargeSiteDesign(), "p1");
    const SceneCamera& camera = scene.cameras[250];
    double step = 0;
    for (auto _ : state) {
        step = step < 10 ? step + 0.1 : 0;
        benchmark::DoNotOptimize(MovedCamera(scene, camera, camera.camera.position + Point{step, 0},
                                             camera.camera.headingDeg + step));
    }
}
BENCHMARK(DragCamera)->Unit(benchmark::kMicrosecond);

void AddOneWall(benchmark::State& state) {
    const Design design = LargeSiteDesign();
    const PlanScene scene = BuildPlanScene(design, "p1");
    const Design withWall = AddWall(design, "p1", {10, 10, 12, 11});
    for (auto _ : state)
        benchmark::DoNotOptimize(UpdateWalls(scene, withWall));
}
BENCHMARK(AddOneWall)->Unit(benchmark::kMillisecond);

}  // namespace
