// Opening files and web addresses with the desktop's programs: the manuals in
// the PDF viewer, the help document and the About box's link in the browser.
// Every opening goes through one function, which tests can replace.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

using UrlOpener = std::function<bool(const QUrl&)>;

// Opens a URL with the program the desktop registered for it; false when
// nothing could open it.
bool ShellOpenUrl(const QUrl& url);
// Opens a local file (blanks and all: the path is passed whole).
bool ShellOpenFile(const QString& path);
// Replaces the opener (an empty function restores the desktop's). Returns the
// one it replaced.
UrlOpener SetUrlOpener(UrlOpener opener);

// The help document at a topic (its anchor); an empty topic opens its start.
bool ShellOpenHelp(const QString& helpFile, const QString& topic);
