// core/app: the application object, the hub that composes the other parts:
// it owns the working and stored records, the reference tables, the
// calculators and the print state, and each of its operations calls the
// part's function on its group (calculations in core/calc, the store, file,
// record defaults and kinds table in core/project, the catalogue loading in
// core/catalogue, report rows and clipboard text in core/report). Also the
// language switch and the start-up rules. It may include the parts below it,
// never core/pages.
//
// The application object: the whole data model of the program. Its state is
// grouped by concern, each group declared with the part it belongs to:
// tables (catalogue/ReferenceTables.h), project (project/ProjectArrays.h),
// working (project/WorkingRecords.h) and print (report/PrintData.h). A part
// that needs a group alone includes that group's header.
#pragma once

#include "core/base/CalcKind.h"
#include "core/base/Host.h"
#include "core/base/Settings.h"
#include "core/calc/Calculations.h"
#include "core/calc/GravityFlowCalculator.h"
#include "core/calc/PressureFlowCalculator.h"
#include "core/catalogue/ReferenceTables.h"
#include "core/project/ProjectArrays.h"
#include "core/project/ProjectFile.h"
#include "core/project/WorkingRecords.h"
#include "core/report/ClipboardText.h"
#include "core/report/PrintData.h"
#include "core/report/ReportRows.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <span>
#include <string>

class CDalvorApp {
public:
    CDalvorApp();
    CDalvorApp(const CDalvorApp&) = delete;
    CDalvorApp& operator=(const CDalvorApp&) = delete;
    ~CDalvorApp();

    // ---- start-up and shut-down ------------------------------------------
    // The start-up steps that need no window, in their order: language,
    // "VersionID" and the extended mode, program folder, reference tables,
    // help file, record defaults. uiLanguage is the desktop's first interface
    // language as a BCP 47 tag ("en-US", "pl-PL", "C" when unknown).
    ReferenceLoadStatus InitCoreInstance(ISettings& settings, const std::string& uiLanguage,
                                         const std::string& folder);
    // Frees tables and project and stores the language.
    void ExitInstance(ISettings& settings);

    void SetHost(IHost* h);
    IHost& Host() const { return *host; }

    // Opens the manual of a kind with the desktop's viewer; nothing for an
    // unknown kind or language.
    void OpenManual(int kind);
    void OnAppAbout() { host->RunAboutDlg(); }

    // ---- language texts --------------------------------------------------
    // The text of key + offset, or "STRING NOT FOUND".
    std::u16string LoadLangString(int key, int offset) const;
    std::u16string LoadLangString(int key) const { return LoadLangString(key, languageOffset); }
    // Reloads the tables from the language's database and sets its help file.
    ReferenceLoadStatus SwitchLanguage(int offset);

    // ---- reference tables ------------------------------------------------
    ReferenceLoadStatus LoadReferenceData(const std::string& path);
    void FreeReferenceData();
    // Told after every load of the tables (start-up, language switch), so
    // that lists showing their rows follow; the token removes the listener.
    int AddReloadListener(std::function<void()> listener);
    void RemoveReloadListener(int token);
    // Grows with every load of the tables.
    int referenceGeneration = 0;

    // ---- project store ---------------------------------------------------
    // false when memory ran out: nothing is stored, the host is told and the
    // document is not marked modified.
    bool StoreCurrentCalc(int kind, int index);
    void DeleteStoredCalc(int kind, int index);
    void MoveStoredCalcUp(int kind, int index);
    void MoveStoredCalcDown(int kind, int index);
    void FreeProject();
    void ResetProject();
    // Copies the kind's current stored record over its working record; false
    // when the kind has no current record.
    bool LoadCurrentStoredCalc(int kind);

    // ---- project file ----------------------------------------------------
    std::vector<uint8_t> WriteProject() const;
    // Replaces the project only when the whole file is sound; otherwise the
    // open project stays as it was.
    ProjectReadError ReadProject(std::span<const uint8_t> bytes);
    // systemError, when given, receives the errno of a failed open or read
    // (ENOMEM when the project does not fit in memory).
    ProjectReadError ReadProjectFile(const std::string& path, int* systemError = nullptr);
    // Writes the records straight to the file through WriteFileAtomically, so
    // a failed save leaves the old file whole and no copy of the project is
    // made; systemError, when given, receives the errno of a failed write
    // (ENOMEM when memory ran out).
    ProjectWriteError WriteProjectFile(const std::string& path, int* systemError = nullptr) const;

    // ---- record defaults -------------------------------------------------
    void ResetGravityFlowRecord();
    void ResetPressureFlowRecord();
    void ResetBuriedPipeRecord();
    void ResetManholeRecord();
    void ResetTankRecord();
    // All five, in the order tank, manhole, buried pipe, gravity flow, pressure flow.
    void ResetAllRecords();

    // ---- calculations ----------------------------------------------------
    // Each runs its kind's calculation (core/calc/Calculations.h) on the
    // working record, with the tables, calculator and language it needs.
    void CalcGravityFlow();
    void CalcPressureFlow();
    void CalcBuriedPipe();
    void CalcTrafficLoad();
    void CalcManholeBuoyancy();
    void CalcTankBuoyancy();
    void CalcTankAnchoring();

    // ---- report rows, printout texts and print titles --------------------
    // Each rewrites the whole report table of the print group from its kind's
    // working record (core/report/ReportRows.h).
    void BuildGravityFlowReport();
    void BuildPressureFlowReport();
    void BuildBuriedPipeReport();
    void BuildManholeReport();
    void BuildTankReport();
    // The builder of a kind; false for anything that is not a kind.
    bool BuildReport(int kind);
    // The printout's texts for a kind's working record at a local time, with
    // print title 0; empty texts for anything that is not a kind.
    ReportPageTexts MakeReportTexts(int kind, const std::tm& now) const;
    // Mode 0 reads the print titles from the user data folder (on the first
    // start from the program folder's file, else the defaults) and writes the
    // file when it was missing; mode 1 writes them. Failures are silent.
    void LoadOrSavePrintTitles(int mode);
    std::string PrintTitlesPath() const;
    // The stored records, tables and language the project listing and the
    // clipboard text read (core/report/ClipboardText.h).
    ListingSource Listing() const { return {tables, project, languageOffset}; }

    // ---- paths -----------------------------------------------------------
    std::string DatabasePath(int offset) const;
    std::string HelpFilePath(int offset) const;
    std::string ManualPath(int kind, int offset) const;  // empty when none

    // ---- fields ------------------------------------------------------------
    std::string helpFilePath;
    CGravityFlowCalculator gravityCalculator;
    CPressureFlowCalculator pressureCalculator;
    int extendedCatalogue = 0;
    std::string programFolder;
    // Where the user's own files live (print titles); empty: none is written.
    std::string userDataFolder;
    int languageOffset = LangPolish;
    int activeCalcKind = KindNone;

    CatalogueTables tables;
    ProjectArrays project;
    WorkingRecords working;
    PrintState print;

private:
    IHost* host;
    std::map<int, std::function<void()>> reloadListeners;
    int nextReloadToken = 0;
};

// The one application object.
extern CDalvorApp theApp;
