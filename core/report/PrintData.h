// The report table and the picture being printed.
#pragma once
#include "core/project/PrintTitles.h"
#include "core/report/DisplayList.h"

#include <algorithm>
#include <array>
#include <cstdint>

struct ReportSection {
    int32_t present;
    int32_t rowCount;
    int32_t rowFlag[20];
    char16_t label[20][129];
    char16_t value[20][129];
};

// The ten sections of a report table, as a report builder makes them.
using ReportSections = std::array<ReportSection, 10>;

// The picture recorded for the printout: the drawing of the page's picture at
// ten times its size, and that width and height. A new recording replaces
// the old one; the printout plays it into its rectangle and clears it.
struct PrintPicture {
    DisplayList ops;
    int width = 0;
    int height = 0;
    bool Empty() const { return ops.Empty() || width <= 0 || height <= 0; }
    void Clear()
    {
        ops.Clear();
        width = 0;
        height = 0;
    }
};

// What a printout is made of: the report table of the kind printed, the
// remembered titles the user picks from and the recorded picture.
struct PrintState {
    ReportSection reportSections[10]{};
    PrintTitle printTitles[kPrintTitleCount]{};
    PrintPicture printPicture;

    // Takes a report table built for a printout.
    void StoreReport(const ReportSections& sections)
    {
        std::copy(sections.begin(), sections.end(), reportSections);
    }
};
