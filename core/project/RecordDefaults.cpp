// Default values of the five working records.
//
// A reset writes only the fields that have a default: results, candidate
// lists, options the user keeps across a new project and all reserved bytes
// stay exactly as they were. Texts are bounded copies, so the units after a
// terminator are left alone as well.
//
// Some defaults come from catalogue rows (soil row 2, the first manhole type,
// the first tank type). When the catalogue lacks such a row the default takes
// an empty name and zeros, and no default divides by zero.

#include "core/project/RecordDefaults.h"

#include "core/base/Text.h"
#include "core/base/Millimetres.h"

#include <cmath>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

// Single-precision constants, kept as the widening of the float value.
constexpr double kRoughness = 0.01f;
constexpr double kNoUserRoughness = -0.01f;
constexpr double kWaterDensity = 999.7f;
constexpr double kWaterViscosity = 1.31e-6f;
constexpr double kFillingInput = 0.65f;
constexpr double kSoilStateDegree = 0.35f;
constexpr double kSecantModulus = 1.18f;
constexpr double kCompactionIndex = 0.85f;
constexpr double kSlabWidth = 0.6f;
constexpr double kSlabHeight = 0.3f;
// Millimetres to metres: the half wall (Dz - Dw) x 0.0005 and D x 0.001.
constexpr double kMmToM = 0.001f;

// Length (m) of a tank of inner diameter Dw (mm) that holds about 5 m3:
// 5 / (pi / 4 x (Dw / 1000)^2), end allowances not counted.
constexpr double kFiveCubicMetreLengthFactor = 6365000.0;

constexpr int kDefaultSoilRow = 2;
constexpr std::size_t kNameUnits = 63;       // name[64]
constexpr std::size_t kResultTextUnits = 127;  // conclusion[129], warning[129]
constexpr std::size_t kSoilNameUnits = 254;  // soilName[256]

// Row `index` of a catalogue table, or nullptr when the table does not hold it.
template <typename Row>
const Row* CatalogueRow(const std::vector<Row>& rows, int index)
{
    if (index < 0 || index >= RowCount(rows))
        return nullptr;
    return &rows[static_cast<std::size_t>(index)];
}

void ResetHead(RecordHead& head)
{
    head.resultValid = 0;
    CopyBounded(head.conclusion, u"", kResultTextUnits);
    CopyBounded(head.warning, u"", kResultTextUnits);
    CopyBounded(head.name, u"-", kNameUnits);
}

// Soil row 2's name, or an empty name when the soil table has fewer rows.
std::u16string_view DefaultSoilName(const CatalogueTables& tables)
{
    const SoilEntry* soil = CatalogueRow(tables.soils, kDefaultSoilRow);
    if (!soil)
        return {};
    return std::u16string_view(soil->name, BoundedLength(soil->name, std::size(soil->name)));
}

}  // namespace

void ResetGravityFlowRecord(GravityFlowRecord& r, const CatalogueTables&)
{
    ResetHead(r.head);
    r.roughness = kRoughness;
    r.userRoughness = kNoUserRoughness;
    r.madeToOrder = 0;
    r.length = 100.0;
    r.density = kWaterDensity;
    r.viscosity = kWaterViscosity;
    r.mode = 0;
    r.slopeInput = 1.0;
    r.fillingInput = kFillingInput;
    r.categoryId = -1;
    r.typeId = -1;
    r.nominalSize = 0.0;
    r.outerDiameter = 0.0;
    r.innerDiameter = 0.0;
    r.localLossShare = 0.0;
    r.minSlopeSanitary = 0.0;
    r.minSlopeStorm = 0.0;
    r.startLevel = 0.0;
    r.endLevel = 0.0;
    r.flowInput = 1.5;
}

