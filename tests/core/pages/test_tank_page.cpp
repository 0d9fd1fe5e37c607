// The tank page's rules without its window: the minimum cover, the reading
// clamps, the stiffness and product lists, the anchor counts offered, the
// results shown against the count, and a stored tank shown again unchanged.

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/pages/TankPageModel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

TankTypeEntry MakeType(const char16_t* name, double dw, double dz, double sn, int code)
{
    TankTypeEntry t{};
    CopyBounded(t.name, name);
    t.innerDiameter = dw;
    t.outerDiameter = dz;
    t.weightPerMetre = 1;
    t.endWeight = 2;
    t.stiffnessClass = sn;
    t.classCode = code;
    t.endAllowance = 100;
    t.minAnchorSpacing = 1;
    t.maxAnchorSpacing = 2;
    return t;
}

// The texts of a list, and the anchor counts the anchor list offers.
std::vector<std::u16string> Texts(const CPageModel& m, int list)
{
    std::vector<std::u16string> texts;
    for (const ListItem& item : m.List(list).items)
        texts.push_back(item.text);
    return texts;
}

std::vector<int> Counts(const CPageModel& m)
{
    std::vector<int> counts;
    for (const ListItem& item : m.List(TankIds::AnchorList).items)
        counts.push_back(item.id);
    return counts;
}

struct Page {
    std::unique_ptr<CDalvorApp> app = std::make_unique<CDalvorApp>();
    std::unique_ptr<CTankPageModel> m;
    explicit Page(double pd = 1.5)
    {
        app->languageOffset = LangEnglish;
        // SN 4, 4, 8, 4: the last returns to an earlier class.
        app->tables.tankTypes = {MakeType(u"A 1900", 1900, 2000, 4, 1), MakeType(u"A 2400", 2400, 2500, 4, 1),
                          MakeType(u"B 1900", 1900, 2100, 8, 1), MakeType(u"C 1600", 1600, 1700, 4, 1)};
        app->ResetTankRecord();
        m = std::make_unique<CTankPageModel>(*app);
        m->OnInitDialog();
        m->OnSelchangeStiffness(0);
        m->SetText(TankIds::GroundLevel, u"4.00");
        m->SetText(TankIds::WaterLevel, u"4.00");
        m->SetText(TankIds::TankBottom, CPageModel::Format("%.2f", pd));
        m->SetText(TankIds::FillLevel, CPageModel::Format("%.2f", pd));
        m->Recalculate();
        m->TakeMessages();
    }
    TankRecord& r() { return app->working.tank; }
};

TEST(TankPage, MinimumCoverMovesTheTankWithItsMessage)
{
    Page p;
    p.m->SetText(TankIds::TankBottom, u"2.0");
    EXPECT_TRUE(p.m->ValidateLevels());
    EXPECT_DOUBLE_EQ(p.r().foundationLevel, 4.0 - 2.2);
    EXPECT_DOUBLE_EQ(p.r().tankBottomLevel, 4.0 - 2.2 + 0.05);
    EXPECT_EQ(p.m->Text(TankIds::TankBottom), u"1.85");
    const auto msgs = p.m->TakeMessages();
    ASSERT_EQ(msgs.size(), 1u);
    // Shown as it stands: its "%" is no conversion.
    EXPECT_EQ(FormatMessage(p.app->LoadLangString(msgs[0].textKey), msgs[0].args),
              u"Min. cover layer amounts to 10% tank diameter.");
    // Short by less than 0.01 m: left where it is.
    p.m->SetText(TankIds::TankBottom, u"1.755");
    EXPECT_FALSE(p.m->ValidateLevels());
    EXPECT_DOUBLE_EQ(p.r().tankBottomLevel, 1.755);
}

