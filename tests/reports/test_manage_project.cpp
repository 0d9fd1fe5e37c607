// The project manager on projects of all five kinds read from files.
#include "core/app/DalvorApp.h"
#include "core/base/Text.h"
#include "core/report/ClipboardText.h"
#include "reports/ManageProjectDlg.h"
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

constexpr int kKinds[] = {KindTank, KindManhole, KindBuriedPipe, KindGravityFlow, KindPressureFlow};

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

// Record i of every kind: name "<prefix>i" and a value 10 * (i + 1) in a
// numeric column, so that tests can tell the records apart.
template <typename R>
R MakeRecord(const char16_t* prefix, int i)
{
    R r{};
    r.head.resultValid = 1;
    CopyBounded(r.head.name, std::u16string(prefix) + Utf8ToUtf16(std::to_string(i)));
    // Record 0 holds the longest conclusion a record keeps.
    std::u16string conclusion = u"Conclusion " + Utf8ToUtf16(std::to_string(i)) + u".";
    if (i == 0)
        conclusion.resize(127, u'x');
    CopyBounded(r.head.conclusion, conclusion);
    return r;
}

// Writes a project with `count` records of each kind through the core's
// writer and reads it back into a fresh application object.
std::unique_ptr<CDalvorApp> ProjectFromFile(const QString& path, int count)
{
    auto source = std::make_unique<CDalvorApp>();
    for (int i = 0; i < count; ++i) {
        auto g = MakeRecord<GravityFlowRecord>(u"G", i);
        g.length = 10.0 * (i + 1);
        g.categoryId = i == 1 ? 42 : 1;  // record 1 names a category the catalogue lacks
        g.typeId = 10;
        source->project.gravityFlow.push_back(g);
        auto p = MakeRecord<PressureFlowRecord>(u"P", i);
        p.length = 10.0 * (i + 1);
        source->project.pressureFlow.push_back(p);
        auto b = MakeRecord<BuriedPipeRecord>(u"B", i);
        b.groundLevel = 10.0 * (i + 1);
        b.totalDeflection = 1.25 * (i + 1);
        source->project.buriedPipe.push_back(b);
        auto m = MakeRecord<ManholeRecord>(u"M", i);
        m.height = 10.0 * (i + 1);
        m.typeIndex = i == 2 ? 9 : 0;  // record 2 names a row the table lacks
        source->project.manhole.push_back(m);
        auto t = MakeRecord<TankRecord>(u"T", i);
        t.capacity = 10.0 * (i + 1);
        t.tankTypeIndex = 0;
        source->project.tank.push_back(t);
    }
    if (source->WriteProjectFile(path.toStdString()) != ProjectWriteError::None)
        return nullptr;

    auto app = std::make_unique<CDalvorApp>();
    app->languageOffset = LangEnglish;
    if (app->ReadProjectFile(path.toStdString()) != ProjectReadError::None)
        return nullptr;
    // A catalogue of one row each: category 1, pipe type 10, a tank and a
    // manhole type.
    auto one = [](auto& rows, auto row, const char16_t* name) {
        CopyBounded(row.name, name);
        rows.push_back(row);
    };
    PipeCategoryEntry category{};
    category.id = 1;
    PipeTypeEntry type{};
    type.id = 10;
    one(app->tables.pipeCategories, category, u"Category.1");
    one(app->tables.pipeTypes, type, u"Type 10");
    one(app->tables.tankTypes, TankTypeEntry{}, u"Tank type");
    one(app->tables.manholeTypes, ManholeTypeEntry{}, u"Studzienka kanalizacyjna DN 1000");
    return app;
}

QString StoredName(const CDalvorApp& app, int kind, int index)
{
    const RecordHead* head = StoredRecordHead(app.project, kind, index);
    return head ? Q(FromFixed(head->name)) : QString();
}

QStringList StoredNames(const CDalvorApp& app, int kind)
{
    QStringList names;
    for (int i = 0; i < StoredRecordCount(app.project, kind); ++i)
        names << StoredName(app, kind, i);
    return names;
}

