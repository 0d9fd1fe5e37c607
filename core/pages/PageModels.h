// The page model of any calculation kind, made whole: the kind's class with
// the texts of the current language applied, as a page holds it once it is
// shown. The recalculation tool and the print drivers take their models here.
#pragma once

#include "core/pages/PageModel.h"

#include <memory>

class CDalvorApp;

// The model of the kind's page (a KindXxx of app/CalcKinds.h); an unknown
// kind gets the tank's, as the printout of the last kind does.
std::unique_ptr<CPageModel> MakePageModel(CDalvorApp& app, int kind);
