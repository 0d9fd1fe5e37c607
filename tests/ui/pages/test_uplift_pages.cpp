// The manhole and tank pages as the user works them in the main window: the
// triggers, the type lists, the messages, the verdicts, the store buttons
// with the project manager, the import and the language switch.
#include "core/base/Text.h"
#include "pictures/scene/ManholeScene.h"
#include "pictures/scene/TankScene.h"
#include "reports/ManageProjectDlg.h"
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/frame/MenuTexts.h"
#include "ui/frame/QtHost.h"
#include "ui/pages/ManholePage.h"
#include "ui/pages/ReservoirPage.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>
#include <cstring>

class TestUpliftPages : public QObject, public PageFixture<CCalcPage> {
    Q_OBJECT

private:
    template <typename Page>
    Page* Start(int tab, int language = LangEnglish)
    {
        return OpenPage(tab, QStringLiteral("uplift"), language) ? qobject_cast<Page*>(page) : nullptr;
    }
    QColor Back(int id) { return static_cast<CColorEdit*>(page->Control(id))->BkColor(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void manholeTypesCollectorAndVerdicts()
    {
        auto* mh = Start<CManholePage>(1);
        QVERIFY(mh);
        QCOMPARE(app->activeCalcKind, int(KindManhole));
        QCOMPARE(Combo(ManholeIds::TypeList)->count(), RowCount(app->tables.manholeTypes));
        CheckTexts({{ManholeIds::TypeList, "Sewer manhole DN 1000"}, {ManholeIds::NominalDiameter, "1000"}, {ManholeIds::Number, "-"},
                    {1150, "Manhole type:"}, {ManholeIds::UpdateButton, "Update"}});
        QVERIFY(!page->Control(ManholeIds::UpdateButton)->isEnabled());

        // A collector above the type's largest: one message, the entry back.
        const QString dk = Text(ManholeIds::PipeDiameter);
        const int recalcs = page->TriggeredRecalculations();
        Enter(ManholeIds::PipeDiameter, QStringLiteral("700"));
        QCOMPARE(page->TriggeredRecalculations(), recalcs + 1);
        QCOMPARE(prompts->warnings, QStringList{"Max. pipe diameter amounts to 630mm"});
        CheckTexts({{ManholeIds::PipeDiameter, dk}});

        // Water up to the ground: a heavy bottom is needed and shown in red.
        Enter(ManholeIds::WaterLevel, QStringLiteral("99"));
        CheckTexts({{ManholeIds::WaterLevel, Text(ManholeIds::GroundLevel)}});
        QCOMPARE(app->working.manhole.head.resultValid, 1);
        QCOMPARE(static_cast<CColorStatic*>(page->Control(ManholeIds::Conclusion))->TextColor(), QColor(255, 0, 0));
        QCOMPARE(Back(ManholeIds::BallastHeight), QColor(255, 200, 200));
        // H = 4.00 + 0.15 m with water: the least bottom of DN 1000, 0.30 m, as
        // friction and weight outweigh the buoyancy.
        CheckTexts({{ManholeIds::TotalHeight, "4.45"}});

        // An eccentric type fixes the collector at its largest diameter.
        Choose(ManholeIds::TypeList, 6);
        QCOMPARE(app->working.manhole.typeIndex, 6);
        CheckTexts({{ManholeIds::PipeDiameter, "1200"}});
        QVERIFY(!Edit(ManholeIds::PipeDiameter)->isEnabled());
        QVERIFY(!page->Control(ManholeIds::SandTrap)->isEnabled());
        QVERIFY(page->Control(ManholeIds::Reinforced)->isEnabled());
        QCOMPARE(prompts->warnings.size(), 1);

        // The sand trap of a concentric type opens its depth.
        Choose(ManholeIds::TypeList, 0);
        QTest::mouseClick(page->Control(ManholeIds::SandTrap), Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(app->working.manhole.sandTrap, 1);
        QVERIFY(Edit(ManholeIds::SandTrapDepth)->isEnabled());

        // Dragging the water line down writes the level back through the
        // page: its field and the results follow.
        Enter(ManholeIds::WaterLevel, QStringLiteral("3.00"));
        CPictureManhole* picture = mh->Picture();
        const ManholeLayout layout = LayoutManhole(app->working.manhole, picture->width(), picture->height());
        QVERIFY(layout.Usable());
        const QPoint at(picture->width() / 2, layout.Y(app->working.manhole.waterLevel));
        const double upliftBefore = app->working.manhole.upliftForce;
        QTest::mousePress(picture, Qt::LeftButton, {}, at);
        QCOMPARE(picture->PickedLine(), int(ManholeWater));
        QTest::mouseMove(picture, at + QPoint(0, 20));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, at + QPoint(0, 20));
        QVERIFY(app->working.manhole.waterLevel < 3.0);
        QVERIFY(app->working.manhole.upliftForce < upliftBefore);  // worked out on the lower water
        CheckTexts({{ManholeIds::WaterLevel, QString::fromStdString(FormatC("%.2f", app->working.manhole.waterLevel))},
                    {ManholeIds::Uplift, QString::fromStdString(FormatC("%.2f", app->working.manhole.upliftForce))}});
    }

    void tankStoredAndLoadedBackUnchanged()
    {
        auto* tk = Start<CReservoirPage>(0);
        QVERIFY(tk);
        QCOMPARE(app->activeCalcKind, int(KindTank));
        CheckTexts({{TankIds::StiffnessList, "all"}, {TankIds::TypeList, "Tank DN 1200 SN 4"}, {1059, "Tank type:"}, {TankIds::Number, "-"}});
        QCOMPARE(Combo(TankIds::StiffnessList)->count(), 1 + int(tk->Model().StiffnessEntries().size()));
        // SN 8, then its DN 2000 tank.
        Choose(TankIds::StiffnessList, 2);
        CheckTexts({{TankIds::StiffnessList, "SN8"}});
        QCOMPARE(Combo(TankIds::TypeList)->itemText(0), QStringLiteral("Tank DN 1200 SN 8"));
        Choose(TankIds::TypeList, 2);
        CheckTexts({{TankIds::TypeList, "Tank DN 2000 SN 8"}, {TankIds::OuterDiameter, "2280"}, {TankIds::InnerDiameter, "2000"}});
        QCOMPARE(app->working.tank.tankTypeIndex, 9);
        prompts->warnings.clear();

        // Too shallow: the tank goes down to its cover, and the user is told.
        Enter(TankIds::GroundLevel, QStringLiteral("4.00"));
        Enter(TankIds::WaterLevel, QStringLiteral("3.50"));
        Enter(TankIds::Capacity, QStringLiteral("40"));
        Enter(TankIds::TankBottom, QStringLiteral("2.5"));
        QCOMPARE(prompts->warnings, QStringList{"Min. cover layer amounts to 10% tank diameter."});
        CheckTexts({{TankIds::FoundationLevel, "1.49"}, {TankIds::TankBottom, "1.63"}});
        QVERIFY(Combo(TankIds::AnchorList)->isEnabled());
        QVERIFY(Combo(TankIds::AnchorList)->count() > 1);
        Choose(TankIds::AnchorList, Combo(TankIds::AnchorList)->count() - 1);
        QCOMPARE(app->working.tank.anchorCount, Combo(TankIds::AnchorList)->currentText().toInt());
        CheckTexts({{TankIds::SlabLength, QString::fromStdString(FormatC("%.2f", app->working.tank.slabLength))}});
        QCOMPARE(Back(TankIds::Anchoring), QColor(255, 200, 200));

        // Add: the project manager opens; closing it loads the tank back as
        // it was stored, to the byte.
        ClickOpening<CManageProjectDlg>(TankIds::AddButton, [](CManageProjectDlg* dlg) {
            QCOMPARE(dlg->kind, int(KindTank));
            dlg->reject();
        });
        QCOMPARE(app->project.Count(ArrayTank), 1);
        const TankRecord& stored = app->project.tank[0];
        QCOMPARE(std::memcmp(&stored, &app->working.tank, sizeof(TankRecord)), 0);
        CheckTexts({{TankIds::Name, "UT-001"}, {TankIds::Number, "1"}, {TankIds::TypeList, "Tank DN 2000 SN 8"}, {TankIds::StiffnessList, "all"},
                    {TankIds::AnchorList, QString::number(stored.anchorCount)}});
        QVERIFY(page->Control(TankIds::UpdateButton)->isEnabled());
        QCOMPARE(prompts->warnings.size(), 1);

        // The menu's project command loads it back the same way.
        frame->Host().manageProjectOverride = [&](int) { app->project.currentIndex[ArrayTank] = 0; };
        Enter(TankIds::GroundLevel, QStringLiteral("9"));
        frame->Sheet()->ManageProject();
        frame->Host().manageProjectOverride = nullptr;
        QCOMPARE(std::memcmp(&app->project.tank[0], &app->working.tank, sizeof(TankRecord)), 0);
    }

    // The project manager only looked at, scrolled and sorted, leaves what
    // was typed on the page; a record read in it is loaded.
    void managerLookedAtKeepsTypedInputs()
    {
        QVERIFY(Start<CReservoirPage>(0));
        for (int tank = 0; tank < 2; ++tank)
            ClickOpening<CManageProjectDlg>(TankIds::AddButton, [](CManageProjectDlg* dlg) { dlg->reject(); });
        const QString stored = Text(TankIds::GroundLevel);
        Enter(TankIds::GroundLevel, QStringLiteral("7.25"));
        Edit(TankIds::WaterLevel)->setText(QStringLiteral("2.50"));  // typed, not yet entered
        ClickOpening<CManageProjectDlg>(TankIds::ProjectButton, [](CManageProjectDlg* dlg) {
            // A header clicked after scrolling right sorts; the view stays.
            QScrollBar* bar = dlg->list->horizontalScrollBar();
            bar->setValue(bar->maximum());
            const int scrolled = bar->value();
            QVERIFY(scrolled > 0);
            QHeaderView* header = dlg->list->horizontalHeader();
            const int last = dlg->list->ColumnCount() - 1;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(last) + 5, header->height() / 2));
            QCOMPARE(dlg->list->GetSortColumn(), last);
            QCOMPARE(bar->value(), scrolled);
            dlg->reject();
        });
        CheckTexts({{TankIds::GroundLevel, "7.25"}, {TankIds::WaterLevel, "2.50"}, {TankIds::Number, "2"}});
        ClickOpening<CManageProjectDlg>(TankIds::ProjectButton, [](CManageProjectDlg* dlg) {
            QTest::mouseClick(dlg->readButton, Qt::LeftButton);  // the current tank's row is selected
            dlg->reject();
        });
        CheckTexts({{TankIds::GroundLevel, stored}});
    }

