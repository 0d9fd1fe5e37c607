#include "reports/ReportCtrl.h"

#include "platform/DateParse.h"

#include <QAbstractItemDelegate>
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>

namespace {

std::u16string_view View(const QString& s)
{
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

bool IsSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The whole text as an unsigned 32-bit number in base 16, read the way the
// C library's unsigned conversion reads it where "unsigned long" has 32 bits:
// leading blanks, a sign, an optional "0x", then hexadecimal digits. Too big
// a value reads as 0xFFFFFFFF whatever its sign ("-1FFFFFFFF" too); a minus
// sign before a value that fits negates it modulo 2^32 ("-5" is 4294967291).
// Nothing when the text is empty, holds no digit, or goes on after the
// digits.
std::optional<uint32_t> WholeHex(std::u16string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n && IsSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X'))
        i += 2;
    uint64_t value = 0;
    bool overflow = false;
    std::size_t digits = 0;
    for (; i < n; ++i) {
        int d = HexDigit(s[i]);
        if (d < 0)
            break;
        ++digits;
        if (!overflow) {
            value = value * 16 + static_cast<uint64_t>(d);
            if (value > 0xFFFFFFFFu)
                overflow = true;
        }
    }
    if (digits == 0 || i != n)
        return std::nullopt;
    if (overflow)
        return 0xFFFFFFFFu;
    const uint32_t result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

// The text as a real in the C locale, read the way the C library's real
// conversion reads it: what it leaves unread must be nothing or a single "%".
// A conversion that reads nothing leaves the whole text, so "%" alone is the
// real 0 (while " %" is no real: the blank is left unread as well).
std::optional<double> WholeReal(std::u16string_view s)
{
    std::string ascii;
    ascii.reserve(s.size());
    for (char16_t c : s) {
        if (c == 0 || c >= 0x80)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const char* begin = ascii.c_str();
    char* end = nullptr;
    double value = strtod_l(begin, &end, cLocale);
    std::string_view rest(end);
    if (!rest.empty() && rest != "%")
        return std::nullopt;
    return value;
}

template <typename T>
int Order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

// The list's rows: per row its item data and what was set on it; the cells
// it holds no text of are the source's.
class CReportModel : public QAbstractTableModel {
public:
    struct Cell {
        std::optional<QString> text;
    };
    struct Row {
        uint32_t data = 0;
        int8_t check = -1;  // -1: no check mark shown; 0 off; 1 on
        std::unique_ptr<std::vector<Cell>> cells;  // made when something is set on the row
    };
    struct Column {
        QString heading;
        Qt::Alignment alignment;
    };

    explicit CReportModel(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!Inside(index.row(), index.column()))
            return {};
        const int r = index.row();
        const int c = index.column();
        switch (role) {
        case Qt::DisplayRole:
            return Text(r, c);
        case Qt::TextAlignmentRole:
            // The first column's cells keep to the left whatever its title.
            return QVariant::fromValue(c > 0 ? columns[static_cast<std::size_t>(c)].alignment
                                             : Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::CheckStateRole:
            if (c == 0 && At(r).check >= 0)
                return At(r).check ? Qt::Checked : Qt::Unchecked;
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return {};
        const Column& column = columns[static_cast<std::size_t>(section)];
        if (role == Qt::DisplayRole)
            return column.heading;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(column.alignment);
        return {};
    }

    bool Inside(int row, int column) const
    {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
    }
    Row& At(int row) { return rows[static_cast<std::size_t>(row)]; }
    const Row& At(int row) const { return rows[static_cast<std::size_t>(row)]; }

    const Cell* FindCell(int row, int column) const
    {
        const Row& r = At(row);
        return r.cells && column < static_cast<int>(r.cells->size()) ? &(*r.cells)[static_cast<std::size_t>(column)]
                                                                     : nullptr;
    }
    Cell& OwnCell(int row, int column)
    {
        Row& r = At(row);
        if (!r.cells)
            r.cells = std::make_unique<std::vector<Cell>>();
        if (static_cast<int>(r.cells->size()) < columnCount())
            r.cells->resize(static_cast<std::size_t>(columnCount()));
        return (*r.cells)[static_cast<std::size_t>(column)];
    }

    // The row's own text, else the source's, else empty.
    QString Text(int row, int column) const
    {
        if (const Cell* cell = FindCell(row, column); cell && cell->text)
            return *cell->text;
        return source ? source(At(row).data, column) : QString();
    }

    void CellChanged(int row, int column)
    {
        const QModelIndex i = index(row, column);
        emit dataChanged(i, i);
    }

    void InsertColumn(int column, Column c)
    {
        beginInsertColumns(QModelIndex(), column, column);
        columns.insert(columns.begin() + column, std::move(c));
        for (Row& r : rows)
            if (r.cells && column <= static_cast<int>(r.cells->size()))
                r.cells->insert(r.cells->begin() + column, Cell{});
        endInsertColumns();
    }

    void InsertRow(int row, Row r)
    {
        beginInsertRows(QModelIndex(), row, row);
        rows.insert(rows.begin() + row, std::move(r));
        endInsertRows();
    }

    void RemoveRows(int first, int last)
    {
        beginRemoveRows(QModelIndex(), first, last);
        rows.erase(rows.begin() + first, rows.begin() + last + 1);
        endRemoveRows();
    }

    // Rows whose item data are 0 to count - 1, holding nothing of their own.
    void Reset(int count)
    {
        if (!rows.empty())
            RemoveRows(0, rowCount() - 1);
        if (count <= 0)
            return;
        beginInsertRows(QModelIndex(), 0, count - 1);
        rows.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            rows[static_cast<std::size_t>(i)].data = static_cast<uint32_t>(i);
        endInsertRows();
    }

    // Row r takes the row that stood at order[r]; selection, focus and the
    // rest that the views hold on to follow their rows.
    void Reorder(const std::vector<int>& order)
    {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<int> newRow(order.size());
        std::vector<Row> moved(order.size());
        for (std::size_t r = 0; r < order.size(); ++r) {
            const auto from = static_cast<std::size_t>(order[r]);
            newRow[from] = static_cast<int>(r);
            moved[r] = std::move(rows[from]);
        }
        rows.swap(moved);
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& i : before)
            after.append(index(newRow[static_cast<std::size_t>(i.row())], i.column()));
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    std::vector<Row> rows;
    std::vector<Column> columns;
    CReportCtrl::CellSource source;
};

namespace {

// Rows measured for the columns' widths before the list knows its height.
constexpr int kFirstScreenRows = 40;

}  // namespace

CReportCtrl::CReportCtrl(QWidget* parent) : QTableView(parent), listModel(new CReportModel(this))
{
    setModel(listModel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, &CReportCtrl::OnColumnClick);
    connect(header, &QHeaderView::sectionResized, this, [this] { PlaceEditor(); });
    connect(header, &QHeaderView::sectionMoved, this, [this] { PlaceEditor(); });
    // Rows scrolled into view widen their columns as they appear.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { WidenToShownRows(); });
}

CReportCtrl::~CReportCtrl() = default;

// ---- columns, rows and cells ---------------------------------------------

int CReportCtrl::RowCount() const
{
    return listModel->rowCount();
}

int CReportCtrl::ColumnCount() const
{
    return listModel->columnCount();
}

void CReportCtrl::ForgetSort()
{
    sortColumn = -1;
    sortAscending = true;
}

int CReportCtrl::InsertColumn(int column, const QString& heading, int format, int width)
{
    EndEdit(true);
    if (column < 0)
        return -1;
    column = std::min(column, ColumnCount());
    Qt::Alignment align = Qt::AlignLeft;
    if (format == FormatRight)
        align = Qt::AlignRight;
    else if (format == FormatCenter)
        align = Qt::AlignHCenter;
    listModel->InsertColumn(column, {heading, align | Qt::AlignVCenter});
    // The widths given suit one font; the title shows whole in the font in use.
    if (width >= 0)
        setColumnWidth(column, std::max(width, horizontalHeader()->sectionSizeHint(column)));
    return column;
}

void CReportCtrl::WidenToRows(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    if (first > last)
        return;
    // As the view's own size hint measures a cell: the delegate's width,
    // and the grid line.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int grid = showGrid() ? 1 : 0;
    for (int c = 0; c < ColumnCount(); ++c) {
        int needed = 0;
        for (int r = first; r <= last; ++r) {
            const QModelIndex index = listModel->index(r, c);
            needed = std::max(needed, itemDelegateForIndex(index)->sizeHint(option, index).width());
        }
        if (needed + grid > columnWidth(c))
            setColumnWidth(c, needed + grid);
    }
}

void CReportCtrl::WidenToShownRows()
{
    if (RowCount() == 0)
        return;
    const int first = std::max(rowAt(0), 0);
    const int perScreen = viewport()->height() / std::max(verticalHeader()->defaultSectionSize(), 1) + 2;
    WidenToRows(first, first + std::max(perScreen, isVisible() ? 0 : kFirstScreenRows) - 1);
}

void CReportCtrl::FitColumnWidths()
{
    for (int c = 0; c < ColumnCount(); ++c)
        setColumnWidth(c, std::max(columnWidth(c), horizontalHeader()->sectionSizeHint(c)));
    WidenToShownRows();
}

void CReportCtrl::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    WidenToShownRows();
}

void CReportCtrl::SetCellSource(CellSource source)
{
    listModel->source = std::move(source);
    viewport()->update();
}

void CReportCtrl::ResetItems(int count)
{
    EndEdit(false);
    ForgetSort();
    listModel->Reset(count);
    WidenToShownRows();
}

int CReportCtrl::InsertItem(int row, const QString& text, uint32_t itemData)
{
    EndEdit(true);
    ForgetSort();
    if (row < 0)
        return -1;
    row = std::min(row, RowCount());
    CReportModel::Row r;
    r.data = itemData;
    listModel->InsertRow(row, std::move(r));
    if (ColumnCount() > 0)
        listModel->OwnCell(row, 0).text = text;
    return row;
}

bool CReportCtrl::SetItemText(int row, int column, const QString& text)
{
    EndEdit(true);
    ForgetSort();
    if (!listModel->Inside(row, column))
        return false;
    listModel->OwnCell(row, column).text = text;
    listModel->CellChanged(row, column);
    return true;
}

QString CReportCtrl::GetItemText(int row, int column) const
{
    return listModel->Inside(row, column) ? listModel->Text(row, column) : QString();
}

uint32_t CReportCtrl::GetItemData(int row) const
{
    return row >= 0 && row < RowCount() ? listModel->At(row).data : 0;
}

bool CReportCtrl::IsRowSelected(int row) const
{
    if (row < 0 || row >= RowCount() || ColumnCount() == 0)
        return false;
    return selectionModel()->isSelected(listModel->index(row, 0));
}

int CReportCtrl::GetItemStates(int row) const
{
    if (row < 0 || row >= RowCount())
        return 0;
    const bool focused = currentIndex().isValid() && currentIndex().row() == row;
    const bool checked = listModel->At(row).check > 0;
    return (focused ? StateFocused : StateUnfocused) | (checked ? StateChecked : StateUnchecked) |
           (IsRowSelected(row) ? StateSelected : StateUnselected);
}

bool CReportCtrl::SetItemStates(int row, int flags)
{
    if (row < 0 || row >= RowCount() || flags == 0 || ColumnCount() == 0)
        return false;
    const QModelIndex index = listModel->index(row, 0);
    if (flags & StateSelected)
        selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (flags & StateUnselected)
        selectionModel()->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    if (flags & (StateChecked | StateUnchecked)) {
        listModel->At(row).check = (flags & StateChecked) ? 1 : 0;
        listModel->CellChanged(row, 0);
    }
    if (flags & StateFocused) {
        const int column = std::max(currentIndex().column(), 0);
        selectionModel()->setCurrentIndex(listModel->index(row, column), QItemSelectionModel::NoUpdate);
    }
    if ((flags & StateUnfocused) && currentIndex().isValid() && currentIndex().row() == row)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return true;
}

int CReportCtrl::GetItemCount(int mask) const
{
    if (mask & StateAny)
        return RowCount();
    if (mask == 0)
        return 0;
    int n = 0;
    for (int r = 0; r < RowCount(); ++r)
        if ((GetItemStates(r) & mask) == mask)
            ++n;
    return n;
}

int CReportCtrl::DeleteItems(int mask)
{
    EndEdit(false);
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    int deleted = 0;
    if (mask & StateAny) {
        deleted = RowCount();
        if (deleted > 0)
            listModel->RemoveRows(0, deleted - 1);
    } else if (mask != 0) {
        for (int r = 0; r < RowCount();) {
            if ((GetItemStates(r) & mask) == mask) {
                listModel->RemoveRows(r, r);
                ++deleted;
            } else {
                ++r;
            }
        }
    }
    setUpdatesEnabled(updates);
    return deleted;
}

int CReportCtrl::GetFirstSelectedItem() const
{
    // The selection is a few ranges of whole rows, however many rows it holds.
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        if (range.left() <= 0 && range.right() >= 0 && (first < 0 || range.top() < first))
            first = range.top();
    return first;
}

void CReportCtrl::EnsureVisible(int row)
{
    if (row < 0 || row >= RowCount() || ColumnCount() == 0)
        return;
    // Only the rows scroll: the columns stay where the user left them.
    int column = columnAt(0);
    if (column < 0)
        column = 0;
    scrollTo(listModel->index(row, column), QAbstractItemView::EnsureVisible);
}

void CReportCtrl::SetExtendedStyle(uint32_t style)
{
    setShowGrid((style & StyleGridLines) != 0);
}

void CReportCtrl::SetGridLines(bool on)
{
    setShowGrid(on);
}

void CReportCtrl::SetEditable(bool on)
{
    if (!on)
        EndEdit(true);
    editable = on;
}

// ---- sorting -------------------------------------------------------------

CReportCtrl::SortKey CReportCtrl::MakeSortKey(const QString& text)
{
    SortKey k;
    k.text = text;
    if (!text.isEmpty()) {
        const std::u16string_view s = View(text);
        k.whole = WholeHex(s);
        k.real = WholeReal(s);
    }
    k.date = ParseListDate(View(text));
    return k;
}

int CReportCtrl::CompareKeys(const SortKey& a, const SortKey& b)
{
    if (a.whole && b.whole)
        return Order(*a.whole, *b.whole);
    if (a.real && b.real)
        return Order(*a.real, *b.real);  // NaN compares equal to anything
    if (a.date && b.date)
        return Order(*a.date, *b.date);
    const int c = View(a.text).compare(View(b.text));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CReportCtrl::CompareCells(const QString& a, const QString& b)
{
    return CompareKeys(MakeSortKey(a), MakeSortKey(b));
}

// Hoare's partition around the middle element, recursing into the left part
// and looping on the right. Every scan stops at the pivot or at an element
// that a swap placed, so it stays inside lo..hi for any comparison that gives
// 0 for an element against itself, transitive or not.
void CReportCtrl::QuickSort(std::vector<int>& rows, int lo, int hi, bool ascending,
                            const std::vector<SortKey>& keys)
{
    auto compare = [&](int a, int b) { return CompareKeys(keys[static_cast<std::size_t>(a)],
                                                          keys[static_cast<std::size_t>(b)]); };
    for (;;) {
        const int pivot = rows[static_cast<std::size_t>((lo + hi) / 2)];
        int i = lo;
        int j = hi;
        do {
            if (ascending) {
                while (compare(rows[static_cast<std::size_t>(i)], pivot) < 0)
                    ++i;
                while (compare(rows[static_cast<std::size_t>(j)], pivot) > 0)
                    --j;
            } else {
                while (compare(rows[static_cast<std::size_t>(i)], pivot) > 0)
                    ++i;
                while (compare(rows[static_cast<std::size_t>(j)], pivot) < 0)
                    --j;
            }
            if (i <= j) {
                if (i != j)
                    std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j)
            QuickSort(rows, lo, j, ascending, keys);
        if (i >= hi)
            break;
        lo = i;
    }
}

void CReportCtrl::SortItems(int column, bool ascending)
{
    EndEdit(true);
    QHeaderView* header = horizontalHeader();
    if (column < 0 || column >= ColumnCount() || header->isHidden() || !header->sectionsClickable())
        return;
    sortColumn = column;
    sortAscending = ascending;

    const int n = RowCount();
    if (n >= 2) {
        std::vector<SortKey> keys;
        keys.reserve(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys.push_back(MakeSortKey(GetItemText(r, column)));
        std::vector<int> order(static_cast<std::size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        QuickSort(order, 0, n - 1, ascending, keys);
        // Data, texts, selection and focus go with their rows; the
        // view stays where it was scrolled to.
        listModel->Reorder(order);
        WidenToShownRows();
    }
    emit sorted(sortColumn, sortAscending);
}

void CReportCtrl::OnColumnClick(int column)
{
    // A new column sorts ascending; the same column turns the order round.
    SortItems(column, column == sortColumn ? !sortAscending : true);
}

// ---- in-place editing ----------------------------------------------------

bool CReportCtrl::IsEditing() const
{
    return editable && editRow >= 0 && editRow < RowCount() && editColumn >= 0 && editColumn < ColumnCount();
}

bool CReportCtrl::StartEdit(int row, int column)
{
    if (!editable || row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount() || column != 1)
        return false;
    if (IsEditing() && row == editRow && column == editColumn)
        return true;

    EndEdit(true);
    editRow = row;
    editColumn = 1;
    selectionModel()->setCurrentIndex(listModel->index(row, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    int alignment = 0;
    {
        const Qt::Alignment a = listModel->columns[static_cast<std::size_t>(column)].alignment & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            alignment = 1;
        else if (a & Qt::AlignRight)
            alignment = 2;
    }
    if (inPlaceEdit && alignment != editAlignment) {
        delete inPlaceEdit;
        inPlaceEdit = nullptr;
    }
    editAlignment = alignment;
    if (!inPlaceEdit) {
        inPlaceEdit = new QLineEdit(viewport());
        inPlaceEdit->setObjectName(QStringLiteral("inPlaceEdit"));
        inPlaceEdit->setFrame(true);
        inPlaceEdit->setAlignment(
            (alignment == 1 ? Qt::AlignHCenter : alignment == 2 ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
        inPlaceEdit->installEventFilter(this);
    }
    inPlaceEdit->setFont(font());
    PlaceEditor();
    inPlaceEdit->setText(GetItemText(row, column));
    inPlaceEdit->show();
    inPlaceEdit->selectAll();
    inPlaceEdit->setFocus(Qt::OtherFocusReason);
    return true;
}

void CReportCtrl::PlaceEditor()
{
    if (!inPlaceEdit || !IsEditing())
        return;
    inPlaceEdit->setGeometry(visualRect(listModel->index(editRow, editColumn)));
}

bool CReportCtrl::EndEdit(bool commit)
{
    if (!IsEditing()) {
        editRow = editColumn = -1;
        if (inPlaceEdit && inPlaceEdit->isVisible())
            inPlaceEdit->hide();
        return false;
    }
    const int row = editRow;
    const int column = editColumn;
    const QString text = inPlaceEdit ? inPlaceEdit->text() : GetItemText(row, column);
    bool changed = false;
    if (commit && text != GetItemText(row, column)) {
        listModel->OwnCell(row, column).text = text;
        listModel->CellChanged(row, column);
        ForgetSort();
        changed = true;
    }
    editRow = editColumn = -1;
    if (inPlaceEdit) {
        // The list keeps the keyboard when its editor goes.
        if (inPlaceEdit->hasFocus())
            setFocus(Qt::OtherFocusReason);
        inPlaceEdit->hide();
    }
    if (changed) {
        emit cellEdited(row, column);
        // The text the cell holds now shows whole at once.
        WidenToRows(row, row);
    }
    return changed;
}

// The editor's keys; true when the key was used.
bool CReportCtrl::HandleEditKey(int key)
{
    if (!IsEditing())
        return false;
    const int row = editRow;
    const int column = editColumn;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Only column 1 takes edits, so the next column refuses and the
        // editor simply closes.
        EndEdit(true);
        StartEdit(row, column + 1 < ColumnCount() ? column + 1 : 0);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndEdit(true);
        return true;
    case Qt::Key_Escape:
        EndEdit(false);
        return true;
    case Qt::Key_Up:
        // On the first row the key does nothing; it must not reach the
        // list, which would move its current row under the open editor.
        if (row > 0) {
            EndEdit(true);
            StartEdit(row - 1, column);
            EnsureVisible(row - 1);
        }
        return true;
    case Qt::Key_Down:
        if (row < RowCount() - 1) {
            EndEdit(true);
            StartEdit(row + 1, column);
            EnsureVisible(row + 1);
        }
        return true;
    default:
        return false;
    }
}

bool CReportCtrl::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == inPlaceEdit && e->type() == QEvent::KeyPress) {
        if (HandleEditKey(static_cast<QKeyEvent*>(e)->key()))
            return true;
    }
    return QTableView::eventFilter(watched, e);
}

bool CReportCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (IsEditing()) {
            // A key the editor left alone goes no further than the editor.
            if (inPlaceEdit && inPlaceEdit->hasFocus()) {
                k->accept();
                return true;
            }
            if (HandleEditKey(k->key())) {
                k->accept();
                return true;
            }
        } else if (k->key() == Qt::Key_Space) {
            // No selection toggling by the space bar.
            k->accept();
            return true;
        }
    }
    return QTableView::event(e);
}

void CReportCtrl::Click(QMouseEvent* e)
{
    const QModelIndex index = indexAt(e->position().toPoint());
    const int row = index.isValid() ? index.row() : -1;
    const bool wasEditing = IsEditing();
    EndEdit(true);
    const bool wasSelectedAndFocused =
        row >= 0 && IsRowSelected(row) && currentIndex().isValid() && currentIndex().row() == row;

    // The list's own handling of the click (selection, focus).
    QTableView::mousePressEvent(e);

    // A click on a row that was already selected and current opens the
    // editor on the clicked cell (column 1 only); the first click selects.
    if (e->button() == Qt::LeftButton && editable && !wasEditing && wasSelectedAndFocused)
        StartEdit(row, index.column());
}

void CReportCtrl::mousePressEvent(QMouseEvent* e)
{
    Click(e);
}

void CReportCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The second press of a double click comes as this event alone; it acts
    // as a press.
    Click(e);
}
