#include "GravityFlowPage.h"

#include "CalcKind.h"

const CalcPageInfo CGravityFlowPage::kInfo = {KindGravityFlow, 110, 1557, 1558, 1607, "gravityflow"};

CGravityFlowPage::CGravityFlowPage(CDalvorApp& a, QWidget* parent) : CPlaceholderPage(a, kInfo, parent) {}
