#include "PipeStaticPage.h"

#include "CalcKind.h"

const CalcPageInfo CPipeStaticPage::kInfo = {KindBuriedPipe, 112, 1559, 1560, 1606, "pipe"};

CPipeStaticPage::CPipeStaticPage(CDalvorApp& a, QWidget* parent) : CPlaceholderPage(a, kInfo, parent) {}
