// The main window's size rules on screens of several sizes and densities:
// at (1, 1) from the screen's corner, as large as the form of 1050 by 656 at
// 96 dots per inch (scaled to the screen's density) and the window's bars
// need, scrolling when the screen is smaller than that.
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/frame/DalvorDoc.h"
#include "ui/frame/DalvorView.h"
#include "ui/frame/HelpRouter.h"
#include "ui/frame/HelpWindow.h"
#include "ui/frame/MainFrame.h"
#include "ui/sheet/CalcSheet.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

namespace {

// The offscreen platform takes its screens from a file named before the
// application starts.
struct OffscreenScreens {
    OffscreenScreens()
    {
        const QString path = dir.filePath(QStringLiteral("screens.json"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            f.write(R"({"screens":[
  {"name":"wide","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
  {"name":"laptop","x":1920,"y":0,"width":1280,"height":720,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
  {"name":"netbook","x":3200,"y":0,"width":1024,"height":600,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
  {"name":"dense","x":4224,"y":0,"width":2880,"height":1620,"logicalDpi":144,"logicalBaseDpi":96,"dpr":1}
]})");
            f.close();
        }
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(path));
    }
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/dalvor-ui-placement-XXXXXX")};
} offscreenScreens;

}  // namespace

class TestPlacement : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CDalvorApp> app;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<ScriptedPrompts> prompts;

    QScreen* ScreenNamed(const QString& name)
    {
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == name)
                return s;
        return nullptr;
    }

    std::unique_ptr<CMainFrame> OpenOn(QScreen* screen)
    {
        auto frame = std::make_unique<CMainFrame>(*app, *settings);
        frame->setScreen(screen);
        frame->move(screen->geometry().topLeft() + QPoint(50, 50));
        frame->StartUp(ReferenceLoadStatus{}, {});
        [&] { QVERIFY(QTest::qWaitForWindowExposed(frame.get())); }();
        return frame;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(QGuiApplication::screens().size(), 4);
    }

    void init()
    {
        prompts = std::make_unique<ScriptedPrompts>();
        app = StartedApp(LangEnglish);
        settings = std::make_unique<QSettings>(FreshFolder(QStringLiteral("placement")) + "/settings.ini",
                                               QSettings::IniFormat);
        CDalvorView::startupPictureMs = 60 * 60 * 1000;
    }

    void cleanup()
    {
        settings.reset();
        app.reset();
        prompts.reset();
        CDalvorView::startupPictureMs = 10000;
    }

    void placementRule()
    {
        struct Case {
            QRect screen;
            QSize wanted;
            QRect placed;
        };
        const Case cases[] = {
            {{0, 0, 1920, 1080}, {1052, 760}, {1, 1, 1052, 760}},
            {{0, 0, 1280, 720}, {1052, 760}, {1, 1, 1052, 720}},
            {{0, 0, 1052, 760}, {1052, 760}, {1, 1, 1052, 760}},
            {{1920, 0, 1024, 600}, {1052, 760}, {1921, 1, 1024, 600}},
        };
        for (const Case& c : cases)
            QCOMPARE(CMainFrame::FramePlacement(c.screen, c.wanted), c.placed);
    }

    void windowOnScreens_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("1920 x 1080") << "wide" << QPoint(1, 1) << false;
        QTest::newRow("1280 x 720") << "laptop" << QPoint(1921, 1) << true;
        QTest::newRow("1024 x 600") << "netbook" << QPoint(3201, 1) << true;
    }

    void windowOnScreens()
    {
        QFETCH(QString, screen);
        QFETCH(QPoint, corner);
        QFETCH(bool, scrolls);
        QScreen* s = ScreenNamed(screen);
        QVERIFY(s);
        auto frame = OpenOn(s);
        QCOMPARE(frame->screen(), s);
        QCOMPARE(frame->frameGeometry().topLeft(), corner);
        // No maximize button.
        QVERIFY(!(frame->windowFlags() & Qt::WindowMaximizeButtonHint));
        // The window is as wide as the form, or the screen where that is
        // narrower; no band is left beside the form.
        CDalvorView* view = frame->View();
        QCOMPARE(view->Sheet()->size(), QSize(1050, 656));
        if (!scrolls)
            QCOMPARE(view->size(), view->Form()->size());
        else
            QCOMPARE(frame->frameGeometry().bottom(), s->geometry().bottom() + 1);
        QCOMPARE(frame->frameGeometry().right() >= s->geometry().right(), screen == QStringLiteral("netbook"));
        // The form keeps its size and scrolls when the window is smaller.
        QCOMPARE(view->verticalScrollBar()->maximum() > 0, scrolls);
        QCOMPARE(view->horizontalScrollBar()->maximum() > 0, screen == QStringLiteral("netbook"));
        // With no program for HTML, help opens in a window of its own wholly
        // on the free part of this screen; Escape closes it.
        UrlCatcher shell(false);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QVERIFY(frame->Help().OpenHelp(QString()));
        QPointer<CHelpWindow> help = frame->Help().Window();
        QVERIFY(help && QTest::qWaitForWindowExposed(help));
        QCOMPARE(help->screen(), s);
        QVERIFY2(s->availableGeometry().contains(help->frameGeometry()), qPrintable(screen));
        QTest::keyClick(help->Browser(), Qt::Key_Escape);
        QTRY_VERIFY(!help);
        // A window made larger keeps the form in the middle, at the top.
        frame->resize(frame->width() + 300, frame->height() + 100);
        QTRY_COMPARE(view->Form()->geometry().center().x(), view->viewport()->rect().center().x());
        QCOMPARE(view->Form()->y(), 0);
        frame->Doc().SetModified(false);
    }

    void denseScreenScalesTheForm()
    {
        QScreen* s = ScreenNamed(QStringLiteral("dense"));
        QVERIFY(s);
        QCOMPARE(s->devicePixelRatio(), 1.5);
        auto frame = OpenOn(s);
        // In the screen's own pixels: 1575 by 984, as 1050 by 656 at 144 dots per inch.
        QCOMPARE(frame->View()->Picture()->grab().size(), QSize(1575, 984));
        frame->View()->EndStartupPicture();
        QCOMPARE(frame->View()->Sheet()->grab().size(), QSize(1575, 984));
        QCOMPARE(frame->View()->size(), frame->View()->Form()->size());
        frame->Doc().SetModified(false);
    }
};

DALVOR_TEST_MAIN(TestPlacement)
#include "test_placement.moc"
