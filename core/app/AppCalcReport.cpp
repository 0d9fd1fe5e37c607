// The application object's calculations: each runs the calculation of its
// kind on the working record.
#include "core/app/DalvorApp.h"
#include "core/calc/Calculations.h"

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
