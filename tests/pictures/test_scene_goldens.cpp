// The recorded drawings of typical records, compared with golden files made
// by this code and reviewed once by eye (dalvor-picture-shots renders the same
// records). DALVOR_UPDATE_GOLDEN=1 writes them anew.
#include "pictures/scene/Scenes.h"
#include "tests/pictures/PictureFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The drawing against its golden file, or written as the golden file anew
// under DALVOR_UPDATE_GOLDEN=1.
void ExpectGolden(const std::string& got, const char* name)
{
    const std::string path = std::string(DALVOR_GOLDEN_DIR) + "/" + name + ".golden.txt";
    if (std::getenv("DALVOR_UPDATE_GOLDEN"))
        std::ofstream(path, std::ios::binary) << got;
    else
        EXPECT_EQ(got, Read(path)) << path;
}

struct Golden {
    int kind;
    int variant;
    bool print;
    const char* name;
};

class PictureGolden : public ::testing::TestWithParam<Golden> {};

TEST_P(PictureGolden, DrawingMatchesItsGoldenFile)
{
    const Golden g = GetParam();
    auto app = picture_fixtures::StartedApp(LangEnglish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, g.kind, g.variant);
    int w = 0, h = 0;
    picture_fixtures::ControlSize(g.kind, w, h);
    auto scene = MakePictureScene(g.kind, *app, view);
    DisplayList screen;
    scene->Draw(screen, w, h, false);
    std::string got;
    if (g.print) {
        const PrintPicture print = BuildPrintPicture(g.kind, *app, view, w, h);
        EXPECT_EQ(print.width, 10 * w);
        EXPECT_EQ(print.height, 10 * h);
        got = print.ops.Dump();
        // Recording the print picture leaves the screen drawing as it was.
        DisplayList again;
        scene->Draw(again, w, h, false);
        EXPECT_EQ(again.Dump(), screen.Dump());
    } else {
        got = screen.Dump();
    }
    ExpectGolden(got, g.name);
}

INSTANTIATE_TEST_SUITE_P(
    Typical, PictureGolden,
    ::testing::Values(Golden{KindGravityFlow, 0, false, "gravity-filling"},
                      Golden{KindGravityFlow, 2, false, "gravity-no-result"},
                      Golden{KindGravityFlow, 1, true, "gravity-print"},
                      Golden{KindPressureFlow, 0, false, "pressure-characteristic"},
                      Golden{KindPressureFlow, 1, true, "pressure-print"},
                      Golden{KindBuriedPipe, 0, false, "trench-plain"},
                      Golden{KindBuriedPipe, 1, false, "trench-paving-bench"},
                      Golden{KindBuriedPipe, 1, true, "trench-print"},
                      Golden{KindManhole, 0, false, "manhole-concentric"},
                      Golden{KindManhole, 1, false, "manhole-eccentric"},
                      Golden{KindManhole, 0, true, "manhole-print"},
                      Golden{KindTank, 0, false, "tank-whole"},
                      Golden{KindTank, 1, false, "tank-shortened-anchored"},
                      Golden{KindTank, 1, true, "tank-print"}),
    [](const ::testing::TestParamInfo<Golden>& param) {
        std::string name = param.param.name;
        for (char& c : name)
            if (c == '-')
                c = '_';
        return name;
    });

TEST(PictureGolden, PressureRangeChart)
{
    auto app = picture_fixtures::StartedApp(LangEnglish);
    PictureView view;
    picture_fixtures::Prepare(*app, view, KindPressureFlow, 0);
    view.chartChoice = 1;
    DisplayList list;
    MakePictureScene(KindPressureFlow, *app, view)->Draw(list, 400, 300, false);
    ExpectGolden(list.Dump(), "pressure-range");
    // Without a nominal pressure the chart has no scale: background and frame.
    app->working.pressureFlow.nominalPressure = 0.0;
    DisplayList empty;
    MakePictureScene(KindPressureFlow, *app, view)->Draw(empty, 400, 300, false);
    EXPECT_EQ(empty.Dump(), "textcolor 808080\nfillrect 0 0 400 300 E6E6E6\npen 808080 3 solid\n"
                            "brush E6E6E6\nrectangle 0 0 400 300\n");
}

}  // namespace
