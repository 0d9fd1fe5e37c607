#include "PressureFlowPage.h"

#include "CalcKind.h"

const CalcPageInfo CPressureFlowPage::kInfo = {KindPressureFlow, 111, 1561, 1562, 1608, "pressureflow"};

CPressureFlowPage::CPressureFlowPage(CDalvorApp& a, QWidget* parent) : CPlaceholderPage(a, kInfo, parent) {}
