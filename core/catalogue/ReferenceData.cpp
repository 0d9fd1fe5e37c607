// Loading the six reference tables from the reference database and decoding
// the catalogue's raw encodings: extended-catalogue rows, class codes,
// deflection codes, pressure ratings and manhole name suffixes.

#include "core/catalogue/ReferenceData.h"

#include "core/base/Text.h"
#include "core/catalogue/ReferenceSource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <type_traits>

namespace {

// Bar to MPa, the single-precision factor the catalogue's ratings were always
// scaled with.
constexpr double kBarToMPa = 0.1f;
// Every manhole type has a sand trap of this depth (mm).
constexpr double kSandTrapDepth = 300.0;
// Manhole names keep at most this many units.
constexpr std::size_t kManholeNameUnits = 254;
// The announced record count only sizes the first allocation; the rows
// actually read decide the table's length.
constexpr std::size_t kReserveLimit = 4096;

// Walks one table and keeps the rows that decode says to keep. The raw row is
// cleared once per table, as the exchange buffer was; every entry starts
// zero-filled, so nothing of a dropped row reaches the next one.
template <class Raw, class Entry, class Decode>
int ReadRows(ReferenceSource& source, int table, std::vector<Entry>& rows, Decode decode)
{
    rows.clear();
    int announced = source.TableRecordCount(table);
    if (announced > 0)
        rows.reserve(std::min<std::size_t>(static_cast<std::size_t>(announced), kReserveLimit));
    Raw raw{};
    source.TableMoveFirst(table);
    while (!source.TableIsEOF(table)) {
        source.TableUpdateData(raw);
        Entry entry{};
        if (decode(raw, entry))
            rows.push_back(entry);
        source.TableMoveNext(table);
    }
    // A read error is a failure of the whole table, never its end.
    if (source.TableFailed(table)) {
        std::vector<Entry>().swap(rows);
        return -1;
    }
    return static_cast<int>(rows.size());
}

// Applicability of categories and types: 100 or more marks an extended row,
// stored less 100 and kept only in the extended catalogue mode.
bool DecodeApplicability(int32_t code, int extendedCatalogue, int& applicability)
{
    if (code >= 100) {
        applicability = code - 100;
        return extendedCatalogue == 1;
    }
    applicability = code;
    return true;
}

// The common tail of the size and tank class codes: 100 or more marks an
// extended row; 10 to 19 a type made to order, of class code - 10.
bool DecodeClassCode(int code, int extendedCatalogue, int& classCode, int& madeToOrder)
{
    bool keep = true;
    if (code >= 100) {
        code -= 100;
        keep = extendedCatalogue == 1;
    }
    if (code >= 10 && code <= 19) {
        classCode = code - 10;
        madeToOrder = 1;
    } else {
        classCode = code;
        madeToOrder = 0;
    }
    return keep;
}

bool DecodeSoil(const RawSoilRow& raw, SoilEntry& e)
{
    CopyBounded(e.name, raw.name);
    e.soilGroup = raw.soilGroup;
    // d8 has no place in the entry: element 8 is d9, element 15 is d16.
    constexpr int kSkipped = 8;
    static_assert(std::extent_v<decltype(RawSoilRow::d)> == std::extent_v<decltype(SoilEntry::soilCoefficient)> + 1);
    for (int i = 0; i < static_cast<int>(std::size(e.soilCoefficient)); ++i)
        e.soilCoefficient[i] = raw.d[i < kSkipped ? i : i + 1];
    return true;
}

bool DecodeCategory(const RawPipeCategoryRow& raw, PipeCategoryEntry& e, int extendedCatalogue)
{
    e.id = raw.id;
    CopyBounded(e.name, raw.name);
    return DecodeApplicability(raw.applicability, extendedCatalogue, e.applicability);
}

bool DecodeType(const RawPipeTypeRow& raw, PipeTypeEntry& e, int extendedCatalogue)
{
    e.id = raw.id;
    e.categoryId = raw.categoryId;
    CopyBounded(e.name, raw.name);
    return DecodeApplicability(raw.applicability, extendedCatalogue, e.applicability);
}

bool DecodeNominalSize(const RawNominalSizeRow& raw, NominalSizeEntry& e, int extendedCatalogue)
{
    e.id = raw.id;
    e.categoryId = raw.categoryId;
    e.typeId = raw.typeId;
    int code = raw.classCode;
    e.reducedLoadCapacity = 0;
    if (code > 999) {
        e.reducedLoadCapacity = 1;
        code -= 1000;
    }
    bool keep = DecodeClassCode(code, extendedCatalogue, e.classCode, e.madeToOrder);

    e.nominalSize = raw.nominalSize;
    e.innerDiameter = raw.innerDiameter;
    e.outerDiameter = raw.outerDiameter;
    e.ringStiffness = raw.ringStiffness;
    e.sectionValueA = raw.sectionValueA;
    e.sectionValueB = raw.sectionValueB;

    // Deflection code "E.A": a whole number gives both limits; otherwise the
    // whole part is the enlarged limit and the tenths the allowed one.
    double x = raw.deflectionCode;
    double whole = std::floor(x);
    if (x == whole) {
        e.allowedDeflection = x;
        e.enlargedAllowedDeflection = x;
        e.enlargedDeflectionAvailable = 0;
    } else {
        e.enlargedAllowedDeflection = whole;
        e.allowedDeflection = (x - whole) * 10.0;
        e.enlargedDeflectionAvailable = 1;
    }
    e.minCover = 0.0;
    e.sizeValueC = 0.0;
    e.roughness = raw.roughness;
    e.ratingValue = raw.rating * kBarToMPa;
    return keep;
}

bool DecodeManholeType(const RawManholeTypeRow& raw, ManholeTypeEntry& e)
{
    std::u16string_view name(raw.name);
    name = name.substr(0, std::min(name.size(), kManholeNameUnits));
    e.eccentric = 0;
    e.madeToOrder = 0;
    std::size_t star = name.find(u'*');
    if (star != std::u16string_view::npos) {
        std::u16string_view flags = name.substr(star + 1, 2);
        if (flags.find(u'E') != std::u16string_view::npos)
            e.eccentric = 1;
        if (flags.find(u'D') != std::u16string_view::npos)
            e.madeToOrder = 1;
        name = name.substr(0, star);
    }
    CopyBounded(e.name, name, kManholeNameUnits);
    e.nominalDiameter = raw.nominalDiameter;
    e.outerDiameter = raw.outerDiameter;
    e.maxPipeDiameter = raw.maxPipeDiameter;
    e.sandTrapDepth = kSandTrapDepth;
    e.crownAllowance = raw.crownAllowance;
    e.weightPerMetre = raw.weightPerMetre;
    e.minDepth = raw.minDepth;
    e.maxDepth = raw.maxDepth;
    e.reinforced = 0;
    return true;
}

// The tank's class code is a real number, truncated toward zero; a value
// outside the int range is held at its end of the range.
int TruncateClassCode(double code)
{
    if (std::isnan(code))
        return 0;
    if (code <= -2147483648.0)
        return INT32_MIN;
    if (code >= 2147483647.0)
        return INT32_MAX;
    return static_cast<int>(code);
}

bool DecodeTankType(const RawTankTypeRow& raw, TankTypeEntry& e, int extendedCatalogue)
{
    CopyBounded(e.name, raw.name);
    int code = TruncateClassCode(raw.classCode);
    if (code >= 1000)
        code -= 1000;
    bool keep = DecodeClassCode(code, extendedCatalogue, e.classCode, e.madeToOrder);
    e.innerDiameter = raw.innerDiameter;
    e.outerDiameter = raw.outerDiameter;
    e.weightPerMetre = raw.weightPerMetre;
    e.endWeight = raw.endWeight;
    e.reservedA = 0.0;
    e.reservedB = 0.0;
    e.endAllowance = raw.endAllowance;
    e.stiffnessClass = raw.stiffnessClass;
    e.reservedC = 0.0;
    e.reservedD = 0.0;
    e.minAnchorSpacing = raw.minAnchorSpacing;
    e.maxAnchorSpacing = raw.maxAnchorSpacing;
    return keep;
}

}  // namespace