TEST(TankPage, ReadingClamps)
{
    struct Case {
        int id;
        const char16_t* typed;
        double TankRecord::*field;
        double expected;
    } cases[] = {
        {TankIds::SlabWidth, u"3.0", &TankRecord::slabWidth, 2.0},
        {TankIds::SlabWidth, u"0,1", &TankRecord::slabWidth, 0.2f},
        {TankIds::SlabHeight, u"0.1", &TankRecord::slabHeight, 0.2f},
        {TankIds::SlabHeight, u"0.7", &TankRecord::slabHeight, 0.6},  // "0.60" read back
        {TankIds::Capacity, u"0", &TankRecord::capacity, 0.1f},
        {TankIds::Capacity, u"inf", &TankRecord::capacity, 0.1f},
        {TankIds::FrictionAngle, u"50", &TankRecord::frictionAngle, 45},
        {TankIds::Porosity, u"nan", &TankRecord::porosity, 0},
        {TankIds::WaterLevel, u"5", &TankRecord::waterLevel, 4.0},
        {TankIds::FillLevel, u"9", &TankRecord::fillLevel, 1.5 + 1.9},
        {TankIds::FillLevel, u"0", &TankRecord::fillLevel, 1.5},
        {TankIds::GroundLevel, u"1e308", &TankRecord::groundLevel, 10000},
        {TankIds::TankBottom, u"-1e308", &TankRecord::tankBottomLevel, -10000},
    };
    for (const Case& c : cases) {
        Page p;
        p.m->SetText(c.id, c.typed);
        p.m->ValidateLevels();
        EXPECT_DOUBLE_EQ(p.r().*c.field, c.expected) << c.id;
    }
    // A capacity beyond any tank: held to that of a tank 1000 km long (its
    // volume and length factors are single precision).
    Page big;
    big.m->SetText(TankIds::Capacity, u"1e12");
    big.m->Recalculate();
    EXPECT_NEAR(big.r().length, 1e6, 0.02);
    // A damaged stored bore is held to 1,000,000 m, as a typed one: the lowered bottom is a level.
    big.r().innerDiameter = 1e308;
    big.m->Recalculate();
    EXPECT_EQ(std::vector({big.r().innerDiameter, big.r().tankBottomLevel}), std::vector({1e9, -10000.0}));
    // While a stored tank is loaded back the fill level is taken as stored.
    Page p;
    p.m->ShowStoredType();
    p.m->SetText(TankIds::FillLevel, u"9");
    p.m->Recalculate();
    EXPECT_DOUBLE_EQ(p.r().fillLevel, 9.0);
    EXPECT_TRUE(p.m->reloadFlag);
}

TEST(TankPage, StiffnessAndProductLists)
{
    Page p;
    ASSERT_EQ(p.m->StiffnessEntries().size(), 3u);
    EXPECT_EQ(Texts(*p.m, TankIds::StiffnessList), (std::vector<std::u16string>{u"all", u"SN4", u"SN8", u"SN4"}));
    p.m->OnSelchangeStiffness(2);
    EXPECT_EQ(Texts(*p.m, TankIds::TypeList), std::vector<std::u16string>{u"B 1900"});
    EXPECT_EQ(p.r().tankTypeIndex, 2);
    EXPECT_DOUBLE_EQ(p.r().outerDiameter, 2100);
    EXPECT_DOUBLE_EQ(p.r().stiffnessClass, 8);
    p.m->OnSelchangeStiffness(1);
    EXPECT_EQ(Texts(*p.m, TankIds::TypeList), (std::vector<std::u16string>{u"A 1900", u"A 2400", u"C 1600"}));
    // A relabelling shows "all" again and keeps the filter.
    p.m->ApplyLanguage(LangEnglish);
    EXPECT_EQ(p.m->Selected(TankIds::StiffnessList), 0);
    EXPECT_EQ(Texts(*p.m, TankIds::TypeList).size(), 3u);

    struct { double dw, sn; int row; } finds[] = {{1900, 4, 0}, {1900, 8, 2}, {1900.04, 8, 2}, {1900, 16, -1}, {0, 0, -1}};
    for (const auto& f : finds)
        EXPECT_EQ(p.m->FindTableRow(f.dw, f.sn), f.row) << f.dw << " " << f.sn;
    // An import that finds no tank leaves the product alone.
    const TankRecord before = p.r();
    EXPECT_FALSE(p.m->SelectImportedProduct(1234, 4));
    EXPECT_EQ(std::memcmp(&before, &p.r(), sizeof before), 0);
    EXPECT_TRUE(p.m->SelectImportedProduct(2400, 4));
    EXPECT_EQ(p.r().tankTypeIndex, 1);
    EXPECT_EQ(p.m->Selected(TankIds::StiffnessList), 0);
}

TEST(TankPage, AnchorCountsOfferedAndShown)
{
    Page p;
    TankRecord& r = p.r();
    // L = 10, spacings 1 to 2, counts 2 to 10; the axis below the water table
    // (f = 1), then above it (f = 2).
    r.length = 10, r.minAnchorSpacing = 1, r.maxAnchorSpacing = 2, r.minAnchorCount = 2, r.maxAnchorCount = 10;
    r.outerDiameter = 2000, r.foundationLevel = 1.0, r.waterLevel = 4.0;
    EXPECT_EQ(p.m->AnchorCounts(), (std::vector<int>{4, 5, 6, 7, 8, 9, 10}));
    r.waterLevel = 1.5;
    EXPECT_EQ(p.m->AnchorCounts(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));

    // The worked tank needs anchoring; whatever count the list settles on,
    // the fields show that count's layout.
    Page q;
    ASSERT_EQ(q.r().head.resultValid, 1);
    ASSERT_GT(q.r().minSlabLength, 0.1);
    EXPECT_TRUE(q.m->State(TankIds::AnchorList).enabled);
    ASSERT_FALSE(Counts(*q.m).empty());
    const int last = static_cast<int>(Counts(*q.m).size()) - 1;
    q.m->OnSelchangeAnchorCount(last);
    EXPECT_EQ(q.r().anchorCount, Counts(*q.m).back());
    EXPECT_EQ(q.m->Text(TankIds::SlabLength), CPageModel::Format("%.2f", q.r().slabLength));
    EXPECT_EQ(q.m->Text(TankIds::TieForce), CPageModel::Format("%.2f", q.r().tieForce));
    EXPECT_EQ(q.m->State(TankIds::Anchoring).background, kFailedBackColor);
    EXPECT_EQ(q.m->Text(TankIds::Note), q.app->LoadLangString(20343));

    // No anchoring needed: the slab and count are closed and show "-".
    Page dry(1.5);
    dry.m->SetText(TankIds::WaterLevel, u"0");
    dry.m->Recalculate();
    ASSERT_EQ(dry.r().head.resultValid, 1);
    for (int id : {TankIds::SlabWidth, TankIds::SlabHeight, TankIds::AnchorList})
        EXPECT_FALSE(dry.m->State(id).enabled) << id;
    for (int id : {TankIds::MinSlabLength, TankIds::SlabLength, TankIds::Anchoring, TankIds::TieForce, TankIds::SlabWeight, TankIds::TieAngle, TankIds::SlabVolume})
        EXPECT_EQ(dry.m->Text(id), u"-") << id;
    EXPECT_EQ(dry.m->State(TankIds::Conclusion).text, kMetTextColor);
}

