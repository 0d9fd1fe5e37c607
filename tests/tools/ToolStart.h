// What the command-line test tools share: the language codes, the folder of
// the catalogue databases and a core started as the program starts it.
#pragma once

#include "DalvorApp.h"
#include "Host.h"

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

// Starts the core in a language, in the extended mode or not, on the folder
// `data` or, where none is given, on the program folder found from the tool's
// own; warns, naming the tool, where a reference database could not be read.
inline void StartCore(CDalvorApp& app, IHost& host, int offset, bool extended, std::string data, const char* tool)
{
    if (data.empty()) {
        std::error_code ec;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        data = ResolveProgramFolder(ec ? std::string(".") : exe.parent_path().string(), std::getenv("DALVOR_HOME"));
    }
    MemorySettings settings;
    settings.WriteInt("Settings", "Language", offset);
    if (extended)
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
                     status.table.empty() ? "" : ", missing table ", status.table.c_str());
}
