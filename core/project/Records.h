// core/project: what a project holds and how it is kept: the five calculation
// records, their defaults, the kinds table, the stored records and their
// operations, the project file, the atomic file writes and the remembered
// printout titles. It includes core/base and the catalogue's tables, which
// the defaults read.
//
// Layouts of the five calculation records. A project file holds them byte for
// byte, so every field keeps its offset, width and type: only int32_t, double,
// UTF-16 arrays and explicit reserved bytes, never implicit padding. Reserved
// bytes are never read or written by the program; a record read from a file
// and written again is identical, reserved bytes included.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

static_assert(std::endian::native == std::endian::little,
              "records are stored little-endian, as they lie in memory");
static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8,
              "records hold IEEE 754 doubles");
static_assert(alignof(double) == 8 && alignof(int32_t) == 4 && sizeof(char16_t) == 2,
              "the layouts need doubles aligned to 8 and 32-bit integers to 4");

// The head with which every record begins: the calculation's name, whether the
// last calculation gave results, and its conclusion and warning. Texts are
// UTF-16, terminated inside the array; the calculations write at most 127
// units into conclusion and warning, never the last unit.
struct RecordHead {
    char16_t name[64];                              // 0
    uint8_t reserved0[4];                           // 128
    int32_t resultValid;                            // 132
    char16_t conclusion[129];                       // 136
    char16_t warning[129];                          // 394
};
static_assert(sizeof(RecordHead) == 652);
static_assert(offsetof(RecordHead, name) == 0);
static_assert(offsetof(RecordHead, reserved0) == 128);
static_assert(offsetof(RecordHead, resultValid) == 132);
static_assert(offsetof(RecordHead, conclusion) == 136);
static_assert(offsetof(RecordHead, warning) == 394);

// One candidate pipe size of the chosen category and type (mm, m3/s).
// capacity is written by the diameter mode; ratingValue is the nominal
// pressure (MPa) in pressure-flow lists and unused in gravity-flow lists.
struct DiameterCandidate {
    double innerDiameter;                           // 0
    double outerDiameter;                           // 8
    double nominalSize;                             // 16
    double roughness;                               // 24
    double capacity;                                // 32
    double ratingValue;                             // 40
    int32_t madeToOrder;                            // 48
    uint8_t reserved0[4];                           // 52
};
static_assert(sizeof(DiameterCandidate) == 56);
static_assert(offsetof(DiameterCandidate, innerDiameter) == 0);
static_assert(offsetof(DiameterCandidate, outerDiameter) == 8);
static_assert(offsetof(DiameterCandidate, nominalSize) == 16);
static_assert(offsetof(DiameterCandidate, roughness) == 24);
static_assert(offsetof(DiameterCandidate, capacity) == 32);
static_assert(offsetof(DiameterCandidate, ratingValue) == 40);
static_assert(offsetof(DiameterCandidate, madeToOrder) == 48);
static_assert(offsetof(DiameterCandidate, reserved0) == 52);

