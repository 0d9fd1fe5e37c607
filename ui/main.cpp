// The program's entry: starts the core, and shuts it down again.
#include "DalvorApp.h"
#include "Environment.h"
#include "QtSettings.h"

#include <QApplication>
#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Qt takes the desktop's locale for the C library too; numbers in records,
    // reports and files are always written and read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorlin - Dalvor (5)"));

    QtSettings settings;
    ReferenceLoadStatus status =
        theApp.InitCoreInstance(settings, DesktopUiLanguage(), ProgramDataFolder());
    std::printf("Dalvor: core started (program folder %s, language %d, %d soils, %d sizes)\n",
                theApp.programFolder.c_str(), theApp.languageOffset, theApp.soilCount,
                theApp.nominalSizeCount);
    if (status.error != ReferenceLoadStatus::Ok)
        std::printf("Dalvor: the reference database %s could not be read\n", status.file.c_str());
    std::printf("Dalvor: the main window is not built yet; shutting the core down.\n");
    theApp.ExitInstance(settings);
    return 0;
}
