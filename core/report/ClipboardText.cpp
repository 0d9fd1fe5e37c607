#include "core/report/ClipboardText.h"

#include "core/project/CalcKinds.h"
#include "core/base/LangTables.h"
#include "core/base/Text.h"
#include "core/base/TrafficClass.h"

#include <algorithm>
#include <type_traits>

namespace {

// A heading is prefix + text(key) + suffix; key 0 takes no text. The
// clipboard text heads a few columns with another key or prefix.
struct ColumnSpec {
    const char16_t* prefix;
    int key;
    const char16_t* suffix;
    int width;
    int clipboardKey = 0;                     // 0: the list's key
    const char16_t* clipboardPrefix = nullptr;  // nullptr: the list's prefix
};

// What a cell shows for a result the record does not hold.
constexpr char16_t kNotGiven[] = u"-";

// Unit texts.
constexpr int kMetre = 20013;
constexpr int kMillimetre = 20014;
constexpr int kCubicMetre = 20016;

constexpr ColumnSpec kGravityColumns[] = {
    {u"#", 0, u"", 40},
    {u"ID", 0, u"", 100},
    {u"", 1414, u"", 75},
    {u"", 1415, u"", 75, 1321},
    {u"Dn [", kMillimetre, u"]", 60},
    {u"", 1412, u"", 75},
    {u"I ", 1456, u"", 50},
    {u"L [", kMetre, u"]", 50},
    {u"Hp [", kMetre, u"]", 50},
    {u"Hk [", kMetre, u"]", 50},
    {u"Q ", 1458, u"", 55},
    {u"v ", 1462, u"", 55},
    {u"hstr [", kMetre, u"]", 55},
    {u"h/d ", 1460, u"", 55, 0, u"h/D "},
    {u"\u03BA ", 1427, u"", 55},
    {u"", 1475, u"", 200, 1408},
};

constexpr ColumnSpec kBuriedPipeColumns[] = {
    {u"#", 0, u"", 40},
    {u"ID", 0, u"", 100},
    {u"", 1213, u"", 75},
    {u"", 1215, u"", 75},
    {u"Dn [", kMillimetre, u"]", 60},
    {u"PT [", kMetre, u"]", 60},
    {u"PD [", kMetre, u"]", 60},
    {u"ZWG [", kMetre, u"]", 60},
    {u"W ", 1302, u"", 60},
    {u"Gz ", 1306, u"", 70},
    {u"\u03B4 ", 1295, u"", 60},
    {u"", 1243, u"", 130},
    {u"MPD ", 1247, u"", 60},
    {u"", 1257, u"", 120},
    {u"", 1307, u"", 200},
};

constexpr ColumnSpec kPressureColumns[] = {
    {u"#", 0, u"", 40},
    {u"ID", 0, u"", 100},
    {u"", 1319, u"", 75},
    {u"", 1321, u"", 75},
    {u"Dn [", kMillimetre, u"]", 60},
    {u"", 1314, u"", 75},
    {u"k [", kMillimetre, u"]", 60},
    {u"L [", kMetre, u"]", 60},
    {u"Hp [", kMetre, u"]", 60},
    {u"Hk [", kMetre, u"]", 60},
    {u"Q ", 1383, u"", 70},
    {u"v ", 1386, u"", 60},
    {u"hstr [", kMetre, u"]", 60},
    {u"", 1408, u"", 200},
};

constexpr ColumnSpec kTankColumns[] = {
    {u"#", 0, u"", 40},
    {u"ID", 0, u"", 90},
    {u"", 1059, u"", 90},
    {u"V [", kCubicMetre, u"]", 60},
    {u"L [", kMetre, u"]", 60},
    {u"PT [", kMetre, u"]", 60},
    {u"ZWG [", kMetre, u"]", 60},
    {u"PP [", kMetre, u"]", 60},
    {u"W ", 1122, u"", 60},
    {u"Gz ", 1124, u"", 60},
    {u"Fk ", 1139, u"", 60},
    {u"", 1098, u"", 130},
    {u"", 1146, u"", 300},
};

constexpr ColumnSpec kManholeColumns[] = {
    {u"#", 0, u"", 40},
    {u"ID", 0, u"", 90},
    {u"", 1150, u"", 90},
    {u"H [", kMetre, u"]", 60},
    {u"Dk [", kMillimetre, u"]", 60},
    {u"PT [", kMetre, u"]", 60},
    {u"ZWG [", kMetre, u"]", 60},
    {u"PP [", kMetre, u"]", 60},
    {u"H+Hb [", kMetre, u"]", 60},
    {u"Hb [", kMetre, u"]", 60},
    {u"", 1170, u"", 130},
    {u"", 1210, u"", 300, 1146},
};

template <std::size_t N>
std::vector<ProjectColumn> MakeColumns(int languageOffset, const ColumnSpec (&layout)[N], ListingTarget target)
{
    std::vector<ProjectColumn> columns;
    columns.reserve(N);
    const bool clip = target == ListingTarget::Clipboard;
    for (const ColumnSpec& s : layout) {
        const int key = clip && s.clipboardKey ? s.clipboardKey : s.key;
        std::u16string heading = clip && s.clipboardPrefix ? s.clipboardPrefix : s.prefix;
        if (key)
            heading += LangString(key, languageOffset);
        heading += s.suffix;
        columns.push_back({std::move(heading), s.width});
    }
    return columns;
}

// The cells of one record, whole in the list and on the clipboard alike; with
// a column named, only that cell is made (the others are passed over
// unformatted and unlooked-up).
class CellWriter {
public:
    explicit CellWriter(ListingTarget target, int onlyColumn = -1)
        : clip(target == ListingTarget::Clipboard), only(onlyColumn)
    {
    }

