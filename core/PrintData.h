// The report table, the remembered printout titles and the picture being printed.
#pragma once
#include <cstdint>

struct ReportSection {
    int32_t present;
    int32_t rowCount;
    int32_t rowFlag[20];
    char16_t label[20][129];
    char16_t value[20][129];
};

struct PrintTitle {
    int32_t id;
    char16_t text[258];
};
static_assert(sizeof(PrintTitle) == 520);

// The picture recorded for the printout. Filled by the pictures when they
// record themselves for printing.
struct PrintPicture {
    int width = 0;
    int height = 0;
};
