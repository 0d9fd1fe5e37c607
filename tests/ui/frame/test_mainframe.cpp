// The main window as the user meets it: the start-up picture, the language
// commands (tabs, menus, toolbar, tooltips, status prompts; Russian never
// offered), the commands that stay disabled, help, the technical description,
// the About box and the project manager on a page.
#include "core/base/Text.h"
#include "reports/ManageProjectDlg.h"
#include "reports/PrintoutTitleDlg.h"
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/base/Artwork.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/controls/TabCtrlEx.h"
#include "ui/controls/URLLinkButton.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/dialogs/LocalLossDlg.h"
#include "ui/dialogs/LossCalcDlg.h"
#include "ui/dialogs/SelectSoilDlg.h"
#include "ui/frame/HelpRouter.h"
#include "ui/frame/HelpWindow.h"
#include "ui/frame/MenuTexts.h"
#include "ui/frame/QtHost.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QKeySequence>
#include <QMap>
#include <QHelpEvent>
#include <QTextBlock>
#include <QTextBrowser>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QWhatsThis>

class TestMainFrame : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    void Start(int language = LangPolish, bool endPicture = false)
    {
        OpenMainWindow(language, QStringLiteral("mainframe"));
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        if (endPicture)
            frame->View()->EndStartupPicture();
    }

    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* a : frame->menuBar()->actions())
            titles << a->text();
        return titles;
    }

    // Every action reachable through the menu bar, submenus included.
    static QList<QAction*> MenuActions(const QList<QAction*>& actions)
    {
        QList<QAction*> all;
        for (QAction* a : actions)
            all << a << (a->menu() ? MenuActions(a->menu()->actions()) : QList<QAction*>());
        return all;
    }

    // The tooltip request goes to the button under the mouse, as the desktop
    // sends it.
    void HoverToolbarButton(int commandId)
    {
        QWidget* button = frame->ToolBar()->widgetForAction(frame->Action(commandId));
        QVERIFY(button);
        const QPoint local = button->rect().center();
        QHelpEvent tip(QEvent::ToolTip, local, button->mapToGlobal(local));
        QApplication::sendEvent(button, &tip);
    }

    QString Status() const { return frame->MessagePane()->text(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void startupPictureEndsOnAClick()
    {
        Start();
        CDalvorView* view = frame->View();
        QVERIFY(view->StartupPictureShown());
        QVERIFY(view->Picture()->isVisible());
        QVERIFY(!view->Sheet()->isVisible());
        QVERIFY(view->StartupTimerActive());
        QCOMPARE(view->StartupBitmap(), 328);
        QVERIFY(!view->Picture()->pixmap().isNull());
        // Russian has its own picture; a language with none shows none.
        QCOMPARE(StartupBitmapId(LangRussian), 330);
        QCOMPARE(StartupBitmapId(9999), 0);
        QVERIFY(StartupPicture(0, QSize(1050, 656), 1.0).isNull());

        QTest::mouseClick(view->Picture(), Qt::LeftButton, {}, QPoint(200, 200));
        QVERIFY(!view->StartupPictureShown());
        QVERIFY(!view->Picture()->isVisible());
        QVERIFY(view->Sheet()->isVisible());
        QVERIFY(!view->StartupTimerActive());
        // The picture is not kept once it has gone; the sheet opens on the tank.
        QVERIFY(view->Picture()->pixmap().isNull());
        QCOMPARE(view->Sheet()->currentIndex(), 0);
        QCOMPARE(app->activeCalcKind, int(KindTank));
    }

    void startupPictureEndsWithItsTimer()
    {
        CDalvorView::startupPictureMs = 0;
        Start(LangEnglish);
        CDalvorView* view = frame->View();
        QCOMPARE(view->StartupBitmap(), 327);
        QTRY_VERIFY(!view->StartupPictureShown());
        QVERIFY(view->Sheet()->isVisible());
        // A later click on the form changes nothing.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(view->Sheet()->isVisible());
        QVERIFY(!view->Picture()->isVisible());
    }

    void formAndDisclaimerAtTheScreensDensity()
    {
        Start();
        CDalvorView* view = frame->View();
        QCOMPARE(view->PictureRect(), QRect(0, 0, 1050, 656));
        QCOMPARE(view->Sheet()->geometry(), QRect(0, 0, 1050, 656));
        QCOMPARE(CDalvorView::FormSize(96, 96), QSize(1050, 656));
        QCOMPARE(CDalvorView::FormSize(144, 144), QSize(1575, 984));
        QCOMPARE(CDalvorView::FormSize(120, 120), QSize(1312, 820));
        QCOMPARE(CDalvorView::FormSize(120, 0), QSize(1312, 820));

        const QString polish = view->Disclaimer()->text();
        QVERIFY(polish.startsWith(QString(158, '_') + '\n'));
        QVERIFY(polish.endsWith(LangText(*app, 1612)));
        QCOMPARE(view->Disclaimer()->TextColor(), QColor(128, 128, 128));
        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        QVERIFY(view->Disclaimer()->text().endsWith(
            QString::fromStdU16String(app->LoadLangString(1612, LangEnglish))));
        QVERIFY(view->Disclaimer()->text() != polish);
    }

    void languageSwitchRelabelsTabsMenusToolbarAndPrompts()
    {
        Start(LangPolish);
        CCalcSheet* sheet = frame->Sheet();
        QCOMPARE(MenuTitles(), QStringList({"&Plik", "&Edycja", "&Język", "&Widok", "Po&moc"}));
        QCOMPARE(sheet->tabText(0), QString::fromStdU16String(app->LoadLangString(109, LangPolish)));
        QCOMPARE(frame->ToolBar()->windowTitle(), LangText(*app, 1594));
        QCOMPARE(Status(), LangText(*app, 57345));

        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        QCOMPARE(app->languageOffset, int(LangEnglish));
        QCOMPARE(MenuTitles(), QStringList({"&File", "&Edit", "&Language", "&View", "&Help"}));
        // The tab captions keep their blanks.
        QCOMPARE(sheet->tabText(0), QStringLiteral("     Underground tank - uplift force calculator     "));
        QCOMPARE(sheet->tabText(4), QStringLiteral("     Gravity pipeline - hydraulic calculator     "));
        QCOMPARE(frame->ToolBar()->windowTitle(), QStringLiteral("Standard"));
        for (const auto& [id, text] : {std::pair{ID_FILE_NEW, "&New"}, std::pair{ID_FILE_SAVE_AS, "Save &As..."},
                                       std::pair{ID_PROJECT, "P&roject..."}})
            QCOMPARE(frame->Action(id)->text(), QString::fromUtf8(text));
        QCOMPARE(frame->Action(ID_FILE_NEW)->statusTip(), QStringLiteral("Create a new document"));
        QCOMPARE(Status(), QStringLiteral("For Help, press F1"));
        // The status bar shows an item's prompt and the idle prompt again after it.
        QStatusTipEvent hover(frame->Action(ID_FILE_OPEN)->statusTip());
        QApplication::sendEvent(frame.get(), &hover);
        QCOMPARE(Status(), QStringLiteral("Open an existing document"));
        QStatusTipEvent away{QString()};
        QApplication::sendEvent(frame.get(), &away);
        QCOMPARE(Status(), QStringLiteral("For Help, press F1"));
        // The toolbar's tooltip: the title after the newline, the prompt under it.
        HoverToolbarButton(ID_FILE_NEW);
        QCOMPARE(frame->ToolBar()->LastTipTitle(), QStringLiteral("New"));
        QCOMPARE(frame->ToolBar()->LastTipDescription(), QStringLiteral("Create a new document"));
        QVERIFY(QToolTip::text().contains(QStringLiteral("Create a new document")));
        HoverToolbarButton(ID_IMPORT_DATA);
        QCOMPARE(frame->ToolBar()->LastTipTitle(), QStringLiteral("Data import"));
        // The untitled project's name follows too.
        QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Untitled[*] - Quorlin - Dalvor")));

        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        QCOMPARE(app->languageOffset, int(LangPolish));
        QCOMPARE(MenuTitles().first(), QStringLiteral("&Plik"));
        QCOMPARE(frame->Action(ID_FILE_NEW)->statusTip(), LangText(*app, 57600).section('\n', 0, 0));
        QCOMPARE(Status(), LangText(*app, 57345));
        HoverToolbarButton(ID_FILE_NEW);
        QCOMPARE(frame->ToolBar()->LastTipTitle(), LangText(*app, 57600).section('\n', 1));
        QVERIFY(frame->windowTitle().startsWith(LangText(*app, 21000)));
        QVERIFY(prompts->warnings.isEmpty());
    }

    // In every language each access key is used once in the menu bar, once
    // in each menu and once in each dialog or page.
    void accessKeysAreUniqueInEachMenuAndDialog_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("pl") << int(LangPolish);
        QTest::newRow("en") << int(LangEnglish);
        QTest::newRow("ru") << int(LangRussian);
    }
    void accessKeysAreUniqueInEachMenuAndDialog()
    {
        QFETCH(int, language);
        Start(LangEnglish, true);
        app->languageOffset = language;
        const auto keys = [this](std::initializer_list<int> ids) {
            QStringList texts;
            for (int id : ids)
                texts << LangText(*app, id);
            return texts;
        };
        // The texts a dialog or page offers an access key in.
        const auto offered = [](const QWidget* dialog) {
            QStringList texts;
            for (const QWidget* w : dialog->findChildren<QWidget*>()) {
                if (auto* b = qobject_cast<const QAbstractButton*>(w))
                    texts << b->text();
                else if (auto* l = qobject_cast<const QLabel*>(w); l && l->buddy())
                    texts << l->text();
                else if (auto* g = qobject_cast<const QGroupBox*>(w))
                    texts << g->title();
            }
            return texts;
        };
        const auto shown = [&](QWidget* dialog) {
            const std::unique_ptr<QWidget> owner(dialog);
            dialog->show();
            return offered(dialog);
        };
        const auto page = [&, sheet = frame->Sheet()](int tab) {
            sheet->setCurrentIndex(tab);
            sheet->SetLanguage(language);
            return offered(sheet->ActivePage());
        };
        const std::pair<const char*, std::function<QStringList()>> groups[] = {
            {"menu bar", [&] { return keys({kMenuFile, kMenuEdit, kMenuLanguage, kMenuView, kMenuHelp}); }},
            {"file", [&] { return keys({kMenuFileNew, kMenuFileOpen, kMenuFileSave, kMenuFileSaveAs, kMenuFilePrint,
                                        kMenuFileRecent, kMenuFileExit}); }},
            {"edit", [&] { return keys({kMenuEditProject, kMenuEditImport}); }},
            {"language", [&] { return keys({kMenuLanguagePolish, kMenuLanguageRussian, kMenuLanguageEnglish}); }},
            {"view", [&] { return keys({kMenuViewToolbar, kMenuViewStatusBar}); }},
            {"help", [&] { return keys({kMenuHelpTopics, kMenuHelpTechnical, kMenuHelpAbout}); }},
            {"about", [&] { return shown(new CAboutDlg); }},
            {"flow units", [&] { return shown(new CFlowUnitsCalcDlg(*app)); }},
            {"fluid", [&] { return shown(new CFluidParmsDlg(*app)); }},
            {"local losses", [&] { return shown(new CLocalLossDlg(*app)); }},
            {"loss calculator", [&] { return shown(new CLossCalcDlg(*app)); }},
            {"soil", [&] { return shown(new CSelectSoilDlg(*app)); }},
            {"import", [&] { return shown(new CImportDlg(*app)); }},
            {"project", [&] { return shown(new CManageProjectDlg(*app)); }},
            {"printout title", [&] { return shown(new CPrintoutTitleDlg(app->print, language)); }},
            {"tank page", [&] { return page(0); }},
            {"manhole page", [&] { return page(1); }},
            {"buried pipe page", [&] { return page(2); }},
            {"pressure page", [&] { return page(3); }},
            {"gravity page", [&] { return page(4); }},
        };
        for (const auto& [name, texts] : groups) {
            QMap<QString, QStringList> byKey;
            for (const QString& text : texts())
                if (const QKeySequence key = QKeySequence::mnemonic(text); !key.isEmpty())
                    byKey[key.toString()] << text;
            for (const QStringList& users : std::as_const(byKey))
                QVERIFY2(users.size() == 1, qPrintable(QString::fromLatin1(name) + ": " + users.join(" / ")));
        }
    }

    void menusAreBuiltAgainNotPiledUp()
    {
        Start(LangPolish);
        QMenuBar* bar = frame->menuBar();
        auto menusLeft = [bar] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return bar->findChildren<QMenu*>().size();
        };
        const auto menus = menusLeft();
        const auto uses = frame->Action(ID_FILE_NEW)->associatedObjects().size();
        for (int i = 0; i < 3; ++i) {
            frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
            frame->Action(ID_LANGUAGE_POLISH)->trigger();
        }
        // A changed recent-file list builds the menus again too.
        frame->Doc().AddToRecentFiles("/tmp/a.qdl");
        QCOMPARE(menusLeft(), menus);
        QCOMPARE(frame->Action(ID_FILE_NEW)->associatedObjects().size(), uses);
        QCOMPARE(MenuTitles(), QStringList({"&Plik", "&Edycja", "&Język", "&Widok", "Po&moc"}));

        // Chosen from its own menu, a language builds that menu again.
        QMenu* language = bar->actions().at(2)->menu();
        language->popup(frame->mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(language));
        QAction* english = frame->Action(ID_LANGUAGE_ENGLISH);
        QTest::mouseClick(language, Qt::LeftButton, {}, language->actionGeometry(english).center());
        QCOMPARE(app->languageOffset, int(LangEnglish));
        QCOMPARE(menusLeft(), menus);
        QCOMPARE(MenuTitles().first(), QStringLiteral("&File"));
    }

    void russianIsNeverOffered()
    {
        Start(LangPolish);
        QAction* russian = frame->Action(ID_LANGUAGE_RUSSIAN);
        for (int language : {0, int(ID_LANGUAGE_ENGLISH), int(ID_LANGUAGE_POLISH)}) {
            if (language)
                frame->Action(language)->trigger();
            QVERIFY(!russian->isEnabled());
            QVERIFY(!russian->isVisible());
            QVERIFY(!MenuActions(frame->menuBar()->actions()).contains(russian));
            QWidget* button = frame->ToolBar()->widgetForAction(russian);
            QVERIFY(!button || !button->isVisible());
            QVERIFY(frame->ToolBar()->widgetForAction(frame->Action(ID_LANGUAGE_ENGLISH))->isVisible());
        }
        // The command does nothing even when asked for.
        russian->trigger();
        QCOMPARE(app->languageOffset, int(LangPolish));
    }

    void tabsActivatePagesInTheirKinds()
    {
        Start(LangPolish, true);
        CCalcSheet* sheet = frame->Sheet();
        CTabCtrlEx* tabs = sheet->TabCtrl();
        QCOMPARE(tabs->count(), 5);
        // A click on a tab selects its page; every page is initialised once.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(sheet->currentIndex(), 2);
        QCOMPARE(app->activeCalcKind, int(KindBuriedPipe));
        QVERIFY(sheet->Page(2)->IsInitialised());
        QVERIFY(!sheet->Page(3)->IsInitialised());
        QVERIFY(sheet->Page(2)->IsActivePage());
        QVERIFY(!sheet->Page(0)->IsActivePage());
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(4).center());
        QCOMPARE(app->activeCalcKind, int(KindGravityFlow));
        // Ctrl+Tab and Ctrl+Shift+Tab step through the pages, round the ends.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        tabs->setFocus();
        const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; int tab; } steps[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 0}, {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 4},
            {Qt::Key_PageUp, Qt::ControlModifier, 3}, {Qt::Key_PageDown, Qt::ControlModifier, 4}};
        for (const auto& step : steps) {
            QTest::keyClick(tabs, step.key, step.modifiers);
            QCOMPARE(sheet->currentIndex(), step.tab);
        }
        QCOMPARE(app->activeCalcKind, int(KindGravityFlow));
        // Only the active page takes the new language at once; another page
        // takes it when it is next activated.
        QCOMPARE(sheet->Page(4)->LanguageShown(), int(LangPolish));
        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        QCOMPARE(sheet->Page(4)->LanguageShown(), int(LangEnglish));
        QCOMPARE(sheet->Page(2)->LanguageShown(), int(LangPolish));
        QCOMPARE(sheet->Page(3)->LanguageShown(), int(LangPolish));
        QCOMPARE(sheet->Page(1)->LanguageShown(), 0);
        for (int tab : {2, 1}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            QCOMPARE(sheet->Page(tab)->LanguageShown(), int(LangEnglish));
        }
        QVERIFY(sheet->Page(1)->IsInitialised());

        // Every page activates its kind, with Print enabled where the page
        // prints and Data import on the tank, manhole and buried-pipe pages
        // only; Ctrl+P does nothing on a page that does not print.
        const int kinds[] = {KindTank, KindManhole, KindBuriedPipe, KindPressureFlow, KindGravityFlow};
        int silent = -1;
        for (int tab = 0; tab < sheet->count(); ++tab) {
            sheet->setCurrentIndex(tab);
            QCOMPARE(app->activeCalcKind, kinds[tab]);
            QCOMPARE(frame->Action(ID_IMPORT_DATA)->isEnabled(), tab <= 2);
            QCOMPARE(frame->Action(ID_FILE_PRINT)->isEnabled(), sheet->Page(tab)->CanPrint());
            if (!sheet->Page(tab)->CanPrint())
                silent = tab;
        }
        QVERIFY(sheet->Page(4)->CanPrint());
        if (silent >= 0) {
            sheet->setCurrentIndex(silent);
            QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier);
        }
        QVERIFY(prompts->warnings.isEmpty());
    }

    // On every page a field that takes no typing, read-only or disabled,
    // shows the disabled field's background and text colours, and a read-only
    // one takes no typing, yet its text can be selected.
    void fieldsThatTakeNoTypingLookAlike()
    {
        Start(LangPolish, true);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        CCalcSheet* sheet = frame->Sheet();
        // The colour most of a field's pixels show: its background.
        auto background = [](QWidget* w) {
            const QImage image = w->grab().toImage();
            QHash<QRgb, int> counts;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ++counts[image.pixel(x, y)];
            QRgb best = 0;
            for (auto it = counts.cbegin(); it != counts.cend(); ++it)
                if (it.value() > counts.value(best))
                    best = it.key();
            return QColor(best);
        };
        int readOnly = 0, disabled = 0;
        for (int tab = 0; tab < sheet->count(); ++tab) {
            sheet->setCurrentIndex(tab);
            QWidget* page = sheet->Page(tab);
            QLineEdit reference(page);
            reference.setFixedWidth(60);
            reference.setEnabled(false);
            const QColor grey = background(&reference);
            for (QLineEdit* e : page->findChildren<QLineEdit*>()) {
                if (e == &reference || qobject_cast<CColorEdit*>(e) || !e->isVisible() ||
                    (e->isEnabled() && !e->isReadOnly()))
                    continue;
                const QString name = QString::number(tab) + QLatin1Char('/') + e->objectName();
                QVERIFY2(background(e) == grey, qPrintable(name));
                QVERIFY2(e->palette().color(e->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text) ==
                             reference.palette().color(QPalette::Disabled, QPalette::Text),
                         qPrintable(name));
                if (!e->isEnabled()) {
                    ++disabled;
                    continue;
                }
                ++readOnly;
                const QString before = e->text();
                // Through the window, as the user's mouse comes.
                frame->View()->ensureWidgetVisible(e);
                const QPoint start = e->mapTo(frame.get(), QPoint(6, e->height() / 2));
                QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, {}, start);
                QVERIFY2(e->hasSelectedText() && e->hasFocus(), qPrintable(name));
                QTest::keyClicks(e, QStringLiteral("12"));
                QCOMPARE(e->text(), before);
            }
        }
        // The tank's PP, HP, Ve, Dz, Dw, Gw and number, the manhole's Dns and
        // the buried pipe's cover and PP among them.
        QVERIFY(readOnly >= 14);
        QVERIFY(disabled >= 4);
    }

    void aboutBoxAndItsLink()
    {
        Start(LangEnglish);
        UrlCatcher urls;
        WithModal<CAboutDlg>([&] { frame->Action(ID_APP_ABOUT)->trigger(); }, [&](CAboutDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Info"));
            QStringList texts;
            for (QLabel* l : dlg->findChildren<QLabel*>())
                texts << l->text();
            QVERIFY(texts.contains(QStringLiteral("01-04-2022")));
            CURLLinkButton* link = dlg->Link();
            QCOMPARE(link->objectName(), QStringLiteral("1000"));
            // Enter would close the box: the OK button has the focus.
            dlg->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), dlg);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("1"));
            QVERIFY(!link->IsVisited());
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(urls.opened, QList<QUrl>({QUrl(QStringLiteral("http://www.quorlin.example"))}));
            QVERIFY(link->IsVisited());
            QCOMPARE(link->CurrentColor(), QColor(128, 0, 128));
            dlg->accept();
        });
    }

    void helpAndManualsOpenTheTopicOfWhatIsInUse()
    {
        Start(LangEnglish, true);
        UrlCatcher urls;
        const QString folder = QString::fromStdString(app->programFolder);
        auto opened = [&] { return urls.opened.last().toLocalFile(); };

        // The technical description: the manual of the page, in the language.
        frame->Action(ID_TECHNICAL_DESCRIPTION)->trigger();
        QCOMPARE(opened(), folder + "/doc/en/reservoir.pdf");
        frame->Sheet()->setCurrentIndex(4);
        frame->Action(ID_TECHNICAL_DESCRIPTION)->trigger();
        QCOMPARE(opened(), folder + "/doc/en/gravityflow.pdf");
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        frame->Action(ID_TECHNICAL_DESCRIPTION)->trigger();
        QCOMPARE(opened(), folder + "/doc/pl/gravityflow.pdf");
        // The manuals are built with the program.
        for (const QUrl& u : urls.opened)
            QVERIFY2(QFileInfo(u.toLocalFile()).size() > 1000, qPrintable(u.toLocalFile()));
        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        urls.opened.clear();

        frame->Action(ID_HELP_FINDER)->trigger();
        QCOMPARE(opened(), folder + "/DalvorEN.html");
        QVERIFY(!urls.opened.last().hasFragment());

        // F1 on a page: that page's topic.
        app->StoreCurrentCalc(KindManhole, -1);
        frame->Sheet()->setCurrentIndex(1);
        QWidget* control = nullptr;
        for (QWidget* w : frame->Sheet()->ActivePage()->findChildren<QWidget*>())
            if (!control && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus))
                control = w;
        QVERIFY(control);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        control->setFocus();
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_F1);
        QCOMPARE(urls.opened.size(), 2);
        QCOMPARE(urls.opened.last().fragment(), QStringLiteral("manhole"));

        // Shift+F1, then a click on something: its topic.
        QTest::keyClick(control, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(QWhatsThis::inWhatsThisMode());
        QCOMPARE(Status(), LangText(*app, 57346));
        QHelpEvent what(QEvent::WhatsThis, QPoint(2, 2), frame->Sheet()->Page(1)->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(frame->Sheet()->Page(1), &what);
        QVERIFY(!QWhatsThis::inWhatsThisMode());
        QCOMPARE(urls.opened.size(), 3);
        QCOMPARE(urls.opened.last().fragment(), QStringLiteral("manhole"));
        // Help mode over, the idle prompt is back; also when Escape ends it.
        QCOMPARE(Status(), LangText(*app, 57345));
        frame->Action(ID_CONTEXT_HELP)->trigger();
        QCOMPARE(Status(), LangText(*app, 57346));
        QWhatsThis::leaveWhatsThisMode();
        QCOMPARE(Status(), LangText(*app, 57345));

        // The help document of each language has every topic.
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        frame->Action(ID_HELP_FINDER)->trigger();
        QCOMPARE(opened(), folder + "/DalvorPL.html");
        for (const char* file : {"DalvorPL.html", "DalvorEN.html", "DalvorRU.html"}) {
            QFile html(folder + '/' + file);
            QVERIFY(html.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(html.readAll());
            for (const char* topic : {"contents", "main", "startup", "tank", "manhole", "pipe", "pressureflow",
                                      "gravityflow", "project", "import", "flowunits", "fluid", "locallosses",
                                      "losscalc", "soil", "printtitle", "about"})
                QVERIFY2(text.contains(QStringLiteral("id=\"%1\"").arg(topic)), topic);
        }
        QCOMPARE(HelpRouter::TopicOf(nullptr), QStringLiteral("main"));
        CAboutDlg about;
        QCOMPARE(HelpRouter::TopicOf(about.Link()), QStringLiteral("about"));
        QVERIFY(prompts->warnings.isEmpty());
    }

    // With no program for HTML on the desktop, help shows in a window of the
    // program's own, at the topic, and following the document's links.
    void helpWithNoBrowserShowsInTheProgramsOwnWindow()
    {
        Start(LangEnglish);
        UrlCatcher urls(false);
        frame->Sheet()->setCurrentIndex(4);
        struct Case {
            const char* topic;
            const char* heading;
        };
        for (const Case c : {Case{"gravityflow", "Gravity pipeline"}, Case{"flowunits", "Computational flow rate"},
                             Case{"", "Quorlin - Dalvor 5: Help"}}) {
            QVERIFY(frame->Help().OpenHelp(QString::fromLatin1(c.topic)));
            CHelpWindow* help = frame->Help().Window();
            QVERIFY(help && help->isVisible());
            QCOMPARE(help->windowTitle(), QStringLiteral("Dalvor - Help"));
            QTextBrowser* browser = help->Browser();
            QCOMPARE(browser->source().fragment(), QString::fromLatin1(c.topic));
            // The topic's heading is in view, and the start of the document is
            // not unless the topic is there.
            QTextCursor heading = browser->document()->find(QString::fromLatin1(c.heading));
            while (!heading.isNull() && heading.block().blockFormat().headingLevel() == 0)
                heading = browser->document()->find(QString::fromLatin1(c.heading), heading);
            QVERIFY(!heading.isNull());
            QVERIFY(browser->viewport()->rect().contains(browser->cursorRect(heading).center()));
            QCOMPARE(browser->verticalScrollBar()->value() == 0, !*c.topic);
        }
        QVERIFY(prompts->warnings.isEmpty());
        QCOMPARE(urls.opened.size(), 3);
        // F1 reaches the same window; a link in the document moves within it.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(frame->Help().Window()->Browser()->source().fragment(), HelpRouter::TopicOf(QApplication::focusWidget()));
        emit frame->Help().Window()->Browser()->anchorClicked(QUrl(QStringLiteral("#soil")));
        QCOMPARE(frame->Help().Window()->Browser()->source().fragment(), QStringLiteral("soil"));
        QVERIFY(prompts->warnings.isEmpty());
    }

    void missingHelpFileAndDatabaseAreReported()
    {
        Start(LangEnglish);
        UrlCatcher urls;
        app->helpFilePath = "/nonexistent/DalvorEN.html";
        frame->Action(ID_HELP_FINDER)->trigger();
        QVERIFY(urls.opened.isEmpty());
        QCOMPARE(prompts->warnings, QStringList({"The help file /nonexistent/DalvorEN.html cannot be opened."}));
        QVERIFY(!frame->Help().Window());

        ReferenceLoadStatus missing;
        missing.error = ReferenceLoadStatus::CannotOpen;
        missing.file = "/somewhere/db/en/quorlindata.mdb";
        frame->WarnReferenceData(missing);
        QCOMPARE(prompts->warnings.last(),
                 QStringLiteral("The reference database /somewhere/db/en/quorlindata.mdb cannot be opened. "
                                "The catalogue lists stay empty."));
        ReferenceLoadStatus table;
        table.error = ReferenceLoadStatus::MissingTable;
        table.file = "/x/quorlindata.mdb";
        table.table = "Soils";
        frame->WarnReferenceData(table);
        QVERIFY(prompts->warnings.last().contains(QStringLiteral("/x/quorlindata.mdb has no table(s) Soils")));

        // At start-up, once the window is there.
        CMainFrame second(*app, *settings);
        second.StartUp(missing, {});
        QVERIFY(second.isVisible());
        QCOMPARE(prompts->warnings.size(), 4);
        QVERIFY(prompts->warnings.last().contains(QStringLiteral("/somewhere/db/en/quorlindata.mdb")));
        second.close();

        // A language whose database cannot be read says so at the switch.
        app->programFolder = "/nonexistent-dalvor";
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        QCOMPARE(prompts->warnings.size(), 5);
        QVERIFY(prompts->warnings.last().contains(QStringLiteral("/nonexistent-dalvor/db/pl/quorlindata.mdb")));
        QCOMPARE(RowCount(app->tables.soils), 0);
    }

    // A page of a kind with stored calculations, shown in Polish and opened
    // again after the switch to English, shows (and prints) its conclusion in
    // English.
    void pageOpenedAfterALanguageSwitchTakesItsConclusionInTheNewLanguage()
    {
        Start(LangPolish, true);
        for (int kind : {KindManhole, KindBuriedPipe, KindPressureFlow, KindGravityFlow})
            app->StoreCurrentCalc(kind, -1);
        CTabCtrlEx* tabs = frame->Sheet()->TabCtrl();
        for (int tab : {1, 2, 3, 4, 0})
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        const struct { int tab; const char16_t* conclusion; int key; } rows[] = {
            {1, app->working.manhole.head.conclusion, 20237}, {2, app->working.buriedPipe.head.conclusion, 20243},
            {3, app->working.pressureFlow.head.conclusion, 20255}, {4, app->working.gravityFlow.head.conclusion, 20261}};
        for (const auto& row : rows) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(row.tab).center());
            QCOMPARE(QString::fromUtf16(row.conclusion), LangText(*app, row.key, LangEnglish));
        }
    }

    void toolbarAndStatusBarToggle()
    {
        Start();
        QAction* bar = frame->Action(ID_VIEW_TOOLBAR);
        QAction* status = frame->Action(ID_VIEW_STATUS_BAR);
        QVERIFY(bar->isChecked());
        QVERIFY(status->isChecked());
        bar->trigger();
        QVERIFY(!frame->ToolBar()->isVisible());
        QVERIFY(!bar->isChecked());
        status->trigger();
        QVERIFY(!frame->statusBar()->isVisible());
        bar->trigger();
        QVERIFY(frame->ToolBar()->isVisible());
        // The choices are kept for the next start.
        frame->close();
        frame = std::make_unique<CMainFrame>(*app, *settings);
        frame->StartUp(ReferenceLoadStatus{}, {});
        QVERIFY(frame->ToolBar()->isVisible());
        QVERIFY(!frame->statusBar()->isVisible());
        QVERIFY(!frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
    }
};

DALVOR_TEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
