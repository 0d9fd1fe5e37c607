#include "platform/Shell.h"

#include <QDesktopServices>

namespace {

UrlOpener& CurrentOpener()
{
    static UrlOpener opener;
    return opener;
}

}  // namespace

bool ShellOpenUrl(const QUrl& url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (const UrlOpener& opener = CurrentOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

bool ShellOpenFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    return ShellOpenUrl(QUrl::fromLocalFile(path));
}

UrlOpener SetUrlOpener(UrlOpener opener)
{
    UrlOpener old = std::move(CurrentOpener());
    CurrentOpener() = std::move(opener);
    return old;
}

bool ShellOpenHelp(const QString& helpFile, const QString& topic)
{
    if (helpFile.isEmpty())
        return false;
    QUrl url = QUrl::fromLocalFile(helpFile);
    if (!topic.isEmpty())
        url.setFragment(topic);
    return ShellOpenUrl(url);
}
