// Start-up and shut-down rules: languages, the extended mode, the program
// folder and the paths built from it.
#include "core/app/DalvorApp.h"
#include "core/app/Startup.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

TEST(StartupLanguage, DefaultFollowsTheDesktopAndTheStoredLanguageNeverRussian)
{
    const std::pair<const char*, int> desktops[] = {
        {"en-US", 5100}, {"en_US.UTF-8", 5100}, {"cs-CZ", 5100}, {"cs", 5100}, {"ru-RU", 7100}, {"sk-SK", 7100},
        {"en-GB", 3100}, {"pl-PL", 3100},       {"de-DE", 3100}, {"C", 3100},  {"", 3100}};
    for (const auto& [locale, offset] : desktops)
        EXPECT_EQ(DefaultLanguageOffset(locale), offset) << locale;

    const struct {
        std::optional<int> stored;
        int desktop, start;
    } starts[] = {
        // First start on a Russian or Slovak desktop: English.
        {std::nullopt, 7100, 5100}, {std::nullopt, 3100, 3100}, {3100, 5100, 3100}, {5100, 3100, 5100},
        {7100, 3100, 5100},
        // A value that names no language takes the desktop's default instead
        // of shifting every text lookup into another table.
        {5000, 3100, 3100}, {0, 5100, 5100}, {-1, 7100, 5100}};
    for (const auto& c : starts)
        EXPECT_EQ(StartLanguageOffset(c.stored, c.desktop), c.start) << c.stored.value_or(-999) << " " << c.desktop;
}

TEST(StartupVersionId, WrittenAs50AndExtendedModeAt100)
{
    const struct {
        std::optional<int> stored;
        int mode;
        std::optional<int> after;
    } cases[] = {
        {std::nullopt, 0, 50}, {49, 0, 50}, {-1, 0, 50}, {50, 0, 50}, {51, 0, 51}, {100, 1, 100}, {101, 0, 101},
    };
    for (const auto& c : cases) {
        MemorySettings s;
        if (c.stored)
            s.values["Settings/VersionID"] = *c.stored;
        EXPECT_EQ(ReadVersionId(s), c.mode) << c.stored.value_or(-999);
        EXPECT_EQ(s.ReadInt("Settings", "VersionID"), c.after);
    }
}

TEST(StartupPaths, ProgramFolder)
{
    const TempFolder folder("dalvor-startup-paths");
    const fs::path& tmp = folder.Path();
    fs::create_directories(tmp / "with data" / "db");
    fs::create_directories(tmp / "installed" / "bin");
    const std::string withData = (tmp / "with data").string(), bin = (tmp / "installed" / "bin").string();
    EXPECT_EQ(ResolveProgramFolder(withData, nullptr), withData);
    EXPECT_EQ(ResolveProgramFolder(bin, nullptr), (tmp / "installed" / "share" / "dalvor").string());
    EXPECT_EQ(ResolveProgramFolder(bin, "/opt/dalvor data"), "/opt/dalvor data");
    EXPECT_EQ(ResolveProgramFolder(withData, ""), withData);
    // The database and help paths built from the folder are checked with the
    // language switch, which takes them.
}

TEST(StartupManuals, OneManualPerKindAndNothingOtherwise)
{
    auto app = std::make_unique<CDalvorApp>();
    CountingHost host;
    app->SetHost(&host);
    app->programFolder = "/p";
    app->languageOffset = 5100;
    const char* files[] = {"reservoir.pdf", "manhole.pdf", "pipe.pdf", "gravityflow.pdf", "pressureflow.pdf"};
    for (int kind = 1; kind <= 5; ++kind)
        app->OpenManual(kind);
    ASSERT_EQ(host.openedDocuments.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(host.openedDocuments[i], std::string("/p/doc/en/") + files[i]);

    for (int kind : {0, 6, -1})
        app->OpenManual(kind);
    app->languageOffset = 4242;
    app->OpenManual(1);
    EXPECT_EQ(host.openedDocuments.size(), 5u);

    app->languageOffset = 3100;
    app->OpenManual(3);
    EXPECT_EQ(host.openedDocuments.back(), "/p/doc/pl/pipe.pdf");
}

TEST(StartupCore, MissingDatabaseIsReportedAndLeavesEmptyTables)
{
    const TempFolder folder("dalvor-startup-nodb");
    const fs::path& tmp = folder.Path();
    MemorySettings settings;
    settings.values["Settings/Language"] = 7100;
    auto app = std::make_unique<CDalvorApp>();
    ReferenceLoadStatus status = app->InitCoreInstance(settings, "ru-RU", tmp.string());
    EXPECT_EQ(status.error, ReferenceLoadStatus::CannotOpen);
    EXPECT_EQ(status.file, (tmp / "db" / "en" / "quorlindata.mdb").string());
    EXPECT_FALSE(fs::exists(tmp / "db" / "en" / "quorlindata.mdb"));  // never created
    ExpectFields({FIELD(app->languageOffset, 5100), FIELD(RowCount(app->tables.soils), 0), FIELD(RowCount(app->tables.tankTypes), 0)});
    EXPECT_EQ(app->helpFilePath, (tmp / "DalvorEN.html").string());
    // The defaults still stand, with nothing to take from the catalogue.
    EXPECT_EQ(std::u16string(app->working.tank.head.name), u"-");
    EXPECT_EQ(std::u16string(app->working.manhole.head.name), u"-");
    EXPECT_EQ(settings.ReadInt("Settings", "VersionID"), 50);

    app->ExitInstance(settings);
    EXPECT_EQ(settings.ReadInt("Settings", "Language"), 5100);
}

TEST(StartupCore, AuthoredDatabaseLoadsInEveryLanguage)
{
    for (int offset : {3100, 5100}) {
        MemorySettings settings;
        settings.values["Settings/Language"] = offset;
        auto app = std::make_unique<CDalvorApp>();
        ReferenceLoadStatus status = app->InitCoreInstance(settings, "C", DalvorHome());
        EXPECT_EQ(status.error, ReferenceLoadStatus::Ok) << status.file;
        EXPECT_TRUE(RowCount(app->tables.soils) >= 3 && RowCount(app->tables.tankTypes) >= 1 && RowCount(app->tables.manholeTypes) >= 1 &&
                    RowCount(app->tables.nominalSizes) > 0);
        // The language switch reaches the Russian tables too.
        status = app->SwitchLanguage(7100);
        EXPECT_EQ(status.error, ReferenceLoadStatus::Ok) << status.file;
        EXPECT_GE(RowCount(app->tables.soils), 3);
    }
}
