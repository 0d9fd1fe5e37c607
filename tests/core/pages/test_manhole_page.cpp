// The manhole page's rules without its window: reading with clamps, the
// collector diameter held to the type's largest, the invert bound, type
// changes, and what the result fields show.

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/pages/ManholePageModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

ManholeTypeEntry MakeType(const char16_t* name, double dns, double maxPipe, int eccentric)
{
    ManholeTypeEntry t{};
    CopyBounded(t.name, name);
    t.nominalDiameter = dns;
    t.outerDiameter = dns + 200;
    t.maxPipeDiameter = maxPipe;
    t.sandTrapDepth = 300;
    t.crownAllowance = 0.3;
    t.weightPerMetre = 10;
    t.minDepth = 1.0;
    t.maxDepth = 6.0;
    t.eccentric = eccentric;
    return t;
}

struct Page {
    std::unique_ptr<CDalvorApp> app = std::make_unique<CDalvorApp>();
    std::unique_ptr<CManholePageModel> m;
    Page()
    {
        app->languageOffset = LangEnglish;
        app->tables.manholeTypes = {MakeType(u"DN1000", 1000, 400, 0), MakeType(u"DN1200E", 1200, 600, 1),
                             MakeType(u"DN800", 800, 300, 0)};
        app->ResetManholeRecord();
        m = std::make_unique<CManholePageModel>(*app);
        m->OnTypeChanged(0);
        m->SetText(ManholeIds::GroundLevel, u"4.00");
        m->SetText(ManholeIds::WaterLevel, u"1.00");
        m->SetText(ManholeIds::PipeBottom, u"2.00");
        m->SetText(ManholeIds::PipeDiameter, u"250");
        m->Recalculate();
        m->TakeMessages();
    }
    ManholeRecord& r() { return app->working.manhole; }
};

std::u16string U(const char* s)
{
    return Utf8ToUtf16(s);
}

TEST(ManholePage, ReadingRulesAndClamps)
{
    struct Case {
        int id;
        const char* typed;
        double ManholeRecord::*field;
        double expected;
    } cases[] = {
        {ManholeIds::FrictionAngle, "50", &ManholeRecord::frictionAngle, 45},
        {ManholeIds::FrictionAngle, "nan", &ManholeRecord::frictionAngle, 0},
        {ManholeIds::UnitWeight, "17,5", &ManholeRecord::unitWeight, 17.5},
        {ManholeIds::UnitWeight, "1e999", &ManholeRecord::unitWeight, 0},
        {ManholeIds::Porosity, "60", &ManholeRecord::porosity, 50},
        {ManholeIds::Cohesion, "-5", &ManholeRecord::cohesion, 0},
        {ManholeIds::Cohesion, "150", &ManholeRecord::cohesion, 100},
        {ManholeIds::WaterLevel, "9", &ManholeRecord::waterLevel, 4.0},
        {ManholeIds::PipeDiameter, "30", &ManholeRecord::pipeDiameter, 50 * static_cast<double>(0.001f)},  // as "50" reads
        {ManholeIds::PipeDiameter, "400", &ManholeRecord::pipeDiameter, 400 * static_cast<double>(0.001f)},
        // The invert: 4.00 - max(0.3 + 0.25, 1.0) = 3.00 is the highest.
        {ManholeIds::PipeBottom, "3.005", &ManholeRecord::pipeBottomLevel, 3.005},
        {ManholeIds::PipeBottom, "3.02", &ManholeRecord::pipeBottomLevel, 3.0},
        {ManholeIds::PipeBottom, "-5", &ManholeRecord::pipeBottomLevel, 4.0 - 6.0},
        {ManholeIds::GroundLevel, "-1e308", &ManholeRecord::groundLevel, -10000},
        {ManholeIds::WaterLevel, "-1e308", &ManholeRecord::waterLevel, -10000},
        {ManholeIds::SandTrapDepth, "1e308", &ManholeRecord::sandTrapDepth, 1e9},  // mm
        {ManholeIds::SandTrapDepth, "-5000", &ManholeRecord::sandTrapDepth, 0},
    };
    for (const Case& c : cases) {
        Page p;
        p.m->SetText(c.id, U(c.typed));
        p.m->ReadInputs();
        EXPECT_DOUBLE_EQ(p.r().*c.field, c.expected) << c.id << " " << c.typed;
        EXPECT_TRUE(p.m->PendingMessages().empty()) << c.typed;
    }
}

TEST(ManholePage, InvertAboveBoundEndsDragAndShowsBound)
{
    Page p;
    const int before = p.m->DragEnds();
    p.m->SetText(ManholeIds::PipeBottom, u"3.50");
    p.m->ReadInputs();
    EXPECT_EQ(p.m->Text(ManholeIds::PipeBottom), u"3.00");
    EXPECT_EQ(p.m->DragEnds(), before + 1);
}

