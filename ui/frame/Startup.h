// Pieces of the program's start that main() and the tests share.
#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Numbers in records, reports and files are always written and read with a
// decimal point: the C library's numeric locale goes back to "C" after Qt
// took the desktop's.
void ApplyNumericLocale();
// The one start of the application, for the program and for every window
// test alike: the numeric locale, the application's names (they name its
// settings and data folders), style, icon and the faces it carries, the
// sans-serif one as the face of every window.
void SetUpApplication();
// The project file named on the command line, if any (the first argument that
// is not an option; later ones are ignored), as the file system's bytes: a
// name that is no valid text in the user's encoding is taken as it stands.
QByteArray CommandLineFile(const QByteArrayList& arguments);
// A file name made absolute from the working folder, in the file system's
// bytes.
QByteArray AbsoluteFileName(const QByteArray& name);
