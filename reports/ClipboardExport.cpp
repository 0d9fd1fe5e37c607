#include "ClipboardExport.h"

#include "app/DalvorApp.h"
#include "report/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

void PutTextOnClipboard(const std::u16string& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
}

void CopyProjectToClipboard(const CDalvorApp& app, int kind)
{
    if (KindToArrayIndex(kind) < 0)
        return;
    PutTextOnClipboard(BuildClipboardText(app, kind));
}
