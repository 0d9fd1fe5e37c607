// The report-view list: full-row selection, grid lines, a sort by the clicked
// column with a typed comparison (whole hexadecimal numbers, reals, dates,
// text), and in-place editing of the cells of column 1.
//
// The list is a view over a table model of its own that keeps, per row, the
// row's item data and only what was set on the row itself (texts, a
// check mark). A cell whose row holds no text of its own is asked of the cell
// source when it is shown, measured or sorted, so a list of many rows costs
// no more to open than the rows on screen.
#pragma once

#include <QPalette>
#include <QString>
#include <QTableView>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class CReportModel;

class CReportCtrl : public QTableView {
    Q_OBJECT

public:
    // Row state flags. Each row has one of each pair; as a mask, a row
    // matches when every bit of the mask is among its flags, and 1 stands for
    // every row.
    enum ItemState : int {
        StateAny = 1,
        StateSelected = 2,
        StateUnselected = 4,
        StateChecked = 8,
        StateUnchecked = 16,
        StateFocused = 32,
        StateUnfocused = 64,
    };
    // Column formats: the alignment of a column's heading, cells and editor.
    enum ColumnFormat : int { FormatLeft = 0, FormatRight = 1, FormatCenter = 2 };

    explicit CReportCtrl(QWidget* parent = nullptr);
    ~CReportCtrl() override;

    // ---- columns, rows and cells ----------------------------------------
    // The new column's index, or -1.
    int InsertColumn(int column, const QString& heading, int format = FormatLeft, int width = -1);
    // Widens every column, never narrowing one, so that the cells of the rows
    // in view (of the first screen of rows before the list is shown) show
    // whole in the font in use, however long; from then on, rows that come
    // into view (scrolled, sorted, resized) and a committed edit widen their
    // columns the same way. The list scrolls sideways. (A column's title
    // always shows whole: a width given to InsertColumn too narrow for its
    // title in the font in use is widened.)
    void FitColumnWidths();
    // The text of a cell whose row holds none of its own, by the row's item
    // data and the column; asked only for cells shown, measured or sorted.
    using CellSource = std::function<QString(uint32_t data, int column)>;
    void SetCellSource(CellSource source);
    // Replaces every row with `count` rows whose item data are 0 to count - 1
    // and whose cells all come from the cell source. Cancels an open edit and
    // forgets the sort; the columns keep their widths.
    void ResetItems(int count);
    // Inserts a row whose column 0 reads text and whose item data is data;
    // the new row's index, or -1. Forgets the sort.
    int InsertItem(int row, const QString& text, uint32_t data = 0);
    // Forgets the sort.
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    // The row's own item data (the record number it stands for); it travels
    // with the row when the list is sorted.
    uint32_t GetItemData(int row) const;
    // Deletes every row matching the mask (1: all rows) and returns how many
    // were deleted. An open edit is cancelled.
    int DeleteItems(int mask);
    int GetItemCount(int mask = StateAny) const;
    int GetItemStates(int row) const;
    // 2 selects, 4 deselects, 8 and 16 set and clear the check mark, 32
    // focuses and 64 unfocuses the row; false for flags 0 or a row outside.
    bool SetItemStates(int row, int flags);
    // The first selected row in display order, or -1.
    int GetFirstSelectedItem() const;
    void EnsureVisible(int row);
    int ColumnCount() const;

    // Extended styles: grid lines (0x1) is the one that changes anything
    // here; full-row selection and sub-item images (0x22) are always on.
    enum ExtendedStyle : uint32_t { StyleGridLines = 0x1, StyleSubItemImages = 0x2, StyleFullRowSelect = 0x20 };
    void SetExtendedStyle(uint32_t style);
    void SetGridLines(bool on);
    // Switching editing off commits an open edit first.
    void SetEditable(bool on);
    bool IsEditable() const { return editable; }

    // ---- sorting --------------------------------------------------------
    // Sorts the rows by the column's texts, each read once; data, texts,
    // selection and focus go with their rows, and the view keeps its
    // scroll position. Nothing happens for a column outside the list or when
    // the header is hidden or not clickable.
    void SortItems(int column, bool ascending);
    int GetSortColumn() const { return sortColumn; }
    bool IsSortAscending() const { return sortAscending; }
    // -1, 0 or 1: whole base-16 numbers, else reals (a trailing "%" allowed),
    // else dates and times, else the UTF-16 units. The comparison need not be
    // transitive, so it must only ever drive this control's own quicksort.
    static int CompareCells(const QString& a, const QString& b);

    // ---- in-place editing (column 1 only) --------------------------------
    bool StartEdit(int row, int column);
    // Closes the open edit; with commit, a changed text goes into the cell
    // and cellEdited is emitted. True when the cell changed.
    bool EndEdit(bool commit);
    bool IsEditing() const;
    int EditRow() const { return editRow; }
    int EditColumn() const { return editColumn; }
    QLineEdit* Editor() const { return inPlaceEdit; }

signals:
    void sorted(int column, bool ascending);
    void cellEdited(int row, int column);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // A cell text read once for sorting.
    struct SortKey {
        QString text;
        std::optional<uint32_t> whole;
        std::optional<double> real;
        std::optional<double> date;
    };
    static SortKey MakeSortKey(const QString& text);
    static int CompareKeys(const SortKey& a, const SortKey& b);

    void OnColumnClick(int column);
    void QuickSort(std::vector<int>& rows, int lo, int hi, bool ascending, const std::vector<SortKey>& keys);
    void Click(QMouseEvent* e);
    bool HandleEditKey(int key);
    void PlaceEditor();
    int RowCount() const;
    bool IsRowSelected(int row) const;
    void ForgetSort();
    // Widens the columns to the cells of rows first..last (clipped).
    void WidenToRows(int first, int last);
    // The same for the rows in view, or the first screen of rows while the
    // list is not shown.
    void WidenToShownRows();

    CReportModel* listModel = nullptr;
    QLineEdit* inPlaceEdit = nullptr;
    bool editable = false;
    int editRow = -1;
    int editColumn = -1;
    int editAlignment = 0;
    int sortColumn = -1;
    bool sortAscending = true;
};
