#include "ui/base/UiPrompts.h"

#include "ui/base/UiText.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

DesktopPrompts desktopPrompts;
IUiPrompts* current = &desktopPrompts;

}  // namespace

IUiPrompts& Prompts()
{
    return *current;
}

IUiPrompts* SetPrompts(IUiPrompts* prompts)
{
    IUiPrompts* old = current;
    current = prompts ? prompts : &desktopPrompts;
    return old;
}

void DesktopPrompts::Warn(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, AppTitle(), text);
}

void DesktopPrompts::WarnTitled(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox::warning(parent, caption, text);
}

bool DesktopPrompts::AskYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, AppTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

IUiPrompts::Answer DesktopPrompts::AskYesNoCancel(QWidget* parent, const QString& text)
{
    auto b = QMessageBox::warning(parent, AppTitle(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes);
    if (b == QMessageBox::Yes)
        return Answer::Yes;
    if (b == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

QString DesktopPrompts::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                     const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString DesktopPrompts::SaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                     const QString& filter)
{
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without an extension takes the filter's before the dialog
    // looks for a file of that name to replace, so the user is asked about the
    // file that is then written.
    static const QRegularExpression extension(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch m = extension.match(filter);
    if (m.hasMatch())
        dialog.setDefaultSuffix(m.captured(1));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
