// "Export Report (PDF)…" of a large site: a 500-camera design's report (the cover, the schedule,
// and each camera's design sheet with its side and top views), laid out twice to number its pages
// and saved to a file. The first export of a process also loads the fonts.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "camera_inputs.h"
#include "design_edits.h"
#include "design_report.h"

namespace {

constexpr std::size_t kCameras = 500;

// Cameras of every kind in turn: flat and mounted, aimed and tilted, named formats and custom
// sensors, at distances from 3 to 52 m.
ReportOptions LargeSite() {
    ReportOptions options;
    options.design = NewDesign(LengthUnit::Metres);
    options.design.name = u"Container terminal";
    options.design.cameras.clear();
    for (std::size_t i = 0; i < kCameras; ++i) {
        options.design = AddCamera(std::move(options.design), "");
        CoverageInputs in = options.design.cameras.back().inputs;
        in.format = i % (kCustomFormat + 1);
        in.custom = i % 2 ? CustomSensor::ByPixelSize : CustomSensor::BySize;
        in.aspect = i % 3 ? Aspect::SixteenByNine : Aspect::FourByThree;
        in.focalLengthMm = CanonicalNumberText(2.8 + static_cast<double>(i % 7));
        in.distance = CanonicalNumberText(3 + static_cast<double>(i % 50));
        in.mounted = i % 4 != 0;
        in.tiltAimed = i % 5 != 0;
        in.requiredLevel = static_cast<int>(i % kDoriLevels.size());
        const std::string id = options.design.cameras.back().id;
        options.design = WithCamera(std::move(options.design), id, in);
    }
    options.date = QStringLiteral("14 May 2025");
    return options;
}

void ExportLargeReport(benchmark::State& state) {
    const ReportOptions options = LargeSite();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        if (WriteDesignReportPdf(path, options).outcome != ReportOutcome::Done)
            state.SkipWithError("the PDF was not written");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

}  // namespace

BENCHMARK(ExportLargeReport)->Iterations(2)->Unit(benchmark::kMillisecond);
