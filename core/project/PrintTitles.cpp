// The remembered printout titles: defaults, the dialog's confirmation rule and
// the titles file (20 raw records of 520 bytes, little-endian UTF-16).
#include "project/AtomicFile.h"
#include "app/DalvorApp.h"
#include "project/PrintTitles.h"
#include "base/Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The text of a title as stored: up to the terminator, at most 254 units,
// never ending in half a surrogate pair (the title field's own length limit
// may already have split one).
std::u16string_view CutTitle(std::u16string_view text)
{
    std::size_t n = std::min(text.size(), kPrintTitleMaxLength);
    if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF)
        --n;
    return text.substr(0, n);
}

void SetTitle(PrintTitle& title, std::u16string_view text)
{
    std::memset(title.text, 0, sizeof title.text);
    title.id = -1;
    text = CutTitle(text);
    std::copy(text.begin(), text.end(), title.text);
}

}  // namespace

void DefaultPrintTitles(PrintTitle (&titles)[kPrintTitleCount])
{
    for (int i = 0; i < kPrintTitleCount; ++i)
        SetTitle(titles[i], Utf8ToUtf16(FormatC("(Title #%d)", i + 1)));
}

int ReadPrintTitlesFile(const std::string& path, PrintTitle (&titles)[kPrintTitleCount])
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return -1;
    char record[kPrintTitleRecordSize];
    int count = 0;
    // Whole records only: a short tail is no title.
    while (count < kPrintTitleCount && in.read(record, sizeof record)) {
        std::u16string text;
        for (std::size_t i = 0; i < kPrintTitleMaxLength; ++i) {
            const auto lo = static_cast<unsigned char>(record[4 + 2 * i]);
            const auto hi = static_cast<unsigned char>(record[5 + 2 * i]);
            const char16_t unit = static_cast<char16_t>(lo | (hi << 8));
            if (unit == 0)
                break;
            text.push_back(unit);
        }
        SetTitle(titles[count++], text);
    }
    return count;
}

std::string PrintTitlesBytes(const PrintTitle (&titles)[kPrintTitleCount])
{
    std::string bytes(kPrintTitleCount * kPrintTitleRecordSize, '\0');
    for (int r = 0; r < kPrintTitleCount; ++r) {
        char* out = bytes.data() + r * kPrintTitleRecordSize;
        std::memset(out, 0xFF, 4);
        const std::u16string held = FromFixed(titles[r].text);
        const std::u16string_view text = CutTitle(held);
        for (std::size_t i = 0; i < text.size(); ++i) {
            out[4 + 2 * i] = static_cast<char>(text[i] & 0xFF);
            out[5 + 2 * i] = static_cast<char>(text[i] >> 8);
        }
    }
    return bytes;
}

bool WritePrintTitlesFile(const std::string& path, const PrintTitle (&titles)[kPrintTitleCount])
{
    const std::string bytes = PrintTitlesBytes(titles);
    return static_cast<bool>(WriteFileAtomically(
        path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
}

void ConfirmPrintTitle(PrintTitle (&titles)[kPrintTitleCount], std::u16string_view text)
{
    // Cut before comparing, so that a long title confirmed twice is one title.
    const std::u16string_view t = CutTitle(text);
    int k = kPrintTitleCount - 1;
    for (int i = 0; i < kPrintTitleCount; ++i)
        if (FromFixed(titles[i].text) == t)
            k = i;
    for (int i = k; i > 0; --i)
        titles[i] = titles[i - 1];
    SetTitle(titles[0], t);
}

std::string CDalvorApp::PrintTitlesPath() const
{
    if (userDataFolder.empty())
        return {};
    return userDataFolder + "/" + kPrintTitlesFileName;
}

void CDalvorApp::LoadOrSavePrintTitles(int mode)
{
    namespace fs = std::filesystem;
    const std::string path = PrintTitlesPath();
    std::error_code ec;
    if (mode == 0) {
        // Titles a file does not hold stay at their defaults.
        DefaultPrintTitles(printTitles);
        if (!path.empty() && fs::exists(path, ec)) {
            ReadPrintTitlesFile(path, printTitles);
            return;
        }
        // First start: the titles that came with the program, if any.
        if (!programFolder.empty())
            ReadPrintTitlesFile(programFolder + "/" + kPrintTitlesFileName, printTitles);
    }
    // Saves (and a first start) always write the titles held now.
    if (path.empty())
        return;
    fs::create_directories(userDataFolder, ec);
    WritePrintTitlesFile(path, printTitles);
}
