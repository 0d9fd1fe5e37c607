// The start-up rules that need no application object: the language the
// program starts in, the extended catalogue mode and the program folder.
// Free functions, so that tests can drive them.
#pragma once

#include "core/base/Settings.h"

#include <optional>
#include <string>

// Default language offset for a desktop interface language.
int DefaultLanguageOffset(const std::string& uiLanguage);
// The language the program starts in from the stored value and the default.
int StartLanguageOffset(std::optional<int> stored, int defaultOffset);
// Reads "Settings" "VersionID", writes it back as 50 when missing or lower;
// returns 1 when the extended catalogue mode is on.
int ReadVersionId(ISettings& settings);
// Language code of the files of a language: "pl", "en" or "ru"; Polish for any
// other value.
const char* LanguageCode(int offset);
// The program folder: DALVOR_HOME when given, else the executable's folder
// when it holds "db", else <executable's folder>/../share/dalvor.
std::string ResolveProgramFolder(const std::string& executableFolder, const char* dalvorHome);

constexpr int kExtendedVersionId = 100;