// One gravity-flow calculation. Diameters and roughness in mm, length and
// levels in m, slopes in per mille, flows in m3/s, density in kg/m3,
// viscosity in m2/s, filling as h/D.
struct GravityFlowRecord {
    RecordHead head;                                // 0
    int32_t madeToOrder;                            // 652
    int32_t mode;                                   // 656
    int32_t categoryId;                             // 660
    int32_t typeId;                                 // 664
    uint8_t reserved0[4];                           // 668
    double nominalSize;                             // 672
    double outerDiameter;                           // 680
    double innerDiameter;                           // 688
    double roughness;                               // 696
    double userRoughness;                           // 704
    double length;                                  // 712
    double localLossShare;                          // 720
    double minSlopeSanitary;                        // 728
    double minSlopeStorm;                           // 736
    double startLevel;                              // 744
    double endLevel;                                // 752
    double density;                                 // 760
    double viscosity;                               // 768
    double slopeInput;                              // 776
    double fillingInput;                            // 784
    double flowInput;                               // 792
    double flow;                                    // 800
    double slope;                                   // 808
    double localLossHead;                           // 816
    double frictionLossHead;                        // 824
    double filling;                                 // 832
    double flowArea;                                // 840
    double hydraulicRadius;                         // 848
    double velocity;                                // 856
    double reynolds;                                // 864
    double relativeRoughness;                       // 872
    double frictionFactor;                          // 880
    DiameterCandidate candidates[521];              // 888
    uint8_t reserved1[8];                           // 30064
    int32_t candidateCount;                         // 30072
    int32_t chosenCandidate;                        // 30076
    uint8_t reserved2[16];                          // 30080
};
static_assert(sizeof(GravityFlowRecord) == 30096);
static_assert(offsetof(GravityFlowRecord, head) == 0);
static_assert(offsetof(GravityFlowRecord, madeToOrder) == 652);
static_assert(offsetof(GravityFlowRecord, mode) == 656);
static_assert(offsetof(GravityFlowRecord, categoryId) == 660);
static_assert(offsetof(GravityFlowRecord, typeId) == 664);
static_assert(offsetof(GravityFlowRecord, reserved0) == 668);
static_assert(offsetof(GravityFlowRecord, nominalSize) == 672);
static_assert(offsetof(GravityFlowRecord, outerDiameter) == 680);
static_assert(offsetof(GravityFlowRecord, innerDiameter) == 688);
static_assert(offsetof(GravityFlowRecord, roughness) == 696);
static_assert(offsetof(GravityFlowRecord, userRoughness) == 704);
static_assert(offsetof(GravityFlowRecord, length) == 712);
static_assert(offsetof(GravityFlowRecord, localLossShare) == 720);
static_assert(offsetof(GravityFlowRecord, minSlopeSanitary) == 728);
static_assert(offsetof(GravityFlowRecord, minSlopeStorm) == 736);
static_assert(offsetof(GravityFlowRecord, startLevel) == 744);
static_assert(offsetof(GravityFlowRecord, endLevel) == 752);
static_assert(offsetof(GravityFlowRecord, density) == 760);
static_assert(offsetof(GravityFlowRecord, viscosity) == 768);
static_assert(offsetof(GravityFlowRecord, slopeInput) == 776);
static_assert(offsetof(GravityFlowRecord, fillingInput) == 784);
static_assert(offsetof(GravityFlowRecord, flowInput) == 792);
static_assert(offsetof(GravityFlowRecord, flow) == 800);
static_assert(offsetof(GravityFlowRecord, slope) == 808);
static_assert(offsetof(GravityFlowRecord, localLossHead) == 816);
static_assert(offsetof(GravityFlowRecord, frictionLossHead) == 824);
static_assert(offsetof(GravityFlowRecord, filling) == 832);
static_assert(offsetof(GravityFlowRecord, flowArea) == 840);
static_assert(offsetof(GravityFlowRecord, hydraulicRadius) == 848);
static_assert(offsetof(GravityFlowRecord, velocity) == 856);
static_assert(offsetof(GravityFlowRecord, reynolds) == 864);
static_assert(offsetof(GravityFlowRecord, relativeRoughness) == 872);
static_assert(offsetof(GravityFlowRecord, frictionFactor) == 880);
static_assert(offsetof(GravityFlowRecord, candidates) == 888);
static_assert(offsetof(GravityFlowRecord, reserved1) == 30064);
static_assert(offsetof(GravityFlowRecord, candidateCount) == 30072);
static_assert(offsetof(GravityFlowRecord, chosenCandidate) == 30076);
static_assert(offsetof(GravityFlowRecord, reserved2) == 30080);

