// Start-up and shut-down rules: languages, the extended mode, the program
// folder and the paths built from it.
#include "DalvorApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

TEST(StartupLanguage, DefaultFollowsTheDesktopLanguage)
{
    EXPECT_EQ(DefaultLanguageOffset("en-US"), 5100);
    EXPECT_EQ(DefaultLanguageOffset("en_US.UTF-8"), 5100);
    EXPECT_EQ(DefaultLanguageOffset("cs-CZ"), 5100);
    EXPECT_EQ(DefaultLanguageOffset("cs"), 5100);
    EXPECT_EQ(DefaultLanguageOffset("ru-RU"), 7100);
    EXPECT_EQ(DefaultLanguageOffset("sk-SK"), 7100);
    EXPECT_EQ(DefaultLanguageOffset("en-GB"), 3100);
    EXPECT_EQ(DefaultLanguageOffset("pl-PL"), 3100);
    EXPECT_EQ(DefaultLanguageOffset("de-DE"), 3100);
    EXPECT_EQ(DefaultLanguageOffset("C"), 3100);
    EXPECT_EQ(DefaultLanguageOffset(""), 3100);
}

TEST(StartupLanguage, StoredLanguageAndNeverRussian)
{
    // First start on a Russian or Slovak desktop: English.
    EXPECT_EQ(StartLanguageOffset(std::nullopt, 7100), 5100);
    EXPECT_EQ(StartLanguageOffset(std::nullopt, 3100), 3100);
    EXPECT_EQ(StartLanguageOffset(3100, 5100), 3100);
    EXPECT_EQ(StartLanguageOffset(5100, 3100), 5100);
    EXPECT_EQ(StartLanguageOffset(7100, 3100), 5100);
    // A value that names no language takes the desktop's default instead of
    // shifting every text lookup into another table.
    EXPECT_EQ(StartLanguageOffset(5000, 3100), 3100);
    EXPECT_EQ(StartLanguageOffset(0, 5100), 5100);
    EXPECT_EQ(StartLanguageOffset(-1, 7100), 5100);
}

TEST(StartupVersionId, WrittenAs50AndExtendedModeAt100)
{
    struct Case {
        std::optional<int> stored;
        int mode;
        std::optional<int> after;
    };
    const Case cases[] = {
        {std::nullopt, 0, 50}, {49, 0, 50}, {-1, 0, 50}, {50, 0, 50},
        {51, 0, 51},           {100, 1, 100}, {101, 0, 101},
    };
    for (const Case& c : cases) {
        MemorySettings s;
        if (c.stored)
            s.values["Settings/VersionID"] = *c.stored;
        EXPECT_EQ(ReadVersionId(s), c.mode) << c.stored.value_or(-999);
        EXPECT_EQ(s.ReadInt("Settings", "VersionID"), c.after);
    }
}

TEST(StartupPaths, ProgramFolderAndLanguageFiles)
{
    fs::path tmp = fs::temp_directory_path() / "dalvor-startup-paths";
    fs::remove_all(tmp);
    fs::create_directories(tmp / "with data" / "db");
    fs::create_directories(tmp / "installed" / "bin");

    EXPECT_EQ(ResolveProgramFolder((tmp / "with data").string(), nullptr), (tmp / "with data").string());
    EXPECT_EQ(ResolveProgramFolder((tmp / "installed" / "bin").string(), nullptr),
              (tmp / "installed" / "share" / "dalvor").string());
    EXPECT_EQ(ResolveProgramFolder((tmp / "installed" / "bin").string(), "/opt/dalvor data"),
              "/opt/dalvor data");
    EXPECT_EQ(ResolveProgramFolder((tmp / "with data").string(), ""), (tmp / "with data").string());

    auto app = std::make_unique<CDalvorApp>();
    app->programFolder = "/opt/my programs/dalvor";
    EXPECT_EQ(app->DatabasePath(3100), "/opt/my programs/dalvor/db/pl/quorlindata.mdb");
    EXPECT_EQ(app->DatabasePath(5100), "/opt/my programs/dalvor/db/en/quorlindata.mdb");
    EXPECT_EQ(app->DatabasePath(7100), "/opt/my programs/dalvor/db/ru/quorlindata.mdb");
    EXPECT_EQ(app->DatabasePath(4000), "/opt/my programs/dalvor/db/pl/quorlindata.mdb");
    EXPECT_EQ(app->HelpFilePath(3100), "/opt/my programs/dalvor/DalvorPL.html");
    EXPECT_EQ(app->HelpFilePath(5100), "/opt/my programs/dalvor/DalvorEN.html");
    EXPECT_EQ(app->HelpFilePath(7100), "/opt/my programs/dalvor/DalvorRU.html");
    EXPECT_EQ(app->HelpFilePath(1), "/opt/my programs/dalvor/DalvorPL.html");
    fs::remove_all(tmp);
}

