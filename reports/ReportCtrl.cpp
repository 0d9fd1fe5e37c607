#include "ReportCtrl.h"

#include "DateParse.h"

#include <QBrush>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <numeric>
#include <string>
#include <string_view>

namespace {

constexpr int kRowDataRole = Qt::UserRole;

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

CReportCtrl::CReportCtrl(QWidget* parent) : QTableWidget(parent)
{
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
}

CReportCtrl::~CReportCtrl() = default;

// ---- columns, rows and cells ---------------------------------------------

QTableWidgetItem* CReportCtrl::Cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return item(row, column);
}

QTableWidgetItem* CReportCtrl::RowItem(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return verticalHeaderItem(row);
}

// Gives every cell of the row an item, aligned as its column.
void CReportCtrl::FillRow(int row)
{
    for (int c = 0; c < columnCount(); ++c) {
        if (item(row, c))
            continue;
        auto* cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (QTableWidgetItem* h = horizontalHeaderItem(c); h && c > 0)
            cell->setTextAlignment(Qt::Alignment(h->textAlignment()));
        else
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setItem(row, c, cell);
    }
    if (!verticalHeaderItem(row))
        setVerticalHeaderItem(row, new QTableWidgetItem);
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
    column = std::min(column, columnCount());
    insertColumn(column);
    auto* header = new QTableWidgetItem(heading);
    Qt::Alignment align = Qt::AlignLeft;
    if (format == FormatRight)
        align = Qt::AlignRight;
    else if (format == FormatCenter)
        align = Qt::AlignHCenter;
    header->setTextAlignment(align | Qt::AlignVCenter);
    setHorizontalHeaderItem(column, header);
    // The widths given suit one font; the title shows whole in the font in use.
    if (width >= 0)
        setColumnWidth(column, std::max(width, horizontalHeader()->sectionSizeHint(column)));
    for (int r = 0; r < rowCount(); ++r)
        FillRow(r);
    return column;
}

void CReportCtrl::FitColumnWidths()
{
    for (int c = 0; c < columnCount(); ++c) {
        const int cells = sizeHintForColumn(c);
        const int title = horizontalHeader()->sectionSizeHint(c);
        setColumnWidth(c, std::max({columnWidth(c), cells, title}));
    }
}

int CReportCtrl::InsertItem(int row, const QString& text, uint32_t itemData)
{
    EndEdit(true);
    ForgetSort();
    if (row < 0)
        return -1;
    row = std::min(row, rowCount());
    insertRow(row);
    auto* rowItem = new QTableWidgetItem;
    rowItem->setData(kRowDataRole, itemData);
    setVerticalHeaderItem(row, rowItem);
    FillRow(row);
    if (QTableWidgetItem* cell = item(row, 0))
        cell->setText(text);
    return row;
}

bool CReportCtrl::SetItemText(int row, int column, const QString& text)
{
    EndEdit(true);
    ForgetSort();
    return SetCellData(row, column, Qt::DisplayRole, text);
}

bool CReportCtrl::SetCellData(int row, int column, int role, const QVariant& value)
{
    QTableWidgetItem* cell = Cell(row, column);
    if (!cell)
        return false;
    cell->setData(role, value);
    return true;
}

QString CReportCtrl::GetItemText(int row, int column) const
{
    QTableWidgetItem* cell = Cell(row, column);
    return cell ? cell->text() : QString();
}

bool CReportCtrl::SetItemData(int row, uint32_t itemData)
{
    QTableWidgetItem* r = RowItem(row);
    if (!r)
        return false;
    r->setData(kRowDataRole, itemData);
    return true;
}

uint32_t CReportCtrl::GetItemData(int row) const
{
    QTableWidgetItem* r = RowItem(row);
    return r ? r->data(kRowDataRole).toUInt() : 0;
}

bool CReportCtrl::IsRowSelected(int row) const
{
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return false;
    return selectionModel()->isSelected(model()->index(row, 0));
}

int CReportCtrl::GetItemStates(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    const bool focused = currentIndex().isValid() && currentIndex().row() == row;
    QTableWidgetItem* first = Cell(row, 0);
    const bool checked = first && first->data(Qt::CheckStateRole).isValid() &&
                         first->checkState() != Qt::Unchecked;
    return (focused ? StateFocused : StateUnfocused) | (checked ? StateChecked : StateUnchecked) |
           (IsRowSelected(row) ? StateSelected : StateUnselected);
}

bool CReportCtrl::SetItemStates(int row, int flags)
{
    if (row < 0 || row >= rowCount() || flags == 0 || columnCount() == 0)
        return false;
    const QModelIndex index = model()->index(row, 0);
    if (flags & StateSelected)
        selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (flags & StateUnselected)
        selectionModel()->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    if (flags & (StateChecked | StateUnchecked)) {
        if (QTableWidgetItem* first = Cell(row, 0))
            first->setCheckState((flags & StateChecked) ? Qt::Checked : Qt::Unchecked);
    }
    if (flags & StateFocused) {
        const int column = std::max(currentIndex().column(), 0);
        selectionModel()->setCurrentIndex(model()->index(row, column), QItemSelectionModel::NoUpdate);
    }
    if ((flags & StateUnfocused) && currentIndex().isValid() && currentIndex().row() == row)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return true;
}

