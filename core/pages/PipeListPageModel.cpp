#include "core/pages/PipeListPageModel.h"

#include "core/app/DalvorApp.h"

#include <algorithm>

namespace {

// A size row of the catalogue as a candidate (its capacity is the
// calculation's to write).
DiameterCandidate SizeCandidate(const NominalSizeEntry& s)
{
    DiameterCandidate c{};
    c.innerDiameter = s.innerDiameter;
    c.outerDiameter = s.outerDiameter;
    c.nominalSize = s.nominalSize;
    c.roughness = s.roughness;
    c.ratingValue = s.ratingValue;
    c.madeToOrder = s.madeToOrder;
    return c;
}

}  // namespace

CPipeListPageModel::CPipeListPageModel(CDalvorApp& a, int pageKind, unsigned applicable, const Ids& i,
                                       const SizeRules& r)
    : CPageModel(a, pageKind), picker(a, *this, applicable, i.categoryList, i.typeList, i.sizeList), ids(i), rules(r)
{
}

void CPipeListPageModel::FillLists()
{
    FillPipeLists();
}

CPipeListPageModel::SizeFill CPipeListPageModel::FillPipeLists()
{
    const RecordPipe p = Pipe();
    const bool named = p.categoryId >= 0 && p.typeId >= 0;
    picker.FillCategories(p.categoryId);
    picker.FillTypes(p.categoryId, p.typeId);
    return FillSizeList(named);
}

CPipeListPageModel::SizeFill CPipeListPageModel::FillSizeList(bool keepUnlisted)
{
    const RecordPipe p = Pipe();
    const std::vector<int> rows = picker.FillSizes(p.categoryId, p.typeId, static_cast<int>(p.candidates.size()));
    const int count = static_cast<int>(rows.size());
    for (int j = 0; j < count; ++j) {
        // Field by field: the capacity is the calculation's to write, and a
        // kind whose candidates carry no rating keeps the bytes it read there.
        const DiameterCandidate n = SizeCandidate(*picker.SizeRow(rows[static_cast<std::size_t>(j)]));
        DiameterCandidate& c = p.candidates[static_cast<std::size_t>(j)];
        c.innerDiameter = n.innerDiameter;
        c.outerDiameter = n.outerDiameter;
        c.nominalSize = n.nominalSize;
        c.roughness = n.roughness;
        if (rules.candidateRatings)
            c.ratingValue = n.ratingValue;
        c.madeToOrder = n.madeToOrder;
    }
    p.candidateCount = count;
    if (count == 0) {
        if (keepUnlisted && rules.boreWithoutSizes)
            ShowField(p.record, ids.innerDiameter);
        else
            SetText(ids.innerDiameter, u"-");
        return SizeFill::None;
    }
    int chosen = -1;
    for (int j = 0; j < count; ++j)
        if (CCatalogPicker::SameSize(p.candidates[static_cast<std::size_t>(j)].nominalSize, p.nominalSize))
            chosen = j;
    if (chosen < 0 && keepUnlisted && p.nominalSize > 0.0) {
        // No listed size is the record's: it keeps its own pipe rather than
        // take a neighbouring one.
        ShowSize(p);
        Select(ids.sizeList, -1);
        return SizeFill::Unlisted;
    }
    // A record without a size, and a pipe the user chose, take the first. A
    // roughness of the user's own stays with the record it belongs to (a
    // stored calculation loaded back keeps its roughness); a new category or
    // type has cleared it, and then the catalogue's shows.
    chosen = std::max(chosen, 0);
    TakeSize(p.candidates[static_cast<std::size_t>(chosen)]);
    ShowSize(p);
    Select(ids.sizeList, chosen);
    return SizeFill::Taken;
}

void CPipeListPageModel::ShowSize(const RecordPipe& p)
{
    ShowField(p.record, ids.innerDiameter);
    if (rules.sizeField != 0)
        ShowField(p.record, rules.sizeField);
    ShowField(p.record, ids.roughness);
}

bool CPipeListPageModel::ReferenceReloaded()
{
    const RecordPipe p = Pipe();
    if (picker.Relabel(p.categoryId, p.typeId))
        return false;
    // Tables of another shape: the lists are made again from the record.
    FillLists();
    return true;
}

void CPipeListPageModel::OnSelchangePipeKind()
{
    const RecordPipe p = Pipe();
    if (const int id = picker.ChosenCategory(); id >= 0)
        p.categoryId = id;
    p.userRoughness = kNoUserRoughness;
    p.typeId = -1;
    picker.FillTypes(p.categoryId, p.typeId);
    PipeChosen();
    FillSizeList(false);
    Recalculate();
}

void CPipeListPageModel::OnSelchangePipeType()
{
    const RecordPipe p = Pipe();
    p.typeId = picker.ChosenType(p.categoryId);
    p.userRoughness = kNoUserRoughness;
    PipeChosen();
    FillSizeList(false);
    Recalculate();
}

void CPipeListPageModel::OnSelchangeDiameter()
{
    const RecordPipe p = Pipe();
    // The row the item shows, as the record's candidate of the same item was
    // made from it when the list was filled.
    if (const NominalSizeEntry* s = picker.ChosenSize(p.categoryId, p.typeId)) {
        TakeSize(SizeCandidate(*s));
        PipeChosen();
    }
    if (std::clamp(p.candidateCount, 0, static_cast<int>(p.candidates.size())) > 0)
        ShowField(p.record, ids.innerDiameter);
    else
        SetText(ids.innerDiameter, u"-");
    ShowField(p.record, ids.roughness);
    if (rules.recalculateWhenSought || p.mode != 0)
        Recalculate();
}

void CPipeListPageModel::ResetListsToFirst()
{
    Select(ids.categoryList, 0);
    OnSelchangePipeKind();
    Select(ids.typeList, 0);
    OnSelchangePipeType();
    Select(ids.sizeList, 0);
    OnSelchangeDiameter();
}

void CPipeListPageModel::ResetNumberAndName()
{
    SetText(ids.number, u"-");
    SetText(ids.name, u"-");
}

void CPipeListPageModel::OnListChosen(int id, int index)
{
    (void)index;
    if (id == ids.categoryList)
        OnSelchangePipeKind();
    else if (id == ids.typeList)
        OnSelchangePipeType();
    else if (id == ids.sizeList)
        OnSelchangeDiameter();
}

void CPipeListPageModel::ApplyLanguage(int offset)
{
    hintFirst = app.LoadLangString(kTextMadeToOrder, offset);
    hintSecond = app.LoadLangString(kTextConfirmDelivery, offset);
    ShowHint();
}

void CPipeListPageModel::ShowHint()
{
    SetText(ids.hint, Pipe().madeToOrder == 1 ? hintFirst + u" " + hintSecond : std::u16string());
}

void CPipeListPageModel::ReadRoughness()
{
    const RecordPipe r = Pipe();
    const double typed = Value(ids.roughness);
    const double held = ReadLimited(ids.roughness, "%.3f", kMinRoughness, FieldSpec::kNone);
    if (typed != r.roughness)
        r.userRoughness = held;
    r.roughness = held;
}

void CPipeListPageModel::SetViscosity(double viscosity)
{
    Pipe().viscosity = viscosity;
    ShowInputs(0);
    Recalculate();
}

void CPipeListPageModel::SetFlowInput(double flow)
{
    Pipe().flowInput = flow;
    ShowInputs(0);
    Recalculate();
}
