// The local-losses, loss-calculator and soil-parameters dialogs, typed into
// and clicked as a user does: what their fields show, when OK may be pressed,
// the soil list and slider, and what OK hands back. Their arithmetic is their
// models' and is tested with them.
#include "core/base/Text.h"
#include "core/project/Records.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/dialogs/LocalLossDlg.h"
#include "ui/dialogs/LossCalcDlg.h"
#include "ui/dialogs/SelectSoilDlg.h"
#include "ui/frame/HelpRouter.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <cmath>

namespace {

// Replaces a field's text by typing, key by key.
void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// Runs a dialog modally, lets `act` work on it, then closes it with OK or
// Cancel; returns the dialog's result.
template <typename Dialog>
int RunAndClose(Dialog& dlg, bool ok, const std::function<void()>& act)
{
    QTimer::singleShot(0, &dlg, [&] {
        act();
        QTest::mouseClick(ok ? dlg.OkButton() : dlg.CancelButton(), Qt::LeftButton);
    });
    return dlg.exec();
}

}  // namespace

class TestInputDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CDalvorApp> app;

    std::unique_ptr<CSelectSoilDlg> Soil(int index, double degree)
    {
        auto dlg = std::make_unique<CSelectSoilDlg>(*app);
        dlg->Model().soilIndex = index;
        dlg->Model().stateDegree = degree;
        dlg->show();
        return dlg;
    }
    QString Shown(const CSelectSoilDlg& dlg, int id) { return dlg.Field(id)->text(); }

