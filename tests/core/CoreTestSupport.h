// Helpers shared by the core tests: field-by-field expectations that name the
// field in a failure, byte fills, fixed text arrays as UTF-8, the data folder.
#pragma once

#include "Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <iomanip>
#include <source_location>
#include <string>
#include <system_error>
#include <unistd.h>

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
