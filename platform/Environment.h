// What the start-up needs to know of the desktop.
#pragma once
#include <string>

// The desktop's first interface language as a BCP 47 tag ("en-US"), "C" when
// none is set.
std::string DesktopUiLanguage();
// The folder that holds the program's data (databases, help, manuals).
std::string ProgramDataFolder();
