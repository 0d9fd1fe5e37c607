// The flow-units and fluid-properties dialogs: their conversions, the slider
// grid, when OK may be pressed, and what OK and Cancel hand back.
#include "base/Text.h"
#include "dialogs/FlowUnitsDlg.h"
#include "dialogs/FluidPropertiesDlg.h"
#include "QtTestMain.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

constexpr double kClearWater = 1.31e-6f;
constexpr double kPerMilligram = 2e-10f;

// The viscosity of a slider position, as the dialog works it out.
double GridViscosity(int position)
{
    return static_cast<double>(static_cast<float>(position) * 50.0f) * kPerMilligram + kClearWater;
}

}  // namespace

class TestFlowDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CDalvorApp> app;

    // Shows a flow-units dialog preset with a flow.
    std::unique_ptr<CFlowUnitsCalcDlg> FlowUnits(double flowRate)
    {
        auto dlg = std::make_unique<CFlowUnitsCalcDlg>(*app);
        dlg->flowRate = flowRate;
        dlg->show();
        return dlg;
    }

    // Types a value in a unit and converts it; returns the flow in m3/s.
    static double Convert(CFlowUnitsCalcDlg& dlg, int unit, const QString& value)
    {
        QTest::mouseClick(dlg.UnitRadio(unit), Qt::LeftButton, {}, QPoint(6, dlg.UnitRadio(unit)->height() / 2));
        dlg.ValueEdit()->setText(value);
        QTest::mouseClick(dlg.CalculateButton(), Qt::LeftButton);
        return dlg.flowRate;
    }

    std::unique_ptr<CFluidParmsDlg> Fluid(double viscosity)
    {
        auto dlg = std::make_unique<CFluidParmsDlg>(*app);
        dlg->viscosity = viscosity;
        dlg->show();
        return dlg;
    }

