// Shared pieces of the window tests: answers for the program's questions,
// a catcher for what the program opens with the desktop, a core started on
// the program folder of the build, and a main window started on such a core.
#pragma once

#include "DalvorApp.h"
#include "DalvorDoc.h"
#include "DalvorView.h"
#include "MainFrame.h"
#include "ReferenceTables.h"
#include "Shell.h"
#include "UiPrompts.h"

#include <QDir>
#include <QList>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdlib>
#include <deque>
#include <memory>

// Answers the program's questions from a script and records every message.
class ScriptedPrompts : public IUiPrompts {
public:
    ScriptedPrompts() { previous = SetPrompts(this); }
    ~ScriptedPrompts() override { SetPrompts(previous); }

    void Warn(QWidget*, const QString& text) override { warnings.append(text); }
    bool AskYesNo(QWidget*, const QString& text) override
    {
        questions.append(text);
        if (yesNo.empty())
            return false;
        bool a = yesNo.front();
        yesNo.pop_front();
        return a;
    }
    Answer AskYesNoCancel(QWidget*, const QString& text) override
    {
        questions.append(text);
        if (saveAnswers.empty())
            return Answer::Cancel;
        Answer a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    QString OpenFileName(QWidget*, const QString& title, const QString&, const QString& filter) override
    {
        dialogTitles.append(title);
        filters.append(filter);
        return Next();
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& suggested, const QString& filter) override
    {
        dialogTitles.append(title);
        filters.append(filter);
        suggestions.append(suggested);
        return Next();
    }

    std::deque<Answer> saveAnswers;
    std::deque<bool> yesNo;
    std::deque<QString> fileNames;
    QStringList warnings;
    QStringList questions;
    QStringList dialogTitles;
    QStringList filters;
    QStringList suggestions;

private:
    QString Next()
    {
        if (fileNames.empty())
            return QString();
        QString n = fileNames.front();
        fileNames.pop_front();
        return n;
    }
    IUiPrompts* previous = nullptr;
};

// Records what the program asks the desktop to open, and opens nothing.
class UrlCatcher {
public:
    explicit UrlCatcher(bool succeed = true)
    {
        SetUrlOpener([this, succeed](const QUrl& url) {
            opened.append(url);
            return succeed;
        });
    }
    ~UrlCatcher() { SetUrlOpener({}); }
    QList<QUrl> opened;
};

// The program folder of the build (databases, help, manuals).
inline std::string ProgramFolderForTests()
{
    const char* home = std::getenv("DALVOR_HOME");
    return home ? std::string(home) : std::string();
}

// An application object started as the program starts it, in a language.
inline std::unique_ptr<CDalvorApp> StartedApp(int language = LangPolish)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = language;
    app->InitCoreInstance(settings, "pl-PL", ProgramFolderForTests());
    return app;
}

// A folder of its own for a test's files, emptied first.
inline QString FreshFolder(const QString& name)
{
    QString path = QDir::tempPath() + QStringLiteral("/dalvor-ui-tests/") + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

// The main window on a core of its own, started as the program starts it: its
// settings in a fresh folder of the test's, the program's questions answered
// by a script, the start-up picture held until the test ends it. A test class
// derives from it after QObject and calls these from its own init, cleanup and
// start-up.
class MainWindowFixture {
protected:
    std::unique_ptr<CDalvorApp> app;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<ScriptedPrompts> prompts;

    // Before each test.
    void InitWindowTest()
    {
        prompts = std::make_unique<ScriptedPrompts>();
        pictureMs = CDalvorView::startupPictureMs;
        CDalvorView::startupPictureMs = 60 * 60 * 1000;
    }

    // Starts the program's window in a language, with its settings file in
    // the named folder.
    void OpenMainWindow(int language, const QString& folder)
    {
        app = StartedApp(language);
        settings = std::make_unique<QSettings>(FreshFolder(folder) + "/settings.ini", QSettings::IniFormat);
        frame = std::make_unique<CMainFrame>(*app, *settings);
        frame->StartUp(ReferenceLoadStatus{}, QString());
    }

    // After each test: nothing is left to save, and everything goes.
    void CleanupWindowTest()
    {
        if (frame)
            frame->Doc().SetModified(false);
        frame.reset();
        app.reset();
        settings.reset();
        prompts.reset();
        CDalvorView::startupPictureMs = pictureMs;
    }

private:
    int pictureMs = CDalvorView::startupPictureMs;
};
