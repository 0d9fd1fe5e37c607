#include "PictureScene.h"

#include "DalvorApp.h"
#include "GravityScene.h"
#include "ManholeScene.h"
#include "PressureScene.h"
#include "TankScene.h"
#include "Text.h"
#include "TrenchScene.h"

std::unique_ptr<PictureScene> MakePictureScene(int kind, CDalvorApp& app, PictureView& view)
{
    switch (kind) {
    case KindGravityFlow: return MakeGravityScene(app, view);
    case KindPressureFlow: return MakePressureScene(app, view);
    case KindBuriedPipe: return MakeTrenchScene(app);
    case KindManhole: return MakeManholeScene(app);
    case KindTank: return MakeTankScene(app);
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

std::string picture::Text(const CDalvorApp& app, int key)
{
    return Utf16ToUtf8(app.LoadLangString(key));
}

PictureSize PictureControlSize(int kind)
{
    // The hydraulic charts share their page's width with the data and the
    // results, in a form of 1050 pixels.
    if (kind == KindGravityFlow)
        return {320, 240};
    if (kind == KindPressureFlow)
        return {360, 270};
    return kind == KindTank ? PictureSize{560, 300} : PictureSize{400, 300};
}
