// The remembered printout titles: the record of one title, the defaults, the
// dialog's confirmation rule, the titles file and where it is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct PrintTitle {
    int32_t id;
    char16_t text[258];
};
static_assert(sizeof(PrintTitle) == 520);

constexpr int kPrintTitleCount = 20;
constexpr std::size_t kPrintTitleMaxLength = 254;
constexpr std::size_t kPrintTitleRecordSize = sizeof(PrintTitle);
constexpr const char* kPrintTitlesFileName = "prntits.arc";

// "(Title #1)" ... "(Title #20)", id -1.
void DefaultPrintTitles(PrintTitle (&titles)[kPrintTitleCount]);
// Reads the whole records the file holds (at most 20) over the first titles;
// each text is cut at its terminator or at 254 units, and its unpaired
// surrogates become U+FFFD. Returns the number of records read, or -1 when
// the file cannot be opened or is no regular file (never waiting on a FIFO).
int ReadPrintTitlesFile(const std::string& path, PrintTitle (&titles)[kPrintTitleCount]);
// The file's 10400 bytes, the units after each terminator zero.
std::string PrintTitlesBytes(const PrintTitle (&titles)[kPrintTitleCount]);
// Writes the 20 records through a temporary file in the same folder that is
// synced and renamed over the old one; false (old file untouched) on failure.
bool WritePrintTitlesFile(const std::string& path, const PrintTitle (&titles)[kPrintTitleCount]);
// A confirmed title goes to the front; an equal title further down moves up,
// otherwise the oldest drops out. The text is cut to 254 units first.
void ConfirmPrintTitle(PrintTitle (&titles)[kPrintTitleCount], std::u16string_view text);
// The titles file in the user data folder; empty when there is no such folder.
std::string PrintTitlesPath(const std::string& userDataFolder);
// Mode 0 reads the titles from the user data folder (on the first start from
// the program folder's file, else the defaults) and writes the file when it
// was missing; mode 1 writes them. Failures are silent.
void LoadOrSavePrintTitles(PrintTitle (&titles)[kPrintTitleCount], int mode, const std::string& userDataFolder,
                           const std::string& programFolder);
