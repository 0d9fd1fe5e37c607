// The buried-pipe page as the user works it in the main window: captions and
// first results, the cover message on Enter and on a click, the traffic
// classes, the work-condition boxes, the soil dialog, the store buttons with
// the project manager, and the language switch.
#include "core/base/Text.h"
#include "core/pages/BuriedPipePageModel.h"
#include "pictures/scene/TrenchScene.h"
#include "reports/ManageProjectDlg.h"
#include "reports/PrintoutTitleDlg.h"
#include "tests/QtTestMain.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/base/UiText.h"
#include "ui/controls/ColorControls.h"
#include "ui/dialogs/ImportDlg.h"
#include "ui/dialogs/SelectSoilDlg.h"
#include "ui/frame/MenuTexts.h"
#include "ui/pages/PipeStaticPage.h"

#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace Id = BuriedPipeIds;

class TestPipeStaticPage : public QObject, public PageFixture<CPipeStaticPage> {
    Q_OBJECT

private:
    void Start(int language = LangEnglish)
    {
        QVERIFY(OpenPage(2, QStringLiteral("pipestatic"), language));
        QCOMPARE(app->activeCalcKind, int(KindBuriedPipe));
    }
    BuriedPipeRecord& R() { return app->working.buriedPipe; }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { InitWindowTest(); }
    void cleanup() { CleanupWindowTest(); }

    void firstActivationShowsTheFirstPipeWithItsVerdict()
    {
        Start();
        QCOMPARE(R().categoryId, 1);
        QCOMPARE(Text(Id::InnerDiameter), QString::fromStdString(FormatC("%.1f", R().innerDiameter)));
        QCOMPARE(Text(Id::TrafficList), QStringLiteral("no load"));
        QCOMPARE(Text(Id::CoverNote), QStringLiteral("Min. covering layer:  0.20 m"));
        QCOMPARE(Text(Id::Conclusion), QStringLiteral("The pipe meets structural requirements."));
        auto* total = qobject_cast<CColorEdit*>(page->Control(Id::TotalLoad));
        QCOMPARE(total->BkColor(), QColor(200, 255, 200));
        // Es is the calculation's: its field takes no typing.
        auto* es = qobject_cast<QLineEdit*>(page->Control(Id::SecantModulus));
        QTest::keyClicks(es, QStringLiteral("9"));
        QCOMPARE(es->text(), QString::fromStdString(FormatC("%.2f", R().secantModulus)));
        QCOMPARE(Text(Id::Number), QStringLiteral("-"));
        QVERIFY(!page->Control(Id::Update)->isEnabled());
        // Outside the extended mode the enlarged deflection is not offered.
        QVERIFY(!page->Control(Id::DeflectionList)->isVisible());
        // Every caption takes the text of its id, in both languages, and the
        // page fits the sheet.
        for (int language : {ID_LANGUAGE_POLISH, ID_LANGUAGE_ENGLISH}) {
            frame->Action(language)->trigger();
            QTest::qWait(20);
            for (int id : {1211, 1213, 1219, 1224, 1227, 1243, 1256, 1257, 1259, 1260, 1261, 1263, 1267, 1268, 1280,
                           1285, 1291, 1300, 1303, 1307, 1039, 1050, 1018, 1559, 1624})
                QVERIFY2(Text(id) == LangText(*app, id), qPrintable(QString::number(id)));
            QCOMPARE(Text(Id::TrafficList), LangText(*app, 20000));
            QVERIFY(page->minimumSizeHint().width() <= page->width());
            QVERIFY(page->minimumSizeHint().height() <= page->height());
        }
        // The made-to-order note of the largest size leaves the picture's size.
        const QSize pictureSize = page->Picture()->size();
        Choose(Id::SizeList, Combo(Id::SizeList)->count() - 1);
        QVERIFY(!Text(Id::MadeToOrderNote).isEmpty());
        QTest::qWait(20);
        QCOMPARE(page->Picture()->size(), pictureSize);
    }

