#include "UpliftPageModel.h"

#include "DalvorApp.h"

std::u16string CUpliftPageModel::Lang(int key) const
{
    return app.LoadLangString(key);
}

int CUpliftPageModel::StoredCount() const
{
    const int a = KindToArrayIndex(kind);
    return a < 0 ? 0 : app.storedCount[a];
}
