// Shared pieces of the window tests: answers for the program's questions,
// a catcher for what the program opens with the desktop, a core started on
// the program folder of the build, a main window started on such a core, a
// page of its sheet worked as the user works it, and printing to a PDF file.
#pragma once

#include "core/app/DalvorApp.h"
#include "core/catalogue/ReferenceTables.h"
#include "platform/Shell.h"
#include "ui/base/UiPrompts.h"
#include "ui/frame/DalvorDoc.h"
#include "ui/frame/DalvorView.h"
#include "ui/frame/MainFrame.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

// Answers the program's questions from a script (an empty script answers
// Cancel, No or no file) and records every message and question.
class ScriptedPrompts : public IUiPrompts {
public:
    ScriptedPrompts() { previous = SetPrompts(this); }
    ~ScriptedPrompts() override { SetPrompts(previous); }

    void Warn(QWidget*, const QString& text) override { warnings.append(text); }
    void WarnTitled(QWidget*, const QString& caption, const QString& text) override
    {
        warningCaptions.append(caption);
        warnings.append(text);
    }
    bool AskYesNo(QWidget*, const QString& text) override { return Ask(text, yesNo, false); }
    Answer AskYesNoCancel(QWidget*, const QString& text) override { return Ask(text, saveAnswers, Answer::Cancel); }
    QString OpenFileName(QWidget*, const QString& title, const QString&, const QString& filter) override
    {
        return FileName(title, filter);
    }
    QString SaveFileName(QWidget*, const QString& title, const QString& suggested, const QString& filter) override
    {
        suggestions.append(suggested);
        return FileName(title, filter);
    }

    std::deque<Answer> saveAnswers;
    std::deque<bool> yesNo;
    std::deque<QString> fileNames;
    std::function<void()> onQuestion;  // runs as each question is asked
    QStringList warnings, warningCaptions, questions, dialogTitles, filters, suggestions;

private:
    template <typename T>
    static T Next(std::deque<T>& script, T none)
    {
        if (script.empty())
            return none;
        T a = script.front();
        script.pop_front();
        return a;
    }
    template <typename T>
    T Ask(const QString& question, std::deque<T>& script, T none)
    {
        questions.append(question);
        if (onQuestion)
            onQuestion();
        return Next(script, none);
    }
    QString FileName(const QString& title, const QString& filter)
    {
        dialogTitles.append(title);
        filters.append(filter);
        return Next(fileNames, QString());
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

// An application object started as the program starts it, in a language, on
// the program folder of the build (databases, help, manuals).
inline std::unique_ptr<CDalvorApp> StartedApp(int language = LangPolish)
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = language;
    const char* home = std::getenv("DALVOR_HOME");
    app->InitCoreInstance(settings, "pl-PL", home ? std::string(home) : std::string());
    return app;
}

// A folder of its own for a test's files, emptied first, inside a folder that
// is unique to the test program's run and removed when it ends.
inline QString FreshFolder(const QString& name)
{
    static const QTemporaryDir root(QDir::tempPath() + QStringLiteral("/dalvor-ui-tests-XXXXXX"));
    QString path = root.path() + QLatin1Char('/') + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

// Runs `act`, which opens a modal dialog, and `onDialog` on that dialog once
// it is up; fails when no such dialog came.
template <typename Dialog>
void WithModal(const std::function<void()>& act, const std::function<void(Dialog*)>& onDialog)
{
    bool seen = false;
    QObject guard;  // a dialog that never came leaves no timer behind
    QTimer::singleShot(0, &guard, [&] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        seen = true;
        onDialog(dlg);
    });
    act();
    QVERIFY2(seen, "no modal dialog of the kind awaited was opened");
}

// The main window on a core of its own, started as the program starts it: its
// settings in a fresh folder of the test's, the program's questions answered
// by a script, the start-up picture held until the test ends it. A test class
// derives from it after QObject and calls these from its init and cleanup.
class MainWindowFixture {
protected:
    std::unique_ptr<CDalvorApp> app;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<ScriptedPrompts> prompts;

