#include "core/pages/UpliftPageModel.h"

#include "core/app/DalvorApp.h"

std::u16string CUpliftPageModel::Lang(int key) const
{
    return app.LoadLangString(key);
}
