// The page kit without windows: message texts, names, the catalogue picker's
// lists and the tables' reload notice.
#include "core/app/DalvorApp.h"
#include "core/pages/GravityFlowPageModel.h"
#include "tests/core/CoreTestSupport.h"

#include <algorithm>

using namespace GravityIds;

TEST(PageKit, MessageTextsTakeTheirArguments)
{
    const struct {
        const char16_t* text;
        std::vector<std::u16string> args;
        const char16_t* shown;
    } cases[] = {
        {u"Max. pipe diameter amounts to %.0fmm", {u"800"}, u"Max. pipe diameter amounts to 800mm"},
        {u"Min. cover layer amounts to 10% tank diameter.", {}, u"Min. cover layer amounts to 10% tank diameter."},
        {u"%s and %d, 100%%", {u"a", u"7"}, u"a and 7, 100%"},
        {u"%s %s", {u"one"}, u"one %s"},  // a conversion without an argument stands as it is
        {u"%x%", {u"z"}, u"%x%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16ToUtf8(FormatMessage(c.text, c.args)), Utf16ToUtf8(c.shown));
}

TEST(PageKit, NamesAreBoundedWithoutSplittingAPair)
{
    const std::u16string smile = u"\U0001F600";
    const struct {
        std::u16string typed;
        std::size_t kept;
    } cases[] = {
        {std::u16string(70, u'a'), 63},
        {std::u16string(62, u'a') + smile, 62},
        {std::u16string(61, u'a') + smile + u"b", 63},
        {u"GP-001", 6},
    };
    for (const auto& c : cases) {
        char16_t name[64];
        std::fill(std::begin(name), std::end(name), u'#');
        CPageModel::CopyName(name, c.typed);
        EXPECT_EQ(FromFixed(name), c.typed.substr(0, c.kept));
    }
}

TEST(PageKit, PickerListsTheRowsThatSuitThePageAndChoosesByRow)
{
    CDalvorApp app;
    app.tables.pipeCategories.resize(3);
    for (int i = 0; i < 3; ++i) {
        app.tables.pipeCategories[i].id = 5 + i;
        app.tables.pipeCategories[i].applicability = i;
        CopyBounded(app.tables.pipeCategories[i].name, u"Same name");
    }
    const struct {
        unsigned applicable;
        std::vector<int> listed;
    } cases[] = {{CCatalogPicker::kGravity, {5, 7}}, {CCatalogPicker::kPressure, {6, 7}}, {CCatalogPicker::kAll, {5, 6, 7}}};
    for (const auto& c : cases) {
        CGravityFlowPageModel model(app);
        CCatalogPicker picker(app, model, c.applicable, CategoryList, TypeList, SizeList);
        int category = -1;
        picker.FillCategories(category);
        EXPECT_EQ(category, c.listed.front());
        const ListState& list = model.List(CategoryList);
        ASSERT_EQ(list.items.size(), c.listed.size());
        for (std::size_t i = 0; i < c.listed.size(); ++i)
            EXPECT_EQ(list.items[i].id, c.listed[i]);
        // Items of the same name are told apart by their row.
        model.Select(CategoryList, int(c.listed.size()) - 1);
        EXPECT_EQ(picker.ChosenCategory(), 7);
        EXPECT_TRUE(picker.Relabel(7, -1));
    }
    // Tables of another shape: the lists no longer fit.
    CGravityFlowPageModel model(app);
    int category = 7;
    model.Picker().FillCategories(category);
    EXPECT_EQ(model.Selected(CategoryList), 1);
    app.tables.pipeCategories.resize(1);
    EXPECT_FALSE(model.Picker().Relabel(7, -1));
    EXPECT_EQ(model.Picker().ChosenCategory(), -1);
    // A category that is not listed keeps its id, and the list shows none
    // of the categories it lists.
    for (const int rows : {1, 0}) {
        app.tables.pipeCategories.resize(rows);
        int unlisted = 9;
        model.Picker().FillCategories(unlisted);
        EXPECT_EQ(unlisted, 9);
        EXPECT_EQ(model.Selected(CategoryList), -1);
    }
    // Ids 4, 4, 8 of every applicability: the item a type shows, by default
    // and with the last of an id; none for an unlisted type.
    app.tables.pipeTypes.assign(3, PipeTypeEntry{4, 9, {}, 99});
    app.tables.pipeTypes[2].id = 8;
    for (const auto& [matching, same] : {std::pair{PickerMatching{}, 0}, {PickerMatching{true}, 1}}) {
        CCatalogPicker picker(app, model, CCatalogPicker::kAll, CategoryList, TypeList, SizeList, matching);
        for (auto [type, shown] : {std::pair{4, same}, {6, -1}}) {
            picker.FillTypes(9, type);
            EXPECT_EQ(model.List(TypeList).items.size(), 3u);
            EXPECT_EQ(model.Selected(TypeList), shown);
        }
    }
    // A size row read again with another size lists that size.
    app.tables.nominalSizes.assign(1, NominalSizeEntry{});
    app.tables.nominalSizes[0].categoryId = 9;
    app.tables.nominalSizes[0].typeId = 3;
    for (const auto& [size, text] : {std::pair{200.5, u"200"}, std::pair{250.0, u"250"}}) {
        app.tables.nominalSizes[0].nominalSize = size;
        model.Picker().FillSizes(9, 3, 10);
        EXPECT_EQ(model.List(SizeList).items.at(0).text, text);
    }
}

TEST(PageKit, TablesReloadedAreAnnounced)
{
    CDalvorApp app;
    int told = 0;
    const int token = app.AddReloadListener([&] { ++told; });
    app.LoadReferenceData("/nonexistent/catalogue.mdb");
    EXPECT_EQ(told, 1);
    EXPECT_EQ(app.referenceGeneration, 1);
    app.RemoveReloadListener(token);
    app.LoadReferenceData("/nonexistent/catalogue.mdb");
    EXPECT_EQ(told, 1);
}
