// Default values of the five working records, each over the record and the
// catalogue rows its defaults come from (soil row 2, the first manhole type,
// the first tank type). The gravity and pressure flow defaults read no rows;
// they take the tables all the same, so that the five share one form.
#pragma once

#include "core/catalogue/ReferenceTables.h"
#include "core/project/Records.h"

void ResetGravityFlowRecord(GravityFlowRecord& r, const CatalogueTables& tables);
void ResetPressureFlowRecord(PressureFlowRecord& r, const CatalogueTables& tables);
void ResetBuriedPipeRecord(BuriedPipeRecord& r, const CatalogueTables& tables);
void ResetManholeRecord(ManholeRecord& r, const CatalogueTables& tables);
void ResetTankRecord(TankRecord& r, const CatalogueTables& tables);
