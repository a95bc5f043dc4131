// The entry form's state: opening it for a new record, the lists and tabs, the quick
// descriptions and the form's calendar.
#include "core/entry/entry_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/calendar/holidays.h"
#include "core/entry/row_editing.h"
#include "core/ledgerview/view_fixture.h"
#include "core/session/book_commands.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;

class EntryFormTest : public ::testing::Test {
protected:
    EntryFormTest() {
        std::filesystem::create_directories(f.home.File("cldata"));
        WriteCp932(f.home.File("cldata/kamoku1.dat"), "交通費\n\n消耗品\n");
        WriteCp932(f.home.File("cldata/tekiya1.dat"), "バス代\nタクシー代\n");
        WriteCp932(f.home.File("cldata/tekiya3.dat"), "文具\n");
        WriteCp932(f.home.File("cldata/cash_note.dat"), "補充\n");
        WriteCp932(f.home.File("cldata/bank_note.dat"), "預け入れ\n引き出し\n");
        ReloadEntryTitles(f.session, form);
    }
    ViewFixture f;
    EntryForm form;
};

TEST_F(EntryFormTest, TheNewEntryCommandIsRefusedForAllBooksAndForAllMonths) {
    f.view.descriptionFilter = "バス";
    f.session.allBooks = true;
    EXPECT_FALSE(NewEntryCommand(f.session, f.view, form));
    f.session.allBooks = false;
    f.session.currentMonth = 13;
    EXPECT_FALSE(NewEntryCommand(f.session, f.view, form));
    EXPECT_EQ(f.dialogs.Infos(),
              (Lines{"確認|「全帳簿から検索」が指定されているため、入力・修正はできません。",
                     "確認|ALLが指定されているため、入力・修正はできません。"}));
    // Refusals come before the searches are cleared.
    EXPECT_EQ(f.view.descriptionFilter, "バス");
    EXPECT_EQ(f.session.currentMonth, 13);
}

TEST_F(EntryFormTest, ANewEntryClearsTheSearchesAndStartsOnTheMainCalendarsDate) {
    f.view.lastMonthShown = 4;
    f.session.accountFilter = "交通費";
    f.view.incomeFilter = "5000";
    f.view.dateFilter = true;
    ShowEntryDate(form, Date::FromYmd(2014, 1, 1));
    form.title = "前回";
    form.description = "前回";
    form.expense = Amount::FromYen(5);
    form.titleItem = 2;
    f.view.calendar.Show(Date::FromYmd(2014, 4, 9));

    ASSERT_TRUE(NewEntryCommand(f.session, f.view, form));
    EXPECT_EQ(f.session.accountFilter, "");
    EXPECT_EQ(f.view.incomeFilter, "");
    EXPECT_FALSE(f.view.dateFilter);
    EXPECT_EQ(f.session.currentMonth, 4);
    EXPECT_EQ(form.mode, EntryMode::New);
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2014, 4, 9));
    EXPECT_EQ(form.yearText + "|" + form.monthText + "|" + form.dayText, "2014|04|09");
    EXPECT_EQ(form.ownBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(form.otherBook, BookId{});
    EXPECT_EQ(form.title + form.description, "");
    EXPECT_TRUE(form.expense.IsZero());
    EXPECT_EQ(form.titleItem, -1);
    EXPECT_EQ(form.tab, EntryTab::Titles);
    EXPECT_EQ(form.firstTabCaption, "科目");
    EXPECT_EQ(form.titleList, (Lines{"交通費", "", "消耗品"}));
    EXPECT_EQ(form.pettyList, (Lines{"本店", "支店"}));
    EXPECT_EQ(form.bankList, Lines{"B"});
    // The hint names the date of the last line of the list.
    EXPECT_EQ(form.dateHint, "2015/01/10");
    EXPECT_TRUE(form.continuousEntry);

    f.session.ledger.transactions.Clear();
    ASSERT_TRUE(NewEntryCommand(f.session, f.view, form));
    EXPECT_EQ(form.dateHint, "2014/04/10");
}

