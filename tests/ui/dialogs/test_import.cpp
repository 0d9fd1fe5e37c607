// The import dialog and the sheet's import: stored calculations of the other
// kinds listed and shown, ticks cleared on every change of source, and the
// ticked values copied into the tank, manhole and buried-pipe pages.
#include "base/Text.h"
#include "dialogs/ImportDlg.h"
#include "frame/MenuTexts.h"
#include "QtTestMain.h"
#include "sheet/CalcPage.h"
#include "sheet/CalcSheet.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using D = CImportDlg;

void Tick(QCheckBox* box)
{
    QVERIFY(box->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Chooses an item of a closed combo from the keyboard, as a user does.
void Choose(QComboBox* combo, int index)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), index);
}

// A project with two tanks, a buried pipe and a manhole.
void StoreProject(CDalvorApp& app)
{
    for (double ground : {101.5, 110.0}) {
        app.ResetTankRecord();
        app.tank.groundLevel = ground;
        app.tank.waterLevel = ground - 2.25;
        app.tank.tankBottomLevel = ground - 4.5;
        app.tank.innerDiameter = 2400.0;
        app.tank.outerDiameter = 2500.0;
        app.tank.stiffnessClass = 8.0;
        app.StoreCurrentCalc(KindTank, -1);
    }
    app.ResetBuriedPipeRecord();
    BuriedPipeRecord& b = app.buriedPipe;
    b.groundLevel = 100.0, b.waterLevel = 98.0, b.invertLevel = 97.5, b.foundationLevel = 97.46;
    b.nominalSize = 400.0, b.innerDiameter = 377.6, b.outerDiameter = 400.0, b.ringStiffness = 8.0;
    b.compactionIndex = 0.95;
    app.StoreCurrentCalc(KindBuriedPipe, -1);
    app.ResetManholeRecord();
    app.manhole.groundLevel = 120.0, app.manhole.waterLevel = 118.0, app.manhole.pipeBottomLevel = 116.0;
    app.manhole.pipeDiameter = 0.25f;
    app.StoreCurrentCalc(KindManhole, -1);
}

// A page of the tank kind that records what the sheet does with it.
class StubTankPage : public CCalcPage {
public:
    StubTankPage(CDalvorApp& a) : CCalcPage(a, {KindTank, 109, 0, 0, 0, "tank"})
    {
        RegisterControl(1086, ground = new QLineEdit(this), false);
        RegisterControl(1642, fill = new QLineEdit(this), false);
    }
    void BeforeImport(const CImportDlg& dlg) override { steps << "before:" + ground->text() + ":" + QString::number(dlg.problemIndex); }
    // The fill level takes the ground level's text after the copies.
    void AfterImport(const CImportDlg&) override
    {
        fill->setText(ground->text());
        steps << "after:" + ground->text();
    }
    void DataToControls() override { steps << "data"; }
    void Recalculate() override { steps << "recalculate"; }
    QLineEdit* ground;
    QLineEdit* fill;
    QStringList steps;
};

}  // namespace

class TestImport : public QObject, public MainWindowFixture {
    Q_OBJECT

private:
    std::unique_ptr<CDalvorApp> core;

