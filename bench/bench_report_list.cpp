// The project manager on a project of many tanks: the dialog built, its list
// filled and sized, its first screen of rows drawn (offscreen), and the
// dialog closed again. The two sizes show how the cost grows with the
// project; the counters give the memory the open dialog has allocated and
// what of it stays allocated after it closed.
#include "bench/BenchSupport.h"
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "reports/ManageProjectDlg.h"
#include "ui/frame/Startup.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <string>

namespace {

// The bytes the process holds allocated: what the allocator has handed out
// and not yet taken back, in its heap and in blocks mapped on their own.
// Unlike the resident size, it does not depend on how much freed memory the
// cases before left for reuse.
double AllocatedBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// A project of `count` tanks, each calculated once and then told apart by
// its name and capacity.
std::unique_ptr<CDalvorApp> TankProject(int count)
{
    std::unique_ptr<CDalvorApp> app = CatalogueApp(LangEnglish);
    app->ResetTankRecord();
    app->CalcTankBuoyancy();
    app->CalcTankAnchoring();
    TankRecord tank = app->working.tank;
    app->project.tank.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CopyBounded(tank.head.name, u"Zbiornik retencyjny ul. Polna " + Utf8ToUtf16(std::to_string(i + 1)));
        tank.capacity = 10.0 + i % 97;
        app->project.tank.push_back(tank);
    }
    app->project.currentIndex[ArrayTank] = count / 2;
    return app;
}

// Opens the manager on the tanks, draws it and closes it; the bytes allocated
// while it is open.
double ShowOnce(CDalvorApp& app)
{
    CManageProjectDlg dlg(app);
    dlg.kind = KindTank;
    dlg.show();
    QImage screen(dlg.size(), QImage::Format_ARGB32_Premultiplied);
    dlg.render(&screen);
    benchmark::DoNotOptimize(screen.constBits());
    return AllocatedBytes();
}

// Each run makes its own project and frees it at its end, so that no case
// runs beside the data of another.
void BM_ShowList(benchmark::State& state)
{
    ShowOnce(*TankProject(1));  // the faces, the style and Qt's first allocations
    const std::unique_ptr<CDalvorApp> app = TankProject(static_cast<int>(state.range(0)));
    const double before = AllocatedBytes();
    double open = 0;
    for (auto _ : state) {
        const double allocated = ShowOnce(*app);
        if (open == 0)
            open = allocated - before;
    }
    state.counters["open_MB"] = open / 1e6;
    state.counters["held_MB"] = (AllocatedBytes() - before) / 1e6;
}
BENCHMARK(BM_ShowList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithApplication<QApplication>(argc, argv, SetUpApplication); }
