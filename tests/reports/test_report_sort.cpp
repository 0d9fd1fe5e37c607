// The report list's typed comparison and its sort.
#include "reports/ReportCtrl.h"
#include "tests/QtTestMain.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <clocale>
#include <random>
#include <string>

namespace {

// A list with the columns "#", "ID" and "Value"; row i keeps data i and
// shows texts[i] in column 2.
void Fill(CReportCtrl& list, const QStringList& texts)
{
    list.InsertColumn(0, QStringLiteral("#"), CReportCtrl::FormatLeft, 40);
    list.InsertColumn(1, QStringLiteral("ID"), CReportCtrl::FormatLeft, 100);
    list.InsertColumn(2, QStringLiteral("Value"), CReportCtrl::FormatLeft, 100);
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(list.InsertItem(i, QString::number(i + 1), static_cast<uint32_t>(i)), i);
        list.SetItemText(i, 1, QStringLiteral("row %1").arg(i));
        list.SetItemText(i, 2, texts[i]);
    }
}

QStringList ColumnTexts(const CReportCtrl& list, int column)
{
    QStringList texts;
    for (int r = 0; r < list.GetItemCount(); ++r)
        texts << list.GetItemText(r, column);
    return texts;
}

// A list of `texts` sorted by them ascending, then descending.
void CheckSort(const QStringList& texts, const QStringList& ascending, const QStringList& descending)
{
    CReportCtrl list;
    Fill(list, texts);
    list.SortItems(2, true);
    QCOMPARE(ColumnTexts(list, 2), ascending);
    list.SortItems(2, false);
    QCOMPARE(ColumnTexts(list, 2), descending);
}

}  // namespace