    std::unique_ptr<CImportDlg> Open(CDalvorApp& a)
    {
        auto dlg = std::make_unique<CImportDlg>(a);
        dlg->show();
        return dlg;
    }

private slots:
    void initTestCase()
    {
        core = StartedApp(LangEnglish);
        StoreProject(*core);
    }
    void cleanupTestCase() { core.reset(); }
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void eachSourceKindShowsItsValues()
    {
        auto dlg = Open(*core);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Import of data"));
        QCOMPARE(dlg->ProblemCombo()->itemText(1), QStringLiteral("     Underground tank - uplift force calculator     "));
        QCOMPARE(dlg->CheckBox(D::kDiameterBox)->text(), QStringLiteral("Nominal pipe diameter (Dn):"));
        QCOMPARE(dlg->RowLabel(1675)->text(), QStringLiteral("Cohesion (c'):"));

        const struct {
            int problem, task;
            const char* items;
            std::vector<std::pair<int, const char*>> texts;
            std::vector<int> disabled;
            double stiffness, inner;
        } cases[] = {
            {0, 0, "#1: UP-001",
             {{D::kGroundLevelText, "100.00"}, {D::kWaterLevelText, "98.00"}, {D::kPipeBottomText, "97.50"},
              {D::kFoundationLevelText, "97.46"}, {D::kDiameterText, "400"}, {D::kTankBottomText, "-"},
              {D::kCompactionText, "0.95"}, {D::kUnitWeightText, "17.50"}, {D::kPorosityText, "15.00"},
              {D::kFrictionAngleText, "30.00"}, {D::kCohesionText, "0.00"}},
             {D::kTankBottomBox}, 8.0, 377.6},
            {1, 1, "#1: UT-001|#2: UT-002",
             {{D::kGroundLevelText, "110.00"}, {D::kWaterLevelText, "107.75"}, {D::kTankBottomText, "105.50"},
              {D::kPipeBottomText, "-"}, {D::kFoundationLevelText, "-"}, {D::kDiameterText, "2400"},
              {D::kCompactionText, "-"}},
             {D::kPipeBottomBox, D::kFoundationLevelBox, 1670}, 8.0, 2400.0},
            {2, 0, "#1: M-001",
             {{D::kGroundLevelText, "120.00"}, {D::kFoundationLevelText, "116.00"}, {D::kDiameterText, "250"},
              {D::kTankBottomText, "-"}, {D::kPipeBottomText, "-"}, {D::kCompactionText, "-"}},
             {D::kTankBottomBox, D::kPipeBottomBox, 1670}, 0.0, 0.0},
        };
        for (const auto& c : cases) {
            Choose(dlg->ProblemCombo(), c.problem);
            Choose(dlg->TaskCombo(), c.task);
            QCOMPARE(dlg->taskIndex, c.task);
            QStringList items;
            for (int i = 0; i < dlg->TaskCombo()->count(); ++i)
                items << dlg->TaskCombo()->itemText(i);
            QCOMPARE(items.join('|'), QString::fromLatin1(c.items));
            for (const auto& [field, text] : c.texts)
                QCOMPARE(dlg->ValueField(field)->text(), QString::fromLatin1(text));
            QCOMPARE(dlg->ValueText(D::kSoilNameText), QString::fromStdU16String(FromFixed(core->soils[2].name)));
            for (int id : {D::kGroundLevelBox, D::kWaterLevelBox, D::kTankBottomBox, D::kPipeBottomBox,
                           D::kFoundationLevelBox, D::kDiameterBox, D::kSoilBox, 1670, 1671}) {
                QWidget* w = dlg->CheckBox(id) ? static_cast<QWidget*>(dlg->CheckBox(id)) : dlg->RowLabel(id);
                QCOMPARE(w->isEnabled(), std::find(c.disabled.begin(), c.disabled.end(), id) == c.disabled.end());
            }
            QCOMPARE(dlg->sourceStiffness, c.stiffness);
            QCOMPARE(dlg->sourceInnerDiameter, c.inner);
            QVERIFY(dlg->OkButton()->isEnabled());
        }
    }

    void everyChangeOfSourceClearsTheTicks()
    {
        auto dlg = Open(*core);
        Choose(dlg->ProblemCombo(), 1);
        for (int id : {D::kGroundLevelBox, D::kTankBottomBox, D::kSoilBox})
            Tick(dlg->CheckBox(id));
        QCOMPARE(dlg->importGroundLevel + dlg->importTankBottom + dlg->importSoil, 3);
        Choose(dlg->TaskCombo(), 1);
        QVERIFY(!dlg->CheckBox(D::kGroundLevelBox)->isChecked());
        QCOMPARE(dlg->importGroundLevel + dlg->importTankBottom + dlg->importSoil, 0);
        Tick(dlg->CheckBox(D::kWaterLevelBox));
        Choose(dlg->ProblemCombo(), 2);
        QCOMPARE(dlg->importWaterLevel, 0);
        QVERIFY(!dlg->CheckBox(D::kWaterLevelBox)->isChecked());
        // The tank's pipe data went with the change of kind.
        QCOMPARE(dlg->sourceStiffness, 0.0);
        QCOMPARE(dlg->sourceOuterDiameter, 0.0);
    }

    void aKindWithNothingStored()
    {
        auto empty = StartedApp(LangEnglish);
        auto dlg = Open(*empty);
        for (int problem : {2, 1, 0}) {
            Choose(dlg->ProblemCombo(), problem);
            QCOMPARE(dlg->TaskCombo()->count(), 1);
            QCOMPARE(dlg->TaskCombo()->currentText(), QStringLiteral("empty list"));
            QVERIFY(!dlg->TaskCombo()->isEnabled());
            QVERIFY(!dlg->OkButton()->isEnabled());
            QVERIFY(!dlg->CheckBox(D::kSoilBox)->isEnabled());
            QVERIFY(!dlg->RowLabel(1674)->isEnabled());
            for (QLineEdit* field : dlg->findChildren<QLineEdit*>())
                QCOMPARE(field->text(), QStringLiteral("-"));
        }
        QCOMPARE(dlg->findChildren<QLineEdit*>().size(), 12);
    }

