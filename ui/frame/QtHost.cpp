#include "frame/QtHost.h"

#include "dialogs/AboutDlg.h"
#include "frame/DalvorDoc.h"
#include "frame/MainFrame.h"
#include "ManageProjectDlg.h"
#include "Shell.h"

#include <QFile>

void QtHost::SetDocumentModified()
{
    frame.Doc().SetModified(true);
}

void QtHost::RunManageProjectDlg(int kind)
{
    if (manageProjectOverride) {
        manageProjectOverride(kind);
        return;
    }
    CDalvorApp_RunManageProjectDlg(app, kind, &frame);
}

void QtHost::RunAboutDlg()
{
    CAboutDlg dlg(&frame);
    dlg.exec();
}

bool QtHost::OpenDocument(const std::string& path)
{
    return ShellOpenFile(QFile::decodeName(QByteArray::fromStdString(path)));
}

bool QtHost::OpenLink(const std::string& url)
{
    return ShellOpenUrl(QUrl::fromUserInput(QString::fromStdString(url)));
}
