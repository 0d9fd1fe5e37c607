// core/report: what leaves the program: the report rows and the printout's
// texts, the clipboard text of the project listing, the print data, and the
// Canvas drawing interface with the display list that records a picture. It
// includes core/base, core/project (the printout titles) and core/app (whose
// report members it implements).
//
// The printout's texts besides the report table, and the date and time of a
// printout.
#pragma once

#include "core/report/PrintData.h"

#include <ctime>
#include <string>
#include <string_view>

// The texts a printout carries around the report table.
struct ReportPageTexts {
    std::u16string documentName;  // the print job's name
    std::u16string reportTitle;
    std::u16string printTitle;
    std::u16string subtitle;
    std::u16string addressText;
    std::u16string programLine;
    std::u16string noticeLine;
    std::u16string dateLine;
    std::u16string extraLine;
    std::u16string disclaimer;
};

// "DD/MM/YY" and "HH:MM:SS" (24-hour) of a local time.
std::u16string ReportDate(const std::tm& local);
std::u16string ReportTime(const std::tm& local);
