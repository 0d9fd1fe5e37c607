// Editing column 1 of the report list in place, its keys and clicks, and the
// row operations around it.
#include "ReportCtrl.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A shown, active list of five rows: "#", "ID" ("name i"), "Value".
struct Fixture {
    QWidget window;
    CReportCtrl* list;

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
        window.resize(400, 300);
        window.show();
        window.activateWindow();
    }
    QPoint CellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void Click(int row, int column) const
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(row, column));
    }
    QLineEdit* Editor() const { return list->Editor(); }
    bool EditorOpen() const { return list->IsEditing() && Editor() && Editor()->isVisible(); }
};

}  // namespace

class TestReportEdit : public QObject {
    Q_OBJECT

private slots:
    void startEditOnlyOnColumnOne();
    void escapeCancelsAndEnterCommits();
    void tabCommitsAndCloses();
    void arrowsMoveTheEditExceptAtTheEnds();
    void keysTheEditorLeavesAloneGoNoFurther();
    void spaceIsSwallowedWithoutAnEdit();
    void clicksSelectThenEdit();
    void editKeysStayInsideADialog();
    void operationsEndAnOpenEdit();
    void deleteAndCountByMask();
};

void TestReportEdit::startEditOnlyOnColumnOne()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QVERIFY(!f.list->StartEdit(1, 0));
    QVERIFY(!f.list->StartEdit(1, 2));
    QVERIFY(!f.list->StartEdit(5, 1));
    QVERIFY(!f.list->StartEdit(-1, 1));
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

void TestReportEdit::escapeCancelsAndEnterCommits()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy edited(f.list, &CReportCtrl::cellEdited);

    QVERIFY(f.list->StartEdit(2, 1));
    QTest::keyClicks(f.Editor(), "changed");
    QTest::keyClick(f.Editor(), Qt::Key_Escape);
    QVERIFY(!f.EditorOpen());
    QCOMPARE(f.list->GetItemText(2, 1), QStringLiteral("name 2"));
    QCOMPARE(edited.count(), 0);
    QVERIFY(f.list->hasFocus());

    QVERIFY(f.list->StartEdit(2, 1));
    QTest::keyClick(f.Editor(), Qt::Key_Return);  // unchanged
    QVERIFY(!f.EditorOpen());
    QCOMPARE(edited.count(), 0);

    f.list->SortItems(2, true);
    QCOMPARE(f.list->GetSortColumn(), 2);
    QVERIFY(f.list->StartEdit(2, 1));
    QTest::keyClicks(f.Editor(), "Kanal %d.1");
    QTest::keyClick(f.Editor(), Qt::Key_Enter);  // the keypad's Enter
    QVERIFY(!f.EditorOpen());
    QCOMPARE(f.list->GetItemText(2, 1), QStringLiteral("Kanal %d.1"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.last(), QVariantList({2, 1}));
    QCOMPARE(f.list->GetSortColumn(), -1);  // a changed cell forgets the sort
}

void TestReportEdit::tabCommitsAndCloses()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy edited(f.list, &CReportCtrl::cellEdited);
    QVERIFY(f.list->StartEdit(0, 1));
    QTest::keyClicks(f.Editor(), "A");
    QTest::keyClick(f.Editor(), Qt::Key_Tab);
    QVERIFY(!f.EditorOpen());
    QCOMPARE(f.list->GetItemText(0, 1), QStringLiteral("A"));
    QCOMPARE(edited.count(), 1);

    QVERIFY(f.list->StartEdit(4, 1));
    QTest::keyClicks(f.Editor(), "B");
    QTest::keyClick(f.Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(!f.EditorOpen());
    QCOMPARE(f.list->GetItemText(4, 1), QStringLiteral("B"));
    QCOMPARE(edited.count(), 2);
}

