// Record defaults: the bytes a reset writes and those it must leave alone, the
// single-precision defaults as their widenings, the defaults derived from
// catalogue rows, missing rows, and reset records through the project file.

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "tests/core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Catalogue rows are built with designated initializers; the fields left out are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr unsigned char kFill = 0xA5;

struct Span {
    std::size_t offset;
    std::size_t size;
};
#define SPAN(Type, member) Span{offsetof(Type, member), sizeof(Type::member)}

// Every byte of the record outside the written spans still holds the fill.
template <typename T>
void ExpectOnlyWritten(const T& record, const std::vector<Span>& written)
{
    std::vector<bool> mayChange(sizeof(T), false);
    for (const Span& s : written)
        for (std::size_t i = 0; i < s.size; ++i)
            mayChange[s.offset + i] = true;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    int reported = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        if (!mayChange[i] && bytes[i] != kFill && reported++ < 5)
            ADD_FAILURE() << "byte " << i << " changed to " << int(bytes[i]);
}

// Every byte of each span still holds the fill.
template <typename T>
void ExpectFilled(const T& record, std::initializer_list<Span> spans)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (Span span : spans)
        for (std::size_t i = 0; i < span.size; ++i)
            ASSERT_EQ(bytes[span.offset + i], kFill) << "offset " << span.offset + i;
}

// The bytes a head reset writes ("-" and its terminator, and the terminators
// of the two empty texts; the rest of each text array keeps what it held),
// then the record's own.
template <typename T>
std::vector<Span> HeadWritesAnd(std::initializer_list<Span> more)
{
    std::vector<Span> spans = {{offsetof(T, head) + offsetof(RecordHead, name), 4},
                               {offsetof(T, head) + offsetof(RecordHead, resultValid), 4},
                               {offsetof(T, head) + offsetof(RecordHead, conclusion), 2},
                               {offsetof(T, head) + offsetof(RecordHead, warning), 2}};
    spans.insert(spans.end(), more);
    return spans;
}

void ExpectResetHead(const RecordHead& head)
{
    EXPECT_EQ(FromFixed(head.name), u"-");
    EXPECT_EQ(head.resultValid, 0);
    EXPECT_EQ(FromFixed(head.conclusion), u"");
    EXPECT_EQ(FromFixed(head.warning), u"");
}

SoilEntry Soil(const std::u16string& name)
{
    SoilEntry s{};
    CopyBounded(s.name, name);
    return s;
}

// Three soils (row 2 is the default backfill), one manhole type and one tank type.
void PutCatalogue(CDalvorApp& app)
{
    app.tables.soils = {Soil(u"Żwir"), Soil(u"Pospółka"), Soil(u"Piasek gruby")};

    app.tables.manholeTypes = {ManholeTypeEntry{.name = u"DN1000", .nominalDiameter = 1000.0, .outerDiameter = 1200.0,
                                         .maxPipeDiameter = 500.0, .sandTrapDepth = 300.0, .crownAllowance = 0.3,
                                         .weightPerMetre = 6.25, .minDepth = 1.5, .maxDepth = 6.0, .madeToOrder = 1}};
    app.tables.tankTypes = {TankTypeEntry{.name = u"Zbiornik 1200", .innerDiameter = 1200.0, .outerDiameter = 1250.0,
                                   .weightPerMetre = 3.5, .endWeight = 2.0, .endAllowance = 150.0,
                                   .stiffnessClass = 4.0, .minAnchorSpacing = 1.0, .maxAnchorSpacing = 2.5}};
}

void FillSoilRecords(CDalvorApp& app)
{
    FillBytes(app.working.buriedPipe, kFill);
    FillBytes(app.working.manhole, kFill);
    FillBytes(app.working.tank, kFill);
}

}  // namespace

TEST(RecordLayout, ResetRecordBytesAreLittleEndianAtTheirOffsets)
{
    auto app = std::make_unique<CDalvorApp>();
    app->ResetBuriedPipeRecord();
    const auto* b = reinterpret_cast<const unsigned char*>(&app->working.buriedPipe);
    const std::pair<std::size_t, std::vector<unsigned char>> expected[] = {
        {0, {0x2D, 0x00, 0x00, 0x00}},                          // the name "-"
        {1180, {0xFF, 0xFF, 0xFF, 0xFF}},                       // category -1
        {1192, {0, 0, 0, 0, 0, 0, 0x10, 0x40}},                 // ground level 4.0
        {1872, {0x00, 0x00, 0x00, 0x40, 0x33, 0x33, 0xEB, 0x3F}}  // 0.85f widened: 0x3FEB333340000000
    };
    for (const auto& [offset, want] : expected)
        EXPECT_EQ(std::vector<unsigned char>(b + offset, b + offset + want.size()), want) << offset;
}