TEST_F(EntryFormTest, TitlesBooksTabsAndQuickDescriptions) {
    ASSERT_TRUE(NewEntryCommand(f.session, f.view, form));
    ClickTitle(f.session, form, 2);
    EXPECT_EQ(form.title, "消耗品");
    EXPECT_EQ(form.titleLabel, "科　目");
    EXPECT_EQ(form.cells[0], "文具");
    EXPECT_TRUE(ClickDescriptionCell(f.session, form, 1, 0));
    EXPECT_EQ(form.description, "文具");
    EXPECT_FALSE(ClickDescriptionCell(f.session, form, 0, 0));
    EXPECT_EQ(f.dialogs.Log(), Lines{"beep:|"});

    // A transfer tab clears title and description, shows its own file, and its label
    // names its books before one is picked.
    ChangeEntryTab(f.session, form, EntryTab::Bank);
    EXPECT_EQ(form.title + form.description, "");
    EXPECT_EQ(form.titleLabel, "預金出納帳簿");
    EXPECT_EQ(form.cells[1], "引き出し");
    ClickBook(form, EntryTab::Bank, 0);
    EXPECT_EQ(form.title, "B");
    EXPECT_EQ(form.SelectedItem(), 0);
    ChangeEntryTab(f.session, form, EntryTab::PettyCash);
    EXPECT_EQ(form.titleLabel, "小口現金帳簿");
    EXPECT_EQ(form.cells[0], "補充");
    EXPECT_EQ(form.SelectedItem(), -1);
    // Without a book picked a cell cannot be registered.
    f.dialogs.Clear();
    EXPECT_FALSE(DoubleClickDescriptionCell(f.session, form, 1, 1));
    EXPECT_EQ(f.dialogs.Infos(), Lines{"確認してください。|科目を選択してください"});

    // Back on the titles tab the selected title is taken again with its list.
    ChangeEntryTab(f.session, form, EntryTab::Titles);
    EXPECT_EQ(form.title, "消耗品");
    EXPECT_EQ(form.cells[0], "文具");
    f.dialogs.textAnswers = {std::string("ペン")};
    EXPECT_TRUE(DoubleClickDescriptionCell(f.session, form, 2, 0));
    EXPECT_EQ(form.cells[12], "ペン");
    EXPECT_EQ(ReadDescriptionList(f.home.File("cldata/tekiya3.dat"))[12], "ペン");
    EXPECT_EQ(ReadDescriptionList(f.home.File("cldata/tekiya3.dat"))[0], "文具");
}

TEST_F(EntryFormTest, EditingOpensOnTheTabOfTheRecord) {
    f.session.currentMonth = 4;
    // An ordinary record: its title picked and its descriptions loaded.
    ASSERT_TRUE(EditSelectedRow(f.session, form, 0));
    EXPECT_EQ(form.tab, EntryTab::Titles);
    EXPECT_EQ(form.titleItem, 0);
    EXPECT_EQ(form.cells[1], "タクシー代");
    EXPECT_EQ(form.yearText + "|" + form.monthText + "|" + form.dayText, "2014|04|01");

    // A transfer to petty-cash book 本店: that tab, the book picked, the tab's file.
    ASSERT_TRUE(EditSelectedRow(f.session, form, 4));
    EXPECT_EQ(form.tab, EntryTab::PettyCash);
    EXPECT_EQ(form.title, "本店");
    EXPECT_EQ(form.pettyItem, 0);
    EXPECT_EQ(form.titleLabel, "小口現金帳簿");
    EXPECT_EQ(form.cells[0], "補充");
    EXPECT_EQ(form.description, "小口へ補充");
    EXPECT_EQ(form.expense, Amount::FromYen(3000));
    EXPECT_EQ(form.otherBook, (BookId{"小口", "本店"}));

    // Seen from the petty-cash book, a record going to the cash book opens on its
    // petty-cash tab, where the cash book's name leads the list.
    f.session.ledger.transactions.Put(
        5, "d04=,2014/04/08,5,小口現金,戻し,0,400,,小口,本店,現金,現金出納帳,");
    SelectBook(f.session, BookId{"小口", "本店"});
    ASSERT_TRUE(EditSelectedRow(f.session, form, 5));
    EXPECT_EQ(form.tab, EntryTab::PettyCash);
    EXPECT_EQ(form.pettyList, (Lines{"現金出納帳", "支店"}));
    EXPECT_EQ(form.pettyItem, 0);
    EXPECT_EQ(form.title, "現金出納帳");
    EXPECT_EQ(form.firstTabCaption, "科目リスト");
}

TEST_F(EntryFormTest, TheFormCalendar) {
    ShowEntryDate(form, Date::FromYmd(2014, 4, 10));
    StepEntryCalendar(form, -1);
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2014, 3, 1));
    EXPECT_EQ(form.yearText + "|" + form.monthText + "|" + form.dayText, "2014|03|01");
    StepEntryCalendar(form, 13);
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2015, 4, 1));
    EntryCalendarToday(f.session, form);
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2014, 4, 10));

    HolidayList holidays;
    ClickEntryDay(f.session, form, holidays, 0, true);  // a panel of another month
    ClickEntryDay(f.session, form, holidays, 31, false);
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2014, 4, 10));
    ClickEntryDay(f.session, form, holidays, 29, false);
    EXPECT_EQ(form.dayText, "29");
    EXPECT_TRUE(f.dialogs.events.empty());

    std::filesystem::create_directories(f.home.File("config"));
    ClickEntryDay(f.session, form, holidays, 3, true);
    EXPECT_EQ(f.dialogs.Log(),
              Lines{"yesno:現金出納帳5-Velmora Version5|4月3日を休日として再設定しますか？"});
    EXPECT_TRUE(holidays.Contains(4, 3));
    EXPECT_EQ(form.calendar.selected, Date::FromYmd(2014, 4, 3));
    EXPECT_EQ(ReadBytes(f.home.File("config/SDAYLIST.DAT")), "04,03,\r\n");
}

}  // namespace
}  // namespace velmora::testing
