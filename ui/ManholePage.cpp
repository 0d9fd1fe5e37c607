#include "ManholePage.h"

#include "CalcKind.h"

const CalcPageInfo CManholePage::kInfo = {KindManhole, 108, 1555, 1556, 1610, "manhole"};

CManholePage::CManholePage(CDalvorApp& a, QWidget* parent) : CPlaceholderPage(a, kInfo, parent) {}
