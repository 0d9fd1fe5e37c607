// core/catalogue: the reference tables (pipes, soils, manholes, tanks), the
// source they are read from (the SQLite reader), their loading and the dump
// of them. It includes core/base.
//
// Rows of the six catalogue tables, as decoded from the reference database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SoilEntry {
    char16_t name[256];
    int soilGroup;               // 0 granular, above 0 cohesive
    double soilCoefficient[16];  // d0..d7, d9..d16 of the database row
};

struct PipeCategoryEntry {
    int id;
    char16_t name[256];
    int applicability;  // 0 gravity flow, 1 pressure flow, 2 both
};

struct PipeTypeEntry {
    int id;
    int categoryId;
    char16_t name[256];
    int applicability;
};

struct NominalSizeEntry {
    int id;
    int categoryId;
    int typeId;
    int classCode;
    double nominalSize;     // DN, mm
    double innerDiameter;   // Dw, mm
    double outerDiameter;   // Dz, mm
    double ringStiffness;   // kN/m2
    double sectionValueA;
    double sectionValueB;
    double allowedDeflection;          // %
    double enlargedAllowedDeflection;  // %
    double minCover;                   // always 0
    double sizeValueC;                 // always 0
    double roughness;                  // mm
    double ratingValue;                // nominal pressure, MPa
    int madeToOrder;
    int enlargedDeflectionAvailable;
    int reducedLoadCapacity;
};

struct ManholeTypeEntry {
    char16_t name[255];
    double nominalDiameter;  // Dns, mm
    double outerDiameter;    // De, mm
    double maxPipeDiameter;  // mm
    double sandTrapDepth;    // mm, 300 for every row
    double crownAllowance;   // m
    double weightPerMetre;   // kN/m
    double minDepth;         // m
    double maxDepth;         // m
    int reinforced;          // 0 for every row
    int eccentric;
    int madeToOrder;
};

struct TankTypeEntry {
    char16_t name[256];
    int classCode;
    double innerDiameter;   // mm
    double outerDiameter;   // mm
    double weightPerMetre;  // kN/m
    double endWeight;       // kN
    double reservedA;
    double reservedB;
    double endAllowance;    // mm
    double stiffnessClass;  // SN
    double reservedC;
    double reservedD;
    double minAnchorSpacing;  // m
    double maxAnchorSpacing;  // m
    int madeToOrder;
};

// Outcome of loading the tables from one database file. The window side turns
// it into a message in the user's language.
struct ReferenceLoadStatus {
    enum Error { Ok = 0, CannotOpen = 1, MissingTable = 2 };
    Error error = Ok;
    std::string file;   // the database path
    std::string table;  // for MissingTable: every table not read, in reading order, joined by ", "
};

// The rows a table holds, as the int that row indexes are kept in.
template <typename Row>
int RowCount(const std::vector<Row>& rows)
{
    return static_cast<int>(rows.size());
}

// The six tables as loaded from the language's database, in row order.
struct CatalogueTables {
    std::vector<SoilEntry> soils;
    std::vector<TankTypeEntry> tankTypes;
    std::vector<ManholeTypeEntry> manholeTypes;
    std::vector<NominalSizeEntry> nominalSizes;
    std::vector<PipeCategoryEntry> pipeCategories;
    std::vector<PipeTypeEntry> pipeTypes;
};
