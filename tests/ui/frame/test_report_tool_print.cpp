// dalvor-report against the window: a calculation stored in English, loaded
// back through the project manager with the program in Polish and printed by
// File > Print, prints the same rows, texts and picture as the tool prints
// from the same project file with --lang pl.
#include "core/report/ClipboardText.h"
#include "pictures/QPainterCanvas.h"
#include "reports/ManageProjectDlg.h"
#include "reports/PrintDrivers.h"
#include "reports/PrintoutTitleDlg.h"
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/frame/MenuTexts.h"

#include <QPushButton>
#include <QRegularExpression>

#include <cstring>

namespace {

// The lines of a PDF's text, sorted (the two writers may order a page's
// columns differently), the time of printing left out.
QStringList Lines(const QString& pdf)
{
    static const QRegularExpression when(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)");
    QStringList lines = PdfText(pdf).replace(when, "(time)").split('\n', Qt::SkipEmptyParts);
    lines.sort();
    return lines;
}

}  // namespace

class TestReportToolPrint : public QObject, public MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { InitWindowTest(); }
    void cleanup()
    {
        SetPrintPicturePainter({});
        CleanupWindowTest();
    }

    void toolPrintsWhatTheWindowPrints()
    {
        const QString folder = FreshFolder("reporttool"), project = folder + "/in.qdl";
        OpenMainWindow(LangEnglish, "reporttool-window");
        frame->View()->EndStartupPicture();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        // One calculation of each kind, calculated and stored in English.
        app->working.pressureFlow.mode = 1;
        app->CalcTankBuoyancy();
        app->CalcTankAnchoring();
        app->CalcManholeBuoyancy();
        app->CalcBuriedPipe();
        app->CalcGravityFlow();
        app->CalcPressureFlow();
        for (int kind = 1; kind <= 5; ++kind)
            app->StoreCurrentCalc(kind, -1);
        QCOMPARE(app->WriteProjectFile(project.toStdString()), ProjectWriteError::None);
        frame->Action(ID_LANGUAGE_POLISH)->trigger();

        PrintPicture played;
        SetPrintPicturePainter([&](QPainter& p, const QRect& target) {
            played = app->print.printPicture;
            PlayPrintPicture(p, app->print.printPicture, target);
        });
        for (int tab = 0; tab < frame->Sheet()->count(); ++tab) {
            frame->Sheet()->setCurrentIndex(tab);
            CCalcPage* page = frame->Sheet()->Page(tab);
            const int kind = page->Kind();
            const QString name = QString::number(kind), windowPdf = folder + "/window" + name + ".pdf",
                          toolPdf = folder + "/tool" + name + ".pdf";
            // The window: the stored record read in the project manager,
            // which the page loads back and recalculates, then File > Print.
            WithModal<CManageProjectDlg>(
                [&] { QTest::mouseClick(page->Control(page->Info().projectId), Qt::LeftButton); },
                [](CManageProjectDlg* dlg) {
                    dlg->list->SetItemStates(0, CReportCtrl::StateSelected);
                    QTest::mouseClick(dlg->readButton, Qt::LeftButton);
                    dlg->reject();
                });
            WithModal<CPrintoutTitleDlg>([&] { frame->Action(ID_FILE_PRINT)->trigger(); },
                                         [&](CPrintoutTitleDlg* dlg) {
                                             PrintNextToPdf(dlg, windowPdf);
                                             dlg->Combo()->lineEdit()->setText("Trunk sewer A");
                                             QTest::keyClick(dlg->Combo()->lineEdit(), Qt::Key_Return);
                                         });
            QVERIFY2(!played.Empty(), qPrintable(name));
            ReportSection printed[10];
            std::memcpy(printed, app->print.reportSections, sizeof printed);

            // The tool's preparation on the same stored record: the same rows
            // and the same picture, whatever size the window gave the page's.
            QVERIFY(LoadStoredForPrint(*app, kind, 0));
            QVERIFY2(app->print.printPicture.ops == played.ops, qPrintable(name));
            QCOMPARE(QSize(app->print.printPicture.width, app->print.printPicture.height), QSize(played.width, played.height));
            QVERIFY(app->BuildReport(kind));
            QVERIFY2(std::memcmp(printed, app->print.reportSections, sizeof printed) == 0, qPrintable(name));

            // The tool itself: the same page text but for the time of printing.
            QProcess tool;
            tool.start(qEnvironmentVariable("DALVOR_HOME") + "/dalvor-report",
                       {"--lang", "pl", "--title", "Trunk sewer A", project, name, "0", toolPdf});
            QVERIFY(tool.waitForFinished(30000));
            QCOMPARE(tool.exitCode(), 0);
            const QStringList fromWindow = Lines(windowPdf);
            QVERIFY(fromWindow.size() > 30);
            QCOMPARE(Lines(toolPdf), fromWindow);
        }
    }
};

DALVOR_TEST_MAIN(TestReportToolPrint)
#include "test_report_tool_print.moc"
