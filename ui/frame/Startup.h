// Pieces of the program's start that main() and the tests share.
#pragma once

#include <QString>
#include <QStringList>

// Numbers in records, reports and files are always written and read with a
// decimal point: the C library's numeric locale goes back to "C" after Qt
// took the desktop's.
void ApplyNumericLocale();
// The application's names (they name its settings and data folders), style and
// icon.
void SetUpApplication();
// The project file named on the command line, if any (the first argument that
// is not an option; later ones are ignored).
QString CommandLineFile(const QStringList& arguments);
