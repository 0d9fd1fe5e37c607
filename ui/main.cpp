// The program's entry: the core's start-up, then the main window.
#include "DalvorApp.h"
#include "Environment.h"
#include "MainFrame.h"
#include "QtSettings.h"
#include "Startup.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    SetUpApplication();
    const QString file = CommandLineFile(QApplication::arguments());

    // The start-up steps that need no window: language, settings, program
    // folder, reference tables, help file, record defaults.
    // The print titles live with the user's own files.
    theApp.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    QtSettings settings;
    const ReferenceLoadStatus status =
        theApp.InitCoreInstance(settings, DesktopUiLanguage(), ProgramDataFolder());

    int result = 0;
    {
        CMainFrame frame(theApp, settings.Store());
        frame.StartUp(status, file);
        result = application.exec();
    }
    theApp.ExitInstance(settings);
    return result;
}
