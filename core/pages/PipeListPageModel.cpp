#include "core/pages/PipeListPageModel.h"

#include "core/app/DalvorApp.h"

CPipeListPageModel::CPipeListPageModel(CDalvorApp& a, int pageKind, unsigned applicable, const Ids& i)
    : CPageModel(a, pageKind), picker(a, *this, applicable, i.categoryList, i.typeList, i.sizeList), ids(i)
{
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
    RefillSizes();
    Recalculate();
}

void CPipeListPageModel::OnSelchangePipeType()
{
    const RecordPipe p = Pipe();
    p.typeId = picker.ChosenType(p.categoryId);
    p.userRoughness = kNoUserRoughness;
    RefillSizes();
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