int LoadNominalSizeTable(ReferenceSource& source, int extendedCatalogue, std::vector<NominalSizeEntry>& rows)
{
    return ReadRows<RawNominalSizeRow>(source, kNominalSizeTable, rows,
                                       [extendedCatalogue](const RawNominalSizeRow& raw, NominalSizeEntry& e) {
                                           return DecodeNominalSize(raw, e, extendedCatalogue);
                                       });
}

int LoadTankTypeTable(ReferenceSource& source, int extendedCatalogue, std::vector<TankTypeEntry>& rows)
{
    return ReadRows<RawTankTypeRow>(source, kTankTypeTable, rows,
                                    [extendedCatalogue](const RawTankTypeRow& raw, TankTypeEntry& e) {
                                        return DecodeTankType(raw, e, extendedCatalogue);
                                    });
}

int LoadManholeTypeTable(ReferenceSource& source, std::vector<ManholeTypeEntry>& rows)
{
    return ReadRows<RawManholeTypeRow>(source, kManholeTypeTable, rows, DecodeManholeType);
}

ReferenceLoadStatus LoadReferenceTables(CatalogueTables& tables, int extendedCatalogue, ReferenceSource& source,
                                        const std::string& path)
{
    ReferenceLoadStatus status;
    status.file = path;
    FreeReferenceData(tables);
    if (!source.OpenDatabase(path)) {
        status.error = ReferenceLoadStatus::CannotOpen;
        return status;
    }
    // A missing or damaged table stays empty; every such table is reported.
    auto fail = [&](int table) {
        status.error = ReferenceLoadStatus::MissingTable;
        status.table += (status.table.empty() ? "" : ", ") + std::string(ReferenceTableName(table));
    };
    auto open = [&](int table) {
        if (source.TableOpen(table))
            return true;
        fail(table);
        return false;
    };
    auto check = [&](int table, int read) {
        if (read < 0)
            fail(table);
    };
    const int extended = extendedCatalogue;

    if (open(kSoilTable))
        check(kSoilTable, ReadRows<RawSoilRow>(source, kSoilTable, tables.soils, DecodeSoil));
    if (open(kTankTypeTable))
        check(kTankTypeTable, LoadTankTypeTable(source, extended, tables.tankTypes));
    if (open(kManholeTypeTable))
        check(kManholeTypeTable, LoadManholeTypeTable(source, tables.manholeTypes));
    if (open(kPipeCategoryTable))
        check(kPipeCategoryTable,
              ReadRows<RawPipeCategoryRow>(source, kPipeCategoryTable, tables.pipeCategories,
                                           [extended](const RawPipeCategoryRow& raw, PipeCategoryEntry& e) {
                                               return DecodeCategory(raw, e, extended);
                                           }));
    if (open(kPipeTypeTable))
        check(kPipeTypeTable, ReadRows<RawPipeTypeRow>(source, kPipeTypeTable, tables.pipeTypes,
                                                       [extended](const RawPipeTypeRow& raw, PipeTypeEntry& e) {
                                                           return DecodeType(raw, e, extended);
                                                       }));
    if (open(kNominalSizeTable))
        check(kNominalSizeTable, LoadNominalSizeTable(source, extended, tables.nominalSizes));
    source.CloseDatabase();

    return status;
}

ReferenceLoadStatus LoadReferenceData(CatalogueTables& tables, int extendedCatalogue, const std::string& path)
{
    SqliteReferenceSource source;
    return LoadReferenceTables(tables, extendedCatalogue, source, path);
}

void FreeReferenceData(CatalogueTables& tables)
{
    std::vector<SoilEntry>().swap(tables.soils);
    std::vector<TankTypeEntry>().swap(tables.tankTypes);
    std::vector<ManholeTypeEntry>().swap(tables.manholeTypes);
    std::vector<NominalSizeEntry>().swap(tables.nominalSizes);
    std::vector<PipeCategoryEntry>().swap(tables.pipeCategories);
    std::vector<PipeTypeEntry>().swap(tables.pipeTypes);
}
