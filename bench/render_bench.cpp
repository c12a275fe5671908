// Drawing speed in the headless GL context (Mesa llvmpipe, 640 x 480):
//
// BM_CompileGraphList/500  compiling the display list of a 500 x 500 exp(z)
//                          surface, smoothest shading (the work after a change
//                          of the graph).
// BM_Frame/500             one frame of that scene with its axes: light, camera,
//                          clear, one list call.
// BM_RotationStep/N        one step of turning the scene with the mouse: a new
//                          orientation, the scene list rebuilt, one frame. It
//                          must not re-issue graph geometry: N = 100 and 1000 side by side.
// BM_SceneListRebuild/N    the same step without the frame: orientation and scene
//                          list only, which must not grow with the grid.
// BM_TrackballTurn/N       a scripted track-ball turn of 60 mouse moves over an N x N
//                          exp(z) surface, each a new orientation, scene list and frame:
//                          the counter fps is the frames drawn per second, at rest (lod:0)
//                          and with the lighter pictures the window draws while dragging
//                          (lod:1, within the vertex budget measured at the first drag).
// BM_AnimationFrameBytes   the memory one animation step's compiled picture takes, from the
//                          heap's growth over 40 steps of a 101 x 101 graph of t
//                          (counter bytes_per_frame).
#include "BenchGraphs.h"
#include "gl/GraphListCache.h"
#include "gl/SceneRenderer.h"
#include "gl/headless/GuiApplication.h"
#include "gl/headless/HeadlessGlContext.h"
#include "graph/CGraph.h"
#include "scene/CAxes.h"
#include "scene/CLight.h"
#include "scene/CScene.h"
#include "scene/CView.h"
#include "scene/SceneOrientation.h"
#include "scene/ZoomToFit.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

using namespace tervane;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::shared_ptr<CGraph> ExpSurface(int steps) {
    auto g = bench::Surface("exp(z)", steps);
    g->GetPoints();
    return g;
}

// A document of one surface with its axes, drawn as the window draws it.
struct Scene {
    explicit Scene(int steps)
        : context((EnsureGuiApplication(), kWidth), kHeight),
          renderer(SceneInputs{shown, axes, view, light, orientation}) {
        shown.Add(ExpSurface(steps));
        axes.Show = true;
        values.SceneKind = 3;
        values.AxisTitleX = "X";
        values.AxisTitleY = "Y";
        values.AxisTitleZ = "U";
        renderer.Initialize();
        renderer.Resize(kWidth, kHeight);
        ZoomToFit(view, shown, values.SceneKind, axes.ShowPI);
        renderer.BuildSceneList(values);
    }
    ~Scene() { renderer.ReleaseGl(); }

    HeadlessGlContext context;
    CScene shown;
    CAxes axes;
    CView view;
    CLight light;
    SceneOrientation orientation;
    SceneValues values;
    SceneRenderer renderer;
};

void BM_CompileGraphList(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const auto graph = scene.shown.FunSurfs().front();
    for (auto _ : state) {
        GraphListCache cache; // a fresh cache compiles the list
        benchmark::DoNotOptimize(cache.ListFor(graph, 0, 3, 10));
        glFinish();
    }
}

void BM_Frame(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state)
        scene.renderer.Display(1);
}

void BM_RotationStep(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const auto compiled = scene.renderer.GraphLists().Compilations();
    float x = 100;
    for (auto _ : state) {
        // A drag of 4 pixels to the right, as one mouse-move event.
        scene.orientation.RotationStep(x, 200, x + 4, 200, kWidth, kHeight);
        x += 4;
        if (x > 500) x = 100;
        scene.renderer.BuildSceneList(scene.values);
        scene.renderer.Display(1);
    }
    if (scene.renderer.GraphLists().Compilations() != compiled)
        state.SkipWithError("turning the scene recompiled graph geometry");
}

// The part of a rotation step that the grid size must not change: the new
// orientation and the rebuilt scene list, without the frame.
void BM_SceneListRebuild(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const auto compiled = scene.renderer.GraphLists().Compilations();
    float x = 100;
    for (auto _ : state) {
        scene.orientation.RotationStep(x, 200, x + 4, 200, kWidth, kHeight);
        x = x > 500 ? 100 : x + 4;
        scene.renderer.BuildSceneList(scene.values);
        glFinish();
    }
    if (scene.renderer.GraphLists().Compilations() != compiled)
        state.SkipWithError("turning the scene recompiled graph geometry");
}

// A drag across the view, as 60 mouse-move events of 6 pixels, turning it by a track ball;
// the second argument 1 draws the frames as the window does while dragging (level of detail).
void BM_TrackballTurn(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    scene.values.Interacting = state.range(1) != 0;
    scene.renderer.BuildSceneList(scene.values); // the lighter lists, compiled once per drag
    scene.renderer.Display(1);
    for (auto _ : state) {
        float x = 140;
        for (int move = 0; move < 60; ++move, x += 6) {
            scene.orientation.RotationStep(x, 220, x + 6, 226, kWidth, kHeight);
            scene.renderer.BuildSceneList(scene.values);
            scene.renderer.Display(1);
        }
    }
    state.counters["fps"] = benchmark::Counter(60.0 * static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
}

// Bytes held by the heap now (glibc): the driver keeps compiled lists there. The resident
// size would not do: a build frees large sampling buffers that later lists reuse.
double HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks) + static_cast<double>(info.hblkhd);
}

void BM_AnimationFrameBytes(benchmark::State& state) {
    constexpr int kSteps = 40;
    for (auto _ : state) {
        state.PauseTiming();
        Scene scene(1);
        auto graph = bench::Surface("exp(t*z)", 100);
        graph->SetAnimation(true);
        graph->SetMinT(0.1f);
        graph->SetMaxT(1.0f);
        graph->GetPoints();
        scene.shown.Clear();
        scene.shown.Add(graph);
        scene.values.AnimationFrames = kSteps;
        scene.renderer.BuildSceneList(scene.values);
        scene.renderer.Display(1); // the first step and what every step shares
        glFinish();
        const double before = HeapBytes();
        state.ResumeTiming();
        for (int step = 2; step <= kSteps; ++step)
            scene.renderer.Display(step);
        glFinish();
        state.counters["bytes_per_frame"] = (HeapBytes() - before) / (kSteps - 1);
    }
}

} // namespace

BENCHMARK(BM_CompileGraphList)->Arg(500)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Frame)->Arg(500)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RotationStep)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SceneListRebuild)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK(BM_TrackballTurn)
    ->ArgsProduct({{200, 500, 1000, 2000}, {0, 1}})
    ->ArgNames({"steps", "lod"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_AnimationFrameBytes)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
