// The application object's record defaults, project store, project file,
// print titles and reference tables: each operation runs the part's function
// on the application's group; what the user is told, the reload listeners and
// the tables' generation stay here.
#include "core/app/DalvorApp.h"
#include "core/catalogue/ReferenceData.h"
#include "core/project/PrintTitles.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectStore.h"
#include "core/project/RecordDefaults.h"

#include <utility>

// ---- record defaults -------------------------------------------------------

void CDalvorApp::ResetGravityFlowRecord()
{
    ::ResetGravityFlowRecord(working.gravityFlow, tables);
}

void CDalvorApp::ResetPressureFlowRecord()
{
    ::ResetPressureFlowRecord(working.pressureFlow, tables);
}

void CDalvorApp::ResetBuriedPipeRecord()
{
    ::ResetBuriedPipeRecord(working.buriedPipe, tables);
}

void CDalvorApp::ResetManholeRecord()
{
    ::ResetManholeRecord(working.manhole, tables);
}

void CDalvorApp::ResetTankRecord()
{
    ::ResetTankRecord(working.tank, tables);
}

void CDalvorApp::ResetAllRecords()
{
    ResetTankRecord();
    ResetManholeRecord();
    ResetBuriedPipeRecord();
    ResetGravityFlowRecord();
    ResetPressureFlowRecord();
}

// ---- project store -----------------------------------------------------------

bool CDalvorApp::StoreCurrentCalc(int kind, int index)
{
    if (!::StoreCurrentCalc(project, working, kind, index)) {
        host->ReportOutOfMemory();
        return false;
    }
    host->SetDocumentModified();
    return true;
}

void CDalvorApp::DeleteStoredCalc(int kind, int index)
{
    ::DeleteStoredCalc(project, kind, index);
    host->SetDocumentModified();
}

void CDalvorApp::MoveStoredCalcUp(int kind, int index)
{
    ::MoveStoredCalcUp(project, kind, index);
    host->SetDocumentModified();
}

void CDalvorApp::MoveStoredCalcDown(int kind, int index)
{
    ::MoveStoredCalcDown(project, kind, index);
    host->SetDocumentModified();
}

void CDalvorApp::FreeProject()
{
    ::FreeProject(project);
}

void CDalvorApp::ResetProject()
{
    FreeProject();
}

bool CDalvorApp::LoadCurrentStoredCalc(int kind)
{
    return ::LoadCurrentStoredCalc(project, working, kind);
}

// ---- project file ------------------------------------------------------------

std::vector<uint8_t> CDalvorApp::WriteProject() const
{
    return ::WriteProject(project);
}

ProjectReadError CDalvorApp::ReadProject(std::span<const uint8_t> bytes)
{
    return ::ReadProject(project, bytes);
}

ProjectReadError CDalvorApp::ReadProjectFile(const std::string& path, int* systemError)
{
    return ::ReadProjectFile(project, path, systemError);
}

ProjectWriteError CDalvorApp::WriteProjectFile(const std::string& path, int* systemError) const
{
    return ::WriteProjectFile(project, path, systemError);
}

// ---- print titles ------------------------------------------------------------

std::string CDalvorApp::PrintTitlesPath() const
{
    return ::PrintTitlesPath(userDataFolder);
}

void CDalvorApp::LoadOrSavePrintTitles(int mode)
{
    ::LoadOrSavePrintTitles(print.printTitles, mode, userDataFolder, programFolder);
}

// ---- reference tables --------------------------------------------------------

ReferenceLoadStatus CDalvorApp::LoadReferenceData(const std::string& path)
{
    ReferenceLoadStatus status = ::LoadReferenceData(tables, extendedCatalogue, path);
    ++referenceGeneration;
    // A listener may remove itself or others: call a copy.
    const auto listeners = reloadListeners;
    for (const auto& [token, listener] : listeners)
        if (reloadListeners.count(token))
            listener();
    return status;
}

int CDalvorApp::AddReloadListener(std::function<void()> listener)
{
    reloadListeners.emplace(++nextReloadToken, std::move(listener));
    return nextReloadToken;
}

void CDalvorApp::RemoveReloadListener(int token)
{
    reloadListeners.erase(token);
}

void CDalvorApp::FreeReferenceData()
{
    ::FreeReferenceData(tables);
}
