// Record defaults: the values a reset writes, the fields and bytes it must
// leave alone, the defaults taken from catalogue rows, and missing rows.

#include "DalvorApp.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr unsigned char kFill = 0xA5;

struct Span {
    std::size_t offset;
    std::size_t size;
};
#define SPAN(Type, member) Span{offsetof(Type, member), sizeof(Type::member)}

template <typename T>
void Fill(T& record)
{
    std::memset(static_cast<void*>(&record), kFill, sizeof record);
}

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

template <typename T>
void ExpectFilled(const T& record, Span span)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    for (std::size_t i = 0; i < span.size; ++i)
        ASSERT_EQ(bytes[span.offset + i], kFill) << "offset " << span.offset + i;
}

// The bytes a head reset writes: "-" and its terminator, and the terminators
// of the two empty texts. The rest of each text array keeps what it held.
template <typename T>
std::vector<Span> HeadWrites()
{
    return {{offsetof(T, head) + offsetof(RecordHead, name), 4},
            {offsetof(T, head) + offsetof(RecordHead, resultValid), 4},
            {offsetof(T, head) + offsetof(RecordHead, conclusion), 2},
            {offsetof(T, head) + offsetof(RecordHead, warning), 2}};
}

void ExpectResetHead(const RecordHead& head)
{
    EXPECT_EQ(FromFixed(head.name), u"-");
    EXPECT_EQ(head.resultValid, 0);
    EXPECT_EQ(FromFixed(head.conclusion), u"");
    EXPECT_EQ(FromFixed(head.warning), u"");
}

template <std::size_t N>
void SetName(char16_t (&dst)[N], const std::u16string& text)
{
    std::fill(std::begin(dst), std::end(dst), u'\0');
    std::copy(text.begin(), text.end(), dst);
}

SoilEntry Soil(const std::u16string& name)
{
    SoilEntry s{};
    SetName(s.name, name);
    return s;
}

// Three soils (row 2 is the default backfill), one manhole type and one tank type.
void PutCatalogue(CDalvorApp& app)
{
    app.soils = {Soil(u"Żwir"), Soil(u"Pospółka"), Soil(u"Piasek gruby")};
    app.soilCount = 3;

    ManholeTypeEntry m{};
    SetName(m.name, u"DN1000");
    m.nominalDiameter = 1000.0;
    m.outerDiameter = 1200.0;
    m.maxPipeDiameter = 500.0;
    m.sandTrapDepth = 300.0;
    m.crownAllowance = 0.3;
    m.weightPerMetre = 6.25;
    m.minDepth = 1.5;
    m.maxDepth = 6.0;
    m.eccentric = 0;
    m.madeToOrder = 1;
    app.manholeTypes = {m};
    app.manholeTypeCount = 1;

    TankTypeEntry t{};
    SetName(t.name, u"Zbiornik 1200");
    t.innerDiameter = 1200.0;
    t.outerDiameter = 1250.0;
    t.weightPerMetre = 3.5;
    t.endWeight = 2.0;
    t.endAllowance = 150.0;
    t.stiffnessClass = 4.0;
    t.minAnchorSpacing = 1.0;
    t.maxAnchorSpacing = 2.5;
    app.tankTypes = {t};
    app.tankTypeCount = 1;
}

}  // namespace

TEST(RecordLayout, ResetRecordBytesAreLittleEndianAtTheirOffsets)
{
    auto app = std::make_unique<CDalvorApp>();
    app->ResetBuriedPipeRecord();
    const auto* b = reinterpret_cast<const unsigned char*>(&app->buriedPipe);
    const unsigned char dash[] = {0x2D, 0x00, 0x00, 0x00};
    const unsigned char four[] = {0, 0, 0, 0, 0, 0, 0x10, 0x40};
    const unsigned char minusOne[] = {0xFF, 0xFF, 0xFF, 0xFF};
    // 0.85f widened: 0x3FEB333340000000
    const unsigned char compaction[] = {0x00, 0x00, 0x00, 0x40, 0x33, 0x33, 0xEB, 0x3F};
    EXPECT_EQ(std::memcmp(b + 0, dash, 4), 0);
    EXPECT_EQ(std::memcmp(b + 1192, four, 8), 0);
    EXPECT_EQ(std::memcmp(b + 1180, minusOne, 4), 0);
    EXPECT_EQ(std::memcmp(b + 1872, compaction, 8), 0);
}