class TestReportSort : public QObject {
    Q_OBJECT

private slots:
    void compareCells_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("result");
        // Whole base-16 numbers: decimal integers keep their order.
        QTest::newRow("2 < 10") << "2" << "10" << -1;
        QTest::newRow("12 > 9") << "12" << "9" << 1;
        QTest::newRow("ABC < ABD") << "ABC" << "ABD" << -1;
        QTest::newRow("abc = ABC") << "abc" << "ABC" << 0;
        QTest::newRow("-5 > 3") << "-5" << "3" << 1;  // 4294967291
        QTest::newRow("too big is FFFFFFFF") << "1FFFFFFFF" << "FFFFFFFF" << 0;
        QTest::newRow("-1FFFFFFFF is FFFFFFFF too") << "-1FFFFFFFF" << "FFFFFFFF" << 0;
        QTest::newRow("0x1A = 1a") << "0x1A" << "1a" << 0;
        QTest::newRow("leading blank") << " 12" << "12" << 0;
        // "0x" alone has no digit: it compares as text.
        QTest::newRow("0x is text") << "0x" << "0" << 1;
        // Reals, a trailing "%" allowed once.
        QTest::newRow("3.75 < 12.50") << "3.75" << "12.50" << -1;
        QTest::newRow("12.50 < 100%") << "12.50" << "100%" << -1;
        QTest::newRow("1e5 is base 16") << "1e5" << "486" << -1;  // 0x1E5 < 0x486
        QTest::newRow("-1.5 < 0.25") << "-1.50" << "0.25" << -1;
        QTest::newRow("5%a is text") << "5%a" << "40" << 1;
        QTest::newRow("5%% is text") << "5%%" << "40" << 1;
        // A conversion that reads no number leaves the whole text: "%" alone is
        // the real 0, "-1" the real -1 (as text "%" would come first).
        QTest::newRow("% alone is the real 0") << "%" << "1.5" << -1;
        QTest::newRow("% alone after -1") << "%" << "-1" << 1;
        QTest::newRow("% alone equals 0.0") << "%" << "0.0" << 0;
        QTest::newRow("blank and % is text") << " %" << "-1" << -1;
        QTest::newRow("nan equals any real") << "nan" << "2.5" << 0;
        QTest::newRow("trailing blank is text") << "2.5 " << "10.5" << 1;
        // "-" (a value not calculated) comes before every number.
        QTest::newRow("- before 0.00") << "-" << "0.00" << -1;
        QTest::newRow("- before -1.50") << "-" << "-1.50" << -1;
        QTest::newRow("- before 315") << "-" << "315" << -1;
        // Dates and times.
        QTest::newRow("9 Jan < 10 Jan") << "9.1.2024" << "10.1.2024" << -1;
        QTest::newRow("9:15 < 12:30") << "12:30" << "9:15" << 1;
        QTest::newRow("two forms of one day") << "3/15/2024" << "15.3.2024" << 0;
        QTest::newRow("named month") << "Mar 5, 2024" << "2024-02-29" << 1;
        // Text: UTF-16 units, case-sensitive, a prefix first, empty first.
        QTest::newRow("empty first") << "" << "0" << -1;
        QTest::newRow("both empty") << "" << "" << 0;
        QTest::newRow("case") << "Zeta" << "alpha" << -1;
        QTest::newRow("prefix") << "GP-1" << "GP-10" << -1;
        QTest::newRow("mixed hex and text") << "F" << "12.5" << 1;
        QTest::newRow("units not code points") << QString::fromUtf16(u"\U0001F600") << QString::fromUtf16(u"\uFFFD")
                                               << -1;
    }

    void compareCells()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, result);
        QCOMPARE(CReportCtrl::CompareCells(a, b), result);
        QCOMPARE(CReportCtrl::CompareCells(b, a), -result);
    }

    void numbersTextsAndDatesSortBothWays()
    {
        QStringList numbers, ascending, descending;
        for (int v : {7, 12, 1, 10, 3, 11, 2, 9, 4, 8, 6, 5})
            numbers << QString::number(v);
        for (int v = 1; v <= 12; ++v) {
            ascending << QString::number(v);
            descending.prepend(QString::number(v));
        }
        CheckSort(numbers, ascending, descending);
        CheckSort({"12.50", "100%", "3.75", "-1.50", "0"}, {"-1.50", "0", "3.75", "12.50", "100%"},
                  {"100%", "12.50", "3.75", "0", "-1.50"});
        CheckSort({"beta", "Alpha", "", "alpha", "GP-10", "GP-1"}, {"", "Alpha", "GP-1", "GP-10", "alpha", "beta"},
                  {"beta", "alpha", "GP-10", "GP-1", "Alpha", ""});
        CheckSort({"10.1.2024", "9.1.2024", "Dec 31, 2023", "2024-01-09 08:00", "1/10/2024 07:00"},
                  {"Dec 31, 2023", "9.1.2024", "2024-01-09 08:00", "10.1.2024", "1/10/2024 07:00"},
                  {"1/10/2024 07:00", "10.1.2024", "2024-01-09 08:00", "9.1.2024", "Dec 31, 2023"});
    }

    void circularComparisonSortsAsTheQuicksortGives()
    {
        // "10" > "F" (base 16), "F" > "12.5" (text), "12.5" > "10" (reals): no
        // order exists, and the quicksort gives what its steps give.
        QCOMPARE(CReportCtrl::CompareCells("10", "F"), 1);
        QCOMPARE(CReportCtrl::CompareCells("F", "12.5"), 1);
        QCOMPARE(CReportCtrl::CompareCells("12.5", "10"), 1);

        CheckSort({"10", "F", "12.5"}, {"12.5", "F", "10"}, {"10", "F", "12.5"});
        CReportCtrl again;
        Fill(again, {"10", "F", "12.5"});
        again.SortItems(2, false);
        QCOMPARE(ColumnTexts(again, 2), QStringList({"10", "F", "12.5"}));
    }

    void mixedCellsKeepEveryRowWithItsData()
    {
        const QStringList pool = {"10", "F", "12.5", "", "-5", "3", "nan", "100%", "abc", "ABC", "9.1.2024",
                                  "12:30", "x", "0x10", "1e5", "5%a", "%", "Zeta", "2024-01-01", "7"};
        std::mt19937 random(20240315);
        for (int n : {0, 1, 2, 3, 17, 400}) {
            QStringList texts;
            for (int i = 0; i < n; ++i)
                texts << pool[static_cast<int>(random() % pool.size())];
            for (bool ascending : {true, false}) {
                CReportCtrl list;
                Fill(list, texts);
                list.SortItems(2, ascending);
                QCOMPARE(list.GetItemCount(), n);
                std::vector<int> seen(static_cast<std::size_t>(n), 0);
                for (int r = 0; r < n; ++r) {
                    const uint32_t data = list.GetItemData(r);
                    QVERIFY(data < static_cast<uint32_t>(n));
                    ++seen[data];
                    QCOMPARE(list.GetItemText(r, 2), texts[static_cast<int>(data)]);
                    QCOMPARE(list.GetItemText(r, 1), QStringLiteral("row %1").arg(data));
                    QCOMPARE(list.GetItemText(r, 0), QString::number(data + 1));
                }
                QVERIFY(std::all_of(seen.begin(), seen.end(), [](int s) { return s == 1; }));
            }
        }
    }

    void headerClicksTurnTheOrderRound()
    {
        CReportCtrl list;
        Fill(list, {"2", "3", "1"});
        for (int r = 0; r < 3; ++r)
            list.SetItemText(r, 1, QStringLiteral("bca").mid(r, 1));
        list.resize(400, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy sorted(&list, &CReportCtrl::sorted);
        QHeaderView* header = list.horizontalHeader();
        auto click = [&](int column) {
            const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        };

        click(2);
        QCOMPARE(ColumnTexts(list, 2), QStringList({"1", "2", "3"}));
        QCOMPARE(sorted.count(), 1);
        QCOMPARE(sorted.last(), QVariantList({2, true}));
        click(2);
        QCOMPARE(ColumnTexts(list, 2), QStringList({"3", "2", "1"}));
        QCOMPARE(sorted.last(), QVariantList({2, false}));
        click(1);
        QCOMPARE(ColumnTexts(list, 1), QStringList({"a", "b", "c"}));
        QCOMPARE(sorted.last(), QVariantList({1, true}));
        QCOMPARE(list.GetSortColumn(), 1);

        // A set text forgets the sort: the same column sorts ascending again.
        list.SetItemText(0, 2, "0");
        QCOMPARE(list.GetSortColumn(), -1);
        click(1);
        QCOMPARE(sorted.last(), QVariantList({1, true}));
        // So does an inserted row.
        list.InsertItem(3, "4", 3);
        list.SetItemText(3, 1, "d");
        click(1);
        QCOMPARE(sorted.last(), QVariantList({1, true}));
        QCOMPARE(sorted.count(), 5);
    }

    void sortCarriesSelectionAndFocus()
    {
        CReportCtrl list;
        Fill(list, {"c", "a", "b", "d"});
        list.SetItemStates(0, CReportCtrl::StateSelected | CReportCtrl::StateFocused);  // "c"
        list.SetItemStates(3, CReportCtrl::StateSelected);                             // "d"
        list.SortItems(2, true);
        QCOMPARE(ColumnTexts(list, 2), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(list.GetItemStates(2), CReportCtrl::StateSelected | CReportCtrl::StateFocused | CReportCtrl::StateUnchecked);
        QCOMPARE(list.GetItemStates(3), CReportCtrl::StateSelected | CReportCtrl::StateUnfocused | CReportCtrl::StateUnchecked);
        QCOMPARE(list.GetItemStates(0), CReportCtrl::StateUnselected | CReportCtrl::StateUnfocused | CReportCtrl::StateUnchecked);
        QCOMPARE(list.GetItemCount(CReportCtrl::StateSelected), 2);
        QCOMPARE(list.GetFirstSelectedItem(), 2);
    }

    void noSortWithoutAClickableHeader()
    {
        CReportCtrl list;
        Fill(list, {"2", "1"});
        QSignalSpy sorted(&list, &CReportCtrl::sorted);
        list.SortItems(3, true);
        list.SortItems(-1, true);
        list.horizontalHeader()->setSectionsClickable(false);
        list.SortItems(2, true);
        list.horizontalHeader()->setSectionsClickable(true);
        list.horizontalHeader()->hide();
        list.SortItems(2, true);
        QCOMPARE(sorted.count(), 0);
        QCOMPARE(ColumnTexts(list, 2), QStringList({"2", "1"}));
        QCOMPARE(list.GetSortColumn(), -1);

        // One row: sorted (nothing moves) and reported.
        CReportCtrl one;
        Fill(one, {"x"});
        QSignalSpy sortedOne(&one, &CReportCtrl::sorted);
        one.SortItems(2, false);
        QCOMPARE(sortedOne.count(), 1);
        QCOMPARE(one.GetSortColumn(), 2);
        QVERIFY(!one.IsSortAscending());
    }

    void realsReadAlikeInADecimalCommaLocale()
    {
        // The process locale is put back however the test ends.
        struct Restore {
            std::string name;
            ~Restore() { std::setlocale(LC_NUMERIC, name.c_str()); }
        } restore{std::setlocale(LC_NUMERIC, nullptr)};
        QVERIFY2(std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") != nullptr,
                 "the pl_PL.UTF-8 locale is missing (scripts/setup.sh generates it)");
        QCOMPARE(std::localeconv()->decimal_point[0], ',');
        QCOMPARE(CReportCtrl::CompareCells("3.75", "12.50"), -1);
        QCOMPARE(CReportCtrl::CompareCells("3,75", "12,50"), 1);  // text: "3" after "1"
        CheckSort({"12.50", "100%", "3.75"}, {"3.75", "12.50", "100%"}, {"100%", "12.50", "3.75"});
    }
};

DALVOR_TEST_MAIN(TestReportSort)
#include "test_report_sort.moc"