    void Text(std::u16string_view text)
    {
        if (Wanted())
            cells.emplace_back(text);
    }
    // A text that takes a lookup: made only when wanted.
    template <typename Make>
        requires std::is_invocable_r_v<std::u16string, Make>
    void Text(Make&& make)
    {
        if (Wanted())
            cells.push_back(make());
    }
    void Number(const char* format, double value)
    {
        if (Wanted())
            cells.push_back(NumberText(format, value));
    }
    // A value the calculation gives: "-", as on the page, while the record
    // holds no valid result (the value left in it may be another pipe's).
    void Result(const char* format, double value)
    {
        if (Wanted())
            cells.push_back(resultGiven ? NumberText(format, value) : std::u16string(kNotGiven));
    }
    void Position(int index)
    {
        if (Wanted())
            cells.push_back(Utf8ToUtf16(FormatC("%d", index + 1)));
    }

    bool clip;
    bool resultGiven = true;
    std::vector<std::u16string> cells;

private:
    bool Wanted() { return only < 0 || column++ == only; }

    int only;
    int column = 0;
};

// Name of the last pipe-category row with the id; empty when none has it.
std::u16string CategoryName(const ListingSource& source, int id)
{
    std::u16string name;
    const int n = RowCount(source.tables.pipeCategories);
    for (int i = 0; i < n; ++i)
        if (source.tables.pipeCategories[static_cast<std::size_t>(i)].id == id)
            name = FromFixed(source.tables.pipeCategories[static_cast<std::size_t>(i)].name);
    return name;
}

// Name of the last pipe-type row with the id; empty when none has it.
std::u16string TypeName(const ListingSource& source, int id)
{
    std::u16string name;
    const int n = RowCount(source.tables.pipeTypes);
    for (int i = 0; i < n; ++i)
        if (source.tables.pipeTypes[static_cast<std::size_t>(i)].id == id)
            name = FromFixed(source.tables.pipeTypes[static_cast<std::size_t>(i)].name);
    return name;
}

std::u16string TankTypeName(const ListingSource& source, int row)
{
    if (row < 0 || row >= RowCount(source.tables.tankTypes))
        return {};
    return FromFixed(source.tables.tankTypes[static_cast<std::size_t>(row)].name);
}

std::u16string ManholeTypeName(const ListingSource& source, int row)
{
    if (row < 0 || row >= RowCount(source.tables.manholeTypes))
        return {};
    return FromFixed(source.tables.manholeTypes[static_cast<std::size_t>(row)].name);
}

// Text of a key, or empty for a value with no key.
std::u16string KeyText(const ListingSource& source, int key)
{
    return key ? LangString(key, source.languageOffset) : std::u16string();
}

int GravitySoughtKey(int mode)
{
    static constexpr int keys[] = {1008, 1032, 1010, 1045};
    return mode >= 0 && mode < 4 ? keys[mode] : 0;
}

int PressureSoughtKey(int mode)
{
    static constexpr int keys[] = {1315, 1317, 1316};
    return mode >= 0 && mode < 3 ? keys[mode] : 0;
}

void RecordCells(const ListingSource& source, const GravityFlowRecord& r, int index, CellWriter& w)
{
    w.Position(index);
    w.Text(FromFixed(r.head.name));
    w.Text([&] { return CategoryName(source, r.categoryId); });
    w.Text([&] { return TypeName(source, r.typeId); });
    w.Number("%.0f", r.nominalSize);
    w.Text([&] { return KeyText(source, GravitySoughtKey(r.mode)); });
    w.Result("%.2f", r.slope);
    w.Number("%.2f", r.length);
    w.Number("%.2f", r.startLevel);
    w.Result("%.2f", r.endLevel);
    w.Result("%.2f", r.flow);
    w.Result("%.2f", r.velocity);
    w.Result("%.2f", r.frictionLossHead + r.localLossHead);
    w.Result("%.2f", r.filling);
    w.Number("%.2f", r.localLossShare);
    w.Text(FromFixed(r.head.conclusion));
}

void RecordCells(const ListingSource& source, const BuriedPipeRecord& r, int index, CellWriter& w)
{
    w.Position(index);
    w.Text(FromFixed(r.head.name));
    w.Text([&] { return CategoryName(source, r.categoryId); });
    w.Text([&] { return TypeName(source, r.typeId); });
    w.Number("%.0f", r.nominalSize);
    w.Number("%.2f", r.groundLevel);
    w.Number("%.2f", r.invertLevel);
    w.Number("%.2f", r.waterLevel);
    w.Result("%.2f", r.upliftForce);
    w.Result("%.2f", r.anchoringForce);
    // The deflection column shows the total deflection, with one decimal in
    // the list and two on the clipboard.
    w.Result(w.clip ? "%.2f" : "%.1f", r.totalDeflection);
    w.Text(FromFixed(r.soilName));
    w.Number("%.2f", r.compactionIndex);
    w.Text([&] { return KeyText(source, TrafficClassTextKey(r.trafficClass)); });
    w.Text(FromFixed(r.head.conclusion));
}

void RecordCells(const ListingSource& source, const PressureFlowRecord& r, int index, CellWriter& w)
{
    w.Position(index);
    w.Text(FromFixed(r.head.name));
    w.Text([&] { return CategoryName(source, r.categoryId); });
    w.Text([&] { return TypeName(source, r.typeId); });
    w.Number("%.0f", r.nominalSize);
    w.Text([&] { return KeyText(source, PressureSoughtKey(r.mode)); });
    w.Number("%.2f", r.roughness);
    w.Number("%.2f", r.length);
    w.Number("%.2f", r.startLevel);
    w.Number("%.2f", r.endLevel);
    w.Result("%.2f", r.flow);
    w.Result("%.2f", r.velocity);
    w.Result("%.2f", r.headLoss);
    w.Text(FromFixed(r.head.conclusion));
}

void RecordCells(const ListingSource& source, const TankRecord& r, int index, CellWriter& w)
{
    w.Position(index);
    w.Text(FromFixed(r.head.name));
    w.Text([&] { return TankTypeName(source, r.tankTypeIndex); });
    w.Number("%.2f", r.capacity);
    w.Number("%.2f", r.length);
    w.Number("%.2f", r.groundLevel);
    w.Number("%.2f", r.waterLevel);
    w.Number("%.2f", r.foundationLevel);
    w.Result("%.2f", r.upliftForce);
    w.Result("%.2f", r.soilWeight);
    w.Result("%.2f", r.anchoringForce);
    w.Text(FromFixed(r.soilName));
    w.Text(FromFixed(r.head.conclusion));
}

void RecordCells(const ListingSource& source, const ManholeRecord& r, int index, CellWriter& w)
{
    w.Position(index);
    w.Text(FromFixed(r.head.name));
    w.Text([&] { return ManholeTypeName(source, r.typeIndex); });
    w.Result("%.2f", r.height);
    w.Number("%.0f", r.pipeDiameter * 1000);
    w.Number("%.2f", r.groundLevel);
    w.Number("%.2f", r.waterLevel);
    w.Number("%.2f", r.pipeBottomLevel);
    w.Result("%.2f", r.height + r.ballastHeight);
    w.Result("%.2f", r.ballastHeight);
    w.Text(FromFixed(r.soilName));
    w.Text(FromFixed(r.head.conclusion));
}

// The stored record index of the kind, or nullptr.
// Each kind's column layout, chosen by its record type.
const auto& Layout(const GravityFlowRecord*) { return kGravityColumns; }
const auto& Layout(const BuriedPipeRecord*) { return kBuriedPipeColumns; }
const auto& Layout(const PressureFlowRecord*) { return kPressureColumns; }
const auto& Layout(const TankRecord*) { return kTankColumns; }
const auto& Layout(const ManholeRecord*) { return kManholeColumns; }

// The record's cells; its results show only when it holds a valid result.
template <typename Record>
void WriteRecord(const ListingSource& source, const Record& r, int index, CellWriter& w)
{
    w.resultGiven = r.head.resultValid == 1;
    RecordCells(source, r, index, w);
}

template <typename Record>
const Record* At(const std::vector<Record>& records, int index)
{
    if (index < 0 || index >= RowCount(records))
        return nullptr;
    return &records[static_cast<std::size_t>(index)];
}

}  // namespace

