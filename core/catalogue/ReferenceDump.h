// A plain-text listing of the reference tables as loaded, for checking a
// catalogue by eye or by diff.
#pragma once

#include "core/catalogue/ReferenceTables.h"

#include <string>

// Six sections, "# soils", "# pipeCategories", "# pipeTypes", "# nominalSizes",
// "# manholeTypes" and "# tankTypes", each followed by one line per entry with
// every field of the entry in declaration order, separated by tabs: texts in
// UTF-8, integers in decimal, doubles as "%.17g" in the C locale.
std::string DumpReferenceTables(const CatalogueTables& tables);