QStringList ListColumn(const CReportCtrl& list, int column)
{
    QStringList texts;
    for (int r = 0; r < list.GetItemCount(); ++r)
        texts << list.GetItemText(r, column);
    return texts;
}

int Current(const CDalvorApp& app, int kind)
{
    return app.project.currentIndex[KindToArrayIndex(kind)];
}

using D = CManageProjectDlg;
constexpr int kAny = -2;  // a current record the step does not check

// The dialog on a project of three records per kind, shown.
struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<CDalvorApp> app;
    CountingHost host;
    std::unique_ptr<CManageProjectDlg> dlg;
    int kind;

    explicit Fixture(int calcKind, int count = 3, int current = -1) : kind(calcKind)
    {
        app = ProjectFromFile(dir.filePath("project.qdl"), count);
        if (!app)
            return;
        app->SetHost(&host);
        if (KindToArrayIndex(kind) >= 0)
            app->project.currentIndex[KindToArrayIndex(kind)] = current;
        dlg = std::make_unique<CManageProjectDlg>(*app);
        dlg->kind = kind;
        dlg->show();
    }
    CReportCtrl& List() const { return *dlg->list; }
    QStringList Names() const { return StoredNames(*app, kind); }
    void Select(int row) const
    {
        List().clearSelection();
        List().SetItemStates(row, CReportCtrl::StateSelected | CReportCtrl::StateFocused);
    }
    void Press(QPushButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }
    // Edits row's name in place and leaves the editor open.
    void Type(int row, const QString& text) const
    {
        QVERIFY(List().StartEdit(row, 1));
        List().Editor()->selectAll();
        QTest::keyClicks(List().Editor(), text);
    }
    // Edits row's name in place and commits it with Enter.
    void Rename(int row, const QString& text) const
    {
        Type(row, text);
        if (List().IsEditing())
            QTest::keyClick(List().Editor(), Qt::Key_Return);
    }
    // Presses a button with the row shown at `row` selected (-1: the
    // selection as it is); then the stored names, the list refilled in their
    // order and numbered, the selected row and the current record.
    void Command(int row, QPushButton* D::*button, const QStringList& names, int selected, int current) const
    {
        if (row >= 0)
            Select(row);
        Press(dlg.get()->*button);
        QCOMPARE(Names(), names);
        QCOMPARE(ListColumn(List(), 1), names);
        QStringList numbers;
        for (int i = 1; i <= names.size(); ++i)
            numbers << QString::number(i);
        QCOMPARE(ListColumn(List(), 0), numbers);
        QCOMPARE(List().GetFirstSelectedItem(), selected);
        if (current != kAny)
            QCOMPARE(Current(*app, kind), current);
    }
};

}  // namespace

