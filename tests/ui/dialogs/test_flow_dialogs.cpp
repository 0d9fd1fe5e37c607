// The flow-units and fluid-properties dialogs as a user works them: the units
// chosen and values typed and converted, the slider, when OK may be pressed,
// and what OK and Cancel hand back. Their arithmetic is their models' and is
// tested with them.
#include "core/base/Text.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"

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

class TestFlowDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CDalvorApp> app;

    // Shows a flow-units dialog preset with a flow.
    std::unique_ptr<CFlowUnitsCalcDlg> FlowUnits(double flowRate)
    {
        auto dlg = std::make_unique<CFlowUnitsCalcDlg>(*app);
        dlg->Model().flowRate = flowRate;
        dlg->show();
        return dlg;
    }

    // Types a value in a unit and converts it; returns the flow in m3/s.
    static double Convert(CFlowUnitsCalcDlg& dlg, int unit, const QString& value)
    {
        QTest::mouseClick(dlg.UnitRadio(unit), Qt::LeftButton, {}, QPoint(6, dlg.UnitRadio(unit)->height() / 2));
        dlg.ValueEdit()->setText(value);
        QTest::mouseClick(dlg.CalculateButton(), Qt::LeftButton);
        return dlg.Model().flowRate;
    }

    std::unique_ptr<CFluidParmsDlg> Fluid(double viscosity)
    {
        auto dlg = std::make_unique<CFluidParmsDlg>(*app);
        dlg->Model().viscosity = viscosity;
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
    }

    void flowUnitsConvertsEachUnit()
    {
        auto dlg = FlowUnits(1.5);
        // Each unit typed and converted, as the fields show it.
        const struct { int unit; const char* value; const char* result; } cases[] = {
            {1, "3.6", "0.001"}, {0, " 172800 ", "2.000"}, {3, "abc", "0.000"}};
        for (const auto& c : cases) {
            Convert(*dlg, c.unit, QString::fromLatin1(c.value));
            QCOMPARE(dlg->Model().unit, c.unit);
            QCOMPARE(dlg->ResultEdit()->text(), QString::fromLatin1(c.result));
            QVERIFY(dlg->OkButton()->isEnabled());
        }
        // The decimal comma becomes a point in the field too.
        Convert(*dlg, 2, QStringLiteral("1,5"));
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("1.5"));
        QCOMPARE(dlg->Model().flowRate, 0.0015);
        Convert(*dlg, 2, QStringLiteral("2.5"));
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("2.5"));
        // A flow too large to be written in every unit shows as 0, as does
        // a preset one in every unit.
        QCOMPARE(Convert(*dlg, 0, QStringLiteral("1e308")), 0.0);
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("0.000"));
        auto big = FlowUnits(1e306);
        for (int k = 3; k >= 0; --k) {
            QTest::mouseClick(big->UnitRadio(k), Qt::LeftButton, {}, QPoint(6, big->UnitRadio(k)->height() / 2));
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
        QCOMPARE(dlg->Model().unit, 1);
        QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("3.600"));
        QCOMPARE(dlg->UnitLabel()->text(), QStringLiteral("m³/h"));
        QVERIFY(!dlg->OkButton()->isEnabled());
        QCOMPARE(dlg->Model().flowRate, 0.001);
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
            dlg.Model().flowRate = 1.5;
            QTimer::singleShot(0, &dlg, [&] {
                Convert(dlg, 2, QStringLiteral("20"));
                if (close[0] == 'E')
                    QTest::keyClick(&dlg, Qt::Key_Escape);
                else
                    QTest::mouseClick(close[0] == 'O' ? dlg.OkButton() : dlg.CancelButton(), Qt::LeftButton);
            });
            QVERIFY2(dlg.exec() == (close[0] == 'O' ? QDialog::Accepted : QDialog::Rejected), close);
            if (close[0] == 'O')
                QCOMPARE(dlg.Model().flowRate, 0.02);
        }
        // The fluid dialog: End on the slider, then OK, hands back the top of
        // the scale; Cancel rejects.
        for (bool ok : {true, false}) {
            CFluidParmsDlg dlg(*app);
            dlg.Model().viscosity = 1.31e-6f;
            QTimer::singleShot(0, &dlg, [&] {
                dlg.Slider()->setFocus();
                QTest::keyClick(dlg.Slider(), Qt::Key_End);
                QTest::mouseClick(ok ? dlg.OkButton() : dlg.CancelButton(), Qt::LeftButton);
            });
            QCOMPARE(dlg.exec(), int(ok ? QDialog::Accepted : QDialog::Rejected));
            if (ok)
                QCOMPARE(dlg.Model().viscosity, 1.5100000186896168e-06);
        }
    }

    void fluidPresetsOnTheGrid()
    {
        auto dlg = Fluid(1.41e-6);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Fluid properties"));
        QCOMPARE(dlg->Slider()->minimum(), 0);
        QCOMPARE(dlg->Slider()->maximum(), 20);
        QCOMPARE(dlg->findChild<QLabel*>(QStringLiteral("1492"))->text(),
                 QStringLiteral("Concentration of suspensions (c):"));
        QCOMPARE(dlg->findChild<QLabel*>(QStringLiteral("1491"))->text(), QStringLiteral("1000"));
        // The slider stands at the preset's grid point; moving it shows the
        // values of the point it stands on.
        QCOMPARE(dlg->Slider()->value(), 10);
        QCOMPARE(dlg->ConcentrationEdit()->text(), QStringLiteral("500"));
        QCOMPARE(dlg->ViscosityEdit()->text(), QStringLiteral("1.41e-06"));
        dlg->Slider()->setFocus();
        QTest::keyClick(dlg->Slider(), Qt::Key_Right);
        QCOMPARE(dlg->ConcentrationEdit()->text(), QStringLiteral("550"));
        QCOMPARE(dlg->ViscosityEdit()->text(), QStringLiteral("1.42e-06"));
        QCOMPARE(dlg->Model().position, 11);
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
