#include "ui/frame/QtHost.h"

#include "platform/Shell.h"
#include "reports/ManageProjectDlg.h"
#include "ui/base/UiPrompts.h"
#include "ui/base/UiText.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/frame/DalvorDoc.h"
#include "ui/frame/FrameworkTexts.h"
#include "ui/frame/MainFrame.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace {

constexpr int kTextCannotSavePrintout = 21080;  // %s: the file

}  // namespace

void QtHost::SetDocumentModified()
{
    frame.Doc().SetModified(true);
}

bool QtHost::RunManageProjectDlg(int kind)
{
    if (manageProjectOverride) {
        manageProjectOverride(kind);
        return true;
    }
    return CDalvorApp_RunManageProjectDlg(app, kind, &frame);
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

void QtHost::ReportOutOfMemory()
{
    // In the words a save or an open that ran out of memory uses.
    Prompts().Warn(&frame, frame.Doc().ReasonText(ENOMEM) + QLatin1Char('\n') + LangText(app, kTextProjectUnchanged));
}

void QtHost::ReportPrintoutNotSaved(const std::string& path, int error, bool notRegularFile)
{
    const QString shown = QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
    QString text = FillText(LangText(app, kTextCannotSavePrintout), shown);
    if (const QString reason = frame.Doc().ReasonText(error, notRegularFile); !reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    Prompts().Warn(&frame, text);
}