private slots:
    void initTestCase() { app = StartedApp(LangEnglish); }
    void cleanupTestCase() { app.reset(); }

    void flowUnitsOpensInCubicMetresPerDay()
    {
        auto dlg = FlowUnits(0.001);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Computational flow rate"));
        QCOMPARE(dlg->unit, 0);
        QVERIFY(dlg->UnitRadio(0)->isChecked());
        QCOMPARE(dlg->UnitRadio(1)->text(), QStringLiteral("m³/h"));
        QCOMPARE(dlg->UnitLabel()->text(), QStringLiteral("m³/d = "));
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("86.400"));
        QCOMPARE(dlg->ResultEdit()->text(), QStringLiteral("0.001"));
        QVERIFY(dlg->ResultEdit()->isReadOnly());
        QCOMPARE(dlg->CalculateButton()->text(), QStringLiteral("Calculate"));
        QCOMPARE(dlg->OkButton()->text(), QStringLiteral("OK"));
        QCOMPARE(dlg->CancelButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(!dlg->OkButton()->isEnabled());
        const double perUnit[4] = {0.001 * 86400, 0.001 * 3600, 0.001 * 1000, 0.001 * 3600000};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(dlg->perUnitFlow[k], perUnit[k]);
        QCOMPARE(dlg->enteredFlow, perUnit[0]);
    }

    void flowUnitsConvertsEachUnit()
    {
        auto dlg = FlowUnits(1.5);
        struct Case {
            int unit;
            const char* value;
            double flow;
        };
        const Case cases[] = {
            {1, "3.6", 3.6 / 3600.0},       {2, "1", 0.001},          {3, "3600", 0.001},
            {0, "86.4", 86.4 / 86400.0},    {2, "1,5", 0.0015},       {3, "2", 2.0 / 3600000.0},
            {1, "abc", 0.0},                {2, "nan", 0.0},          {0, " 172800 ", 2.0},
            {0, "1e308", 0.0},              {3, "-1e308", -1e308 / 3600000.0}, {2, "1e306", 0.0},
        };
        for (const Case& c : cases) {
            const double flow = Convert(*dlg, c.unit, QString::fromLatin1(c.value));
            QCOMPARE(dlg->unit, c.unit);
            QCOMPARE(flow, c.flow);
            QCOMPARE(dlg->ResultEdit()->text(), QString::fromStdString(FormatC("%.3f", c.flow)));
            QVERIFY(dlg->OkButton()->isEnabled());
        }
        // The decimal comma becomes a point in the field too.
        Convert(*dlg, 2, QStringLiteral("1,5"));
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("1.5"));
        QCOMPARE(dlg->flowRate, 0.0015);
        Convert(*dlg, 2, QStringLiteral("2.5"));
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("2.5"));
        // 2 l/h shows as 0.000 but is handed back whole.
        Convert(*dlg, 3, QStringLiteral("2"));
        QCOMPARE(dlg->ResultEdit()->text(), QStringLiteral("0.000"));
        QVERIFY(std::fabs(dlg->flowRate - 5.5556e-7) < 1e-10);
        // No unit shows a flow too large to be written in every unit, nor a
        // preset one.
        for (const double preset : {1e306, std::numeric_limits<double>::infinity()}) {
            auto big = FlowUnits(preset);
            for (int k = 3; k >= 0; --k) {
                QTest::mouseClick(big->UnitRadio(k), Qt::LeftButton, {}, QPoint(6, big->UnitRadio(k)->height() / 2));
                QCOMPARE(big->ValueEdit()->text(), QStringLiteral("0.000"));
            }
            QCOMPARE(Convert(*big, 0, QStringLiteral("1e308")), 0.0);
            QCOMPARE(big->ValueEdit()->text(), QStringLiteral("0.000"));
        }
    }

    void flowUnitsUnitChangeAndFocusDisableOk()
    {
        auto dlg = FlowUnits(0.5);
        Convert(*dlg, 2, QStringLiteral("1"));
        QVERIFY(dlg->OkButton()->isEnabled());
        // Another unit shows the same flow in it, and OK waits for a conversion.
        QTest::mouseClick(dlg->UnitRadio(1), Qt::LeftButton, {}, QPoint(6, dlg->UnitRadio(1)->height() / 2));
        QCOMPARE(dlg->unit, 1);
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("3.600"));
        QCOMPARE(dlg->UnitLabel()->text(), QStringLiteral("m³/h"));
        QVERIFY(!dlg->OkButton()->isEnabled());
        QCOMPARE(dlg->flowRate, 0.001);
        // A number typed and not converted gives way to the new unit's.
        dlg->ValueEdit()->setText(QStringLiteral("77"));
        QTest::mouseClick(dlg->UnitRadio(3), Qt::LeftButton, {}, QPoint(6, dlg->UnitRadio(3)->height() / 2));
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("3600.000"));
        QCOMPARE(dlg->UnitLabel()->text(), QStringLiteral("l/h"));
        // Going into the value field disables OK again.
        QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
        QVERIFY(dlg->OkButton()->isEnabled());
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        QTest::mouseClick(dlg->ValueEdit(), Qt::LeftButton);
        QVERIFY(dlg->ValueEdit()->hasFocus());
        QVERIFY(!dlg->OkButton()->isEnabled());
        // Enter with OK disabled does not close the dialog.
        QTest::keyClick(dlg->ValueEdit(), Qt::Key_Return);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->result(), 0);
    }

    void okAndCancel()
    {
        // OK hands the converted flow back; Cancel and Escape reject.
        for (const char* close : {"OK", "Cancel", "Escape"}) {
            CFlowUnitsCalcDlg dlg(*app);
            dlg.flowRate = 1.5;
            QTimer::singleShot(0, &dlg, [&] {
                Convert(dlg, 2, QStringLiteral("20"));
                if (close[0] == 'E')
                    QTest::keyClick(&dlg, Qt::Key_Escape);
                else
                    QTest::mouseClick(close[0] == 'O' ? dlg.OkButton() : dlg.CancelButton(), Qt::LeftButton);
            });
            QVERIFY2(dlg.exec() == (close[0] == 'O' ? QDialog::Accepted : QDialog::Rejected), close);
            if (close[0] == 'O')
                QCOMPARE(dlg.flowRate, 0.02);
        }
        // The fluid dialog: End on the slider, then OK, hands back the top of
        // the scale; Cancel rejects.
        for (bool ok : {true, false}) {
            CFluidParmsDlg dlg(*app);
            dlg.viscosity = 1.31e-6f;
            QTimer::singleShot(0, &dlg, [&] {
                dlg.Slider()->setFocus();
                QTest::keyClick(dlg.Slider(), Qt::Key_End);
                QTest::mouseClick(ok ? dlg.OkButton() : dlg.CancelButton(), Qt::LeftButton);
            });
            QCOMPARE(dlg.exec(), int(ok ? QDialog::Accepted : QDialog::Rejected));
            if (ok)
                QCOMPARE(dlg.viscosity, GridViscosity(20));
        }
    }

    void fluidPresetsOnTheGrid()
    {
        auto dlg = Fluid(1.31e-6f);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Fluid properties"));
        QCOMPARE(dlg->Slider()->minimum(), 0);
        QCOMPARE(dlg->Slider()->maximum(), 20);
        QCOMPARE(dlg->findChild<QLabel*>(QStringLiteral("1492"))->text(),
                 QStringLiteral("Concentration of suspensions (c):"));
        QCOMPARE(dlg->findChild<QLabel*>(QStringLiteral("1491"))->text(), QStringLiteral("1000"));
        // Clear water (the single-precision constant comes back), a point of
        // the grid, below clear water and far above the scale (clear water
        // again), and the page's own top of the scale.
        const struct { double given; int position; const char* concentration; const char* shown; double viscosity; }
        cases[] = {{1.31e-6f, 0, "0", "1.31e-06", 1.3100000160193304e-06},
                   {1.41e-6, 10, "500", "1.41e-06", GridViscosity(10)},
                   {1.0e-6, 0, "0", "1.31e-06", double(1.31e-6f)},
                   {5e-6, 0, "0", "1.31e-06", double(1.31e-6f)},
                   {1.51e-6, 20, "1000", "1.51e-06", GridViscosity(20)}};
        for (const auto& c : cases) {
            dlg = Fluid(c.given);
            QCOMPARE(dlg->Slider()->value(), c.position);
            QCOMPARE(dlg->ConcentrationEdit()->text(), QString::fromLatin1(c.concentration));
            QCOMPARE(dlg->ViscosityEdit()->text(), QString::fromLatin1(c.shown));
            QCOMPARE(dlg->viscosity, c.viscosity);
        }
    }

    void fluidSliderWalksTheGrid()
    {
        auto dlg = Fluid(1.31e-6f);
        for (int k = 0; k <= 20; ++k) {
            dlg->Slider()->setValue(k);
            QCOMPARE(dlg->concentration, 50.0 * k);
            QCOMPARE(dlg->viscosity, GridViscosity(k));
            QCOMPARE(dlg->ConcentrationEdit()->text(), QString::number(50 * k));
            QCOMPARE(dlg->ViscosityEdit()->text(), QString::fromStdString(FormatC("%4.2e", GridViscosity(k))));
            // Each value the dialog hands back opens it again where it was,
            // the top of the scale included.
            auto again = Fluid(dlg->viscosity);
            QCOMPARE(again->Slider()->value(), k);
            QCOMPARE(again->viscosity, dlg->viscosity);
        }
        QCOMPARE(dlg->ViscosityEdit()->text(), QStringLiteral("1.51e-06"));
        QCOMPARE(CFluidParmsDlg::SliderPosition(1000.0000134), 20);
        QCOMPARE(CFluidParmsDlg::SliderPosition(1000.01), 0);
        QCOMPARE(CFluidParmsDlg::SliderPosition(-1.0), 0);
        QCOMPARE(CFluidParmsDlg::SliderPosition(std::nan("")), 0);
        // Grid concentrations k x 50 map to position k.
        for (int k = 0; k <= 19; ++k)
            QCOMPARE(CFluidParmsDlg::SliderPosition(50.0 * k), k);
    }

    void decimalFieldsReadAsThePagesRead()
    {
        QLineEdit field;
        const struct {
            const char* typed;
            const char* shown;
            double value;
        } cases[] = {
            {"12,5", "12.5", 12.5}, {"0.25", "0.25", 0.25}, {"1,2,3", "1.2.3", 1.2}, {" 7 ", " 7 ", 7.0},
            {"abc", "abc", 0.0},    {"nan", "nan", 0.0},    {"-1e999", "-1e999", 0.0}, {"", "", 0.0},
        };
        for (const auto& c : cases) {
            field.setText(QString::fromLatin1(c.typed));
            QCOMPARE(CInputDialog::ReadDecimalField(&field), c.value);
            QCOMPARE(field.text(), QString::fromLatin1(c.shown));
        }
        QCOMPARE(CInputDialog::ReadDecimalField(nullptr), 0.0);
    }

    void dialogsInPolish()
    {
        auto polish = StartedApp(LangPolish);
        CFlowUnitsCalcDlg flow(*polish);
        flow.OnInitDialog();
        QCOMPARE(flow.windowTitle(), QString::fromStdU16String(polish->LoadLangString(114, LangPolish)));
        QCOMPARE(flow.CalculateButton()->text(), QString::fromStdU16String(polish->LoadLangString(1484, LangPolish)));
        CFluidParmsDlg fluid(*polish);
        fluid.OnInitDialog();
        QCOMPARE(fluid.windowTitle(), QString::fromStdU16String(polish->LoadLangString(115, LangPolish)));
        QCOMPARE(fluid.CancelButton()->text(), QString::fromStdU16String(polish->LoadLangString(1591, LangPolish)));
    }
};

DALVOR_TEST_MAIN(TestFlowDialogs)
#include "test_flow_dialogs.moc"