TEST(GravityFlowRecordDefaults, FreshRecord)
{
    auto app = std::make_unique<CDalvorApp>();
    app->ResetGravityFlowRecord();
    const GravityFlowRecord& r = app->gravityFlow;
    ExpectResetHead(r.head);
    EXPECT_EQ(r.mode, 0);
    EXPECT_EQ(r.madeToOrder, 0);
    EXPECT_EQ(r.categoryId, -1);
    EXPECT_EQ(r.typeId, -1);
    EXPECT_EQ(r.innerDiameter, 0.0);
    EXPECT_EQ(r.roughness, 0.009999999776482582);
    EXPECT_EQ(r.userRoughness, -0.009999999776482582);
    EXPECT_EQ(r.length, 100.0);
    EXPECT_EQ(r.density, 999.70001220703125);
    EXPECT_EQ(r.viscosity, 1.3100000160193304e-06);
    EXPECT_EQ(r.slopeInput, 1.0);
    EXPECT_EQ(r.fillingInput, 0.6499999761581421);
    EXPECT_EQ(r.flowInput, 1.5);
    // Never calculated: the results are still the zeros the object started with.
    EXPECT_EQ(r.flow, 0.0);
    EXPECT_EQ(r.candidateCount, 0);
}

TEST(GravityFlowRecordDefaults, ResetKeepsResultsCandidatesAndReservedBytes)
{
    auto app = std::make_unique<CDalvorApp>();
    GravityFlowRecord& r = app->gravityFlow;
    Fill(r);
    app->ResetGravityFlowRecord();

    using G = GravityFlowRecord;
    std::vector<Span> written = HeadWrites<G>();
    for (Span s : {SPAN(G, madeToOrder), SPAN(G, mode), SPAN(G, categoryId), SPAN(G, typeId),
                   SPAN(G, nominalSize), SPAN(G, outerDiameter), SPAN(G, innerDiameter),
                   SPAN(G, roughness), SPAN(G, userRoughness), SPAN(G, length),
                   SPAN(G, localLossShare), SPAN(G, minSlopeSanitary), SPAN(G, minSlopeStorm),
                   SPAN(G, startLevel), SPAN(G, endLevel), SPAN(G, density), SPAN(G, viscosity),
                   SPAN(G, slopeInput), SPAN(G, fillingInput), SPAN(G, flowInput)})
        written.push_back(s);
    ExpectOnlyWritten(r, written);
    ExpectFilled(r, SPAN(G, flow));
    ExpectFilled(r, SPAN(G, slope));
    ExpectFilled(r, SPAN(G, filling));
    ExpectFilled(r, SPAN(G, candidates));
    ExpectFilled(r, SPAN(G, candidateCount));
    ExpectFilled(r, SPAN(G, chosenCandidate));
    ExpectFilled(r, SPAN(G, reserved2));

    ExpectResetHead(r.head);
    EXPECT_EQ(r.localLossShare, 0.0);
    EXPECT_EQ(r.endLevel, 0.0);
    EXPECT_EQ(r.fillingInput, 0.6499999761581421);
}

TEST(PressureFlowRecordDefaults, FreshRecordAndKeptFields)
{
    auto app = std::make_unique<CDalvorApp>();
    PressureFlowRecord& r = app->pressureFlow;
    Fill(r);
    app->ResetPressureFlowRecord();

    ExpectResetHead(r.head);
    EXPECT_EQ(r.mode, 0);
    EXPECT_EQ(r.localLossMode, 0);
    EXPECT_EQ(r.categoryId, -1);
    EXPECT_EQ(r.typeId, -1);
    for (int32_t n : r.bendCounts)
        EXPECT_EQ(n, 0);
    EXPECT_EQ(r.roughness, 0.009999999776482582);
    EXPECT_EQ(r.userRoughness, -0.009999999776482582);
    EXPECT_EQ(r.length, 100.0);
    EXPECT_EQ(r.density, 999.70001220703125);
    EXPECT_EQ(r.viscosity, 1.3100000160193304e-06);
    EXPECT_EQ(r.headLossInput, 1.0);
    EXPECT_EQ(r.flowInput, 1.5);
    EXPECT_EQ(r.velocityInput, 1.0);
    EXPECT_EQ(r.nominalPressure, 0.0);
    EXPECT_EQ(r.startPressureMin, 0.0);
    EXPECT_EQ(r.startPressureMax, 0.0);
    EXPECT_EQ(r.endPressureMin, 0.0);
    EXPECT_EQ(r.endPressureMax, 0.0);

    using P = PressureFlowRecord;
    std::vector<Span> written = HeadWrites<P>();
    // Everything from madeToOrder up to the results, and the pressure range.
    written.push_back({offsetof(P, madeToOrder), offsetof(P, flow) - offsetof(P, madeToOrder)});
    written.push_back(
        {offsetof(P, startPressureMin), offsetof(P, candidates) - offsetof(P, startPressureMin)});
    ExpectOnlyWritten(r, written);
    // The results from offset 824 to 919, reserved bytes included, stay.
    ExpectFilled(r, Span{824, 920 - 824});
    ExpectFilled(r, SPAN(P, candidates));
    ExpectFilled(r, SPAN(P, candidateCount));
    ExpectFilled(r, SPAN(P, chosenCandidate));
}

