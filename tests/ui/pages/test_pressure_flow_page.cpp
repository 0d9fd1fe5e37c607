// The pressure-flow page as the user works it in the main window: typing,
// the sought quantities, the four input dialogs, the picture's drag, the
// store buttons with the project manager, the language and printing.
#include "core/base/Text.h"
#include "reports/ManageProjectDlg.h"
#include "reports/PrintoutTitleDlg.h"
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"
#include "ui/dialogs/LocalLossDlg.h"
#include "ui/dialogs/LossCalcDlg.h"
#include "ui/frame/MenuTexts.h"
#include "ui/pages/PressureFlowPage.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cstring>

namespace {

namespace P = PressureIds;

// Types over a field's text, key by key.
void Type(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

}  // namespace

class TestPressurePage : public QObject, public PageFixture<CPressureFlowPage> {
    Q_OBJECT

private:
    void Start()
    {
        QVERIFY(OpenPage(3, QStringLiteral("pressure"), LangEnglish));
        QCOMPARE(app->activeCalcKind, int(KindPressureFlow));
    }

    PressureFlowRecord& R() { return app->working.pressureFlow; }
    // The page shows what a page model of its own makes of the same record,
    // and the record is the one that model leaves.
    void CheckAgainstModel()
    {
        auto other = StartedApp(LangEnglish);
        other->working.pressureFlow = R();
        CPressureFlowPageModel model(*other);
        model.ApplyLanguage(LangEnglish);
        model.LoadBack();
        QCOMPARE(std::memcmp(&other->working.pressureFlow, &R(), sizeof(PressureFlowRecord)), 0);
        for (const auto& [id, text] : model.Texts())
            if (id != P::Number)
                QCOMPARE(Text(id), QString::fromStdU16String(text));
    }

private slots:
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void modesAndTyping()
    {
        Start();
        const int before = page->TriggeredRecalculations();
        Enter(P::FlowInput, QStringLiteral("0,02"));
        QCOMPARE(page->TriggeredRecalculations(), before + 1);
        QCOMPARE(Text(P::FlowInput), QStringLiteral("0.020"));
        // The size list follows the size chosen and is closed to the user.
        QVERIFY(R().chosenCandidate >= 0);
        QCOMPARE(qobject_cast<QComboBox*>(page->Control(P::SizeList))->currentIndex(), R().chosenCandidate);
        QVERIFY(!page->Control(P::SizeList)->isEnabled());
        QCOMPARE(Text(P::Conclusion), QStringLiteral("Calculated pipe diameter."));
        CheckAgainstModel();

        Click(P::ModeFlow);
        QCOMPARE(R().mode, 2);
        QVERIFY(page->Control(P::HeadLossInput)->isEnabled() && !page->Control(P::FlowInput)->isEnabled());
        QCOMPARE(qobject_cast<CColorEdit*>(page->Control(P::Flow))->BkColor(), QColor(127, 255, 255));
        QCOMPARE(Text(P::Conclusion), QStringLiteral("Calculated flow rate."));
        CheckAgainstModel();

        // A flow no size carries: red verdict, "-" for the results.
        Click(P::ModeDiameter);
        Enter(P::FlowInput, QStringLiteral("900"));
        QCOMPARE(Text(P::Conclusion), QStringLiteral("Flow rate too large."));
        QCOMPARE(qobject_cast<CColorStatic*>(page->Control(P::Conclusion))->TextColor(), QColor(255, 0, 0));
        QCOMPARE(Text(P::Flow), QStringLiteral("-"));
        QCOMPARE(Text(P::PointHead), QStringLiteral("-"));
    }

