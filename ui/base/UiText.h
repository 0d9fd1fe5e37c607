// ui/base: what every window uses: the texts of the current language, the
// questions put to the user, and the program's drawn pictures and icons. It
// includes only the core and Qt.
//
// Texts of the windows: every text is looked up in the current language when
// it is shown.
#pragma once

#include <QString>

class CDalvorApp;

// The text of key + the application's language offset ("STRING NOT FOUND"
// when there is none).
QString LangText(const CDalvorApp& app, int key);
QString LangText(const CDalvorApp& app, int key, int offset);

// A command's text holds its status-bar prompt, a newline and its tooltip.
struct CommandTexts {
    QString prompt;       // the part before the newline
    QString tooltip;      // the part after it; the whole text when there is no newline
    QString description;  // what the tooltip shows under its title: the prompt, or nothing
};
CommandTexts SplitCommandText(const QString& text);

// A menu text "&Open...\tCtrl+O": the item's text and its shortcut hint.
QString MenuItemText(const QString& text);

// Message boxes name the program in their title.
QString AppTitle();
