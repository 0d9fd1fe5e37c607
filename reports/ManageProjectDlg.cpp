#include "reports/ManageProjectDlg.h"

#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/report/ClipboardText.h"
#include "reports/ClipboardExport.h"
#include "reports/ReportCtrl.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QTransform>
#include <QVBoxLayout>

#include <utility>

namespace {

QString ToQString(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

// The 16 x 16 images of the Up, Down and Copy buttons.
QIcon ArrowIcon(bool up)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(8, 1);
    arrow.lineTo(15, 8);
    arrow.lineTo(11, 8);
    arrow.lineTo(11, 15);
    arrow.lineTo(5, 15);
    arrow.lineTo(5, 8);
    arrow.lineTo(1, 8);
    arrow.closeSubpath();
    if (!up)  // the same arrow, upside down
        arrow = QTransform(1, 0, 0, -1, 0, 16).map(arrow);
    p.setPen(QPen(QColor(0, 100, 0), 1));
    p.setBrush(QColor(0, 170, 0));
    p.drawPath(arrow);
    return QIcon(pixmap);
}

QIcon CopyIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0, 0, 140));
    p.setBrush(QColor(170, 200, 255));
    p.drawRect(1, 1, 9, 11);
    p.setBrush(QColor(120, 160, 240));
    p.drawRect(5, 4, 9, 11);
    return QIcon(pixmap);
}

constexpr int kNameColumn = 1;
constexpr std::size_t kNameUnits = 63;

}  // namespace

CManageProjectDlg::CManageProjectDlg(CDalvorApp& application, QWidget* parent)
    : QDialog(parent), app(application)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    setSizeGripEnabled(false);

    title = new QLabel(this);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setObjectName(QStringLiteral("title"));

    list = new CReportCtrl(this);
    list->setObjectName(QStringLiteral("list"));

    // Sizes follow the dialog's template at 96 dpi.
    auto button = [this](const char* name, int width) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(width, 26);
        return b;
    };
    deleteButton = button("deleteButton", 105);
    readButton = button("readButton", 105);
    upButton = button("upButton", 48);
    downButton = button("downButton", 48);
    copyButton = button("copyButton", 48);
    okButton = button("okButton", 225);
    okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(deleteButton);
    buttons->addWidget(readButton);
    buttons->addStretch(1);
    buttons->addWidget(upButton);
    buttons->addWidget(downButton);
    buttons->addWidget(copyButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 11, 10, 11);
    layout->addWidget(title);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    resize(850, 317);

    connect(deleteButton, &QPushButton::clicked, this, &CManageProjectDlg::OnDelete);
    connect(readButton, &QPushButton::clicked, this, &CManageProjectDlg::OnRead);
    connect(upButton, &QPushButton::clicked, this, &CManageProjectDlg::OnUp);
    connect(downButton, &QPushButton::clicked, this, &CManageProjectDlg::OnDown);
    connect(copyButton, &QPushButton::clicked, this, &CManageProjectDlg::OnCopy);
    connect(okButton, &QPushButton::clicked, this, &CManageProjectDlg::accept);
    connect(list, &CReportCtrl::cellEdited, this, &CManageProjectDlg::OnCellEdited);
}

CManageProjectDlg::~CManageProjectDlg() = default;

void CManageProjectDlg::showEvent(QShowEvent* e)
{
    OnInitDialog();
    QDialog::showEvent(e);
}

int CManageProjectDlg::StoredCount() const
{
    return StoredRecordCount(app.project, kind);
}

int* CManageProjectDlg::CurrentIndex()
{
    const int a = KindToArrayIndex(kind);
    return a >= 0 ? &app.project.currentIndex[a] : nullptr;
}