    void inputDialogsAndLossRadios()
    {
        Start();
        ClickOpening<CFluidParmsDlg>(P::FluidButton, [](CFluidParmsDlg* dlg) {
            dlg->Slider()->setValue(10);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(P::Viscosity), QStringLiteral("1.41e-06"));
        ClickOpening<CFlowUnitsCalcDlg>(P::FlowUnitsButton, [](CFlowUnitsCalcDlg* dlg) {
            QTest::mouseClick(dlg->UnitRadio(2), Qt::LeftButton);
            Type(dlg->ValueEdit(), QStringLiteral("35"));
            QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(R().flowInput, 0.035);
        ClickOpening<CLocalLossDlg>(P::LocalLossButton, [](CLocalLossDlg* dlg) {
            Type(dlg->CountEdit(1), QStringLiteral("1"));
            Type(dlg->CountEdit(3), QStringLiteral("2"));
            Type(dlg->OtherEdit(), QStringLiteral("0,5"));
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(P::LossCoefficient), QStringLiteral("1.15"));
        QCOMPARE(R().bendCounts[3], 2);
        // Cancel changes nothing.
        ClickOpening<CLocalLossDlg>(P::LocalLossButton, [](CLocalLossDlg* dlg) {
            Type(dlg->CountEdit(0), QStringLiteral("9"));
            QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
        });
        QCOMPARE(R().bendCounts[0], 0);

        Click(P::ModeFlow);
        ClickOpening<CLossCalcDlg>(P::LossCalcButton, [](CLossCalcDlg* dlg) {
            QCOMPARE(dlg->GradientEdit()->text(), QStringLiteral("10.00"));
            Type(dlg->GradientEdit(), QStringLiteral("5"));
            QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        // The record holds the value as the field shows it.
        QCOMPARE(Text(P::HeadLossInput), QStringLiteral("0.50"));
        QCOMPARE(R().headLossInput, 0.5);

        // The share radio clears the coefficients the dialog gave.
        Click(P::LossByShare);
        QCOMPARE(Text(P::LossShare), QStringLiteral("5"));
        QVERIFY(!page->Control(P::LocalLossButton)->isEnabled());
        QCOMPARE(R().bendCounts[3], 0);
        CheckAgainstModel();
    }

    void dragOnTheCharacteristicMovesTheOperatingPoint()
    {
        Start();
        Click(P::ModeFlow);
        CPicturePressureFlow* picture = page->ChartPicture();
        picture->repaint();
        int row = -1;
        for (int y = 0; y < picture->height() && row < 0; ++y)
            if (picture->Scene().Pick(y) == 0)
                row = y + 2;
        QVERIFY(row > 20);
        const QString head = Text(P::HeadLoss);
        QCOMPARE(Text(P::PointHead), head);
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(60, row));
        QTest::mouseMove(picture, QPoint(60, row - 20));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(60, row - 20));
        QVERIFY(page->Model().op.head > R().headLoss);
        QCOMPARE(Text(P::PointHead), QString::fromStdString(FormatC("%.2f", page->Model().op.head)));
        QCOMPARE(Text(P::HeadLoss), head);
        // The next recalculation puts the point back on the results.
        QTest::keyClick(Edit(P::Length), Qt::Key_Return);
        QCOMPARE(Text(P::PointHead), head);
    }

    void storeLanguageAndPrint()
    {
        Start();
        Click(P::ModeLosses);
        Enter(P::Length, QStringLiteral("250"));
        ClickOpening<CManageProjectDlg>(CPressureFlowPage::kInfo.addId, [](CManageProjectDlg* dlg) {
            QCOMPARE(dlg->kind, int(KindPressureFlow));
            QCOMPARE(dlg->list->GetItemCount(), 1);
            dlg->reject();
        });
        // Closing the manager loads the new calculation back.
        QCOMPARE(FromFixed(app->project.pressureFlow[0].head.name), std::u16string(u"PP-001"));
        QCOMPARE(Text(P::Name), QStringLiteral("PP-001"));
        QCOMPARE(Text(P::Number), QStringLiteral("1"));
        QCOMPARE(R().length, 250.0);
        QCOMPARE(R().mode, 1);
        QVERIFY(page->Control(P::UpdateButton)->isEnabled());
        CheckAgainstModel();

        const QString category = Text(P::CategoryList);
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        // The page fits the sheet in both languages.
        QVERIFY(page->minimumSizeHint().width() <= page->width());
        QCOMPARE(Text(P::ModeDiameter), LangText(*app, 1315));
        QCOMPARE(Text(P::Conclusion), QString::fromStdU16String(app->LoadLangString(20252)));
        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        QTRY_COMPARE(Text(P::CategoryList), category);
        QCOMPARE(Text(P::ModeDiameter), QStringLiteral("Diameter"));
        QVERIFY(page->minimumSizeHint().width() <= page->width());
        QVERIFY(page->minimumSizeHint().height() <= page->height());

        // Print shows the characteristic, whichever chart was chosen; a
        // cancelled title dialog prints nothing.
        Click(P::ChartPressureRange);
        QCOMPARE(page->ChartChoice(), 1);
        WithModal<CPrintoutTitleDlg>([&] { frame->Action(ID_FILE_PRINT)->trigger(); },
                                     [](CPrintoutTitleDlg* dlg) { dlg->reject(); });
        QCOMPARE(page->ChartChoice(), 0);
        QVERIFY(qobject_cast<QAbstractButton*>(page->Control(P::ChartCharacteristic))->isChecked());
    }
};

DALVOR_TEST_MAIN(TestPressurePage)
#include "test_pressure_flow_page.moc"