    void tickedValuesGoIntoTheActivePage()
    {
        OpenMainWindow(LangEnglish, QStringLiteral("import"));
        StoreProject(*app);
        CCalcSheet* sheet = frame->Sheet();
        // The tank and manhole pages stand in with an edit for each quantity
        // the import fills; the buried-pipe page has its own, and shows what
        // it read after its recalculation.
        for (int tab : {0, 1})
            for (int id : {1086, 1089, 1092, 1634, 1100, 1102, 1105, 1108, 1111, 1162, 1165, 1168, 1156, 1171,
                           1172, 1174, 1177, 1180, 1183, 1229, 1241, 1238, 1232, 1244, 1246, 1249, 1023})
                sheet->Page(tab)->RegisterControl(id, new QLineEdit(sheet->Page(tab)), false);
        auto text = [&](int tab, int id) { return qobject_cast<QLineEdit*>(sheet->Page(tab)->Control(id))->text(); };

        const struct {
            int tab, problem, task;
            std::vector<int> ticks;
            std::vector<std::pair<int, const char*>> expected;
        } cases[] = {
            {0, 1, 1, {D::kGroundLevelBox, D::kTankBottomBox, D::kSoilBox},
             {{1086, "110.00"}, {1634, "105.50"}, {1102, "17.50"}, {1105, "15"}, {1108, "30"}, {1111, "0.00"}}},
            {1, 2, 0, {D::kFoundationLevelBox, D::kDiameterBox, D::kSoilBox, D::kWaterLevelBox},
             {{1168, "116.00"}, {1156, "250"}, {1165, "118.00"}, {1174, "17.50"}, {1171, ""}}},
            {2, 0, 0, {D::kGroundLevelBox, D::kWaterLevelBox, D::kFoundationLevelBox, D::kPipeBottomBox, D::kSoilBox},
             {{1229, "100.00"}, {1241, "98.00"}, {1232, "97.50"}, {1246, "0.95"}, {1249, "17.50"},
              {1023, "15"}}},
            {2, 1, 0, {D::kTankBottomBox}, {{1232, "97.00"}, {1229, "100.00"}}},
        };
        const QString soilName = QString::fromStdU16String(FromFixed(app->soils[2].name));
        for (const auto& c : cases) {
            sheet->setCurrentIndex(c.tab);
            QVERIFY(frame->Action(ID_IMPORT_DATA)->isEnabled());
            WithModal<CImportDlg>([&] { frame->Action(ID_IMPORT_DATA)->trigger(); }, [&](CImportDlg* dlg) {
                Choose(dlg->ProblemCombo(), c.problem);
                Choose(dlg->TaskCombo(), c.task);
                for (int box : c.ticks)
                    Tick(dlg->CheckBox(box));
                QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
            });
            for (const auto& [id, expected] : c.expected)
                QCOMPARE(text(c.tab, id), QString::fromLatin1(expected));
            // The buried pipe's foundation level is the page's own, from the
            // invert and the wall of its pipe.
            if (c.tab == 2)
                QCOMPARE(text(2, 1238), QString::fromStdString(FormatC("%.2f", app->buriedPipe.foundationLevel)));
            const bool soil = std::find(c.ticks.begin(), c.ticks.end(), D::kSoilBox) != c.ticks.end();
            if (soil)
                QCOMPARE(text(c.tab, c.tab == 0 ? 1100 : c.tab == 1 ? 1172 : 1244), soilName);
        }

        // Cancel copies nothing.
        sheet->setCurrentIndex(0);
        const QString waterBefore = text(0, 1089);
        WithModal<CImportDlg>([&] { CImportDlg::ImportIntoActivePage(*app, *sheet); }, [&](CImportDlg* dlg) {
            Choose(dlg->ProblemCombo(), 1);
            Tick(dlg->CheckBox(D::kWaterLevelBox));
            QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
        });
        QCOMPARE(text(0, 1089), waterBefore);

        // The hydraulic pages take nothing, and no dialog opens there.
        for (int tab : {3, 4}) {
            sheet->setCurrentIndex(tab);
            QVERIFY(!frame->Action(ID_IMPORT_DATA)->isEnabled());
            QObject guard;
            bool opened = false;
            QTimer::singleShot(0, &guard, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    opened = true;
                    modal->close();
                }
            });
            CImportDlg::ImportIntoActivePage(*app, *sheet);
            QVERIFY(!opened);
        }
    }

    void thePagesOwnStepsFrameTheCopy()
    {
        StubTankPage page(*core);
        page.ground->setText(QStringLiteral("1.00"));
        CImportDlg dlg(*core);
        dlg.show();
        Choose(dlg.ProblemCombo(), 1);
        Tick(dlg.CheckBox(D::kGroundLevelBox));
        CImportDlg::ImportInto(&page, dlg);
        QCOMPARE(page.steps.join(' '), QStringLiteral("before:1.00:1 after:101.50 data recalculate"));
        QCOMPARE(page.fill->text(), QStringLiteral("101.50"));
    }
};

DALVOR_TEST_MAIN(TestImport)
#include "test_import.moc"
