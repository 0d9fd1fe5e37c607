// Editing column 1 of the report list in place, its keys and clicks, and the
// row operations around it.
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"

#include <QDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

// A shown, active list of five rows: "#", "ID" ("name i"), "Value"; the
// committed edits are counted.
struct Fixture {
    QWidget window;
    CReportCtrl* list;
    std::unique_ptr<QSignalSpy> edited;

    explicit Fixture(int rows = 5)
    {
        auto* layout = new QVBoxLayout(&window);
        list = new CReportCtrl(&window);
        layout->addWidget(list);
        list->InsertColumn(0, "#", CReportCtrl::FormatLeft, 40);
        list->InsertColumn(1, "ID", CReportCtrl::FormatLeft, 120);
        list->InsertColumn(2, "Value", CReportCtrl::FormatLeft, 80);
        for (int i = 0; i < rows; ++i) {
            list->InsertItem(i, QString::number(i + 1), static_cast<uint32_t>(i));
            list->SetItemText(i, 1, QStringLiteral("name %1").arg(i));
            list->SetItemText(i, 2, QString::number(10 * i));
        }
        list->SetEditable(true);
        edited = std::make_unique<QSignalSpy>(list, &CReportCtrl::cellEdited);
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QPoint CellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void Click(int row, int column) const
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(row, column));
    }
    void DoubleClick(int row, int column)
    {
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           list->viewport()->mapTo(&window, CellCentre(row, column)));
    }
    // Opens the editor on row's name and types after the selected text.
    void Type(int row, const QString& text) const
    {
        QVERIFY(list->StartEdit(row, 1));
        QTest::keyClicks(Editor(), text);
    }
    QLineEdit* Editor() const { return list->Editor(); }
    bool EditorOpen() const { return list->IsEditing() && Editor() && Editor()->isVisible(); }
};

}  // namespace

