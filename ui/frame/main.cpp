// The program's entry: the core's start-up, then the main window.
#include "core/app/DalvorApp.h"
#include "platform/AutosaveSlot.h"
#include "platform/Environment.h"
#include "platform/QtSettings.h"
#include "platform/ShellOpen.h"
#include "ui/frame/MainFrame.h"
#include "ui/frame/Startup.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    SetUpApplication();
    // The file's name is the file system's bytes as they came (the
    // application has taken its own options out of argv by now).
    const QByteArray file = AbsoluteFileName(CommandLineFile(QByteArrayList(argv, argv + argc)));
    // A project opened while the program runs goes to the running program;
    // a start without a file is a program of its own.
    const QString socketPath = ShellOpenSocketPath();
    if (!file.isEmpty() && HandOverFile(socketPath, file))
        return 0;

    // The start-up steps that need no window: language, settings, program
    // folder, reference tables, help file, record defaults.
    // The print titles live with the user's own files.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    {
        // It holds the autosaves, whose projects may be private: the folder
        // is the user's alone when this start makes it.
        const PrivateFileMode userAlone;
        QDir().mkpath(dataFolder);
    }
    theApp.userDataFolder = dataFolder.toStdString();
    QtSettings settings;
    const ReferenceLoadStatus status =
        theApp.InitCoreInstance(settings, DesktopUiLanguage(), ProgramDataFolder());

    int result = 0;
    {
        CMainFrame frame(theApp, settings.Store());
        ShellOpenServer shellOpen;
        frame.ServeHandedFiles(shellOpen);
        shellOpen.Listen(socketPath);
        frame.StartUp(status, file);
        result = application.exec();
    }
    theApp.ExitInstance(settings);
    return result;
}
