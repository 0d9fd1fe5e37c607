// One drag step of each picture: the pick, the write-back, the kind's
// calculation as the page runs it, and the redraw, split into the scene
// (recorded into a display list) and the painting (the list replayed into an
// image the size of the control).
#include "bench/BenchSupport.h"
#include "pictures/QPainterCanvas.h"
#include "pictures/scene/Scenes.h"
#include "tests/pictures/PictureFixtures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void Recalculate(CDalvorApp& app, int kind)
{
    switch (kind) {
    case KindBuriedPipe: app.CalcBuriedPipe(); break;
    case KindManhole: app.CalcManholeBuoyancy(); break;
    case KindTank:
        app.CalcTankBuoyancy();
        app.CalcTankAnchoring();
        break;
    default: break;  // the hydraulic pictures only read the calculator's table
    }
}

struct Bench {
    explicit Bench(int pictureKind) : kind(pictureKind), app(picture_fixtures::StartedApp(LangEnglish))
    {
        picture_fixtures::Prepare(*app, view, kind, 0);
        picture_fixtures::ControlSize(kind, w, h);
        scene = MakePictureScene(kind, *app, view);
        DisplayList first;
        scene->Draw(first, w, h, false);
        for (int y = 0; y < h && row < 0; ++y)
            if (scene->Pick(y) >= 0)
                row = y + 4;
        line = scene->Pick(row);
    }
    // Pick, a one-pixel move back or forth, write-back and recalculation, and
    // the scene recorded anew.
    void Step(DisplayList& list, int& dy)
    {
        const int picked = scene->Pick(row);
        scene->SetDragging(true);
        scene->Drag(picked, dy);
        dy = -dy;
        Recalculate(*app, kind);
        list.Clear();
        scene->Draw(list, w, h, false);
    }
    int kind;
    std::unique_ptr<CDalvorApp> app;
    PictureView view;
    std::unique_ptr<PictureScene> scene;
    int w = 0, h = 0, row = -1, line = -1;
};

void BM_DragStepScene(benchmark::State& state)
{
    Bench b(static_cast<int>(state.range(0)));
    DisplayList list;
    int dy = 1;
    for (auto _ : state)
        b.Step(list, dy);
    state.counters["ops"] = static_cast<double>(list.Size());
}

void BM_DragStepPaint(benchmark::State& state)
{
    Bench b(static_cast<int>(state.range(0)));
    DisplayList list;
    int dy = 1;
    b.Step(list, dy);
    QImage image(b.w, b.h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        list.Play(canvas);
    }
}

void BM_DragStepWhole(benchmark::State& state)
{
    Bench b(static_cast<int>(state.range(0)));
    DisplayList list;
    QImage image(b.w, b.h, QImage::Format_RGB32);
    int dy = 1;
    for (auto _ : state) {
        b.Step(list, dy);
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        list.Play(canvas);
    }
}

void Kinds(benchmark::internal::Benchmark* bm)
{
    for (int kind : {KindGravityFlow, KindPressureFlow, KindBuriedPipe, KindManhole, KindTank})
        bm->Arg(kind);
    bm->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_DragStepScene)->Apply(Kinds);
BENCHMARK(BM_DragStepPaint)->Apply(Kinds);
BENCHMARK(BM_DragStepWhole)->Apply(Kinds);

int main(int argc, char** argv)
{
    setenv("DALVOR_HOME", DALVOR_BENCH_HOME, 0);
    return RunBenchmarksWithApplication<QGuiApplication>(argc, argv);
}
