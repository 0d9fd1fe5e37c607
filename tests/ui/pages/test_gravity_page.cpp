// The gravity-flow page as the user works it in the main window: the
// triggers, the four sought quantities, the lists of the catalogue, the
// verdicts, the store buttons with the project manager, the language switch
// and the two input dialogs opened from the page.
#include "core/base/Text.h"
#include "pictures/scene/GravityScene.h"
#include "reports/ManageProjectDlg.h"
#include "reports/PrintoutTitleDlg.h"
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/controls/TabCtrlEx.h"
#include "ui/dialogs/FlowUnitsDlg.h"
#include "ui/dialogs/FluidPropertiesDlg.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/frame/MenuTexts.h"
#include "ui/frame/QtHost.h"
#include "ui/pages/GravityFlowPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

using namespace GravityIds;

namespace {

QString F(const char* format, double v)
{
    return QString::fromStdString(FormatC(format, v));
}

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

const QColor kSought(127, 255, 255);
const QColor kGreen(0, 127, 0);
const QColor kRed(255, 0, 0);
const QString kMadeToOrder = QStringLiteral("Production on demand. Delivery requires producer's confirmation.");

}  // namespace

class TestGravityPage : public QObject, public PageFixture<CGravityFlowPage> {
    Q_OBJECT

private:
    void Start(int language = LangEnglish)
    {
        QVERIFY(OpenPage(4, QStringLiteral("gravity"), language));
        QCOMPARE(app->activeCalcKind, int(KindGravityFlow));
    }

    GravityFlowRecord& R() { return app->working.gravityFlow; }
    CColorEdit* ColorEdit(int id) { return qobject_cast<CColorEdit*>(page->Control(id)); }
    CColorStatic* ColorStatic(int id) { return qobject_cast<CColorStatic*>(page->Control(id)); }

    // The user picks an item of a list, which must be open to a choice.
    void Choose(int comboId, int index)
    {
        QComboBox* c = Combo(comboId);
        QVERIFY(c && c->isEnabled());
        QVERIFY(index >= 0 && index < c->count());
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
        Choose(CategoryList, ItemWithId(CategoryList, categoryId));
        Choose(TypeList, ItemWithId(TypeList, typeId));
        if (dn.isEmpty())
            return;
        const int item = Combo(SizeList)->findText(dn);
        QVERIFY2(item >= 0, qPrintable(dn));
        Choose(SizeList, item);
    }
    void ClickMode(int mode)
    {
        Click(kModeRadios[mode]);
        QCOMPARE(R().mode, mode);
    }

    // The numbers the page shows are the record's, in the page's formats.
    void CheckResultsShown()
    {
        const GravityFlowRecord& r = R();
        QCOMPARE(r.head.resultValid, 1);
        const QString slope = r.slope < double(0.01f) ? QStringLiteral(" < 0.01") : F("%.2f", r.slope);
        CheckTexts({{NominalSize, F("%.0f", r.nominalSize)}, {Slope, slope}, {Flow, F("%.3f", r.flow)},
                    {Filling, F("%.2f", r.filling)}, {Velocity, F("%.2f", r.velocity)},
                    {Reynolds, F("%5.2e", r.reynolds)}, {FrictionFactor, F("%5.2e", r.frictionFactor)},
                    {TotalLoss, F("%.2f", r.localLossHead + r.frictionLossHead)},
                    {FrictionLoss, F("%.2f", r.frictionLossHead)}, {LocalLoss, F("%.2f", r.localLossHead)},
                    {EndLevel, F("%.2f", r.endLevel)}, {MinSlopeSanitary, F("%.2f", r.minSlopeSanitary)},
                    {MinSlopeStorm, F("%.2f", r.minSlopeStorm)}, {OpFilling, F("%.2f", r.filling)},
                    {OpVelocity, F("%.2f", r.velocity)}, {OpFlow, F("%.3f", r.flow)},
                    {Conclusion, Q(FromFixed(r.head.conclusion))}, {Warning, Q(FromFixed(r.head.warning))}});
        QCOMPARE(page->opFilling, r.filling);
        QCOMPARE(page->opVelocity, r.velocity);
        QCOMPARE(page->opFlow, r.flow);
        QCOMPARE(ColorStatic(Conclusion)->TextColor(), kGreen);
        QCOMPARE(ColorStatic(Warning)->TextColor(), kRed);
    }

    // The verdict "Flow rate too large.": red, every value but the nominal
    // size shown as "-".
    void CheckFlowTooLarge()
    {
        QCOMPARE(R().head.resultValid, 0);
        QCOMPARE(Text(Conclusion), QStringLiteral("Flow rate too large."));
        QCOMPARE(ColorStatic(Conclusion)->TextColor(), kRed);
        QCOMPARE(Text(NominalSize), F("%.0f", R().nominalSize));
        for (int id : {Slope, Flow, Filling, Velocity, Reynolds, FrictionFactor, TotalLoss, FrictionLoss, LocalLoss,
                       EndLevel, MinSlopeSanitary, MinSlopeStorm, OpFilling, OpVelocity, OpFlow})
            QCOMPARE(Text(id), QStringLiteral("-"));
    }

    // A result of the sought quantity with its verdict, shown as the record
    // holds it and as a core of its own works it out.
    void CheckSought(const QString& verdict)
    {
        CheckResultsShown();
        QCOMPARE(Text(Conclusion), verdict);
        CheckAgainstCore();
    }

