// The searches of the ledger view and the commands that end them.
#include <gtest/gtest.h>

#include "core/ledgerview/search_commands.h"
#include "core/session/book_commands.h"
#include "view_fixture.h"

namespace velmora::testing {
namespace {

TEST(SearchCommands, InputBoxesStartWithTheRowOrTheFilter) {
    ViewFixture f;
    f.redraws.views = 0;
    f.view.descriptionFilter = "前";
    f.dialogs.textAnswers = {std::string("タクシー"), std::nullopt, std::string("代")};
    EXPECT_TRUE(SearchByDescription(f.session, f.view, 3));
    EXPECT_EQ(f.view.descriptionFilter, "タクシー");
    // Cancel changes nothing.
    EXPECT_FALSE(SearchByDescription(f.session, f.view, std::nullopt));
    EXPECT_EQ(f.view.descriptionFilter, "タクシー");
    EXPECT_TRUE(SearchByDescription(f.session, f.view, 99));
    EXPECT_EQ(f.view.descriptionFilter, "代");
    EXPECT_EQ(f.redraws.views, 2);

    f.view.incomeFilter = "5000";
    f.dialogs.textAnswers = {std::string("300"), std::string("1500")};
    EXPECT_TRUE(SearchByIncome(f.session, f.view));
    EXPECT_TRUE(SearchByExpense(f.session, f.view));
    EXPECT_EQ(f.view.incomeFilter, "300");
    EXPECT_EQ(f.view.expenseFilter, "1500");
    const std::string title = "text:現金出納帳5-Velmora Version5|";
    EXPECT_EQ(f.dialogs.Log(), (std::vector<std::string>{
                                   title + "摘要を入力してください。|タクシー代",
                                   title + "摘要を入力してください。|タクシー",
                                   title + "摘要を入力してください。|タクシー",
                                   title + "収入金額を入力してください。|5000",
                                   title + "支出金額を入力してください。|",
                               }));
}

TEST(SearchCommands, AmountsTypedWithThousandsSeparatorsFindTheStoredAmount) {
    ViewFixture f;
    f.dialogs.textAnswers = {std::string(" 1,500\t"), std::string("5,000")};
    EXPECT_TRUE(SearchByExpense(f.session, f.view));
    EXPECT_EQ(f.view.expenseFilter, "1500");
    EXPECT_EQ(f.Grid(), (std::vector<std::string>{"+|04月05日(土)|交通費|タクシー代||1,500|12,280",
                                                  "+|||【合  計】|0|1,500|", "=||||||"}));
    EXPECT_TRUE(SearchByIncome(f.session, f.view));
    EXPECT_EQ(f.view.incomeFilter, "5000");
    EXPECT_EQ(TypedAmountFilter("-1,234,567"), "-1234567");
}

TEST(SearchCommands, PreviewShowsTheFourFilters) {
    ViewFixture f;
    f.session.accountFilter = "交通費";
    f.view.descriptionFilter = "バス";
    f.view.expenseFilter = "220";
    ShowSearchConditions(f.session, f.view);
    EXPECT_EQ(f.dialogs.Infos(), (std::vector<std::string>{
                                     "確認|現在の検索条件は下記です。\r\n"
                                     "----------------------------------------------------\r\n"
                                     "科  目:交通費\r\n摘  要:バス\r\n収入金額:\r\n支出金額:220"}));
}

TEST(SearchCommands, EveryCancelEndsTheAccountSearchAndTheAllBooksView) {
    ViewFixture f;
    SelectBook(f.session, BookId{"小口", "本店"});
    f.view.lastMonthShown = 5;
    auto search = [&f] {
        f.session.accountFilter = "交通費";
        f.view.descriptionFilter = "代";
        f.view.incomeFilter = "1";
        f.view.expenseFilter = "2";
        f.view.dateFilter = true;
        SelectAllBooks(f.session);
        f.session.currentMonth = 13;
        f.session.monthPanel = "13";
    };
    search();
    ClearDescriptionSearch(f.session, f.view);
    EXPECT_EQ(f.session.accountFilter, "");
    EXPECT_EQ(f.view.descriptionFilter, "");
    EXPECT_EQ(f.view.incomeFilter, "1");
    EXPECT_EQ(f.view.expenseFilter, "2");
    EXPECT_FALSE(f.view.dateFilter);
    EXPECT_FALSE(f.session.allBooks);
    EXPECT_EQ(f.session.currentBook, (BookId{"小口", "本店"}));
    EXPECT_EQ(f.session.currentMonth, 5);
    EXPECT_EQ(f.session.monthPanel, "5");

    search();
    ClearIncomeSearch(f.session, f.view);
    EXPECT_EQ(f.view.incomeFilter, "");
    EXPECT_EQ(f.view.descriptionFilter, "代");
    search();
    ClearExpenseSearch(f.session, f.view);
    EXPECT_EQ(f.view.expenseFilter, "");
    EXPECT_EQ(f.view.incomeFilter, "1");
    search();
    ClearTitleSearch(f.session, f.view);
    EXPECT_EQ(f.session.accountFilter, "");
    EXPECT_EQ(f.view.expenseFilter, "2");
    search();
    f.redraws.views = 0;
    ClearSearches(f.session, f.view);
    EXPECT_EQ(f.session.accountFilter + f.view.descriptionFilter + f.view.incomeFilter +
                  f.view.expenseFilter,
              "");
    EXPECT_EQ(f.redraws.views, 1);
    EXPECT_EQ(f.session.currentBook, (BookId{"小口", "本店"}));
    EXPECT_EQ(RowLine(f.Show().rows[0]), "+|||■前月繰越|||7,600");
}

TEST(SearchCommands, SearchRunsOnAllBooksOrOnTheSavedBook) {
    ViewFixture f;
    SelectBook(f.session, BookId{"預金", "B"});
    f.session.allBooks = true;
    RunSearch(f.session);
    EXPECT_EQ(f.session.currentBook, (BookId{"全帳簿", "全帳簿"}));
    f.session.allBooks = false;
    RunSearch(f.session);
    EXPECT_EQ(f.session.currentBook, (BookId{"預金", "B"}));
    EXPECT_EQ(f.session.balances.current, Amount::FromYen(21000));

    f.redraws.views = 0;
    SetAccountFilter(f.session, "交通費");
    EXPECT_EQ(f.session.accountFilter, "交通費");
    EXPECT_EQ(f.redraws.views, 1);
}

}  // namespace
}  // namespace velmora::testing
