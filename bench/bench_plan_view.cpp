// The site plan view of a large site: 500 cameras among 5,000 walls on a 400 m square, in a
// 1280 × 800 view. A repaint after a small pan and after a zoom step (the layers rendered once are
// only moved or scaled), the layers rendered anew, and a step of a camera's drag: the camera's
// bands cut again by the walls, then the repaint that shows it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <random>

#include "plan_view.h"

namespace {

constexpr int kCameras = 500;
constexpr int kWalls = 5000;
constexpr double kSiteM = 400;

std::shared_ptr<const PlanScene> LargeSite() {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> place(-kSiteM / 2, kSiteM / 2), length(1, 8),
        turn(0, 360);
    auto scene = std::make_shared<PlanScene>();
    for (int i = 0; i < kWalls; ++i) {
        const Point a{place(random), place(random)};
        const double l = length(random), t = turn(random) * M_PI / 180;
        scene->walls.push_back({a, {a.x + l * std::cos(t), a.y + l * std::sin(t)}});
    }
    CoverageInputs inputs;
    inputs.mounted = true;
    const CoverageFigures figures = ComputeCoverage(inputs, NumberFormat{}).figures;
    for (int i = 0; i < kCameras; ++i) {
        SceneCamera camera{"c" + std::to_string(i),
                           u"Camera " + std::u16string(1, u'A' + i % 26),
                           *PlaceCamera(figures, {place(random), place(random)}, turn(random)),
                           {}};
        camera.bands = CameraBands(camera.camera, scene->walls);
        scene->cameras.push_back(std::move(camera));
    }
    return scene;
}

const std::shared_ptr<const PlanScene>& Site() {
    static const std::shared_ptr<const PlanScene> site = LargeSite();
    return site;
}

// The view, shown with the whole site in it.
PlanView& View() {
    static PlanView* view = [] {
        auto* made = new PlanView;
        made->resize(1280, 800);
        made->SetScene(Site());
        made->show();
        made->FitPlan();
        return made;
    }();
    return *view;
}

void WaitForLayers(PlanView& view) {
    while (!view.LayersDrawn())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void SendMouse(PlanView& view, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, view.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

void PanRepaint(benchmark::State& state) {
    PlanView& view = View();
    WaitForLayers(view);
    const QPointF centre(640, 400);
    SendMouse(view, QEvent::MouseButtonPress, centre, Qt::MiddleButton, Qt::MiddleButton);
    int step = 0;
    for (auto _ : state) {
        const double sign = ++step % 2 ? 1 : -1;
        const QPointF to = centre + sign * QPointF(7, 5);
        SendMouse(view, QEvent::MouseMove, to, Qt::NoButton, Qt::MiddleButton);
        view.repaint();
    }
    SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::MiddleButton, Qt::NoButton);
    WaitForLayers(view);
}
BENCHMARK(PanRepaint)->Unit(benchmark::kMillisecond);

void ZoomRepaint(benchmark::State& state) {
    PlanView& view = View();
    WaitForLayers(view);
    int step = 0;
    for (auto _ : state) {
        view.ZoomBy(++step % 2 ? 1.25 : 0.8, QPointF(500, 300));
        view.repaint();
    }
    WaitForLayers(view);
}
BENCHMARK(ZoomRepaint)->Unit(benchmark::kMillisecond);

// The layers drawn anew, as after a zoom pauses or the scene changes: off the window's thread,
// this long before the sharp picture replaces the scaled one.
void RenderLayers(benchmark::State& state) {
    PlanView& view = View();
    WaitForLayers(view);
    for (auto _ : state) {
        view.SetLook(PlanLook{});
        WaitForLayers(view);
    }
}
BENCHMARK(RenderLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

// A camera picked and dragged past the click's slack; `repaint` adds the repaint to each step.
void DragStep(benchmark::State& state) {
    PlanView& view = View();
    const bool repaint = state.range(0) != 0;
    view.FitPlan();
    WaitForLayers(view);
    const Point camera = Site()->cameras.front().camera.position;
    const QPointF at = view.MetresToWidget().map(QPointF(camera.x, camera.y));
    SendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, at + QPointF(10, 0), Qt::NoButton, Qt::LeftButton);
    WaitForLayers(view);
    int step = 0;
    for (auto _ : state) {
        ++step;
        const QPointF to = at + QPointF(step % 2 ? 14 : 6, step % 4 < 2 ? 3 : -3);
        SendMouse(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        if (repaint)
            view.repaint();
    }
    // Let go with Esc: the drag is cancelled and the scene stays as it was.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&view, &escape);
    SendMouse(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    WaitForLayers(view);
}
BENCHMARK(DragStep)->ArgName("repaint")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
