#include "ui/frame/MainFrame.h"

#include "core/app/DalvorApp.h"
#include "platform/KeyboardLocks.h"
#include "platform/ShellOpen.h"
#include "ui/base/Artwork.h"
#include "ui/base/UiPrompts.h"
#include "ui/base/UiText.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/frame/DalvorDoc.h"
#include "ui/frame/DalvorView.h"
#include "ui/frame/FrameworkTexts.h"
#include "ui/frame/HelpRouter.h"
#include "ui/frame/MenuTexts.h"
#include "ui/frame/QtHost.h"
#include "ui/frame/QtTranslations.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QWindow>

#include <iterator>
#include <type_traits>

namespace {

const QString kWorkspaceState = QStringLiteral("Workspace/State");
const QString kWorkspaceStatusBar = QStringLiteral("Workspace/StatusBar");

}  // namespace

// ---- toolbar ------------------------------------------------------------------------

CDalvorToolBar::CDalvorToolBar(CDalvorApp& a, QWidget* parent) : QToolBar(parent), app(a)
{
    setObjectName(QStringLiteral("130"));
    setIconSize(QSize(16, 15));
    setAllowedAreas(Qt::AllToolBarAreas);
    setMovable(true);
}

bool CDalvorToolBar::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QToolBar::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    ShowTip(help->pos(), help->globalPos());
    return true;
}

void CDalvorToolBar::actionEvent(QActionEvent* event)
{
    QToolBar::actionEvent(event);
    // A button would answer the tooltip request itself, with its action's
    // title alone: the toolbar answers for it.
    if (event->type() == QEvent::ActionAdded)
        if (QWidget* button = widgetForAction(event->action()))
            button->installEventFilter(this);
}

bool CDalvorToolBar::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::ToolTip && button && button->parentWidget() == this) {
        auto* help = static_cast<QHelpEvent*>(event);
        ShowTip(button->mapToParent(help->pos()), help->globalPos());
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}

void CDalvorToolBar::ShowTip(const QPoint& pos, const QPoint& globalPos)
{
    QAction* action = actionAt(pos);
    const int id = action ? action->property("commandId").toInt() : 0;
    if (id <= 0) {
        QToolTip::hideText();
        return;
    }
    CommandTexts t = SplitCommandText(LangText(app, id));
    lastTitle = t.tooltip;
    lastDescription = t.description;
    QString html = QStringLiteral("<b>%1</b>").arg(t.tooltip.toHtmlEscaped());
    if (!t.description.isEmpty())
        html += QStringLiteral("<br>") + t.description.toHtmlEscaped();
    QToolTip::showText(globalPos, html, this);
}

// ---- frame --------------------------------------------------------------------------

CMainFrame::CMainFrame(CDalvorApp& a, QSettings& s, QWidget* parent)
    : QMainWindow(parent), app(a), settings(s)
{
    setObjectName(QStringLiteral("MainFrame"));
    setProperty("helpTopic", QStringLiteral("main"));
    // No maximize button: the window keeps the size it is given.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);

    doc = std::make_unique<CDalvorDoc>(app, settings);
    doc->SetWindow(this);
    doc->SetSheetAccess([this] { return Sheet(); });
    host = std::make_unique<QtHost>(app, *this);
    app.SetHost(host.get());
    help = std::make_unique<HelpRouter>(app);
    help->onContextHelp = [this] { messagePane->setText(LangText(app, kTextHelpModePrompt)); };
    help->onContextHelpEnd = [this] { ShowIdlePrompt(); };

    CreateActions();
    CreateToolBar();
    CreateStatusBar();

    view = new CDalvorView(app, this);
    setCentralWidget(view);
    connect(view->Sheet(), &CCalcSheet::activePageChanged, this, [this] { UpdateCommandStates(); });

    connect(doc.get(), &CDalvorDoc::modifiedChanged, this, [this] { UpdateTitle(); });
    connect(doc.get(), &CDalvorDoc::titleChanged, this, [this] { UpdateTitle(); });
    connect(doc.get(), &CDalvorDoc::recentFilesChanged, this, [this] { RebuildMenus(app.languageOffset); });
    connect(doc.get(), &CDalvorDoc::projectReplaced, this, [this] { UpdateCommandStates(); });
    connect(doc.get(), &CDalvorDoc::autosaveFailedChanged, this, [this] { ShowIdlePrompt(); });

    RebuildMenus(app.languageOffset);
    ApplyCommandTexts();
    RestoreWorkspace();
    UpdateTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    indicatorTimer.stop();
    if (&app.Host() == host.get())
        app.SetHost(nullptr);
}