void TestReportEdit::arrowsMoveTheEditExceptAtTheEnds()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy edited(f.list, &CReportCtrl::cellEdited);

    // First row: Up leaves the editor open on the same cell, and the list's
    // current row does not move under it.
    QVERIFY(f.list->StartEdit(0, 1));
    QTest::keyClicks(f.Editor(), "top");
    QTest::keyClick(f.Editor(), Qt::Key_Up);
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.list->EditRow(), 0);
    QCOMPARE(f.Editor()->text(), QStringLiteral("top"));
    QCOMPARE(f.list->currentIndex().row(), 0);
    QCOMPARE(edited.count(), 0);

    // Down commits and edits the next row.
    QTest::keyClick(f.Editor(), Qt::Key_Down);
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.list->EditRow(), 1);
    QCOMPARE(f.list->GetItemText(0, 1), QStringLiteral("top"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(f.Editor()->text(), QStringLiteral("name 1"));
    QCOMPARE(f.list->GetFirstSelectedItem(), 1);

    // Last row: Down stays.
    QVERIFY(f.list->StartEdit(4, 1));
    QCOMPARE(edited.count(), 1);  // row 1 was not changed
    QTest::keyClicks(f.Editor(), "bottom");
    QTest::keyClick(f.Editor(), Qt::Key_Down);
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.list->EditRow(), 4);
    QCOMPARE(f.list->currentIndex().row(), 4);
    QCOMPARE(f.Editor()->text(), QStringLiteral("bottom"));

    // Up commits and edits the row above.
    QTest::keyClick(f.Editor(), Qt::Key_Up);
    QCOMPARE(f.list->EditRow(), 3);
    QCOMPARE(f.list->GetItemText(4, 1), QStringLiteral("bottom"));
    QCOMPARE(edited.count(), 2);
    QCOMPARE(edited.last(), QVariantList({4, 1}));
    QCOMPARE(f.list->GetFirstSelectedItem(), 3);
}

void TestReportEdit::keysTheEditorLeavesAloneGoNoFurther()
{
    Fixture f(40);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QVERIFY(f.list->StartEdit(2, 1));
    QTest::keyClick(f.Editor(), Qt::Key_PageDown);
    QTest::keyClick(f.Editor(), Qt::Key_End, Qt::ControlModifier);
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.list->currentIndex().row(), 2);
    QCOMPARE(f.list->GetFirstSelectedItem(), 2);
}

void TestReportEdit::spaceIsSwallowedWithoutAnEdit()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.list->setFocus();
    f.list->SetItemStates(2, CReportCtrl::StateFocused);
    QCOMPARE(f.list->GetItemCount(CReportCtrl::StateSelected), 0);
    QTest::keyClick(f.list, Qt::Key_Space);
    QTest::keyClick(f.list, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(f.list->GetItemCount(CReportCtrl::StateSelected), 0);
    // Other keys still move and select as usual.
    QTest::keyClick(f.list, Qt::Key_Down);
    QCOMPARE(f.list->currentIndex().row(), 3);
    QCOMPARE(f.list->GetFirstSelectedItem(), 3);
    // While editing, a space is text.
    QVERIFY(f.list->StartEdit(3, 1));
    f.Editor()->clear();
    QTest::keyClicks(f.Editor(), "a b");
    QTest::keyClick(f.Editor(), Qt::Key_Return);
    QCOMPARE(f.list->GetItemText(3, 1), QStringLiteral("a b"));
}

void TestReportEdit::clicksSelectThenEdit()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy edited(f.list, &CReportCtrl::cellEdited);

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
    QCOMPARE(edited.count(), 1);
    // The next click on the same cell opens it again.
    f.Click(2, 1);
    QVERIFY(f.EditorOpen());
    f.Click(4, 1);  // commits (unchanged), selects row 4
    QVERIFY(!f.list->IsEditing());
    QCOMPARE(f.list->GetFirstSelectedItem(), 4);
    QCOMPARE(edited.count(), 1);

    // A double click on a row not yet selected, as the window system
    // delivers it (press, release, double click, release): the press
    // selects, the double click opens the editor.
    QTest::mouseDClick(f.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       f.list->viewport()->mapTo(&f.window, f.CellCentre(0, 1)));
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.list->EditRow(), 0);
    QVERIFY(f.Editor()->hasFocus());
    // A double click on another row while editing: the press commits and
    // selects, the double click edits that row.
    QTest::keyClicks(f.Editor(), "D");
    QTest::mouseDClick(f.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       f.list->viewport()->mapTo(&f.window, f.CellCentre(2, 1)));
    QCOMPARE(f.list->GetItemText(0, 1), QStringLiteral("D"));
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.list->EditRow(), 2);
    QCOMPARE(f.Editor()->text(), QStringLiteral("clicked"));
    QTest::keyClick(f.Editor(), Qt::Key_Escape);
    f.Click(0, 1);
    f.Click(0, 1);
    QVERIFY(f.EditorOpen());

    // A right click commits too, and opens nothing.
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

