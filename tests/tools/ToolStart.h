// What the command-line tools share: the options that start the program's
// core (--lang pl|en|ru, --extended, --data DIR) and the start itself.
#pragma once

#include "DalvorApp.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

struct ToolStart {
    int offset = LangPolish;
    bool extended = false;
    std::string data;

    enum class Option { Taken, NotMine, Bad };
    // Takes argv[i], and its value then, when it is one of the start options.
    Option Take(int argc, char* argv[], int& i)
    {
        const std::string a = argv[i];
        if (a == "--lang" && i + 1 < argc) {
            const std::string code = argv[++i];
            if (code == "pl")
                offset = LangPolish;
            else if (code == "en")
                offset = LangEnglish;
            else if (code == "ru")
                offset = LangRussian;
            else
                return Option::Bad;
        } else if (a == "--extended") {
            extended = true;
        } else if (a == "--data" && i + 1 < argc) {
            data = argv[++i];
        } else {
            return Option::NotMine;
        }
        return Option::Taken;
    }

    // Starts the core on the reference tables of --data, or of the folder
    // the program stands in, in the language asked for. A reference database
    // that cannot be read is a warning (naming the missing table too when
    // namedTable); the tool goes on with what it has.
    CDalvorApp& Start(CountingHost& host, const char* tool, bool namedTable)
    {
        if (data.empty()) {
            std::error_code ec;
            auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
            data = ResolveProgramFolder(ec ? std::string(".") : exe.parent_path().string(),
                                        std::getenv("DALVOR_HOME"));
        }
        MemorySettings settings;
        settings.WriteInt("Settings", "Language", offset);
        if (extended)
            settings.WriteInt("Settings", "VersionID", kExtendedVersionId);
        CDalvorApp& app = theApp;
        app.SetHost(&host);
        ReferenceLoadStatus status = app.InitCoreInstance(settings, "C", data);
        if (app.languageOffset != offset) {
            // The program itself never starts in Russian; the tools may.
            app.languageOffset = offset;
            status = app.SwitchLanguage(offset);
            app.ResetAllRecords();
        }
        if (status.error != ReferenceLoadStatus::Ok)
            std::fprintf(stderr, "%s: warning: reference database %s could not be read%s%s\n", tool,
                         status.file.c_str(), namedTable && !status.table.empty() ? ", missing table " : "",
                         namedTable ? status.table.c_str() : "");
        return app;
    }
};