void ResetPressureFlowRecord(PressureFlowRecord& r, const CatalogueTables&)
{
    ResetHead(r.head);
    r.roughness = kRoughness;
    r.userRoughness = kNoUserRoughness;
    r.madeToOrder = 0;
    r.length = 100.0;
    r.density = kWaterDensity;
    r.viscosity = kWaterViscosity;
    r.mode = 0;
    r.localLossMode = 0;
    r.categoryId = -1;
    r.typeId = -1;
    for (int32_t& count : r.bendCounts)
        count = 0;
    r.nominalSize = 0.0;
    r.outerDiameter = 0.0;
    r.innerDiameter = 0.0;
    r.nominalPressure = 0.0;
    r.startLevel = 0.0;
    r.endLevel = 0.0;
    r.otherLossCoefficient = 0.0;
    r.lossCoefficient = 0.0;
    r.localLossShare = 0.0;
    r.headLossInput = 1.0;
    r.flowInput = 1.5;
    r.velocityInput = 1.0;
    r.startPressureMin = 0.0;
    r.startPressureMax = 0.0;
    r.endPressureMin = 0.0;
    r.endPressureMax = 0.0;
}

void ResetBuriedPipeRecord(BuriedPipeRecord& r, const CatalogueTables& tables)
{
    ResetHead(r.head);
    r.groundLevel = 4.0;
    r.cover = 4.0;
    r.stateDegree = kSoilStateDegree;
    r.unitWeight = 17.5;
    r.porosity = 15.0;
    r.waterLevel = 2.0;
    r.frictionAngle = 30.0;
    r.madeToOrder = 0;
    r.enlargedDeflectionAvailable = 0;
    r.reducedLoadCapacity = 0;
    r.categoryId = -1;
    r.typeId = -1;
    r.trafficClass = 0;
    r.foundationLevel = 0.0;
    r.invertLevel = 0.0;
    r.soilIndex = kDefaultSoilRow;
    r.nominalSize = 0.0;
    r.outerDiameter = 0.0;
    r.innerDiameter = 0.0;
    r.sizeRowValueA = 0.0;
    r.sizeRowValueB = 0.0;
    r.ringStiffness = 0.0;
    r.allowedDeflection = 0.0;
    r.enlargedAllowedDeflection = 0.0;
    r.deflectionLimit = 0.0;
    r.cohesion = 0.0;
    r.secantModulus = kSecantModulus;
    r.compactionIndex = kCompactionIndex;
    CopyBounded(r.soilName, DefaultSoilName(tables), kSoilNameUnits);
    r.pavingWidth = 4.0;
    r.pavingThickness = 0.25;
    r.roadSurface = 0;
    r.multiPipeTrench = 0;
    r.installationFactor = 0.0;
    r.beddingFactor = 2.0;
    r.heavyCompaction = 0;
    r.permanentSupervision = 1;
    r.heavyConstructionTraffic = 0;
    r.workmanshipQuality = 0;
}

void ResetManholeRecord(ManholeRecord& r, const CatalogueTables& tables)
{
    // The first manhole type, or zeros when the table is empty.
    const ManholeTypeEntry* type = CatalogueRow(tables.manholeTypes, 0);
    const double minDepth = type ? type->minDepth : 0.0;
    const double maxDepth = type ? type->maxDepth : 0.0;
    const double dns = type ? type->nominalDiameter : 0.0;
    const double de = type ? type->outerDiameter : 0.0;
    const double sandTrapDepth = type ? type->sandTrapDepth : 0.0;
    const double weightPerMetre = type ? type->weightPerMetre : 0.0;

    ResetHead(r.head);
    r.reinforcedVersion = 0;
    r.eccentric = 0;
    r.madeToOrder = 0;
    // sandTrap stays as the user left it.
    r.typeIndex = 0;
    r.minDepth = minDepth;
    r.maxDepth = maxDepth;
    CopyBounded(r.soilName, DefaultSoilName(tables), kSoilNameUnits);
    r.soilIndex = kDefaultSoilRow;
    r.unitWeight = 17.5;
    r.porosity = 15.0;
    r.frictionAngle = 30.0;
    r.cohesion = 0.0;
    r.soilStateDegree = kSoilStateDegree;
    r.groundLevel = 4.0;
    r.waterLevel = 2.0;
    r.pipeBottomLevel = 0.0;
    // baseLevel keeps the last base-mode result.
    r.nominalDiameter = dns / 1000.0;
    r.outerDiameter = de / 1000.0;
    r.pipeDiameter = 0.25;
    r.height = 4.0;
    r.sandTrapDepth = sandTrapDepth;
    r.deadWeight = weightPerMetre * 4.0;
    r.upliftForce = 0.0;
    r.frictionForce = 0.0;
    r.anchoringForce = 0.0;
    r.ballastHeight = 0.0;
    r.ballastWeight = 0.0;
    r.ballastVolume = 0.0;
}

