// The remembered printout titles: defaults, the dialog's confirmation rule and
// the titles file (20 raw records of 520 bytes, little-endian UTF-16).
#include "core/project/PrintTitles.h"

#include "core/base/Text.h"
#include "core/project/AtomicFile.h"
#include "core/project/RegularFile.h"

#include <cstring>
#include <filesystem>

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// A title as stored: up to the terminator, at most 254 units, well formed, so
// that a title reads back exactly as it was written. Half a pair at the end
// is dropped (a length limit, the title field's own or this one, split the
// pair); any other unpaired surrogate becomes U+FFFD.
std::u16string StoredTitle(std::u16string_view text)
{
    if (!text.empty() && IsHighSurrogate(text.back()))
        text.remove_suffix(1);
    return CutText(Utf8ToUtf16(Utf16ToUtf8(text)), kPrintTitleMaxLength);
}

void SetTitle(PrintTitle& title, std::u16string_view text)
{
    std::memset(title.text, 0, sizeof title.text);
    title.id = -1;
    const std::u16string stored = StoredTitle(text);
    std::copy(stored.begin(), stored.end(), title.text);
}

}  // namespace

void DefaultPrintTitles(PrintTitle (&titles)[kPrintTitleCount])
{
    for (int i = 0; i < kPrintTitleCount; ++i)
        SetTitle(titles[i], Utf8ToUtf16(FormatC("(Title #%d)", i + 1)));
}

int ReadPrintTitlesFile(const std::string& path, PrintTitle (&titles)[kPrintTitleCount])
{
    // Only a regular file: a FIFO put in its place must not hang the start.
    std::string bytes;
    if (ReadRegularFile(path, kPrintTitleCount * kPrintTitleRecordSize, bytes) != RegularFileReader::Ok)
        return -1;
    // Whole records only: a short tail is no title.
    const int count = static_cast<int>(bytes.size() / kPrintTitleRecordSize);
    for (int r = 0; r < count; ++r) {
        const char* record = bytes.data() + r * kPrintTitleRecordSize;
        std::u16string text;
        for (std::size_t i = 0; i < kPrintTitleMaxLength; ++i) {
            const auto lo = static_cast<unsigned char>(record[4 + 2 * i]);
            const auto hi = static_cast<unsigned char>(record[5 + 2 * i]);
            const char16_t unit = static_cast<char16_t>(lo | (hi << 8));
            if (unit == 0)
                break;
            text.push_back(unit);
        }
        SetTitle(titles[r], text);
    }
    return count;
}

std::string PrintTitlesBytes(const PrintTitle (&titles)[kPrintTitleCount])
{
    std::string bytes(kPrintTitleCount * kPrintTitleRecordSize, '\0');
    for (int r = 0; r < kPrintTitleCount; ++r) {
        char* out = bytes.data() + r * kPrintTitleRecordSize;
        std::memset(out, 0xFF, 4);
        const std::u16string text = StoredTitle(FromFixed(titles[r].text));
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
    const std::u16string t = StoredTitle(text);
    int k = kPrintTitleCount - 1;
    for (int i = 0; i < kPrintTitleCount; ++i)
        if (FromFixed(titles[i].text) == t)
            k = i;
    for (int i = k; i > 0; --i)
        titles[i] = titles[i - 1];
    SetTitle(titles[0], t);
}

std::string PrintTitlesPath(const std::string& userDataFolder)
{
    if (userDataFolder.empty())
        return {};
    return userDataFolder + "/" + kPrintTitlesFileName;
}

void LoadOrSavePrintTitles(PrintTitle (&titles)[kPrintTitleCount], int mode, const std::string& userDataFolder,
                           const std::string& programFolder)
{
    namespace fs = std::filesystem;
    const std::string path = PrintTitlesPath(userDataFolder);
    std::error_code ec;
    if (mode == 0) {
        // Titles a file does not hold stay at their defaults.
        DefaultPrintTitles(titles);
        if (!path.empty() && fs::exists(path, ec)) {
            ReadPrintTitlesFile(path, titles);
            return;
        }
        // First start: the titles that came with the program, if any.
        if (!programFolder.empty())
            ReadPrintTitlesFile(programFolder + "/" + kPrintTitlesFileName, titles);
    }
    // Saves (and a first start) always write the titles held now.
    if (path.empty())
        return;
    // The titles are the user's alone, in a folder of the program's that is.
    MakePrivateFolder(userDataFolder);
    MakePrivateFile(path);
    WritePrintTitlesFile(path, titles);
}
