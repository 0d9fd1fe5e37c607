// Typical records of the five kinds, calculated as their pages leave them, for
// the picture tests and the picture shots tool.
#pragma once

#include "core/app/DalvorApp.h"
#include "pictures/scene/PictureScene.h"
#include "tests/core/PipeFixture.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace picture_fixtures {

inline std::unique_ptr<CDalvorApp> StartedApp(int language)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = language;
    const char* home = std::getenv("DALVOR_HOME");
    app->InitCoreInstance(settings, "C", home ? home : ".");
    return app;
}

// Each kind's record: variant 0 the page's defaults calculated, 1 a richer
// case (every optional element of the picture), 2 no result yet.
inline void Prepare(CDalvorApp& app, PictureView& view, int kind, int variant)
{
    switch (kind) {
    case KindGravityFlow: {
        app.ResetGravityFlowRecord();
        GravityFlowRecord& r = app.working.gravityFlow;
        r.mode = 3;  // the filling that carries the flow
        r.length = 250.0;
        r.startLevel = 100.0;
        r.innerDiameter = variant == 1 ? 600.0 : 300.0;
        r.roughness = 0.01;
        r.slopeInput = variant == 1 ? 5.0 : 1.0;
        r.flowInput = variant == 1 ? 0.4 : 0.03;
        r.fillingInput = 0.5;
        if (variant != 2)
            app.CalcGravityFlow();
        view.opFilling = r.head.resultValid == 1 ? r.filling : r.fillingInput;
        view.opFlow = r.flow;
        view.opVelocity = r.velocity;
        break;
    }
    case KindPressureFlow: {
        app.ResetPressureFlowRecord();
        PressureFlowRecord& r = app.working.pressureFlow;
        r.mode = 1;  // the losses of a given pipe and flow
        r.length = variant == 1 ? 800.0 : 100.0;
        r.innerDiameter = 200.0;
        r.roughness = 0.01;
        r.nominalPressure = 1.0;
        r.flowInput = variant == 1 ? 0.03 : 0.05;
        if (variant != 2)
            app.CalcPressureFlow();
        view.pressure = {r.headLoss, r.energyGradient, r.velocity, r.flow, r.energyHeadDifference};
        view.chartChoice = 0;
        break;
    }
    case KindBuriedPipe: {
        app.ResetBuriedPipeRecord();
        BuriedPipeRecord& r = app.working.buriedPipe;
        // A sewer as a designer lays it: DN 300, and DN 1000 for the rich case.
        const double dn = variant == 1 ? 1000.0 : 300.0;
        for (int i = 0; i < RowCount(app.tables.nominalSizes); ++i)
            if (app.tables.nominalSizes[i].nominalSize >= dn || i + 1 == RowCount(app.tables.nominalSizes)) {
                TakeSizeRow(r, app.tables.nominalSizes[i]);
                break;
            }
        r.roadSurface = variant == 1 ? 1 : 0;
        r.multiPipeTrench = variant == 1 ? 1 : 0;
        LayTwoMetresDeep(r, variant == 1 ? 10 : 0);
        if (variant != 2)
            app.CalcBuriedPipe();
        break;
    }
    case KindManhole: {
        app.ResetManholeRecord();
        ManholeRecord& r = app.working.manhole;
        r.eccentric = variant == 1 ? 1 : r.eccentric;
        if (variant == 1)
            r.waterLevel = r.groundLevel - 0.3;
        if (variant != 2)
            app.CalcManholeBuoyancy();
        break;
    }
    case KindTank: {
        app.ResetTankRecord();
        TankRecord& r = app.working.tank;
        if (variant == 1) {
            // A long tank under a high water table: shortened, anchored.
            r.selectionMode = 1;
            r.length = 40.0;
            r.waterLevel = r.groundLevel - 0.2;
            r.anchorCount = 8;
            r.tankBottomLevel = r.groundLevel - r.outerDiameter * 0.001 - 0.6;
            r.foundationLevel = r.tankBottomLevel - (r.outerDiameter - r.innerDiameter) * 0.0005;
        }
        if (variant != 2) {
            app.CalcTankBuoyancy();
            app.CalcTankAnchoring();
        }
        break;
    }
    default: break;
    }
}

// The catalogue's pipe of that type and nominal size (the next larger when
// not listed) laid with its invert at `invert` under ground at `ground`, the
// water at `water`, and calculated.
inline void LayPipe(CDalvorApp& app, int typeId, double dn, double ground, double invert, double water)
{
    BuriedPipeRecord& r = app.working.buriedPipe;
    for (int i = 0; i < RowCount(app.tables.nominalSizes); ++i)
        if (app.tables.nominalSizes[i].typeId == typeId && app.tables.nominalSizes[i].nominalSize >= dn) {
            TakeSizeRow(r, app.tables.nominalSizes[i]);
            break;
        }
    r.groundLevel = ground;
    LayTwoMetresDeep(r, r.trafficClass);
    r.invertLevel = invert;
    r.foundationLevel = invert - (r.outerDiameter - r.innerDiameter) * 0.0005;
    r.cover = ground - r.foundationLevel - r.outerDiameter * 0.001;
    r.waterLevel = water;
    app.CalcBuriedPipe();
}

// The control sizes the pages give their pictures.
inline void ControlSize(int kind, int& w, int& h)
{
    const PictureSize size = PictureControlSize(kind);
    w = size.width;
    h = size.height;
}

}  // namespace picture_fixtures