// One pressure-pipe calculation. Diameters and roughness in mm, length,
// levels, heads and pressure heads in m (water column), nominal pressure in
// MPa, energy gradient in per mille, flows in m3/s, velocities in m/s.
struct PressureFlowRecord {
    RecordHead head;                                // 0
    int32_t madeToOrder;                            // 652
    int32_t mode;                                   // 656
    int32_t localLossMode;                          // 660
    int32_t categoryId;                             // 664
    int32_t typeId;                                 // 668
    int32_t bendCounts[4];                          // 672
    double nominalSize;                             // 688
    double outerDiameter;                           // 696
    double innerDiameter;                           // 704
    double nominalPressure;                         // 712
    double roughness;                               // 720
    double userRoughness;                           // 728
    double length;                                  // 736
    double startLevel;                              // 744
    double endLevel;                                // 752
    double otherLossCoefficient;                    // 760
    double lossCoefficient;                         // 768
    double localLossShare;                          // 776
    double density;                                 // 784
    double viscosity;                               // 792
    double headLossInput;                           // 800
    double flowInput;                               // 808
    double velocityInput;                           // 816
    double flow;                                    // 824
    double headLoss;                                // 832
    double localLossHead;                           // 840
    double frictionLossHead;                        // 848
    double energyGradient;                          // 856
    double energyHeadDifference;                    // 864
    uint8_t reserved0[16];                          // 872
    double velocity;                                // 888
    double reynolds;                                // 896
    double relativeRoughness;                       // 904
    double frictionFactor;                          // 912
    double startPressureMin;                        // 920
    double startPressureMax;                        // 928
    double endPressureMin;                          // 936
    double endPressureMax;                          // 944
    DiameterCandidate candidates[256];              // 952
    int32_t candidateCount;                         // 15288
    int32_t chosenCandidate;                        // 15292
};
static_assert(sizeof(PressureFlowRecord) == 15296);
static_assert(offsetof(PressureFlowRecord, head) == 0);
static_assert(offsetof(PressureFlowRecord, madeToOrder) == 652);
static_assert(offsetof(PressureFlowRecord, mode) == 656);
static_assert(offsetof(PressureFlowRecord, localLossMode) == 660);
static_assert(offsetof(PressureFlowRecord, categoryId) == 664);
static_assert(offsetof(PressureFlowRecord, typeId) == 668);
static_assert(offsetof(PressureFlowRecord, bendCounts) == 672);
static_assert(offsetof(PressureFlowRecord, nominalSize) == 688);
static_assert(offsetof(PressureFlowRecord, outerDiameter) == 696);
static_assert(offsetof(PressureFlowRecord, innerDiameter) == 704);
static_assert(offsetof(PressureFlowRecord, nominalPressure) == 712);
static_assert(offsetof(PressureFlowRecord, roughness) == 720);
static_assert(offsetof(PressureFlowRecord, userRoughness) == 728);
static_assert(offsetof(PressureFlowRecord, length) == 736);
static_assert(offsetof(PressureFlowRecord, startLevel) == 744);
static_assert(offsetof(PressureFlowRecord, endLevel) == 752);
static_assert(offsetof(PressureFlowRecord, otherLossCoefficient) == 760);
static_assert(offsetof(PressureFlowRecord, lossCoefficient) == 768);
static_assert(offsetof(PressureFlowRecord, localLossShare) == 776);
static_assert(offsetof(PressureFlowRecord, density) == 784);
static_assert(offsetof(PressureFlowRecord, viscosity) == 792);
static_assert(offsetof(PressureFlowRecord, headLossInput) == 800);
static_assert(offsetof(PressureFlowRecord, flowInput) == 808);
static_assert(offsetof(PressureFlowRecord, velocityInput) == 816);
static_assert(offsetof(PressureFlowRecord, flow) == 824);
static_assert(offsetof(PressureFlowRecord, headLoss) == 832);
static_assert(offsetof(PressureFlowRecord, localLossHead) == 840);
static_assert(offsetof(PressureFlowRecord, frictionLossHead) == 848);
static_assert(offsetof(PressureFlowRecord, energyGradient) == 856);
static_assert(offsetof(PressureFlowRecord, energyHeadDifference) == 864);
static_assert(offsetof(PressureFlowRecord, reserved0) == 872);
static_assert(offsetof(PressureFlowRecord, velocity) == 888);
static_assert(offsetof(PressureFlowRecord, reynolds) == 896);
static_assert(offsetof(PressureFlowRecord, relativeRoughness) == 904);
static_assert(offsetof(PressureFlowRecord, frictionFactor) == 912);
static_assert(offsetof(PressureFlowRecord, startPressureMin) == 920);
static_assert(offsetof(PressureFlowRecord, startPressureMax) == 928);
static_assert(offsetof(PressureFlowRecord, endPressureMin) == 936);
static_assert(offsetof(PressureFlowRecord, endPressureMax) == 944);
static_assert(offsetof(PressureFlowRecord, candidates) == 952);
static_assert(offsetof(PressureFlowRecord, candidateCount) == 15288);
static_assert(offsetof(PressureFlowRecord, chosenCandidate) == 15292);

