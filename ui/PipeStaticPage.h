// The buried-pipe page (kind 3).
#pragma once

#include "PlaceholderPage.h"

class CPipeStaticPage : public CPlaceholderPage {
    Q_OBJECT
public:
    explicit CPipeStaticPage(CDalvorApp& app, QWidget* parent = nullptr);
    static const CalcPageInfo kInfo;
};