void ResetTankRecord(TankRecord& r, const CatalogueTables& tables)
{
    // The first tank type, or zeros when the table is empty.
    const TankTypeEntry* type = CatalogueRow(tables.tankTypes, 0);
    const double dw = type ? type->innerDiameter : 0.0;
    const double dz = type ? type->outerDiameter : 0.0;
    const double weightPerMetre = type ? type->weightPerMetre : 0.0;
    const double endWeight = type ? type->endWeight : 0.0;
    const double endAllowance = type ? type->endAllowance : 0.0;
    const double minAnchorSpacing = type ? type->minAnchorSpacing : 0.0;
    const double maxAnchorSpacing = type ? type->maxAnchorSpacing : 0.0;

    ResetHead(r.head);

    // Levels and plain numbers.
    r.selectionMode = 0;
    r.soilIndex = kDefaultSoilRow;
    r.unitWeight = 17.5;
    r.porosity = 15.0;
    r.frictionAngle = 30.0;
    r.cohesion = 0.0;
    r.soilStateDegree = kSoilStateDegree;
    r.groundLevel = 4.0;
    r.waterLevel = 2.0;
    r.tankBottomLevel = 0.0;
    r.tankTypeIndex = 0;
    r.capacity = 5.0;
    r.activeCapacity = 5.0;
    r.upliftForce = 0.0;
    r.anchorSpacing = 0.5;
    r.minAnchorCount = 2;
    r.maxAnchorCount = 10;
    r.soilWeight = 0.0;
    r.slabWidth = kSlabWidth;
    r.slabHeight = kSlabHeight;
    r.minSlabLength = 0.0;
    r.slabLength = 0.0;
    r.slabWeight = 0.0;
    r.slabVolume = 0.0;
    r.anchoringForce = 0.0;
    r.tieForce = 0.0;
    r.tieDesignStrength = 320.0;
    r.tieSection = 0.0;
    r.tieAngle = 90.0;
    r.anchorCount = 2;

    // The first tank type and what follows from it: a full tank resting on
    // its inner bottom at level 0, about 5 m3 long.
    r.outerDiameter = dz;
    r.innerDiameter = dw;
    r.endAllowance = endAllowance;
    r.minAnchorSpacing = minAnchorSpacing;
    r.maxAnchorSpacing = maxAnchorSpacing;
    r.foundationLevel = r.tankBottomLevel - (dz - dw) * kHalfMmToM;
    r.fillLevel = dw * kMmToM;
    r.coverDepth = r.groundLevel - r.foundationLevel - dz * kMmToM;
    const double dw2 = dw * dw;
    const double length = dw2 != 0.0 ? kFiveCubicMetreLengthFactor / dw2 : 0.0;
    r.length = std::isfinite(length) ? length : 0.0;
    r.ownWeight = r.length * weightPerMetre + endWeight;
    // stiffnessClass is copied only when the user picks a tank type.

    CopyBounded(r.soilName, DefaultSoilName(tables), kSoilNameUnits);
    CopyBounded(r.tieMaterial, u"stal St0S");
}
