#include "core/pages/PageModels.h"

#include "core/app/DalvorApp.h"
#include "core/pages/BuriedPipePageModel.h"
#include "core/pages/GravityFlowPageModel.h"
#include "core/pages/ManholePageModel.h"
#include "core/pages/PressureFlowPageModel.h"
#include "core/pages/TankPageModel.h"
#include "core/project/CalcKinds.h"

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