    void InitWindowTest()
    {
        prompts = std::make_unique<ScriptedPrompts>();
        CDalvorView::startupPictureMs = 60 * 60 * 1000;
    }

    // Starts the program's window in a language, with its settings file in
    // the named folder.
    void OpenMainWindow(int language, const QString& folder)
    {
        app = StartedApp(language);
        settings = std::make_unique<QSettings>(FreshFolder(folder) + "/settings.ini", QSettings::IniFormat);
        frame = std::make_unique<CMainFrame>(*app, *settings);
        frame->StartUp(ReferenceLoadStatus{}, {});
    }

    // Nothing is left to save, and everything goes.
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
    const int pictureMs = CDalvorView::startupPictureMs;
};

// A page of the main window's sheet as the user works it: its fields, lists
// and buttons found by their ids. A test class derives from it after QObject
// with the kind of page it works.
template <typename Page>
class PageFixture : public MainWindowFixture {
protected:
    Page* page = nullptr;

    // Starts the main window in a language, its settings in the named folder,
    // and opens the sheet's tab; false when the window never came up or the
    // tab holds no such page.
    bool OpenPage(int tab, const QString& folder, int language)
    {
        OpenMainWindow(language, folder);
        frame->View()->EndStartupPicture();
        frame->activateWindow();
        if (!QTest::qWaitForWindowActive(frame.get()))
            return false;
        frame->Sheet()->setCurrentIndex(tab);
        page = qobject_cast<Page*>(frame->Sheet()->ActivePage());
        return page != nullptr;
    }

    QWidget* Control(int id) { return page->Control(id); }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(Control(id)); }
    QComboBox* Combo(int id) { return qobject_cast<QComboBox*>(Control(id)); }
    QCheckBox* Box(int id) { return qobject_cast<QCheckBox*>(Control(id)); }

    // What a field, list, label, button or frame of the page shows.
    QString Text(int id)
    {
        QWidget* w = Control(id);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
        if (auto* c = qobject_cast<QComboBox*>(w))
            return c->currentText();
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            return g->title();
        return w ? w->property("text").toString() : QString();
    }
    void CheckTexts(std::initializer_list<std::pair<int, QString>> expected)
    {
        for (const auto& [id, text] : expected)
            QVERIFY2(Text(id) == text,
                     qPrintable(QStringLiteral("%1 shows \"%2\", not \"%3\"").arg(id).arg(Text(id), text)));
    }

    // Types a text into a field and presses Enter there.
    void Enter(int id, const QString& text)
    {
        QLineEdit* e = Edit(id);
        QVERIFY(e && e->isEnabled());
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Return);
    }

    // Chooses an item of a closed list from the keyboard, as a user does.
    void Choose(int id, int index) { Choose(Combo(id), index); }
    void Choose(QComboBox* c, int index)
    {
        QVERIFY(c && c->isEnabled());
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(c, Qt::Key_Down);
        QCOMPARE(c->currentIndex(), index);
    }

    // Clicks a button, box or radio of the page near its left edge, where a
    // radio's circle is.
    void Click(int id)
    {
        QWidget* w = Control(id);
        QVERIFY2(w && w->isEnabled(), qPrintable(QString::number(id)));
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    }

    // Clicks a button of the page that opens a modal dialog, and works it.
    template <typename Dialog>
    void ClickOpening(int id, const std::function<void(Dialog*)>& work)
    {
        WithModal<Dialog>([&] { Click(id); }, work);
    }
};

// Answers the print dialog that opens next by printing to the PDF file `pdf`.
inline void PrintNextToPdf(QObject* context, const QString& pdf)
{
    QTimer::singleShot(0, context, [pdf] {
        auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        QVERIFY(print);
        auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);  // to a PDF file
        print->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
        print->accept();
    });
}

// The text of a PDF file; a failure where it cannot be read.
inline QString PdfText(const QString& pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text.waitForFinished()) {
        QTest::qFail("pdftotext did not finish", __FILE__, __LINE__);
        return QString();
    }
    return QString::fromUtf8(text.readAllStandardOutput());
}