    // A stored tank comes back the same whichever tank the page showed
    // before: B, stored with 10 anchors, after A with 4.
    void storedTanksLoadedOneAfterTheOther()
    {
        QVERIFY(Start<CReservoirPage>(0));
        for (const auto& [type, anchors] : {std::pair{3, 4}, std::pair{0, 10}}) {
            app->ResetTankRecord();
            TankRecord& t = app->working.tank;
            const TankTypeEntry& row = app->tables.tankTypes[static_cast<std::size_t>(t.tankTypeIndex = type)];
            t.innerDiameter = row.innerDiameter, t.outerDiameter = row.outerDiameter, t.endAllowance = row.endAllowance;
            t.minAnchorSpacing = row.minAnchorSpacing, t.maxAnchorSpacing = row.maxAnchorSpacing;
            t.stiffnessClass = row.stiffnessClass, t.capacity = 20, t.tankBottomLevel = 0.5;
            t.groundLevel = 4, t.waterLevel = 3.5, t.anchorCount = anchors;
            app->CalcTankBuoyancy();
            app->CalcTankAnchoring();
            app->StoreCurrentCalc(KindTank, -1);
        }
        auto load = [&](int index) {
            frame->Host().manageProjectOverride = [&](int) { app->project.currentIndex[ArrayTank] = index; };
            frame->Sheet()->ManageProject();
            frame->Host().manageProjectOverride = nullptr;
        };
        load(1);
        const TankRecord alone = app->working.tank;
        QCOMPARE(alone.anchorCount, 10);
        load(0);
        load(1);
        QCOMPARE(std::memcmp(&alone, &app->working.tank, sizeof(TankRecord)), 0);
        CheckTexts({{TankIds::Number, "2"}});
    }

