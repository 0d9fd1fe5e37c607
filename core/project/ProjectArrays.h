// The project's stored calculations: one array per kind and the entry of
// each that is current (-1: none).
#pragma once

#include "core/base/CalcKind.h"
#include "core/project/Records.h"

#include <vector>

struct ProjectArrays {
    std::vector<GravityFlowRecord> gravityFlow;
    std::vector<PressureFlowRecord> pressureFlow;
    std::vector<BuriedPipeRecord> buriedPipe;
    std::vector<ManholeRecord> manhole;
    std::vector<TankRecord> tank;
    int currentIndex[KindArrayCount] = {-1, -1, -1, -1, -1};

    // The records stored of a kind, by array index; 0 for anything else.
    int Count(int arrayIndex) const;
};
