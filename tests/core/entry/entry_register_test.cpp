// Registering and deleting through the entry form: the checks in their order with their
// texts, the record built, its place in date order, transfers, and edits that keep or
// move their line.
#include <gtest/gtest.h>

#include "core/calendar/holidays.h"
#include "core/entry/entry_form.h"
#include "core/entry/entry_record.h"
#include "core/entry/entry_register.h"
#include "core/entry/row_editing.h"
#include "core/ledgerview/view_fixture.h"
#include "core/session/book_commands.h"
#include "support/ledger_text.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

// Fiscal year from 2024/04/01; period 5 starts on 2024/05/03, leaving two days in no
// period.
const char* const kGapLedger =
    "d04=,2024/04/02,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
    "f,2025/01/01,2025/01/31,0\nf,2025/02/01,2025/02/28,0\nf,2025/03/01,2025/03/31,0\n"
    "f,2024/04/01,2024/04/30,0\nf,2024/05/03,2024/05/31,0\nf,2024/06/01,2024/06/30,0\n"
    "f,2024/07/01,2024/07/31,0\nf,2024/08/01,2024/08/31,0\nf,2024/09/01,2024/09/30,0\n"
    "f,2024/10/01,2024/10/31,0\nf,2024/11/01,2024/11/30,0\nf,2024/12/01,2024/12/31,0\n"
    "g,0,4,1,2024,\n";

// Three cash records: two on 04/05, one on 04/20.
const std::string kShortLedger =
    std::string(
        "d04=,2014/04/05,0,売上,A,1000,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/05,1,売上,B,2000,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/20,2,交通費,C,0,500,,現金,現金出納帳,現金,現金出納帳,\n"
        "z,小口,本店,5000,\n") +
    FiscalYearTrailer(2014, "g,0,4,1,2014,");

class Entry : public ::testing::Test {
protected:
    explicit Entry(std::string_view ledger = kViewLedger) : f(ledger) {}

    // "出納帳データ入力" on day, with title, description and amounts typed.
    void Open(Date day, std::string title, std::string description, long long income,
              long long expense) {
        ASSERT_TRUE(NewEntryCommand(f.session, f.view, form));
        ShowEntryDate(form, day);
        form.title = std::move(title);
        form.description = std::move(description);
        form.income = Amount::FromYen(income);
        form.expense = Amount::FromYen(expense);
        f.dialogs.Clear();
    }
    RegisterResult Register() { return RegisterEntry(f.session, f.view, form); }
    Lines List() { return f.session.RecordLines(); }

    ViewFixture f;
    EntryForm form;
};

class GapEntry : public Entry {
protected:
    GapEntry() : Entry(kGapLedger) {}
};

class ShortEntry : public Entry {
protected:
    ShortEntry() : Entry(kShortLedger) {}
};

TEST_F(Entry, RefusalsComeInTheirOrderAndChangeNothing) {
    const Lines before = List();
    const Date day = Date::FromYmd(2014, 4, 10);
    struct Case {
        const char* title;
        const char* description;
        long long income, expense;
        const char* message;
    };
    const Case cases[] = {
        // Both amounts wins over every later check.
        {"", "", 100, 100, "収入・支出に金額が入力されています。どちらか一方のみ入力して下さい"},
        {"交通費", "", 0, 0,
         "収入・支出がどちらも入力されていません。どちらか一方には必ず入力して下さい"},
        // Ideographic spaces count as empty.
        {"　", "バス代", 0, 220, "科目が入力されていません"},
        {"交通費", " 　", 0, 220, "摘要が入力されていません"},
    };
    for (const Case& c : cases) {
        Open(day, c.title, c.description, c.income, c.expense);
        const RegisterResult r = Register();
        EXPECT_FALSE(r.stored);
        EXPECT_EQ(f.dialogs.Log(), Lines{std::string("info:確認してください。|") + c.message});
        // The form keeps its input.
        EXPECT_EQ(form.title, c.title);
        EXPECT_EQ(form.expense, Amount::FromYen(c.expense));
    }

    // A character the ledger file cannot hold.
    Open(day, "交通費", "バス🚌", 0, 220);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(f.dialogs.Infos(),
              Lines{"確認してください。|摘要の「🚌」はCP932(Shift_JIS)で保存できない文字です。"});
    EXPECT_EQ(form.description, "バス🚌");

    // A locked period.
    f.session.ledger.periods.lock[4] = 1;
    Open(day, "交通費", "バス代", 0, 220);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(f.dialogs.Infos(),
              Lines{"確認してください。|この月のデ－タはロックされていますので入力はできません。"});

    EXPECT_EQ(List(), before);
    EXPECT_FALSE(f.session.modified);
}