std::vector<ProjectColumn> ProjectColumns(int languageOffset, int kind, ListingTarget target)
{
    std::vector<ProjectColumn> columns;
    ForKindRecords(kind, [&](const auto& e) {
        columns = MakeColumns(languageOffset,
                              Layout(static_cast<const typename std::decay_t<decltype(e)>::RecordType*>(nullptr)),
                              target);
    });
    return columns;
}

int StoredRecordCount(const ProjectArrays& project, int kind)
{
    int rows = 0;
    ForKindRecords(kind, [&](const auto& e) { rows = project.Count(e.array); });
    return rows;
}

const RecordHead* StoredRecordHead(const ProjectArrays& project, int kind, int index)
{
    const RecordHead* head = nullptr;
    ForKindRecords(kind, [&](const auto& e) {
        if (auto* r = At(project.*e.stored, index))
            head = &r->head;
    });
    return head;
}

RecordHead* StoredRecordHead(ProjectArrays& project, int kind, int index)
{
    return const_cast<RecordHead*>(StoredRecordHead(static_cast<const ProjectArrays&>(project), kind, index));
}

std::vector<std::u16string> ProjectCells(const ListingSource& source, int kind, int index, ListingTarget target)
{
    CellWriter w(target);
    ForKindRecords(kind, [&](const auto& e) {
        if (auto* r = At(source.project.*e.stored, index))
            WriteRecord(source, *r, index, w);
    });
    return std::move(w.cells);
}

