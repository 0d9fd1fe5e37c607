// A buried pipe of the catalogue laid as the buried-pipe page leaves the
// record before its calculation; shared by the calculation and picture tests.
#pragma once

#include "core/calc/BuriedPipeCalc.h"
#include "core/catalogue/ReferenceTables.h"

// The catalogue row's pipe in the record.
inline void TakeSizeRow(BuriedPipeRecord& r, const NominalSizeEntry& row)
{
    r.categoryId = row.categoryId;
    r.typeId = row.typeId;
    r.nominalSize = row.nominalSize;
    r.innerDiameter = row.innerDiameter;
    r.outerDiameter = row.outerDiameter;
    r.ringStiffness = row.ringStiffness;
    r.allowedDeflection = row.allowedDeflection;
    r.enlargedAllowedDeflection = row.enlargedAllowedDeflection;
}

// The pipe laid 2 m below ground under a traffic class, with the first
// installation's defaults.
inline void LayTwoMetresDeep(BuriedPipeRecord& r, int trafficClass)
{
    r.trafficClass = trafficClass;
    r.invertLevel = r.groundLevel - 2.0;
    r.foundationLevel = r.invertLevel - (r.outerDiameter - r.innerDiameter) * 0.0005;
    r.cover = r.groundLevel - r.foundationLevel - r.outerDiameter * 0.001;
    ApplyInstallationDefaults(r, 0);
}
