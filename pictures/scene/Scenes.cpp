#include "pictures/scene/Scenes.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "pictures/scene/GravityScene.h"
#include "pictures/scene/ManholeScene.h"
#include "pictures/scene/PressureScene.h"
#include "pictures/scene/TankScene.h"
#include "pictures/scene/TrenchScene.h"

std::unique_ptr<PictureScene> MakePictureScene(int kind, CDalvorApp& app, PictureView& view)
{
    switch (kind) {
    case KindGravityFlow: return MakeGravityScene(app.working, app.gravityCalculator, view);
    case KindPressureFlow: return MakePressureScene(app.working, app.pressureCalculator, app.languageOffset, view);
    case KindBuriedPipe: return MakeTrenchScene(app.working, app.extendedCatalogue);
    case KindManhole: return MakeManholeScene(app.working);
    case KindTank: return MakeTankScene(app.working);
    default: return nullptr;
    }
}

PrintPicture BuildPrintPicture(int kind, const CDalvorApp& app, const PictureView& view, int w, int h)
{
    PrintPicture picture;
    if (w <= 0 || h <= 0)
        return picture;
    // A print drawing only reads the record and the view: the scene's
    // writing side is never reached from here.
    PictureView copy = view;
    std::unique_ptr<PictureScene> scene = MakePictureScene(kind, const_cast<CDalvorApp&>(app), copy);
    if (!scene)
        return picture;
    picture.width = 10 * w;
    picture.height = 10 * h;
    scene->Draw(picture.ops, picture.width, picture.height, true);
    return picture;
}