void CManageProjectDlg::OnInitDialog()
{
    if (initialised)
        return;
    initialised = true;
    pendingNames.clear();
    if (const int* current = CurrentIndex())
        openingCurrent = *current;
    SetLanguageTexts(app.languageOffset);
    list->SetGridLines(true);
    list->SetEditable(true);
    upButton->setIcon(ArrowIcon(true));
    downButton->setIcon(ArrowIcon(false));
    copyButton->setIcon(CopyIcon());
}

void CManageProjectDlg::SetLanguageTexts(int offset)
{
    setWindowTitle(ToQString(app.LoadLangString(125, offset)));
    if (const CalcKindInfo* info = FindCalcKind(kind)) {
        title->setText(ToQString(app.LoadLangString(info->dialogId, offset)));
        InitColumns();
        FillList();
        list->FitColumnWidths();
    }
    const bool any = StoredCount() > 0;
    deleteButton->setEnabled(any);
    readButton->setEnabled(any);
    deleteButton->setText(ToQString(app.LoadLangString(1565, offset)));
    readButton->setText(ToQString(app.LoadLangString(1566, offset)));
    okButton->setText(ToQString(app.LoadLangString(1593, offset)));
}

// ---- columns and rows ----------------------------------------------------

void CManageProjectDlg::InitColumns()
{
    const std::vector<ProjectColumn> columns = ProjectColumns(app.languageOffset, kind, ListingTarget::List);
    for (std::size_t c = 0; c < columns.size(); ++c)
        list->InsertColumn(static_cast<int>(c), ToQString(columns[c].heading), CReportCtrl::FormatLeft,
                           columns[c].width);
    list->SetExtendedStyle(CReportCtrl::StyleGridLines | CReportCtrl::StyleFullRowSelect);
    // The rows' texts are made from the records when a row is shown or sorted.
    list->SetCellSource([this](uint32_t record, int column) { return CellText(static_cast<int>(record), column); });
}

// Rows in array order, each keeping the index of its record; a name edited
// and not yet taken over by OK shows in place of the stored one. The list's
// sort is forgotten.
void CManageProjectDlg::FillList()
{
    const int count = StoredCount();
    list->ResetItems(count);
    const int* current = CurrentIndex();
    if (count > 0 && current && *current != -1) {
        const int row = RowOfRecord(*current);
        if (row >= 0)
            SelectRow(row);
    }
}

QString CManageProjectDlg::CellText(int record, int column) const
{
    if (column == kNameColumn)
        if (auto pending = pendingNames.find(record); pending != pendingNames.end())
            return pending->second;
    return ToQString(ProjectCell(app.Listing(), kind, record, column, ListingTarget::List));
}

int CManageProjectDlg::RecordOfRow(int row) const
{
    if (row < 0 || row >= list->GetItemCount(CReportCtrl::StateAny))
        return -1;
    const uint32_t record = list->GetItemData(row);
    return record < static_cast<uint32_t>(StoredCount()) ? static_cast<int>(record) : -1;
}

int CManageProjectDlg::RowOfRecord(int index) const
{
    const int rows = list->GetItemCount(CReportCtrl::StateAny);
    for (int r = 0; r < rows; ++r)
        if (RecordOfRow(r) == index)
            return r;
    return -1;
}

bool CManageProjectDlg::Acted() const
{
    const int a = KindToArrayIndex(kind);
    return acted || (initialised && a >= 0 && app.project.currentIndex[a] != openingCurrent);
}

void CManageProjectDlg::SelectRow(int row)
{
    if (!list->SetItemStates(row, CReportCtrl::StateSelected | CReportCtrl::StateFocused))
        return;
    list->EnsureVisible(row);
    list->setFocus(Qt::OtherFocusReason);
}

void CManageProjectDlg::OnCellEdited(int row, int column)
{
    if (column != kNameColumn)
        return;
    const int record = RecordOfRow(row);
    if (record < 0)
        return;
    // The cell shows the name as its record will keep it.
    const QString typed = list->GetItemText(row, column);
    const QString name = ToQString(CutText(typed.toStdU16String(), kNameUnits));
    pendingNames[record] = name;
    if (name != typed)
        list->SetItemText(row, column, name);
}

