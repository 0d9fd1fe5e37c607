// The manhole page (kind 2).
#pragma once

#include "PlaceholderPage.h"

class CManholePage : public CPlaceholderPage {
    Q_OBJECT
public:
    explicit CManholePage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;
};
