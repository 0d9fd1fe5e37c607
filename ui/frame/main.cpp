// The program's entry: the core's start-up, then the main window.
#include "core/app/DalvorApp.h"
#include "core/project/RegularFile.h"
#include "platform/Environment.h"
#include "platform/QtSettings.h"
#include "platform/ShellOpen.h"
#include "ui/frame/MainFrame.h"
#include "ui/frame/Startup.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    SetUpApplication();
    // The file's name is the file system's bytes as they came (the
    // application has taken its own options out of argv by now).
    const QByteArray file = AbsoluteFileName(CommandLineFile(QByteArrayList(argv, argv + argc)));
    // A project opened while the program runs goes to the running program;
    // a start without a file is a program of its own. Of starts at the same
    // moment one answers at once (it is told files handed over when its
    // window is there), and the others hand their files to it.
    const QString socketPath = ShellOpenSocketPath();
    ShellOpenServer shellOpen;
    if (file.isEmpty())
        shellOpen.Listen(socketPath);
    else if (HandOverOrListen(shellOpen, socketPath, file))
        return 0;

    // The start-up steps that need no window: language, settings, program
    // folder, reference tables, help file, record defaults.
    // The print titles live with the user's own files.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // It holds the autosaves, whose projects may be private: the folder, and
    // the maker's folder above it, are the user's alone.
    MakePrivateFolder(QFile::encodeName(QFileInfo(dataFolder).absolutePath()).toStdString());
    MakePrivateFolder(QFile::encodeName(dataFolder).toStdString());
    theApp.userDataFolder = dataFolder.toStdString();
    QtSettings settings;
    const ReferenceLoadStatus status =
        theApp.InitCoreInstance(settings, DesktopUiLanguage(), ProgramDataFolder());

    int result = 0;
    {
        CMainFrame frame(theApp, settings.Store());
        frame.ServeHandedFiles(shellOpen);
        frame.StartUp(status, file);
        result = application.exec();
    }
    theApp.ExitInstance(settings);
    return result;
}
