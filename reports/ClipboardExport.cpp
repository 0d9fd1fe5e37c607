#include "reports/ClipboardExport.h"

#include "core/app/DalvorApp.h"
#include "core/report/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <new>

void PutTextOnClipboard(const std::u16string& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
}

void CopyProjectToClipboard(const CDalvorApp& app, int kind)
{
    if (KindToArrayIndex(kind) < 0)
        return;
    // The text of a large project is as large as its records: when memory
    // runs out nothing is copied, and the user is told.
    try {
        PutTextOnClipboard(BuildClipboardText(app.Listing(), kind));
    } catch (const std::bad_alloc&) {
        app.Host().ReportOutOfMemory();
    }
}
