// The stored calculations of one kind as a table: the project manager's list
// columns and cells, and the tab-separated text that the clipboard export
// writes from the same columns.
#pragma once

#include "core/catalogue/ReferenceTables.h"
#include "core/project/ProjectArrays.h"

#include <string>
#include <vector>

// What a listing reads: the project's stored records, the catalogue that
// names the rows they refer to, and the language of the texts.
struct ListingSource {
    const CatalogueTables& tables;
    const ProjectArrays& project;
    int languageOffset;
};

// Who the texts are for. Both show every cell whole; the list heads a few
// columns differently from the clipboard text and shows the deflection with
// one decimal.
enum class ListingTarget { List, Clipboard };

struct ProjectColumn {
    std::u16string heading;
    int width = 0;  // pixels in the list
};

// The kind's columns in the current language; none for a value that is not a kind.
std::vector<ProjectColumn> ProjectColumns(int languageOffset, int kind, ListingTarget target);

// Number of stored records of the kind (0 for a value that is not a kind).
int StoredRecordCount(const ProjectArrays& project, int kind);

// The head (name, conclusion) of stored record index of the kind, or nullptr
// when there is no such record.
const RecordHead* StoredRecordHead(const ProjectArrays& project, int kind, int index);
RecordHead* StoredRecordHead(ProjectArrays& project, int kind, int index);

// The cells of stored record index, as many as the kind has columns; none when
// there is no such record. A record that holds no valid result shows "-" in
// each column of a calculated value, as its page does. Catalogue names are looked up by the id (category,
// pipe type) or row (tank type, manhole type) the record holds; a record that
// names a row the catalogue does not have gets an empty cell.
std::vector<std::u16string> ProjectCells(const ListingSource& source, int kind, int index, ListingTarget target);
// The one cell of stored record index in the column, made alone (the record's
// other cells are not formatted); empty when there is no such record or column.
std::u16string ProjectCell(const ListingSource& source, int kind, int index, int column, ListingTarget target);

// The clipboard text of the kind: the header line, then one line per stored
// record in array order; cells end with a tab, lines with a line feed, and
// every full stop of the whole text is turned into a comma.
std::u16string BuildClipboardText(const ListingSource& source, int kind);

// The project manager's list as it opens on the kind: the column headings,
// then one line per stored record in array order, each cell as the list shows
// it; cells are separated by tabs and lines end with a line feed.
std::u16string BuildListText(const ListingSource& source, int kind);