// One structural check of a buried pipe. The head's warning holds the first
// reason of a failed check, secondReason and thirdReason the others (or the
// welded-joint hint of a passed one). Levels in m, diameters in mm,
// deflections in per cent, loads in kPa, forces in kN/m.
struct BuriedPipeRecord {
    RecordHead head;                                // 0
    char16_t secondReason[129];                     // 652
    char16_t thirdReason[129];                      // 910
    int32_t madeToOrder;                            // 1168
    int32_t enlargedDeflectionAvailable;            // 1172
    int32_t reducedLoadCapacity;                    // 1176
    int32_t categoryId;                             // 1180
    int32_t typeId;                                 // 1184
    int32_t trafficClass;                           // 1188
    double groundLevel;                             // 1192
    double waterLevel;                              // 1200
    double foundationLevel;                         // 1208
    double invertLevel;                             // 1216
    double cover;                                   // 1224
    double minCoverNoTraffic;                       // 1232
    double minCoverTraffic;                         // 1240
    double sizeRowValueC;                           // 1248
    double outerDiameter;                           // 1256
    double innerDiameter;                           // 1264
    double nominalSize;                             // 1272
    double sizeRowValueA;                           // 1280
    double sizeRowValueB;                           // 1288
    double ringStiffness;                           // 1296
    char16_t soilName[256];                         // 1304
    int32_t soilIndex;                              // 1816
    uint8_t reserved0[4];                           // 1820
    double unitWeight;                              // 1824
    double porosity;                                // 1832
    double frictionAngle;                           // 1840
    double cohesion;                                // 1848
    double stateDegree;                             // 1856
    double secantModulus;                           // 1864
    double compactionIndex;                         // 1872
    double pavingWidth;                             // 1880
    double pavingThickness;                         // 1888
    double installationFactor;                      // 1896
    double beddingFactor;                           // 1904
    double loadDeflection;                          // 1912
    double totalDeflection;                         // 1920
    double allowedDeflection;                       // 1928
    double enlargedAllowedDeflection;               // 1936
    double deflectionLimit;                         // 1944
    int32_t roadSurface;                            // 1952
    int32_t multiPipeTrench;                        // 1956
    int32_t heavyConstructionTraffic;               // 1960
    int32_t heavyCompaction;                        // 1964
    int32_t permanentSupervision;                   // 1968
    int32_t workmanshipQuality;                     // 1972
    double soilLoad;                                // 1976
    double trafficLoad;                             // 1984
    double totalLoad;                               // 1992
    double admissibleLoad;                          // 2000
    double upliftForce;                             // 2008
    double anchoringForce;                          // 2016
};
static_assert(sizeof(BuriedPipeRecord) == 2024);
static_assert(offsetof(BuriedPipeRecord, head) == 0);
static_assert(offsetof(BuriedPipeRecord, secondReason) == 652);
static_assert(offsetof(BuriedPipeRecord, thirdReason) == 910);
static_assert(offsetof(BuriedPipeRecord, madeToOrder) == 1168);
static_assert(offsetof(BuriedPipeRecord, enlargedDeflectionAvailable) == 1172);
static_assert(offsetof(BuriedPipeRecord, reducedLoadCapacity) == 1176);
static_assert(offsetof(BuriedPipeRecord, categoryId) == 1180);
static_assert(offsetof(BuriedPipeRecord, typeId) == 1184);
static_assert(offsetof(BuriedPipeRecord, trafficClass) == 1188);
static_assert(offsetof(BuriedPipeRecord, groundLevel) == 1192);
static_assert(offsetof(BuriedPipeRecord, waterLevel) == 1200);
static_assert(offsetof(BuriedPipeRecord, foundationLevel) == 1208);
static_assert(offsetof(BuriedPipeRecord, invertLevel) == 1216);
static_assert(offsetof(BuriedPipeRecord, cover) == 1224);
static_assert(offsetof(BuriedPipeRecord, minCoverNoTraffic) == 1232);
static_assert(offsetof(BuriedPipeRecord, minCoverTraffic) == 1240);
static_assert(offsetof(BuriedPipeRecord, sizeRowValueC) == 1248);
static_assert(offsetof(BuriedPipeRecord, outerDiameter) == 1256);
static_assert(offsetof(BuriedPipeRecord, innerDiameter) == 1264);
static_assert(offsetof(BuriedPipeRecord, nominalSize) == 1272);
static_assert(offsetof(BuriedPipeRecord, sizeRowValueA) == 1280);
static_assert(offsetof(BuriedPipeRecord, sizeRowValueB) == 1288);
static_assert(offsetof(BuriedPipeRecord, ringStiffness) == 1296);
static_assert(offsetof(BuriedPipeRecord, soilName) == 1304);
static_assert(offsetof(BuriedPipeRecord, soilIndex) == 1816);
static_assert(offsetof(BuriedPipeRecord, reserved0) == 1820);
static_assert(offsetof(BuriedPipeRecord, unitWeight) == 1824);
static_assert(offsetof(BuriedPipeRecord, porosity) == 1832);
static_assert(offsetof(BuriedPipeRecord, frictionAngle) == 1840);
static_assert(offsetof(BuriedPipeRecord, cohesion) == 1848);
static_assert(offsetof(BuriedPipeRecord, stateDegree) == 1856);
static_assert(offsetof(BuriedPipeRecord, secantModulus) == 1864);
static_assert(offsetof(BuriedPipeRecord, compactionIndex) == 1872);
static_assert(offsetof(BuriedPipeRecord, pavingWidth) == 1880);
static_assert(offsetof(BuriedPipeRecord, pavingThickness) == 1888);
static_assert(offsetof(BuriedPipeRecord, installationFactor) == 1896);
static_assert(offsetof(BuriedPipeRecord, beddingFactor) == 1904);
static_assert(offsetof(BuriedPipeRecord, loadDeflection) == 1912);
static_assert(offsetof(BuriedPipeRecord, totalDeflection) == 1920);
static_assert(offsetof(BuriedPipeRecord, allowedDeflection) == 1928);
static_assert(offsetof(BuriedPipeRecord, enlargedAllowedDeflection) == 1936);
static_assert(offsetof(BuriedPipeRecord, deflectionLimit) == 1944);
static_assert(offsetof(BuriedPipeRecord, roadSurface) == 1952);
static_assert(offsetof(BuriedPipeRecord, multiPipeTrench) == 1956);
static_assert(offsetof(BuriedPipeRecord, heavyConstructionTraffic) == 1960);
static_assert(offsetof(BuriedPipeRecord, heavyCompaction) == 1964);
static_assert(offsetof(BuriedPipeRecord, permanentSupervision) == 1968);
static_assert(offsetof(BuriedPipeRecord, workmanshipQuality) == 1972);
static_assert(offsetof(BuriedPipeRecord, soilLoad) == 1976);
static_assert(offsetof(BuriedPipeRecord, trafficLoad) == 1984);
static_assert(offsetof(BuriedPipeRecord, totalLoad) == 1992);
static_assert(offsetof(BuriedPipeRecord, admissibleLoad) == 2000);
static_assert(offsetof(BuriedPipeRecord, upliftForce) == 2008);
static_assert(offsetof(BuriedPipeRecord, anchoringForce) == 2016);

