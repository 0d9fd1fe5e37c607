// What the benchmarks share: the application started on the program's own
// catalogue, as the program starts it, and the main of a benchmark program
// that needs a Qt application object.
#pragma once

#include "core/app/DalvorApp.h"
#include "core/base/Settings.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

// The application with the catalogue of the program's folder (DALVOR_HOME, or
// the build's bin folder beside the benchmarks) in the given language.
inline std::unique_ptr<CDalvorApp> CatalogueApp(int language)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = language;
    const char* home = std::getenv("DALVOR_HOME");
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string folder = home ? home : (exe.parent_path().parent_path() / "bin").string();
    app->InitCoreInstance(settings, "C", folder);
    return app;
}

// The main of a benchmark program that needs a Qt application object
// (QGuiApplication or QApplication) on the offscreen platform, unless another
// platform is asked for. The object lives in main's scope and is destroyed
// before main returns: one held in a static would be destroyed among the exit
// handlers, after Qt's thread storage, and crash the program as it ends.
// setUp runs once the object is there.
template <class Application>
int RunBenchmarksWithApplication(int argc, char** argv, void (*setUp)() = nullptr)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application application(argc, argv);
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
