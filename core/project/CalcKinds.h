// The typed side of the kinds table: each kind's record type, its array in the
// project, its working record and the reset of that record. Code that must
// reach a kind's records goes through ForKindRecords instead of a switch.
#pragma once

#include "core/base/CalcKind.h"
#include "core/project/ProjectArrays.h"
#include "core/project/RecordDefaults.h"
#include "core/project/WorkingRecords.h"

#include <tuple>
#include <vector>

template <typename Record>
struct KindRecords {
    using RecordType = Record;
    int kind;
    int array;
    std::vector<Record> ProjectArrays::*stored;
    Record WorkingRecords::*working;
    void (*reset)(Record&, const CatalogueTables&);
};

// In array order, as kCalcKinds.
inline constexpr auto kKindRecords = std::make_tuple(
    KindRecords<GravityFlowRecord>{KindGravityFlow, ArrayGravityFlow, &ProjectArrays::gravityFlow,
                                   &WorkingRecords::gravityFlow, &ResetGravityFlowRecord},
    KindRecords<PressureFlowRecord>{KindPressureFlow, ArrayPressureFlow, &ProjectArrays::pressureFlow,
                                    &WorkingRecords::pressureFlow, &ResetPressureFlowRecord},
    KindRecords<BuriedPipeRecord>{KindBuriedPipe, ArrayBuriedPipe, &ProjectArrays::buriedPipe,
                                  &WorkingRecords::buriedPipe, &ResetBuriedPipeRecord},
    KindRecords<ManholeRecord>{KindManhole, ArrayManhole, &ProjectArrays::manhole, &WorkingRecords::manhole,
                               &ResetManholeRecord},
    KindRecords<TankRecord>{KindTank, ArrayTank, &ProjectArrays::tank, &WorkingRecords::tank,
                            &ResetTankRecord});

static_assert(std::tuple_size_v<decltype(kKindRecords)> == KindArrayCount);
static_assert([] {
    bool same = true;
    std::apply([&](const auto&... e) { ((same = same && kCalcKinds[e.array].kind == e.kind), ...); },
               kKindRecords);
    return same;
}());

// Calls f(entry) with the typed entry of the kind; false, and f is not called,
// for a value that is not a kind.
template <typename F>
bool ForKindRecords(int kind, F&& f)
{
    return std::apply([&](const auto&... e) { return ((e.kind == kind ? (f(e), true) : false) || ...); },
                      kKindRecords);
}

// The same by array index.
template <typename F>
bool ForArrayRecords(int arrayIndex, F&& f)
{
    return ForKindRecords(ArrayIndexToKind(arrayIndex), std::forward<F>(f));
}
