// The calculations of the five kinds, each on its own record. A calculation
// reads the record's inputs and writes its results, conclusion and warning
// into it; the texts are taken in the language of languageOffset, the
// catalogue rows a record names from the tables, and the hydraulic
// calculations keep the table or characteristic of a sound result in the
// calculator they are given (the pictures draw from it).
#pragma once

#include "core/calc/GravityFlowCalculator.h"
#include "core/calc/PressureFlowCalculator.h"
#include "core/catalogue/ReferenceTables.h"
#include "core/project/Records.h"

// ---- hydraulics -----------------------------------------------------------
void CalcGravityFlow(GravityFlowRecord& r, CGravityFlowCalculator& gravityCalculator, int languageOffset);
void CalcPressureFlow(PressureFlowRecord& r, CPressureFlowCalculator& pressureCalculator, int languageOffset);

// ---- buried pipe ----------------------------------------------------------
void CalcBuriedPipe(BuriedPipeRecord& r, int languageOffset);
// Stores the record's traffic load (0 when its levels or diameters are not
// numbers, or the load is not finite).
void CalcTrafficLoad(BuriedPipeRecord& r);

// ---- manhole --------------------------------------------------------------
void CalcManholeBuoyancy(ManholeRecord& r, const CatalogueTables& tables, int languageOffset);
// The least heavy-bottom height (m) of a catalogue manhole of nominal diameter
// dns (m) at the depth (m), in water or dry, with or without a sand trap; 0
// for a size the rule does not list.
double CalcMinBallastHeight(double dns, double depth, int water, int sandTrap);

// ---- tank -----------------------------------------------------------------
void CalcTankBuoyancy(TankRecord& r, const CatalogueTables& tables, int languageOffset);
void CalcTankAnchoring(TankRecord& r);
// The tank's minSlabLength when no slab length can hold the tank down (the
// slab's resistance is not positive, or the length would exceed 1000 km):
// warning 20234, and the page and the report show "-" for the length.
inline constexpr double kNoSlabLength = 1.0e9;
inline bool NoSlabLengthSuffices(double minSlabLength)
{
    return minSlabLength >= kNoSlabLength;
}
// The capacity (m3) of the record's tank when it is length metres long.
double TankCapacityOfLength(const TankRecord& r, double length);
