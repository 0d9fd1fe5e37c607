// The application object's record defaults, project store, project file,
// print titles and reference tables: each operation runs the part's function
// on the application's group; what the user is told, the reload listeners and
// the tables' generation stay here.
#include "core/app/DalvorApp.h"
#include "core/project/RecordDefaults.h"

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
