// Row commands of the ledger view: the refusals of editing, moving a record down within
// its day, and the two recalculations.
#include "core/entry/row_editing.h"

#include <gtest/gtest.h>

#include "core/ledgerview/view_fixture.h"
#include "core/session/book_commands.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

class RowEditing : public ::testing::Test {
protected:
    RowEditing() { f.session.currentMonth = 4; }
    Lines List() { return f.session.RecordLines(); }
    bool Move(std::size_t row) { return MoveRowDown(f.session, f.Show().rows, row); }
    ViewFixture f;
    EntryForm form;
};

TEST_F(RowEditing, EditRefusalsInTheirOrder) {
    const LedgerViewResult view = f.Show();
    // The carry row, the totals row and the closing carry carry no record.
    for (std::size_t row : {0u, 6u, 7u})
        EXPECT_FALSE(EditSelectedRow(f.session, form, view.rows[row].RecordIndex()));
    EXPECT_EQ(f.dialogs.Infos(), Lines(3, "確認してください。|修正するデータを選択してください。"));

    // A transfer seen from its other book.
    f.dialogs.Clear();
    SelectBook(f.session, BookId{"預金", "B"});
    EXPECT_FALSE(EditSelectedRow(f.session, form, 2));
    EXPECT_EQ(f.dialogs.Infos(),
              Lines{"確認してください。|転記データです。元帳簿で修正してください。"});

    f.dialogs.Clear();
    SelectAllBooks(f.session);
    EXPECT_FALSE(EditSelectedRow(f.session, form, 2));
    // The lock comes first.
    f.session.ledger.periods.lock[4] = 1;
    EXPECT_FALSE(EditSelectedRow(f.session, form, 2));
    EXPECT_EQ(
        f.dialogs.Infos(),
        (Lines{
            "確認してください。|「全帳簿から検索」が指定されているため、入力・修正はできません。",
            "確認してください。|この月のデ－タはロックされていますので入力・修正はできません。"}));
    EXPECT_EQ(form.mode, EntryMode::New);
    EXPECT_EQ(form.recordIndex, -1);
}

TEST_F(RowEditing, EditFillsTheFormFromTheRecord) {
    EXPECT_TRUE(EditSelectedRow(f.session, form, 2));
    EXPECT_EQ(form.mode, EntryMode::Edit);
    EXPECT_EQ(form.recordIndex, 2);
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2014, 4, 3));
    EXPECT_EQ(form.storedDate, "2014/04/03");
    EXPECT_EQ(form.title, "B");  // the bank tab with the book picked
    EXPECT_EQ(form.tab, EntryTab::Bank);
    EXPECT_EQ(form.description, "預け入れ");
    EXPECT_TRUE(form.income.IsZero());
    EXPECT_EQ(form.expense, Amount::FromYen(1000));
    EXPECT_EQ(form.ownBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(form.otherBook, (BookId{"預金", "B"}));
    EXPECT_TRUE(f.dialogs.events.empty());
}

