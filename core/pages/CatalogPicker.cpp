#include "core/pages/CatalogPicker.h"

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/pages/PageModel.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>

namespace {

template <std::size_t N>
std::u16string Name(const char16_t (&name)[N])
{
    return FromFixed(name, N);
}

}  // namespace

const std::u16string& CSizeTexts::Text(int row, double nominalSize)
{
    const auto i = static_cast<std::size_t>(row);
    if (i >= entries.size())
        entries.resize(i + 1);
    Entry& e = entries[i];
    const auto size = std::bit_cast<std::uint64_t>(nominalSize);
    if (!e.formatted || e.size != size) {
        e.text = CPageModel::Format("%.0f", nominalSize);
        e.size = size;
        e.formatted = true;
    }
    return e.text;
}

CCatalogPicker::CCatalogPicker(const CDalvorApp& a, CPageModel& m, unsigned appl, int c, int t, int s,
                               PickerMatching match)
    : app(a), model(m), applicable(appl), categoryList(c), typeList(t), sizeList(s), matching(match)
{
}

bool CCatalogPicker::SameSize(double listed, double own)
{
    return std::fabs(listed - own) < kSizeMatch;
}

bool CCatalogPicker::Applicable(int applicability) const
{
    if (applicable == kAll)
        return true;
    return applicability >= 0 && applicability < 32 && (applicable & (1u << applicability)) != 0;
}

void CCatalogPicker::FillCategories(int& categoryId)
{
    std::vector<ListItem> items;
    int position = -1;
    const int rows = RowCount(app.tables.pipeCategories);
    for (int i = 0; i < rows; ++i) {
        const PipeCategoryEntry& c = app.tables.pipeCategories[static_cast<std::size_t>(i)];
        if (!Applicable(c.applicability))
            continue;
        if (categoryId < 0)
            categoryId = c.id;
        if (c.id == categoryId && (position < 0 || matching.lastOfSameId))
            position = static_cast<int>(items.size());
        items.push_back({Name(c.name), i, c.id});
    }
    model.SetListItems(categoryList, std::move(items), position);
}

void CCatalogPicker::FillTypes(int categoryId, int& typeId)
{
    std::vector<ListItem> items;
    int position = -1;
    const int rows = RowCount(app.tables.pipeTypes);
    for (int i = 0; i < rows; ++i) {
        const PipeTypeEntry& t = app.tables.pipeTypes[static_cast<std::size_t>(i)];
        if (!Applicable(t.applicability) || t.categoryId != categoryId)
            continue;
        if (typeId < 0)
            typeId = t.id;
        if (t.id == typeId && (position < 0 || matching.lastOfSameId))
            position = static_cast<int>(items.size());
        items.push_back({Name(t.name), i, t.id});
    }
    model.SetListItems(typeList, std::move(items), position);
}

std::vector<int> CCatalogPicker::FillSizes(int categoryId, int typeId, int maxSizes)
{
    std::vector<ListItem> items;
    std::vector<int> rows;
    const int count = RowCount(app.tables.nominalSizes);
    for (int i = 0; i < count && static_cast<int>(rows.size()) < maxSizes; ++i) {
        const NominalSizeEntry& s = app.tables.nominalSizes[static_cast<std::size_t>(i)];
        if (s.categoryId != categoryId || s.typeId != typeId)
            continue;
        items.push_back({sizeTexts.Text(i, s.nominalSize), i, s.id});
        rows.push_back(i);
    }
    model.SetListItems(sizeList, std::move(items), -1);
    return rows;
}

int CCatalogPicker::ChosenCategory() const
{
    const ListItem* item = model.SelectedItem(categoryList);
    if (!item || item->row < 0 || item->row >= RowCount(app.tables.pipeCategories))
        return -1;
    return app.tables.pipeCategories[static_cast<std::size_t>(item->row)].id;
}

int CCatalogPicker::ChosenType(int categoryId) const
{
    const ListItem* item = model.SelectedItem(typeList);
    if (!item || item->row < 0 || item->row >= RowCount(app.tables.pipeTypes))
        return -1;
    const PipeTypeEntry& t = app.tables.pipeTypes[static_cast<std::size_t>(item->row)];
    return t.categoryId == categoryId ? t.id : -1;
}

const NominalSizeEntry* CCatalogPicker::SizeRow(int row) const
{
    if (row < 0 || row >= RowCount(app.tables.nominalSizes))
        return nullptr;
    return &app.tables.nominalSizes[static_cast<std::size_t>(row)];
}

const NominalSizeEntry* CCatalogPicker::ChosenSize(int categoryId, int typeId) const
{
    const ListItem* item = model.SelectedItem(sizeList);
    const NominalSizeEntry* s = item ? SizeRow(item->row) : nullptr;
    return s && s->categoryId == categoryId && s->typeId == typeId ? s : nullptr;
}

bool CCatalogPicker::Relabel(int categoryId, int typeId)
{
    const int categories = RowCount(app.tables.pipeCategories);
    for (ListItem& item : model.List(categoryList).items) {
        if (item.row < 0 || item.row >= categories)
            return false;
        const PipeCategoryEntry& c = app.tables.pipeCategories[static_cast<std::size_t>(item.row)];
        if (c.id != item.id || !Applicable(c.applicability))
            return false;
        item.text = Name(c.name);
    }
    const int types = RowCount(app.tables.pipeTypes);
    for (ListItem& item : model.List(typeList).items) {
        if (item.row < 0 || item.row >= types)
            return false;
        const PipeTypeEntry& t = app.tables.pipeTypes[static_cast<std::size_t>(item.row)];
        if (t.id != item.id || t.categoryId != categoryId || !Applicable(t.applicability))
            return false;
        item.text = Name(t.name);
    }
    for (const ListItem& item : model.List(sizeList).items) {
        const NominalSizeEntry* s = SizeRow(item.row);
        if (!s || s->id != item.id || s->categoryId != categoryId || s->typeId != typeId ||
            item.text != sizeTexts.Text(item.row, s->nominalSize))
            return false;
    }
    ++model.List(categoryList).revision;
    ++model.List(typeList).revision;
    return true;
}
