// The report page's geometry on an A4 PDF at 600 dpi, the picture's place by
// its shape, the printout title dialog, the driver's cancel paths and its PDF
// file saved as a project is.
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "reports/PrintDrivers.h"
#include "reports/PrintoutTitleDlg.h"
#include "tests/QtTestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <dlfcn.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

// A fault a test sets: writes to files fail as on a full disk.
static std::atomic<bool> diskFull{false};

extern "C" ssize_t write(int fd, const void* data, size_t n)
{
    struct stat info {};
    if (diskFull && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        return errno = ENOSPC, -1;
    return reinterpret_cast<ssize_t (*)(int, const void*, size_t)>(::dlsym(RTLD_NEXT, "write"))(fd, data, n);
}

namespace {

std::unique_ptr<CDalvorApp> EnglishApp()
{
    auto app = std::make_unique<CDalvorApp>();
    MemorySettings settings;
    settings.values["Settings/Language"] = LangEnglish;
    app->InitCoreInstance(settings, "C", qEnvironmentVariable("DALVOR_HOME").toStdString());
    return app;
}

// Runs the action on the modal dialog of type D once it is shown.
template <typename D>
void OnModal(std::function<void(D*)> action)
{
    QTimer::singleShot(0, [action] {
        if (auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget()))
            action(dlg);
    });
}

}  // namespace

