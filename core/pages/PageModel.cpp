#include "core/pages/PageModel.h"

#include "core/app/DalvorApp.h"
#include "core/base/CalcKind.h"
#include "core/base/Text.h"
#include "core/project/CalcKinds.h"

#include <algorithm>

std::u16string FormatMessage(std::u16string_view text, const std::vector<std::u16string>& args)
{
    std::u16string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        if (text[i + 1] == u'%') {
            out.push_back(u'%');
            ++i;
            continue;
        }
        // %s, %d, or %.Nf with one or two digits
        std::size_t end = 0;
        if (text[i + 1] == u's' || text[i + 1] == u'd') {
            end = i + 2;
        } else if (text[i + 1] == u'.') {
            std::size_t j = i + 2;
            while (j < text.size() && j < i + 4 && text[j] >= u'0' && text[j] <= u'9')
                ++j;
            if (j > i + 2 && j < text.size() && text[j] == u'f')
                end = j + 1;
        }
        if (end == 0 || next >= args.size()) {
            out.push_back(text[i]);
            continue;
        }
        out += args[next++];
        i = end - 1;
    }
    return out;
}

CPageModel::CPageModel(CDalvorApp& a, int k) : app(a), kind(k) {}

void CPageModel::LoadBack()
{
    FillLists();
    ShowInputs(0);
    Recalculate();
}

const std::u16string& CPageModel::Text(int id) const
{
    static const std::u16string empty;
    auto it = texts.find(id);
    return it == texts.end() ? empty : it->second;
}

void CPageModel::SetText(int id, std::u16string text)
{
    texts[id] = std::move(text);
}

void CPageModel::SetText(int id, double value, const char* format)
{
    texts[id] = Format(format, value);
}

double CPageModel::Value(int id) const
{
    return ParseNumber(Text(id));
}

void CPageModel::SetColors(int id, RgbColor background, RgbColor text)
{
    ControlState& s = states[id];
    s.background = background;
    s.text = text;
}

const ControlState& CPageModel::State(int id) const
{
    static const ControlState none;
    auto it = states.find(id);
    return it == states.end() ? none : it->second;
}

const ListState& CPageModel::List(int id) const
{
    static const ListState none;
    auto it = lists.find(id);
    return it == lists.end() ? none : it->second;
}

void CPageModel::SetListItems(int id, std::vector<ListItem> items, int selected)
{
    ListState& l = lists[id];
    l.items = std::move(items);
    ++l.revision;
    Select(id, selected);
}

void CPageModel::UpdateListItems(int id, std::vector<ListItem> items, int selected)
{
    if (List(id).items == items)
        Select(id, selected);
    else
        SetListItems(id, std::move(items), selected);
}

void CPageModel::Select(int id, int index)
{
    ListState& l = lists[id];
    l.selected = index >= 0 && index < static_cast<int>(l.items.size()) ? index : -1;
}

const ListItem* CPageModel::SelectedItem(int id) const
{
    const ListState& l = List(id);
    if (l.selected < 0 || l.selected >= static_cast<int>(l.items.size()))
        return nullptr;
    return &l.items[static_cast<std::size_t>(l.selected)];
}

int CPageModel::Choice(int group) const
{
    auto it = choices.find(group);
    return it == choices.end() ? -1 : it->second;
}

std::vector<MessageRequest> CPageModel::TakeMessages()
{
    std::vector<MessageRequest> out;
    out.swap(messages);
    return out;
}

std::u16string CPageModel::Format(const char* format, double value)
{
    return NumberText(format, value);
}

double CPageModel::Limit(double value, double low, double high)
{
    if (low != FieldSpec::kNone && value < low)
        value = low;
    if (high != FieldSpec::kNone && value > high)
        value = high;
    return value;
}

double CPageModel::AsShown(double value, const char* format, double low, double high)
{
    return Limit(ParseNumber(Format(format, value)), low, high);
}

double CPageModel::ReadLimited(int id, const char* format, double low, double high) const
{
    const double read = Value(id);
    const double held = Limit(read, low, high);
    return held == read || !format ? held : AsShown(held, format, low, high);
}

void CPageModel::CopyName(char16_t (&dst)[64], std::u16string_view text)
{
    constexpr std::size_t kUnits = 63;
    CopyBounded(dst, CutTextView(text, kUnits), kUnits);
}

void CPageModel::ReadFields(void* record, unsigned flags)
{
    for (const FieldSpec& f : Fields()) {
        if (!(f.flags & flags) || (f.flags & FieldSpec::Hook) || !f.member)
            continue;
        *f.member(record) = ReadLimited(f.id, f.format, f.low, f.high);
    }
}

void CPageModel::ShowFields(const void* record, unsigned flags, bool resultValid)
{
    // The member is only read here.
    void* shown = const_cast<void*>(record);
    for (const FieldSpec& f : Fields()) {
        if (!(f.flags & flags) || (f.flags & FieldSpec::Hook) || !f.member || !f.format)
            continue;
        if ((flags & FieldSpec::Result) && (f.flags & FieldSpec::Result) && !(f.flags & FieldSpec::Always) &&
            !resultValid) {
            SetText(f.id, u"-");
            continue;
        }
        SetText(f.id, *f.member(shown), f.format);
    }
}

void CPageModel::ShowField(const void* record, int id)
{
    for (const FieldSpec& f : Fields())
        if (f.id == id && f.member && f.format) {
            SetText(id, *f.member(const_cast<void*>(record)), f.format);
            return;
        }
}

int CPageModel::CurrentIndex() const
{
    const int a = KindToArrayIndex(kind);
    if (a < 0)
        return -1;
    const int i = app.project.currentIndex[a];
    return i >= 0 && i < app.project.Count(a) ? i : -1;
}

void CPageModel::ShowNumberAndName(int numberId, int nameId, RecordHead& head, int resetNumber)
{
    if (resetNumber == 1) {
        SetText(numberId, u"-");
        CopyBounded(head.name, u"-");
    } else if (const int current = CurrentIndex(); current >= 0) {
        SetText(numberId, Utf8ToUtf16(FormatC("%d", current + 1)));
    }
    SetText(nameId, FromFixed(head.name));
}

void CPageModel::ShowStoreButtons(int updateId, int projectId)
{
    Enable(updateId, CurrentIndex() >= 0);
    Enable(projectId, HasStoredRecords());
}

bool CPageModel::HasStoredRecords() const
{
    const int a = KindToArrayIndex(kind);
    return a >= 0 && app.project.Count(a) != 0;
}

bool CPageModel::ResultValid() const
{
    bool valid = false;
    ForKindRecords(kind, [&](const auto& e) { valid = (app.working.*e.working).head.resultValid == 1; });
    return valid;
}
