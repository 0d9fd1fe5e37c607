// The catalogue decoding over fuzzed rows, through the data layer's
// interface: a source whose tables, rows and failures come from the input.

#include "core/catalogue/ReferenceDump.h"
#include "core/catalogue/ReferenceSource.h"
#include "fuzz/FuzzSupport.h"

namespace {

class FuzzSource : public ReferenceSource {
public:
    explicit FuzzSource(fuzz::Input& in) : in(in) {}

    bool OpenDatabase(const std::string&) override { return in.Take<uint8_t>() != 1; }
    bool TableOpen(int table) override
    {
        rowsLeft[Index(table)] = in.Take<uint8_t>() % 40;
        return in.Take<uint8_t>() != 2;
    }
    int TableRecordCount(int) override { return in.Take<int32_t>(); }
    void TableMoveFirst(int table) override { failed = false, (void)table; }
    bool TableIsEOF(int table) override { return rowsLeft[Index(table)] == 0 || in.Empty(); }
    void TableMoveNext(int table) override
    {
        int& left = rowsLeft[Index(table)];
        if (left > 0)
            --left;
        if (in.Take<uint8_t>() == 3) {
            failed = true;
            left = 0;
        }
    }
    bool TableFailed(int) override { return failed; }
    void CloseDatabase() override {}

    void TableUpdateData(RawSoilRow& r) override
    {
        r.name = in.Text(300);
        r.soilGroup = in.Take<int32_t>();
        for (double& d : r.d)
            d = in.Take<double>();
    }
    void TableUpdateData(RawPipeCategoryRow& r) override
    {
        r.id = in.Take<int32_t>();
        r.name = in.Text(300);
        r.applicability = in.Take<int32_t>();
    }
    void TableUpdateData(RawPipeTypeRow& r) override
    {
        r.id = in.Take<int32_t>();
        r.categoryId = in.Take<int32_t>();
        r.name = in.Text(300);
        r.applicability = in.Take<int32_t>();
    }
    void TableUpdateData(RawNominalSizeRow& r) override
    {
        r.id = in.Take<int32_t>();
        r.categoryId = in.Take<int32_t>();
        r.typeId = in.Take<int32_t>();
        r.classCode = in.Take<int32_t>();
        for (double* d : {&r.nominalSize, &r.innerDiameter, &r.outerDiameter, &r.ringStiffness, &r.sectionValueA,
                          &r.sectionValueB, &r.deflectionCode, &r.roughness, &r.rating})
            *d = in.Take<double>();
    }
    void TableUpdateData(RawManholeTypeRow& r) override
    {
        r.name = in.Text(300);
        for (double* d : {&r.nominalDiameter, &r.outerDiameter, &r.maxPipeDiameter, &r.crownAllowance,
                          &r.weightPerMetre, &r.minDepth, &r.maxDepth})
            *d = in.Take<double>();
    }
    void TableUpdateData(RawTankTypeRow& r) override
    {
        r.name = in.Text(300);
        for (double* d : {&r.innerDiameter, &r.outerDiameter, &r.weightPerMetre, &r.endWeight, &r.stiffnessClass,
                          &r.classCode, &r.endAllowance, &r.minAnchorSpacing, &r.maxAnchorSpacing})
            *d = in.Take<double>();
    }

private:
    static int Index(int table) { return table >= 0 && table < 6 ? table : 0; }
    fuzz::Input& in;
    int rowsLeft[6] = {};
    bool failed = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    CDalvorApp app;
    app.extendedCatalogue = in.Take<uint8_t>() & 1;
    FuzzSource source(in);
    LoadReferenceTables(app.tables, app.extendedCatalogue, source, "fuzz");
    DumpReferenceTables(app.tables);
    // The defaults read the tables by row: whatever was loaded, they hold.
    app.ResetAllRecords();
    return 0;
}
