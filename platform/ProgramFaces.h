// The faces the pages, pictures and printouts are laid out for travel with the
// program, so that it looks and prints the same on any desktop, whatever faces
// the desktop has.
#pragma once

#include <QString>

// The family of the program's own sans-serif face.
QString ProgramFaceFamily();
// Makes the program's faces (regular and bold) known to the application, and
// lets the pictures' "Arial" stand for them; false when one could not be
// loaded. Needs a QGuiApplication; a second call does nothing more.
bool RegisterProgramFaces();