// One uplift check of a manhole. Levels and diameters in m, the sand-trap
// depth alone in mm, forces and weights in kN, volumes in m3.
struct ManholeRecord {
    RecordHead head;                                // 0
    int32_t reinforcedVersion;                      // 652
    int32_t eccentric;                              // 656
    int32_t madeToOrder;                            // 660
    int32_t sandTrap;                               // 664
    int32_t typeIndex;                              // 668
    double minDepth;                                // 672
    double maxDepth;                                // 680
    char16_t soilName[256];                         // 688
    int32_t soilIndex;                              // 1200
    uint8_t reserved0[4];                           // 1204
    double unitWeight;                              // 1208
    double porosity;                                // 1216
    double frictionAngle;                           // 1224
    double cohesion;                                // 1232
    double soilStateDegree;                         // 1240
    double groundLevel;                             // 1248
    double waterLevel;                              // 1256
    double pipeBottomLevel;                         // 1264
    double baseLevel;                               // 1272
    double nominalDiameter;                         // 1280
    double outerDiameter;                           // 1288
    double pipeDiameter;                            // 1296
    double height;                                  // 1304
    double sandTrapDepth;                           // 1312
    double deadWeight;                              // 1320
    double upliftForce;                             // 1328
    double frictionForce;                           // 1336
    double anchoringForce;                          // 1344
    double ballastHeight;                           // 1352
    double ballastWeight;                           // 1360
    double ballastVolume;                           // 1368
};
static_assert(sizeof(ManholeRecord) == 1376);
static_assert(offsetof(ManholeRecord, head) == 0);
static_assert(offsetof(ManholeRecord, reinforcedVersion) == 652);
static_assert(offsetof(ManholeRecord, eccentric) == 656);
static_assert(offsetof(ManholeRecord, madeToOrder) == 660);
static_assert(offsetof(ManholeRecord, sandTrap) == 664);
static_assert(offsetof(ManholeRecord, typeIndex) == 668);
static_assert(offsetof(ManholeRecord, minDepth) == 672);
static_assert(offsetof(ManholeRecord, maxDepth) == 680);
static_assert(offsetof(ManholeRecord, soilName) == 688);
static_assert(offsetof(ManholeRecord, soilIndex) == 1200);
static_assert(offsetof(ManholeRecord, reserved0) == 1204);
static_assert(offsetof(ManholeRecord, unitWeight) == 1208);
static_assert(offsetof(ManholeRecord, porosity) == 1216);
static_assert(offsetof(ManholeRecord, frictionAngle) == 1224);
static_assert(offsetof(ManholeRecord, cohesion) == 1232);
static_assert(offsetof(ManholeRecord, soilStateDegree) == 1240);
static_assert(offsetof(ManholeRecord, groundLevel) == 1248);
static_assert(offsetof(ManholeRecord, waterLevel) == 1256);
static_assert(offsetof(ManholeRecord, pipeBottomLevel) == 1264);
static_assert(offsetof(ManholeRecord, baseLevel) == 1272);
static_assert(offsetof(ManholeRecord, nominalDiameter) == 1280);
static_assert(offsetof(ManholeRecord, outerDiameter) == 1288);
static_assert(offsetof(ManholeRecord, pipeDiameter) == 1296);
static_assert(offsetof(ManholeRecord, height) == 1304);
static_assert(offsetof(ManholeRecord, sandTrapDepth) == 1312);
static_assert(offsetof(ManholeRecord, deadWeight) == 1320);
static_assert(offsetof(ManholeRecord, upliftForce) == 1328);
static_assert(offsetof(ManholeRecord, frictionForce) == 1336);
static_assert(offsetof(ManholeRecord, anchoringForce) == 1344);
static_assert(offsetof(ManholeRecord, ballastHeight) == 1352);
static_assert(offsetof(ManholeRecord, ballastWeight) == 1360);
static_assert(offsetof(ManholeRecord, ballastVolume) == 1368);

