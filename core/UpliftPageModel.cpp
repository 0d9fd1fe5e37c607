#include "UpliftPageModel.h"

#include "DalvorApp.h"
#include "Text.h"

const std::u16string& CUpliftPageModel::Text(int id) const
{
    static const std::u16string empty;
    auto it = texts.find(id);
    return it == texts.end() ? empty : it->second;
}

double CUpliftPageModel::Value(int id) const
{
    return ParseNumber(std::u16string_view(Text(id)));
}

int CUpliftPageModel::Checked(int id) const
{
    auto it = checks.find(id);
    return it == checks.end() ? 0 : it->second;
}

bool CUpliftPageModel::Enabled(int id) const
{
    auto it = enabled.find(id);
    return it == enabled.end() ? true : it->second;
}

FieldColors CUpliftPageModel::Colors(int id) const
{
    auto it = colors.find(id);
    return it == colors.end() ? FieldColors{} : it->second;
}

std::vector<PageMessage> CUpliftPageModel::TakeMessages()
{
    std::vector<PageMessage> out;
    out.swap(messages);
    return out;
}

void CUpliftPageModel::Ask(int textKey, std::u16string text, int captionKey, std::u16string caption)
{
    messages.push_back({textKey, captionKey, std::move(text), std::move(caption)});
}

std::u16string CUpliftPageModel::Lang(int key) const
{
    return app.LoadLangString(key);
}

int CUpliftPageModel::StoredCount(int kind) const
{
    const int a = KindToArrayIndex(kind);
    return a < 0 ? 0 : app.storedCount[a];
}

int CUpliftPageModel::CurrentIndex(int kind) const
{
    const int a = KindToArrayIndex(kind);
    return a < 0 ? -1 : app.currentIndex[a];
}

std::u16string FormatNumber(const char* format, double value)
{
    return Utf8ToUtf16(FormatC(format, value));
}

