#include "core/app/DalvorApp.h"
#include "core/app/Startup.h"

namespace {

// Stands in until the windows supply a host: counts nothing, opens nothing.
class NullHost : public IHost {
public:
    void SetDocumentModified() override {}
    bool RunManageProjectDlg(int) override { return false; }
    void RunAboutDlg() override {}
    bool OpenDocument(const std::string&) override { return false; }
    void ReportOutOfMemory() override {}
    void ReportPrintoutNotSaved(const std::string&, int, bool) override {}
};

NullHost nullHost;

}  // namespace

CDalvorApp theApp;

CDalvorApp::CDalvorApp() : host(&nullHost)
{
    // Tables empty, project empty with no current entries, no page shown yet:
    // the member initialisers give exactly that. The working records start
    // zero-filled, which the fields that a reset leaves alone rely on.
}

CDalvorApp::~CDalvorApp() = default;

void CDalvorApp::SetHost(IHost* h)
{
    host = h ? h : &nullHost;
}

std::string CDalvorApp::DatabasePath(int offset) const
{
    return programFolder + "/db/" + LanguageCode(offset) + "/quorlindata.mdb";
}

std::string CDalvorApp::HelpFilePath(int offset) const
{
    const char* file = "DalvorPL.html";
    if (offset == LangEnglish)
        file = "DalvorEN.html";
    else if (offset == LangRussian)
        file = "DalvorRU.html";
    return programFolder + "/" + file;
}

std::string CDalvorApp::ManualPath(int kind, int offset) const
{
    const CalcKindInfo* info = FindCalcKind(kind);
    if (!info)
        return {};
    if (offset != LangPolish && offset != LangEnglish && offset != LangRussian)
        return {};
    return programFolder + "/doc/" + LanguageCode(offset) + "/" + info->manual;
}

void CDalvorApp::OpenManual(int kind)
{
    // With no manual to name, nothing is started.
    std::string path = ManualPath(kind, languageOffset);
    if (!path.empty())
        host->OpenDocument(path);
}

ReferenceLoadStatus CDalvorApp::InitCoreInstance(ISettings& settings, const std::string& uiLanguage,
                                                 const std::string& folder)
{
    int defaultOffset = DefaultLanguageOffset(uiLanguage);
    languageOffset = StartLanguageOffset(settings.ReadInt("Settings", "Language"), defaultOffset);
    extendedCatalogue = ReadVersionId(settings);
    programFolder = folder;
    while (programFolder.size() > 1 && programFolder.back() == '/')
        programFolder.pop_back();

    FreeReferenceData();
    ReferenceLoadStatus status = LoadReferenceData(DatabasePath(languageOffset));
    helpFilePath = HelpFilePath(languageOffset);
    // The defaults of the tank, manhole and buried pipe read the first rows of
    // the tables, so they follow the load.
    ResetAllRecords();
    LoadOrSavePrintTitles(0);
    return status;
}

void CDalvorApp::ExitInstance(ISettings& settings)
{
    LoadOrSavePrintTitles(1);
    FreeReferenceData();
    FreeProject();
    settings.WriteInt("Settings", "Language", languageOffset);
}