TEST(BuriedPipeRecordDefaults, FreshRecordTakesSoilRowTwo)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    app->ResetBuriedPipeRecord();
    const BuriedPipeRecord& r = app->buriedPipe;
    ExpectResetHead(r.head);
    EXPECT_EQ(r.groundLevel, 4.0);
    EXPECT_EQ(r.waterLevel, 2.0);
    EXPECT_EQ(r.foundationLevel, 0.0);
    EXPECT_EQ(r.invertLevel, 0.0);
    EXPECT_EQ(r.cover, 4.0);
    EXPECT_EQ(r.categoryId, -1);
    EXPECT_EQ(r.typeId, -1);
    EXPECT_EQ(r.trafficClass, 0);
    EXPECT_EQ(r.soilIndex, 2);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
    EXPECT_EQ(r.unitWeight, 17.5);
    EXPECT_EQ(r.porosity, 15.0);
    EXPECT_EQ(r.frictionAngle, 30.0);
    EXPECT_EQ(r.cohesion, 0.0);
    EXPECT_EQ(r.stateDegree, 0.3499999940395355);
    EXPECT_EQ(r.secantModulus, 1.1799999475479126);
    EXPECT_EQ(r.compactionIndex, 0.8500000238418579);
    EXPECT_EQ(r.pavingWidth, 4.0);
    EXPECT_EQ(r.pavingThickness, 0.25);
    EXPECT_EQ(r.beddingFactor, 2.0);
    EXPECT_EQ(r.installationFactor, 0.0);
    EXPECT_EQ(r.permanentSupervision, 1);
    EXPECT_EQ(r.heavyCompaction, 0);
    EXPECT_EQ(r.heavyConstructionTraffic, 0);
    EXPECT_EQ(r.workmanshipQuality, 0);
}

TEST(BuriedPipeRecordDefaults, ResetKeepsReasonsCoversAndResults)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    BuriedPipeRecord& r = app->buriedPipe;
    Fill(r);
    app->ResetBuriedPipeRecord();

    using B = BuriedPipeRecord;
    const std::size_t soilNameBytes = (std::u16string(u"Piasek gruby").size() + 1) * 2;
    std::vector<Span> written = HeadWrites<B>();
    for (Span s : {SPAN(B, madeToOrder), SPAN(B, enlargedDeflectionAvailable),
                   SPAN(B, reducedLoadCapacity), SPAN(B, categoryId), SPAN(B, typeId),
                   SPAN(B, trafficClass), SPAN(B, groundLevel), SPAN(B, waterLevel),
                   SPAN(B, foundationLevel), SPAN(B, invertLevel), SPAN(B, cover),
                   SPAN(B, outerDiameter), SPAN(B, innerDiameter), SPAN(B, nominalSize),
                   SPAN(B, sizeRowValueA), SPAN(B, sizeRowValueB), SPAN(B, ringStiffness),
                   Span{offsetof(B, soilName), soilNameBytes}, SPAN(B, soilIndex),
                   SPAN(B, unitWeight), SPAN(B, porosity), SPAN(B, frictionAngle),
                   SPAN(B, cohesion), SPAN(B, stateDegree), SPAN(B, secantModulus),
                   SPAN(B, compactionIndex), SPAN(B, pavingWidth), SPAN(B, pavingThickness),
                   SPAN(B, installationFactor), SPAN(B, beddingFactor),
                   SPAN(B, allowedDeflection), SPAN(B, enlargedAllowedDeflection),
                   SPAN(B, deflectionLimit), SPAN(B, roadSurface), SPAN(B, multiPipeTrench),
                   SPAN(B, heavyConstructionTraffic), SPAN(B, heavyCompaction),
                   SPAN(B, permanentSupervision), SPAN(B, workmanshipQuality)})
        written.push_back(s);
    ExpectOnlyWritten(r, written);
    for (Span s : {SPAN(B, secondReason), SPAN(B, thirdReason), SPAN(B, minCoverNoTraffic),
                   SPAN(B, minCoverTraffic), SPAN(B, sizeRowValueC), SPAN(B, reserved0),
                   SPAN(B, loadDeflection), SPAN(B, totalDeflection), SPAN(B, soilLoad),
                   SPAN(B, trafficLoad), SPAN(B, totalLoad), SPAN(B, admissibleLoad),
                   SPAN(B, upliftForce), SPAN(B, anchoringForce)})
        ExpectFilled(r, s);
    EXPECT_EQ(r.head.resultValid, 0);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
}

