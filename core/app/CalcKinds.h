// Moved to core/project/CalcKinds.h; kept while the last includes of this path
// are repointed.
#pragma once

#include "core/project/CalcKinds.h"
