// Writes every picture of the typical records to PNG files for people to look
// at: dalvor-picture-shots <folder>. Names: <kind>-<variant>-<lang>[-print].png
// for the typical records, <kind>-<case>-<lang>[-print].png for the cases
// where labels crowd (the water near each level, large pipes beside their
// trench's slopes, chart lines at the scales' labels, the curves' letters and
// the titles).
#include "pictures/QPainterCanvas.h"
#include "pictures/scene/PressureScene.h"
#include "pictures/scene/Scenes.h"
#include "platform/ProgramFaces.h"
#include "tests/pictures/PictureFixtures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <clocale>
#include <cstdio>
#include <functional>

namespace {

struct Shot {
    int kind;
    int variant;
    QString name;
    std::function<void(CDalvorApp&, PictureView&)> change;
    int width = 0, height = 0;  // the kind's control size when 0
};

std::vector<Shot> Shots()
{
    std::vector<Shot> shots;
    for (int kind : {KindGravityFlow, KindPressureFlow, KindBuriedPipe, KindManhole, KindTank})
        for (int variant = 0; variant < 3; ++variant)
            shots.push_back({kind, variant, QString::number(variant), nullptr});
    auto add = [&](int kind, int variant, const char* name, std::function<void(CDalvorApp&)> change) {
        shots.push_back({kind, variant, QString::fromLatin1(name), [change](CDalvorApp& a, PictureView&) {
                             change(a);
                         }});
    };
    add(KindBuriedPipe, 1, "water-under-ground", [](CDalvorApp& a) { a.working.buriedPipe.waterLevel = a.working.buriedPipe.groundLevel - 0.2; });
    add(KindBuriedPipe, 0, "water-over-pd", [](CDalvorApp& a) { a.working.buriedPipe.waterLevel = a.working.buriedPipe.invertLevel + 0.3; });
    add(KindBuriedPipe, 0, "dn1200", [](CDalvorApp& a) {
        BuriedPipeRecord& r = a.working.buriedPipe;
        for (int i = 0; i < RowCount(a.tables.nominalSizes); ++i)
            if (a.tables.nominalSizes[i].nominalSize >= 1200.0) {
                TakeSizeRow(r, a.tables.nominalSizes[i]);
                break;
            }
        LayTwoMetresDeep(r, 0);
        r.waterLevel = r.groundLevel - 1.0;
        a.CalcBuriedPipe();
    });
    add(KindManhole, 0, "water-under-ground", [](CDalvorApp& a) { a.working.manhole.waterLevel = a.working.manhole.groundLevel - 0.2; });
    add(KindManhole, 0, "sand-trap-water-over-pp", [](CDalvorApp& a) {
        a.working.manhole.sandTrap = 1;
        a.working.manhole.ballastHeight = 0.0;
        a.working.manhole.waterLevel = a.working.manhole.pipeBottomLevel + 0.3;
        a.CalcManholeBuoyancy();
    });
    add(KindTank, 0, "water-under-ground", [](CDalvorApp& a) { a.working.tank.waterLevel = a.working.tank.groundLevel - 0.2; });
    add(KindTank, 1, "anchored-water-over-pd", [](CDalvorApp& a) { a.working.tank.waterLevel = a.working.tank.tankBottomLevel + 0.2; });
    add(KindTank, 1, "anchored-water-on-top", [](CDalvorApp& a) { a.working.tank.waterLevel = a.working.tank.foundationLevel + 1.3; });
    add(KindPressureFlow, 1, "short-steep", [](CDalvorApp& a) {
        a.working.pressureFlow.length = 0.05;
        a.working.pressureFlow.nominalPressure = 1.6;
        a.CalcPressureFlow();
    });
    // Large pipes whose trench slopes pass by the water's label, at the
    // printout's size and at the tall one the buried-pipe page gives its picture.
    for (int dn : {2000, 2400, 2800, 3000})
        for (bool tall : {false, true})
            shots.push_back({KindBuriedPipe, 0, QStringLiteral("sn8-dn%1%2").arg(dn).arg(tall ? "-tall" : ""),
                             [dn](CDalvorApp& a, PictureView&) { picture_fixtures::LayPipe(a, 13, dn, 4.0, 0.0, 2.0); },
                             tall ? 290 : 0, tall ? 500 : 0});
    // Chart lines at the scales' labels, the curves' letters and the titles.
    add(KindGravityFlow, 0, "filling-over-label", [](CDalvorApp& a) { a.working.gravityFlow.filling = 0.715; });
    add(KindGravityFlow, 1, "marker-at-letter", [](CDalvorApp& a) {
        a.working.gravityFlow.slopeInput = 2.0;
        a.CalcGravityFlow();
    });
    shots.push_back({KindPressureFlow, 0, QStringLiteral("operating-over-label"), [](CDalvorApp& a, PictureView& v) {
                         v.pressure.head = LayoutCharacteristic(a.pressureCalculator, 360, 270).hMax * 0.51;
                     }});
    add(KindPressureFlow, 0, "six-digit-drops", [](CDalvorApp& a) {
        a.working.pressureFlow.innerDiameter = 26.0;
        a.working.pressureFlow.length = 1.0;
        a.CalcPressureFlow();
    });
    add(KindPressureFlow, 0, "over-100-m-s", [](CDalvorApp& a) {
        a.working.pressureFlow.innerDiameter = 26.0;
        a.working.pressureFlow.length = 1.0;
        a.working.pressureFlow.flowInput = 0.08;
        a.CalcPressureFlow();
    });
    add(KindPressureFlow, 0, "admissible-inside-red", [](CDalvorApp& a) {
        PressureFlowRecord& r = a.working.pressureFlow;
        r.startPressureMin = 30.0;
        r.startPressureMax = 70.0;
        r.endPressureMin = 25.0;
        r.endPressureMax = 60.0;
    });
    return shots;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication qapp(argc, argv);
    RegisterProgramFaces();
    std::setlocale(LC_NUMERIC, "C");
    // One folder, never an option: "--help" must not become a folder.
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: dalvor-picture-shots <folder>\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "dalvor-picture-shots: cannot make the folder %s\n", argv[1]);
        return 2;
    }
    bool saved = true;
    for (int language : {LangPolish, LangEnglish}) {
        auto app = picture_fixtures::StartedApp(language);
        for (const Shot& shot : Shots()) {
            const int kind = shot.kind;
            PictureView view;
            picture_fixtures::Prepare(*app, view, kind, shot.variant);
            if (shot.change)
                shot.change(*app, view);
            int w = 0, h = 0;
            picture_fixtures::ControlSize(kind, w, h);
            if (shot.width > 0) {
                w = shot.width;
                h = shot.height;
            }
            const QString name = QStringLiteral("%1/%2-%3-%4").arg(folder).arg(kind).arg(shot.name).arg(
                language == LangPolish ? "pl" : "en");
            for (int chart = 0; chart < (kind == KindPressureFlow ? 2 : 1); ++chart) {
                view.chartChoice = chart;
                QImage image(w, h, QImage::Format_RGB32);
                {
                    QPainter painter(&image);
                    QPainterCanvas canvas(painter);
                    MakePictureScene(kind, *app, view)->Draw(canvas, w, h, false);
                }
                saved = image.save(name + (chart ? "-range.png" : ".png")) && saved;
            }
            // The print picture played back at twice the screen size.
            view.chartChoice = 0;
            const PrintPicture print = BuildPrintPicture(kind, *app, view, w, h);
            QImage printed(2 * w, 2 * h, QImage::Format_RGB32);
            printed.fill(Qt::white);
            {
                QPainter painter(&printed);
                PlayPrintPicture(painter, print, printed.rect());
            }
            saved = printed.save(name + "-print.png") && saved;
        }
    }
    if (!saved) {
        std::fprintf(stderr, "dalvor-picture-shots: some pictures could not be written to %s\n", argv[1]);
        return 2;
    }
    return 0;
}