    // New and Open leave no record current: the number and name show "-"
    // and Update waits for a record to be stored or loaded.
    void newAndOpenResetTheNumber()
    {
        QVERIFY(Start<CReservoirPage>(0));
        const QString folder = FreshFolder(QStringLiteral("uplift-open"));
        for (QAction* command : {frame->Action(ID_FILE_NEW), frame->Action(ID_FILE_OPEN)}) {
            ClickOpening<CManageProjectDlg>(TankIds::AddButton, [](CManageProjectDlg* dlg) { dlg->reject(); });
            CheckTexts({{TankIds::Number, "1"}, {TankIds::Name, "UT-001"}});
            QVERIFY(page->Control(TankIds::UpdateButton)->isEnabled());
            const QString path = folder + '/' + command->text().remove('&') + QStringLiteral(".qdl");
            prompts->fileNames = {path, path};
            QVERIFY(frame->Doc().OnFileSaveAs());
            command->trigger();
            CheckTexts({{TankIds::Number, "-"}, {TankIds::Name, "-"}});
            QVERIFY(!page->Control(TankIds::UpdateButton)->isEnabled());
            QVERIFY(page->Control(TankIds::ProjectButton)->isEnabled() == (app->project.Count(ArrayTank) != 0));
            QTest::mouseClick(page->Control(TankIds::UpdateButton), Qt::LeftButton);
            QCOMPARE(app->project.Count(ArrayTank), command == frame->Action(ID_FILE_NEW) ? 0 : 1);
        }
    }

