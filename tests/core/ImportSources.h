// A project whose stored calculations give values to other pages: two tanks,
// a buried pipe and a manhole; shared by the import dialog's model and window
// tests.
#pragma once

#include "core/app/DalvorApp.h"

inline void StoreImportSources(CDalvorApp& app)
{
    for (double ground : {101.5, 110.0}) {
        app.ResetTankRecord();
        app.working.tank.groundLevel = ground;
        app.working.tank.waterLevel = ground - 2.25;
        app.working.tank.tankBottomLevel = ground - 4.5;
        app.working.tank.innerDiameter = 2400.0;
        app.working.tank.outerDiameter = 2500.0;
        app.working.tank.stiffnessClass = 8.0;
        app.StoreCurrentCalc(KindTank, -1);
    }
    app.ResetBuriedPipeRecord();
    BuriedPipeRecord& b = app.working.buriedPipe;
    b.groundLevel = 100.0, b.waterLevel = 98.0, b.invertLevel = 97.5, b.foundationLevel = 97.46;
    b.nominalSize = 400.0, b.innerDiameter = 377.6, b.outerDiameter = 400.0, b.ringStiffness = 8.0;
    b.compactionIndex = 0.95;
    app.StoreCurrentCalc(KindBuriedPipe, -1);
    app.ResetManholeRecord();
    app.working.manhole.groundLevel = 120.0, app.working.manhole.waterLevel = 118.0, app.working.manhole.pipeBottomLevel = 116.0;
    app.working.manhole.pipeDiameter = 0.25f;
    app.StoreCurrentCalc(KindManhole, -1);
}
