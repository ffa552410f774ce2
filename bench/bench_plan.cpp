// The site plan's geometry for one camera among many walls: the exact view within its wedge, and
// its DORI bands cut to that view, as a drag of the camera recomputes them. The walls are short
// segments scattered over a 200 m square site (fixed seed), the camera in its middle with the
// Coverage form's start (4 mm on 1/3", mounted 3 m above a face).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "bands.h"
#include "coverage.h"
#include "placed_camera.h"
#include "visibility.h"

namespace {

std::vector<Segment> ScatteredWalls(int count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(-100, 100), length(0.5, 4), turn(0, 6.283185307);
    std::vector<Segment> walls;
    for (int i = 0; i < count; ++i) {
        const Point a{place(random), place(random)};
        const double l = length(random), t = turn(random);
        walls.push_back({a, {a.x + l * std::cos(t), a.y + l * std::sin(t)}});
    }
    return walls;
}

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

}  // namespace
