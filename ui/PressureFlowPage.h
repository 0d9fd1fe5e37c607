// The pressure-flow page (kind 5).
#pragma once

#include "PlaceholderPage.h"

class CPressureFlowPage : public CPlaceholderPage {
    Q_OBJECT
public:
    explicit CPressureFlowPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;
};
