#include "ReservoirPage.h"

#include "CalcKind.h"

const CalcPageInfo CReservoirPage::kInfo = {KindTank, 109, 1553, 1554, 1609, "tank"};

CReservoirPage::CReservoirPage(CDalvorApp& a, QWidget* parent) : CPlaceholderPage(a, kInfo, parent) {}
