// Language texts: lookup by key and language offset, and the switch of the
// language-dependent files (reference database, help document).
#include "core/app/DalvorApp.h"
#include "core/base/LangTables.h"

#include <climits>

namespace {
constexpr char16_t kStringNotFound[] = u"STRING NOT FOUND";
}

std::u16string CDalvorApp::LoadLangString(int key, int offset) const
{
    // The text's id is key + offset; a sum outside the id range names no text.
    const long long id = static_cast<long long>(key) + offset;
    if (id >= INT_MIN && id <= INT_MAX) {
        if (const char16_t* text = FindLangText(static_cast<int>(id)))
            return text;
    }
    return kStringNotFound;
}

ReferenceLoadStatus CDalvorApp::SwitchLanguage(int offset)
{
    // The working records keep their values; the pages' lists show the new
    // rows when they are filled again.
    FreeReferenceData();
    ReferenceLoadStatus status = LoadReferenceData(DatabasePath(offset));
    helpFilePath = HelpFilePath(offset);
    return status;
}