TEST(GravityFlowRecordDefaults, ResetWritesInputsAndKeepsResultsCandidatesAndReservedBytes)
{
    auto app = std::make_unique<CDalvorApp>();
    GravityFlowRecord& r = app->working.gravityFlow;
    // Never calculated: the results are still the zeros the object started with.
    app->ResetGravityFlowRecord();
    ExpectFields({FIELD(r.flow, 0), FIELD(r.candidateCount, 0)});

    FillBytes(r, kFill);
    app->ResetGravityFlowRecord();
    ExpectResetHead(r.head);
    // Single-precision defaults are the widened floats, not the decimal doubles.
    ExpectFields({FIELD(r.roughness, 0.009999999776482582), FIELD(r.userRoughness, -0.009999999776482582),
                  FIELD(r.density, 999.70001220703125), FIELD(r.viscosity, 1.3100000160193304e-06),
                  FIELD(r.fillingInput, 0.6499999761581421), FIELD(r.categoryId, -1)});

    using G = GravityFlowRecord;
    ExpectOnlyWritten(
        r, HeadWritesAnd<G>({SPAN(G, madeToOrder), SPAN(G, mode), SPAN(G, categoryId), SPAN(G, typeId),
                             SPAN(G, nominalSize), SPAN(G, outerDiameter), SPAN(G, innerDiameter),
                             SPAN(G, roughness), SPAN(G, userRoughness), SPAN(G, length), SPAN(G, localLossShare),
                             SPAN(G, minSlopeSanitary), SPAN(G, minSlopeStorm), SPAN(G, startLevel),
                             SPAN(G, endLevel), SPAN(G, density), SPAN(G, viscosity), SPAN(G, slopeInput),
                             SPAN(G, fillingInput), SPAN(G, flowInput)}));
    ExpectFilled(r, {SPAN(G, flow), SPAN(G, slope), SPAN(G, filling), SPAN(G, candidates), SPAN(G, candidateCount),
                     SPAN(G, chosenCandidate), SPAN(G, reserved2)});
}

TEST(PressureFlowRecordDefaults, FreshRecordAndKeptFields)
{
    auto app = std::make_unique<CDalvorApp>();
    PressureFlowRecord& r = app->working.pressureFlow;
    FillBytes(r, kFill);
    app->ResetPressureFlowRecord();

    ExpectResetHead(r.head);
    ExpectFields({FIELD(r.roughness, 0.009999999776482582), FIELD(r.density, 999.70001220703125),
                  FIELD(r.viscosity, 1.3100000160193304e-06), FIELD(r.categoryId, -1)});

    using P = PressureFlowRecord;
    // Everything from madeToOrder up to the results, and the pressure range.
    ExpectOnlyWritten(r, HeadWritesAnd<P>({{offsetof(P, madeToOrder), offsetof(P, flow) - offsetof(P, madeToOrder)},
                                           {offsetof(P, startPressureMin),
                                            offsetof(P, candidates) - offsetof(P, startPressureMin)}}));
    // The results from offset 824 to 919, reserved bytes included, stay.
    ExpectFilled(r, {Span{824, 920 - 824}, SPAN(P, candidates), SPAN(P, candidateCount), SPAN(P, chosenCandidate)});
}

TEST(BuriedPipeRecordDefaults, ResetTakesSoilRowTwoAndKeepsReasonsCoversAndResults)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    BuriedPipeRecord& r = app->working.buriedPipe;
    FillBytes(r, kFill);
    app->ResetBuriedPipeRecord();

    ExpectResetHead(r.head);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
    // The cover is the ground above the invert.
    ExpectFields({FIELD(r.soilIndex, 2), FIELD(r.cover, r.groundLevel - r.invertLevel),
                  FIELD(r.stateDegree, 0.3499999940395355), FIELD(r.compactionIndex, 0.8500000238418579)});

    using B = BuriedPipeRecord;
    const std::size_t soilNameBytes = (std::u16string(u"Piasek gruby").size() + 1) * 2;
    ExpectOnlyWritten(
        r, HeadWritesAnd<B>({SPAN(B, madeToOrder), SPAN(B, enlargedDeflectionAvailable),
                             SPAN(B, reducedLoadCapacity), SPAN(B, categoryId), SPAN(B, typeId),
                             SPAN(B, trafficClass), SPAN(B, groundLevel), SPAN(B, waterLevel),
                             SPAN(B, foundationLevel), SPAN(B, invertLevel), SPAN(B, cover), SPAN(B, outerDiameter),
                             SPAN(B, innerDiameter), SPAN(B, nominalSize), SPAN(B, sizeRowValueA),
                             SPAN(B, sizeRowValueB), SPAN(B, ringStiffness), Span{offsetof(B, soilName), soilNameBytes},
                             SPAN(B, soilIndex), SPAN(B, unitWeight), SPAN(B, porosity), SPAN(B, frictionAngle),
                             SPAN(B, cohesion), SPAN(B, stateDegree), SPAN(B, secantModulus),
                             SPAN(B, compactionIndex), SPAN(B, pavingWidth), SPAN(B, pavingThickness),
                             SPAN(B, installationFactor), SPAN(B, beddingFactor), SPAN(B, allowedDeflection),
                             SPAN(B, enlargedAllowedDeflection), SPAN(B, deflectionLimit), SPAN(B, roadSurface),
                             SPAN(B, multiPipeTrench), SPAN(B, heavyConstructionTraffic), SPAN(B, heavyCompaction),
                             SPAN(B, permanentSupervision), SPAN(B, workmanshipQuality)}));
    ExpectFilled(r, {SPAN(B, secondReason), SPAN(B, thirdReason), SPAN(B, minCoverNoTraffic),
                     SPAN(B, minCoverTraffic), SPAN(B, sizeRowValueC), SPAN(B, reserved0), SPAN(B, loadDeflection),
                     SPAN(B, totalDeflection), SPAN(B, soilLoad), SPAN(B, trafficLoad), SPAN(B, totalLoad),
                     SPAN(B, admissibleLoad), SPAN(B, upliftForce), SPAN(B, anchoringForce)});
}

