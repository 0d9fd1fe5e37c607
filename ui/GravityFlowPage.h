// The gravity-flow page (kind 4).
#pragma once

#include "PlaceholderPage.h"

class CGravityFlowPage : public CPlaceholderPage {
    Q_OBJECT
public:
    explicit CGravityFlowPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;
};
