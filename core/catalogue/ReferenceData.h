// Loading the six reference tables from a reference database, and freeing
// them.
#pragma once

#include "core/catalogue/ReferenceTables.h"

#include <string>

// Loads the tables from the SQLite database at path, as LoadReferenceTables
// does from any source.
ReferenceLoadStatus LoadReferenceData(CatalogueTables& tables, int extendedCatalogue, const std::string& path);
// Empties the six tables and gives back their memory.
void FreeReferenceData(CatalogueTables& tables);
