#include "pages/UpliftPageModel.h"

#include "app/DalvorApp.h"

std::u16string CUpliftPageModel::Lang(int key) const
{
    return app.LoadLangString(key);
}