// One uplift and anchoring check of a horizontal underground tank. Levels and
// lengths in m, diameters and the end allowance in mm, forces in kN.
struct TankRecord {
    RecordHead head;                                // 0
    int32_t selectionMode;                          // 652
    char16_t soilName[256];                         // 656
    int32_t soilIndex;                              // 1168
    uint8_t reserved0[4];                           // 1172
    double unitWeight;                              // 1176
    double porosity;                                // 1184
    double frictionAngle;                           // 1192
    double cohesion;                                // 1200
    double soilStateDegree;                         // 1208
    double groundLevel;                             // 1216
    double waterLevel;                              // 1224
    double tankBottomLevel;                         // 1232
    double foundationLevel;                         // 1240
    double fillLevel;                               // 1248
    double coverDepth;                              // 1256
    int32_t tankTypeIndex;                          // 1264
    uint8_t reserved1[4];                           // 1268
    double outerDiameter;                           // 1272
    double innerDiameter;                           // 1280
    double stiffnessClass;                          // 1288
    double capacity;                                // 1296
    double activeCapacity;                          // 1304
    double length;                                  // 1312
    double endAllowance;                            // 1320
    double ownWeight;                               // 1328
    double upliftForce;                             // 1336
    double minAnchorSpacing;                        // 1344
    double maxAnchorSpacing;                        // 1352
    double anchorSpacing;                           // 1360
    int32_t minAnchorCount;                         // 1368
    int32_t maxAnchorCount;                         // 1372
    double soilWeight;                              // 1376
    double slabWidth;                               // 1384
    double slabHeight;                              // 1392
    double minSlabLength;                           // 1400
    double slabLength;                              // 1408
    double slabWeight;                              // 1416
    double slabVolume;                              // 1424
    double anchoringForce;                          // 1432
    double tieForce;                                // 1440
    char16_t tieMaterial[256];                      // 1448
    double tieDesignStrength;                       // 1960
    double tieSection;                              // 1968
    double tieAngle;                                // 1976
    int32_t anchorCount;                            // 1984
    uint8_t reserved2[4];                           // 1988
};
static_assert(sizeof(TankRecord) == 1992);
static_assert(offsetof(TankRecord, head) == 0);
static_assert(offsetof(TankRecord, selectionMode) == 652);
static_assert(offsetof(TankRecord, soilName) == 656);
static_assert(offsetof(TankRecord, soilIndex) == 1168);
static_assert(offsetof(TankRecord, reserved0) == 1172);
static_assert(offsetof(TankRecord, unitWeight) == 1176);
static_assert(offsetof(TankRecord, porosity) == 1184);
static_assert(offsetof(TankRecord, frictionAngle) == 1192);
static_assert(offsetof(TankRecord, cohesion) == 1200);
static_assert(offsetof(TankRecord, soilStateDegree) == 1208);
static_assert(offsetof(TankRecord, groundLevel) == 1216);
static_assert(offsetof(TankRecord, waterLevel) == 1224);
static_assert(offsetof(TankRecord, tankBottomLevel) == 1232);
static_assert(offsetof(TankRecord, foundationLevel) == 1240);
static_assert(offsetof(TankRecord, fillLevel) == 1248);
static_assert(offsetof(TankRecord, coverDepth) == 1256);
static_assert(offsetof(TankRecord, tankTypeIndex) == 1264);
static_assert(offsetof(TankRecord, reserved1) == 1268);
static_assert(offsetof(TankRecord, outerDiameter) == 1272);
static_assert(offsetof(TankRecord, innerDiameter) == 1280);
static_assert(offsetof(TankRecord, stiffnessClass) == 1288);
static_assert(offsetof(TankRecord, capacity) == 1296);
static_assert(offsetof(TankRecord, activeCapacity) == 1304);
static_assert(offsetof(TankRecord, length) == 1312);
static_assert(offsetof(TankRecord, endAllowance) == 1320);
static_assert(offsetof(TankRecord, ownWeight) == 1328);
static_assert(offsetof(TankRecord, upliftForce) == 1336);
static_assert(offsetof(TankRecord, minAnchorSpacing) == 1344);
static_assert(offsetof(TankRecord, maxAnchorSpacing) == 1352);
static_assert(offsetof(TankRecord, anchorSpacing) == 1360);
static_assert(offsetof(TankRecord, minAnchorCount) == 1368);
static_assert(offsetof(TankRecord, maxAnchorCount) == 1372);
static_assert(offsetof(TankRecord, soilWeight) == 1376);
static_assert(offsetof(TankRecord, slabWidth) == 1384);
static_assert(offsetof(TankRecord, slabHeight) == 1392);
static_assert(offsetof(TankRecord, minSlabLength) == 1400);
static_assert(offsetof(TankRecord, slabLength) == 1408);
static_assert(offsetof(TankRecord, slabWeight) == 1416);
static_assert(offsetof(TankRecord, slabVolume) == 1424);
static_assert(offsetof(TankRecord, anchoringForce) == 1432);
static_assert(offsetof(TankRecord, tieForce) == 1440);
static_assert(offsetof(TankRecord, tieMaterial) == 1448);
static_assert(offsetof(TankRecord, tieDesignStrength) == 1960);
static_assert(offsetof(TankRecord, tieSection) == 1968);
static_assert(offsetof(TankRecord, tieAngle) == 1976);
static_assert(offsetof(TankRecord, anchorCount) == 1984);
static_assert(offsetof(TankRecord, reserved2) == 1988);


// Records are copied, stored and written as raw bytes.
#define DALVOR_RAW_RECORD(T)                                                                 \
    static_assert(std::is_trivially_copyable_v<T>, #T " is copied as raw bytes");            \
    static_assert(std::is_standard_layout_v<T>, #T " needs a standard layout");              \
    static_assert(std::is_trivially_default_constructible_v<T>, #T " starts as plain bytes")
DALVOR_RAW_RECORD(RecordHead);
DALVOR_RAW_RECORD(DiameterCandidate);
DALVOR_RAW_RECORD(GravityFlowRecord);
DALVOR_RAW_RECORD(PressureFlowRecord);
DALVOR_RAW_RECORD(BuriedPipeRecord);
DALVOR_RAW_RECORD(ManholeRecord);
DALVOR_RAW_RECORD(TankRecord);
#undef DALVOR_RAW_RECORD