    // The trench picture's lines dragged with the mouse: the level moves by
    // the pixels over the picture's scale, within the least cover the page
    // asks for, the fields follow, and a pointer past the edge stops there
    // and ends the drag.
    void dragMovesTheLevels_data()
    {
        QTest::addColumn<int>("traffic");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("dy");       // pixels, down positive
        QTest::addColumn<double>("cover");  // the least cover the row reaches, or 0
        QTest::newRow("ground up 15 px") << 0 << int(TrenchGround) << -15 << 0.0;
        QTest::newRow("ground past the top: 0.5 m up") << 0 << int(TrenchGround) << -2000 << 0.0;
        QTest::newRow("ground down to the cover") << 0 << int(TrenchGround) << 2000 << 0.2;
        QTest::newRow("ground down, railway") << 14 << int(TrenchGround) << 2000 << 1.5;
        QTest::newRow("water down 20 px") << 0 << int(TrenchWater) << 20 << 0.0;
        QTest::newRow("water above the ground") << 0 << int(TrenchWater) << -2000 << 0.0;
        QTest::newRow("water past the bottom") << 0 << int(TrenchWater) << 2000 << 0.0;
        QTest::newRow("pipe down 12 px") << 0 << int(TrenchPipe) << 12 << 0.0;
        QTest::newRow("pipe up to the cover") << 0 << int(TrenchPipe) << -2000 << 0.2;
        QTest::newRow("pipe up, railway") << 14 << int(TrenchPipe) << -2000 << 1.5;
        QTest::newRow("pipe past the bottom") << 0 << int(TrenchPipe) << 2000 << 0.0;
    }
    void dragMovesTheLevels()
    {
        QFETCH(int, traffic);
        QFETCH(int, line);
        QFETCH(int, dy);
        QFETCH(double, cover);
        Start();
        Choose(Id::TrafficList, traffic);
        Enter(Id::GroundLevel, QStringLiteral("4.00"));
        Enter(Id::InvertLevel, QStringLiteral("1.50"));
        Enter(Id::WaterLevel, QStringLiteral("2.80"));
        prompts->warnings.clear();
        CPicturePipe* picture = page->Picture();
        picture->repaint();  // the drawing the user sees
        const BuriedPipeRecord before = R();
        const TrenchLayout layout = LayoutTrench(before, picture->width(), picture->height());
        QVERIFY(layout.Usable());
        const double od = before.outerDiameter / 1000, wall = (before.outerDiameter - before.innerDiameter) / 2000;
        const double levels[] = {before.groundLevel, before.waterLevel, before.invertLevel};
        const QPoint at(picture->width() / 4, layout.Y(levels[line]));
        // The pointer stops at the picture's edge.
        const int to = std::clamp(at.y() + dy, 0, picture->height());
        const double move = (to - at.y()) / layout.scale;

        QTest::mousePress(picture, Qt::LeftButton, {}, at);
        QCOMPARE(picture->PickedLine(), line);
        QTest::mouseMove(picture, at + QPoint(0, dy));
        const bool atEdge = to < 2 || to > picture->height() - 2;
        QCOMPARE(picture->ButtonDown(), !atEdge);
        if (atEdge)
            QTest::mouseMove(picture, at);  // the drag is over: this moves nothing
        QTest::mouseRelease(picture, Qt::LeftButton, {}, atEdge ? at : at + QPoint(0, dy));
        QVERIFY(!picture->ButtonDown());

        const double c = cover > 0 ? cover : before.minCoverNoTraffic;
        double expected = 0, shown = 0;
        switch (line) {
        case TrenchGround:
            expected = std::min(std::max(before.groundLevel - move, before.foundationLevel + od + c + 0.001),
                                layout.groundTop + 0.5);
            shown = R().groundLevel;
            break;
        case TrenchWater:
            expected = std::max(std::min(before.waterLevel - move, before.groundLevel - 0.001), layout.reference - 1.0);
            shown = R().waterLevel;
            break;
        default: {
            double f = std::max(before.foundationLevel - move, layout.reference - 1.0);
            f = std::min(f, before.groundLevel - od - c - 0.001);
            expected = f + wall;
            shown = R().invertLevel;
            QVERIFY(std::fabs(R().foundationLevel - (R().invertLevel - wall)) < 1e-6);
        }
        }
        // The recalculation reads the level back as its field shows it.
        QVERIFY2(std::fabs(shown - expected) < 0.0051, qPrintable(QStringLiteral("%1, not %2").arg(shown).arg(expected)));
        if (cover > 0)
            QCOMPARE(Text(Id::Cover), QString::fromStdString(FormatC("%.2f", cover)));
        for (auto [id, value] : {std::pair{int(Id::GroundLevel), R().groundLevel}, {int(Id::InvertLevel), R().invertLevel},
                                 {int(Id::WaterLevel), R().waterLevel}, {int(Id::FoundationLevel), R().foundationLevel},
                                 {int(Id::Cover), R().cover}})
            QCOMPARE(Text(id), QString::fromStdString(FormatC("%.2f", value)));
        // Water a millimetre under the ground shows at the ground, where
        // the page's own rule keeps it.
        QVERIFY(R().waterLevel <= R().groundLevel);
        QCOMPARE(R().head.resultValid, 1);
        QCOMPARE(prompts->warnings, QStringList());
    }