TEST(BuriedPipeRecordDefaults, LongSoilNamesStopAt254Units)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    const std::u16string name254(254, u'g');
    app->soils[2] = Soil(name254);
    Fill(app->buriedPipe);
    Fill(app->manhole);
    Fill(app->tank);
    app->ResetAllRecords();
    EXPECT_EQ(FromFixed(app->buriedPipe.soilName), name254);
    EXPECT_EQ(FromFixed(app->manhole.soilName), name254);
    EXPECT_EQ(FromFixed(app->tank.soilName), name254);

    // A catalogue name filling its whole array, without a terminator: cut at
    // 254 units, and the field's last unit is never written.
    for (char16_t& c : app->soils[2].name)
        c = u'h';
    Fill(app->buriedPipe);
    Fill(app->manhole);
    Fill(app->tank);
    app->ResetAllRecords();
    for (const char16_t* field :
         {app->buriedPipe.soilName, app->manhole.soilName, app->tank.soilName}) {
        EXPECT_EQ(std::u16string(field, 254), std::u16string(254, u'h'));
        EXPECT_EQ(field[254], u'\0');
        EXPECT_EQ(field[255], char16_t(0xA5A5));
    }
    EXPECT_EQ(app->buriedPipe.soilIndex, 2);
    EXPECT_EQ(app->manhole.soilIndex, 2);
}

TEST(ManholeRecordDefaults, ResetTakesTypeRowZeroAndKeepsSandTrapAndBase)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    ManholeRecord& r = app->manhole;
    Fill(r);
    r.sandTrap = 1;
    r.baseLevel = -0.15;
    app->ResetManholeRecord();

    ExpectResetHead(r.head);
    EXPECT_EQ(r.reinforcedVersion, 0);
    EXPECT_EQ(r.eccentric, 0);
    EXPECT_EQ(r.madeToOrder, 0);
    EXPECT_EQ(r.typeIndex, 0);
    EXPECT_EQ(r.minDepth, 1.5);
    EXPECT_EQ(r.maxDepth, 6.0);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
    EXPECT_EQ(r.soilIndex, 2);
    EXPECT_EQ(r.unitWeight, 17.5);
    EXPECT_EQ(r.porosity, 15.0);
    EXPECT_EQ(r.frictionAngle, 30.0);
    EXPECT_EQ(r.cohesion, 0.0);
    EXPECT_EQ(r.soilStateDegree, 0.3499999940395355);
    EXPECT_EQ(r.groundLevel, 4.0);
    EXPECT_EQ(r.waterLevel, 2.0);
    EXPECT_EQ(r.pipeBottomLevel, 0.0);
    EXPECT_EQ(r.nominalDiameter, 1.0);  // divided by 1000 exactly
    EXPECT_EQ(r.outerDiameter, 1.2);
    EXPECT_EQ(r.pipeDiameter, 0.25);
    EXPECT_EQ(r.height, 4.0);
    EXPECT_EQ(r.sandTrapDepth, 300.0);
    EXPECT_EQ(r.deadWeight, 25.0);  // 4.0 x 6.25 kN/m
    EXPECT_EQ(r.upliftForce, 0.0);
    EXPECT_EQ(r.frictionForce, 0.0);
    EXPECT_EQ(r.anchoringForce, 0.0);
    EXPECT_EQ(r.ballastHeight, 0.0);
    EXPECT_EQ(r.ballastWeight, 0.0);
    EXPECT_EQ(r.ballastVolume, 0.0);

    EXPECT_EQ(r.sandTrap, 1);
    EXPECT_EQ(r.baseLevel, -0.15);
    using M = ManholeRecord;
    ExpectFilled(r, SPAN(M, reserved0));
    ExpectFilled(r, {offsetof(M, head) + offsetof(RecordHead, reserved0), 4});
    // The soil name's units after its terminator are not written.
    ExpectFilled(r, {offsetof(M, soilName) + 13 * 2, sizeof(M::soilName) - 13 * 2});
}

