// The local-losses, loss-calculator and soil-parameters dialogs, typed into
// and clicked as a user does: their sums, when OK may be pressed, the slider
// grid and the soil states, and what OK hands back.
#include "base/Text.h"
#include "dialogs/FlowUnitsDlg.h"
#include "dialogs/FluidPropertiesDlg.h"
#include "dialogs/ImportDlg.h"
#include "dialogs/LocalLossDlg.h"
#include "dialogs/LossCalcDlg.h"
#include "dialogs/SelectSoilDlg.h"
#include "frame/HelpRouter.h"
#include "project/Records.h"
#include "QtTestMain.h"
#include "UiTestSupport.h"

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
        dlg->soilIndex = index;
        dlg->stateDegree = degree;
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
        // Row 2 is the medium sand of the defaults; row 4 a cohesive soil.
        const struct { int index; double degree; int position; const char* state; const char* shownDegree; } cases[] = {
            {2, 0.35f, 7, "medium", "0.35"}, {2, 0.4, 8, "medium", "0.40"}, {2, 0.33, 6, "loose", "0.30"},
            {2, 0.45f, 9, "medium", "0.45"}, {2, 1.7, 20, "dense", "1.00"}, {2, -0.2, 0, "loose", "0.00"},
            {4, 0.0, 0, "semisolid", "0.00"},
        };
        for (const auto& c : cases) {
            auto dlg = Soil(c.index, c.degree);
            QCOMPARE(dlg->SoilList()->currentRow(), c.index);
            QCOMPARE(dlg->Slider()->value(), c.position);
            QCOMPARE(Shown(*dlg, 1304), QString::fromLatin1(c.state));
            QCOMPARE(Shown(*dlg, 1311), QString::fromLatin1(c.shownDegree));
            QCOMPARE(dlg->stateDegree, c.position / 20.0);
            QVERIFY(dlg->OkButton()->isEnabled());
        }
        // The backfill sand at 0.35: phi' = 0.35 x 8 + 27.2, Et = 50 x^2 + 80 x + 30, Ee = Et / 0.8.
        auto dlg = Soil(2, 0.35f);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Soil parameters"));
        const struct { int id; const char* text; } fields[] = {
            {1529, "granular"}, {1275, "17.50"}, {1533, "30"}, {1536, "0.00"}, {1539, "15"},
            {1542, "10"},       {1545, "64"},    {1548, "80"}, {1551, "0.28"},
        };
        for (const auto& f : fields)
            QCOMPARE(Shown(*dlg, f.id), QString::fromLatin1(f.text));
        QCOMPARE(dlg->DegreeLabel()->text(), QStringLiteral("Density index Id:"));
    }

    void soilStatesAlongTheSlider()
    {
        const struct { int index; int position; const char* state; } cases[] = {
            {2, 0, "loose"},      {2, 6, "loose"},        {2, 7, "medium"},       {2, 13, "medium"},
            {2, 14, "dense"},     {2, 20, "dense"},       {4, 0, "semisolid"},    {4, 1, "semiplastic"},
            {4, 5, "semiplastic"}, {4, 6, "plastic"},     {4, 10, "plastic"},     {4, 11, "soft-plastic"},
            {4, 20, "soft-plastic"},
        };
        for (const auto& c : cases) {
            auto dlg = Soil(c.index, 0.5);
            dlg->Slider()->setValue(c.position);
            QCOMPARE(Shown(*dlg, 1304), QString::fromLatin1(c.state));
            QCOMPARE(dlg->stateDegree, c.position / 20.0);
        }
    }

    void choosingASoilTakesItsDefaultDegree()
    {
        auto dlg = Soil(2, 0.9);
        // Row 4, sandy clay, stands at its default 0.25; gravel at 0.60.
        QListWidget* list = dlg->SoilList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
        QCOMPARE(dlg->soilIndex, 4);
        QCOMPARE(dlg->Slider()->value(), 5);
        QCOMPARE(Shown(*dlg, 1529), QStringLiteral("cohesive"));
        QCOMPARE(Shown(*dlg, 1304), QStringLiteral("semiplastic"));
        QCOMPARE(dlg->DegreeLabel()->text(), QStringLiteral("Liquidity index Il:"));
        QCOMPARE(Shown(*dlg, 1536), QString::fromStdString(FormatC("%.2f", 38.0 * std::exp(0.25 * -1.3))));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(dlg->soilIndex, 0);
        QCOMPARE(dlg->Slider()->value(), 12);
        QCOMPARE(dlg->DegreeLabel()->text(), QStringLiteral("Density index Id:"));
    }

    void soilWithoutARow()
    {
        // No soil, one outside the table, an empty table.
        for (int index : {-1, 99, 2}) {
            const int count = app->soilCount;
            if (index == 2)
                app->soilCount = 0;
            auto dlg = Soil(index, 0.5);
            app->soilCount = count;
            QCOMPARE(dlg->soilIndex, -1);
            QCOMPARE(dlg->SoilList()->count(), index == 2 ? 0 : count);
            QCOMPARE(Shown(*dlg, 1529), QStringLiteral("---"));
            QCOMPARE(Shown(*dlg, 1545), QStringLiteral("-"));
            QCOMPARE(dlg->soilName, QStringLiteral("nieokreślony"));
            QVERIFY(!dlg->OkButton()->isEnabled());
        }
        // A table whose modulus ratio is 0 shows no elastic modulus.
        const double ratio = app->soils[2].soilCoefficient[14];
        app->soils[2].soilCoefficient[14] = 0.0;
        auto dlg = Soil(2, 0.35f);
        app->soils[2].soilCoefficient[14] = ratio;
        QCOMPARE(Shown(*dlg, 1548), QStringLiteral("-"));
        QCOMPARE(Shown(*dlg, 1545), QStringLiteral("64"));
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
            QCOMPARE(r.frictionAngle, 0.8 * 8.0 + 27.2);
            QCOMPARE(r.porosity, 15.0);
            QCOMPARE(FromFixed(r.soilName), std::u16string(u"Medium sand (backfill)"));
        }
        // A long name is cut to 254 characters, never inside a surrogate pair.
        SoilChoice c;
        c.soilName = std::u16string(253, u'a') + u"\U0001F600" + u"b";
        TankRecord t{};
        std::fill(std::begin(t.soilName), std::end(t.soilName), u'z');
        CSelectSoilDlg::CopyChoice(c, t);
        QCOMPARE(FromFixed(t.soilName), std::u16string(253, u'a'));
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
