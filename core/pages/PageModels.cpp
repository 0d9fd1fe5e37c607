#include "pages/PageModels.h"

#include "app/CalcKinds.h"
#include "app/DalvorApp.h"
#include "pages/BuriedPipePageModel.h"
#include "pages/GravityFlowPageModel.h"
#include "pages/ManholePageModel.h"
#include "pages/PressureFlowPageModel.h"
#include "pages/TankPageModel.h"

std::unique_ptr<CPageModel> MakePageModel(CDalvorApp& app, int kind)
{
    std::unique_ptr<CPageModel> model;
    switch (kind) {
    case KindGravityFlow: model = std::make_unique<CGravityFlowPageModel>(app); break;
    case KindPressureFlow: model = std::make_unique<CPressureFlowPageModel>(app); break;
    case KindBuriedPipe: model = std::make_unique<CBuriedPipePageModel>(app); break;
    case KindManhole: model = std::make_unique<CManholePageModel>(app); break;
    default: model = std::make_unique<CTankPageModel>(app); break;
    }
    model->ApplyLanguage(app.languageOffset);
    return model;
}
