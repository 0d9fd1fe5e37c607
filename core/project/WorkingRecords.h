// The records the pages edit and the calculations work on, one per kind.
// They start zero-filled, which the fields that a reset leaves alone rely on.
#pragma once

#include "core/project/Records.h"

struct WorkingRecords {
    GravityFlowRecord gravityFlow{};
    PressureFlowRecord pressureFlow{};
    BuriedPipeRecord buriedPipe{};
    ManholeRecord manhole{};
    TankRecord tank{};
};
