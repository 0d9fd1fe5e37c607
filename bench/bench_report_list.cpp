// The project manager on a project of many tanks: the dialog built, its list
// filled and sized, its first screen of rows drawn (offscreen), and the
// dialog closed again. The two sizes show how the cost grows with the
// project; the counters give the memory the open dialog takes and what stays
// held after it closed.
#include "bench/BenchSupport.h"
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "reports/ManageProjectDlg.h"
#include "ui/frame/Startup.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_report_list";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static QApplication application(argc, argv);
        SetUpApplication();
    }
}

// The resident memory of the process in bytes.
double ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0;
}

// A project of `count` tanks, each calculated once and then told apart by
// its name and capacity.
CDalvorApp& Project(int count)
{
    static std::map<int, std::unique_ptr<CDalvorApp>> projects;
    std::unique_ptr<CDalvorApp>& app = projects[count];
    if (!app) {
        app = CatalogueApp(LangEnglish);
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
    }
    return *app;
}

// Opens the manager on the tanks, draws it and closes it; the resident
// memory while it is open.
double ShowOnce(CDalvorApp& app)
{
    CManageProjectDlg dlg(app);
    dlg.kind = KindTank;
    dlg.show();
    QImage screen(dlg.size(), QImage::Format_ARGB32_Premultiplied);
    dlg.render(&screen);
    benchmark::DoNotOptimize(screen.constBits());
    return ResidentBytes();
}

void BM_ShowList(benchmark::State& state)
{
    EnsureApplication();
    CDalvorApp& app = Project(static_cast<int>(state.range(0)));
    ShowOnce(Project(1));  // the faces, the style and Qt's first allocations
    const double before = ResidentBytes();
    double open = 0;
    for (auto _ : state) {
        const double resident = ShowOnce(app);
        if (open == 0)
            open = resident - before;
    }
    state.counters["open_MB"] = open / 1e6;
    state.counters["held_MB"] = (ResidentBytes() - before) / 1e6;
}
BENCHMARK(BM_ShowList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