class TestReportEdit : public QObject {
    Q_OBJECT

private slots:
    void startEditOnlyOnColumnOne()
    {
        Fixture f;
        for (auto [row, column] : {std::pair{1, 0}, {1, 2}, {5, 1}, {-1, 1}})
            QVERIFY(!f.list->StartEdit(row, column));
        QVERIFY(!f.list->IsEditing());
        f.list->SetEditable(false);
        QVERIFY(!f.list->StartEdit(1, 1));
        f.list->SetEditable(true);

        f.list->SetItemStates(3, CReportCtrl::StateSelected);
        QVERIFY(f.list->StartEdit(1, 1));
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.Editor()->text(), QStringLiteral("name 1"));
        QCOMPARE(f.Editor()->selectedText(), QStringLiteral("name 1"));
        QVERIFY(f.Editor()->hasFocus());
        QCOMPARE(f.Editor()->geometry(), f.list->visualRect(f.list->model()->index(1, 1)));
        // Only the edited row is selected, and it is current.
        QCOMPARE(f.list->GetItemCount(CReportCtrl::StateSelected), 1);
        QCOMPARE(f.list->GetItemStates(1) & (CReportCtrl::StateSelected | CReportCtrl::StateFocused),
                 CReportCtrl::StateSelected | CReportCtrl::StateFocused);
        // The same cell again: nothing changes.
        QVERIFY(f.list->StartEdit(1, 1));
        QCOMPARE(f.list->EditRow(), 1);
        QCOMPARE(f.list->EditColumn(), 1);
    }

    void escapeCancelsEnterAndTabCommit()
    {
        Fixture f;
        f.Type(2, "changed");
        QTest::keyClick(f.Editor(), Qt::Key_Escape);
        QVERIFY(!f.EditorOpen());
        QCOMPARE(f.list->GetItemText(2, 1), QStringLiteral("name 2"));
        QVERIFY(f.list->hasFocus());
        f.Type(2, "");
        QTest::keyClick(f.Editor(), Qt::Key_Return);  // unchanged
        QVERIFY(!f.EditorOpen());
        QCOMPARE(f.edited->count(), 0);

        f.list->SortItems(2, true);
        QCOMPARE(f.list->GetSortColumn(), 2);
        f.Type(2, "Kanal %d.1");
        QTest::keyClick(f.Editor(), Qt::Key_Enter);  // the keypad's Enter
        QVERIFY(!f.EditorOpen());
        QCOMPARE(f.list->GetItemText(2, 1), QStringLiteral("Kanal %d.1"));
        QCOMPARE(f.edited->count(), 1);
        QCOMPARE(f.edited->last(), QVariantList({2, 1}));
        QCOMPARE(f.list->GetSortColumn(), -1);  // a changed cell forgets the sort

        // Tab and Shift+Tab commit and close.
        for (auto [row, key] : {std::pair{0, Qt::Key_Tab}, {4, Qt::Key_Backtab}}) {
            f.Type(row, "T");
            QTest::keyClick(f.Editor(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QVERIFY(!f.EditorOpen());
            QCOMPARE(f.list->GetItemText(row, 1), QStringLiteral("T"));
        }
        QCOMPARE(f.edited->count(), 3);
    }

    void arrowsMoveTheEditExceptAtTheEnds()
    {
        Fixture f;
        // First row: Up leaves the editor open on the same cell, and the list's
        // current row does not move under it.
        f.Type(0, "top");
        QTest::keyClick(f.Editor(), Qt::Key_Up);
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->EditRow(), 0);
        QCOMPARE(f.Editor()->text(), QStringLiteral("top"));
        QCOMPARE(f.list->currentIndex().row(), 0);
        QCOMPARE(f.edited->count(), 0);

        // Down commits and edits the next row.
        QTest::keyClick(f.Editor(), Qt::Key_Down);
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->EditRow(), 1);
        QCOMPARE(f.list->GetItemText(0, 1), QStringLiteral("top"));
        QCOMPARE(f.edited->count(), 1);
        QCOMPARE(f.Editor()->text(), QStringLiteral("name 1"));
        QCOMPARE(f.list->GetFirstSelectedItem(), 1);

        // Last row: Down stays (row 1 was not changed, so nothing committed).
        f.Type(4, "bottom");
        QCOMPARE(f.edited->count(), 1);
        QTest::keyClick(f.Editor(), Qt::Key_Down);
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->EditRow(), 4);
        QCOMPARE(f.list->currentIndex().row(), 4);
        QCOMPARE(f.Editor()->text(), QStringLiteral("bottom"));

        // Up commits and edits the row above.
        QTest::keyClick(f.Editor(), Qt::Key_Up);
        QCOMPARE(f.list->EditRow(), 3);
        QCOMPARE(f.list->GetItemText(4, 1), QStringLiteral("bottom"));
        QCOMPARE(f.edited->count(), 2);
        QCOMPARE(f.edited->last(), QVariantList({4, 1}));
        QCOMPARE(f.list->GetFirstSelectedItem(), 3);
    }

    void otherKeysGoNoFurther()
    {
        // Keys the editor leaves alone do not move the list under it.
        Fixture f(40);
        f.Type(2, "");
        QTest::keyClick(f.Editor(), Qt::Key_PageDown);
        QTest::keyClick(f.Editor(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->currentIndex().row(), 2);
        QCOMPARE(f.list->GetFirstSelectedItem(), 2);

        // Without an edit a space, with Ctrl or not, selects nothing; other
        // keys still move and select as usual; while editing, a space is text.
        QTest::keyClick(f.Editor(), Qt::Key_Escape);
        f.list->clearSelection();
        f.list->setFocus();
        f.list->SetItemStates(2, CReportCtrl::StateFocused);
        QTest::keyClick(f.list, Qt::Key_Space);
        QTest::keyClick(f.list, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f.list->GetItemCount(CReportCtrl::StateSelected), 0);
        QTest::keyClick(f.list, Qt::Key_Down);
        QCOMPARE(f.list->currentIndex().row(), 3);
        QCOMPARE(f.list->GetFirstSelectedItem(), 3);
        QVERIFY(f.list->StartEdit(3, 1));
        f.Editor()->clear();
        QTest::keyClicks(f.Editor(), "a b");
        QTest::keyClick(f.Editor(), Qt::Key_Return);
        QCOMPARE(f.list->GetItemText(3, 1), QStringLiteral("a b"));
    }

    void clicksSelectThenEdit()
    {
        Fixture f;
        f.Click(2, 1);  // selects
        QVERIFY(!f.list->IsEditing());
        QCOMPARE(f.list->GetFirstSelectedItem(), 2);
        QCOMPARE(f.list->currentIndex().row(), 2);
        f.Click(2, 2);  // selected and current, but column 2 takes no edit
        QVERIFY(!f.list->IsEditing());
        f.Click(2, 1);  // opens the editor
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->EditRow(), 2);
        QTest::keyClicks(f.Editor(), "clicked");

        // A click anywhere in the list commits and closes; it opens nothing.
        f.Click(2, 1);
        QVERIFY(!f.list->IsEditing());
        QCOMPARE(f.list->GetItemText(2, 1), QStringLiteral("clicked"));
        QCOMPARE(f.edited->count(), 1);
        // The next click on the same cell opens it again.
        f.Click(2, 1);
        QVERIFY(f.EditorOpen());
        f.Click(4, 1);  // commits (unchanged), selects row 4
        QVERIFY(!f.list->IsEditing());
        QCOMPARE(f.list->GetFirstSelectedItem(), 4);
        QCOMPARE(f.edited->count(), 1);

        // A double click on a row not yet selected, as the window system
        // delivers it (press, release, double click, release): the press
        // selects, the double click opens the editor.
        f.DoubleClick(0, 1);
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->EditRow(), 0);
        QVERIFY(f.Editor()->hasFocus());
        // A double click on another row while editing: the press commits and
        // selects, the double click edits that row.
        QTest::keyClicks(f.Editor(), "D");
        f.DoubleClick(2, 1);
        QCOMPARE(f.list->GetItemText(0, 1), QStringLiteral("D"));
        QVERIFY(f.EditorOpen());
        QCOMPARE(f.list->EditRow(), 2);
        QCOMPARE(f.Editor()->text(), QStringLiteral("clicked"));
        QTest::keyClick(f.Editor(), Qt::Key_Escape);

        // A right click commits too, and opens nothing.
        f.Click(0, 1);
        f.Click(0, 1);
        QVERIFY(f.EditorOpen());
        QTest::keyClicks(f.Editor(), "R");
        QTest::mouseClick(f.list->viewport(), Qt::RightButton, Qt::NoModifier, f.CellCentre(0, 1));
        QVERIFY(!f.list->IsEditing());
        QCOMPARE(f.list->GetItemText(0, 1), QStringLiteral("R"));

        // A header click sorts, committing first.
        f.Click(1, 1);
        f.Click(1, 1);
        QVERIFY(f.EditorOpen());
        QTest::keyClicks(f.Editor(), "zz");
        QHeaderView* header = f.list->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QVERIFY(!f.list->IsEditing());
        QCOMPARE(f.list->GetSortColumn(), 1);
        QCOMPARE(f.list->GetItemText(f.list->GetItemCount() - 1, 1), QStringLiteral("zz"));
    }

    void editKeysStayInsideADialog()
    {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* list = new CReportCtrl(&dialog);
        auto* ok = new QPushButton("OK", &dialog);
        ok->setDefault(true);
        layout->addWidget(list);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        list->InsertColumn(0, "#");
        list->InsertColumn(1, "ID");
        list->InsertItem(0, "1");
        list->SetItemText(0, 1, "name");
        list->SetEditable(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QSignalSpy rejected(&dialog, &QDialog::rejected);

        // Enter and Escape in the editor end the edit, not the dialog.
        QVERIFY(list->StartEdit(0, 1));
        QTest::keyClicks(list->Editor(), "X");
        QTest::keyClick(list->Editor(), Qt::Key_Return);
        QCOMPARE(list->GetItemText(0, 1), QStringLiteral("X"));
        QVERIFY(list->StartEdit(0, 1));
        QTest::keyClick(list->Editor(), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(rejected.count(), 0);

        // With no edit open, Enter in the list presses the default button.
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(accepted.count(), 1);
    }

    void operationsEndAnOpenEdit()
    {
        Fixture f;
        // Each commits the open edit first.
        const std::tuple<int, const char*, std::function<void()>, int> operations[] = {
            {1, "one", [&] { f.list->InsertItem(5, "6", 5); }, 1},
            {2, "two", [&] { f.list->SetItemText(0, 2, "x"); }, 2},
            {3, "three", [&] { f.list->SetEditable(false); }, 3},
            {4, "four", [&] { f.list->SortItems(0, false); }, 1}};  // then sorts: "5" shows second
        for (const auto& [row, text, operation, shownAt] : operations) {
            f.list->SetEditable(true);
            f.Type(row, text);
            operation();
            QVERIFY2(!f.list->IsEditing(), text);
            QCOMPARE(f.list->GetItemText(shownAt, 1), QString::fromLatin1(text));
            if (row == 3)
                QVERIFY(!f.list->StartEdit(3, 1));  // no longer editable
        }
        QCOMPARE(f.edited->count(), 4);

        // Deleting rows cancels.
        f.list->SetEditable(true);
        f.Type(0, "lost");
        QCOMPARE(f.list->DeleteItems(CReportCtrl::StateUnselected), 5);
        QVERIFY(!f.list->IsEditing());
        QCOMPARE(f.list->GetItemCount(), 1);
        QCOMPARE(f.list->GetItemText(0, 0), QStringLiteral("6"));
        QCOMPARE(f.list->GetItemText(0, 1), QString());
        QCOMPARE(f.edited->count(), 4);
    }

    void rowsComingIntoViewWidenTheirColumns()
    {
        // Only the rows shown are measured; a long cell further down widens
        // its column when it is scrolled into view.
        Fixture f(200);
        const QString wide(60, QChar(u'w'));
        f.list->SetItemText(150, 2, wide);
        f.list->FitColumnWidths();
        const int needed = QFontMetrics(f.list->font()).horizontalAdvance(wide);
        QVERIFY(f.list->columnWidth(2) < needed);
        f.list->EnsureVisible(150);
        QVERIFY(f.list->columnWidth(2) > needed);
    }

    void deleteAndCountByMask()
    {
        CReportCtrl list;
        list.InsertColumn(0, "#");
        list.InsertColumn(1, "ID");
        auto fill = [&] {
            for (int i = 0; i < 5; ++i)
                list.InsertItem(i, QString::number(i + 1), static_cast<uint32_t>(i));
        };
        fill();
        QCOMPARE(list.GetItemCount(0), 0);
        QCOMPARE(list.DeleteItems(0), 0);
        QCOMPARE(list.DeleteItems(1), 5);
        QCOMPARE(list.GetItemCount(), 0);

        fill();
        list.SetItemStates(1, CReportCtrl::StateSelected);
        list.SetItemStates(3, CReportCtrl::StateSelected | CReportCtrl::StateFocused);
        list.SetItemStates(4, CReportCtrl::StateChecked);
        const std::pair<int, int> counts[] = {
            {CReportCtrl::StateSelected, 2}, {CReportCtrl::StateUnselected, 3},
            {CReportCtrl::StateSelected | CReportCtrl::StateFocused, 1}, {CReportCtrl::StateChecked, 1},
            {CReportCtrl::StateSelected | CReportCtrl::StateUnselected, 0}};
        for (auto [mask, count] : counts)
            QVERIFY2(list.GetItemCount(mask) == count, qPrintable(QString::number(mask)));
        QVERIFY(!list.SetItemStates(1, 0));
        QVERIFY(!list.SetItemStates(7, CReportCtrl::StateSelected));
        QCOMPARE(list.GetItemStates(9), 0);

        QCOMPARE(list.DeleteItems(CReportCtrl::StateSelected), 2);
        QCOMPARE(list.GetItemCount(), 3);
        QCOMPARE(list.GetItemText(0, 0) + list.GetItemText(1, 0) + list.GetItemText(2, 0), QStringLiteral("135"));
        QCOMPARE(list.GetItemData(2), 4u);

        QVERIFY(list.SetItemStates(2, CReportCtrl::StateUnchecked | CReportCtrl::StateUnselected));
        QCOMPARE(list.GetItemCount(CReportCtrl::StateChecked), 0);
        QVERIFY(!list.SetItemText(3, 0, "x"));
        QVERIFY(!list.SetItemText(0, 2, "x"));
        QCOMPARE(list.GetItemText(0, 5), QString());
        QCOMPARE(list.InsertItem(-1, "x"), -1);
        QCOMPARE(list.InsertItem(99, "last", 7), 3);  // beyond the end: appended
        QCOMPARE(list.GetItemData(3), 7u);
        QCOMPARE(list.InsertColumn(9, "C"), 2);
        QCOMPARE(list.GetItemText(3, 2), QString());
        QVERIFY(list.SetItemText(3, 2, "c"));
    }
};

DALVOR_TEST_MAIN(TestReportEdit)
#include "test_report_edit.moc"
