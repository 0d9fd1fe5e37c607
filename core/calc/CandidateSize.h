// A pipe size of the catalogue taken into a flow record (gravity or
// pressure), and the roughness the record is worked out with.
#pragma once

#include "core/project/Records.h"

// The roughness a pipe is worked out with: the user's own where they typed
// one (a positive value), else the catalogue's.
constexpr double RoughnessInUse(double userRoughness, double catalogueRoughness)
{
    return userRoughness > 0.0 ? userRoughness : catalogueRoughness;
}

// Takes a candidate size into the record: its diameters and nominal size, and
// its roughness unless the user has typed a roughness of their own.
template <typename FlowRecord>
void TakeCandidateSize(FlowRecord& record, const DiameterCandidate& size)
{
    record.innerDiameter = size.innerDiameter;
    record.outerDiameter = size.outerDiameter;
    record.nominalSize = size.nominalSize;
    record.roughness = RoughnessInUse(record.userRoughness, size.roughness);
}
