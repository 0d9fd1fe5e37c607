// The project: one array of stored records per kind, with a current entry
// each.
#include "core/project/ProjectStore.h"

#include "core/base/Text.h"
#include "core/project/CalcKinds.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

// Calls f(array) for the kind's array; false for a value that is not a kind.
template <typename F>
bool WithKind(ProjectArrays& project, int kind, F&& f)
{
    return ForKindRecords(kind, [&](const auto& e) { f(project.*e.stored); });
}

// The same with the kind's working record and name prefix:
// f(array, workingRecord, prefix).
template <typename F>
bool WithKind(ProjectArrays& project, WorkingRecords& working, int kind, F&& f)
{
    return ForKindRecords(kind, [&](const auto& e) {
        f(project.*e.stored, working.*e.working, kCalcKinds[e.array].namePrefix);
    });
}

}  // namespace

int ProjectArrays::Count(int arrayIndex) const
{
    int n = 0;
    ForArrayRecords(arrayIndex, [&](const auto& e) { n = RowCount(this->*e.stored); });
    return n;
}

bool StoreCurrentCalc(ProjectArrays& project, WorkingRecords& working, int kind, int index)
{
    const int a = KindToArrayIndex(kind);
    try {
        WithKind(project, working, kind, [&](auto& records, auto& record, const char* prefix) {
            const int count = RowCount(records);
            int& current = project.currentIndex[a];
            // An overwrite needs an entry to overwrite: with none current the
            // record is appended rather than written outside the array.
            const bool append = index == -1 || current < 0 || current >= count;
            // Whatever needs memory comes first, so that running out of it
            // leaves records, counts and the working record as they were: a
            // full array is copied whole to grow, and after an open no array
            // has room to spare.
            std::u16string name;
            if (FromFixed(record.head.name) == u"-")
                name = Utf8ToUtf16(FormatC("%s%03d", prefix, append ? count + 1 : count));
            if (append) {
                records.push_back(record);
                current = count;
            }
            if (!name.empty())
                CopyBounded(record.head.name, name, 63);
            records[static_cast<std::size_t>(current)] = record;
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void DeleteStoredCalc(ProjectArrays& project, int kind, int index)
{
    const int a = KindToArrayIndex(kind);
    WithKind(project, kind, [&](auto& records) {
        int& current = project.currentIndex[a];
        if (index < 0 || index >= RowCount(records))
            return;
        current = index;
        records.erase(records.begin() + index);
        const int count = RowCount(records);
        if (current > count - 1)
            current = count - 1;
    });
}

void MoveStoredCalcUp(ProjectArrays& project, int kind, int index)
{
    const int a = KindToArrayIndex(kind);
    WithKind(project, kind, [&](auto& records) {
        const int count = RowCount(records);
        if (index <= 0 || index >= count)
            return;
        std::swap(records[static_cast<std::size_t>(index - 1)], records[static_cast<std::size_t>(index)]);
        project.currentIndex[a] = std::clamp(index - 1, 0, count - 1);
    });
}

void MoveStoredCalcDown(ProjectArrays& project, int kind, int index)
{
    const int a = KindToArrayIndex(kind);
    WithKind(project, kind, [&](auto& records) {
        const int count = RowCount(records);
        if (index < 0 || index >= count - 1)
            return;
        std::swap(records[static_cast<std::size_t>(index)], records[static_cast<std::size_t>(index + 1)]);
        project.currentIndex[a] = std::clamp(index + 1, 0, count - 1);
    });
}

void FreeProject(ProjectArrays& project)
{
    project = ProjectArrays{};
}

bool LoadCurrentStoredCalc(const ProjectArrays& project, WorkingRecords& working, int kind)
{
    bool loaded = false;
    ForKindRecords(kind, [&](const auto& e) {
        const auto& records = project.*e.stored;
        const int current = project.currentIndex[e.array];
        if (current < 0 || current >= RowCount(records))
            return;
        working.*e.working = records[static_cast<std::size_t>(current)];
        loaded = true;
    });
    return loaded;
}