std::u16string ProjectCell(const ListingSource& source, int kind, int index, int column, ListingTarget target)
{
    CellWriter w(target, column);
    if (column >= 0) {
        ForKindRecords(kind, [&](const auto& e) {
            if (auto* r = At(source.project.*e.stored, index))
                WriteRecord(source, *r, index, w);
        });
    }
    return w.cells.empty() ? std::u16string() : std::move(w.cells.front());
}

namespace {

// Cells joined into lines: tabs between the cells, a line feed after each line.
void AppendLine(std::u16string& text, const std::vector<std::u16string>& cells)
{
    for (std::size_t c = 0; c < cells.size(); ++c) {
        text += cells[c];
        text += c + 1 == cells.size() ? u'\n' : u'\t';
    }
}

// The headings of the kind's columns, then the cells of each stored record in
// array order, each made by `cellsOf(index, columns)`.
template <typename CellsOf>
std::u16string ListingText(const ListingSource& source, int kind, ListingTarget target, CellsOf&& cellsOf)
{
    std::u16string text;
    const std::vector<ProjectColumn> columns = ProjectColumns(source.languageOffset, kind, target);
    if (columns.empty())
        return text;
    std::vector<std::u16string> headings;
    headings.reserve(columns.size());
    for (const ProjectColumn& c : columns)
        headings.push_back(c.heading);
    AppendLine(text, headings);
    const int count = StoredRecordCount(source.project, kind);
    for (int i = 0; i < count; ++i)
        AppendLine(text, cellsOf(i, static_cast<int>(columns.size())));
    return text;
}

}  // namespace

std::u16string BuildListText(const ListingSource& source, int kind)
{
    // Cell by cell, as the list asks for them.
    return ListingText(source, kind, ListingTarget::List, [&](int index, int columns) {
        std::vector<std::u16string> cells;
        cells.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            cells.push_back(ProjectCell(source, kind, index, c, ListingTarget::List));
        return cells;
    });
}

std::u16string BuildClipboardText(const ListingSource& source, int kind)
{
    std::u16string text = ListingText(source, kind, ListingTarget::Clipboard, [&](int index, int) {
        return ProjectCells(source, kind, index, ListingTarget::Clipboard);
    });
    // A spreadsheet in a decimal-comma locale reads the numbers as numbers.
    std::replace(text.begin(), text.end(), u'.', u',');
    return text;
}
