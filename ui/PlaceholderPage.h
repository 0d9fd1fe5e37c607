// A page whose calculation is not in the program yet: it shows the page's
// title and its "?" project button, and takes part in the sheet as every page
// does (activation, relabelling, the project manager on its kind).
#pragma once

#include "CalcPage.h"

class QLabel;

class CPlaceholderPage : public CCalcPage {
    Q_OBJECT
public:
    CPlaceholderPage(CDalvorApp& app, const CalcPageInfo& info, QWidget* parent = nullptr);
    void ApplyLanguage(int offset) override;

private:
    QLabel* heading;
};