void TestReportEdit::editKeysStayInsideADialog()
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

    QVERIFY(list->StartEdit(0, 1));
    QTest::keyClicks(list->Editor(), "X");
    QTest::keyClick(list->Editor(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(accepted.count(), 0);
    QCOMPARE(list->GetItemText(0, 1), QStringLiteral("X"));

    QVERIFY(list->StartEdit(0, 1));
    QTest::keyClick(list->Editor(), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(rejected.count(), 0);

    // With no edit open, Enter in the list presses the default button.
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(accepted.count(), 1);
}

void TestReportEdit::operationsEndAnOpenEdit()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy edited(f.list, &CReportCtrl::cellEdited);

    QVERIFY(f.list->StartEdit(1, 1));
    QTest::keyClicks(f.Editor(), "one");
    f.list->InsertItem(5, "6", 5);  // commits
    QVERIFY(!f.list->IsEditing());
    QCOMPARE(f.list->GetItemText(1, 1), QStringLiteral("one"));

    QVERIFY(f.list->StartEdit(2, 1));
    QTest::keyClicks(f.Editor(), "two");
    f.list->SetItemText(0, 2, "x");  // commits
    QCOMPARE(f.list->GetItemText(2, 1), QStringLiteral("two"));

    QVERIFY(f.list->StartEdit(3, 1));
    QTest::keyClicks(f.Editor(), "three");
    f.list->SetEditable(false);  // commits
    QCOMPARE(f.list->GetItemText(3, 1), QStringLiteral("three"));
    QVERIFY(!f.list->StartEdit(3, 1));
    f.list->SetEditable(true);

    QVERIFY(f.list->StartEdit(4, 1));
    QTest::keyClicks(f.Editor(), "four");
    f.list->SortItems(0, false);  // commits, then sorts
    QCOMPARE(f.list->GetItemText(1, 1), QStringLiteral("four"));
    QCOMPARE(edited.count(), 4);

    // Deleting rows cancels.
    QVERIFY(f.list->StartEdit(0, 1));
    QTest::keyClicks(f.Editor(), "lost");
    QCOMPARE(f.list->DeleteItems(CReportCtrl::StateUnselected), 5);
    QVERIFY(!f.list->IsEditing());
    QCOMPARE(f.list->GetItemCount(), 1);
    QCOMPARE(f.list->GetItemText(0, 0), QStringLiteral("6"));
    QCOMPARE(f.list->GetItemText(0, 1), QString());
    QCOMPARE(edited.count(), 4);
}

void TestReportEdit::deleteAndCountByMask()
{
    CReportCtrl list;
    list.InsertColumn(0, "#");
    list.InsertColumn(1, "ID");
    for (int i = 0; i < 5; ++i)
        list.InsertItem(i, QString::number(i + 1), static_cast<uint32_t>(i));
    QCOMPARE(list.GetItemCount(0), 0);
    QCOMPARE(list.DeleteItems(0), 0);
    QCOMPARE(list.DeleteItems(1), 5);
    QCOMPARE(list.GetItemCount(), 0);

    for (int i = 0; i < 5; ++i)
        list.InsertItem(i, QString::number(i + 1), static_cast<uint32_t>(i));
    list.SetItemStates(1, CReportCtrl::StateSelected);
    list.SetItemStates(3, CReportCtrl::StateSelected | CReportCtrl::StateFocused);
    list.SetItemStates(4, CReportCtrl::StateChecked);
    QCOMPARE(list.GetItemCount(CReportCtrl::StateSelected), 2);
    QCOMPARE(list.GetItemCount(CReportCtrl::StateUnselected), 3);
    QCOMPARE(list.GetItemCount(CReportCtrl::StateSelected | CReportCtrl::StateFocused), 1);
    QCOMPARE(list.GetItemCount(CReportCtrl::StateChecked), 1);
    QCOMPARE(list.GetItemCount(CReportCtrl::StateSelected | CReportCtrl::StateUnselected), 0);
    QVERIFY(!list.SetItemStates(1, 0));
    QVERIFY(!list.SetItemStates(7, CReportCtrl::StateSelected));
    QCOMPARE(list.GetItemStates(9), 0);

    QCOMPARE(list.DeleteItems(CReportCtrl::StateSelected), 2);
    QCOMPARE(list.GetItemCount(), 3);
    QCOMPARE(list.GetItemText(0, 0), QStringLiteral("1"));
    QCOMPARE(list.GetItemText(1, 0), QStringLiteral("3"));
    QCOMPARE(list.GetItemText(2, 0), QStringLiteral("5"));
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

QTEST_MAIN(TestReportEdit)
#include "test_report_edit.moc"