    void tooSmallACoverLowersThePipeAndTellsOnce()
    {
        Start();
        // Enter: the pipe is lowered to 0.2 m of cover, and the user told.
        Enter(Id::InvertLevel, QStringLiteral("3,99"));
        QCOMPARE(prompts->warnings, QStringList{QStringLiteral("Covering layer enlarged (min. 0.20m).")});
        QVERIFY(R().invertLevel < 3.99);
        QCOMPARE(Text(Id::InvertLevel), QString::fromStdString(FormatC("%.2f", R().invertLevel)));
        QCOMPARE(Text(Id::Cover), QString::fromStdString(FormatC("%.2f", R().cover)));
        // A click on Add that raises the message does nothing more.
        Edit(Id::InvertLevel)->setText(QStringLiteral("3.99"));
        QTest::mouseClick(page->Control(Id::Add), Qt::LeftButton);
        QCOMPARE(prompts->warnings.size(), 2);
        QCOMPARE(app->project.Count(ArrayBuriedPipe), 0);
    }

    void trafficClassesSetTheNoteAndTheRoadSurface()
    {
        Start();
        // Railway: the box checked and locked. The keys to class 5 pass
        // class 1, which clears it; class 5 leaves it to the user.
        Choose(Id::TrafficList, 14);
        QCOMPARE(Text(Id::CoverNote), QStringLiteral("Min. covering layer:  (Dn | 1.5 m)"));
        QVERIFY(Box(Id::RoadSurface)->isChecked() && !Box(Id::RoadSurface)->isEnabled());
        Choose(Id::TrafficList, 5);
        QCOMPARE(Text(Id::CoverNote), QStringLiteral("Min. covering layer: 0.5 m"));
        QVERIFY(!Box(Id::RoadSurface)->isChecked() && Box(Id::RoadSurface)->isEnabled());
        QTest::mouseClick(Box(Id::RoadSurface), Qt::LeftButton);
        QCOMPARE(R().roadSurface, 1);
        // The heavy-traffic box: a deep pipe takes the user's choice, a
        // shallow one has it forced on.
        Enter(Id::InvertLevel, QStringLiteral("1.00"));
        QTest::mouseClick(Box(Id::HeavyTraffic), Qt::LeftButton);
        QVERIFY(Box(Id::HeavyTraffic)->isChecked());
        QCOMPARE(R().heavyConstructionTraffic, 1);
        QCOMPARE(Text(Id::InstallationFactor), QStringLiteral("0.0"));
        QTest::mouseClick(Box(Id::HeavyTraffic), Qt::LeftButton);
        QVERIFY(!Box(Id::HeavyTraffic)->isChecked());
        Enter(Id::InvertLevel, QStringLiteral("3.00"));
        QVERIFY(Box(Id::HeavyTraffic)->isChecked());
        QTest::mouseClick(Box(Id::HeavyTraffic), Qt::LeftButton);
        QVERIFY(Box(Id::HeavyTraffic)->isChecked());
        // Supervision off: the bedding factor follows.
        QTest::mouseClick(Box(Id::Supervision), Qt::LeftButton);
        QCOMPARE(R().permanentSupervision, 0);
        QCOMPARE(Text(Id::BeddingFactor), QStringLiteral("4.0"));
    }

