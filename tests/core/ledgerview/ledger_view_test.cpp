// The ledger view: exact grid rows of one book and one month, carries, totals, filters,
// transfers seen from both sides and the all-books view.
#include <gtest/gtest.h>

#include "core/ledgerview/ledger_view.h"
#include "core/session/book_commands.h"
#include "view_fixture.h"

namespace velmora::testing {
namespace {

using Grid = std::vector<std::string>;

TEST(LedgerView, StartMonthOfTheCashBook) {
    ViewFixture f;
    f.session.currentMonth = 4;
    LedgerViewResult r = f.Show();
    Grid grid;
    for (const auto& row : r.rows) grid.push_back(RowLine(row));
    EXPECT_EQ(grid, (Grid{
                        "+|||■前年度繰越|||10,000",
                        "+|04月01日(火)|交通費|バス代||220|9,780",
                        "+||売上|店頭|5,000||14,780",
                        "+|04月03日(木)|預金|預け入れ　《B》||1,000|13,780",
                        "+|04月05日(土)|交通費|タクシー代||1,500|12,280",
                        "+|04月07日(月)|小口|小口へ補充　《本店》||3,000|9,280",
                        "+|||【当月合計】|5,000|5,720|",
                        "=|||□次月繰越|||9,280",
                    }));
    EXPECT_EQ(r.rows[3].Text(), "04月03日(木);預金;預け入れ　《B》;;1,000;13,780;2;");
    EXPECT_EQ(r.rows[0].Text(), ";;■前年度繰越;;;10,000;;");
    EXPECT_EQ(r.rows[6].Text(), ";;【当月合計】;5,000;5,720;;;");
    std::vector<std::optional<int>> indexes;
    for (const auto& row : r.rows) indexes.push_back(row.RecordIndex());
    EXPECT_EQ(indexes, (std::vector<std::optional<int>>{std::nullopt, 0, 1, 2, 3, 4, std::nullopt,
                                                        std::nullopt}));
    EXPECT_EQ(r.rows[0].Kind(), LedgerRowKind::OpeningCarry);
    EXPECT_EQ(r.rows[6].Kind(), LedgerRowKind::Totals);
    EXPECT_EQ(r.rows[7].Kind(), LedgerRowKind::ClosingCarry);

    EXPECT_EQ(r.totalIncome, "5,000");
    EXPECT_EQ(r.totalExpense, "5,720");
    EXPECT_EQ(r.totalDifference, "-720");
    EXPECT_EQ(r.searchRange, "2014年04月01日～2014年04月30日");
    EXPECT_EQ(r.bookTitle, "現金出納帳   ");
    EXPECT_EQ(r.ledgerTab, 1);
    EXPECT_EQ(f.view.lastMonthShown, 4);
    EXPECT_EQ(f.view.periodIncome[4], Amount::FromYen(5000));
    EXPECT_EQ(f.view.periodExpense[4], Amount::FromYen(5720));

    // The book list is refreshed, and the records then carry the current book's balances.
    std::vector<std::string> books;
    for (const auto& b : r.bookBalances) books.push_back(b.HiddenText());
    EXPECT_EQ(books, (std::vector<std::string>{"現金;現金出納帳;9,280;", "小口;本店;7,600;",
                                               "小口;支店;-400;", "預金;B;21,000;"}));
    EXPECT_EQ(f.session.RecordLines()[4],
              "d04=,2014/04/07,4,小口現金,小口へ補充,0,3000,9280,現金,現金出納帳,小口,本店,");
    EXPECT_EQ(kMarkEnd, r.rows[MoveDownRow(r)].Marker());
    EXPECT_EQ(MoveDownRow(r), 7);
}

TEST(LedgerView, OtherMonthsCarryThePreviousCalendarMonth) {
    ViewFixture f;
    // May: April's month-end balance. The April record whose description holds "d05="
    // does not start May.
    f.session.currentMonth = 5;
    EXPECT_EQ(f.Grid(), (Grid{
                            "+|||■前月繰越|||9,280",
                            "+|05月02日(金)|交通費|バス代||220|9,060",
                            "+|||【当月合計】|0|220|",
                            "=|||□次月繰越|||9,060",
                        }));
    // A month without records.
    f.session.currentMonth = 6;
    EXPECT_EQ(f.Grid(), (Grid{
                            "+|||■前月繰越|||9,060",
                            "+|||【当月合計】|0|0|",
                            "=|||□次月繰越|||9,060",
                        }));
    // January takes December's balance.
    f.session.currentMonth = 1;
    LedgerViewResult jan = f.Show();
    EXPECT_EQ(RowLine(jan.rows[0]), "+|||■前月繰越|||9,060");
    EXPECT_EQ(RowLine(jan.rows[1]), "+|01月10日(土)|売上|年始|2,000||11,060");
    EXPECT_EQ(RowLine(jan.rows[3]), "=|||□次月繰越|||11,060");
    EXPECT_EQ(jan.searchRange, "2015年01月01日～2015年01月31日");
    EXPECT_EQ(jan.ledgerTab, 10);
    f.session.currentMonth = 3;
    EXPECT_EQ(RowLine(f.Show().rows[0]), "+|||■前月繰越|||11,060");

    EXPECT_EQ(FirstLineOfMonth(f.session.ledger.transactions, "d05="), 7);
    EXPECT_EQ(FirstLineOfMonth(f.session.ledger.transactions, "d02="), 9);
}

TEST(LedgerView, MonthStartsAtTheFirstLineThatBeginsWithItsTag) {
    LineList list;
    list.Add("d04=,2014/04/01,0,雑費,メモd05=,0,10,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("D05=,2014/05/01,1,雑費,大文字,0,10,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d05");
    list.Add("");
    list.Add("d05=,2014/05/02,2,雑費,本物,0,10,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d06=,2014/06/01,3,雑費,次,0,10,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d05=,2014/05/03,4,雑費,後ろ,0,10,,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(FirstLineOfMonth(list, "d05="), 4);
    EXPECT_EQ(FirstLineOfMonth(list, "d06="), 5);
    EXPECT_EQ(FirstLineOfMonth(list, "d04="), 0);
    EXPECT_EQ(FirstLineOfMonth(list, "d07="), 7);
    EXPECT_EQ(FirstLineOfMonth(LineList(), "d04="), 0);
}

TEST(LedgerView, TransferSeenFromBothBooksAndANegativeBook) {
    ViewFixture f;
    f.session.currentMonth = 4;
    SelectBook(f.session, BookId{"預金", "B"});
    LedgerViewResult bank = f.Show();
    Grid grid;
    for (const auto& row : bank.rows) grid.push_back(RowLine(row));
    EXPECT_EQ(grid, (Grid{
                        "+|||■前年度繰越|||20,000",
                        "+|04月03日(木)|現金|預け入れ　《現金出納帳》|1,000||21,000",
                        "+|||【当月合計】|1,000|0|",
                        "=|||□次月繰越|||21,000",
                    }));
    EXPECT_EQ(bank.bookTitle, "預金 B   ");

    SelectBook(f.session, BookId{"小口", "支店"});
    LedgerViewResult petty = f.Show();
    grid.clear();
    for (const auto& row : petty.rows) grid.push_back(RowLine(row));
    EXPECT_EQ(grid, (Grid{
                        "+|||■前年度繰越|||100",
                        "-|04月09日(水)|消耗品|d05=の印||500|-400",
                        "+|||【当月合計】|0|500|",
                        "*|||□次月繰越|||-400",
                    }));
    // No "=" row: "最終行へ移動" goes to the last row.
    EXPECT_EQ(MoveDownRow(petty), 4);
    EXPECT_FALSE(BalanceInRed(f.session, petty.rows[1]));
    f.session.settings.negativeInRed = true;
    EXPECT_TRUE(BalanceInRed(f.session, petty.rows[1]));
    EXPECT_TRUE(BalanceInRed(f.session, petty.rows[3]));
    EXPECT_FALSE(BalanceInRed(f.session, petty.rows[0]));
}

TEST(LedgerView, FiltersDropTheCarriesAndEndWithAMark) {
    ViewFixture f;
    f.session.currentMonth = 4;
    // The account filter shows the running sum of the rows shown.
    f.session.accountFilter = "交通費";
    LedgerViewResult r = f.Show();
    Grid grid;
    for (const auto& row : r.rows) grid.push_back(RowLine(row));
    EXPECT_EQ(grid, (Grid{
                        "-|04月01日(火)|交通費|バス代||220|-220",
                        "-|04月05日(土)|交通費|タクシー代||1,500|-1,720",
                        "+|||【合  計】|0|1,720|",
                        "=||||||",
                    }));
    EXPECT_EQ(r.rows[3].Kind(), LedgerRowKind::EndMark);
    EXPECT_EQ(r.rows[3].Text(), ";;;;;;;");
    EXPECT_EQ(r.totalDifference, "-1,720");
    EXPECT_EQ(MoveDownRow(r), 3);

    // The description filter keeps the stored balances.
    f.session.accountFilter.clear();
    f.view.descriptionFilter = "代";
    EXPECT_EQ(f.Grid(), (Grid{
                            "+|04月01日(火)|交通費|バス代||220|9,780",
                            "+|04月05日(土)|交通費|タクシー代||1,500|12,280",
                            "+|||【合  計】|0|1,720|",
                            "=||||||",
                        }));
    // The first row shown gets its date label even when an earlier record of the day was
    // filtered out.
    f.view.descriptionFilter.clear();
    f.view.incomeFilter = "5000";
    EXPECT_EQ(f.Grid(), (Grid{
                            "+|04月01日(火)|売上|店頭|5,000||14,780",
                            "+|||【合  計】|5,000|0|",
                            "=||||||",
                        }));
    // Stored amounts have no separators: nothing matches, only the end mark is written.
    f.view.incomeFilter.clear();
    f.view.expenseFilter = "1,000";
    LedgerViewResult none = f.Show();
    ASSERT_EQ(none.rows.size(), 1u);
    EXPECT_EQ(RowLine(none.rows[0]), "=||||||");
    EXPECT_EQ(none.totalIncome + "/" + none.totalExpense + "/" + none.totalDifference, "0/0/0");
    EXPECT_EQ(MoveDownRow(none), 1);
    f.view.expenseFilter = "1000";
    EXPECT_EQ(f.Grid()[0], "+|04月03日(木)|預金|預け入れ　《B》||1,000|13,780");
}

TEST(LedgerView, DateFilterShowsOneDayWithOneLabel) {
    ViewFixture f;
    f.session.currentMonth = 4;
    f.view.dateFilter = true;
    f.view.calendar.Show(Date::FromYmd(2014, 4, 1));
    LedgerViewResult r = f.Show();
    Grid grid;
    for (const auto& row : r.rows) grid.push_back(RowLine(row));
    EXPECT_EQ(grid, (Grid{
                        "+|04月01日(火)|交通費|バス代||220|9,780",
                        "+||売上|店頭|5,000||14,780",
                        "+|||【合  計】|5,000|220|",
                        "=||||||",
                    }));
    EXPECT_EQ(r.searchRange, "2014年04月01日(火)");

    // A national holiday is named after the day, unless the settings turn them off.
    f.view.calendar.Show(Date::FromYmd(2014, 4, 29));
    EXPECT_EQ(f.Show().searchRange, "2014年04月29日(火)　昭和の日");
    f.session.settings.showNationalHolidays = false;
    EXPECT_EQ(f.Show().searchRange, "2014年04月29日(火)");
}

TEST(LedgerView, AllPeriodsUnderAnAccountFilter) {
    ViewFixture f;
    f.session.accountFilter = "交通費";
    f.session.currentMonth = 13;
    f.view.lastMonthShown = 6;
    LedgerViewResult r = f.Show();
    Grid grid;
    for (const auto& row : r.rows) grid.push_back(RowLine(row));
    EXPECT_EQ(grid, (Grid{
                        "-|04月01日(火)|交通費|バス代||220|-220",
                        "-|04月05日(土)|交通費|タクシー代||1,500|-1,720",
                        "-|05月02日(金)|交通費|バス代||220|-1,940",
                        "+|||【合  計】|0|1,940|",
                        "=||||||",
                    }));
    EXPECT_EQ(r.searchRange, "全期間検索");
    EXPECT_EQ(r.bookTitle, "現金出納帳 : 全月検索");
    EXPECT_EQ(r.ledgerTab, 0);
    EXPECT_EQ(f.view.lastMonthShown, 6);
    EXPECT_EQ(f.view.periodExpense[13], Amount::FromYen(1940));
}

TEST(LedgerView, AllBooksShowEveryBookButNoTransferBetweenKinds) {
    ViewFixture f;
    f.session.currentMonth = 4;
    SelectAllBooks(f.session);
    LedgerViewResult r = f.Show();
    Grid grid;
    for (const auto& row : r.rows) grid.push_back(RowLine(row));
    // Each ordinary record keeps the balance of its own book from the book list.
    EXPECT_EQ(grid, (Grid{
                        "+|04月01日(火)|交通費|バス代||220|9,780",
                        "+||売上|店頭|5,000||14,780",
                        "+|04月05日(土)|交通費|タクシー代||1,500|12,280",
                        "+|04月08日(火)|消耗品|文具||400|7,600",
                        "-|04月09日(水)|消耗品|d05=の印||500|-400",
                        "+|||【当月合計】|5,000|2,620|",
                        "=|||□次月繰越|||0",
                    }));
    EXPECT_EQ(r.bookTitle, "全帳簿 : ");
}

TEST(LedgerView, SemicolonsInTextsStayInTheirCell) {
    ViewFixture f(
        "d04=,2014/04/02,0,雑費;他,a;b,0,100,,現金,現金出納帳,現金,現金出納帳,\n"
        "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
        "f,2014/04/01,2014/04/30,0\nf,2014/05/01,2014/05/31,0\nf,2014/06/01,2014/06/30,0\n"
        "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
        "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n"
        "g,0,4,1,2014,\n");
    f.session.currentMonth = 4;
    LedgerViewResult r = f.Show();
    ASSERT_EQ(r.rows.size(), 4u);
    EXPECT_EQ(r.rows[1].Title(), "雑費;他");
    EXPECT_EQ(r.rows[1].Description(), "a;b");
    EXPECT_EQ(r.rows[1].Expense(), "100");
    EXPECT_EQ(r.rows[1].Balance(), "-100");
    EXPECT_EQ(r.rows[1].RecordIndex(), 0);
    EXPECT_EQ(r.rows[1].DateText(), "04月02日(水)");
    EXPECT_EQ(RowLine(r.rows[0]), "+|||■前年度繰越|||0");
}

TEST(LedgerView, RowsArePaddedToFillTheWindow) {
    // 20-pixel rows: 230 pixels hold 11 whole rows; more rows written than fit stay.
    EXPECT_EQ(PaddedRowCount(5, 230), 11);
    EXPECT_EQ(PaddedRowCount(12, 230), 12);
    EXPECT_EQ(PaddedRowCount(0, 19), 0);
    EXPECT_EQ(PaddedRowCount(3, 0), 3);
}

}  // namespace
}  // namespace velmora::testing
