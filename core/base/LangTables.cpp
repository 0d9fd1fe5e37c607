#include "core/base/LangTables.h"

#include <climits>

namespace {
constexpr char16_t kStringNotFound[] = u"STRING NOT FOUND";
}

std::u16string LangString(int key, int offset)
{
    const long long id = static_cast<long long>(key) + offset;
    if (id >= INT_MIN && id <= INT_MAX) {
        if (const char16_t* text = FindLangText(static_cast<int>(id)))
            return text;
    }
    return kStringNotFound;
}
