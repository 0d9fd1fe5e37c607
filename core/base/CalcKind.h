// Calculation kinds, the table of what belongs to each, and the orders in
// which the program lists them.
#pragma once

enum CalcKind : int {
    KindNone = -1,
    KindTank = 1,
    KindManhole = 2,
    KindBuriedPipe = 3,
    KindGravityFlow = 4,
    KindPressureFlow = 5,
};

// The project keeps one array per kind, in the order gravity flow, pressure
// flow, buried pipe, manhole, tank.
enum KindArray : int {
    ArrayGravityFlow = 0,
    ArrayPressureFlow = 1,
    ArrayBuriedPipe = 2,
    ArrayManhole = 3,
    ArrayTank = 4,
    KindArrayCount = 5,
};

// What the program keeps for each kind, in array order: the kind, its
// project array, the name prefix of a stored calculation named "-", the key of
// the calculator's caption (the dialog's title) and the file name of its manual.
struct CalcKindInfo {
    int kind;
    int array;
    const char* namePrefix;
    int dialogId;
    const char* manual;
};

inline constexpr CalcKindInfo kCalcKinds[KindArrayCount] = {
    {KindGravityFlow, ArrayGravityFlow, "GP-", 110, "gravityflow.pdf"},
    {KindPressureFlow, ArrayPressureFlow, "PP-", 111, "pressureflow.pdf"},
    {KindBuriedPipe, ArrayBuriedPipe, "UP-", 112, "pipe.pdf"},
    {KindManhole, ArrayManhole, "M-", 108, "manhole.pdf"},
    {KindTank, ArrayTank, "UT-", 109, "reservoir.pdf"},
};

// The kind's entry, or nullptr for anything that is not a kind.
constexpr const CalcKindInfo* FindCalcKind(int kind)
{
    for (const CalcKindInfo& info : kCalcKinds)
        if (info.kind == kind)
            return &info;
    return nullptr;
}

// Array index of a kind, or -1 for anything that is not a kind.
constexpr int KindToArrayIndex(int kind)
{
    const CalcKindInfo* info = FindCalcKind(kind);
    return info ? info->array : -1;
}

constexpr int ArrayIndexToKind(int arrayIndex)
{
    return arrayIndex >= 0 && arrayIndex < KindArrayCount ? kCalcKinds[arrayIndex].kind : KindNone;
}

// The project file lists the kinds pressure flow, gravity flow, buried pipe,
// manhole, tank; these are their array indexes in file order.
constexpr int kFileOrder[KindArrayCount] = {ArrayPressureFlow, ArrayGravityFlow, ArrayBuriedPipe,
                                            ArrayManhole, ArrayTank};

// Language offsets: a text's id is its key plus the offset.
enum LanguageOffset : int {
    LangPolish = 3100,
    LangEnglish = 5100,
    LangRussian = 7100,
};
