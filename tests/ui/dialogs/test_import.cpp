// The import dialog and the sheet's import: the lists, values and ticks of its
// model shown and worked as a user does, and the ticked values copied into
// the tank, manhole and buried-pipe pages. What the model lists and shows for
// each kind is tested with the model.
#include "core/base/Text.h"
#include "tests/core/ImportSources.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/frame/MenuTexts.h"
#include "ui/sheet/CalcPage.h"
#include "ui/sheet/CalcSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using D = CImportModel;

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

// A page of the tank kind that records what the sheet does with it.
class StubTankPage : public CCalcPage {
public:
    StubTankPage(CDalvorApp& a) : CCalcPage(a, {KindTank, 109, 0, 0, 0, "tank"})
    {
        RegisterControl(1086, ground = new QLineEdit(this), false);
        RegisterControl(1642, fill = new QLineEdit(this), false);
    }
    void BeforeImport(const CImportDlg& dlg) override
    {
        steps << "before:" + ground->text() + ":" + QString::number(dlg.Model().problemIndex);
    }
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
        StoreImportSources(*core);
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

        // Each kind and stored calculation chosen from the keyboard: the
        // lists, fields and rows show the model's.
        const struct { int problem, task; const char* items; const char* ground; } cases[] = {
            {0, 0, "#1: UP-001", "100.00"}, {1, 1, "#1: UT-001|#2: UT-002", "110.00"}, {2, 0, "#1: M-001", "120.00"}};
        for (const auto& c : cases) {
            Choose(dlg->ProblemCombo(), c.problem);
            Choose(dlg->TaskCombo(), c.task);
            QCOMPARE(dlg->Model().taskIndex, c.task);
            QStringList items;
            for (int i = 0; i < dlg->TaskCombo()->count(); ++i)
                items << dlg->TaskCombo()->itemText(i);
            QCOMPARE(items.join('|'), QString::fromLatin1(c.items));
            QCOMPARE(dlg->ValueField(D::kGroundLevelText)->text(), QString::fromLatin1(c.ground));
            for (QLineEdit* field : dlg->findChildren<QLineEdit*>())
                QCOMPARE(field->text(), QString::fromStdU16String(dlg->Model().ValueText(field->objectName().toInt())));
            for (int id : {D::kGroundLevelBox, D::kWaterLevelBox, D::kTankBottomBox, D::kPipeBottomBox,
                           D::kFoundationLevelBox, D::kDiameterBox, D::kSoilBox, 1670, 1671}) {
                QWidget* w = dlg->CheckBox(id) ? static_cast<QWidget*>(dlg->CheckBox(id)) : dlg->RowLabel(id);
                QCOMPARE(w->isEnabled(), dlg->Model().Enabled(id));
            }
            QVERIFY(dlg->OkButton()->isEnabled());
        }
    }

    void everyChangeOfSourceClearsTheTicks()
    {
        auto dlg = Open(*core);
        Choose(dlg->ProblemCombo(), 1);
        for (int id : {D::kGroundLevelBox, D::kTankBottomBox, D::kSoilBox})
            Tick(dlg->CheckBox(id));
        QCOMPARE(dlg->Model().importGroundLevel + dlg->Model().importTankBottom + dlg->Model().importSoil, 3);
        Choose(dlg->TaskCombo(), 1);
        QVERIFY(!dlg->CheckBox(D::kGroundLevelBox)->isChecked());
        Tick(dlg->CheckBox(D::kWaterLevelBox));
        Choose(dlg->ProblemCombo(), 2);
        QVERIFY(!dlg->CheckBox(D::kWaterLevelBox)->isChecked());
        QCOMPARE(dlg->Model().importWaterLevel, 0);
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
        StoreImportSources(*app);
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
        const QString soilName = QString::fromStdU16String(FromFixed(app->tables.soils[2].name));
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
                QCOMPARE(text(2, 1238), QString::fromStdString(FormatC("%.2f", app->working.buriedPipe.foundationLevel)));
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
