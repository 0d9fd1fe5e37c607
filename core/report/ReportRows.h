// core/report: what leaves the program: the report rows and the printout's
// texts, the clipboard text of the project listing, the print data, and the
// Canvas drawing interface with the display list that records a picture. It
// includes core/base, core/catalogue (the names of catalogue rows),
// core/project (the records and the printout titles) and core/calc.
//
// The report table of each kind, the printout's texts besides the report
// table, and the date and time of a printout.
#pragma once

#include "core/catalogue/ReferenceTables.h"
#include "core/project/PrintTitles.h"
#include "core/project/Records.h"
#include "core/project/WorkingRecords.h"
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

// The report table of a kind's record: every section cleared and present,
// then the kind's rows written in the language of languageOffset, catalogue
// rows named from the tables.
ReportSections BuildGravityFlowReport(const GravityFlowRecord& r, const CatalogueTables& tables, int languageOffset);
ReportSections BuildPressureFlowReport(const PressureFlowRecord& r, const CatalogueTables& tables, int languageOffset);
ReportSections BuildBuriedPipeReport(const BuriedPipeRecord& r, const CatalogueTables& tables, int languageOffset);
ReportSections BuildManholeReport(const ManholeRecord& r, const CatalogueTables& tables, int languageOffset);
ReportSections BuildTankReport(const TankRecord& r, const CatalogueTables& tables, int languageOffset);

// The printout's texts for the kind's working record at a local time, with
// the print title given; empty texts for anything that is not a kind.
ReportPageTexts MakeReportTexts(int kind, const WorkingRecords& working, const CatalogueTables& tables,
                                const PrintTitle& printTitle, int languageOffset, const std::tm& now);

// "DD/MM/YY" and "HH:MM:SS" (24-hour) of a local time.
std::u16string ReportDate(const std::tm& local);
std::u16string ReportTime(const std::tm& local);