TEST_F(Entry, AmountsOfMoreThanTwelveDigitsAreRefused) {
    const Lines before = List();
    const std::pair<long long, long long> amounts[] = {
        {1'000'000'000'000, 0}, {0, 1'000'000'000'000}, {-1'000'000'000'000, 0}};
    for (const auto& [income, expense] : amounts) {
        Open(Date::FromYmd(2014, 4, 10), "売上", "大口", income, expense);
        EXPECT_FALSE(Register().stored);
        EXPECT_EQ(f.dialogs.Infos(),
                  Lines{"確認してください。|金額は12桁（999,999,999,999円）までです。"});
    }
    EXPECT_EQ(List(), before);
    EXPECT_FALSE(f.session.modified);

    Open(Date::FromYmd(2014, 4, 10), "売上", "大口", 999'999'999'999, 0);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(List()[7],
              "d04=,2014/04/10,9,売上,大口,999999999999,0,1000000009279,現金,現金出納帳,現金,"
              "現金出納帳,");
}

TEST_F(Entry, AnEntryThatWouldOverflowABalanceIsRefused) {
    // Bank book B holds nearly the most a balance can.
    f.session.ledger.transactions.Put(
        8, "d01=,2015/01/10,8,預金,大口,922337203600000,0,,預金,B,預金,B,");
    f.session.RecomputeCurrent();
    const Lines before = List();
    const Amount balance = f.session.balances.current;
    const std::string refusal =
        "確認してください。|この金額を登録すると残高が計算できる範囲を超えます。";

    // From the cash book into B: the cash book's balance fits, B's would not.
    Open(Date::FromYmd(2014, 4, 10), "", "", 0, 0);
    ChangeEntryTab(f.session, form, EntryTab::Bank);
    ClickBook(form, EntryTab::Bank, 0);
    form.description = "預け入れ";
    form.expense = Amount::FromYen(999'999'999'999);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(f.dialogs.Infos(), Lines{refusal});
    EXPECT_EQ(List(), before);
    EXPECT_EQ(f.session.balances.current, balance);
    EXPECT_FALSE(f.session.modified);

    // In B itself; a smaller amount fits.
    SelectBook(f.session, BookId{"預金", "B"});
    const Lines bankBefore = List();
    Open(Date::FromYmd(2015, 1, 11), "売上", "追加", 999'999'999'999, 0);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(f.dialogs.Infos(), Lines{refusal});
    EXPECT_EQ(List(), bankBefore);
    form.income = Amount::FromYen(1000);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(f.session.balances.current, Amount::FromYen(922'337'203'622'000));
}

TEST_F(GapEntry, DatesBeforeTheYearAndOutsideEveryPeriod) {
    const std::string noPeriod =
        "確認してください。|指定された日付はどの月切にも該当しません。"
        "環境設定の期間設定を確認して下さい。";
    const std::pair<Date, std::string> cases[] = {
        {Date::FromYmd(2024, 3, 30),
         "確認してください。|開始日以前の日付は入力できません\r\n記録開始日は2024/04/01です"},
        // The day before the first day passes that check and finds no period.
        {Date::FromYmd(2024, 3, 31), noPeriod},
        // The two days before period 5 starts.
        {Date::FromYmd(2024, 5, 2), noPeriod},
    };
    for (const auto& [day, message] : cases) {
        Open(day, "交通費", "バス代", 0, 220);
        EXPECT_FALSE(Register().stored);
        EXPECT_EQ(f.dialogs.Infos(), Lines{message}) << day.ShortText();
    }
    EXPECT_EQ(List().size(), 1u);

    Open(Date::FromYmd(2024, 5, 3), "交通費", "バス代", 0, 220);
    EXPECT_TRUE(Register().stored);
    EXPECT_EQ(List()[1],
              "d05=,2024/05/03,1,交通費,バス代,0,220,-440,現金,現金出納帳,現金,現金出納帳,");
}

TEST_F(Entry, ANewRecordIsPlacedDatedRecomputedAndShown) {
    f.session.currentMonth = 5;
    Open(Date::FromYmd(2014, 4, 10), "消耗品", "ペン", 0, 300);
    const int redraws = f.redraws.views;
    const RegisterResult r = Register();
    EXPECT_TRUE(r.stored);
    EXPECT_FALSE(r.closeForm);
    EXPECT_EQ(r.line, 7);
    const Lines list = List();
    EXPECT_EQ(list[7], "d04=,2014/04/10,9,消耗品,ペン,0,300,8980,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(list[8],
              "d05=,2014/05/02,7,交通費,バス代,0,220,8760,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(list.size(), 10u);
    EXPECT_TRUE(f.session.modified);
    EXPECT_EQ(f.session.currentMonth, 4);
    EXPECT_EQ(f.session.monthPanel, "4");
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2014, 4, 10));
    EXPECT_GT(f.redraws.views, redraws);
    EXPECT_EQ(f.session.balances.current, Amount::FromYen(10760));
    // Ready for the next record: the title stays.
    EXPECT_EQ(form.title, "消耗品");
    EXPECT_EQ(form.description, "");
    EXPECT_TRUE(form.expense.IsZero());
    EXPECT_TRUE(f.dialogs.events.empty());

    // Without "連続入力" the form closes.
    form.continuousEntry = false;
    form.description = "ノート";
    form.income = Amount::FromRaw(1234567);  // 123.4567 yen, kept to the ten-thousandth
    const RegisterResult second = Register();
    EXPECT_TRUE(second.closeForm);
    EXPECT_EQ(List()[8],
              "d04=,2014/04/10,10,消耗品,ノート,123.4567,0,9103.4567,現金,現金出納帳,現金,"
              "現金出納帳,");
}

TEST_F(Entry, TheBlankLineIsAskedFor) {
    Open(Date::FromYmd(2014, 4, 10), "", "　", 0, 0);
    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(f.dialogs.Log(),
              Lines{"yesno:現金出納帳5-Velmora Version5|空白行として登録しますか？"});
    EXPECT_EQ(List().size(), 9u);

    // On a transfer tab with no book picked the blank line stays a record of its book.
    ChangeEntryTab(f.session, form, EntryTab::Bank);
    f.dialogs.Clear();
    f.dialogs.yesNoAnswers = {true};
    const RegisterResult r = Register();
    EXPECT_TRUE(r.stored);
    EXPECT_EQ(f.dialogs.Log(),
              Lines{"yesno:現金出納帳5-Velmora Version5|空白行として登録しますか？"});
    EXPECT_EQ(List()[7], "d04=,2014/04/10,9,,,0,0,9280,現金,現金出納帳,現金,現金出納帳,");
}

TEST_F(Entry, QuotesCommasAndLineBreaksLeaveTitleAndDescription) {
    Open(Date::FromYmd(2014, 4, 10), "消耗,品", "文具,\"A4\"\r\n用紙", 0, 300);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(List()[7],
              "d04=,2014/04/10,9,消耗品,文具A4用紙,0,300,8980,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(form.title, "消耗品");
}

TEST_F(Entry, LinuxInputFormsAreStoredAsWindowsKeepsThemAndControlsAsSpaces) {
    Open(Date::FromYmd(2014, 4, 10), "交通費\t", "4月〜5月−‖¢£¬—¥\x01X", 0, 300);
    ASSERT_TRUE(Register().stored);
    EXPECT_TRUE(f.dialogs.events.empty());
    EXPECT_EQ(List()[7],
              "d04=,2014/04/10,9,交通費 ,4月～5月－∥￠￡￢―￥ X,0,300,8980,現金,現金出納帳,現金,"
              "現金出納帳,");
    EXPECT_EQ(form.title, "交通費 ");

    // Shown mapped also when the record is refused for a character without such a form.
    Open(Date::FromYmd(2014, 4, 10), "交通費", "〜🚌", 0, 300);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(form.description, "～🚌");
}

TEST_F(ShortEntry, RecordsKeepDateOrder) {
    Open(Date::FromYmd(2014, 4, 2), "売上", "first", 10, 0);
    EXPECT_EQ(Register().line, 0);
    form.description = "same day";
    form.income = Amount::FromYen(20);
    ShowEntryDate(form, Date::FromYmd(2014, 4, 5));
    EXPECT_EQ(Register().line, 3);
    ShowEntryDate(form, Date::FromYmd(2014, 4, 20));
    form.description = "last day";
    form.income = Amount::FromYen(30);
    EXPECT_EQ(Register().line, 5);
    EXPECT_EQ(List(),
              (Lines{
                  "d04=,2014/04/02,3,売上,first,10,0,10,現金,現金出納帳,現金,現金出納帳,",
                  "d04=,2014/04/05,0,売上,A,1000,0,1010,現金,現金出納帳,現金,現金出納帳,",
                  "d04=,2014/04/05,1,売上,B,2000,0,3010,現金,現金出納帳,現金,現金出納帳,",
                  "d04=,2014/04/05,4,売上,same day,20,0,3030,現金,現金出納帳,現金,現金出納帳,",
                  "d04=,2014/04/20,2,交通費,C,0,500,2530,現金,現金出納帳,現金,現金出納帳,",
                  "d04=,2014/04/20,5,売上,last day,30,0,2560,現金,現金出納帳,現金,現金出納帳,",
              }));
}

TEST(DateOrderPosition, AfterTheLastLineOnOrBeforeTheDatePassingUnreadableDates) {
    LineList list;
    list.Add("d04=,2014/04/01,0,売上,A,10,0,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d04=,\"2014/04/03\",1,売上,\"B,C\",10,0,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d04=,日付なし,2,売上,D,10,0,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d04=,2014/4/5,3,売上,E,10,0,,現金,現金出納帳,現金,現金出納帳,");
    list.Add("d04=,2014/04/05");
    EXPECT_EQ(DateOrderPosition(list, Date::FromYmd(2014, 3, 31)), 0);
    EXPECT_EQ(DateOrderPosition(list, Date::FromYmd(2014, 4, 1)), 1);
    EXPECT_EQ(DateOrderPosition(list, Date::FromYmd(2014, 4, 3)), 2);
    EXPECT_EQ(DateOrderPosition(list, Date::FromYmd(2014, 4, 4)), 2);
    EXPECT_EQ(DateOrderPosition(list, Date::FromYmd(2014, 4, 5)), 5);
    EXPECT_EQ(DateOrderPosition(LineList(), Date::FromYmd(2014, 4, 5)), 0);
}

TEST_F(ShortEntry, AnEditKeepsItsLineUnlessItsDateChanges) {
    f.session.currentMonth = 4;
    ASSERT_TRUE(EditSelectedRow(f.session, form, 0));
    form.income = Amount::FromYen(1500);
    RegisterResult r = Register();
    EXPECT_TRUE(r.stored);
    EXPECT_TRUE(r.closeForm);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(List()[0], "d04=,2014/04/05,3,売上,A,1500,0,1500,現金,現金出納帳,現金,現金出納帳,");

    // A new date: the old line goes and the record joins the end of its new day.
    ASSERT_TRUE(EditSelectedRow(f.session, form, 0));
    HolidayList holidays;
    ClickEntryDay(f.session, form, holidays, 20, false);
    r = Register();
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(List(), (Lines{
                          "d04=,2014/04/05,1,売上,B,2000,0,2000,現金,現金出納帳,現金,現金出納帳,",
                          "d04=,2014/04/20,2,交通費,C,0,500,1500,現金,現金出納帳,現金,現金出納帳,",
                          "d04=,2014/04/20,3,売上,A,1500,0,3000,現金,現金出納帳,現金,現金出納帳,",
                      }));

    // A date written without leading zeros is the same day: the line stays.
    f.session.ledger.transactions.Put(
        0, "d04=,2014/4/5,1,売上,B,2000,0,,現金,現金出納帳,現金,現金出納帳,");
    ASSERT_TRUE(EditSelectedRow(f.session, form, 0));
    EXPECT_EQ(form.storedDate, "2014/4/5");
    EXPECT_EQ(Register().line, 0);
    EXPECT_EQ(List()[0], "d04=,2014/04/05,3,売上,B,2000,0,2000,現金,現金出納帳,現金,現金出納帳,");
}

TEST_F(ShortEntry, AnEditThatWouldOverflowABalanceLeavesTheRecord) {
    f.session.ledger.transactions.Put(
        2, "d04=,2014/04/20,2,売上,C,922337203600000,0,,現金,現金出納帳,現金,現金出納帳,");
    f.session.currentMonth = 4;
    f.session.RecomputeCurrent();
    const Lines before = List();
    ASSERT_TRUE(EditSelectedRow(f.session, form, 0));
    form.income = Amount::FromYen(999'999'999'999);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(List(), before);
    // With a new date as well: the record stays where it was.
    HolidayList holidays;
    ClickEntryDay(f.session, form, holidays, 20, false);
    EXPECT_FALSE(Register().stored);
    EXPECT_EQ(List(), before);
    EXPECT_FALSE(f.session.balances.overflow);
}

TEST_F(Entry, TransfersTakeTheTabAsTitleAndTheBookAsOtherSide) {
    // From the cash book to bank book B.
    Open(Date::FromYmd(2014, 4, 10), "", "", 0, 0);
    ChangeEntryTab(f.session, form, EntryTab::Bank);
    ASSERT_EQ(form.bankList, Lines{"B"});
    ClickBook(form, EntryTab::Bank, 0);
    EXPECT_EQ(form.title, "B");
    EXPECT_EQ(form.titleLabel, "預金出納帳簿");
    form.description = "預け入れ";
    form.expense = Amount::FromYen(1000);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(List()[7], "d04=,2014/04/10,9,預金,預け入れ,0,1000,8280,現金,現金出納帳,預金,B,");

    // In petty-cash book 本店 the cash book's name leads the petty-cash list and stands for
    // the cash book.
    SelectBook(f.session, BookId{"小口", "本店"});
    f.session.lastSelectedBook = f.session.currentBook;
    Open(Date::FromYmd(2014, 4, 11), "", "戻し", 0, 100);
    EXPECT_EQ(form.pettyList, (Lines{"現金出納帳", "支店"}));
    EXPECT_EQ(form.bankList, Lines{"B"});
    EXPECT_EQ(form.firstTabCaption, "科目リスト");
    ChangeEntryTab(f.session, form, EntryTab::PettyCash);
    ClickBook(form, EntryTab::PettyCash, 0);
    EXPECT_EQ(form.titleLabel, "小口現金帳簿");
    form.description = "戻し";
    form.expense = Amount::FromYen(100);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(List()[8], "d04=,2014/04/11,10,小口現金,戻し,0,100,7500,小口,本店,現金,現金出納帳,");

    // The titles tab of a petty-cash book: the book itself on both sides.
    ChangeEntryTab(f.session, form, EntryTab::Titles);
    form.title = "消耗品";
    form.description = "封筒";
    form.expense = Amount::FromYen(50);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(List()[9], "d04=,2014/04/11,11,消耗品,封筒,0,50,7450,小口,本店,小口,本店,");
}

TEST_F(Entry, PeriodsThatOverlapGiveTheHighestMonth) {
    f.session.ledger.periods.end[4] = Date::FromYmd(2014, 5, 3);
    Open(Date::FromYmd(2014, 5, 2), "交通費", "バス代", 0, 100);
    ASSERT_TRUE(Register().stored);
    EXPECT_EQ(List()[8],
              "d05=,2014/05/02,9,交通費,バス代,0,100,8960,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_EQ(f.session.currentMonth, 5);
}

TEST_F(Entry, LockedPeriodsKeepTheirRecordsWhenEditedOrDeleted) {
    // Seen in the all-periods view of an account search, a record of locked April
    // cannot be moved out of April nor deleted.
    f.session.ledger.periods.lock[4] = 1;
    f.session.accountFilter = "交通費";
    f.session.currentMonth = 13;
    ASSERT_TRUE(EditSelectedRow(f.session, form, 3));
    ShowEntryDate(form, Date::FromYmd(2014, 5, 10));
    f.dialogs.Clear();
    EXPECT_FALSE(Register().stored);
    EXPECT_FALSE(DeleteEntry(f.session, form));
    EXPECT_EQ(
        f.dialogs.Infos(),
        (Lines{
            "確認してください。|この月のデ－タはロックされていますので入力はできません。",
            "確認してください。|この月のデ－タはロックされていますので入力・修正はできません。"}));
    EXPECT_EQ(List().size(), 9u);
    EXPECT_FALSE(f.session.modified);
}

TEST_F(Entry, DeleteAsksWithTheRecordAsHeading) {
    f.session.currentMonth = 4;
    ASSERT_TRUE(EditSelectedRow(f.session, form, 3));
    f.dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(DeleteEntry(f.session, form));
    EXPECT_EQ(List().size(), 9u);
    EXPECT_TRUE(DeleteEntry(f.session, form));
    EXPECT_EQ(f.dialogs.Log(), (Lines{"yesno:2014/04/05:交通費 タクシー代|削除していいですか？",
                                      "yesno:2014/04/05:交通費 タクシー代|削除していいですか？"}));
    const Lines list = List();
    EXPECT_EQ(list.size(), 8u);
    EXPECT_EQ(list[3],
              "d04=,2014/04/07,4,小口現金,小口へ補充,0,3000,10780,現金,現金出納帳,小口,本店,");
    EXPECT_TRUE(f.session.modified);

    // Nothing to delete in new mode.
    ASSERT_TRUE(NewEntryCommand(f.session, f.view, form));
    EXPECT_FALSE(DeleteEntry(f.session, form));
    EXPECT_EQ(List().size(), 8u);
}

}  // namespace
}  // namespace velmora::testing
