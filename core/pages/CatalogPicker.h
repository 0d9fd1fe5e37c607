// The three pipe lists of the pipe pages: category, type and nominal size,
// filled from the catalogue rows that suit the page. Every item keeps its
// table row and that row's id, so a choice is taken by row, whatever the
// language of the names, and a duplicate name or size is taken by position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CDalvorApp;
class CPageModel;
struct NominalSizeEntry;

// The nominal sizes' texts ("%.0f") by table row: each is formatted when its
// row is first listed, and again only when the row's size is another (the
// tables were loaded again), not for every record the lists are filled for.
class CSizeTexts {
public:
    const std::u16string& Text(int row, double nominalSize);

private:
    struct Entry {
        bool formatted = false;
        std::uint64_t size = 0;  // the bits of the size formatted
        std::u16string text;
    };
    std::vector<Entry> entries;
};

// Which item shows a record's category or type: by default the first item of
// its id, with lastOfSameId the last. A category or type that is not listed
// shows no item: the list never names a pipe the record does not hold.
struct PickerMatching {
    bool lastOfSameId = false;
};

class CCatalogPicker {
public:
    // Which applicability values suit the page, as a set of bits (bit a for
    // applicability a).
    static constexpr unsigned kGravity = (1u << 0) | (1u << 2);
    static constexpr unsigned kPressure = (1u << 1) | (1u << 2);
    // Every row, whatever its applicability.
    static constexpr unsigned kAll = ~0u;

    CCatalogPicker(const CDalvorApp& app, CPageModel& model, unsigned applicable, int categoryList,
                   int typeList, int sizeList, PickerMatching matching = {});

    bool Applicable(int applicability) const;

    // A listed nominal size is a record's own size when the two differ by
    // less than this (mm).
    static constexpr double kSizeMatch = 0.1f;
    static bool SameSize(double listed, double own);

    // Fills the category list; a categoryId below 0 becomes the first
    // listed row's id. The list shows the record's category, or no item when
    // the category is not listed (the record keeps its own).
    void FillCategories(int& categoryId);
    // Fills the type list of the category; a typeId below 0 becomes the
    // first listed type's id. A type not listed selects no item.
    void FillTypes(int categoryId, int& typeId);
    // Fills the size list of the category and type with the nominal sizes
    // ("%.0f"), at most maxSizes of them; returns the rows listed, in order
    // (item i is row rows[i]).
    std::vector<int> FillSizes(int categoryId, int typeId, int maxSizes);

    // The id of the category or type of the selected item, or -1 when no
    // item is selected or the row is gone.
    int ChosenCategory() const;
    int ChosenType(int categoryId) const;
    // The size row of the selected item, still of this category and type.
    const NominalSizeEntry* ChosenSize(int categoryId, int typeId) const;
    const NominalSizeEntry* SizeRow(int row) const;

    // After the tables were loaded again: the items take their rows' new
    // names. False when a listed row no longer fits (the lists must be
    // filled anew).
    bool Relabel(int categoryId, int typeId);

    int CategoryList() const { return categoryList; }
    int TypeList() const { return typeList; }
    int SizeList() const { return sizeList; }

private:
    const CDalvorApp& app;
    CPageModel& model;
    unsigned applicable;
    int categoryList, typeList, sizeList;
    PickerMatching matching;
    CSizeTexts sizeTexts;
};