CCalcSheet* CMainFrame::Sheet() const
{
    return view ? view->Sheet() : nullptr;
}

QAction* CMainFrame::MakeAction(int commandId, void (CMainFrame::*slot)())
{
    auto* action = new QAction(this);
    action->setObjectName(QString::number(commandId));
    action->setProperty("commandId", commandId);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    actions.insert(commandId, action);
    return action;
}

void CMainFrame::CreateActions()
{
    MakeAction(ID_FILE_NEW, &CMainFrame::OnFileNew)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    MakeAction(ID_FILE_OPEN, &CMainFrame::OnFileOpen)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    MakeAction(ID_FILE_SAVE, &CMainFrame::OnFileSave)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MakeAction(ID_FILE_SAVE_AS, &CMainFrame::OnFileSaveAs);
    MakeAction(ID_FILE_PRINT, &CMainFrame::OnFilePrint)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    MakeAction(ID_APP_EXIT, &CMainFrame::OnAppExit);
    MakeAction(ID_PROJECT, &CMainFrame::OnProject);
    MakeAction(ID_IMPORT_DATA, &CMainFrame::OnImportData);
    MakeAction(ID_LANGUAGE_POLISH, &CMainFrame::OnLanguagePolish);
    MakeAction(ID_LANGUAGE_ENGLISH, &CMainFrame::OnLanguageEnglish);
    // Russian exists, but is never offered: disabled and hidden everywhere.
    QAction* russian = MakeAction(ID_LANGUAGE_RUSSIAN, &CMainFrame::OnLanguageRussian);
    russian->setEnabled(false);
    russian->setVisible(false);
    MakeAction(ID_HELP_FINDER, &CMainFrame::OnHelpFinder);
    MakeAction(ID_CONTEXT_HELP, &CMainFrame::OnContextHelp);
    MakeAction(ID_TECHNICAL_DESCRIPTION, &CMainFrame::OnTechnicalDescription);
    MakeAction(ID_APP_ABOUT, &CMainFrame::OnAppAbout);

    QAction* bar = MakeAction(ID_VIEW_TOOLBAR, nullptr);
    bar->setCheckable(true);
    bar->setChecked(true);
    QAction* status = MakeAction(ID_VIEW_STATUS_BAR, nullptr);
    status->setCheckable(true);
    status->setChecked(true);

    for (int i = 0; i < CDalvorDoc::kRecentFileCount; ++i) {
        QAction* recent = MakeAction(ID_FILE_MRU_FILE1 + i, nullptr);
        connect(recent, &QAction::triggered, this, [this, i] { doc->OpenRecentFile(i); });
        recentActions.append(recent);
    }
    // The placeholder that stands in the File menu while the list is empty.
    recentPlaceholder = new QAction(this);
    recentPlaceholder->setObjectName(QStringLiteral("RecentFilePlaceholder"));
    recentPlaceholder->setEnabled(false);

    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_PROJECT, ID_IMPORT_DATA, ID_FILE_PRINT,
                   ID_CONTEXT_HELP, ID_TECHNICAL_DESCRIPTION, ID_APP_ABOUT, ID_LANGUAGE_POLISH,
                   ID_LANGUAGE_RUSSIAN, ID_LANGUAGE_ENGLISH})
        actions.value(id)->setIcon(ToolbarIcon(id));
}

