// The gravity-flow page as the user works it in the main window: the
// triggers, the four sought quantities, the lists of the catalogue, the
// verdicts, the store buttons with the project manager, the language switch
// and the two input dialogs opened from the page.
#include "CalcSheet.h"
#include "ColorControls.h"
#include "DalvorDoc.h"
#include "DalvorView.h"
#include "FlowUnitsDlg.h"
#include "FluidPropertiesDlg.h"
#include "GravityFlowPage.h"
#include "MainFrame.h"
#include "ManageProjectDlg.h"
#include "ReportCtrl.h"
#include "TabCtrlEx.h"
#include "MenuTexts.h"
#include "QtHost.h"
#include "Text.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstring>
#include <functional>

namespace {

QString F(const char* format, double v)
{
    return QString::fromStdString(FormatC(format, v));
}

const QColor kSought(127, 255, 255);
const QColor kGreen(0, 127, 0);
const QColor kRed(255, 0, 0);

}  // namespace

class TestGravityPage : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    CGravityFlowPage* page = nullptr;

    void Start(int language = LangEnglish)
    {
        OpenMainWindow(language, QStringLiteral("gravity"));
        frame->View()->EndStartupPicture();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frame->Sheet()->setCurrentIndex(4);
        page = qobject_cast<CGravityFlowPage*>(frame->Sheet()->ActivePage());
        QVERIFY(page);
        QCOMPARE(app->activeCalcKind, int(KindGravityFlow));
    }

    GravityFlowRecord& R() { return app->gravityFlow; }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(page->Control(id)); }
    QComboBox* Combo(int id) { return qobject_cast<QComboBox*>(page->Control(id)); }
    QString Text(int id)
    {
        if (auto* e = Edit(id))
            return e->text();
        if (auto* l = qobject_cast<QLabel*>(page->Control(id)))
            return l->text();
        return QString();
    }
    CColorEdit* ColorEdit(int id) { return qobject_cast<CColorEdit*>(page->Control(id)); }
    CColorStatic* ColorStatic(int id) { return qobject_cast<CColorStatic*>(page->Control(id)); }

    // Types a text into a field and presses Enter there.
    void Enter(int id, const QString& text)
    {
        QLineEdit* e = Edit(id);
        QVERIFY(e);
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Return);
    }

    // The user picks an item of a list.
    void Choose(int comboId, int index)
    {
        QComboBox* c = Combo(comboId);
        QVERIFY(c);
        QVERIFY(index >= 0 && index < c->count());
        // The user can choose only in a list that is open to a choice.
        QVERIFY(c->isEnabled());
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    int ItemWithId(int comboId, int id)
    {
        QComboBox* c = Combo(comboId);
        for (int i = 0; i < c->count(); ++i)
            if (c->itemData(i, Qt::UserRole + 1).toInt() == id)
                return i;
        return -1;
    }
    void ChoosePipe(int categoryId, int typeId, const QString& dn)
    {
        Choose(1002, ItemWithId(1002, categoryId));
        Choose(1004, ItemWithId(1004, typeId));
        if (dn.isEmpty())
            return;
        const int item = Combo(1006)->findText(dn);
        QVERIFY2(item >= 0, qPrintable(dn));
        Choose(1006, item);
    }
    void ClickMode(int mode)
    {
        static const int ids[4] = {1008, 1032, 1010, 1045};
        QWidget* radio = page->Control(ids[mode]);
        // On the radio's circle.
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        QCOMPARE(R().mode, mode);
    }

    // The numbers the page shows are the record's, in the page's formats.
    void CheckResultsShown()
    {
        const GravityFlowRecord& r = R();
        QCOMPARE(r.head.resultValid, 1);
        QCOMPARE(Text(1058), F("%.0f", r.nominalSize));
        QCOMPARE(Text(1060), r.slope < double(0.01f) ? QStringLiteral(" < 0.01") : F("%.2f", r.slope));
        QCOMPARE(Text(1062), F("%.3f", r.flow));
        QCOMPARE(Text(1064), F("%.2f", r.filling));
        QCOMPARE(Text(1066), F("%.2f", r.velocity));
        QCOMPARE(Text(1069), F("%5.2e", r.reynolds));
        QCOMPARE(Text(1071), F("%5.2e", r.frictionFactor));
        QCOMPARE(Text(1073), F("%.2f", r.localLossHead + r.frictionLossHead));
        QCOMPARE(Text(1075), F("%.2f", r.frictionLossHead));
        QCOMPARE(Text(1077), F("%.2f", r.localLossHead));
        QCOMPARE(Text(1079), F("%.2f", r.endLevel));
        QCOMPARE(Text(1043), F("%.2f", r.minSlopeSanitary));
        QCOMPARE(Text(1056), F("%.2f", r.minSlopeStorm));
        QCOMPARE(Text(1038), F("%.2f", r.filling));
        QCOMPARE(Text(1054), F("%.2f", r.velocity));
        QCOMPARE(Text(1057), F("%.3f", r.flow));
        QCOMPARE(page->opFilling, r.filling);
        QCOMPARE(page->opVelocity, r.velocity);
        QCOMPARE(page->opFlow, r.flow);
        QCOMPARE(Text(1476), QString::fromStdU16String(FromFixed(r.head.conclusion)));
        QCOMPARE(Text(1478), QString::fromStdU16String(FromFixed(r.head.warning)));
        QCOMPARE(ColorStatic(1476)->TextColor(), kGreen);
        QCOMPARE(ColorStatic(1478)->TextColor(), kRed);
    }

    // The verdict "Flow rate too large.": red, every value but the nominal
    // size shown as "-".
    void CheckFlowTooLarge()
    {
        QCOMPARE(R().head.resultValid, 0);
        QCOMPARE(Text(1476), QStringLiteral("Flow rate too large."));
        QCOMPARE(ColorStatic(1476)->TextColor(), kRed);
        QCOMPARE(Text(1058), F("%.0f", R().nominalSize));
        for (int id : {1060, 1062, 1064, 1066, 1069, 1071, 1073, 1075, 1077, 1079, 1043, 1056, 1038, 1054, 1057})
            QCOMPARE(Text(id), QStringLiteral("-"));
    }

    // The same inputs run by a core of its own give the same results, bit
    // for bit.
    void CheckAgainstCore(int runs)
    {
        auto other = StartedApp(LangEnglish);
        GravityFlowRecord input = R();
        other->gravityFlow = input;
        for (int i = 0; i < runs; ++i)
            other->CalcGravityFlow();
        QCOMPARE(std::memcmp(&other->gravityFlow, &R(), sizeof(GravityFlowRecord)), 0);
    }

    // Runs f on the modal dialog that a click opens.
    template <typename Dialog>
    void OnModal(std::function<void(Dialog*)> f, bool* seen)
    {
        QTimer::singleShot(0, this, [f, seen] {
            auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            *seen = true;
            f(dlg);
        });
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void firstActivationShowsTheFirstPipe()
    {
        Start();
        // The first category, type and size of the catalogue, with the defaults.
        QCOMPARE(Combo(1002)->currentText(), QStringLiteral("Mervo PE pipes"));
        QCOMPARE(Combo(1004)->currentText(), QStringLiteral("PE100 SDR 11 (PN 16)"));
        QCOMPARE(Combo(1006)->currentText(), QStringLiteral("32"));
        QCOMPARE(R().categoryId, 1);
        QCOMPARE(R().typeId, 1);
        QCOMPARE(R().innerDiameter, 26.0);
        QCOMPARE(Text(1011), QStringLiteral("26.0"));
        QCOMPARE(Text(1012), QStringLiteral("0.010"));
        QCOMPARE(Text(1013), QStringLiteral("100.00"));
        QCOMPARE(Text(1017), QStringLiteral("0.00"));
        QCOMPARE(Text(1030), QStringLiteral("0"));
        QCOMPARE(Text(1014), QStringLiteral("999.7"));
        QCOMPARE(Text(1019), QStringLiteral("1.31e-06"));
        QCOMPARE(Text(1020), QStringLiteral("1.00"));
        QCOMPARE(Text(1021), QStringLiteral("0.65"));
        QCOMPARE(Text(1022), QStringLiteral("1.500"));
        QCOMPARE(Text(1631), QStringLiteral("-"));
        QCOMPARE(Text(1633), QStringLiteral("-"));
        QVERIFY(!page->Control(1558)->isEnabled());
        QVERIFY(!page->Control(1607)->isEnabled());
        // 1.5 m3/s fits no PE100 SDR 11 pipe.
        CheckFlowTooLarge();
        // The captions of the language.
        QCOMPARE(qobject_cast<QRadioButton*>(page->Control(1045))->text(), QStringLiteral("Section filling rate"));
        QCOMPARE(Text(1453), QStringLiteral("Nominal diameter (Dn):"));
        QCOMPARE(Text(1434), QStringLiteral("[‰]"));
        QCOMPARE(qobject_cast<QPushButton*>(page->Control(1557))->text(), QStringLiteral("Add"));
        // Every caption of the page takes the text of its id.
        const int captions[] = {1410, 1412, 1413, 1414, 1415, 1416, 1418, 1420, 1422, 1424, 1426, 1428, 1429,
                                1431, 1433, 1435, 1437, 1439, 1440, 1442, 1444, 1446, 1448, 1450, 1452, 1453,
                                1455, 1457, 1459, 1461, 1463, 1465, 1467, 1469, 1471, 1473, 1475, 1630, 1632,
                                1417, 1419, 1421, 1423, 1425, 1427, 1430, 1432, 1434, 1436, 1438, 1441, 1443,
                                1447, 1449, 1451, 1454, 1456, 1458, 1460, 1462, 1464, 1466, 1468, 1470, 1472,
                                1474, 1008, 1032, 1010, 1045, 1557, 1558};
        for (int id : captions) {
            QWidget* w = page->Control(id);
            QVERIFY2(w, qPrintable(QString::number(id)));
            QString shown;
            if (auto* l = qobject_cast<QLabel*>(w))
                shown = l->text();
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                shown = b->text();
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                shown = g->title();
            QCOMPARE(shown, LangText(*app, id));
        }
        // The page fits the sheet in both languages.
        QTest::qWait(20);
        QVERIFY(page->minimumSizeHint().width() <= page->width());
        QVERIFY(page->minimumSizeHint().height() <= page->height());
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        QTest::qWait(20);
        QVERIFY(page->minimumSizeHint().width() <= page->width());
        QVERIFY(page->minimumSizeHint().height() <= page->height());
    }

    void eachTriggerRecalculatesOnce()
    {
        Start();
        QLineEdit* length = Edit(1013);
        auto expectOne = [&](const char* what, const std::function<void()>& act) {
            const int triggers = page->TriggeredRecalculations();
            const int runs = page->Recalculations();
            act();
            QVERIFY2(page->TriggeredRecalculations() == triggers + 1, what);
            QVERIFY2(page->Recalculations() == runs + 1, what);
        };
        auto expectNone = [&](const char* what, const std::function<void()>& act) {
            const int runs = page->Recalculations();
            act();
            QVERIFY2(page->Recalculations() == runs, what);
        };
        // Enter reads what was typed: a decimal comma reads as a point.
        length->setText(QStringLiteral("250,5"));
        expectOne("Enter", [&] { QTest::keyClick(length, Qt::Key_Return); });
        QCOMPARE(R().length, 250.5);
        QCOMPARE(length->text(), QStringLiteral("250.50"));
        expectOne("keypad Enter", [&] { QTest::keyClick(length, Qt::Key_Enter, Qt::KeypadModifier); });
        length->setFocus();
        expectOne("Tab", [&] { QTest::keyClick(length, Qt::Key_Tab); });
        Edit(1017)->setText(QStringLiteral("12,5"));
        expectOne("Shift+Tab", [&] { QTest::keyClick(Edit(1017), Qt::Key_Backtab, Qt::ShiftModifier); });
        QCOMPARE(R().startLevel, 12.5);
        expectOne("click on a label", [&] { QTest::mouseClick(page->Control(1422), Qt::LeftButton); });
        expectOne("click on the disabled inner diameter",
                  [&] { QTest::mouseClick(page->Control(1011), Qt::LeftButton); });
        expectOne("click on a field", [&] { QTest::mouseClick(length, Qt::LeftButton); });
        expectOne("click on the page", [&] { QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(3, 3)); });
        expectNone("Shift-click", [&] { QTest::mouseClick(length, Qt::LeftButton, Qt::ShiftModifier); });
        expectNone("Ctrl-click", [&] { QTest::mouseClick(length, Qt::LeftButton, Qt::ControlModifier); });
        expectNone("right click", [&] { QTest::mouseClick(length, Qt::RightButton); });
        expectNone("another key", [&] { QTest::keyClick(length, Qt::Key_A); });
        expectNone("click on a tab", [&] {
            QTest::mouseClick(frame->Sheet()->TabCtrl(), Qt::LeftButton, {},
                              frame->Sheet()->TabCtrl()->tabRect(4).center());
        });
        QVERIFY(prompts->warnings.isEmpty());
    }

    void theFourModes()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        const int ids[4][2] = {{1453, 1058}, {1455, 1060}, {1457, 1062}, {1459, 1064}};
        // enabled: slope 1020, filling 1021, flow 1022, size 1006, flow "?" 1053
        const bool enabled[4][5] = {{true, true, true, false, true},
                                    {false, true, true, true, true},
                                    {true, true, false, true, false},
                                    {true, false, true, true, true}};
        const QColor face = ButtonFaceColor();
        for (int mode : {1, 2, 3, 0}) {
            const int triggers = page->TriggeredRecalculations();
            ClickMode(mode);
            // The press recalculates in the old mode, the radio's handler in the new.
            QCOMPARE(page->TriggeredRecalculations(), triggers + 1);
            QCOMPARE(page->Control(1020)->isEnabled(), enabled[mode][0]);
            QCOMPARE(page->Control(1021)->isEnabled(), enabled[mode][1]);
            QCOMPARE(page->Control(1022)->isEnabled(), enabled[mode][2]);
            QCOMPARE(page->Control(1006)->isEnabled(), enabled[mode][3]);
            QCOMPARE(page->Control(1053)->isEnabled(), enabled[mode][4]);
            QVERIFY(!page->Control(1011)->isEnabled());
            for (int m = 0; m < 4; ++m) {
                const QColor expected = m == mode ? kSought : face;
                QCOMPARE(ColorStatic(ids[m][0])->BkColor(), expected);
                QCOMPARE(ColorEdit(ids[m][1])->BkColor(), expected);
            }
            QCOMPARE(ColorStatic(1476)->BkColor(), face);
            QCOMPARE(ColorStatic(1478)->BkColor(), face);
        }
        // Each radio's handler, run on its own, switches to its mode.
        const std::pair<void (CGravityFlowPage::*)(), int> handlers[] = {
            {&CGravityFlowPage::OnTargetFilling, 3}, {&CGravityFlowPage::OnTargetSlope, 1},
            {&CGravityFlowPage::OnTargetFlow, 2}, {&CGravityFlowPage::OnTargetDiameter, 0}};
        for (const auto& [handler, mode] : handlers) {
            (page->*handler)();
            QCOMPARE(R().mode, mode);
            const int radios[4] = {1008, 1032, 1010, 1045};
            QVERIFY(qobject_cast<QRadioButton*>(page->Control(radios[mode]))->isChecked());
            QCOMPARE(ColorEdit(ids[mode][1])->BkColor(), kSought);
        }
    }

    void resultsOfEachModeAreTheRecords()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(1017, QStringLiteral("100"));
        Enter(1030, QStringLiteral("10"));

        // Flow sought: DN 315 SN 8 at 5 per mille, half full.
        Enter(1020, QStringLiteral("5"));
        Enter(1021, QStringLiteral("0,5"));
        CheckResultsShown();
        QCOMPARE(Text(1476), QStringLiteral("Calculated flow rate."));
        CheckAgainstCore(1);
        const double flowAtHalf = R().flow;
        QVERIFY(flowAtHalf > 0.03 && flowAtHalf < 0.1);

        // Filling sought for that flow gives the filling back, near enough.
        ClickMode(3);
        Enter(1022, F("%.3f", flowAtHalf));
        CheckResultsShown();
        QCOMPARE(Text(1476), QStringLiteral("Calculated section filling rate."));
        QVERIFY(std::fabs(R().filling - 0.5) < 0.02);
        CheckAgainstCore(1);

        // Slope sought for it at half filling: near 5 per mille.
        ClickMode(1);
        CheckResultsShown();
        QCOMPARE(Text(1476), QStringLiteral("Calculated Pipe bottom gradient."));
        QVERIFY(std::fabs(R().slope - 5.0) < 0.3);
        CheckAgainstCore(1);
        // The end level: the start less the losses over the section.
        QCOMPARE(R().endLevel, 100.0 - (R().localLossHead + R().frictionLossHead));

        // Diameter sought: the list follows the size chosen and is disabled.
        ClickMode(0);
        Enter(1020, QStringLiteral("5"));
        Enter(1022, QStringLiteral("0.05"));
        CheckResultsShown();
        QCOMPARE(Text(1476), QStringLiteral("Calculated pipe diameter."));
        QVERIFY(R().chosenCandidate >= 0);
        QCOMPARE(Combo(1006)->currentIndex(), R().chosenCandidate);
        QCOMPARE(Combo(1006)->currentText(), F("%.0f", R().nominalSize));
        QCOMPARE(Text(1011), F("%.1f", R().innerDiameter));
        QCOMPARE(R().innerDiameter, R().candidates[R().chosenCandidate].innerDiameter);
        // The chosen size carries the flow at 0.85 full; the one below does not.
        QVERIFY(R().candidates[R().chosenCandidate].capacity > 0.05);
        if (R().chosenCandidate > 0)
            QVERIFY(R().candidates[R().chosenCandidate - 1].capacity <= 0.05);
        // The minimum slopes follow the chosen diameter.
        QCOMPARE(R().minSlopeSanitary, 897.0 / (R().innerDiameter / 1000.0 * R().density));
        // A larger flow picks a larger pipe.
        const double dn = R().nominalSize;
        Enter(1022, QStringLiteral("0,1"));
        QVERIFY(R().nominalSize > dn);
        QCOMPARE(Combo(1006)->currentText(), F("%.0f", R().nominalSize));
        CheckResultsShown();
    }

    void slopeBelowAHundredthAndWarnings()
    {
        Start();
        // A big pipe carrying little: the slope shows " < 0.01".
        ClickMode(1);
        ChoosePipe(3, 11, QStringLiteral("3000"));
        Enter(1021, QStringLiteral("0.9"));
        Enter(1022, QStringLiteral("0.001"));
        QCOMPARE(R().head.resultValid, 1);
        QVERIFY(R().slope < double(0.01f));
        QCOMPARE(Text(1060), QStringLiteral(" < 0.01"));
        // Below both minimum slopes: the storm-drain warning, in red.
        QCOMPARE(Text(1478), QStringLiteral("Pipe bottom gradient too low (storm drain/sanitary system)."));
        QCOMPARE(ColorStatic(1478)->TextColor(), kRed);
        QCOMPARE(ColorStatic(1476)->TextColor(), kGreen);
        CheckResultsShown();
    }

    void diameterModeTellsWhetherTheChosenSizeIsMadeToOrder()
    {
        Start();
        // A stock size picked from the list first.
        ClickMode(2);
        ChoosePipe(3, 11, QStringLiteral("300"));
        QCOMPARE(R().madeToOrder, 0);
        // Diameter sought: a flow that only the largest sizes carry, which
        // are made to order.
        ClickMode(0);
        Enter(1020, QStringLiteral("1"));
        Enter(1022, QStringLiteral("10"));
        QCOMPARE(R().head.resultValid, 1);
        QVERIFY(R().chosenCandidate >= 0);
        QCOMPARE(R().candidates[R().chosenCandidate].madeToOrder, 1);
        QCOMPARE(R().madeToOrder, 1);
        QCOMPARE(Text(1597), QStringLiteral("Production on demand. Delivery requires producer's confirmation."));
        // A small flow: a stock size again, and no hint.
        Enter(1022, QStringLiteral("1"));
        QCOMPARE(R().head.resultValid, 1);
        QCOMPARE(R().candidates[R().chosenCandidate].madeToOrder, 0);
        QCOMPARE(R().madeToOrder, 0);
        QCOMPARE(Text(1597), QString());
        CheckResultsShown();
    }

    void flowRateTooLarge()
    {
        Start();
        ChoosePipe(2, 8, QString());
        // Diameter sought, no size of the type carries the flow.
        ClickMode(0);
        Enter(1022, QStringLiteral("5"));
        QCOMPARE(R().chosenCandidate, -1);
        CheckFlowTooLarge();
        // Filling sought, the flow is far above what the pipe carries full.
        ClickMode(3);
        Choose(1006, Combo(1006)->findText(QStringLiteral("110")));
        Enter(1022, QStringLiteral("1"));
        CheckFlowTooLarge();
        // Slope sought, the pipe would need more than 100 per mille.
        ClickMode(1);
        Enter(1022, QStringLiteral("0.2"));
        QVERIFY(R().slope > 100.0);
        CheckFlowTooLarge();
        // A possible flow calculates again, green.
        Enter(1022, QStringLiteral("0.002"));
        QCOMPARE(R().head.resultValid, 1);
        QCOMPARE(ColorStatic(1476)->TextColor(), kGreen);
        CheckResultsShown();
    }

    void listsFollowCategoryAndType()
    {
        Start();
        ClickMode(3);
        QComboBox* categories = Combo(1002);
        QComboBox* types = Combo(1004);
        QComboBox* sizes = Combo(1006);
        // Gravity categories only, outside the extended catalogue: no GRP.
        QStringList names;
        for (int i = 0; i < categories->count(); ++i)
            names << categories->itemText(i);
        QCOMPARE(names, QStringList({"Mervo PE pipes", "Mervo PVC-U pipes", "Karsto structured-wall pipes"}));

        // PVC-U: the sewer types only, the first chosen, its sizes listed.
        Choose(1002, 1);
        QCOMPARE(R().categoryId, 2);
        QCOMPARE(types->count(), 3);
        QCOMPARE(types->itemText(0), QStringLiteral("PVC-U sewer SN 2 (SDR 51)"));
        QCOMPARE(R().typeId, 6);
        QCOMPARE(R().userRoughness, double(-0.01f));
        int expected = 0;
        for (const NominalSizeEntry& s : app->nominalSizes)
            if (s.categoryId == 2 && s.typeId == 6) {
                QCOMPARE(sizes->itemText(expected), F("%.0f", s.nominalSize));
                QCOMPARE(R().candidates[expected].innerDiameter, s.innerDiameter);
                QCOMPARE(R().candidates[expected].outerDiameter, s.outerDiameter);
                QCOMPARE(R().candidates[expected].nominalSize, s.nominalSize);
                QCOMPARE(R().candidates[expected].roughness, s.roughness);
                QCOMPARE(R().candidates[expected].madeToOrder, s.madeToOrder);
                ++expected;
            }
        QCOMPARE(expected, 13);
        QCOMPARE(sizes->count(), expected);
        QCOMPARE(R().candidateCount, expected);

        // The size of the record is kept when the new type lists it.
        Choose(1006, sizes->findText(QStringLiteral("400")));
        QCOMPARE(R().innerDiameter, 384.2);
        QCOMPARE(Text(1011), QStringLiteral("384.2"));
        Choose(1004, 2);
        QCOMPARE(R().typeId, 8);
        QCOMPARE(sizes->currentText(), QStringLiteral("400"));
        QCOMPARE(R().innerDiameter, 376.8);
        QCOMPARE(R().candidateCount, 11);

        // A made-to-order size shows the hint.
        Choose(1004, 0);
        Choose(1006, sizes->findText(QStringLiteral("800")));
        QCOMPARE(R().madeToOrder, 0);
        QCOMPARE(Text(1597), QString());
        Choose(1002, 2);
        QCOMPARE(R().categoryId, 3);
        QCOMPARE(R().typeId, 11);
        QCOMPARE(R().candidateCount, 21);
        Choose(1006, sizes->findText(QStringLiteral("2600")));
        QCOMPARE(R().madeToOrder, 1);
        QCOMPARE(Text(1597), QStringLiteral("Production on demand. Delivery requires producer's confirmation."));

        // Only the user's choice runs a handler.
        const int runs = page->Recalculations();
        types->setCurrentIndex(2);
        QCOMPARE(R().typeId, 11);
        QCOMPARE(page->Recalculations(), runs);
        // Choosing the category shown again changes nothing.
        Choose(1002, 2);
        QCOMPARE(page->Recalculations(), runs);
        QCOMPARE(R().typeId, 11);
        // The keyboard in a list is a choice too.
        types->setCurrentIndex(0);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(types->currentIndex(), 1);
        QCOMPARE(R().typeId, 12);
        QCOMPARE(R().userRoughness, double(-0.01f));
        QCOMPARE(page->Recalculations(), runs + 1);
    }

    void userRoughness()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("200"));
        Enter(1012, QStringLiteral("0,25"));
        QCOMPARE(R().userRoughness, 0.25);
        QCOMPARE(R().roughness, 0.25);
        CheckResultsShown();
        // It survives a change of size.
        Choose(1006, Combo(1006)->findText(QStringLiteral("250")));
        QCOMPARE(R().innerDiameter, 235.4);
        QCOMPARE(R().roughness, 0.25);
        QCOMPARE(Text(1012), QStringLiteral("0.250"));
        // A change of type clears it.
        Choose(1004, ItemWithId(1004, 7));
        QCOMPARE(R().userRoughness, double(-0.01f));
        QCOMPARE(R().roughness, 0.01);
        QCOMPARE(Text(1012), QStringLiteral("0.010"));
        // Below the limit it is clamped.
        Enter(1012, QStringLiteral("0"));
        QCOMPARE(R().roughness, double(0.001f));
        QCOMPARE(Text(1012), QStringLiteral("0.001"));
    }

    void inputsAreClampedAndNonNumbersReadAsZero()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(1014, QStringLiteral("20000"));
        QCOMPARE(R().density, 10000.0);
        Enter(1014, QStringLiteral("nan"));
        QCOMPARE(R().density, 1.0);
        QCOMPARE(Text(1014), QStringLiteral("1.0"));
        Enter(1014, QStringLiteral("999,7"));
        QCOMPARE(R().density, 999.7);
        Enter(1019, QStringLiteral("1"));
        QCOMPARE(R().viscosity, double(1e-4f));
        QCOMPARE(Text(1019), QStringLiteral("1.00e-04"));
        Enter(1019, QStringLiteral("inf"));
        QCOMPARE(R().viscosity, double(1e-8f));
        Enter(1019, QStringLiteral("1.31e-6"));
        Enter(1013, QStringLiteral("1e999"));
        QCOMPARE(R().length, 1.0);
        Enter(1013, QStringLiteral("0.5"));
        QCOMPARE(R().length, 1.0);
        Enter(1030, QStringLiteral("-5"));
        QCOMPARE(R().localLossShare, 0.0);
        Enter(1020, QStringLiteral("0"));
        QCOMPARE(R().slopeInput, double(0.01f));
        Enter(1020, QStringLiteral("1000"));
        QCOMPARE(R().slopeInput, 999.0);
        Enter(1021, QStringLiteral("0.999"));
        QCOMPARE(R().fillingInput, double(0.996f));
        QCOMPARE(Text(1021), QStringLiteral("1.00"));
        Enter(1021, QStringLiteral("-inf"));
        QCOMPARE(R().fillingInput, double(0.01f));
        ClickMode(3);
        Enter(1022, QStringLiteral("abc"));
        QCOMPARE(R().flowInput, double(0.001f));
        QCOMPARE(Text(1022), QStringLiteral("0.001"));
        // The start level has no limits.
        Enter(1017, QStringLiteral("-12,25"));
        QCOMPARE(R().startLevel, -12.25);
        // No value in the record is anything but a number.
        for (double v : {R().density, R().viscosity, R().length, R().localLossShare, R().slopeInput,
                         R().fillingInput, R().flowInput, R().flow, R().slope, R().filling})
            QVERIFY(std::isfinite(v));
    }

    void longNamesAreBounded()
    {
        Start();
        Enter(1633, QString(70, QLatin1Char('x')));
        QCOMPARE(FromFixed(R().head.name).size(), std::size_t(63));
        QCOMPARE(Text(1633), QString(63, QLatin1Char('x')));
        // A character outside the basic plane is not cut in half.
        Enter(1633, QString(62, QLatin1Char('y')) + QString::fromUtf8("\xF0\x9F\x92\xA7") + "z");
        const std::u16string name = FromFixed(R().head.name);
        QCOMPARE(name.size(), std::size_t(62));
        QCOMPARE(name, std::u16string(62, u'y'));
        // The record's reserved bytes and the head after the name are untouched.
        const GravityFlowRecord& r = R();
        for (uint8_t b : r.head.reserved0)
            QCOMPARE(int(b), 0);
    }

    void addStoresAndLoadsBack()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(1012, QStringLiteral("0.05"));
        Enter(1020, QStringLiteral("4"));
        const double flow = R().flow;

        // Add: the project manager opens on the kind; closing it loads the
        // new calculation back.
        bool seen = false;
        OnModal<CManageProjectDlg>(
            [](CManageProjectDlg* dlg) {
                QCOMPARE(dlg->kind, int(KindGravityFlow));
                QCOMPARE(dlg->list->rowCount(), 1);
                dlg->reject();
            },
            &seen);
        QTest::mouseClick(page->Control(1557), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(app->storedCount[ArrayGravityFlow], 1);
        QCOMPARE(app->currentIndex[ArrayGravityFlow], 0);
        QCOMPARE(FromFixed(app->storedRecords.gravityFlow[0].head.name), std::u16string(u"GP-001"));
        QCOMPARE(Text(1633), QStringLiteral("GP-001"));
        QCOMPARE(Text(1631), QStringLiteral("1"));
        QVERIFY(page->Control(1558)->isEnabled());
        QVERIFY(page->Control(1607)->isEnabled());
        // The stored calculation as it was, its own roughness included.
        QCOMPARE(R().mode, 2);
        QCOMPARE(R().typeId, 8);
        QCOMPARE(Combo(1004)->currentText(), QStringLiteral("PVC-U sewer SN 8 (SDR 34)"));
        QCOMPARE(Combo(1006)->currentText(), QStringLiteral("315"));
        QCOMPARE(R().roughness, 0.05);
        QCOMPARE(Text(1012), QStringLiteral("0.050"));
        QCOMPARE(R().flow, flow);
        CheckResultsShown();
        QVERIFY(frame->Doc().IsModified());

        // Update overwrites the current calculation.
        Edit(1013)->setText(QStringLiteral("250"));
        Edit(1633)->setText(QStringLiteral("Main sewer"));
        QTest::mouseClick(page->Control(1558), Qt::LeftButton);
        QCOMPARE(app->storedCount[ArrayGravityFlow], 1);
        QCOMPARE(app->storedRecords.gravityFlow[0].length, 250.0);
        QCOMPARE(FromFixed(app->storedRecords.gravityFlow[0].head.name), std::u16string(u"Main sewer"));
        QCOMPARE(std::memcmp(&app->storedRecords.gravityFlow[0], &R(), sizeof(GravityFlowRecord)), 0);

        // A second add gets the next number; "?" opens the manager too.
        Edit(1633)->setText(QStringLiteral("-"));
        int kindSeen = 0;
        frame->Host().manageProjectOverride = [&](int kind) { kindSeen = kind; };
        QTest::mouseClick(page->Control(1557), Qt::LeftButton);
        QCOMPARE(kindSeen, int(KindGravityFlow));
        QCOMPARE(app->storedCount[ArrayGravityFlow], 2);
        QCOMPARE(Text(1633), QStringLiteral("GP-002"));
        QCOMPARE(Text(1631), QStringLiteral("2"));
        kindSeen = 0;
        // The manager reads the first one back.
        frame->Host().manageProjectOverride = [&](int kind) {
            kindSeen = kind;
            app->currentIndex[ArrayGravityFlow] = 0;
        };
        QTest::mouseClick(page->Control(1607), Qt::LeftButton);
        QCOMPARE(kindSeen, int(KindGravityFlow));
        QCOMPARE(Text(1633), QStringLiteral("Main sewer"));
        QCOMPARE(Text(1631), QStringLiteral("1"));
        QCOMPARE(Text(1013), QStringLiteral("250.00"));
        frame->Host().manageProjectOverride = nullptr;
    }

    void storedPipeNoLongerInTheCatalogue()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(1020, QStringLiteral("3"));
        // A stored calculation of a pipe type the catalogue does not have.
        GravityFlowRecord stored = R();
        stored.typeId = 999;
        stored.innerDiameter = 300.0;
        stored.nominalSize = 315.0;
        app->storedRecords.gravityFlow.push_back(stored);
        app->storedCount[ArrayGravityFlow] = 1;
        frame->Host().manageProjectOverride = [&](int) { app->currentIndex[ArrayGravityFlow] = 0; };
        frame->Sheet()->ManageProject();
        frame->Host().manageProjectOverride = nullptr;
        // The type list shows none, the size list is empty; the record keeps
        // its pipe and is worked out with it.
        QCOMPARE(R().typeId, 999);
        QCOMPARE(Combo(1002)->currentText(), QStringLiteral("Mervo PVC-U pipes"));
        QCOMPARE(Combo(1004)->currentIndex(), -1);
        QCOMPARE(Combo(1006)->count(), 0);
        QCOMPARE(R().candidateCount, 0);
        QCOMPARE(R().innerDiameter, 300.0);
        QCOMPARE(Text(1011), QStringLiteral("300.0"));
        CheckResultsShown();
        CheckAgainstCore(1);
        // Choosing a listed type puts a catalogue pipe in again.
        Choose(1004, ItemWithId(1004, 7));
        QCOMPARE(R().typeId, 7);
        QCOMPARE(Combo(1006)->currentText(), QStringLiteral("315"));
        QCOMPARE(R().innerDiameter, 299.4);
    }

    void newProjectShowsTheDefaults()
    {
        Start();
        ClickMode(3);
        ChoosePipe(3, 12, QStringLiteral("800"));
        Enter(1013, QStringLiteral("321"));
        frame->Doc().SetModified(false);
        frame->Action(ID_FILE_NEW)->trigger();
        QCOMPARE(R().mode, 0);
        QVERIFY(qobject_cast<QRadioButton*>(page->Control(1008))->isChecked());
        QCOMPARE(R().categoryId, 1);
        QCOMPARE(R().typeId, 1);
        QCOMPARE(Combo(1006)->currentText(), QStringLiteral("32"));
        QCOMPARE(Text(1013), QStringLiteral("100.00"));
        QCOMPARE(Text(1022), QStringLiteral("1.500"));
        QVERIFY(page->Control(1006)->isEnabled() == false);
        CheckFlowTooLarge();
    }

    void activationWithoutStoredCalculationsResetsTheLists()
    {
        Start();
        ClickMode(2);
        ChoosePipe(3, 12, QStringLiteral("500"));
        Edit(1633)->setText(QStringLiteral("typed"));
        frame->Sheet()->setCurrentIndex(0);
        frame->Sheet()->setCurrentIndex(4);
        QCOMPARE(Combo(1002)->currentIndex(), 0);
        QCOMPARE(Combo(1004)->currentIndex(), 0);
        QCOMPARE(Combo(1006)->currentIndex(), 0);
        QCOMPARE(R().categoryId, 1);
        QCOMPARE(R().typeId, 1);
        QCOMPARE(R().nominalSize, 32.0);
        QCOMPARE(Text(1631), QStringLiteral("-"));
        QCOMPARE(Text(1633), QStringLiteral("-"));
    }

    void languageSwitchOnThePage()
    {
        Start(LangPolish);
        ClickMode(2);
        // A made-to-order size, so the hint shows too.
        ChoosePipe(2, 7, QStringLiteral("900"));
        QCOMPARE(R().madeToOrder, 1);
        QCOMPARE(Combo(1002)->currentText(), QStringLiteral("Rury Mervo PVC-U"));
        QCOMPARE(Text(1476), QStringLiteral("Obliczono przepływ."));
        QCOMPARE(Text(1414), QString::fromStdU16String(app->LoadLangString(1414, LangPolish)));
        QCOMPARE(Text(1597), LangText(*app, 20295) + ' ' + LangText(*app, 20296));

        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        QCOMPARE(qobject_cast<QRadioButton*>(page->Control(1008))->text(), QStringLiteral("Diameter"));
        QCOMPARE(Text(1414), QStringLiteral("Pipe category:"));
        QCOMPARE(Text(1476), QStringLiteral("Calculated flow rate."));
        QCOMPARE(Text(1597), QStringLiteral("Production on demand. Delivery requires producer's confirmation."));
        QCOMPARE(qobject_cast<QPushButton*>(page->Control(1558))->text(), QStringLiteral("Update"));
        // The lists take the names of the new tables and keep their choice.
        QTRY_COMPARE(Combo(1002)->currentText(), QStringLiteral("Mervo PVC-U pipes"));
        QCOMPARE(Combo(1004)->currentText(), QStringLiteral("PVC-U sewer SN 4 (SDR 41)"));
        QCOMPARE(Combo(1006)->currentText(), QStringLiteral("900"));
        QCOMPARE(R().typeId, 7);
        QCOMPARE(R().innerDiameter, 855.8);
        // A choice after the switch finds its row.
        Choose(1004, ItemWithId(1004, 8));
        QCOMPARE(R().typeId, 8);
        QCOMPARE(Combo(1006)->currentText(), QStringLiteral("110"));
        QCOMPARE(R().innerDiameter, 103.6);
        QCOMPARE(R().madeToOrder, 0);
        QCOMPARE(Text(1597), QString());
        QCOMPARE(R().head.resultValid, 1);
        CheckResultsShown();
        QVERIFY(prompts->warnings.isEmpty());
    }

    void importAndPrintAreOffHere()
    {
        Start();
        QVERIFY(!frame->Action(ID_IMPORT_DATA)->isEnabled());
        QVERIFY(!frame->Action(ID_FILE_PRINT)->isEnabled());
        QVERIFY(!page->CanPrint());
        // Asked for all the same, the import changes nothing on this page.
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        const GravityFlowRecord before = R();
        frame->Action(ID_IMPORT_DATA)->trigger();
        frame->Sheet()->ImportIntoActivePage();
        QCOMPARE(std::memcmp(&before, &R(), sizeof(GravityFlowRecord)), 0);
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        QVERIFY(!frame->Action(ID_IMPORT_DATA)->isEnabled());
        QVERIFY(!frame->Action(ID_FILE_PRINT)->isEnabled());
    }

    void fluidDialogFromThePage()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        // OK takes the slider's viscosity.
        bool seen = false;
        OnModal<CFluidParmsDlg>(
            [](CFluidParmsDlg* dlg) {
                QCOMPARE(dlg->Slider()->value(), 0);
                dlg->Slider()->setValue(10);
                QCOMPARE(dlg->ConcentrationEdit()->text(), QStringLiteral("500"));
                QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
            },
            &seen);
        const int runs = page->Recalculations();
        QTest::mouseClick(page->Control(1051), Qt::LeftButton);
        QVERIFY(seen);
        // The field shows the value and the record holds it as shown.
        QCOMPARE(Text(1019), QStringLiteral("1.41e-06"));
        QCOMPARE(R().viscosity, 1.41e-6);
        // The click, and the dialog's OK.
        QCOMPARE(page->Recalculations(), runs + 2);
        CheckResultsShown();

        // Cancel changes nothing.
        seen = false;
        OnModal<CFluidParmsDlg>(
            [](CFluidParmsDlg* dlg) {
                QCOMPARE(dlg->Slider()->value(), 10);
                dlg->Slider()->setValue(20);
                QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
            },
            &seen);
        QTest::mouseClick(page->Control(1051), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(Text(1019), QStringLiteral("1.41e-06"));
        QCOMPARE(R().viscosity, 1.41e-6);
    }

    void flowUnitsDialogFromThePage()
    {
        Start();
        ClickMode(3);
        ChoosePipe(2, 8, QStringLiteral("315"));
        bool seen = false;
        OnModal<CFlowUnitsCalcDlg>(
            [](CFlowUnitsCalcDlg* dlg) {
                // Preset with the page's flow, in m3/d.
                QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("129600.000"));
                QVERIFY(!dlg->OkButton()->isEnabled());
                QTest::mouseClick(dlg->UnitRadio(2), Qt::LeftButton);
                QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("1500.000"));
                dlg->ValueEdit()->setText(QStringLiteral("35"));
                QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
                QVERIFY(dlg->OkButton()->isEnabled());
                QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
            },
            &seen);
        QTest::mouseClick(page->Control(1053), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(Text(1022), QStringLiteral("0.035"));
        QCOMPARE(R().flowInput, 0.035);
        CheckResultsShown();

        // Cancel keeps the flow.
        seen = false;
        OnModal<CFlowUnitsCalcDlg>(
            [](CFlowUnitsCalcDlg* dlg) {
                dlg->ValueEdit()->setText(QStringLiteral("99"));
                QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
                QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
            },
            &seen);
        QTest::mouseClick(page->Control(1053), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(R().flowInput, 0.035);

        // A flow too small for the field is clamped when the page reads it.
        seen = false;
        OnModal<CFlowUnitsCalcDlg>(
            [](CFlowUnitsCalcDlg* dlg) {
                QTest::mouseClick(dlg->UnitRadio(3), Qt::LeftButton);
                dlg->ValueEdit()->setText(QStringLiteral("2"));
                QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
                QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
            },
            &seen);
        QTest::mouseClick(page->Control(1053), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(R().flowInput, double(0.001f));
        QCOMPARE(Text(1022), QStringLiteral("0.001"));

        // In flow mode the button is off.
        ClickMode(2);
        QVERIFY(!page->Control(1053)->isEnabled());
    }
};

QTEST_MAIN(TestGravityPage)
#include "test_gravity_page.moc"
