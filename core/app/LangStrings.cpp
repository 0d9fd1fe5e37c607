// Language texts: lookup by key and language offset, and the switch of the
// language-dependent files (reference database, help document).
#include "core/app/DalvorApp.h"
#include "core/base/LangTables.h"

std::u16string CDalvorApp::LoadLangString(int key, int offset) const
{
    return LangString(key, offset);
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