int CReportCtrl::GetItemCount(int mask) const
{
    if (mask & StateAny)
        return rowCount();
    if (mask == 0)
        return 0;
    int n = 0;
    for (int r = 0; r < rowCount(); ++r)
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
        deleted = rowCount();
        setRowCount(0);
    } else if (mask != 0) {
        for (int r = 0; r < rowCount();) {
            if ((GetItemStates(r) & mask) == mask) {
                removeRow(r);
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
    for (int r = 0; r < rowCount(); ++r)
        if (IsRowSelected(r))
            return r;
    return -1;
}

void CReportCtrl::EnsureVisible(int row)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return;
    // Only the rows scroll: the columns stay where the user left them.
    int column = columnAt(0);
    if (column < 0)
        column = 0;
    scrollTo(model()->index(row, column), QAbstractItemView::EnsureVisible);
}

bool CReportCtrl::SetItemTextColor(int row, int column, const QColor& color)
{
    return SetCellData(row, column, Qt::ForegroundRole, QBrush(color));
}

bool CReportCtrl::SetItemBkColor(int row, int column, const QColor& color)
{
    return SetCellData(row, column, Qt::BackgroundRole, QBrush(color));
}

// A cell's colour in the role, or the list's own colour when the cell has
// none of its own.
QColor CReportCtrl::CellColor(int row, int column, int role, QPalette::ColorRole fallback) const
{
    QTableWidgetItem* cell = Cell(row, column);
    const QVariant brush = cell ? cell->data(role) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : palette().color(fallback);
}

QColor CReportCtrl::GetItemTextColor(int row, int column) const
{
    return CellColor(row, column, Qt::ForegroundRole, QPalette::Text);
}

QColor CReportCtrl::GetItemBkColor(int row, int column) const
{
    return CellColor(row, column, Qt::BackgroundRole, QPalette::Base);
}

void CReportCtrl::SetExtendedStyle(uint32_t style)
{
    setShowGrid((style & StyleGridLines) != 0);
}

uint32_t CReportCtrl::GetExtendedStyle() const
{
    return StyleFullRowSelect | StyleSubItemImages | (showGrid() ? StyleGridLines : 0u);
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
    if (column < 0 || column >= columnCount() || header->isHidden() || !header->sectionsClickable())
        return;
    sortColumn = column;
    sortAscending = ascending;

    const int n = rowCount();
    if (n >= 2) {
        std::vector<SortKey> keys;
        keys.reserve(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys.push_back(MakeSortKey(GetItemText(r, column)));
        std::vector<int> order(static_cast<std::size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        QuickSort(order, 0, n - 1, ascending, keys);

        // Snapshot every row, then write the rows back in the new order:
        // data, texts, colours, selection and focus go with their rows.
        struct Snapshot {
            QTableWidgetItem* rowItem;
            std::vector<QTableWidgetItem*> cells;
            bool selected;
        };
        std::vector<Snapshot> snapshots(static_cast<std::size_t>(n));
        const QModelIndex current = currentIndex();
        const int focusRow = current.isValid() ? current.row() : -1;
        for (int r = 0; r < n; ++r) {
            Snapshot& s = snapshots[static_cast<std::size_t>(r)];
            s.selected = IsRowSelected(r);
            s.rowItem = takeVerticalHeaderItem(r);
            s.cells.resize(static_cast<std::size_t>(columnCount()));
            for (int c = 0; c < columnCount(); ++c)
                s.cells[static_cast<std::size_t>(c)] = takeItem(r, c);
        }
        selectionModel()->clearSelection();
        int newFocusRow = -1;
        for (int r = 0; r < n; ++r) {
            const int from = order[static_cast<std::size_t>(r)];
            Snapshot& s = snapshots[static_cast<std::size_t>(from)];
            setVerticalHeaderItem(r, s.rowItem);
            for (int c = 0; c < columnCount(); ++c)
                setItem(r, c, s.cells[static_cast<std::size_t>(c)]);
            if (s.selected)
                selectionModel()->select(model()->index(r, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
            if (from == focusRow)
                newFocusRow = r;
        }
        if (newFocusRow >= 0)
            selectionModel()->setCurrentIndex(model()->index(newFocusRow, current.column()),
                                              QItemSelectionModel::NoUpdate);
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
    return editable && editRow >= 0 && editRow < rowCount() && editColumn >= 0 &&
           editColumn < columnCount();
}

bool CReportCtrl::StartEdit(int row, int column)
{
    if (!editable || row < 0 || row >= rowCount() || column < 0 || column >= columnCount() || column != 1)
        return false;
    if (IsEditing() && row == editRow && column == editColumn)
        return true;

    EndEdit(true);
    editRow = row;
    editColumn = 1;
    selectionModel()->setCurrentIndex(model()->index(row, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    int alignment = 0;
    if (QTableWidgetItem* h = horizontalHeaderItem(column)) {
        const Qt::Alignment a = Qt::Alignment(h->textAlignment()) & Qt::AlignHorizontal_Mask;
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
    inPlaceEdit->setGeometry(visualRect(model()->index(editRow, editColumn)));
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
        SetCellData(row, column, Qt::DisplayRole, text);
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
    if (changed)
        emit cellEdited(row, column);
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
        StartEdit(row, column + 1 < columnCount() ? column + 1 : 0);
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
        if (row < rowCount() - 1) {
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
    return QTableWidget::eventFilter(watched, e);
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
    return QTableWidget::event(e);
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
    QTableWidget::mousePressEvent(e);

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
