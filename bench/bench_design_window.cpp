// The design window with a 1,000-camera design, on the offscreen platform at the size it opens at
// on a 1920 × 1080 screen: opening its file until the schedule is laid out and painted; File >
// Save after an edit; one edit of the camera in the editor (its focal length alternates between 4
// and 8 mm), which updates its row of the schedule, without and with the repaint that follows,
// beside the same edit in a one-camera design; the memory the open design takes, beside the
// window with its one-camera design; and a site of 500 cameras among 5,000 walls opened with its
// plan shown, to its first full paint.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <memory>
#include <string>

#include "camera_inputs.h"
#include "coverage_window.h"
#include "design_document.h"
#include "design_edits.h"
#include "design_file.h"
#include "design_file_store.h"
#include "design_windows.h"
#include "large_site.h"
#include "layout.h"
#include "module1.h"
#include "obbiettivi.h"
#include "partno_window.h"
#include "plan_view.h"
#include "start_windows.h"

namespace {

constexpr std::size_t kCameras = 1000;

using Sources = StartWindows;

// A site's cameras, each with its own focal length (2.8 to 11.8 mm) and distance (5 to 34 m,
// `farther` metres more), every other one mounted, at the five levels in turn, so that the
// schedule's rows differ. The first camera's id is `firstId`: a design of other ids than the one
// open replaces the schedule's rows, as opening another site's file does.
Design Site(std::size_t cameras, double farther = 0, std::uint64_t firstId = 1) {
    Design design = NewDesign(LengthUnit::Metres);
    design.name = u"Warehouse";
    while (design.cameras.size() < cameras + firstId - 1) {
        const std::string last = design.cameras.back().id;
        design = AddCamera(std::move(design), last);
    }
    while (design.cameras.size() > cameras) {
        const std::string first = design.cameras.front().id;
        design = RemoveCameras(std::move(design), {first});
    }
    for (std::size_t n = 0; n < design.cameras.size(); ++n) {
        CoverageInputs inputs = design.cameras[n].inputs;
        inputs.focalLengthMm = CanonicalNumberText(2.8 + static_cast<double>(n % 10));
        inputs.distance = CanonicalNumberText(5.0 + static_cast<double>(n % 30) + farther);
        inputs.mounted = n % 2 == 1;
        inputs.requiredLevel = static_cast<int>(n % 5);
        const std::string id = design.cameras[n].id;
        design = WithCamera(std::move(design), id, inputs);
    }
    return design;
}

// Two 1,000-camera design files of different cameras, one to save over, and a one-camera design
// file, in a folder that goes with them.
struct Files {
    Files() {
        Write(Site(kCameras), opened[0]);
        Write(Site(kCameras, 0.5, 2), opened[1]);
        Write(Site(kCameras), saved);
        Write(Site(1), single);
        Write(LargeSiteDesign(), plan);
    }
    static void Write(const Design& design, const QString& path) {
        const std::string json = WriteDesign(design);
        const auto written = SaveDesignFile(path, {QByteArray::fromStdString(json)});
        if (const auto* message = std::get_if<QString>(&written))
            qFatal("%s", qPrintable(*message));
    }
    QTemporaryDir dir;
    QString opened[2] = {dir.filePath(QStringLiteral("warehouse.vistamarq")),
                         dir.filePath(QStringLiteral("depot.vistamarq"))};
    QString saved = dir.filePath(QStringLiteral("saved.vistamarq"));
    QString single = dir.filePath(QStringLiteral("gate.vistamarq"));
    QString plan = dir.filePath(QStringLiteral("site.vistamarq"));  // 500 cameras, 5,000 walls
};

Sources* sources = nullptr;  // made in main(), once the application exists
Files* files = nullptr;

// The text of the last message box the window showed. No one is there to answer it: it is
// closed at once, and the benchmark that raised it fails with its text rather than waiting.
QString unanswered;

void CloseMessageBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        unanswered = box->text();
        box->reject();
    }
}

// False, and the benchmark failed, when a message box was shown since the last call.
bool NoMessage(benchmark::State& state) {
    if (unanswered.isEmpty())
        return true;
    state.SkipWithError(qPrintable(unanswered));
    unanswered.clear();
    return false;
}

// The window shown with the design of `path` open (none: its own one-camera design), at the size
// the program gives it on a 1920 × 1080 screen (the offscreen screen is smaller).
std::unique_ptr<CoverageWindow> ShownWindow(const QString& path = {}) {
    auto window = std::make_unique<CoverageWindow>(sources->followed);
    window->resize(window->DefaultSize(QSize(1920, 1040)));
    window->show();
    QApplication::processEvents();
    if (!path.isEmpty()) {
        window->OpenFile(path);
        QApplication::processEvents();
    }
    return window;
}

