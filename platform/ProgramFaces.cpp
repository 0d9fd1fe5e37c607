#include "platform/ProgramFaces.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

QString ProgramFaceFamily()
{
    return QStringLiteral("Liberation Sans");
}

bool RegisterProgramFaces()
{
    static const bool registered = [] {
        bool all = true;
        for (const char* file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
            all = all && id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(ProgramFaceFamily());
        }
        // The pictures name the face the printout's layout was drawn for; it
        // is metric-compatible with this one.
        QFont::insertSubstitution(QStringLiteral("Arial"), ProgramFaceFamily());
        return all;
    }();
    return registered;
}