void CMainFrame::CreateToolBar()
{
    toolBar = new CDalvorToolBar(app, this);
    for (int id : std::initializer_list<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_PROJECT, ID_IMPORT_DATA, 0, ID_FILE_PRINT, 0,
                   ID_CONTEXT_HELP, ID_TECHNICAL_DESCRIPTION, ID_APP_ABOUT, 0, ID_LANGUAGE_POLISH,
                   ID_LANGUAGE_RUSSIAN, ID_LANGUAGE_ENGLISH}) {
        if (id == 0)
            toolBar->addSeparator();
        else
            toolBar->addAction(actions.value(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar);

    QAction* bar = actions.value(ID_VIEW_TOOLBAR);
    connect(bar, &QAction::toggled, toolBar, &QToolBar::setVisible);
    connect(toolBar, &QToolBar::visibilityChanged, this, [this, bar](bool visible) {
        // A hidden window hides its bars too; only the user's choice counts.
        if (isVisible())
            bar->setChecked(visible);
    });
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    messagePane = new QLabel(bar);
    messagePane->setObjectName(QStringLiteral("MessagePane"));
    messagePane->setTextFormat(Qt::PlainText);
    bar->addWidget(messagePane, 1);
    for (QLabel*& indicator : indicators) {
        indicator = new QLabel(bar);
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(40);
        bar->addPermanentWidget(indicator);
    }
    QAction* status = actions.value(ID_VIEW_STATUS_BAR);
    connect(status, &QAction::toggled, bar, &QStatusBar::setVisible);

    connect(&indicatorTimer, &QTimer::timeout, this, &CMainFrame::UpdateIndicators);
    if (KeyboardLocksAvailable())
        indicatorTimer.start(250);
}

void CMainFrame::RebuildMenus(int offset)
{
    auto text = [&](int key) { return MenuItemText(LangText(app, key, offset)); };
    auto withText = [&](int id, int key) {
        QAction* a = actions.value(id);
        a->setText(text(key));
        return a;
    };

    QMenuBar* bar = menuBar();
    // The menus of the last build go once the command that may have come
    // from one of them is done; the commands themselves stay.
    for (const QPointer<QMenu>& old : std::as_const(builtMenus))
        if (old)
            old->deleteLater();
    builtMenus.clear();
    bar->clear();

    QMenu* file = bar->addMenu(text(kMenuFile));
    file->addAction(withText(ID_FILE_NEW, kMenuFileNew));
    file->addAction(withText(ID_FILE_OPEN, kMenuFileOpen));
    file->addAction(withText(ID_FILE_SAVE, kMenuFileSave));
    file->addAction(withText(ID_FILE_SAVE_AS, kMenuFileSaveAs));
    file->addSeparator();
    file->addAction(withText(ID_FILE_PRINT, kMenuFilePrint));
    file->addSeparator();
    const QStringList recent = doc->RecentFiles();
    if (recent.isEmpty()) {
        recentPlaceholder->setText(text(kMenuFileRecent));
        file->addAction(recentPlaceholder);
    } else {
        const QFontMetrics fm(file->font());
        for (int i = 0; i < recent.size() && i < recentActions.size(); ++i) {
            QString shown = fm.elidedText(QDir::toNativeSeparators(recent.at(i)), Qt::ElideMiddle, 420);
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction* a = recentActions.at(i);
            // The entries are numbered 1 to 9 and 10, each with its access key.
            const QString number = i + 1 < 10 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
            a->setText(number + QLatin1Char(' ') + shown);
            file->addAction(a);
        }
    }
    file->addSeparator();
    file->addAction(withText(ID_APP_EXIT, kMenuFileExit));

    QMenu* edit = bar->addMenu(text(kMenuEdit));
    edit->addAction(withText(ID_PROJECT, kMenuEditProject));
    edit->addAction(withText(ID_IMPORT_DATA, kMenuEditImport));

    QMenu* language = bar->addMenu(text(kMenuLanguage));
    language->addAction(withText(ID_LANGUAGE_POLISH, kMenuLanguagePolish));
    // The Russian item is taken out of the menu; its action stays, hidden.
    withText(ID_LANGUAGE_RUSSIAN, kMenuLanguageRussian);
    language->addAction(withText(ID_LANGUAGE_ENGLISH, kMenuLanguageEnglish));

    QMenu* viewMenu = bar->addMenu(text(kMenuView));
    QMenu* toolbars = viewMenu->addMenu(text(kMenuViewToolbar));
    toolbars->addAction(withText(ID_VIEW_TOOLBAR, kMenuViewStandard));
    viewMenu->addAction(withText(ID_VIEW_STATUS_BAR, kMenuViewStatusBar));

    QMenu* helpMenu = bar->addMenu(text(kMenuHelp));
    helpMenu->addAction(withText(ID_HELP_FINDER, kMenuHelpTopics));
    helpMenu->addSeparator();
    helpMenu->addAction(withText(ID_TECHNICAL_DESCRIPTION, kMenuHelpTechnical));
    helpMenu->addSeparator();
    helpMenu->addAction(withText(ID_APP_ABOUT, kMenuHelpAbout));

    // Menus keep no status prompt of their own: the idle prompt shows.
    for (QMenu* m : {file, edit, language, viewMenu, toolbars, helpMenu})
        m->menuAction()->setStatusTip(QString());
    builtMenus = {file, edit, language, viewMenu, helpMenu};
}

void CMainFrame::ApplyCommandTexts()
{
    for (auto it = actions.cbegin(); it != actions.cend(); ++it) {
        CommandTexts t = SplitCommandText(LangText(app, it.key()));
        it.value()->setStatusTip(t.prompt);
        it.value()->setToolTip(t.tooltip);
    }
    // The recent-file placeholder shares the first entry's prompt.
    recentPlaceholder->setStatusTip(SplitCommandText(LangText(app, ID_FILE_MRU_FILE1)).prompt);
    toolBar->setWindowTitle(LangText(app, IDS_TOOLBAR_STANDARD));
    indicators[0]->setProperty("onText", LangText(app, kTextIndicatorCaps));
    indicators[1]->setProperty("onText", LangText(app, kTextIndicatorNum));
    indicators[2]->setProperty("onText", LangText(app, kTextIndicatorScroll));
    UpdateIndicators();
    ShowIdlePrompt();
}

void CMainFrame::ShowIdlePrompt()
{
    // A failed autosave stays in sight, in place of the idle prompt, until
    // one is written.
    messagePane->setText(LangText(app, doc->AutosaveFailed() ? int(kTextAutosaveFailed) : int(AFX_IDS_IDLEMESSAGE)));
}

void CMainFrame::UpdateIndicators()
{
    KeyboardLocks locks = ReadKeyboardLocks();
    const bool on[std::extent_v<decltype(indicators)>] = {locks.caps, locks.num, locks.scroll};
    for (std::size_t i = 0; i < std::size(indicators); ++i) {
        QString t = indicators[i]->property("onText").toString();
        // The pane keeps its width; its text shows while the key is on.
        indicators[i]->setMinimumWidth(indicators[i]->fontMetrics().horizontalAdvance(t) + 12);
        indicators[i]->setText(on[i] ? t : QString());
    }
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(doc->Title() + QStringLiteral("[*] - Quorlin - Dalvor"));
    setWindowModified(doc->IsModified());
}

void CMainFrame::UpdateCommandStates()
{
    CCalcSheet* sheet = Sheet();
    CCalcPage* page = sheet ? sheet->ActivePage() : nullptr;
    const int kind = app.activeCalcKind;
    // Import serves the tank, manhole and buried-pipe pages only, and only
    // when the import dialog is there.
    const bool importKind = kind == KindTank || kind == KindManhole || kind == KindBuriedPipe;
    actions.value(ID_IMPORT_DATA)->setEnabled(importKind && sheet && sheet->ImportAvailable());
    actions.value(ID_FILE_PRINT)->setEnabled(page && page->CanPrint());
    actions.value(ID_LANGUAGE_RUSSIAN)->setEnabled(false);
    actions.value(ID_LANGUAGE_RUSSIAN)->setVisible(false);
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        // Every prompt in the current language; with none, the idle prompt.
        QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty())
            ShowIdlePrompt();
        else
            messagePane->setText(tip);
        return true;
    }
    return QMainWindow::event(event);
}

