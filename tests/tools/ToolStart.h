// What the command-line test tools share: the language codes, the folder of
// the catalogue databases and a core started as the program starts it.
#pragma once

#include "core/app/DalvorApp.h"
#include "core/app/Startup.h"
#include "core/base/Host.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// The language of the code pl, en or ru; false for any other code.
inline bool LanguageOfCode(const std::string& code, int& offset)
{
    if (code == "pl")
        offset = LangPolish;
    else if (code == "en")
        offset = LangEnglish;
    else if (code == "ru")
        offset = LangRussian;
    else
        return false;
    return true;
}

// The kind a command-line text names: 1 tank, 2 manhole, 3 buried pipe,
// 4 gravity flow, 5 pressure flow; KindNone for any other text.
inline int KindOfText(const std::string& text)
{
    char* end = nullptr;
    const long kind = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || !end || *end != 0 || kind < KindTank || kind > KindPressureFlow)
        return KindNone;
    return static_cast<int>(kind);
}

// The options both tools take: the language, the extended catalogue and
// the folder of the databases.
struct CoreOptions {
    int offset = LangPolish;
    bool extended = false;
    std::string data;
};

// Takes argv[i] when it is one of those options (with its value, moving i on
// past it). 1: taken; 0: not one of them; -1: a language code that is none.
inline int TakeCoreOption(int& i, int argc, char* argv[], CoreOptions& options)
{
    const std::string a = argv[i];
    if (a == "--lang" && i + 1 < argc)
        return LanguageOfCode(argv[++i], options.offset) ? 1 : -1;
    if (a == "--extended") {
        options.extended = true;
        return 1;
    }
    if (a == "--data" && i + 1 < argc) {
        options.data = argv[++i];
        return 1;
    }
    return 0;
}

// Starts the core in a language, in the extended mode or not, on the folder
// `data` or, where none is given, on the program folder found from the tool's
// own; warns, naming the tool, where a reference database could not be read.
inline void StartCore(CDalvorApp& app, IHost& host, const CoreOptions& options, const char* tool)
{
    const int offset = options.offset;
    std::string data = options.data;
    if (data.empty()) {
        std::error_code ec;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        data = ResolveProgramFolder(ec ? std::string(".") : exe.parent_path().string(), std::getenv("DALVOR_HOME"));
    }
    MemorySettings settings;
    settings.WriteInt("Settings", "Language", offset);
    if (options.extended)
        settings.WriteInt("Settings", "VersionID", kExtendedVersionId);
    app.SetHost(&host);
    ReferenceLoadStatus status = app.InitCoreInstance(settings, "C", data);
    if (app.languageOffset != offset) {
        // The program itself never starts in Russian; the tools may.
        app.languageOffset = offset;
        status = app.SwitchLanguage(offset);
        app.ResetAllRecords();
    }
    if (status.error != ReferenceLoadStatus::Ok)
        std::fprintf(stderr, "%s: warning: reference database %s could not be read%s%s\n", tool, status.file.c_str(),
                     status.table.empty() ? "" : ", missing tables ", status.table.c_str());
}
