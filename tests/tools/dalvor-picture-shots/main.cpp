// Writes every picture of the typical records to PNG files for people to look
// at: dalvor-picture-shots <folder>. Names: <kind>-<variant>-<lang>[-print].png.
#include "../../pictures/PictureFixtures.h"
#include "ProgramFaces.h"
#include "QPainterCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication qapp(argc, argv);
    RegisterProgramFaces();
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 2) {
        std::fprintf(stderr, "usage: dalvor-picture-shots <folder>\n");
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int language : {LangPolish, LangEnglish}) {
        auto app = picture_fixtures::StartedApp(language);
        for (int kind : {KindGravityFlow, KindPressureFlow, KindBuriedPipe, KindManhole, KindTank}) {
            for (int variant = 0; variant < 3; ++variant) {
                PictureView view;
                picture_fixtures::Prepare(*app, view, kind, variant);
                int w = 0, h = 0;
                picture_fixtures::ControlSize(kind, w, h);
                const QString name = QStringLiteral("%1/%2-%3-%4").arg(folder).arg(kind).arg(variant).arg(
                    language == LangPolish ? "pl" : "en");
                for (int chart = 0; chart < (kind == KindPressureFlow ? 2 : 1); ++chart) {
                    view.chartChoice = chart;
                    QImage image(w, h, QImage::Format_RGB32);
                    {
                        QPainter painter(&image);
                        QPainterCanvas canvas(painter);
                        MakePictureScene(kind, *app, view)->Draw(canvas, w, h, false);
                    }
                    image.save(name + (chart ? "-range.png" : ".png"));
                }
                // The print picture played back at twice the screen size.
                const PrintPicture print = BuildPrintPicture(kind, *app, view, w, h);
                QImage printed(2 * w, 2 * h, QImage::Format_RGB32);
                printed.fill(Qt::white);
                {
                    QPainter painter(&printed);
                    PlayPrintPicture(painter, print, printed.rect());
                }
                printed.save(name + "-print.png");
            }
        }
    }
    return 0;
}
