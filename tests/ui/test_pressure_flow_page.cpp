// The pressure-flow page as the user works it in the main window: typing and
// the triggers, the three sought quantities, the local-loss radios, the four
// input dialogs, the store buttons with the project manager, and the language.
#include "CalcSheet.h"
#include "ColorControls.h"
#include "FlowUnitsDlg.h"
#include "FluidPropertiesDlg.h"
#include "LocalLossDlg.h"
#include "LossCalcDlg.h"
#include "ManageProjectDlg.h"
#include "MenuTexts.h"
#include "PressureFlowPage.h"
#include "PrintoutTitleDlg.h"
#include "ReportCtrl.h"
#include "Text.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cstring>

namespace {

namespace P = PressureIds;
const QColor kSought(127, 255, 255);

QString F(const char* format, double v)
{
    return QString::fromStdString(FormatC(format, v));
}

// Types over a field's text, key by key.
void Type(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

}  // namespace

class TestPressurePage : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    CPressureFlowPage* page = nullptr;

    void Start(int language = LangEnglish)
    {
        OpenMainWindow(language, QStringLiteral("pressure"));
        frame->View()->EndStartupPicture();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frame->Sheet()->setCurrentIndex(3);
        page = qobject_cast<CPressureFlowPage*>(frame->Sheet()->ActivePage());
        QVERIFY(page);
        QCOMPARE(app->activeCalcKind, int(KindPressureFlow));
    }

    PressureFlowRecord& R() { return app->pressureFlow; }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(page->Control(id)); }
    QString Text(int id)
    {
        QWidget* w = page->Control(id);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            return e->text();
        if (auto* c = qobject_cast<QComboBox*>(w))
            return c->currentText();
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        return QString();
    }
    void Enter(int id, const QString& text)
    {
        Edit(id)->setText(text);
        QTest::keyClick(Edit(id), Qt::Key_Return);
    }
    void Click(int id)
    {
        QWidget* w = page->Control(id);
        QVERIFY2(w->isEnabled(), qPrintable(QString::number(id)));
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    }
    template <typename Dialog>
    void ClickOpening(int id, const std::function<void(Dialog*)>& work)
    {
        WithModal<Dialog>([&] { Click(id); }, work);
    }
    // The page shows what a page model of its own makes of the same record.
    void CheckAgainstModel()
    {
        auto other = StartedApp(LangEnglish);
        other->pressureFlow = R();
        CPressureFlowPageModel model(*other);
        model.ApplyLanguage(LangEnglish);
        model.LoadBack();
        QCOMPARE(std::memcmp(&other->pressureFlow, &R(), sizeof(PressureFlowRecord)), 0);
        for (const auto& [id, text] : model.Texts())
            if (id != P::Number)
                QCOMPARE(Text(id), QString::fromStdU16String(text));
    }