TEST(RecordDefaults, ResetAllRecordsResetsEveryKindAndSoilNamesStopAt254Units)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    const std::u16string name254(254, u'g');
    app->tables.soils[2] = Soil(name254);
    FillBytes(app->working.gravityFlow, kFill);
    FillBytes(app->working.pressureFlow, kFill);
    FillSoilRecords(*app);
    app->ResetAllRecords();
    ExpectFields({FIELD(app->working.gravityFlow.length, 100), FIELD(app->working.pressureFlow.velocityInput, 1),
                  FIELD(app->working.buriedPipe.beddingFactor, 2), FIELD(app->working.manhole.deadWeight, 25),
                  FIELD(app->working.tank.length, 4.420138888888889)});
    for (const RecordHead* head : {&app->working.gravityFlow.head, &app->working.pressureFlow.head, &app->working.buriedPipe.head,
                                   &app->working.manhole.head, &app->working.tank.head})
        ExpectResetHead(*head);
    for (const char16_t* field : {app->working.buriedPipe.soilName, app->working.manhole.soilName, app->working.tank.soilName})
        EXPECT_EQ(FromFixed(field, 256), name254);

    // A catalogue name filling its whole array, without a terminator: cut at
    // 254 units, and the field's last unit is never written.
    for (char16_t& c : app->tables.soils[2].name)
        c = u'h';
    FillSoilRecords(*app);
    app->ResetAllRecords();
    for (const char16_t* field : {app->working.buriedPipe.soilName, app->working.manhole.soilName, app->working.tank.soilName}) {
        EXPECT_EQ(std::u16string(field, 254), std::u16string(254, u'h'));
        EXPECT_EQ(field[254], u'\0');
        EXPECT_EQ(field[255], char16_t(0xA5A5));
    }
    ExpectFields({FIELD(app->working.buriedPipe.soilIndex, 2), FIELD(app->working.manhole.soilIndex, 2)});
}

TEST(ManholeRecordDefaults, ResetTakesTypeRowZeroAndKeepsSandTrapAndBase)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    ManholeRecord& r = app->working.manhole;
    FillBytes(r, kFill);
    r.sandTrap = 1;
    r.baseLevel = -0.15;
    app->ResetManholeRecord();

    ExpectResetHead(r.head);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
    // From type row 0: diameters divided by 1000 exactly, the weight of 4 m at 6.25 kN/m.
    ExpectFields({FIELD(r.minDepth, 1.5), FIELD(r.maxDepth, 6), FIELD(r.nominalDiameter, 1.0),
                  FIELD(r.outerDiameter, 1.2), FIELD(r.sandTrapDepth, 300), FIELD(r.deadWeight, 25.0),
                  FIELD(r.soilIndex, 2), FIELD(r.sandTrap, 1), FIELD(r.baseLevel, -0.15)});
    using M = ManholeRecord;
    // The soil name's units after its terminator are not written.
    ExpectFilled(r, {SPAN(M, reserved0), {offsetof(M, head) + offsetof(RecordHead, reserved0), 4},
                     {offsetof(M, soilName) + 13 * 2, sizeof(M::soilName) - 13 * 2}});
}

