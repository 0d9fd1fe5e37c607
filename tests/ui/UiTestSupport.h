// Shared pieces of the window tests: answers for the program's questions,
// a catcher for what the program opens with the desktop, and a core started
// on the program folder of the build.
#pragma once

#include "DalvorApp.h"
#include "Shell.h"
#include "UiPrompts.h"

#include <QDir>
#include <QList>
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