TEST(TankPage, StoredTankShownAgainUnchanged)
{
    // The narrowest tank, 1.9 m deep, with a count off the list's first
    // item; the wider type 0 on the way would lower it and change the count.
    Page p(2.3);
    p.m->OnSelchangeStiffness(1);
    p.m->Select(TankIds::TypeList, 2);
    p.m->OnProductChanged();
    p.m->SetText(TankIds::TankBottom, u"2.10");
    p.m->SetText(TankIds::Capacity, u"30.00");
    p.m->Recalculate();
    p.m->OnSelchangeAnchorCount(static_cast<int>(Counts(*p.m).size()) - 1);
    p.m->ReadInputs();
    p.m->TakeMessages();
    const TankRecord stored = p.r();
    ASSERT_GT(stored.anchorCount, Counts(*p.m).front());

    p.app->ResetTankRecord();
    p.r() = stored;
    p.m->ShowStoredType();
    p.m->ShowInputs(false);
    p.m->Recalculate();
    EXPECT_EQ(std::memcmp(&stored, &p.r(), sizeof stored), 0);
    EXPECT_TRUE(p.m->PendingMessages().empty());
    EXPECT_EQ(p.m->Selected(TankIds::TypeList), 3);
    EXPECT_DOUBLE_EQ(p.r().tankBottomLevel, 2.1);

    // A catalogue without that row any more: the lists are rebuilt and
    // nothing is read past the table.
    p.app->tables.tankTypes.resize(2);
    p.m->Recalculate();
    EXPECT_EQ(Texts(*p.m, TankIds::TypeList).size(), 2u);
    EXPECT_EQ(p.r().head.resultValid, 0);
}

}  // namespace

TEST(TankPage, ShownRecordBringsItsFixedParameter)
{
    // A record shown (loaded back, a new project) in the other mode than the
    // page was in: the fixed one of volume and length is the one to type.
    for (int mode : {1, 0}) {
        Page p;
        p.m->OnSelectionMode(1 - mode);
        p.r().selectionMode = mode;
        p.m->ShowInputs(0);
        const int fixed = mode == 0 ? TankIds::Capacity : TankIds::Length, other = mode == 0 ? TankIds::Length : TankIds::Capacity;
        EXPECT_TRUE(p.m->State(fixed).enabled) << mode;
        EXPECT_FALSE(p.m->State(other).enabled) << mode;
        EXPECT_EQ(p.m->State(fixed).background, kSoughtColor) << mode;
        EXPECT_EQ(p.m->State(other).background, kFaceColor) << mode;
    }
}

TEST(TankPage, LanguageSwitchKeepsTheFilter)
{
    // The other language's catalogue: the same rows under other names. The
    // SN list shows "all" again; the product list keeps its filter and the
    // tank chosen.
    Page p;
    p.m->OnSelchangeStiffness(1);
    p.m->Select(TankIds::TypeList, 1);
    p.m->OnProductChanged();
    const TankRecord before = p.r();
    for (TankTypeEntry& t : p.app->tables.tankTypes)
        CopyBounded(t.name, u"Zb " + FromFixed(t.name));
    p.m->ApplyLanguage(LangPolish);
    p.m->ReferenceReloaded();
    p.m->Recalculate();
    EXPECT_EQ(p.m->Selected(TankIds::StiffnessList), 0);
    EXPECT_EQ(Texts(*p.m, TankIds::TypeList), (std::vector<std::u16string>{u"Zb A 1900", u"Zb A 2400", u"Zb C 1600"}));
    EXPECT_EQ(p.m->Selected(TankIds::TypeList), 1);
    EXPECT_EQ(p.r().tankTypeIndex, 1);
    EXPECT_EQ(std::memcmp(&before, &p.r(), sizeof before), 0);
}
