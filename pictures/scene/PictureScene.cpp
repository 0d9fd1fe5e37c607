#include "pictures/scene/PictureScene.h"

#include "core/base/CalcKind.h"
#include "core/base/LangTables.h"
#include "core/base/Text.h"

std::string picture::Text(int languageOffset, int key)
{
    return Utf16ToUtf8(LangString(key, languageOffset));
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
