// The design file with a 1,000-camera design (about 600 KB of JSON) and a 2 MB plan image: saving
// it again in place (the plan already stored), saving it as a new file (the plan copied), and
// opening it. Every save waits for the disk, as the user's saves do.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "design_file_store.h"

static QByteArray ThousandCameras(int edit) {
    QByteArray json = R"({"version":1,"name":"Warehouse","unit":"m","cameras":[)";
    for (int camera = 1; camera <= 1000; ++camera) {
        json +=
            QStringLiteral(
                R"({"id":"c%1","name":"Camera %1","format":"1/2.8\"","aspect":"16:9",)"
                R"("focalLength":"%2","distance":"%3","mounted":true,"cameraHeight":"3.5",)"
                R"("targetHeight":"1.6","tiltAimed":true,"requiredLevel":4,)"
                R"("requiredWidth":"","lens":"VM-2812","resolution":[1920,1080],)"
                R"("notes":"Aisle %4, facing the loading bay from the north-east corner; check )"
                R"(the glare at noon and the shadow under the mezzanine. At night the )"
                R"(infrared is on and the lights of aisle %4 are off after 22:00.",)"
                R"("mount":"Wall bracket WB-2, junction box JB-4, 2.5 m of conduit",)"
                R"("plan":{"x":%5,"y":%6,"pan":%7}},)")
                .arg(camera)
                .arg(2.8 + camera % 10)
                .arg(5 + camera % 30 + edit)
                .arg(camera % 40)
                .arg(camera * 1.5)
                .arg(camera * 0.75)
                .arg(camera % 360)
                .toUtf8();
    }
    json.chop(1);
    return json + "]}";
}

struct Folder {
    QTemporaryDir dir;
    QString design = dir.filePath(QStringLiteral("warehouse.vistamarq"));
    DesignBlob plan = MakeDesignBlob(QStringLiteral("image/png"), QByteArray(2 << 20, 'p'));
    DesignFileStamp stamp =
        std::get<DesignFileStamp>(SaveDesignFile(design, {ThousandCameras(0), {plan}}));
};

static void BM_SaveInPlace(benchmark::State& state) {
    Folder folder;
    int edit = 0;
    for (auto _ : state) {
        const auto saved = SaveDesignFile(
            folder.design,
            {ThousandCameras(++edit % 2), {}, {folder.plan.sha256}, folder.design, folder.stamp});
        if (saved.index() == 1)
            state.SkipWithError(qPrintable(std::get<QString>(saved)));
        else
            folder.stamp = std::get<DesignFileStamp>(saved);
    }
    state.counters["json_kB"] = ThousandCameras(0).size() / 1000.0;
}
BENCHMARK(BM_SaveInPlace)->Unit(benchmark::kMillisecond);

static void BM_SaveAsNewFile(benchmark::State& state) {
    Folder folder;
    const QString copy = folder.dir.filePath(QStringLiteral("copy.vistamarq"));
    for (auto _ : state) {
        const auto saved =
            SaveDesignFile(copy, {ThousandCameras(1), {}, {folder.plan.sha256}, folder.design});
        if (saved.index() == 1)
            state.SkipWithError(qPrintable(std::get<QString>(saved)));
    }
}
BENCHMARK(BM_SaveAsNewFile)->Unit(benchmark::kMillisecond);

static void BM_Open(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        const auto opened = OpenDesignFile(folder.design);
        if (opened.index() == 1)
            state.SkipWithError(qPrintable(std::get<QString>(opened)));
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // Qt SQL finds its SQLite driver through the application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