    void theSoilDialogSetsTheSoilAndItsCompaction()
    {
        Start();
        int granular = -1;
        for (int i = 0; i < RowCount(app->tables.soils); ++i)
            if (app->tables.soils[static_cast<std::size_t>(i)].soilGroup == 0)
                granular = i;
        QVERIFY(granular >= 0);
        ClickOpening<CSelectSoilDlg>(Id::SoilButton, [&](CSelectSoilDlg* dlg) {
            dlg->SoilList()->setCurrentRow(granular);
            dlg->accept();
        });
        QCOMPARE(R().soilIndex, granular);
        QCOMPARE(Text(Id::SoilName), QString::fromStdU16String(FromFixed(app->tables.soils[static_cast<std::size_t>(granular)].name)));
        // The index of the soil's state, as the field shows it and the
        // recalculation reads it back.
        const double index = static_cast<double>(0.153f) * R().stateDegree + static_cast<double>(0.795f);
        QCOMPARE(Text(Id::CompactionIndex), QString::fromStdString(FormatC("%.2f", index)));
        QCOMPARE(R().compactionIndex, ParseNumber(FormatC("%.2f", index)));
        // Cancel changes nothing.
        const BuriedPipeRecord before = R();
        ClickOpening<CSelectSoilDlg>(Id::SoilButton, [](CSelectSoilDlg* dlg) { dlg->reject(); });
        QCOMPARE(R().soilIndex, before.soilIndex);
        QCOMPARE(R().compactionIndex, before.compactionIndex);
        QCOMPARE(R().stateDegree, before.stateDegree);
    }

    void addStoresAndLoadsBack()
    {
        Start();
        Choose(Id::TrafficList, 10);
        Enter(Id::InvertLevel, QStringLiteral("2.00"));
        ClickOpening<CManageProjectDlg>(Id::Add, [](CManageProjectDlg* dlg) {
            QCOMPARE(dlg->kind, int(KindBuriedPipe));
            dlg->reject();
        });
        QCOMPARE(app->project.Count(ArrayBuriedPipe), 1);
        QCOMPARE(FromFixed(app->project.buriedPipe[0].head.name), std::u16string(u"UP-001"));
        QCOMPARE(Text(Id::Name), QStringLiteral("UP-001"));
        QCOMPARE(Text(Id::Number), QStringLiteral("1"));
        QCOMPARE(Text(Id::TrafficList), LangText(*app, 20010));
        QCOMPARE(R().trafficClass, 10);
        QVERIFY(page->Control(Id::Update)->isEnabled());
        // Update writes the page's inputs into the stored calculation.
        Edit(Id::Name)->setText(QStringLiteral("Crossing"));
        QTest::mouseClick(page->Control(Id::Update), Qt::LeftButton);
        QCOMPARE(FromFixed(app->project.buriedPipe[0].head.name), std::u16string(u"Crossing"));
        QCOMPARE(std::memcmp(&app->project.buriedPipe[0], &R(), sizeof(BuriedPipeRecord)), 0);
    }

    void enlargedDeflectionInTheExtendedMode()
    {
        Start();
        app->extendedCatalogue = 1;  // the tables come again with the extended rows
        frame->Action(ID_LANGUAGE_POLISH)->trigger();
        frame->Action(ID_LANGUAGE_ENGLISH)->trigger();
        Choose(Id::CategoryList, 2);  // profile-wall pipes: 6 % allowed, 8 % enlarged
        QComboBox* limits = Combo(Id::DeflectionList);
        QVERIFY(limits->isVisible() && limits->isEnabled());
        QCOMPARE(limits->count(), 3);
        QCOMPARE(limits->currentText(), QStringLiteral("6"));
        Choose(Id::DeflectionList, 2);
        QCOMPARE(R().deflectionLimit, 8.0);
        QCOMPARE(Text(Id::DeflectionLimit), QStringLiteral("8.0"));
    }