TEST(ManholePage, CollectorAboveLargestRevertsWithOneMessage)
{
    Page p;
    p.m->SetText(ManholeIds::PipeDiameter, u"500");
    p.m->Recalculate();
    const auto msgs = p.m->TakeMessages();
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(FormatMessage(p.app->LoadLangString(msgs[0].textKey), msgs[0].args), u"Max. pipe diameter amounts to 400mm");
    EXPECT_EQ(FormatMessage(p.app->LoadLangString(msgs[0].captionKey), msgs[0].captionArgs), u"Manhole Dn 1000");
    EXPECT_EQ(p.m->Text(ManholeIds::PipeDiameter), u"250");
    EXPECT_DOUBLE_EQ(p.r().pipeDiameter, 250 * static_cast<double>(0.001f));
}

TEST(ManholePage, TypeChanges)
{
    struct Case {
        int type;
        const char* dkBefore;
        const char* dkAfter;
        bool message;
        bool dkEnabled;
        bool sandTrapEnabled;
        bool reinforcedEnabled;
    } cases[] = {
        {1, "250", "600", false, false, false, true},  // eccentric: Dk fixed at the largest
        {2, "250", "250", false, true, true, false},
        {2, "350", "300", true, true, true, false},  // concentric, above its largest
    };
    for (const Case& c : cases) {
        Page p;
        p.m->SetText(ManholeIds::PipeDiameter, U(c.dkBefore));
        p.m->OnTypeChanged(c.type);
        EXPECT_EQ(p.m->Text(ManholeIds::PipeDiameter), U(c.dkAfter)) << c.type;
        EXPECT_EQ(p.m->TakeMessages().size(), c.message ? 1u : 0u) << c.type;
        EXPECT_EQ(p.m->State(ManholeIds::PipeDiameter).enabled, c.dkEnabled);
        EXPECT_EQ(p.m->State(ManholeIds::SandTrap).enabled, c.sandTrapEnabled);
        EXPECT_EQ(p.m->State(ManholeIds::Reinforced).enabled, c.reinforcedEnabled);
        EXPECT_EQ(p.r().typeIndex, c.type);
    }
    Page p;
    p.m->OnTypeChanged(1);
    p.m->Recalculate();
    ASSERT_EQ(p.r().head.resultValid, 1);
    EXPECT_EQ(p.m->Text(ManholeIds::TotalHeight), p.m->Text(ManholeIds::Height));
    EXPECT_EQ(p.m->Text(ManholeIds::BallastHeight), u"-");
    EXPECT_EQ(p.m->State(ManholeIds::BallastHeight).background, kFaceColor);
}

TEST(ManholePage, VerdictColoursAndNoResult)
{
    // Concentric, then eccentric (its ballast height keeps the face and "-").
    struct Case {
        int type;
        const char* water;
        bool failing;
    } cases[] = {{0, "3.90", true}, {0, "0.00", false}, {1, "3.90", true}, {1, "0.00", false}};
    for (const Case& c : cases) {
        Page p;
        p.m->OnTypeChanged(c.type);
        p.m->SetText(ManholeIds::WaterLevel, U(c.water));
        p.m->Recalculate();
        ASSERT_EQ(p.r().head.resultValid, 1);
        const RgbColor want = c.failing ? kFailedBackColor : kMetBackColor;
        for (int id : {ManholeIds::DeadWeight, ManholeIds::Uplift, ManholeIds::Anchoring, ManholeIds::BallastHeight}) {
            EXPECT_EQ(p.m->State(id).background, id == ManholeIds::BallastHeight && c.type == 1 ? kFaceColor : want)
                << c.water << " " << id;
            EXPECT_EQ(p.m->State(id).text, kBlackColor) << c.water << " " << id;
        }
        EXPECT_EQ(p.m->State(ManholeIds::Conclusion).text, c.failing ? kFailedTextColor : kMetTextColor);
        EXPECT_EQ(p.m->Text(ManholeIds::BallastHeight) == u"-", !c.failing || c.type == 1);
        if (c.failing) {
            EXPECT_EQ(p.m->Text(ManholeIds::TotalHeight), CPageModel::Format("%.2f", p.r().height + p.r().ballastHeight));
        }
    }
    // A type the catalogue no longer has: every result and H+Hb show "-".
    Page p;
    p.r().typeIndex = 7;
    p.m->Recalculate();
    for (int id : {ManholeIds::Height, ManholeIds::DeadWeight, ManholeIds::Friction, ManholeIds::Uplift, ManholeIds::Anchoring, ManholeIds::TotalHeight,
                   ManholeIds::BallastHeight, ManholeIds::BallastVolume, ManholeIds::Conclusion})
        EXPECT_EQ(p.m->Text(id), u"-") << id;
}

}  // namespace