private slots:
    void initTestCase() { app = StartedApp(LangEnglish); }
    void cleanupTestCase() { app.reset(); }

    void localLossesOpenWithTwoDecimalsAndSumEachEdit()
    {
        CLocalLossDlg dlg(*app);
        const int counts[4] = {0, 1, 0, 2};
        std::copy(counts, counts + 4, dlg.Model().bendCounts);
        dlg.Model().otherLossCoefficient = 0.5;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Local losses"));
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("1507"))->text(), QStringLiteral("Segmented bend 90:"));
        QCOMPARE(dlg.CountEdit(1)->text(), QStringLiteral("1"));
        QCOMPARE(dlg.BendsEdit()->text(), QStringLiteral("0.65"));
        QCOMPARE(dlg.OtherEdit()->text(), QStringLiteral("0.50"));
        QCOMPARE(dlg.TotalEdit()->text(), QStringLiteral("1.15"));

        // Each edit sums again, with three decimals from then on.
        const struct { int field; const char* typed; const char* bends; const char* total; } cases[] = {
            {3, "2", "0.650", "1.150"}, {2, "3", "1.250", "1.750"}, {4, "0,25", "1.250", "1.500"},
        };
        for (const auto& c : cases) {
            Type(c.field < 4 ? dlg.CountEdit(c.field) : dlg.OtherEdit(), QString::fromLatin1(c.typed));
            QCOMPARE(dlg.BendsEdit()->text(), QString::fromLatin1(c.bends));
            QCOMPARE(dlg.TotalEdit()->text(), QString::fromLatin1(c.total));
        }
        // The comma became a point as it was typed, the caret stayed at the end.
        Type(dlg.OtherEdit(), QStringLiteral("0,5"));
        QCOMPARE(dlg.OtherEdit()->text(), QStringLiteral("0.5"));
        QCOMPARE(dlg.OtherEdit()->cursorPosition(), 3);
        QCOMPARE(dlg.Model().otherLossCoefficient, 0.5);
        QCOMPARE(dlg.Model().bendCounts[2], 3);
    }

    void lossCalculatorWaitsForCalculate()
    {
        CLossCalcDlg dlg(*app);
        dlg.Model().pipeLength = 100.0;
        dlg.Model().totalLoss = 1.0;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Losses calculator"));
        QCOMPARE(dlg.CalculateButton()->text(), QStringLiteral("Calculate"));
        QCOMPARE(dlg.GradientEdit()->text(), QStringLiteral("10.00"));
        QCOMPARE(dlg.LengthEdit()->text(), QStringLiteral("100.00"));
        QCOMPARE(dlg.LossEdit()->text(), QStringLiteral("1.00"));
        QVERIFY(!dlg.OkButton()->isEnabled());

        const struct { const char* typed; const char* loss; const char* shown; } cases[] = {
            {"5,5", "0.55", "5.5"},
            {"abc", "0.00", "abc"},
        };
        for (const auto& c : cases) {
            Type(dlg.GradientEdit(), QString::fromLatin1(c.typed));
            QVERIFY(!dlg.OkButton()->isEnabled());
            QTest::mouseClick(dlg.CalculateButton(), Qt::LeftButton);
            QCOMPARE(dlg.LossEdit()->text(), QString::fromLatin1(c.loss));
            QCOMPARE(dlg.GradientEdit()->text(), QString::fromLatin1(c.shown));
            // The program's own rewrite of the comma leaves OK enabled.
            QVERIFY(dlg.OkButton()->isEnabled());
        }
        // A gradient whose loss is too large to be written shows as 0.
        CLossCalcDlg huge(*app);
        huge.Model().pipeLength = 1e6;
        huge.show();
        Type(huge.GradientEdit(), QStringLiteral("1e308"));
        QTest::mouseClick(huge.CalculateButton(), Qt::LeftButton);
        QCOMPARE(huge.GradientEdit()->text(), QStringLiteral("0.00"));
        QCOMPARE(huge.LossEdit()->text(), QStringLiteral("0.00"));
    }

    void okHandsBackCancelDoesNot()
    {
        for (bool ok : {true, false}) {
            CLossCalcDlg loss(*app);
            loss.Model().pipeLength = 200.0;
            QCOMPARE(RunAndClose(loss, ok, [&] {
                Type(loss.GradientEdit(), QStringLiteral("2"));
                QTest::keyClick(loss.GradientEdit(), Qt::Key_Return);  // OK is off: nothing
                QVERIFY(loss.isVisible());
                QTest::mouseClick(loss.CalculateButton(), Qt::LeftButton);
            }), int(ok ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(loss.Model().totalLoss, 0.40000001899898052);
            CLocalLossDlg local(*app);
            QCOMPARE(RunAndClose(local, ok, [&] { Type(local.OtherEdit(), QStringLiteral("1,2")); }),
                     int(ok ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(local.Model().totalLossCoefficient, 1.2);
        }
    }

    void soilOpensOnThePresetSoilAndGrid()
    {
        // Row 2 is the medium sand of the defaults: its fields, the list and
        // the slider at the degree's grid point.
        auto dlg = Soil(2, 0.35f);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Soil parameters"));
        QCOMPARE(dlg->SoilList()->currentRow(), 2);
        QCOMPARE(dlg->Slider()->value(), 7);
        const struct { int id; const char* text; } fields[] = {
            {1529, "granular"}, {1304, "medium"}, {1311, "0.35"}, {1275, "17.50"}, {1533, "30"}, {1536, "0.00"},
            {1539, "15"}, {1542, "10"}, {1545, "64"}, {1548, "80"}, {1551, "0.28"},
        };
        for (const auto& f : fields)
            QCOMPARE(Shown(*dlg, f.id), QString::fromLatin1(f.text));
        QCOMPARE(dlg->DegreeLabel()->text(), QStringLiteral("Density index Id:"));
        QVERIFY(dlg->OkButton()->isEnabled());
        // The slider shows the state of each point it is moved to.
        dlg->Slider()->setValue(14);
        QCOMPARE(Shown(*dlg, 1304), QStringLiteral("dense"));
        QCOMPARE(Shown(*dlg, 1311), QStringLiteral("0.70"));
    }

    void choosingASoilTakesItsDefaultDegree()
    {
        auto dlg = Soil(2, 0.9);
        // Row 4, sandy clay, stands at its default 0.25; gravel at 0.60.
        QListWidget* list = dlg->SoilList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
        QCOMPARE(dlg->Model().soilIndex, 4);
        QCOMPARE(dlg->Slider()->value(), 5);
        QCOMPARE(Shown(*dlg, 1529), QStringLiteral("cohesive"));
        QCOMPARE(Shown(*dlg, 1304), QStringLiteral("semiplastic"));
        QCOMPARE(dlg->DegreeLabel()->text(), QStringLiteral("Liquidity index Il:"));
        QCOMPARE(Shown(*dlg, 1536), QStringLiteral("27.46"));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(dlg->Model().soilIndex, 0);
        QCOMPARE(dlg->Slider()->value(), 12);
        QCOMPARE(dlg->DegreeLabel()->text(), QStringLiteral("Density index Id:"));
    }

    void soilWithoutARow()
    {
        auto dlg = Soil(99, 0.5);
        QCOMPARE(dlg->SoilList()->count(), RowCount(app->tables.soils));
        QCOMPARE(dlg->SoilList()->currentRow(), -1);
        QCOMPARE(Shown(*dlg, 1529), QStringLiteral("---"));
        QCOMPARE(Shown(*dlg, 1545), QStringLiteral("-"));
        QVERIFY(!dlg->OkButton()->isEnabled());
    }

    void chooseSoilWritesTheRecordOnOkOnly()
    {
        for (bool ok : {true, false}) {
            BuriedPipeRecord r{};
            r.soilIndex = 2;
            r.stateDegree = 0.35f;
            CopyBounded(r.soilName, u"old");
            const BuriedPipeRecord before = r;
            QTimer::singleShot(0, [ok] {
                auto* dlg = qobject_cast<CSelectSoilDlg*>(QApplication::activeModalWidget());
                QVERIFY(dlg);
                dlg->Slider()->setValue(16);
                QTest::mouseClick(ok ? dlg->OkButton() : dlg->CancelButton(), Qt::LeftButton);
            });
            QCOMPARE(CSelectSoilDlg::ChooseSoil(*app, r, nullptr), ok);
            if (!ok) {
                QCOMPARE(std::memcmp(&r, &before, sizeof r), 0);
                continue;
            }
            QCOMPARE(r.stateDegree, 0.8);
            QCOMPARE(r.frictionAngle, 33.6);
            QCOMPARE(FromFixed(r.soilName), std::u16string(u"Medium sand (backfill)"));
        }
    }

    // The six dialogs' fields that take no typing show a disabled field's
    // background, yet a double click selects their text and Ctrl+C copies it.
    void readOnlyFieldsLookReadOnlyAndCopy()
    {
        const QRgb grey = QApplication::palette().color(QPalette::Disabled, QPalette::Base).rgb();
        std::unique_ptr<QDialog> dialogs[] = {
            std::make_unique<CLocalLossDlg>(*app), std::make_unique<CLossCalcDlg>(*app),
            std::make_unique<CFluidParmsDlg>(*app), std::make_unique<CFlowUnitsCalcDlg>(*app),
            std::make_unique<CImportDlg>(*app),     std::make_unique<CSelectSoilDlg>(*app)};
        int fields = 0;
        for (auto& dlg : dialogs) {
            dlg->show();
            for (QLineEdit* e : dlg->findChildren<QLineEdit*>()) {
                if (!e->isReadOnly())
                    continue;
                ++fields;
                QCOMPARE(e->grab().toImage().pixel(e->width() - 4, 10), grey);
                QApplication::clipboard()->clear();
                e->setText(QStringLiteral("4711"));
                QTest::mouseDClick(e, Qt::LeftButton, {}, QPoint(6, e->height() / 2));
                QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
                QTest::keyClicks(e, QStringLiteral("7"));
                QCOMPARE(QApplication::clipboard()->text() + e->text(), QStringLiteral("47114711"));
            }
        }
        QCOMPARE(fields, 2 + 2 + 2 + 1 + 12 + 11);
    }

    void helpKeyOpensTheDialogsTopic()
    {
        HelpRouter help(*app);
        UrlCatcher urls;
        auto dlg = Soil(2, 0.5);
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        dlg->SoilList()->setFocus();
        QTest::keyClick(dlg->SoilList(), Qt::Key_F1);
        QCOMPARE(urls.opened.size(), 1);
        QCOMPARE(urls.opened.last().fragment(), QStringLiteral("soil"));
    }
};

DALVOR_TEST_MAIN(TestInputDialogs)
#include "test_input_dialogs.moc"