// The resident memory of the process, in bytes, after malloc has given back what it can.
double ResidentBytes() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// Whether the schedule shows the design's cameras; the benchmark fails when not.
bool ScheduleShows(benchmark::State& state, const CoverageWindow& window, std::size_t cameras) {
    const auto* schedule = window.findChild<QTableView*>(QStringLiteral("cameras"));
    if (static_cast<std::size_t>(schedule->model()->rowCount()) == cameras)
        return true;
    state.SkipWithError("the design file did not open");
    return false;
}

// In a design of state.range(0) cameras.
void Edit(benchmark::State& state, bool painted) {
    const auto cameras = static_cast<std::size_t>(state.range(0));
    const auto window = ShownWindow(cameras == 1 ? files->single : files->opened[0]);
    if (!ScheduleShows(state, *window, cameras))
        return;
    auto* box = window->findChild<QLineEdit*>(QStringLiteral("focal"));
    const QString texts[2] = {QStringLiteral("4"), QStringLiteral("8")};
    int edit = 0;
    for (auto _ : state) {
        box->setText(texts[edit ^= 1]);
        if (painted)
            QApplication::processEvents();
    }
    if (window->Document().Current().cameras.front().inputs.focalLengthMm !=
        texts[edit].toStdU16String())
        state.SkipWithError("the edit did not reach the design");
    NoMessage(state);
}

}  // namespace

// Registered first, so that what earlier benchmarks freed does not hide the growth.
static void BM_DesignWindowMemory(benchmark::State& state) {
    for (auto _ : state) {
        const auto window = ShownWindow();
        const double before = ResidentBytes();
        window->OpenFile(files->opened[0]);
        QApplication::processEvents();
        const double after = ResidentBytes();
        if (!ScheduleShows(state, *window, kCameras))
            return;
        state.counters["MB"] = (after - before) / 1e6;
    }
}
BENCHMARK(BM_DesignWindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Each iteration opens the other file, whose cameras replace every row of the schedule.
static void BM_DesignWindowOpenFile(benchmark::State& state) {
    const auto window = ShownWindow();
    int file = 0;
    for (auto _ : state) {
        window->OpenFile(files->opened[file ^= 1]);
        QApplication::processEvents();
    }
    if (ScheduleShows(state, *window, kCameras))
        NoMessage(state);
}
BENCHMARK(BM_DesignWindowOpenFile)->Unit(benchmark::kMillisecond);

// File > Save to the file the design came from, after an edit of a camera not in the editor
// (not timed); the save waits for the disk, as the user's does.
static void BM_DesignWindowSave(benchmark::State& state) {
    const auto window = ShownWindow(files->saved);
    if (!ScheduleShows(state, *window, kCameras))
        return;
    DesignDocument& document = window->Document();
    auto* save = window->findChild<QAction*>(QStringLiteral("mnuSave"));
    const std::string id = document.Current().cameras[kCameras / 2].id;
    CoverageInputs inputs = document.Current().cameras[kCameras / 2].inputs;
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        inputs.focalLengthMm = (edit ^= 1) ? u"4" : u"8";
        document.EditCamera(id, inputs);
        QApplication::processEvents();
        state.ResumeTiming();
        save->trigger();
        QApplication::processEvents();
        if (!NoMessage(state))
            break;
        if (document.IsModified()) {
            state.SkipWithError("the design was not saved");
            break;
        }
    }
}
BENCHMARK(BM_DesignWindowSave)->Unit(benchmark::kMillisecond);

// Opening a site of 500 cameras among 5,000 walls with the plan shown, until the plan is painted
// whole: its scene worked out, its layers drawn (off the window's thread) and shown.
static void BM_DesignWindowOpenPlan(benchmark::State& state) {
    const auto window = ShownWindow();
    window->findChild<QAction*>(QStringLiteral("mnuShowPlan"))->trigger();
    auto* view = window->findChild<PlanView*>();
    for (auto _ : state) {
        window->OpenFile(files->plan);
        QApplication::processEvents();
        while (!view->LayersDrawn())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        view->repaint();
    }
    if (window->Document().Current().cameras.size() != 500)
        state.SkipWithError("the design file did not open");
    NoMessage(state);
}
BENCHMARK(BM_DesignWindowOpenPlan)->Unit(benchmark::kMillisecond);

static void BM_DesignWindowEdit(benchmark::State& state) {
    Edit(state, false);
}
BENCHMARK(BM_DesignWindowEdit)->Arg(1)->Arg(kCameras)->Unit(benchmark::kMicrosecond);

static void BM_DesignWindowEditPainted(benchmark::State& state) {
    Edit(state, true);
}
BENCHMARK(BM_DesignWindowEditPainted)->Arg(1)->Arg(kCameras)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // The recent designs and the recovery copies go to a folder of the run's, not the user's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    QTimer messageBoxes;
    QObject::connect(&messageBoxes, &QTimer::timeout, &app, CloseMessageBox);
    messageBoxes.start(100);
    Sources windows;
    sources = &windows;
    Files designs;
    files = &designs;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