class TestManageProject : public QObject {
    Q_OBJECT

private slots:
    void opensEachKindFromAFile()
    {
        const int columnCounts[] = {13, 12, 15, 16, 14};
        const int titleKeys[] = {109, 108, 112, 110, 111};
        for (int k = 0; k < 5; ++k) {
            const int kind = kKinds[k];
            Fixture f(kind);
            QVERIFY(f.dlg);
            CReportCtrl& list = f.List();
            QCOMPARE(f.dlg->windowTitle(), Q(f.app->LoadLangString(125)));
            QCOMPARE(f.dlg->title->text(), Q(f.app->LoadLangString(titleKeys[k])));
            QCOMPARE(f.dlg->deleteButton->text(), Q(f.app->LoadLangString(1565)));
            QCOMPARE(f.dlg->readButton->text(), Q(f.app->LoadLangString(1566)));
            QCOMPARE(f.dlg->okButton->text(), Q(f.app->LoadLangString(1593)));
            QVERIFY(f.dlg->okButton->isDefault());
            QVERIFY(f.dlg->deleteButton->isEnabled());
            QVERIFY(f.dlg->readButton->isEnabled());
            QVERIFY(list.showGrid());
            QVERIFY(list.IsEditable());

            QCOMPARE(list.ColumnCount(), columnCounts[k]);
            const auto columns = ProjectColumns(f.app->languageOffset, kind, ListingTarget::List);
            // Titles and cells show whole in the font in use; a column keeps
            // its own width where that is enough.
            const QFontMetrics titleFont(list.horizontalHeader()->font()), cellFont(list.font());
            for (int c = 0; c < list.ColumnCount(); ++c) {
                const ProjectColumn& column = columns[static_cast<std::size_t>(c)];
                QCOMPARE(list.model()->headerData(c, Qt::Horizontal).toString(), Q(column.heading));
                int needed = titleFont.horizontalAdvance(Q(column.heading));
                for (int r = 0; r < list.GetItemCount(); ++r)
                    needed = std::max(needed, cellFont.horizontalAdvance(list.GetItemText(r, c)));
                QVERIFY2(list.columnWidth(c) > needed, qPrintable(Q(column.heading)));
                QVERIFY(list.columnWidth(c) >= column.width);
                if (needed + 24 < column.width)
                    QCOMPARE(list.columnWidth(c), column.width);
            }
            QCOMPARE(list.GetItemCount(), 3);
            for (int r = 0; r < 3; ++r) {
                const auto cells = ProjectCells(f.app->Listing(), kind, r, ListingTarget::List);
                for (int c = 0; c < list.ColumnCount(); ++c)
                    QCOMPARE(list.GetItemText(r, c), Q(cells[static_cast<std::size_t>(c)]));
                QCOMPARE(list.GetItemText(r, 0), QString::number(r + 1));
                QCOMPARE(f.dlg->RecordOfRow(r), r);
            }
            // A file read leaves no record current, so nothing is selected.
            QCOMPARE(list.GetFirstSelectedItem(), -1);
            QCOMPARE(Current(*f.app, kind), -1);
            QCOMPARE(f.host.modifiedCalls, 0);
        }
        // Lookups of rows the catalogue lacks give empty cells.
        Fixture gravity(KindGravityFlow);
        QCOMPARE(gravity.List().GetItemText(0, 2), QStringLiteral("Category.1"));
        QCOMPARE(gravity.List().GetItemText(1, 2), QString());
        QCOMPARE(gravity.List().GetItemText(1, 3), QStringLiteral("Type 10"));
        Fixture manhole(KindManhole);
        // Every cell shows whole, however long; its column widens to it.
        QCOMPARE(manhole.List().GetItemText(1, 2), QStringLiteral("Studzienka kanalizacyjna DN 1000"));
        const QString conclusion = manhole.List().GetItemText(0, 11);
        QCOMPARE(conclusion.size(), 127);
        QVERIFY(manhole.List().columnWidth(11) > QFontMetrics(manhole.List().font()).horizontalAdvance(conclusion));
        QCOMPARE(manhole.List().GetItemText(2, 2), QString());
        // The buried pipe's deflection column shows the total deflection.
        Fixture buried(KindBuriedPipe);
        QCOMPARE(buried.List().GetItemText(1, 10), QStringLiteral("2.5"));
    }

    // The list opens on the current record, scrolled into view: here the
    // last of a long list, as after Add.
    void opensScrolledToTheCurrentRecord()
    {
        Fixture f(KindGravityFlow, 200, 199);
        QVERIFY(QTest::qWaitForWindowExposed(f.dlg.get()));
        CReportCtrl& list = f.List();
        QCOMPARE(list.GetFirstSelectedItem(), 199);
        const QRect row = list.visualRect(list.model()->index(199, 0));
        QVERIFY(row.top() >= 0 && row.bottom() < list.viewport()->height());
    }

