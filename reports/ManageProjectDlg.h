// The project manager: the stored calculations of one kind in a list, where
// the user renames, reorders, deletes and chooses them and copies them to
// the clipboard.
#pragma once

#include <QDialog>
#include <QString>

#include <map>

class CDalvorApp;
class CReportCtrl;
class QLabel;
class QPushButton;

class CManageProjectDlg : public QDialog {
    Q_OBJECT

public:
    explicit CManageProjectDlg(CDalvorApp& app, QWidget* parent = nullptr);
    ~CManageProjectDlg() override;

    // The kind whose stored calculations are shown; set it before the dialog
    // is shown. -1 shows nothing.
    int kind = -1;

    // Texts, columns and rows, grid lines, editing. Runs once, when the
    // dialog is first shown (or when called before that).
    void OnInitDialog();
    void SetLanguageTexts(int offset);

    // Delete, Read, Up and Down act on the record that the first selected
    // row shows, whatever order the list is sorted in; each first commits an
    // open cell edit, and names edited in the list travel with their records.
    void OnDelete();
    void OnRead();
    void OnUp();
    void OnDown();
    void OnCopy();
    // Commits an open cell edit, writes the edited names into the records
    // (at most 63 units each), marks the project modified when a name
    // changed, and closes the dialog.
    void OnOK();
    void accept() override;

    // True once something was done here that the page must follow: a record
    // read, deleted, moved or copied, the kind's current record changed or
    // renamed. Looking, sorting and names dropped by a cancel leave it false.
    bool Acted() const;

    // The list row that shows stored record index, or -1.
    int RowOfRecord(int index) const;
    // The stored record that list row shows, or -1.
    int RecordOfRow(int row) const;

    CReportCtrl* list;
    QLabel* title;
    QPushButton* deleteButton;
    QPushButton* readButton;
    QPushButton* upButton;
    QPushButton* downButton;
    QPushButton* copyButton;
    QPushButton* okButton;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void InitColumns();
    void FillList();
    QString CellText(int record, int column) const;
    void SelectRow(int row);
    void MoveSelected(int step);
    void OnCellEdited(int row, int column);
    int StoredCount() const;
    int* CurrentIndex();

    CDalvorApp& app;
    bool initialised = false;
    // Names edited in the list, by stored record, until OK writes them; an
    // edited name is cut to the 63 units a record keeps as soon as it is
    // committed, and its cell shows it so.
    std::map<int, QString> pendingNames;
    bool acted = false;
    int openingCurrent = -1;
};

// Runs the project manager modally on the kind; true when something was done
// in it that the page must follow (CManageProjectDlg::Acted).
bool CDalvorApp_RunManageProjectDlg(CDalvorApp& app, int kind, QWidget* parent = nullptr);
