// Speed of one printout to a PDF: the report rows, the picture played into
// its place, the page's layout and the file written.

#include "bench/BenchSupport.h"
#include "core/app/DalvorApp.h"
#include "reports/PrintDrivers.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void PrintGravityFlowToPdf(benchmark::State& state)
{
    CDalvorApp app;
    MemorySettings settings;
    settings.values["Settings/Language"] = LangEnglish;
    const char* home = std::getenv("DALVOR_HOME");
    app.InitCoreInstance(settings, "C", home ? home : "build/bin");
    app.CalcGravityFlow();
    // A picture of a few hundred strokes stands in for the page's recording.
    SetPrintPicturePainter([](QPainter& p, const QRect& r) {
        p.setPen(QPen(Qt::black, 3));
        for (int i = 0; i < 300; ++i)
            p.drawLine(r.left(), r.top() + i * r.height() / 300, r.right(), r.bottom() - i * r.height() / 300);
    });
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    std::tm now{};
    for (auto _ : state) {
        app.print.printPicture.width = 4000;
        app.print.printPicture.height = 3000;
        CReportPrint report(app.print.reportSections);
        PrepareReportPrint(app, KindGravityFlow, now, report);
        benchmark::DoNotOptimize(report.PrintToPdf(path));
    }
    SetPrintPicturePainter(nullptr);
}
BENCHMARK(PrintGravityFlowToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarksWithApplication<QGuiApplication>(argc, argv); }
