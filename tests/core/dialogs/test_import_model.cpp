// The import dialog's model: the stored calculations of each source kind
// listed, the values of the chosen one as the dialog shows them, the rows
// that do not apply to the kind, and ticks and pipe data cleared on every
// change of source.
#include "core/dialogs/ImportModel.h"
#include "core/project/Records.h"
#include "tests/core/CoreTestSupport.h"
#include "tests/core/ImportSources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using D = CImportModel;

std::string Joined(const std::vector<std::u16string>& items)
{
    std::string s;
    for (const std::u16string& item : items)
        s += (s.empty() ? "" : "|") + Utf16ToUtf8(item);
    return s;
}

}  // namespace

TEST(ImportModel, EachSourceKindShowsItsValues)
{
    auto app = StartedCore();
    StoreImportSources(*app);
    D m(app->project, app->languageOffset);
    m.Open();
    EXPECT_EQ(Utf16ToUtf8(m.ProblemText(D::ProblemTank)), "     Underground tank - uplift force calculator     ");

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
         {D::kPipeBottomBox, D::kFoundationLevelBox, D::kCompactionLabel}, 8.0, 2400.0},
        {2, 0, "#1: M-001",
         {{D::kGroundLevelText, "120.00"}, {D::kFoundationLevelText, "116.00"}, {D::kDiameterText, "250"},
          {D::kTankBottomText, "-"}, {D::kPipeBottomText, "-"}, {D::kCompactionText, "-"}},
         {D::kTankBottomBox, D::kPipeBottomBox, D::kCompactionLabel}, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        m.ChooseProblem(c.problem);
        m.ChooseTask(c.task);
        EXPECT_EQ(Joined(m.TaskItems()), c.items);
        for (const auto& [field, text] : c.texts)
            EXPECT_EQ(Utf16ToUtf8(m.ValueText(field)), text) << field;
        EXPECT_EQ(m.ValueText(D::kSoilNameText), FromFixed(app->tables.soils[2].name));
        for (int id : {D::kGroundLevelBox, D::kWaterLevelBox, D::kTankBottomBox, D::kPipeBottomBox,
                       D::kFoundationLevelBox, D::kDiameterBox, D::kSoilBox, D::kCompactionLabel, D::kUnitWeightLabel})
            EXPECT_EQ(m.Enabled(id), std::find(c.disabled.begin(), c.disabled.end(), id) == c.disabled.end()) << id;
        EXPECT_EQ(m.sourceStiffness, c.stiffness);
        EXPECT_EQ(m.sourceInnerDiameter, c.inner);
        EXPECT_TRUE(m.AnyStored());
    }
}

TEST(ImportModel, EveryChangeOfSourceClearsTheTicks)
{
    auto app = StartedCore();
    StoreImportSources(*app);
    D m(app->project, app->languageOffset);
    m.Open();
    m.ChooseProblem(D::ProblemTank);
    for (int id : {D::kGroundLevelBox, D::kTankBottomBox, D::kSoilBox})
        m.SetTicked(id, true);
    EXPECT_EQ(m.importGroundLevel + m.importTankBottom + m.importSoil, 3);
    m.ChooseTask(1);
    EXPECT_EQ(m.importGroundLevel + m.importTankBottom + m.importSoil, 0);
    m.SetTicked(D::kWaterLevelBox, true);
    m.ChooseProblem(D::ProblemManhole);
    EXPECT_EQ(m.Ticked(D::kWaterLevelBox), 0);
    // The tank's pipe data went with the change of kind.
    EXPECT_EQ(m.sourceStiffness, 0.0);
    EXPECT_EQ(m.sourceOuterDiameter, 0.0);
}