class TestReportPrint : public QObject {
    Q_OBJECT

private slots:
    void pictureIsPlacedByItsShape_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QRect>("rect");  // top 0 stands for "not checked"
        // Inner rectangle (236, 236, 4722, 6781): W 4486, the right half from x 2479.
        QTest::newRow("wide: under both columns") << 1000 << 490 << false << QRect(280, 0, 4398, 2154);
        QTest::newRow("aspect 0.5: right half") << 1000 << 500 << true << QRect(2479, 0, 2243, 1121);
        QTest::newRow("tall: height capped") << 1000 << 2000 << true << QRect(2479, 0, 1289, 2579);
        QTest::newRow("no width: no picture") << 0 << 500 << false << QRect();
        QTest::newRow("no height: no picture") << 500 << 0 << false << QRect();
    }
    void pictureIsPlacedByItsShape()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(bool, beside);
        QFETCH(QRect, rect);
        auto app = EnglishApp();
        QTemporaryDir dir;
        CReportPrint report(app->print.reportSections);
        std::tm now{};
        app->print.printPicture.width = w;
        app->print.printPicture.height = h;
        QVERIFY(PrepareReportPrint(*app, KindGravityFlow, now, report));
        QRect painted;
        SetPrintPicturePainter([&](QPainter& p, const QRect& r) {
            painted = r;
            p.fillRect(r, Qt::gray);
        });
        QVERIFY(report.PrintToPdf(dir.filePath("p.pdf")));
        SetPrintPicturePainter(nullptr);
        QCOMPARE(report.layout.inner.left, 236);
        QCOMPARE(report.layout.inner.bottom, 6781);
        QCOMPARE(painted.isNull(), rect.isNull());
        // Played once, or released unplayed when it has no size: the next
        // printout needs a new recording.
        QCOMPARE(app->print.printPicture.width, 0);
        QCOMPARE(app->print.printPicture.height, 0);
        if (rect.isNull())
            return;
        QCOMPARE(QRect(painted.x(), 0, painted.width(), painted.height()), rect);
        if (beside)
            QCOMPARE(painted.top(), report.layout.bodyTop + 50);
        else
            QVERIFY(painted.top() > report.layout.bodyTop + 1000);
    }

    void headerKeepsItsTitlesAboveTheBody()
    {
        auto app = EnglishApp();
        QTemporaryDir dir;
        CReportPrint report(app->print.reportSections);
        std::tm now{};
        QVERIFY(PrepareReportPrint(*app, KindBuriedPipe, now, report));
        QVERIFY(report.PrintToPdf(dir.filePath("p.pdf")));
        // Logo (17 % of the width), address, three titles: the body starts
        // below all of them, and the footer stays below the body.
        QVERIFY(report.layout.headerHeight > 17 * 4486 / 100 + 3 * 117);
        QCOMPARE(report.layout.bodyTop, 236 + report.layout.headerHeight + (6781 - 236 - report.layout.headerHeight) / 100);
        QVERIFY(report.layout.maxY < 6781 - report.layout.footerHeight);
        // A long name ends before the date's column (4722 - 4486 / 6): a second
        // line after a blank, cut at the column without one (63 units kept).
        int heights[2];
        for (int blanks : {0, 1}) {
            const std::u16string name = std::u16string(blanks ? 30 : 63, u'W') + u" " + std::u16string(32, u'W');
            CopyBounded(app->working.buriedPipe.head.name, name);
            QVERIFY(PrepareReportPrint(*app, KindBuriedPipe, now, report) && report.PrintToPdf(dir.filePath("p.pdf")));
            QVERIFY(report.layout.notice.right() < 3975);
            heights[blanks] = report.layout.notice.height();
        }
        QVERIFY(heights[1] > 3 * heights[0] / 2);
    }

    void titleDialogTakesTheTypedTextAsItStands_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("beginning of a remembered title") << QStringLiteral("Manhole S");
        QTest::newRow("remembered title in other case") << QStringLiteral("manhole s4");
    }
    void titleDialogTakesTheTypedTextAsItStands()
    {
        QFETCH(QString, typed);
        auto app = EnglishApp();
        ConfirmPrintTitle(app->print.printTitles, std::u16string(254, u'W'));  // longer than the dialog is wide
        ConfirmPrintTitle(app->print.printTitles, u"Manhole S4");
        CPrintoutTitleDlg dlg(app->print, app->languageOffset);
        dlg.show();
        QVERIFY(dlg.sizeHint().width() < 640);
        QLineEdit* edit = dlg.Combo()->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdU16String(FromFixed(app->print.printTitles[0].text)), typed);
    }

    void titleDialogConfirmsOrChangesNothing()
    {
        auto app = EnglishApp();
        app->print.reportSections[0].rowCount = 99;  // untouched unless a printout is built
        OnModal<CPrintoutTitleDlg>([](CPrintoutTitleDlg* dlg) {
            QCOMPARE(dlg->Combo()->count(), 20);
            QCOMPARE(dlg->Combo()->currentText(), QStringLiteral("(Title #1)"));
            dlg->reject();
        });
        QVERIFY(!PrintTank(*app, nullptr));
        QCOMPARE(app->print.reportSections[0].rowCount, 99);

        // OK, then Cancel in the print dialog: the title is kept, nothing printed.
        OnModal<CPrintoutTitleDlg>([](CPrintoutTitleDlg* dlg) {
            dlg->Combo()->lineEdit()->selectAll();
            QTest::keyClicks(dlg->Combo()->lineEdit(), QStringLiteral("Manhole S4"));
            QTest::keyClick(dlg->Combo()->lineEdit(), Qt::Key_Return);
            OnModal<QPrintDialog>([](QPrintDialog* print) { print->reject(); });
        });
        QVERIFY(!PrintManhole(*app, nullptr));
        QCOMPARE(QString::fromStdU16String(FromFixed(app->print.printTitles[0].text)), QStringLiteral("Manhole S4"));
        QCOMPARE(QString::fromStdU16String(FromFixed(app->print.printTitles[1].text)), QStringLiteral("(Title #1)"));
        QCOMPARE(app->print.reportSections[0].rowCount, 5);
    }

    void windowPdfIsSavedAsAProject_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("error");  // told of the file not saved; 0: told of the memory
        QTest::newRow("disk full") << "disk" << ENOSPC;
        QTest::newRow("another user's link in a sticky folder") << "link" << EACCES;
        QTest::newRow("no memory while drawing") << "memory" << 0;
    }
    void windowPdfIsSavedAsAProject()
    {
        QFETCH(QString, fault);
        QFETCH(int, error);
        if (fault == "link" && ::geteuid() != 0)
            QSKIP("only the superuser can make a link owned by another user");
        auto app = EnglishApp();
        CountingHost host;
        app->SetHost(&host);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QString old = pdf;
        if (fault == "link") {
            QCOMPARE(::chmod(QFile::encodeName(dir.path()), 01777), 0);
            old = dir.filePath("private");
            QVERIFY(QFile::link("private", pdf));
            QCOMPARE(::lchown(QFile::encodeName(pdf), 12345, 12345), 0);
        }
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old printout") == 12);
        file.close();
        // The fault comes while the page is drawn, after the titles are saved.
        app->print.printPicture.width = app->print.printPicture.height = 100;
        SetPrintPicturePainter([&](QPainter&, const QRect&) {
            diskFull = fault == "disk";
            if (fault == "memory")
                throw std::bad_alloc();  // the picture's playback runs out of memory
        });
        OnModal<CPrintoutTitleDlg>([pdf](CPrintoutTitleDlg* dlg) {
            OnModal<QPrintDialog>([pdf](QPrintDialog* print) {
                auto* printers = print->findChild<QComboBox*>(QStringLiteral("printers"));
                printers->setCurrentIndex(printers->count() - 1);  // to a PDF file
                print->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
                OnModal<QMessageBox>([](QMessageBox* overwrite) { overwrite->button(QMessageBox::Yes)->click(); });
                print->accept();
            });
            dlg->accept();
        });
        const bool printed = PrintTank(*app, nullptr);
        diskFull = false;
        SetPrintPicturePainter(nullptr);
        QVERIFY(!printed && file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old printout"));
        QCOMPARE(host.outOfMemoryReports, error ? 0 : 1);
        QCOMPARE(host.printoutsNotSaved.size(), error ? 1u : 0u);
        QCOMPARE(host.printoutError, error);
    }
};

DALVOR_TEST_MAIN(TestReportPrint)
#include "test_report_print.moc"