    // File Print: the title dialog, the print dialog to a PDF file, one page
    // with the page's title, its verdict and the recorded trench picture.
    void printFromThePage()
    {
        Start();
        const QString pdf = FreshFolder(QStringLiteral("pipeprint")) + QStringLiteral("/pipe.pdf");
        WithModal<CPrintoutTitleDlg>([&] { frame->Action(ID_FILE_PRINT)->trigger(); }, [&](CPrintoutTitleDlg* dlg) {
            QVERIFY(app->print.printPicture.width > 0);
            PrintNextToPdf(dlg, pdf);
            QTest::keyClick(dlg->Combo()->lineEdit(), Qt::Key_Return);
        });
        const QString printed = PdfText(pdf);
        for (const char* expected : {"Underground pipeline - static calculator", "The pipe meets structural requirements."})
            QVERIFY2(printed.contains(QLatin1String(expected)), expected);
        // The method note of the footer stands clear above the disclaimer.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString boxes = QString::fromUtf8(text.readAllStandardOutput());
        auto edge = [&](const char* word, const char* side) {
            const QRegularExpression re(QStringLiteral("%1=\"([0-9.]+)\"[^>]*>%2<").arg(QLatin1String(side), QLatin1String(word)));
            return re.match(boxes).captured(1).toDouble();
        };
        QVERIFY(edge("Scandinavian", "yMax") > 0);
        QVERIFY(edge("Scandinavian", "yMax") <= edge("liability", "yMin"));
    }

    void importFromATankAndAManhole()
    {
        Start();
        app->ResetTankRecord();
        app->working.tank.innerDiameter = 800.0, app->working.tank.outerDiameter = 888.0, app->working.tank.stiffnessClass = 8.0;
        app->working.tank.groundLevel = 6.5;
        app->StoreCurrentCalc(KindTank, -1);
        app->ResetManholeRecord();
        app->working.manhole.pipeBottomLevel = 2.0;
        app->StoreCurrentCalc(KindManhole, -1);
        Choose(Id::CategoryList, 2);  // the profile-wall pipes the tanks are made of
        auto import = [&](int problem, std::initializer_list<int> boxes) {
            WithModal<CImportDlg>([&] { frame->Action(ID_IMPORT_DATA)->trigger(); }, [&](CImportDlg* dlg) {
                Choose(dlg->ProblemCombo(), problem);
                for (int box : boxes)
                    QTest::mouseClick(dlg->CheckBox(box), Qt::LeftButton, {}, QPoint(6, dlg->CheckBox(box)->height() / 2));
                QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
            });
        };
        // From the tank: the type of its stiffness class, then its size.
        import(CImportModel::ProblemTank, {CImportModel::kDiameterBox, CImportModel::kGroundLevelBox});
        QCOMPARE(Text(Id::GroundLevel), QString::fromStdString(FormatC("%.2f", app->working.tank.groundLevel)));
        QCOMPARE(R().groundLevel, app->working.tank.groundLevel);
        QCOMPARE(Text(Id::TypeList), QStringLiteral("SN8 Karsto"));
        QCOMPARE(Text(Id::SizeList), QStringLiteral("800"));
        QCOMPARE(R().nominalSize, 800.0);
        // From the manhole: its pipe bottom and the wall of the page's pipe.
        import(CImportModel::ProblemManhole, {CImportModel::kFoundationLevelBox});
        QCOMPARE(Text(Id::InvertLevel), QString::fromStdString(FormatC("%.2f", 2.0 + (R().outerDiameter - R().innerDiameter) / 2000)));
        QVERIFY(frame->Action(ID_FILE_PRINT)->isEnabled());
    }
};

DALVOR_TEST_MAIN(TestPipeStaticPage)
#include "test_pipe_static_page.moc"