    // The same inputs run by a core of its own give the same results, bit
    // for bit.
    void CheckAgainstCore()
    {
        auto other = StartedApp(LangEnglish);
        other->working.gravityFlow = R();
        other->CalcGravityFlow();
        QCOMPARE(std::memcmp(&other->working.gravityFlow, &R(), sizeof(GravityFlowRecord)), 0);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void firstActivationShowsTheFirstPipe()
    {
        Start();
        // The first category, type and size of the catalogue, with the defaults.
        QCOMPARE(R().categoryId, 1);
        QCOMPARE(R().typeId, 1);
        QCOMPARE(R().innerDiameter, 26.0);
        CheckTexts({{CategoryList, "Mervo PE pipes"}, {TypeList, "SN64 PE100 SDR 11 (PN 16)"}, {SizeList, "32"},
                    {InnerDiameter, "26.0"}, {Roughness, "0.010"}, {Length, "100.00"}, {StartLevel, "0.00"},
                    {LocalLossShare, "0"}, {Density, "999.7"}, {Viscosity, "1.31e-06"}, {SlopeInput, "1.00"},
                    {FillingInput, "0.65"}, {FlowInput, "1.500"}, {Number, "-"}, {Name, "-"},
                    {ModeFilling, "Section filling rate"}, {NominalSizeLabel, "Nominal diameter (Dn):"}, {1434, "[‰]"},
                    {AddButton, "Add"}});
        QVERIFY(!page->Control(UpdateButton)->isEnabled());
        QVERIFY(!page->Control(ProjectButton)->isEnabled());
        // 1.5 m3/s fits no PE100 SDR 11 pipe.
        CheckFlowTooLarge();
        // Every caption of the page takes the text of its id: the groups and
        // labels (1411 is no control), the radios and the store buttons.
        QList<int> captions = {ModeDiameter, ModeFlow, ModeSlope, ModeFilling, AddButton, UpdateButton, NumberLabel,
                               NameLabel};
        for (int id = DataGroup; id <= ConclusionLabel; ++id)
            if (id != 1411 && id != Picture)
                captions << id;
        for (int id : captions)
            QVERIFY2(page->Control(id) && Text(id) == LangText(*app, id), qPrintable(QString::number(id)));
        // The page fits the sheet in both languages.
        for (int language : {ID_LANGUAGE_ENGLISH, ID_LANGUAGE_POLISH}) {
            frame->Action(language)->trigger();
            QTest::qWait(20);
            QVERIFY(page->minimumSizeHint().width() <= page->width());
            QVERIFY(page->minimumSizeHint().height() <= page->height());
        }
    }

    void eachTriggerRecalculatesOnce()
    {
        Start();
        QLineEdit* length = Edit(Length);
        // The act runs the recalculation `runs` times, started by one trigger.
        auto expect = [&](const char* what, int runs, const std::function<void()>& act) {
            const int triggers = page->TriggeredRecalculations();
            const int before = page->Recalculations();
            act();
            QVERIFY2(page->Recalculations() == before + runs, what);
            QVERIFY2(runs == 0 || page->TriggeredRecalculations() == triggers + 1, what);
        };
        // Enter reads what was typed: a decimal comma reads as a point.
        length->setText(QStringLiteral("250,5"));
        expect("Enter", 1, [&] { QTest::keyClick(length, Qt::Key_Return); });
        QCOMPARE(R().length, 250.5);
        QCOMPARE(length->text(), QStringLiteral("250.50"));
        expect("keypad Enter", 1, [&] { QTest::keyClick(length, Qt::Key_Enter, Qt::KeypadModifier); });
        length->setFocus();
        expect("Tab", 1, [&] { QTest::keyClick(length, Qt::Key_Tab); });
        Edit(StartLevel)->setText(QStringLiteral("12,5"));
        expect("Shift+Tab", 1, [&] { QTest::keyClick(Edit(StartLevel), Qt::Key_Backtab, Qt::ShiftModifier); });
        QCOMPARE(R().startLevel, 12.5);
        expect("click on a label", 1, [&] { QTest::mouseClick(page->Control(LengthLabel), Qt::LeftButton); });
        expect("click on the disabled inner diameter", 1,
               [&] { QTest::mouseClick(page->Control(InnerDiameter), Qt::LeftButton); });
        expect("click on a field", 1, [&] { QTest::mouseClick(length, Qt::LeftButton); });
        expect("click on the page", 1, [&] { QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(3, 3)); });
        // A Shift- or Ctrl-click, a right click or another key run nothing on
        // any page (the page contract's own test); neither does a tab's click.
        expect("Shift-click", 0, [&] { QTest::mouseClick(length, Qt::LeftButton, Qt::ShiftModifier); });
        CTabCtrlEx* tabs = frame->Sheet()->TabCtrl();
        expect("click on a tab", 0, [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(4).center()); });
        QVERIFY(prompts->warnings.isEmpty());
    }

    void theFourModes()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        // The inputs: slope, filling, flow, size and the flow's "?", and the
        // modes each is open in.
        const int inputs[5] = {SlopeInput, FillingInput, FlowInput, SizeList, FlowUnitsButton};
        const bool enabled[4][5] = {{true, true, true, false, true},
                                    {false, true, true, true, true},
                                    {true, true, false, true, false},
                                    {true, false, true, true, true}};
        const QColor face = ButtonFaceColor();
        auto checkMode = [&](int mode) {
            QVERIFY(qobject_cast<QRadioButton*>(page->Control(kModeRadios[mode]))->isChecked());
            for (int i = 0; i < 5; ++i)
                QVERIFY2(page->Control(inputs[i])->isEnabled() == enabled[mode][i],
                         qPrintable(QStringLiteral("mode %1, control %2").arg(mode).arg(inputs[i])));
            QVERIFY(!page->Control(InnerDiameter)->isEnabled());
            for (int m = 0; m < 4; ++m) {
                QCOMPARE(ColorStatic(kSoughtLabels[m])->BkColor(), m == mode ? kSought : face);
                QCOMPARE(ColorEdit(kSoughtFields[m])->BkColor(), m == mode ? kSought : face);
            }
            QCOMPARE(ColorStatic(Conclusion)->BkColor(), face);
            QCOMPARE(ColorStatic(Warning)->BkColor(), face);
        };
        for (int mode : {1, 2, 3, 0}) {
            const int triggers = page->TriggeredRecalculations();
            ClickMode(mode);
            // The press recalculates in the old mode, the radio's handler in the new.
            QCOMPARE(page->TriggeredRecalculations(), triggers + 1);
            QCOMPARE(R().mode, mode);
            checkMode(mode);
        }
    }

    void resultsOfEachModeAreTheRecords()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(StartLevel, QStringLiteral("100"));
        Enter(LocalLossShare, QStringLiteral("10"));

        // Flow sought: DN 315 SN 8 at 5 per mille, half full.
        Enter(SlopeInput, QStringLiteral("5"));
        Enter(FillingInput, QStringLiteral("0,5"));
        CheckSought(QStringLiteral("Calculated flow rate."));
        const double flowAtHalf = R().flow;
        QVERIFY(flowAtHalf > 0.03 && flowAtHalf < 0.1);

        // Filling sought for that flow gives the filling back, near enough.
        ClickMode(3);
        Enter(FlowInput, F("%.3f", flowAtHalf));
        CheckSought(QStringLiteral("Calculated section filling rate."));
        QVERIFY(std::fabs(R().filling - 0.5) < 0.02);

        // Slope sought for it at half filling: near 5 per mille.
        ClickMode(1);
        CheckSought(QStringLiteral("Calculated Pipe bottom gradient."));
        QVERIFY(std::fabs(R().slope - 5.0) < 0.3);
        // The end level: the start less the losses over the section.
        QCOMPARE(R().endLevel, 100.0 - (R().localLossHead + R().frictionLossHead));

        // Diameter sought: the list follows the size chosen and is disabled.
        ClickMode(0);
        Enter(SlopeInput, QStringLiteral("5"));
        Enter(FlowInput, QStringLiteral("0.05"));
        CheckSought(QStringLiteral("Calculated pipe diameter."));
        const int chosen = R().chosenCandidate;
        QVERIFY(chosen >= 0);
        QCOMPARE(Combo(SizeList)->currentIndex(), chosen);
        CheckTexts({{SizeList, F("%.0f", R().nominalSize)}, {InnerDiameter, F("%.1f", R().innerDiameter)}});
        QCOMPARE(R().innerDiameter, R().candidates[chosen].innerDiameter);
        // The chosen size carries the flow at 0.85 full; the one below does not.
        QVERIFY(R().candidates[chosen].capacity > 0.05);
        QVERIFY(chosen == 0 || R().candidates[chosen - 1].capacity <= 0.05);
        // The minimum slopes follow the chosen diameter.
        QCOMPARE(R().minSlopeSanitary, 897.0 / (R().innerDiameter / 1000.0 * R().density));
        // A larger flow picks a larger pipe.
        const double dn = R().nominalSize;
        Enter(FlowInput, QStringLiteral("0,1"));
        QVERIFY(R().nominalSize > dn);
        QCOMPARE(Text(SizeList), F("%.0f", R().nominalSize));
        CheckResultsShown();
        QCOMPARE(R().madeToOrder, 0);

        // Structured-wall pipes: a flow that only the largest, made-to-order
        // sizes carry shows the hint; a small flow a stock size again, and no hint.
        ChoosePipe(3, 11, QString());
        Enter(SlopeInput, QStringLiteral("1"));
        for (const auto& [flow, madeToOrder] : {std::pair{"10", 1}, std::pair{"1", 0}}) {
            Enter(FlowInput, QString::fromLatin1(flow));
            QCOMPARE(R().head.resultValid, 1);
            QVERIFY(R().chosenCandidate >= 0);
            QCOMPARE(R().candidates[R().chosenCandidate].madeToOrder, madeToOrder);
            QCOMPARE(R().madeToOrder, madeToOrder);
            QCOMPARE(Text(Hint), madeToOrder ? kMadeToOrder : QString());
        }
        CheckResultsShown();
    }

    void flowTooLargeAndLowSlopeVerdicts()
    {
        Start();
        ChoosePipe(2, 8, QString());
        // Diameter sought, no size of the type carries the flow.
        ClickMode(0);
        Enter(FlowInput, QStringLiteral("5"));
        QCOMPARE(R().chosenCandidate, -1);
        CheckFlowTooLarge();
        // Filling sought, the flow is far above what the pipe carries full.
        ClickMode(3);
        Choose(SizeList, Combo(SizeList)->findText(QStringLiteral("110")));
        Enter(FlowInput, QStringLiteral("1"));
        CheckFlowTooLarge();
        // Slope sought, the pipe would need more than 100 per mille.
        ClickMode(1);
        Enter(FlowInput, QStringLiteral("0.2"));
        QVERIFY(R().slope > 100.0);
        CheckFlowTooLarge();
        // A possible flow calculates again, green.
        Enter(FlowInput, QStringLiteral("0.002"));
        CheckResultsShown();

        // A big pipe carrying little: the slope shows " < 0.01", below both
        // minimum slopes, with the storm-drain warning in red.
        ChoosePipe(3, 11, QStringLiteral("3000"));
        Enter(FillingInput, QStringLiteral("0.9"));
        Enter(FlowInput, QStringLiteral("0.001"));
        QVERIFY(R().slope < double(0.01f));
        QCOMPARE(Text(Slope), QStringLiteral(" < 0.01"));
        QCOMPARE(Text(Warning), QStringLiteral("Pipe bottom gradient too low (storm drain/sanitary system)."));
        CheckResultsShown();
    }

    void listsFollowCategoryAndType()
    {
        Start();
        ClickMode(3);
        QComboBox* categories = Combo(CategoryList);
        QComboBox* types = Combo(TypeList);
        QComboBox* sizes = Combo(SizeList);
        // Gravity categories only, outside the extended catalogue: no GRP.
        QStringList names;
        for (int i = 0; i < categories->count(); ++i)
            names << categories->itemText(i);
        QCOMPARE(names, QStringList({"Mervo PE pipes", "Mervo PVC-U pipes", "Karsto structured-wall pipes"}));

        // PVC-U: the sewer types only, the first chosen, its sizes listed.
        Choose(CategoryList, 1);
        QCOMPARE(R().categoryId, 2);
        QCOMPARE(types->count(), 3);
        QCOMPARE(types->itemText(0), QStringLiteral("SN2 PVC-U sewer (SDR 51)"));
        QCOMPARE(R().typeId, 6);
        QCOMPARE(R().userRoughness, double(-0.01f));
        int listed = 0;
        for (const NominalSizeEntry& s : app->tables.nominalSizes) {
            if (s.categoryId != 2 || s.typeId != 6)
                continue;
            const auto& c = R().candidates[listed];
            QCOMPARE(sizes->itemText(listed++), F("%.0f", s.nominalSize));
            QVERIFY2(c.innerDiameter == s.innerDiameter && c.outerDiameter == s.outerDiameter &&
                         c.nominalSize == s.nominalSize && c.roughness == s.roughness &&
                         c.madeToOrder == s.madeToOrder,
                     qPrintable(F("candidate DN %.0f", s.nominalSize)));
        }
        QCOMPARE(listed, 13);
        QCOMPARE(sizes->count(), listed);
        QCOMPARE(R().candidateCount, listed);

        // The size of the record is kept when the new type lists it.
        Choose(SizeList, sizes->findText(QStringLiteral("400")));
        QCOMPARE(R().innerDiameter, 384.2);
        QCOMPARE(Text(InnerDiameter), QStringLiteral("384.2"));
        Choose(TypeList, 2);
        QCOMPARE(R().typeId, 8);
        QCOMPARE(sizes->currentText(), QStringLiteral("400"));
        QCOMPARE(R().innerDiameter, 376.6);
        QCOMPARE(R().candidateCount, 11);

        // A made-to-order size shows the hint.
        Choose(TypeList, 0);
        Choose(SizeList, sizes->findText(QStringLiteral("800")));
        QCOMPARE(R().madeToOrder, 0);
        QCOMPARE(Text(Hint), QString());
        Choose(CategoryList, 2);
        QCOMPARE(R().categoryId, 3);
        QCOMPARE(R().typeId, 11);
        QCOMPARE(R().candidateCount, 21);
        Choose(SizeList, sizes->findText(QStringLiteral("2600")));
        QCOMPARE(R().madeToOrder, 1);
        QCOMPARE(Text(Hint), kMadeToOrder);

        // Only the user's choice runs a handler, and choosing the category
        // shown again changes nothing.
        const int runs = page->Recalculations();
        types->setCurrentIndex(2);
        QCOMPARE(R().typeId, 11);
        Choose(CategoryList, 2);
        QCOMPARE(R().typeId, 11);
        QCOMPARE(page->Recalculations(), runs);
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

    void inputsAreReadClampedAndBounded()
    {
        Start();
        ClickMode(2);
        // The user's roughness survives a change of size; a change of type
        // clears it.
        ChoosePipe(2, 8, QStringLiteral("200"));
        Enter(Roughness, QStringLiteral("0,25"));
        QCOMPARE(R().userRoughness, 0.25);
        QCOMPARE(R().roughness, 0.25);
        CheckResultsShown();
        Choose(SizeList, Combo(SizeList)->findText(QStringLiteral("250")));
        QCOMPARE(R().innerDiameter, 235.4);
        QCOMPARE(R().roughness, 0.25);
        QCOMPARE(Text(Roughness), QStringLiteral("0.250"));
        Choose(TypeList, ItemWithId(TypeList, 7));
        QCOMPARE(R().userRoughness, double(-0.01f));
        QCOMPARE(R().roughness, 0.01);
        QCOMPARE(Text(Roughness), QStringLiteral("0.010"));

        // Values out of range are clamped, what is no number reads as 0 (and
        // is clamped); the start level has no limits.
        using G = GravityFlowRecord;
        const struct { int id; const char* typed; double G::*field; double value; const char* shown; } cases[] = {
            {Roughness, "0", &G::roughness, double(0.001f), "0.001"}, {Density, "20000", &G::density, 10000.0, nullptr},
            {Density, "nan", &G::density, 1.0, "1.0"}, {Density, "999,7", &G::density, 999.7, nullptr},
            {Viscosity, "1", &G::viscosity, double(1e-4f), "1.00e-04"},
            {Viscosity, "inf", &G::viscosity, 1e-8, nullptr}, {Viscosity, "1.31e-6", &G::viscosity, 1.31e-6, nullptr},
            {Length, "1e999", &G::length, 1.0, nullptr}, {Length, "0.5", &G::length, 1.0, nullptr},
            {LocalLossShare, "-5", &G::localLossShare, 0.0, nullptr}, {SlopeInput, "0", &G::slopeInput, 0.01, nullptr},
            {SlopeInput, "1000", &G::slopeInput, 999.0, nullptr},
            {FillingInput, "0.999", &G::fillingInput, double(0.996f), "1.00"},
            {FillingInput, "-inf", &G::fillingInput, 0.01, nullptr},
            {StartLevel, "-12,25", &G::startLevel, -12.25, nullptr},
        };
        for (const auto& c : cases) {
            Enter(c.id, QString::fromLatin1(c.typed));
            QVERIFY2(R().*c.field == c.value,
                     qPrintable(QStringLiteral("\"%1\" in %2 read as %3").arg(c.typed).arg(c.id).arg(R().*c.field)));
            if (c.shown)
                QCOMPARE(Text(c.id), QString::fromLatin1(c.shown));
        }
        ClickMode(3);
        Enter(FlowInput, QStringLiteral("abc"));
        QCOMPARE(R().flowInput, double(0.001f));
        QCOMPARE(Text(FlowInput), QStringLiteral("0.001"));
        // No value in the record is anything but a number.
        for (double v : {R().density, R().viscosity, R().length, R().localLossShare, R().slopeInput,
                         R().fillingInput, R().flowInput, R().flow, R().slope, R().filling})
            QVERIFY(std::isfinite(v));

        // Names are bounded to 63 units, and a character outside the basic
        // plane is not cut in half.
        Enter(Name, QString(70, QLatin1Char('x')));
        QCOMPARE(FromFixed(R().head.name), std::u16string(63, u'x'));
        QCOMPARE(Text(Name), QString(63, QLatin1Char('x')));
        Enter(Name, QString(62, QLatin1Char('y')) + QString::fromUtf8("\xF0\x9F\x92\xA7") + "z");
        QCOMPARE(FromFixed(R().head.name), std::u16string(62, u'y'));
        // The record's reserved bytes after the name are untouched.
        for (uint8_t b : R().head.reserved0)
            QCOMPARE(int(b), 0);
    }

    void addStoresAndLoadsBack()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(Roughness, QStringLiteral("0.05"));
        Enter(SlopeInput, QStringLiteral("4"));
        const double flow = R().flow;

        // Add: the project manager opens on the kind; closing it loads the
        // new calculation back.
        ClickOpening<CManageProjectDlg>(AddButton, [](CManageProjectDlg* dlg) {
            QCOMPARE(dlg->kind, int(KindGravityFlow));
            QCOMPARE(dlg->list->GetItemCount(), 1);
            dlg->reject();
        });
        QCOMPARE(app->project.Count(ArrayGravityFlow), 1);
        QCOMPARE(app->project.currentIndex[ArrayGravityFlow], 0);
        QCOMPARE(FromFixed(app->project.gravityFlow[0].head.name), std::u16string(u"GP-001"));
        CheckTexts({{Name, "GP-001"}, {Number, "1"}, {Roughness, "0.050"}});
        QVERIFY(page->Control(UpdateButton)->isEnabled());
        QVERIFY(page->Control(ProjectButton)->isEnabled());
        // The stored calculation as it was, its own roughness included.
        QCOMPARE(R().mode, 2);
        QCOMPARE(R().typeId, 8);
        CheckTexts({{TypeList, "SN8 PVC-U sewer (SDR 34)"}, {SizeList, "315"}});
        QCOMPARE(R().roughness, 0.05);
        QCOMPARE(R().flow, flow);
        CheckResultsShown();
        QVERIFY(frame->Doc().IsModified());

        // Update overwrites the current calculation.
        Edit(Length)->setText(QStringLiteral("250"));
        Edit(Name)->setText(QStringLiteral("Main sewer"));
        QTest::mouseClick(page->Control(UpdateButton), Qt::LeftButton);
        QCOMPARE(app->project.Count(ArrayGravityFlow), 1);
        QCOMPARE(app->project.gravityFlow[0].length, 250.0);
        QCOMPARE(FromFixed(app->project.gravityFlow[0].head.name), std::u16string(u"Main sewer"));
        QCOMPARE(std::memcmp(&app->project.gravityFlow[0], &R(), sizeof(GravityFlowRecord)), 0);

        // A second add gets the next number; "?" opens the manager too, which
        // here reads the first one back.
        Edit(Name)->setText(QStringLiteral("-"));
        int kindSeen = 0;
        frame->Host().manageProjectOverride = [&](int kind) { kindSeen = kind; };
        QTest::mouseClick(page->Control(AddButton), Qt::LeftButton);
        QCOMPARE(kindSeen, int(KindGravityFlow));
        QCOMPARE(app->project.Count(ArrayGravityFlow), 2);
        CheckTexts({{Name, "GP-002"}, {Number, "2"}});
        kindSeen = 0;
        frame->Host().manageProjectOverride = [&](int kind) {
            kindSeen = kind;
            app->project.currentIndex[ArrayGravityFlow] = 0;
        };
        QTest::mouseClick(page->Control(ProjectButton), Qt::LeftButton);
        QCOMPARE(kindSeen, int(KindGravityFlow));
        CheckTexts({{Name, "Main sewer"}, {Number, "1"}, {Length, "250.00"}});
        frame->Host().manageProjectOverride = nullptr;
    }

    void storedPipeNoLongerInTheCatalogue()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        Enter(SlopeInput, QStringLiteral("3"));
        // A stored calculation of a pipe type the catalogue does not have.
        GravityFlowRecord stored = R();
        stored.typeId = 999;
        stored.innerDiameter = 300.0;
        stored.nominalSize = 315.0;
        app->project.gravityFlow.push_back(stored);
        frame->Host().manageProjectOverride = [&](int) { app->project.currentIndex[ArrayGravityFlow] = 0; };
        frame->Sheet()->ManageProject();
        frame->Host().manageProjectOverride = nullptr;
        // The type list shows none, the size list is empty; the record keeps
        // its pipe and is worked out with it.
        QCOMPARE(R().typeId, 999);
        QCOMPARE(Combo(TypeList)->currentIndex(), -1);
        QCOMPARE(Combo(SizeList)->count(), 0);
        QCOMPARE(R().candidateCount, 0);
        QCOMPARE(R().innerDiameter, 300.0);
        CheckTexts({{CategoryList, "Mervo PVC-U pipes"}, {InnerDiameter, "300.0"}});
        CheckSought(QStringLiteral("Calculated flow rate."));
        // Choosing a listed type puts a catalogue pipe in again.
        Choose(TypeList, ItemWithId(TypeList, 7));
        QCOMPARE(R().typeId, 7);
        QCOMPARE(Text(SizeList), QStringLiteral("315"));
        QCOMPARE(R().innerDiameter, 299.6);
    }

    void defaultsComeBack()
    {
        Start();
        auto checkFirstPipe = [&] {
            for (int id : {CategoryList, TypeList, SizeList})
                QCOMPARE(Combo(id)->currentIndex(), 0);
            QCOMPARE(R().categoryId, 1);
            QCOMPARE(R().typeId, 1);
            QCOMPARE(R().nominalSize, 32.0);
        };
        // Activated with no stored calculation, the page lists the first
        // pipe again and forgets the typed name.
        ClickMode(2);
        ChoosePipe(3, 12, QStringLiteral("500"));
        Edit(Name)->setText(QStringLiteral("typed"));
        frame->Sheet()->setCurrentIndex(0);
        frame->Sheet()->setCurrentIndex(4);
        checkFirstPipe();
        CheckTexts({{Number, "-"}, {Name, "-"}});

        // A new project shows the defaults.
        ClickMode(3);
        ChoosePipe(3, 12, QStringLiteral("800"));
        Enter(Length, QStringLiteral("321"));
        frame->Doc().SetModified(false);
        frame->Action(ID_FILE_NEW)->trigger();
        QCOMPARE(R().mode, 0);
        QVERIFY(qobject_cast<QRadioButton*>(page->Control(ModeDiameter))->isChecked());
        checkFirstPipe();
        CheckTexts({{Length, "100.00"}, {FlowInput, "1.500"}});
        QVERIFY(!page->Control(SizeList)->isEnabled());
        CheckFlowTooLarge();
    }

    void languageSwitchOnThePageWithImportOffAndPrintOn()
    {
        Start(LangPolish);
        ClickMode(2);
        // Data import is off here; asked for all the same, the import changes
        // nothing on this page.
        ChoosePipe(2, 8, QStringLiteral("315"));
        QVERIFY(page->CanPrint());
        const GravityFlowRecord before = R();
        frame->Action(ID_IMPORT_DATA)->trigger();
        CImportDlg::ImportIntoActivePage(*app, *frame->Sheet());
        QCOMPARE(std::memcmp(&before, &R(), sizeof(GravityFlowRecord)), 0);

        // A made-to-order size, so the hint shows too.
        ChoosePipe(2, 7, QStringLiteral("900"));
        QCOMPARE(R().madeToOrder, 1);
        CheckTexts({{CategoryList, "Rury Mervo PVC-U"}, {Conclusion, "Obliczono przepływ."},
                    {CategoryLabel, Q(app->LoadLangString(CategoryLabel, LangPolish))},
                    {Hint, LangText(*app, 20295) + ' ' + LangText(*app, 20296)}});

        for (int language : {ID_LANGUAGE_POLISH, ID_LANGUAGE_ENGLISH}) {
            frame->Action(language)->trigger();
            QVERIFY(!frame->Action(ID_IMPORT_DATA)->isEnabled());
            QVERIFY(frame->Action(ID_FILE_PRINT)->isEnabled());
        }
        CheckTexts({{ModeDiameter, "Diameter"}, {CategoryLabel, "Pipe category:"},
                    {Conclusion, "Calculated flow rate."}, {Hint, kMadeToOrder}, {UpdateButton, "Update"}});
        // The lists take the names of the new tables and keep their choice.
        QTRY_COMPARE(Text(CategoryList), QStringLiteral("Mervo PVC-U pipes"));
        CheckTexts({{TypeList, "SN4 PVC-U sewer (SDR 41)"}, {SizeList, "900"}});
        QCOMPARE(R().typeId, 7);
        QCOMPARE(R().innerDiameter, 856.0);
        // A choice after the switch finds its row.
        Choose(TypeList, ItemWithId(TypeList, 8));
        QCOMPARE(R().typeId, 8);
        QCOMPARE(R().innerDiameter, 103.6);
        QCOMPARE(R().madeToOrder, 0);
        CheckTexts({{SizeList, "110"}, {Hint, ""}});
        CheckResultsShown();
        QVERIFY(prompts->warnings.isEmpty());
    }

    void inputDialogsFromThePage()
    {
        Start();
        ClickMode(2);
        ChoosePipe(2, 8, QStringLiteral("315"));
        // Fluid properties (the dialogs on their own have a test of their
        // own): OK takes the slider's viscosity; the field shows it and the
        // record holds it as shown. The click and the OK each recalculate.
        const int runs = page->Recalculations();
        ClickOpening<CFluidParmsDlg>(FluidButton, [](CFluidParmsDlg* dlg) {
            dlg->Slider()->setValue(10);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(Viscosity), QStringLiteral("1.41e-06"));
        QCOMPARE(R().viscosity, 1.41e-6);
        QCOMPARE(page->Recalculations(), runs + 2);
        CheckResultsShown();
        // Cancel changes nothing.
        ClickOpening<CFluidParmsDlg>(FluidButton, [](CFluidParmsDlg* dlg) {
            dlg->Slider()->setValue(20);
            QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(Viscosity), QStringLiteral("1.41e-06"));
        QCOMPARE(R().viscosity, 1.41e-6);

        // Flow units, preset with the page's flow in m3/d.
        ClickMode(3);
        ClickOpening<CFlowUnitsCalcDlg>(FlowUnitsButton, [](CFlowUnitsCalcDlg* dlg) {
            QCOMPARE(dlg->ValueEdit()->text(), QStringLiteral("129600.000"));
            QTest::mouseClick(dlg->UnitRadio(2), Qt::LeftButton);
            dlg->ValueEdit()->setText(QStringLiteral("35"));
            QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(Text(FlowInput), QStringLiteral("0.035"));
        QCOMPARE(R().flowInput, 0.035);
        CheckResultsShown();
        // Cancel keeps the flow.
        ClickOpening<CFlowUnitsCalcDlg>(FlowUnitsButton, [](CFlowUnitsCalcDlg* dlg) {
            dlg->ValueEdit()->setText(QStringLiteral("99"));
            QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
            QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
        });
        QCOMPARE(R().flowInput, 0.035);
        // A flow too small for the field is clamped when the page reads it.
        ClickOpening<CFlowUnitsCalcDlg>(FlowUnitsButton, [](CFlowUnitsCalcDlg* dlg) {
            QTest::mouseClick(dlg->UnitRadio(3), Qt::LeftButton);
            dlg->ValueEdit()->setText(QStringLiteral("2"));
            QTest::mouseClick(dlg->CalculateButton(), Qt::LeftButton);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        QCOMPARE(R().flowInput, double(0.001f));
        QCOMPARE(Text(FlowInput), QStringLiteral("0.001"));
        // In flow mode the button is off.
        ClickMode(2);
        QVERIFY(!page->Control(FlowUnitsButton)->isEnabled());
    }

    // The tool recalculates a stored record as the page does when the record
    // is loaded back, byte for byte; the bare calculation does not always.
    void toolLeavesThePagesBytes()
    {
        Start();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString tool = qEnvironmentVariable("DALVOR_HOME") + QStringLiteral("/dalvor-recalc");
        auto recalc = [&](const GravityFlowRecord& stored, const QStringList& options) {
            auto in = StartedApp(LangEnglish);
            in->working.gravityFlow = stored;
            in->StoreCurrentCalc(KindGravityFlow, -1);
            const QString from = dir.filePath(QStringLiteral("in.qdl")), to = dir.filePath(QStringLiteral("out.qdl"));
            in->WriteProjectFile(from.toStdString());
            const int status = QProcess::execute(tool, options + QStringList{QStringLiteral("--lang"), QStringLiteral("en"), from, to});
            auto out = StartedApp(LangEnglish);
            const bool read = status == 0 && out->ReadProjectFile(to.toStdString()) == ProjectReadError::None &&
                              out->project.gravityFlow.size() == 1;
            return read ? out->project.gravityFlow[0] : GravityFlowRecord{};
        };
        struct Case {
            const char* what;
            int mode;
            const char *slope, *filling, *flow;
            int valid;
            bool bareDiffers;  // the bare calculation leaves other bytes
        } cases[] = {
            {"diameter: no size carries it", 0, "1.00", "0.65", "1.500", 0, true},
            {"diameter: the choice's minimum slopes", 0, "5.00", "0.65", "0.005", 1, true},
            {"slope above 100 per mille", 1, "1.00", "0.50", "0.500", 0, true},
            {"slope", 1, "1.00", "0.50", "0.0001", 1, false},
            {"flow", 2, "5.00", "0.50", "1.500", 1, false},
            {"filling: flow off by more than a tenth", 3, "1.00", "0.65", "0.500", 0, true},
            {"filling", 3, "5.00", "0.65", "0.0002", 1, false},
        };
        for (const Case& c : cases) {
            Edit(SlopeInput)->setText(QString::fromLatin1(c.slope));
            Edit(FillingInput)->setText(QString::fromLatin1(c.filling));
            Edit(FlowInput)->setText(QString::fromLatin1(c.flow));
            Edit(Name)->setText(QString::fromLatin1(c.what));
            ClickMode(c.mode);
            GravityFlowRecord stored = R();
            // A record stored with the list's first size: the diameter run
            // chooses another, and the second run gives its minimum slopes.
            if (c.mode == 0 && c.valid)
                TakeCandidateSize(stored, stored.candidates[0]);
            // The page loads the record back.
            R() = stored;
            frame->Sheet()->RefreshActivePage();
            const GravityFlowRecord shown = R();
            QVERIFY2(shown.head.resultValid == c.valid, c.what);
            const GravityFlowRecord fromTool = recalc(stored, {});
            QVERIFY2(std::memcmp(&fromTool, &shown, sizeof fromTool) == 0, c.what);
            const GravityFlowRecord bare = recalc(stored, {QStringLiteral("--core-only")});
            QVERIFY2((std::memcmp(&bare, &shown, sizeof bare) != 0) == c.bareDiffers, c.what);
        }
    }

    // The fields of a column line up, boxed or not, in both languages.
    void fieldsLineUp()
    {
        Start(LangPolish);
        QTest::qWait(20);
        const QList<QList<int>> columns = {
            {InnerDiameter, Roughness, Length, StartLevel, LocalLossShare, Density, Viscosity, SlopeInput,
             FillingInput, FlowInput},
            {NominalSize, Slope, Flow, Filling, Velocity, Reynolds, FrictionFactor, TotalLoss, FrictionLoss, LocalLoss,
             EndLevel, MinSlopeSanitary, MinSlopeStorm}};
        for (const QList<int>& column : columns) {
            const int x = page->Control(column.first())->mapTo(page, QPoint()).x();
            for (int id : column)
                QVERIFY2(page->Control(id)->mapTo(page, QPoint()).x() == x, qPrintable(QString::number(id)));
        }
        // A caption of an input keeps to one line, whole.
        auto* label = qobject_cast<QLabel*>(page->Control(StartLevelLabel));
        QVERIFY(!label->wordWrap());
        QVERIFY(label->width() >= label->sizeHint().width());
    }

    // The operating line dragged in the chart moves the diagram's point by
    // the pixels over the chart's scale, within the table's fillings; the
    // record stays, and the next recalculation puts the line back.
    void dragMovesTheOperatingPoint_data()
    {
        QTest::addColumn<int>("dy");  // pixels, down positive
        QTest::newRow("up 20 px") << -20;
        QTest::newRow("down 15 px") << 15;
        QTest::newRow("past the top") << -400;
    }
    void dragMovesTheOperatingPoint()
    {
        QFETCH(int, dy);
        Start();
        ClickMode(2);
        CPictureGravityFlow* chart = page->FillingChart();
        QCOMPARE(chart->size(), QSize(320, 240));
        int row = 0;
        while (row < 240 && chart->Scene().Pick(row) != 0)
            ++row;
        row += 4;  // the line itself
        const GravityFlowRecord before = R();
        QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(100, row));
        QTest::mouseMove(chart, QPoint(100, row + dy));
        QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(100, row + dy));
        const double py = LayoutGravity(app->gravityCalculator, 320, 240).py;
        const double filling = std::clamp(before.filling - dy / py, double(1e-4f), double(0.9999f));
        QCOMPARE(page->opFilling, filling);
        QCOMPARE(page->opFlow, app->gravityCalculator.FlowAt(filling));
        CheckTexts({{OpFilling, F("%.2f", filling)},
                    {OpVelocity, F("%.2f", app->gravityCalculator.VelocityAt(filling))},
                    {OpFlow, F("%.3f", page->opFlow)}});
        QCOMPARE(std::memcmp(&before, &R(), sizeof before), 0);
        QTest::keyClick(Edit(Length), Qt::Key_Return);
        CheckResultsShown();
    }

    // Ctrl+P with the title dialog cancelled prints nothing; File Print
    // through both dialogs writes one page with the title, the report and
    // the chart, recorded at ten times its size and played once.
    void printFromThePage()
    {
        Start();
        ClickMode(2);
        app->print.reportSections[0].rowCount = 99;
        WithModal<CPrintoutTitleDlg>([&] { QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier); },
                                     [](CPrintoutTitleDlg* dlg) { dlg->reject(); });
        QCOMPARE(app->print.reportSections[0].rowCount, 99);
        QCOMPARE(app->print.printPicture.width, 3200);

        const QString pdf = FreshFolder(QStringLiteral("print")) + QStringLiteral("/gravity.pdf");
        WithModal<CPrintoutTitleDlg>([&] { frame->Action(ID_FILE_PRINT)->trigger(); }, [&](CPrintoutTitleDlg* dlg) {
            PrintNextToPdf(dlg, pdf);
            QTest::keyClicks(dlg->Combo()->lineEdit(), QStringLiteral(" K-12"));
            QTest::keyClick(dlg->Combo()->lineEdit(), Qt::Key_Return);
        });
        QCOMPARE(app->print.printPicture.width, 0);
        const QString printed = PdfText(pdf);
        for (const char* expected : {"K-12", "Gravity pipeline - hydraulic calculator", "Calculated flow rate."})
            QVERIFY2(printed.contains(QLatin1String(expected)), expected);
    }

    // A number longer than its field shows its beginning.
    void longNumbersShowTheirBeginning()
    {
        Start();
        Enter(FlowInput, QStringLiteral("1e308"));
        QLineEdit* e = Edit(FlowInput);
        QVERIFY(e->text().startsWith(QLatin1String("1000000000")));
        QCOMPARE(e->cursorPosition(), 0);
        QCOMPARE(R().flowInput, 1e308);
    }
};

DALVOR_TEST_MAIN(TestGravityPage)
#include "test_gravity_page.moc"