TEST_F(RowEditing, MovingDownSwapsWithinTheDay) {
    // Row 1 is the first record of 04/01, row 2 the last.
    EXPECT_TRUE(Move(1));
    EXPECT_EQ(List()[0],
              "d04=,2014/04/01,1,売上,店頭,5000,0,15000,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(List()[1],
              "d04=,2014/04/01,0,交通費,バス代,0,220,14780,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_TRUE(f.session.modified);
    EXPECT_EQ(f.Grid()[1], "+|04月01日(火)|売上|店頭|5,000||15,000");

    f.session.modified = false;
    const Lines before = List();
    EXPECT_FALSE(Move(2));   // the last record of its day
    EXPECT_FALSE(Move(5));   // the last record before the totals row
    EXPECT_FALSE(Move(0));   // the carry row
    EXPECT_FALSE(Move(7));   // the last row
    EXPECT_FALSE(Move(40));  // below the rows
    EXPECT_EQ(f.dialogs.Infos(),
              Lines(5, "確認してください。|このデ－タは下に移動する事はできません。"));
    f.dialogs.Clear();
    f.session.ledger.periods.lock[4] = 1;
    EXPECT_FALSE(Move(1));
    EXPECT_EQ(
        f.dialogs.Infos(),
        Lines{"確認してください。|この月のデ－タはロックされていますので入力・修正はできません。"});
    EXPECT_EQ(List(), before);
    EXPECT_FALSE(f.session.modified);
}

TEST(RowMoves, ARecordOfAnotherBookBetweenKeepsItsPlaceAfterTheMovedOnes) {
    ViewFixture f(
        "d04=,2014/04/08,0,売上,S,100,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/08,1,消耗品,Y,0,50,,小口,本店,小口,本店,\n"
        "d04=,2014/04/08,2,売上,T,200,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "z,小口,本店,5000,\n"
        "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
        "f,2014/04/01,2014/04/30,0\nf,2014/05/01,2014/05/31,0\nf,2014/06/01,2014/06/30,0\n"
        "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
        "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n"
        "g,1000,4,1,2014,\n");
    f.session.currentMonth = 4;
    const LedgerViewResult view = f.Show();
    ASSERT_EQ(view.rows[1].RecordIndex(), 0);
    ASSERT_EQ(view.rows[2].RecordIndex(), 2);
    EXPECT_TRUE(MoveRowDown(f.session, view.rows, 1));
    EXPECT_EQ(f.session.RecordLines(),
              (Lines{"d04=,2014/04/08,2,売上,T,200,0,1200,現金,現金出納帳,現金,現金出納帳,",
                     "d04=,2014/04/08,0,売上,S,100,0,1300,現金,現金出納帳,現金,現金出納帳,",
                     // The book list of the view recomputed every book.
                     "d04=,2014/04/08,1,消耗品,Y,0,50,4950,小口,本店,小口,本店,"}));
}

TEST_F(RowEditing, RecalculationsAskFirstAndSayWhatTheyChanged) {
    f.Show();
    const Lines before = List();
    const Balances balances = f.session.balances;
    const int redraws = f.redraws.views;
    f.dialogs.yesNoAnswers = {false, true, false, true};
    EXPECT_FALSE(RecalculateAmounts(f.session));
    EXPECT_EQ(f.redraws.views, redraws);
    EXPECT_TRUE(RecalculateAmounts(f.session));
    EXPECT_EQ(List(), before);
    EXPECT_EQ(f.session.balances.monthEnd, balances.monthEnd);
    EXPECT_EQ(f.session.balances.current, balances.current);
    EXPECT_FALSE(f.session.modified);
    EXPECT_EQ(f.redraws.views, redraws + 1);

    // Declined, then with unchanged periods: nothing to retag.
    f.session.ledger.periods = FiscalPeriods(2014, 4, 5);
    EXPECT_FALSE(RecalculateDates(f.session));
    EXPECT_EQ(List(), before);
    f.session.ledger.periods = FiscalPeriods(2014, 4);
    EXPECT_TRUE(RecalculateDates(f.session));
    EXPECT_EQ(List(), before);
    EXPECT_FALSE(f.session.modified);
    const std::string title = kAppTitle;
    EXPECT_EQ(f.dialogs.Log(), (Lines{"yesno:" + title +
                                          "|表示中の帳簿の残高を最初のデータから計算し直します。"
                                          "よろしいですか？",
                                      "yesno:" + title +
                                          "|表示中の帳簿の残高を最初のデータから計算し直します。"
                                          "よろしいですか？",
                                      "info:確認|0 件の残高を再計算しました",
                                      "yesno:" + title +
                                          "|すべてのデータの月度を現在の期間設定で付け直し、"
                                          "日付順に並べ直します。よろしいですか？",
                                      "yesno:" + title +
                                          "|すべてのデータの月度を現在の期間設定で付け直し、"
                                          "日付順に並べ直します。よろしいですか？",
                                      "info:確認|0 件の日付を再計算しました"}));

    // Periods closing on the 5th: the records of 04/07 to 04/09 belong to May now, the one
    // of 2015/01/10 to February.
    f.dialogs.Clear();
    f.session.ledger.periods = FiscalPeriods(2014, 4, 5);
    EXPECT_TRUE(RecalculateDates(f.session));
    EXPECT_TRUE(f.session.modified);
    EXPECT_EQ(List()[4],
              "d05=,2014/04/07,4,小口現金,小口へ補充,0,3000,9280,現金,現金出納帳,小口,本店,");
    EXPECT_EQ(List()[3].substr(0, 4), "d04=");
    EXPECT_EQ(f.dialogs.Infos(), Lines{"確認|4 件の日付を再計算しました"});
}

// A file whose records are out of date order: the month's run of lines would end at the
// stray record, dropping it from its month while the summary counts it.
TEST(RecalculateDates, PutsRecordsIntoDateOrderKeepingEachDaysOrder) {
    ViewFixture f(
        "d05=,2014/05/02,0,食費,パン,0,300,,現金,おこづかい帳,現金,おこづかい帳,\n"
        "d05=,2014/05/31,1,書籍,本,0,400,,現金,おこづかい帳,現金,おこづかい帳,\n"
        "d05=,2014/05/15,2,食費,米,0,900,,現金,おこづかい帳,現金,おこづかい帳,\n"
        "d05=,2014/05/15,3,日用品,洗剤,0,200,,現金,おこづかい帳,現金,おこづかい帳,\n"
        "d04=,2014/04/20,4,おこづかい,4月分,5000,0,,現金,おこづかい帳,現金,おこづかい帳,\n"
        "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
        "f,2014/04/01,2014/04/30,0\nf,2014/05/01,2014/05/31,0\nf,2014/06/01,2014/06/30,0\n"
        "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
        "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n"
        "g,0,4,2,2014,\n");
    f.session.currentMonth = 5;
    EXPECT_TRUE(RecalculateDates(f.session));
    EXPECT_TRUE(f.session.modified);
    std::vector<std::string> dates;
    for (const std::string& line : f.session.ledger.transactions.Items())
        dates.push_back(line.substr(5, 10) + "#" + line.substr(16, 1));
    EXPECT_EQ(dates, (Lines{"2014/04/20#4", "2014/05/02#0", "2014/05/15#2", "2014/05/15#3",
                            "2014/05/31#1"}));
    EXPECT_EQ(f.dialogs.Infos(),
              (Lines{"確認|0 件の日付を再計算しました\r\n3 件を日付順に並べ替えました"}));
    // The May ledger shows every May record and spends what the records spent.
    const LedgerViewResult view = f.Show();
    Lines records;
    for (const LedgerRow& row : view.rows)
        if (row.Kind() == LedgerRowKind::Record)
            records.push_back(row.Expense() + ";" + row.Balance());
    EXPECT_EQ(records, (Lines{"300;4,700", "900;3,800", "200;3,600", "400;3,200"}));
    EXPECT_EQ(view.totalExpense, "1,800");
}

}  // namespace
}  // namespace velmora::testing