TEST(TankRecordDefaults, ResetTakesTypeRowZeroAndDerivedValues)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    TankRecord& r = app->tank;
    Fill(r);
    CopyBounded(r.head.name, u"T-001");
    r.head.resultValid = 1;
    r.stiffnessClass = 8.0;
    app->ResetTankRecord();

    ExpectResetHead(r.head);
    EXPECT_EQ(r.selectionMode, 0);
    EXPECT_EQ(FromFixed(r.soilName), u"Piasek gruby");
    EXPECT_EQ(r.soilIndex, 2);
    EXPECT_EQ(r.unitWeight, 17.5);
    EXPECT_EQ(r.porosity, 15.0);
    EXPECT_EQ(r.frictionAngle, 30.0);
    EXPECT_EQ(r.cohesion, 0.0);
    EXPECT_EQ(r.soilStateDegree, 0.3499999940395355);
    EXPECT_EQ(r.groundLevel, 4.0);
    EXPECT_EQ(r.waterLevel, 2.0);
    EXPECT_EQ(r.tankBottomLevel, 0.0);
    EXPECT_EQ(r.tankTypeIndex, 0);
    EXPECT_EQ(r.outerDiameter, 1250.0);
    EXPECT_EQ(r.innerDiameter, 1200.0);
    // PP = 0 - (1250 - 1200) x 0.0005f; a full tank: Pv = 1200 x 0.001f;
    // HP = 4 - PP - 1250 x 0.001f.
    EXPECT_EQ(r.foundationLevel, -0.025000001187436283);
    EXPECT_EQ(r.fillLevel, 1.2000000569969416);
    EXPECT_EQ(r.coverDepth, 2.774999941815622);
    // 6,365,000 / 1200^2 whatever the end allowance.
    EXPECT_EQ(r.length, 4.420138888888889);
    EXPECT_EQ(r.endAllowance, 150.0);
    EXPECT_EQ(r.ownWeight, 17.470486111111114);  // L x 3.5 + 2.0
    EXPECT_EQ(r.capacity, 5.0);
    EXPECT_EQ(r.activeCapacity, 5.0);
    EXPECT_EQ(r.upliftForce, 0.0);
    EXPECT_EQ(r.minAnchorSpacing, 1.0);
    EXPECT_EQ(r.maxAnchorSpacing, 2.5);
    EXPECT_EQ(r.anchorSpacing, 0.5);
    EXPECT_EQ(r.minAnchorCount, 2);
    EXPECT_EQ(r.maxAnchorCount, 10);
    EXPECT_EQ(r.soilWeight, 0.0);
    EXPECT_EQ(r.slabWidth, 0.6000000238418579);
    EXPECT_EQ(r.slabHeight, 0.30000001192092896);
    EXPECT_EQ(r.minSlabLength, 0.0);
    EXPECT_EQ(r.slabLength, 0.0);
    EXPECT_EQ(r.slabWeight, 0.0);
    EXPECT_EQ(r.slabVolume, 0.0);
    EXPECT_EQ(r.anchoringForce, 0.0);
    EXPECT_EQ(r.tieForce, 0.0);
    EXPECT_EQ(FromFixed(r.tieMaterial), u"stal St0S");
    EXPECT_EQ(r.tieDesignStrength, 320.0);
    EXPECT_EQ(r.tieSection, 0.0);
    EXPECT_EQ(r.tieAngle, 90.0);
    EXPECT_EQ(r.anchorCount, 2);

    EXPECT_EQ(r.stiffnessClass, 8.0);
    using T = TankRecord;
    ExpectFilled(r, SPAN(T, reserved0));
    ExpectFilled(r, SPAN(T, reserved1));
    ExpectFilled(r, SPAN(T, reserved2));
    ExpectFilled(r, {offsetof(T, head) + offsetof(RecordHead, reserved0), 4});

    // The length does not depend on the end allowance.
    app->tankTypes[0].endAllowance = 400.0;
    app->ResetTankRecord();
    EXPECT_EQ(r.length, 4.420138888888889);
}

