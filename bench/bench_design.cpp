// A large site's design, 1,000 cameras: opening and saving its JSON, its whole camera schedule,
// and what one edit costs the design window (the next design value and the camera's new row).
#include <benchmark/benchmark.h>

#include "camera_inputs.h"
#include "design_edits.h"
#include "design_file.h"
#include "schedule.h"

namespace {

constexpr std::size_t kCameras = 1000;

// Cameras of every kind in turn: flat and mounted, aimed and tilted, named formats and custom
// sensors, at distances from 3 to 52 m.
Design LargeDesign() {
    Design design = NewDesign(LengthUnit::Metres);
    design.cameras.clear();
    for (std::size_t i = 0; i < kCameras; ++i) {
        design = AddCamera(std::move(design), "");
        CoverageInputs in = design.cameras.back().inputs;
        in.format = i % (kCustomFormat + 1);
        in.custom = i % 2 ? CustomSensor::ByPixelSize : CustomSensor::BySize;
        in.aspect = i % 3 ? Aspect::SixteenByNine : Aspect::FourByThree;
        in.focalLengthMm = CanonicalNumberText(2.8 + static_cast<double>(i % 7));
        in.distance = CanonicalNumberText(3 + static_cast<double>(i % 50));
        in.mounted = i % 4 != 0;
        in.tiltAimed = i % 5 != 0;
        in.requiredLevel = static_cast<int>(i % kDoriLevels.size());
        const std::string id = design.cameras.back().id;
        design = WithCamera(std::move(design), id, in);
    }
    return design;
}

const Design& Large() {
    static const Design design = LargeDesign();
    return design;
}

void ReadLargeDesign(benchmark::State& state) {
    const std::string json = WriteDesign(Large());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadDesign(json, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
}

void WriteLargeDesign(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteDesign(Large()));
}

void ScheduleOfLargeDesign(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ScheduleOf(Large(), {}));
}

// The undo command's redo: a new design value with the camera's edited inputs, and its row.
void EditOneCamera(benchmark::State& state) {
    const Camera& camera = Large().cameras[kCameras / 2];
    CoverageInputs edited = InputsForEditor(camera, LengthUnit::Metres, {});
    edited.focalLengthMm = std::u16string(u"8");
    for (auto _ : state) {
        const CoverageInputs inputs = CanonicalInputs(edited, {}).value();
        const Design next = WithCamera(Large(), camera.id, inputs);
        benchmark::DoNotOptimize(
            ScheduleRowOf(*FindCamera(next, camera.id), next.unit, NumberFormat{}));
    }
}

}  // namespace

BENCHMARK(ReadLargeDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteLargeDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(ScheduleOfLargeDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(EditOneCamera)->Unit(benchmark::kMicrosecond);
