// Calculation kinds and the three orders in which the program lists them.
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

// Array index of a kind, or -1 for anything that is not a kind.
constexpr int KindToArrayIndex(int kind)
{
    switch (kind) {
    case KindTank: return ArrayTank;
    case KindManhole: return ArrayManhole;
    case KindBuriedPipe: return ArrayBuriedPipe;
    case KindGravityFlow: return ArrayGravityFlow;
    case KindPressureFlow: return ArrayPressureFlow;
    default: return -1;
    }
}

constexpr int ArrayIndexToKind(int arrayIndex)
{
    constexpr int kinds[KindArrayCount] = {KindGravityFlow, KindPressureFlow, KindBuriedPipe,
                                           KindManhole, KindTank};
    return arrayIndex >= 0 && arrayIndex < KindArrayCount ? kinds[arrayIndex] : KindNone;
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
