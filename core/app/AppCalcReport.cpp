// The application object's calculations and report tables: each runs the
// calculation or the report builder of its kind on the working record; a
// report table is kept in the print group for the printout.
#include "core/app/DalvorApp.h"
#include "core/calc/Calculations.h"
#include "core/report/ReportRows.h"

void CDalvorApp::CalcGravityFlow()
{
    ::CalcGravityFlow(working.gravityFlow, gravityCalculator, languageOffset);
}

void CDalvorApp::CalcPressureFlow()
{
    ::CalcPressureFlow(working.pressureFlow, pressureCalculator, languageOffset);
}

void CDalvorApp::CalcBuriedPipe()
{
    ::CalcBuriedPipe(working.buriedPipe, languageOffset);
}

void CDalvorApp::CalcTrafficLoad()
{
    ::CalcTrafficLoad(working.buriedPipe);
}

void CDalvorApp::CalcManholeBuoyancy()
{
    ::CalcManholeBuoyancy(working.manhole, tables, languageOffset);
}

void CDalvorApp::CalcTankBuoyancy()
{
    ::CalcTankBuoyancy(working.tank, tables, languageOffset);
}

void CDalvorApp::CalcTankAnchoring()
{
    ::CalcTankAnchoring(working.tank);
}

void CDalvorApp::BuildGravityFlowReport()
{
    print.StoreReport(::BuildGravityFlowReport(working.gravityFlow, tables, languageOffset));
}

void CDalvorApp::BuildPressureFlowReport()
{
    print.StoreReport(::BuildPressureFlowReport(working.pressureFlow, tables, languageOffset));
}

void CDalvorApp::BuildBuriedPipeReport()
{
    print.StoreReport(::BuildBuriedPipeReport(working.buriedPipe, tables, languageOffset));
}

void CDalvorApp::BuildManholeReport()
{
    print.StoreReport(::BuildManholeReport(working.manhole, tables, languageOffset));
}

void CDalvorApp::BuildTankReport()
{
    print.StoreReport(::BuildTankReport(working.tank, tables, languageOffset));
}

bool CDalvorApp::BuildReport(int kind)
{
    switch (kind) {
    case KindGravityFlow: BuildGravityFlowReport(); return true;
    case KindPressureFlow: BuildPressureFlowReport(); return true;
    case KindBuriedPipe: BuildBuriedPipeReport(); return true;
    case KindManhole: BuildManholeReport(); return true;
    case KindTank: BuildTankReport(); return true;
    default: return false;
    }
}

ReportPageTexts CDalvorApp::MakeReportTexts(int kind, const std::tm& now) const
{
    return ::MakeReportTexts(kind, working, tables, print.printTitles[0], languageOffset, now);
}
