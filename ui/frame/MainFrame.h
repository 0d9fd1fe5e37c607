// ui/frame: the program around the sheet: the main window, the view, the
// document and its commands, start-up, help and the host the application
// object calls. It may include every other folder of ui/, reports/,
// pictures/, platform/ and the core; nothing includes it but the tests.
//
// The main window: menu bar, toolbar and status bar around the form view. It
// owns the language commands, which switch the whole interface between Polish
// and English (Russian exists but is never offered), the status-bar prompts and
// the toolbar's tooltips, the file commands of the document, dropped files and
// help.
#pragma once

#include "core/base/Host.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

#include <memory>

class CDalvorApp;
class CDalvorDoc;
class CDalvorView;
class CCalcSheet;
class HelpRouter;
class QtHost;
class ShellOpenServer;
class QLabel;
class QMenu;
class QSettings;
struct ReferenceLoadStatus;

// The toolbar: its tooltips come from the command texts of the current
// language, the part after the newline as title and the prompt under it.
class CDalvorToolBar : public QToolBar {
    Q_OBJECT
public:
    CDalvorToolBar(CDalvorApp& app, QWidget* parent = nullptr);
    QString LastTipTitle() const { return lastTitle; }
    QString LastTipDescription() const { return lastDescription; }

protected:
    bool event(QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Answers a tooltip request at a point of the toolbar.
    void ShowTip(const QPoint& pos, const QPoint& globalPos);

    CDalvorApp& app;
    QString lastTitle;
    QString lastDescription;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CDalvorApp& app, QSettings& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CDalvorDoc& Doc() const { return *doc; }
    CDalvorView* View() const { return view; }
    CCalcSheet* Sheet() const;
    CDalvorToolBar* ToolBar() const { return toolBar; }
    QtHost& Host() const { return *host; }
    HelpRouter& Help() const { return *help; }
    QAction* Action(int commandId) const { return actions.value(commandId); }
    QList<QAction*> RecentFileActions() const { return recentActions; }
    QAction* RecentFilePlaceholder() const { return recentPlaceholder; }
    QLabel* MessagePane() const { return messagePane; }

    // The window's steps of the start-up, after the core's: the window shown,
    // the form laid out with its start-up picture, the reference database
    // warning, the autosaved project offered, then the project file named on
    // the command line (one that cannot be opened is refused with its message
    // and the empty project stays).
    void StartUp(const ReferenceLoadStatus& status, const QByteArray& commandLineFile);
    // A project handed over by another start of the program: the window comes
    // to the front and opens it as File > Open does (asking first to save a
    // changed project), once no dialog of the program's awaits an answer.
    void OpenHandedFile(const QByteArray& file);
    // Opens the files that other starts hand over through `server`, which
    // stops answering while the window closes.
    void ServeHandedFiles(ShellOpenServer& server);

    // The language commands: Polish 3100, English 5100 (Russian 7100 is never
    // offered).
    void OnLanguage(int offset);
    // The warning for a reference database that could not be read.
    void WarnReferenceData(const ReferenceLoadStatus& status);

    // The frame's rectangle on a screen: at (1, 1) from the screen's corner,
    // of the size wanted (the form and the window's bars around it) as far as
    // the screen allows.
    static QRect FramePlacement(const QRect& screenGeometry, const QSize& wanted);

    // Command states that follow the active page.
    void UpdateCommandStates();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    QAction* MakeAction(int commandId, void (CMainFrame::*slot)());
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildMenus(int offset);
    void ApplyCommandTexts();
    void UpdateTitle();
    void UpdateIndicators();
    void ShowIdlePrompt();
    void PlaceOnScreen();
    void RestoreWorkspace();
    void SaveWorkspace();

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnAppExit();
    void OnProject();
    void OnImportData();
    void OnLanguagePolish();
    void OnLanguageEnglish();
    void OnLanguageRussian();
    void OnHelpFinder();
    void OnContextHelp();
    void OnTechnicalDescription();
    void OnAppAbout();

    CDalvorApp& app;
    QSettings& settings;
    std::unique_ptr<CDalvorDoc> doc;
    std::unique_ptr<QtHost> host;
    std::unique_ptr<HelpRouter> help;
    CDalvorView* view = nullptr;
    CDalvorToolBar* toolBar = nullptr;
    QLabel* messagePane = nullptr;
    QLabel* indicators[3] = {nullptr, nullptr, nullptr};
    QTimer indicatorTimer;
    QHash<int, QAction*> actions;
    QList<QAction*> recentActions;
    QAction* recentPlaceholder = nullptr;
    // The menus of the menu bar as last built.
    QList<QPointer<QMenu>> builtMenus;
    QPointer<ShellOpenServer> shellOpen;
    bool placed = false;
    bool initialUpdateDone = false;
};
