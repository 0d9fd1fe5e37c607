// What the application object asks of the windows, answered by the desktop
// program: the document's modified flag, the project manager, the About box
// and the desktop's viewers.
#pragma once

#include "core/base/Host.h"

#include <functional>

class CDalvorApp;
class CMainFrame;

class QtHost : public IHost {
public:
    QtHost(CDalvorApp& application, CMainFrame& mainFrame) : app(application), frame(mainFrame) {}

    void SetDocumentModified() override;
    bool RunManageProjectDlg(int kind) override;
    void RunAboutDlg() override;
    bool OpenDocument(const std::string& path) override;
    void ReportOutOfMemory() override;
    void ReportPrintoutNotSaved(const std::string& path, int error, bool notRegularFile) override;

    // Replaces the project manager (tests), as a manager that something was
    // done in; an empty function restores it.
    std::function<void(int kind)> manageProjectOverride;

private:
    CDalvorApp& app;
    CMainFrame& frame;
};