    void tankLineDragged_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("language");
        QTest::newRow("ground down") << int(TankGround) << 20 << int(TankIds::GroundLevel) << int(LangPolish);
        QTest::newRow("water up") << int(TankWater) << -15 << int(TankIds::WaterLevel) << int(LangEnglish);
        QTest::newRow("bottom up") << int(TankBottom) << -10 << int(TankIds::TankBottom) << int(LangPolish);
    }

    // A line of the tank picture dragged with the mouse moves its level by
    // the pixels over the scale; the field and the results follow.
    void tankLineDragged()
    {
        QFETCH(int, line);
        QFETCH(int, dy);
        QFETCH(int, field);
        QFETCH(int, language);
        auto* tk = Start<CReservoirPage>(0, language);
        QVERIFY(tk);
        // The picture at its own size, and the fields around it whole and
        // clear of it within the page.
        CPictureReservoir* picture = tk->Picture();
        QCOMPARE(picture->size(), QSize(560, 300));
        QVERIFY(tk->rect().contains(picture->geometry()));
        for (int id : {int(TankIds::TieAngle), int(TankIds::Conclusion), int(TankIds::ActiveCapacity), int(TankIds::AnchorList), int(TankIds::AddButton)}) {
            const QRect box(page->Control(id)->mapTo(tk, QPoint(0, 0)), page->Control(id)->size());
            QVERIFY2(tk->rect().contains(box) && !box.intersects(picture->geometry()), qPrintable(QString::number(id)));
        }
        picture->repaint();
        TankRecord& r = app->working.tank;
        double* levels[] = {&r.groundLevel, &r.waterLevel, &r.tankBottomLevel};
        const double before = *levels[line];
        const TankLayout layout = LayoutTank(r, picture->width(), picture->height());
        const QPoint at(20, layout.Y(before));
        QTest::mousePress(picture, Qt::LeftButton, {}, at);
        QCOMPARE(picture->PickedLine(), line);
        QTest::mouseMove(picture, at + QPoint(0, dy));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, at + QPoint(0, dy));
        // The page reads the level back as it shows it, to the centimetre.
        QVERIFY(std::fabs(*levels[line] - (before - dy / layout.scale)) <= 0.0051);
        CheckTexts({{field, QString::fromStdString(FormatC("%.2f", *levels[line]))},
                    {TankIds::Uplift, QString::fromStdString(FormatC("%.2f", r.upliftForce))}});
        QVERIFY(std::fabs(r.foundationLevel - (r.tankBottomLevel - (r.outerDiameter - r.innerDiameter) * 0.0005)) < 1e-6);
        QVERIFY(prompts->warnings.isEmpty());
    }

    void importIntoTankAndManhole()
    {
        auto* tk = Start<CReservoirPage>(0);
        QVERIFY(tk);
        // A buried pipe of 1600 mm inside at SN 8, and a manhole.
        BuriedPipeRecord& b = app->working.buriedPipe;
        b.groundLevel = 50.0, b.waterLevel = 48.0, b.innerDiameter = 1600.0, b.ringStiffness = 8.0;
        app->StoreCurrentCalc(KindBuriedPipe, -1);
        ManholeRecord& m = app->working.manhole;
        m.groundLevel = 60.0, m.waterLevel = 58.5, m.pipeBottomLevel = 56.0, m.pipeDiameter = 0.3f;
        app->StoreCurrentCalc(KindManhole, -1);
        auto import = [&](int problem, std::initializer_list<int> boxes) {
            WithModal<CImportDlg>([&] { frame->Action(ID_IMPORT_DATA)->trigger(); }, [&](CImportDlg* dlg) {
                Choose(dlg->ProblemCombo(), problem);
                for (int box : boxes)
                    QTest::mouseClick(dlg->CheckBox(box), Qt::LeftButton, {}, QPoint(6, dlg->CheckBox(box)->height() / 2));
                QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
            });
        };
        using D = CImportModel;
        import(D::ProblemBuriedPipe, {D::kDiameterBox, D::kGroundLevelBox});
        CheckTexts({{TankIds::TypeList, "Tank DN 1600 SN 8"}, {TankIds::GroundLevel, "50.00"}});
        QCOMPARE(app->working.tank.tankTypeIndex, 8);
        // The fill level took the ground level, held to the tank's top.
        QCOMPARE(app->working.tank.fillLevel, app->working.tank.tankBottomLevel + 1.6);

        // A manhole gives no tank: the product stays, the levels come.
        import(D::ProblemManhole, {D::kDiameterBox, D::kWaterLevelBox, D::kGroundLevelBox});
        QCOMPARE(app->working.tank.tankTypeIndex, 8);
        CheckTexts({{TankIds::GroundLevel, "60.00"}, {TankIds::WaterLevel, "58.50"}});

        frame->Sheet()->setCurrentIndex(1);
        page = frame->Sheet()->ActivePage();
        import(D::ProblemManhole, {D::kDiameterBox, D::kFoundationLevelBox, D::kGroundLevelBox});
        CheckTexts({{ManholeIds::PipeDiameter, "300"}, {ManholeIds::PipeBottom, "56.00"}, {ManholeIds::GroundLevel, "60.00"}});
        QCOMPARE(app->working.manhole.pipeBottomLevel, 56.0);
    }

    void languageSwitchWithEachPageOpen()
    {
        QVERIFY(Start<CReservoirPage>(0, LangPolish));
        for (int tab : {0, 1}) {
            frame->Sheet()->setCurrentIndex(tab);
            page = frame->Sheet()->ActivePage();
            const int caption = tab == 0 ? 1059 : 1150;
            const int list = tab == 0 ? int(TankIds::TypeList) : int(ManholeIds::TypeList);
            CheckTexts({{caption, QString::fromStdU16String(app->LoadLangString(caption, LangPolish))}});
            const QString polishName = Text(list);
            QVERIFY(frame->Action(ID_FILE_PRINT)->isEnabled());
            QVERIFY(frame->Action(ID_IMPORT_DATA)->isEnabled());
            frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
            CheckTexts({{caption, QString::fromStdU16String(app->LoadLangString(caption, LangEnglish))}});
            QTRY_VERIFY(Text(list) != polishName);
            QVERIFY(Text(list).startsWith(tab == 0 ? "Tank" : "Sewer manhole"));
            frame->Action(ID_LANGUAGE_POLISH)->trigger();
            QTRY_COMPARE(Text(list), polishName);
        }
        QVERIFY(prompts->warnings.isEmpty());
    }
};

DALVOR_TEST_MAIN(TestUpliftPages)
#include "test_uplift_pages.moc"