TEST(StartupManuals, OneManualPerKindAndNothingOtherwise)
{
    auto app = std::make_unique<CDalvorApp>();
    CountingHost host;
    app->SetHost(&host);
    app->programFolder = "/p";
    app->languageOffset = 5100;
    const char* files[] = {"reservoir.pdf", "manhole.pdf", "pipe.pdf", "gravityflow.pdf",
                           "pressureflow.pdf"};
    for (int kind = 1; kind <= 5; ++kind)
        app->OpenManual(kind);
    ASSERT_EQ(host.openedDocuments.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(host.openedDocuments[i], std::string("/p/doc/en/") + files[i]);

    app->OpenManual(0);
    app->OpenManual(6);
    app->OpenManual(-1);
    app->languageOffset = 4242;
    app->OpenManual(1);
    EXPECT_EQ(host.openedDocuments.size(), 5u);

    app->languageOffset = 3100;
    app->OpenManual(3);
    EXPECT_EQ(host.openedDocuments.back(), "/p/doc/pl/pipe.pdf");
}

TEST(StartupCore, MissingDatabaseIsReportedAndLeavesEmptyTables)
{
    fs::path tmp = fs::temp_directory_path() / "dalvor-startup-nodb";
    fs::remove_all(tmp);
    fs::create_directories(tmp);
    MemorySettings settings;
    settings.values["Settings/Language"] = 7100;
    auto app = std::make_unique<CDalvorApp>();
    ReferenceLoadStatus status = app->InitCoreInstance(settings, "ru-RU", tmp.string());
    EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen);
    EXPECT_EQ(status.file, (tmp / "db" / "en" / "quorlindata.mdb").string());
    EXPECT_FALSE(fs::exists(tmp / "db" / "en" / "quorlindata.mdb"));  // never created
    EXPECT_EQ(app->languageOffset, 5100);
    EXPECT_EQ(app->soilCount, 0);
    EXPECT_EQ(app->tankTypeCount, 0);
    EXPECT_EQ(app->helpFilePath, (tmp / "DalvorEN.html").string());
    // The defaults still stand, with nothing to take from the catalogue.
    EXPECT_EQ(std::u16string(app->tank.head.name), u"-");
    EXPECT_EQ(std::u16string(app->manhole.head.name), u"-");
    EXPECT_EQ(settings.ReadInt("Settings", "VersionID"), 50);

    app->ExitInstance(settings);
    EXPECT_EQ(settings.ReadInt("Settings", "Language"), 5100);
    fs::remove_all(tmp);
}

TEST(StartupCore, AuthoredDatabaseLoadsInEveryLanguage)
{
    const char* home = std::getenv("DALVOR_HOME");
    ASSERT_NE(home, nullptr);
    for (int offset : {3100, 5100}) {
        MemorySettings settings;
        settings.values["Settings/Language"] = offset;
        auto app = std::make_unique<CDalvorApp>();
        ReferenceLoadStatus status = app->InitCoreInstance(settings, "C", home);
        EXPECT_EQ(status.error, ReferenceLoadStatus::Ok) << status.file;
        EXPECT_GE(app->soilCount, 3);
        EXPECT_GE(app->tankTypeCount, 1);
        EXPECT_GE(app->manholeTypeCount, 1);
        EXPECT_GT(app->nominalSizeCount, 0);
        // The language switch reaches the Russian tables too.
        status = app->SwitchLanguage(7100);
        EXPECT_EQ(status.error, ReferenceLoadStatus::Ok) << status.file;
        EXPECT_GE(app->soilCount, 3);
    }
}
