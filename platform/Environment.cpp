#include "platform/Environment.h"

#include "core/app/Startup.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <cstdlib>

std::string DesktopUiLanguage()
{
    QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return "C";
    QStringList languages = system.uiLanguages();
    if (languages.isEmpty())
        return "C";
    return languages.first().toStdString();
}

std::string ProgramDataFolder()
{
    return ResolveProgramFolder(QCoreApplication::applicationDirPath().toStdString(),
                                std::getenv("DALVOR_HOME"));
}
