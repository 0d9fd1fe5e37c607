// Qt's own texts (file dialogs, message box buttons) in the program's language.
#pragma once

// Installs the translation of Qt's texts for a language offset; English needs
// none. Missing translation files leave Qt's texts in English.
void InstallQtTranslations(int languageOffset);