private slots:
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void modesTypingAndTriggers()
    {
        Start();
        const int before = page->TriggeredRecalculations();
        Enter(P::FlowInput, QStringLiteral("0,02"));
        QCOMPARE(page->TriggeredRecalculations(), before + 1);
        QCOMPARE(R().flowInput, 0.02);
        QCOMPARE(Text(P::FlowInput), QStringLiteral("0.020"));
        QCOMPARE(R().head.resultValid, 1);
        // The size list follows the size chosen and is closed to the user.
        QVERIFY(R().chosenCandidate >= 0);
        QCOMPARE(qobject_cast<QComboBox*>(page->Control(P::SizeList))->currentIndex(), R().chosenCandidate);
        QVERIFY(!page->Control(P::SizeList)->isEnabled());
        QCOMPARE(Text(P::Conclusion), QStringLiteral("Calculated pipe diameter."));
        CheckAgainstModel();

        struct Case {
            int radio, mode, open, closed, label, field;
            const char* conclusion;
        } cases[] = {
            {P::ModeFlow, 2, P::HeadLossInput, P::FlowInput, P::FlowLabel, P::Flow,
             "Calculated flow rate."},
            {P::ModeLosses, 1, P::FlowInput, P::HeadLossInput, P::HeadLossLabel, P::HeadLoss,
             "Calculated energy losses."},
        };
        for (const Case& c : cases) {
            Click(c.radio);
            QCOMPARE(R().mode, c.mode);
            QVERIFY(page->Control(c.open)->isEnabled());
            QVERIFY(!page->Control(c.closed)->isEnabled());
            QVERIFY(page->Control(P::SizeList)->isEnabled());
            QCOMPARE(qobject_cast<CColorStatic*>(page->Control(c.label))->BkColor(), kSought);
            QCOMPARE(qobject_cast<CColorEdit*>(page->Control(c.field))->BkColor(), kSought);
            QCOMPARE(qobject_cast<CColorEdit*>(page->Control(P::NominalSize))->BkColor(), ButtonFaceColor());
            QCOMPARE(Text(P::Conclusion), QString::fromLatin1(c.conclusion));
            CheckAgainstModel();
        }
        // A flow no size carries.
        Click(P::ModeDiameter);
        Enter(P::FlowInput, QStringLiteral("1e999"));
        QCOMPARE(R().flowInput, 0.001f);
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
        QCOMPARE(R().viscosity, 1.41e-6);
        ClickOpening<CFlowUnitsCalcDlg>(P::FlowUnitsButton, [](CFlowUnitsCalcDlg* dlg) {
            QTest::mouseClick(dlg->UnitRadio(2), Qt::LeftButton);
            Type(dlg->ValueEdit(), QStringLiteral("35"));
            QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(P::FlowInput), QStringLiteral("0.035"));
        QCOMPARE(R().flowInput, 0.035);
        ClickOpening<CLocalLossDlg>(P::LocalLossButton, [](CLocalLossDlg* dlg) {
            Type(dlg->CountEdit(1), QStringLiteral("1"));
            Type(dlg->CountEdit(3), QStringLiteral("2"));
            Type(dlg->OtherEdit(), QStringLiteral("0,5"));
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(P::LossCoefficient), QStringLiteral("1.15"));
        QCOMPARE(R().bendCounts[3], 2);
        QCOMPARE(R().otherLossCoefficient, 0.5);
        // Cancel changes nothing.
        ClickOpening<CLocalLossDlg>(P::LocalLossButton, [](CLocalLossDlg* dlg) {
            QCOMPARE(dlg->CountEdit(3)->text(), QStringLiteral("2"));
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
        QCOMPARE(Text(P::HeadLossInput), QStringLiteral("0.50"));
        // The record holds the value as the field shows it.
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
        QVERIFY(page->PageModel().op.head > R().headLoss);
        QCOMPARE(Text(P::PointHead), F("%.2f", page->PageModel().op.head));
        QCOMPARE(Text(P::PointFlow), F("%.3f", page->PageModel().op.flow));
        QCOMPARE(Text(P::HeadLoss), head);
        // The next recalculation puts the point back on the results.
        QTest::keyClick(Edit(P::Length), Qt::Key_Return);
        QCOMPARE(Text(P::PointHead), head);
    }

    void addStoresAndLoadsBackInBothLanguages()
    {
        Start();
        Click(P::ModeLosses);
        Enter(P::Length, QStringLiteral("250"));
        ClickOpening<CManageProjectDlg>(info().addId, [](CManageProjectDlg* dlg) {
            QCOMPARE(dlg->kind, int(KindPressureFlow));
            QCOMPARE(dlg->list->rowCount(), 1);
            dlg->reject();
        });
        QCOMPARE(FromFixed(app->storedRecords.pressureFlow[0].head.name), std::u16string(u"PP-001"));
        QCOMPARE(Text(P::Name), QStringLiteral("PP-001"));
        QCOMPARE(Text(P::Number), QStringLiteral("1"));
        QCOMPARE(R().length, 250.0);
        QCOMPARE(R().mode, 1);
        QVERIFY(page->Control(info().updateId)->isEnabled());
        CheckAgainstModel();

        const QString category = Text(P::CategoryList);
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
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

private:
    static const CalcPageInfo& info() { return CPressureFlowPage::kInfo; }
};

QTEST_MAIN(TestPressurePage)
#include "test_pressure_flow_page.moc"