TEST(TankRecordDefaults, ResetTakesTypeRowZeroAndDerivedValues)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    TankRecord& r = app->working.tank;
    FillBytes(r, kFill);
    CopyBounded(r.head.name, u"T-001");
    r.head.resultValid = 1;
    r.stiffnessClass = 8.0;
    app->ResetTankRecord();

    ExpectResetHead(r.head);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
    EXPECT_EQ(FromFixed(r.tieMaterial), u"stal St0S");
    ExpectFields({
        FIELD(r.soilIndex, 2), FIELD(r.outerDiameter, 1250), FIELD(r.innerDiameter, 1200), FIELD(r.endAllowance, 150),
        FIELD(r.minAnchorSpacing, 1), FIELD(r.maxAnchorSpacing, 2.5),
        // PP = 0 - (1250 - 1200) x 0.0005f; a full tank: Pv = 1200 x 0.001f;
        // HP = 4 - PP - 1250 x 0.001f.
        FIELD(r.foundationLevel, -0.025000001187436283), FIELD(r.fillLevel, 1.2000000569969416),
        FIELD(r.coverDepth, 2.774999941815622),
        FIELD(r.length, 4.420138888888889),      // 6,365,000 / 1200^2 whatever the end allowance
        FIELD(r.ownWeight, 17.470486111111114),  // L x 3.5 + 2.0
        FIELD(r.stiffnessClass, 8),              // kept
    });
    using T = TankRecord;
    ExpectFilled(r, {SPAN(T, reserved0), SPAN(T, reserved1), SPAN(T, reserved2),
                     {offsetof(T, head) + offsetof(RecordHead, reserved0), 4}});

    // The length does not depend on the end allowance.
    app->tables.tankTypes[0].endAllowance = 400.0;
    app->ResetTankRecord();
    EXPECT_EQ(r.length, 4.420138888888889);
}

TEST(RecordDefaults, MissingCatalogueRowsGiveEmptyNamesAndZeros)
{
    auto app = std::make_unique<CDalvorApp>();
    FillSoilRecords(*app);
    app->ResetAllRecords();  // no tables at all

    for (const char16_t* field : {app->working.buriedPipe.soilName, app->working.manhole.soilName, app->working.tank.soilName})
        EXPECT_EQ(FromFixed(field, 256), u"");
    const ManholeRecord& m = app->working.manhole;
    const TankRecord& t = app->working.tank;
    ExpectFields({FIELD(app->working.buriedPipe.soilIndex, 2), FIELD(m.minDepth, 0), FIELD(m.maxDepth, 0),
                  FIELD(m.nominalDiameter, 0), FIELD(m.outerDiameter, 0), FIELD(m.sandTrapDepth, 0),
                  FIELD(m.deadWeight, 0), FIELD(m.pipeDiameter, 0.25), FIELD(t.innerDiameter, 0),
                  FIELD(t.outerDiameter, 0),
                  FIELD(t.length, 0),  // no division by a zero diameter
                  FIELD(t.ownWeight, 0), FIELD(t.foundationLevel, 0), FIELD(t.fillLevel, 0), FIELD(t.coverDepth, 4),
                  FIELD(t.minAnchorSpacing, 0), FIELD(t.maxAnchorSpacing, 0), FIELD(t.endAllowance, 0),
                  FIELD(t.capacity, 5)});
    EXPECT_FALSE(std::signbit(t.foundationLevel));

    // Tables without the rows the defaults take give no values from them.
    PutCatalogue(*app);
    app->tables.soils.resize(2);
    app->tables.manholeTypes.clear();
    app->tables.tankTypes.clear();
    app->ResetAllRecords();
    EXPECT_EQ(FromFixed(app->working.tank.soilName), u"");
    EXPECT_EQ(FromFixed(app->working.manhole.soilName), u"");
    ExpectFields({FIELD(app->working.manhole.nominalDiameter, 0), FIELD(app->working.tank.innerDiameter, 0),
                  FIELD(app->working.manhole.deadWeight, 0), FIELD(app->working.tank.length, 0)});

    // A tank type with no inner diameter gives no length rather than infinity.
    PutCatalogue(*app);
    app->tables.tankTypes[0].innerDiameter = 0.0;
    app->ResetTankRecord();
    ExpectFields({FIELD(app->working.tank.length, 0), FIELD(app->working.tank.ownWeight, 2)});
    EXPECT_TRUE(std::isfinite(app->working.tank.coverDepth));
}

TEST(RecordDefaults, ResetRecordsGoThroughTheProjectFileByteForByte)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    app->ResetAllRecords();
    for (int kind = 1; kind <= 5; ++kind)
        app->StoreCurrentCalc(kind, -1);
    const std::vector<uint8_t> bytes = app->WriteProject();
    auto other = std::make_unique<CDalvorApp>();
    ASSERT_EQ(other->ReadProject(bytes), ProjectReadError::None);
    // The same records after the header (a read project has no current entries).
    const std::vector<uint8_t> again = other->WriteProject();
    ASSERT_EQ(again.size(), bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin() + 40, bytes.end(), again.begin() + 40));
}