    void emptyKindAndNoKind()
    {
        Fixture f(KindTank, 0);
        QVERIFY(f.dlg);
        QCOMPARE(f.List().GetItemCount(), 0);
        QCOMPARE(f.List().ColumnCount(), 13);
        QVERIFY(!f.dlg->deleteButton->isEnabled());
        QVERIFY(!f.dlg->readButton->isEnabled());
        f.dlg->OnUp();
        f.dlg->OnDown();
        f.dlg->OnRead();
        QCOMPARE(Current(*f.app, KindTank), -1);
        f.Press(f.dlg->copyButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), Q(BuildClipboardText(f.app->Listing(), KindTank)));
        QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 1);

        Fixture none(KindNone);
        QCOMPARE(none.List().ColumnCount(), 0);
        QVERIFY(!none.dlg->deleteButton->isEnabled());
        none.dlg->OnDelete();
        none.dlg->OnUp();
        none.dlg->OnCopy();
        none.dlg->accept();
    }

    // Every command acts on the record the row shows after a sort, on every kind.
    void everyCommandOnEveryKind()
    {
        const char16_t* prefixes[] = {u"T", u"M", u"B", u"G", u"P"};
        for (int k = 0; k < 5; ++k) {
            const int kind = kKinds[k];
            // The records named by their digits, in the order given.
            auto names = [p = QString::fromUtf16(prefixes[k])](const char* digits) {
                QStringList list;
                for (const char* d = digits; *d; ++d)
                    list << p + *d;
                return list;
            };
            Fixture f(kind, 4);
            QVERIFY(f.dlg);
            CReportCtrl& list = f.List();
            // Sorted by name, descending, with two clicks on the header.
            QHeaderView* header = list.horizontalHeader();
            const QPoint at(header->sectionViewportPosition(1) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QCOMPARE(ListColumn(list, 1), names("3210"));
            QCOMPARE(ListColumn(list, 0), QStringList({"4", "3", "2", "1"}));

            // Read: row 0 shows record 3.
            f.Select(0);
            f.Press(f.dlg->readButton);
            QCOMPARE(Current(*f.app, kind), 3);
            // Up on the row that shows record 1: records 1 and 0 swap. The refill
            // shows array order again, unsorted, the moved record selected.
            list.SortItems(1, false);
            f.Command(2, &D::upButton, names("1023"), 0, 0);
            QCOMPARE(list.GetSortColumn(), -1);
            // Down on the row that shows record 2.
            list.SortItems(1, false);
            QCOMPARE(ListColumn(list, 1), names("3210"));
            f.Command(1, &D::downButton, names("1032"), 3, 3);
            // Delete on the row that shows record 1.
            list.SortItems(1, true);
            f.Command(0, &D::deleteButton, names("132"), 1, 1);
            // OK after a sort gives every record its own name, the text still in
            // the editor included.
            list.SortItems(1, false);
            QCOMPARE(ListColumn(list, 1), names("321"));
            f.Rename(2, "renamed");  // record 0
            f.Type(0, "named");      // record 1
            f.Press(f.dlg->okButton);
            QCOMPARE(f.Names(), QStringList({"renamed", "named"}) << names("2"));
            QCOMPARE(f.host.modifiedCalls, 4);
            // Other kinds are untouched.
            for (int other : kKinds)
                if (other != kind)
                    QCOMPARE(StoredRecordCount(f.app->project, other), 4);
        }
    }

    // The page reloads after anything done here, and keeps its inputs when
    // the manager was only looked at.
    void actedWhenSomethingWasDone()
    {
        const std::pair<bool, std::function<void(Fixture&)>> steps[] = {
            {false, [](Fixture&) {}},
            {false, [](Fixture& f) { f.List().SortItems(1, false); f.Rename(1, "dropped"); f.dlg->reject(); }},
            {false, [](Fixture& f) { f.Rename(0, "not the current record"); f.Press(f.dlg->okButton); }},
            {true, [](Fixture& f) { f.Press(f.dlg->readButton); }},  // the current record, read again
            {true, [](Fixture& f) { f.List().clearSelection(); f.Press(f.dlg->readButton); }},
            {true, [](Fixture& f) { f.Command(2, &D::deleteButton, {"T0", "T1"}, 1, 1); }},
            {true, [](Fixture& f) { f.Command(0, &D::downButton, {"T1", "T0", "T2"}, 1, 1); }},
            {true, [](Fixture& f) { f.Press(f.dlg->copyButton); }},
            {true, [](Fixture& f) { f.Rename(1, "renamed"); f.Press(f.dlg->okButton); }},
        };
        int step = 0;
        for (const auto& [acted, work] : steps) {
            Fixture f(KindTank, 3, 1);
            QVERIFY(f.dlg);
            work(f);
            QVERIFY2(f.dlg->Acted() == acted, qPrintable(QString::number(step++)));
        }
    }

    void deleteSelectsTheNextRecord()
    {
        Fixture f(KindGravityFlow);
        QVERIFY(f.dlg);
        // Deleting the last of three selects the new last row and makes it current.
        f.Command(2, &D::deleteButton, {"G0", "G1"}, 1, 1);
        QCOMPARE(f.List().currentIndex().row(), 1);
        QCOMPARE(f.host.modifiedCalls, 1);
        // Deleting the first: the record that takes its place is current.
        f.Command(0, &D::deleteButton, {"G1"}, 0, 0);
        QVERIFY(f.dlg->deleteButton->isEnabled());
        // Deleting the only record: none current, Delete and Read disabled.
        f.Command(-1, &D::deleteButton, {}, -1, -1);
        QVERIFY(!f.dlg->deleteButton->isEnabled());
        QVERIFY(!f.dlg->readButton->isEnabled());
        // Other kinds are untouched.
        QCOMPARE(StoredRecordCount(f.app->project, KindPressureFlow), 3);
    }

    void upAndDownMoveTheSelectedRecord()
    {
        Fixture f(KindManhole, 4);
        QVERIFY(f.dlg);
        const QStringList inOrder = {"M0", "M1", "M2", "M3"};
        // Nothing selected: nothing moves and the project is not touched.
        f.Command(-1, &D::upButton, inOrder, -1, -1);
        f.Command(-1, &D::downButton, inOrder, -1, -1);
        QCOMPARE(f.host.modifiedCalls, 0);
        // Up on row 3 swaps records 3 and 2, M3's height going with it; row 2 is
        // selected and current. Down moves it back.
        f.Command(3, &D::upButton, {"M0", "M1", "M3", "M2"}, 2, 2);
        QCOMPARE(f.List().GetItemText(2, 3), QStringLiteral("40.00"));
        f.Command(-1, &D::downButton, inOrder, 3, 3);
        // Down on the last row and Up on the first move nothing; the row stays selected.
        const int calls = f.host.modifiedCalls;
        f.Command(-1, &D::downButton, inOrder, 3, 3);
        f.Command(0, &D::upButton, inOrder, 0, kAny);
        QCOMPARE(f.host.modifiedCalls, calls);
    }

    void readSetsTheCurrentRecord()
    {
        // Read keeps the dialog open; with nothing selected no record is current.
        Fixture f(KindTank);
        QVERIFY(f.dlg);
        f.Command(1, &D::readButton, {"T0", "T1", "T2"}, 1, 1);
        QVERIFY(f.dlg->isVisible());
        f.List().clearSelection();
        f.Command(-1, &D::readButton, {"T0", "T1", "T2"}, -1, -1);
        QCOMPARE(f.host.modifiedCalls, 0);
    }

    void severalSelectedRowsTakeTheFirst()
    {
        Fixture f(KindBuriedPipe, 4);
        QVERIFY(f.dlg);
        f.List().SortItems(1, false);  // B3, B2, B1, B0
        f.List().SetItemStates(3, CReportCtrl::StateSelected);
        f.List().SetItemStates(1, CReportCtrl::StateSelected);
        f.Press(f.dlg->readButton);
        QCOMPARE(Current(*f.app, KindBuriedPipe), 2);
        f.Press(f.dlg->deleteButton);
        QCOMPARE(f.Names(), QStringList({"B0", "B1", "B3"}));
    }

    void namesTravelWithTheirRecords()
    {
        Fixture f(KindGravityFlow, 4);
        QVERIFY(f.dlg);
        CReportCtrl& list = f.List();
        const int callsBefore = f.host.modifiedCalls;

        // A committed name on record 0, and one left in the editor on record 2.
        f.Rename(0, "Alpha");
        f.Type(2, "Gamma");
        QVERIFY(list.IsEditing());
        QCOMPARE(list.GetItemText(0, 1), QStringLiteral("Alpha"));

        // Up commits the open edit and moves record 2 up; its name goes with it.
        f.Press(f.dlg->upButton);
        QCOMPARE(f.Names(), QStringList({"G0", "G2", "G1", "G3"}));
        QCOMPARE(ListColumn(list, 1), QStringList({"Alpha", "Gamma", "G1", "G3"}));

        // Down on record 0 moves "Alpha" with it.
        f.Select(0);
        f.Press(f.dlg->downButton);
        QCOMPARE(f.Names(), QStringList({"G2", "G0", "G1", "G3"}));
        QCOMPARE(ListColumn(list, 1), QStringList({"Gamma", "Alpha", "G1", "G3"}));

        // A name in the editor survives Read.
        f.Type(3, "Delta");
        f.Press(f.dlg->readButton);
        QCOMPARE(ListColumn(list, 1), QStringList({"Gamma", "Alpha", "G1", "Delta"}));
        QCOMPARE(Current(*f.app, KindGravityFlow), 3);

        // Delete drops the deleted record's name and keeps the others'.
        f.Type(2, "Beta");  // in the editor on record 2
        f.Select(1);
        f.Press(f.dlg->deleteButton);  // commits "Beta", then deletes record 1 ("Alpha")
        QCOMPARE(f.Names(), QStringList({"G2", "G1", "G3"}));
        QCOMPARE(ListColumn(list, 1), QStringList({"Gamma", "Beta", "Delta"}));

        // Nothing is written before OK.
        QCOMPARE(f.host.modifiedCalls, callsBefore + 3);
        f.Press(f.dlg->okButton);
        QVERIFY(!f.dlg->isVisible());
        QCOMPARE(f.dlg->result(), int(QDialog::Accepted));
        QCOMPARE(f.Names(), QStringList({"Gamma", "Beta", "Delta"}));
        QCOMPARE(f.host.modifiedCalls, callsBefore + 4);
    }

    void okWritesNamesAndMarksTheProject()
    {
        {
            // OK with no name changed marks nothing, even after an edit back to
            // the stored text.
            Fixture f(KindTank);
            QVERIFY(f.dlg);
            f.Rename(1, "other");
            f.Rename(1, "T1");
            f.Press(f.dlg->okButton);
            QCOMPARE(f.host.modifiedCalls, 0);
            QCOMPARE(f.Names(), QStringList({"T0", "T1", "T2"}));
        }
        {
            // Names are stored as typed ("%d%s" stays), cut to 63 units; the
            // bytes after the terminator are kept.
            Fixture f(KindManhole);
            QVERIFY(f.dlg);
            ManholeRecord& r0 = f.app->project.manhole[0];
            r0.head.name[40] = u'#';
            const QString seventy(70, QChar(u'x'));
            const QString forty = QString(39, QChar(u'y')) + QChar(u'z');
            f.Type(0, "%d%s");
            f.Type(1, seventy);
            f.Type(2, forty);
            // A committed name shows at once as it will be stored, whole.
            QCOMPARE(f.List().GetItemText(1, 1), QString(63, QChar(u'x')));
            QVERIFY(f.List().columnWidth(1) > QFontMetrics(f.List().font()).horizontalAdvance(QString(63, QChar(u'x'))));
            f.Press(f.dlg->okButton);
            QCOMPARE(f.host.modifiedCalls, 1);
            QCOMPARE(StoredName(*f.app, KindManhole, 0), QStringLiteral("%d%s"));
            QCOMPARE(StoredName(*f.app, KindManhole, 1), QString(63, QChar(u'x')));
            QCOMPARE(StoredName(*f.app, KindManhole, 2), forty);
            QCOMPARE(r0.head.name[40], u'#');

            // The 40-character name shows whole when the dialog opens again, and
            // an OK with nothing edited leaves it alone.
            CManageProjectDlg again(*f.app);
            again.kind = KindManhole;
            again.show();
            QCOMPARE(again.list->GetItemText(2, 1), forty);
            again.accept();
            QCOMPARE(f.host.modifiedCalls, 1);
            QCOMPARE(StoredName(*f.app, KindManhole, 2), forty);
        }
    }

    void escapeAndCloseBoxDropTheNames()
    {
        {
            Fixture f(KindGravityFlow);
            QVERIFY(f.dlg);
            QVERIFY(QTest::qWaitForWindowActive(f.dlg.get()));
            f.Rename(1, "kept?");
            f.Select(0);
            f.Press(f.dlg->deleteButton);
            QTest::keyClick(&f.List(), Qt::Key_Escape);
            QVERIFY(!f.dlg->isVisible());
            QCOMPARE(f.dlg->result(), int(QDialog::Rejected));
            // The deletion stays, the name does not.
            QCOMPARE(f.Names(), QStringList({"G1", "G2"}));
            QCOMPARE(f.host.modifiedCalls, 1);
        }
        {
            Fixture f(KindPressureFlow);
            QVERIFY(f.dlg);
            f.Type(2, "open");
            f.dlg->close();
            QVERIFY(!f.dlg->isVisible());
            QCOMPARE(f.dlg->result(), int(QDialog::Rejected));
            QCOMPARE(f.Names(), QStringList({"P0", "P1", "P2"}));
            QCOMPARE(f.host.modifiedCalls, 0);
        }
    }

    void enterInTheEditorKeepsTheDialogOpen()
    {
        Fixture f(KindTank);
        QVERIFY(f.dlg);
        QVERIFY(QTest::qWaitForWindowActive(f.dlg.get()));
        f.Rename(0, "first");
        QVERIFY(f.dlg->isVisible());
        QCOMPARE(f.List().GetItemText(0, 1), QStringLiteral("first"));
        // Escape in the editor cancels the edit only.
        f.Type(0, "second");
        QTest::keyClick(f.List().Editor(), Qt::Key_Escape);
        QVERIFY(f.dlg->isVisible());
        QCOMPARE(f.List().GetItemText(0, 1), QStringLiteral("first"));
        // Enter in the list with no edit open is OK.
        QVERIFY(f.List().hasFocus());
        QTest::keyClick(&f.List(), Qt::Key_Return);
        QVERIFY(!f.dlg->isVisible());
        QCOMPARE(f.dlg->result(), int(QDialog::Accepted));
        QCOMPARE(f.Names(), QStringList({"first", "T1", "T2"}));
    }

    // The text itself, kind by kind, is the clipboard writer's own test.
    void copyPutsTheStoredRecordsOnTheClipboard()
    {
        for (int kind : kKinds) {
            Fixture f(kind);
            QVERIFY(f.dlg);
            f.List().SortItems(1, false);
            f.Rename(0, "not yet");
            QGuiApplication::clipboard()->clear();
            f.Press(f.dlg->copyButton);
            const QString text = QGuiApplication::clipboard()->text();
            QCOMPARE(text, Q(BuildClipboardText(f.app->Listing(), kind)));
            // Stored names in array order, not the list's.
            const QStringList lines = text.split('\n');
            QCOMPARE(lines.size(), 5);  // header, three records, and the empty tail
            QCOMPARE(lines.last(), QString());
            for (int i = 0; i < 3; ++i)
                QCOMPARE(lines[i + 1].section('\t', 1, 1), StoredName(*f.app, kind, i));
            QVERIFY(!text.contains("not yet"));
            QVERIFY(!text.contains('.'));
            QVERIFY(f.dlg->isVisible());
        }
    }

    void runsModallyThroughTheHelper()
    {
        QTemporaryDir dir;
        auto app = ProjectFromFile(dir.filePath("p.qdl"), 2);
        QVERIFY(app);
        CountingHost host;
        app->SetHost(&host);
        int seenKind = 0;
        int rows = -1;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CManageProjectDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            seenKind = dlg->kind;
            rows = dlg->list->GetItemCount();
            dlg->list->SetItemStates(1, CReportCtrl::StateSelected);
            dlg->OnRead();
            dlg->reject();
        });
        CDalvorApp_RunManageProjectDlg(*app, KindManhole, nullptr);
        QCOMPARE(seenKind, int(KindManhole));
        QCOMPARE(rows, 2);
        QCOMPARE(Current(*app, KindManhole), 1);
    }
};

DALVOR_TEST_MAIN(TestManageProject)
#include "test_manage_project.moc"
