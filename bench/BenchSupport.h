// What the benchmarks share: the application started on the program's own
// catalogue, as the program starts it.
#pragma once

#include "core/app/DalvorApp.h"
#include "core/base/Settings.h"

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
