// Structural check of a buried flexible pipe: the secant modulus of the
// backfill, the installation and bedding deflection components, and the
// traffic load on the pipe crown. The calculation itself is CalcBuriedPipe
// (core/calc/Calculations.h).
#pragma once

#include "core/base/TrafficClass.h"
#include "core/project/Records.h"

// Secant deformation modulus Es of the backfill (MPa) from the cover over the
// crown (m, capped at 6 m), the compaction index and the submerged share of
// the pipe (0 dry to 1 under water).
double CalcStaticsCoefficient(double depth, double compactionIndex, double submergedShare);

// The check cannot be judged: resultValid 0, the conclusion and the three
// reasons empty and the results at 0.
void GiveNoResult(BuriedPipeRecord& record);

// Sets beddingFactor and installationFactor from the work conditions held in
// the record, forces heavy compaction and heavy construction traffic for a
// shallow pipe under traffic, and clears the construction-traffic flag when
// the user has not ticked it (userHeavyConstructionTraffic 0). The buried-pipe
// page passes its own record of the user's choice.
void ApplyInstallationDefaults(BuriedPipeRecord& record, int userHeavyConstructionTraffic);

// ---- traffic load ---------------------------------------------------------

// Stress factor under the corner of a uniformly loaded rectangle of width B and
// length m x B at the depth x x B (Holl's form of Boussinesq's solution, with
// the program's single-precision 1/6.283 in place of 1/2 pi).
double TrafficCornerFactor(double x, double m);

// Vertical traffic pressure Gk (kPa) at the pipe crown for the record's
// traffic class, levels, diameters, stored cover and road-surface flag. A class
// outside 1 to 27 gives 0. The result is not checked for finiteness.
double TrafficLoadOf(const BuriedPipeRecord& record);
