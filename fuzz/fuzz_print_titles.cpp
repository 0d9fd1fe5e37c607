// The remembered printout titles file: any bytes in, the whole records read
// over the defaults, and the titles written back and read again unchanged.
// Every title read ends at its terminator within the field.

#include "core/base/Text.h"
#include "core/project/PrintTitles.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

char folderPath[] = "/tmp/dalvor-fuzz-titles-XXXXXX";

std::string Folder()
{
    static const bool made = [] {
        if (!::mkdtemp(folderPath))
            std::abort();
        // The folder goes with the run.
        std::atexit([] { std::filesystem::remove_all(folderPath); });
        return true;
    }();
    (void)made;
    return folderPath;
}

void CheckTitles(const PrintTitle (&titles)[kPrintTitleCount])
{
    for (const PrintTitle& t : titles) {
        const std::u16string text = FromFixed(t.text);
        if (text.size() > kPrintTitleMaxLength)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string path = Folder() + "/prntits.arc";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0 && std::fwrite(data, 1, size, f) != size)
            std::abort();
        std::fclose(f);
    } else {
        std::abort();
    }

    PrintTitle titles[kPrintTitleCount]{};
    DefaultPrintTitles(titles);
    const int read = ReadPrintTitlesFile(path, titles);
    if (read < 0 || read > kPrintTitleCount || static_cast<std::size_t>(read) != std::min<std::size_t>(size / kPrintTitleRecordSize, kPrintTitleCount))
        std::abort();
    CheckTitles(titles);

    if (!WritePrintTitlesFile(path, titles))
        std::abort();
    PrintTitle again[kPrintTitleCount]{};
    if (ReadPrintTitlesFile(path, again) != kPrintTitleCount)
        std::abort();
    for (int i = 0; i < kPrintTitleCount; ++i)
        if (FromFixed(again[i].text) != FromFixed(titles[i].text))
            std::abort();
    return 0;
}