// ---- placement and start-up ----------------------------------------------------------

QRect CMainFrame::FramePlacement(const QRect& screen, const QSize& wanted)
{
    return QRect(screen.left() + 1, screen.top() + 1, std::min(screen.width(), wanted.width()),
                 std::min(screen.height(), wanted.height()));
}

void CMainFrame::PlaceOnScreen()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    // The window fits its form: the menu, tool and status bars laid out
    // around the view, and the whole form in the view.
    if (layout())
        layout()->activate();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize bars = size() - view->size();
    QSize wanted = view->Form()->size() + bars + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    // A screen too low for the form leaves room beside it for the scroll bar,
    // and one too narrow leaves room under it, so that only one way scrolls.
    const QRect area = s->geometry();
    if (wanted.height() > area.height())
        wanted.rwidth() += view->verticalScrollBar()->sizeHint().width();
    if (wanted.width() > area.width())
        wanted.rheight() += view->horizontalScrollBar()->sizeHint().height();
    const QRect target = FramePlacement(area, wanted);
    // The rectangle holds for the whole window, its frame included, as far as
    // the frame is known.
    const QSize client(target.width() - frame.left() - frame.right(),
                       target.height() - frame.top() - frame.bottom());
    resize(client);
    move(target.topLeft());
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!placed && !event->spontaneous()) {
        placed = true;
        if (!initialUpdateDone) {
            initialUpdateDone = true;
            view->OnInitialUpdate();
        }
        PlaceOnScreen();
    }
}

void CMainFrame::StartUp(const ReferenceLoadStatus& status, const QByteArray& commandLineFile)
{
    InstallQtTranslations(app.languageOffset);
    show();
    WarnReferenceData(status);
    // The program starts on a new, empty project: the first page shows the
    // default record, recalculated.
    if (CCalcSheet* sheet = Sheet())
        sheet->RefreshActivePage();
    doc->OfferAutosave();
    if (!commandLineFile.isEmpty())
        doc->OpenDocumentFile(commandLineFile);
}

void CMainFrame::OpenHandedFile(const QByteArray& file)
{
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, this, [this, file] { OpenHandedFile(file); });
        return;
    }
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    doc->OpenDocumentFile(file);
}