TEST(RecordDefaults, MissingCatalogueRowsGiveEmptyNamesAndZeros)
{
    auto app = std::make_unique<CDalvorApp>();
    Fill(app->buriedPipe);
    Fill(app->manhole);
    Fill(app->tank);
    app->ResetAllRecords();  // no tables at all

    EXPECT_EQ(FromFixed(app->buriedPipe.soilName), u"");
    EXPECT_EQ(FromFixed(app->manhole.soilName), u"");
    EXPECT_EQ(FromFixed(app->tank.soilName), u"");
    EXPECT_EQ(app->buriedPipe.soilIndex, 2);

    const ManholeRecord& m = app->manhole;
    EXPECT_EQ(m.minDepth, 0.0);
    EXPECT_EQ(m.maxDepth, 0.0);
    EXPECT_EQ(m.nominalDiameter, 0.0);
    EXPECT_EQ(m.outerDiameter, 0.0);
    EXPECT_EQ(m.sandTrapDepth, 0.0);
    EXPECT_EQ(m.deadWeight, 0.0);
    EXPECT_EQ(m.pipeDiameter, 0.25);

    const TankRecord& t = app->tank;
    EXPECT_EQ(t.innerDiameter, 0.0);
    EXPECT_EQ(t.outerDiameter, 0.0);
    EXPECT_EQ(t.length, 0.0);  // no division by a zero diameter
    EXPECT_EQ(t.ownWeight, 0.0);
    EXPECT_EQ(t.foundationLevel, 0.0);
    EXPECT_FALSE(std::signbit(t.foundationLevel));
    EXPECT_EQ(t.fillLevel, 0.0);
    EXPECT_EQ(t.coverDepth, 4.0);
    EXPECT_EQ(t.minAnchorSpacing, 0.0);
    EXPECT_EQ(t.maxAnchorSpacing, 0.0);
    EXPECT_EQ(t.endAllowance, 0.0);
    EXPECT_EQ(t.capacity, 5.0);

    // Rows beyond the counts are not valid rows, and counts beyond the rows
    // held are not trusted either.
    PutCatalogue(*app);
    app->soilCount = 2;
    app->manholeTypeCount = 0;
    app->tankTypeCount = 0;
    app->ResetAllRecords();
    EXPECT_EQ(FromFixed(app->tank.soilName), u"");
    EXPECT_EQ(app->manhole.nominalDiameter, 0.0);
    EXPECT_EQ(app->tank.innerDiameter, 0.0);

    app->soils.resize(2);
    app->manholeTypes.clear();
    app->tankTypes.clear();
    app->soilCount = 3;
    app->manholeTypeCount = 1;
    app->tankTypeCount = 1;
    app->ResetAllRecords();
    EXPECT_EQ(FromFixed(app->manhole.soilName), u"");
    EXPECT_EQ(app->manhole.deadWeight, 0.0);
    EXPECT_EQ(app->tank.length, 0.0);

    // A tank type with no inner diameter gives no length rather than infinity.
    PutCatalogue(*app);
    app->tankTypes[0].innerDiameter = 0.0;
    app->ResetTankRecord();
    EXPECT_EQ(app->tank.length, 0.0);
    EXPECT_EQ(app->tank.ownWeight, 2.0);
    EXPECT_TRUE(std::isfinite(app->tank.coverDepth));
}

TEST(RecordDefaults, ResetAllRecordsResetsEveryKind)
{
    auto app = std::make_unique<CDalvorApp>();
    PutCatalogue(*app);
    Fill(app->gravityFlow);
    Fill(app->pressureFlow);
    Fill(app->buriedPipe);
    Fill(app->manhole);
    Fill(app->tank);
    app->ResetAllRecords();
    EXPECT_EQ(app->gravityFlow.length, 100.0);
    EXPECT_EQ(app->pressureFlow.velocityInput, 1.0);
    EXPECT_EQ(app->buriedPipe.beddingFactor, 2.0);
    EXPECT_EQ(app->manhole.deadWeight, 25.0);
    EXPECT_EQ(app->tank.length, 4.420138888888889);
    for (const RecordHead* head : {&app->gravityFlow.head, &app->pressureFlow.head,
                                   &app->buriedPipe.head, &app->manhole.head, &app->tank.head})
        ExpectResetHead(*head);
}
