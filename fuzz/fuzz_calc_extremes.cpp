// Each calculation on its default record with fields patched by extreme and
// non-finite values: the input picks the kind, then pairs of a field offset
// and a value (one of a list of extremes, or eight raw bytes).

#include "fuzz/FuzzSupport.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kExtremes[] = {
    0.0, -0.0, 1.0, -1.0, 1e-300, -1e-300, 4.9e-324, 1e300, -1e300,
    std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
    std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(), 2147483648.0, -2147483649.0, 1e10, 0.5,
};

template <typename Record>
void Patch(Record& record, fuzz::Input& in)
{
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    while (!in.Empty()) {
        const std::size_t at = in.Take<uint16_t>() % sizeof(Record);
        const uint8_t pick = in.Take<uint8_t>();
        if (pick % 4 == 0) {
            // A 32-bit field: an index, count, mode or flag.
            const int32_t v = pick & 0x80 ? in.Take<int32_t>() : static_cast<int32_t>(pick >> 2) - 8;
            std::memcpy(bytes + (at & ~std::size_t{3}) % (sizeof(Record) - 3), &v, 4);
        } else {
            const std::size_t n = std::size(kExtremes);
            const double v = pick % 4 == 3 ? in.Take<double>() : kExtremes[(pick >> 2) % n];
            std::memcpy(bytes + (at & ~std::size_t{7}) % (sizeof(Record) - 7), &v, 8);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CDalvorApp& app = fuzz::App();
    fuzz::Input in(data, size);
    switch (in.Take<uint8_t>() % 5) {
    case 0:
        app.ResetTankRecord();
        Patch(app.working.tank, in);
        fuzz::Calculate(app, KindTank);
        break;
    case 1:
        app.ResetManholeRecord();
        Patch(app.working.manhole, in);
        fuzz::Calculate(app, KindManhole);
        break;
    case 2:
        app.ResetBuriedPipeRecord();
        Patch(app.working.buriedPipe, in);
        fuzz::Calculate(app, KindBuriedPipe);
        break;
    case 3:
        app.ResetGravityFlowRecord();
        Patch(app.working.gravityFlow, in);
        fuzz::Calculate(app, KindGravityFlow);
        break;
    default:
        app.ResetPressureFlowRecord();
        Patch(app.working.pressureFlow, in);
        fuzz::Calculate(app, KindPressureFlow);
        break;
    }
    return 0;
}