void CMainFrame::ServeHandedFiles(ShellOpenServer& server)
{
    shellOpen = &server;
    connect(&server, &ShellOpenServer::fileHandedOver, this, &CMainFrame::OpenHandedFile, Qt::QueuedConnection);
}

void CMainFrame::WarnReferenceData(const ReferenceLoadStatus& status)
{
    if (status.error == ReferenceLoadStatus::Ok)
        return;
    const QString file = QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(status.file)));
    if (status.error == ReferenceLoadStatus::MissingTable)
        Prompts().Warn(this, FillText(LangText(app, kTextDatabaseTableMissing), file,
                                      QString::fromStdString(status.table)));
    else
        Prompts().Warn(this, FillText(LangText(app, kTextDatabaseMissing), file));
}

void CMainFrame::RestoreWorkspace()
{
    QByteArray state = settings.value(kWorkspaceState).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
    const bool barVisible = !toolBar->isHidden() || state.isEmpty();
    actions.value(ID_VIEW_TOOLBAR)->setChecked(barVisible);
    toolBar->setVisible(barVisible);
    const bool statusVisible = settings.value(kWorkspaceStatusBar, true).toBool();
    actions.value(ID_VIEW_STATUS_BAR)->setChecked(statusVisible);
    statusBar()->setVisible(statusVisible);
}

void CMainFrame::SaveWorkspace()
{
    settings.setValue(kWorkspaceState, saveState());
    settings.setValue(kWorkspaceStatusBar, actions.value(ID_VIEW_STATUS_BAR)->isChecked());
    settings.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A file handed over while the user is asked to save would be taken
    // and never opened, since the program then ends: meanwhile the start
    // that hands it opens it itself.
    if (shellOpen)
        shellOpen->Pause();
    if (!doc->SaveModified()) {
        if (shellOpen)
            shellOpen->Resume();
        event->ignore();
        return;
    }
    SaveWorkspace();
    // A clean end: nothing is left to restore.
    doc->RemoveAutosave();
    event->accept();
}

// ---- dropped files ------------------------------------------------------------------

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
    event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (!mime || !mime->hasUrls()) {
        event->ignore();
        return;
    }
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        event->acceptProposedAction();
        activateWindow();
        // One project is open at a time: the first file dropped is opened,
        // once the drop is over, so that the program that the file came from
        // is not held up by the questions the opening may ask.
        const QString file = url.toLocalFile();
        QMetaObject::invokeMethod(this, [this, file] { doc->OpenDocumentFile(file); }, Qt::QueuedConnection);
        return;
    }
    event->ignore();
}

// ---- commands ----------------------------------------------------------------------

void CMainFrame::OnFileNew()
{
    doc->OnFileNew();
}

void CMainFrame::OnFileOpen()
{
    doc->OnFileOpen();
}

void CMainFrame::OnFileSave()
{
    doc->OnFileSave();
}

void CMainFrame::OnFileSaveAs()
{
    doc->OnFileSaveAs();
}

void CMainFrame::OnFilePrint()
{
    doc->OnFilePrint();
}

void CMainFrame::OnAppExit()
{
    close();
}

void CMainFrame::OnProject()
{
    doc->OnProject();
}

void CMainFrame::OnImportData()
{
    doc->OnImportData();
}

void CMainFrame::OnLanguagePolish()
{
    OnLanguage(LangPolish);
}

void CMainFrame::OnLanguageEnglish()
{
    OnLanguage(LangEnglish);
}

void CMainFrame::OnLanguageRussian()
{
    // Never offered: the command is disabled.
}

void CMainFrame::OnLanguage(int offset)
{
    RebuildMenus(offset);
    app.languageOffset = offset;
    if (CCalcSheet* sheet = Sheet())
        sheet->SetLanguage(offset);
    ReferenceLoadStatus status = app.SwitchLanguage(offset);
    toolBar->setWindowTitle(LangText(app, IDS_TOOLBAR_STANDARD, offset));

    // What else shows a text of the language: Qt's own dialogs, the prompts
    // and tooltips, the title, the disclaimer.
    InstallQtTranslations(offset);
    ApplyCommandTexts();
    UpdateTitle();
    view->ApplyLanguage();
    UpdateCommandStates();
    WarnReferenceData(status);
}

void CMainFrame::OnHelpFinder()
{
    help->OpenHelp(QString());
}

void CMainFrame::OnContextHelp()
{
    help->EnterContextHelp();
}

void CMainFrame::OnTechnicalDescription()
{
    app.OpenManual(app.activeCalcKind);
}

void CMainFrame::OnAppAbout()
{
    app.OnAppAbout();
}