// ---- commands ------------------------------------------------------------

void CManageProjectDlg::OnDelete()
{
    list->EndEdit(true);
    const int sel = list->GetFirstSelectedItem();
    const int record = RecordOfRow(sel);
    app.DeleteStoredCalc(kind, record);
    if (record >= 0) {
        acted = true;
        // The edited names of the records after it move up with them.
        std::map<int, QString> kept;
        for (auto& [index, name] : pendingNames)
            if (index != record)
                kept.emplace(index > record ? index - 1 : index, std::move(name));
        pendingNames.swap(kept);
    }
    FillList();
    int* current = CurrentIndex();
    if (StoredCount() == 0) {
        deleteButton->setEnabled(false);
        readButton->setEnabled(false);
        if (current)
            *current = -1;
    }
    if (sel != -1) {
        // The record that took the deleted one's place (or the new last one)
        // is current; its row is selected and read.
        if (current && *current >= 0) {
            const int row = RowOfRecord(*current);
            if (row >= 0)
                SelectRow(row);
        }
        OnRead();
    }
}

void CManageProjectDlg::OnRead()
{
    list->EndEdit(true);
    const int sel = list->GetFirstSelectedItem();
    if (int* current = CurrentIndex())
        *current = RecordOfRow(sel);
    if (sel >= 0) {
        acted = true;
        SelectRow(sel);
    }
}

void CManageProjectDlg::OnUp()
{
    MoveSelected(-1);
}

void CManageProjectDlg::OnDown()
{
    MoveSelected(1);
}

// Moves the record of the first selected row one place up (-1) or down (1),
// its edited name with it, and selects it in the refilled list; at the end of
// the array nothing moves and the row is selected again.
void CManageProjectDlg::MoveSelected(int step)
{
    list->EndEdit(true);
    const int sel = list->GetFirstSelectedItem();
    const int record = RecordOfRow(sel);
    if (record < 0)
        return;
    const int target = record + step;
    if (target < 0 || target >= StoredCount()) {
        SelectRow(sel);
        return;
    }
    if (step < 0)
        app.MoveStoredCalcUp(kind, record);
    else
        app.MoveStoredCalcDown(kind, record);
    acted = true;
    auto moved = pendingNames.extract(record);
    auto displaced = pendingNames.extract(target);
    if (!moved.empty()) {
        moved.key() = target;
        pendingNames.insert(std::move(moved));
    }
    if (!displaced.empty()) {
        displaced.key() = record;
        pendingNames.insert(std::move(displaced));
    }
    FillList();
    SelectRow(RowOfRecord(target));
}

void CManageProjectDlg::OnCopy()
{
    if (FindCalcKind(kind)) {
        CopyProjectToClipboard(app, kind);
        acted = true;
    }
}

void CManageProjectDlg::OnOK()
{
    // The name still in the editor counts as typed.
    list->EndEdit(true);
    bool changed = false;
    const int* current = CurrentIndex();
    for (const auto& [i, pending] : pendingNames) {
        RecordHead* head = StoredRecordHead(app.project, kind, i);
        if (!head)
            continue;
        const std::u16string name = CutText(pending.toStdU16String(), kNameUnits);
        if (name == FromFixed(head->name))
            continue;
        CopyBounded(head->name, name, kNameUnits);
        changed = true;
        // The page shows the current record's name.
        if (current && *current == i)
            acted = true;
    }
    pendingNames.clear();
    if (changed)
        app.Host().SetDocumentModified();
    QDialog::accept();
}

void CManageProjectDlg::accept()
{
    OnOK();
}

bool CDalvorApp_RunManageProjectDlg(CDalvorApp& app, int kind, QWidget* parent)
{
    CManageProjectDlg dlg(app, parent);
    dlg.kind = kind;
    dlg.exec();
    return dlg.Acted();
}
