// The tank page (kind 1, first tab).
#pragma once

#include "PlaceholderPage.h"

class CReservoirPage : public CPlaceholderPage {
    Q_OBJECT
public:
    explicit CReservoirPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;
};
