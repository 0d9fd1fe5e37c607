// Helpers shared by the core tests: field-by-field expectations that name the
// field in a failure, byte fills, fixed text arrays as UTF-8, the data folder,
// temporary folders, a started core and the recalculation tool's round trip.
#pragma once

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iomanip>
#include <memory>
#include <source_location>
#include <string>
#include <system_error>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Record and catalogue fields are all int32_t or double, so every one of them
// compares exactly as a double.
struct FieldValue {
    const char* what;
    double got;
    double want;
};
#define FIELD(expr, value) FieldValue{#expr, static_cast<double>(expr), static_cast<double>(value)}

// A failure names the line of the call as well as the field.
inline void ExpectFields(std::initializer_list<FieldValue> fields,
                         std::source_location where = std::source_location::current())
{
    const testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()), "fields checked here");
    for (const FieldValue& f : fields)
        EXPECT_EQ(f.got, f.want) << f.what << ": " << std::setprecision(17) << f.got << " against " << f.want;
}

template <typename T>
void FillBytes(T& record, unsigned char byte)
{
    std::memset(static_cast<void*>(&record), byte, sizeof record);
}

template <std::size_t N>
std::string Utf8(const char16_t (&text)[N])
{
    return Utf16ToUtf8(FromFixed(text, N));
}

// The built program folder: catalogue databases, help files and tools.
inline std::string DalvorHome()
{
    const char* home = std::getenv("DALVOR_HOME");
    return home ? home : ".";
}

inline std::vector<uint8_t> ReadAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& p, const std::vector<uint8_t>& b)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// Runs f in a child process that is stopped after 20 seconds: f's exit code,
// or -1 when the child hung or crashed.
inline int ExitCodeInChild(const std::function<int()>& f)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(20);
        ::_exit(f());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder of the test's own under the temporary folder, unique to the run (two
// checkouts testing at once never share it), removed with its files at the
// end of the test.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()))
            dir = pattern;
        EXPECT_FALSE(dir.empty()) << "no temporary folder for " << name;
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (!dir.empty())
            std::filesystem::remove_all(dir, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return dir; }

private:
    std::filesystem::path dir;
};

// A core started as the program starts it, in English unless told, on the
// program folder of the build.
inline std::unique_ptr<CDalvorApp> StartedCore(int language = LangEnglish)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = language;
    app->InitCoreInstance(settings, "C", DalvorHome());
    return app;
}

template <typename Record>
bool SameBytes(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Writes the records `app` stores to a project, runs the recalculation tool on
// it with `options` (English texts) and reads the project the tool wrote; null,
// with a failure, where any step fails.
inline std::unique_ptr<CDalvorApp> RecalculatedByTool(const CDalvorApp& app, const std::string& options = {})
{
    const TempFolder folder("dalvor-recalc");
    const std::string in = (folder.Path() / "in.qdl").string(), out = (folder.Path() / "out.qdl").string();
    if (app.WriteProjectFile(in) != ProjectWriteError::None) {
        ADD_FAILURE() << "the project was not written";
        return nullptr;
    }
    const std::string cmd = DalvorHome() + "/dalvor-recalc --lang en " + options + " '" + in + "' '" + out + "'";
    if (std::system(cmd.c_str()) != 0) {
        ADD_FAILURE() << cmd << " failed";
        return nullptr;
    }
    auto done = std::make_unique<CDalvorApp>();
    if (done->ReadProjectFile(out) != ProjectReadError::None) {
        ADD_FAILURE() << "the tool's project was not read";
        return nullptr;
    }
    return done;
}

// Loads each stored record back through a page model into the working record
// the model serves and expects the tool's bytes for it; `also` checks more of
// record i as the page left it.
template <typename Model, typename Record>
void ExpectPageLoadsBackAsTool(Model& page, Record& working, const std::vector<Record>& stored,
                               const std::vector<Record>& fromTool, const std::function<void(std::size_t)>& also = {})
{
    ASSERT_EQ(fromTool.size(), stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        working = stored[i];
        page.LoadBack();
        EXPECT_TRUE(SameBytes(working, fromTool[i])) << "record " << i;
        if (also)
            also(i);
    }
}

// A text typed into a page's field: the record's value the page reads from it
// and what the field shows after.
template <typename Record>
struct ReadCase {
    int id;
    const char16_t* typed;
    double Record::*field;
    double read;
    const char16_t* shown;
};

template <typename Model, typename Record>
void ExpectRead(Model& page, Record& r, const ReadCase<Record>& c)
{
    page.SetText(c.id, c.typed);
    page.ReadInputs();
    EXPECT_EQ(r.*c.field, c.read) << Utf16ToUtf8(c.typed);
    EXPECT_EQ(Utf16ToUtf8(page.Text(c.id)), Utf16ToUtf8(c.shown));
}
