// The monthly summary built from small ledgers: sections, totals, the balance row and the
// month columns, for all books and for one book.
#include "core/reports/monthly_summary.h"

#include <gtest/gtest.h>

#include "core/reports/label_order.h"
#include "summary_ledger.h"

namespace velmora::testing {
namespace {

const std::string kEmptyCells = "|||||||||||||";  // columns 2..14 of a heading row

// A row with twelve month cells (fiscal order, separated by blanks) and a year total.
std::string Row(const std::string& marker, const std::string& label, const std::string& months,
                const std::string& total) {
    std::string text = marker + "|" + label;
    std::size_t start = 0;
    for (int i = 0; i < 12; ++i) {
        const std::size_t end = months.find(' ', start);
        text += "|" + months.substr(start, end - start);
        start = end + 1;
    }
    return text + "|" + total;
}

std::string Heading(const std::string& label) {
    return "-|" + label + kEmptyCells;
}
const std::string kBlankRow = "||||||||||||||";

MonthlySummary BuildAllBooks(const Ledger& ledger) {
    MonthlySummary summary;
    summary.OpenPage(ledger);
    return summary;
}

TEST(MonthlySummary, OnlyExpensesStartOnRowOneAndTheBalanceIsTheirNegative) {
    const Ledger ledger = MakeLedger({{1, "交通費", "バス", "0", "220"},
                                      {3, "交通費", "電車", "0", "1000"},
                                      {2, "消耗品費", "紙", "0", "5000"}});
    const MonthlySummary s = BuildAllBooks(ledger);
    EXPECT_EQ(RowText(s.grid(), 0),
              "|科　目|1月度|2月度|3月度|4月度|5月度|6月度|7月度|8月度|9月度|10月度|11月度|12月度|"
              "科目年間計");
    EXPECT_EQ(BodyRows(s.grid(), 7),
              (std::vector<std::string>{
                  Heading("■支出の部"), Row("", "交通費", "220 0 1,000 0 0 0 0 0 0 0 0 0", "1,220"),
                  Row("", "消耗品費", "0 5,000 0 0 0 0 0 0 0 0 0 0", "5,000"),
                  Row("", "　[合　計]", "220 5,000 1,000 0 0 0 0 0 0 0 0 0", "6,220"), kBlankRow,
                  Row("=", "【収　支　計】", "-220 -5,000 -1,000 0 0 0 0 0 0 0 0 0", "-6,220"),
                  kBlankRow}));
    EXPECT_EQ(s.incomeTotalRow(), 0);
    EXPECT_EQ(s.expenseTotalRow(), 4);
    EXPECT_EQ(s.lastRow(), 6);
    EXPECT_EQ(s.caption(), "月別科目一覧表");
    EXPECT_EQ(s.range(), "2014年01月01日～2014年12月31日");
    EXPECT_EQ(s.grid().RowCount(), 50);
}

TEST(MonthlySummary, ZeroIncomeAndZeroExpenseIsAnExpenseRowOfZeros) {
    const Ledger ledger =
        MakeLedger({{5, "雑費", "調整", "0", "0"}, {5, "売上", "A社", "100", "0"}});
    const MonthlySummary s = BuildAllBooks(ledger);
    EXPECT_EQ(BodyRows(s.grid(), 9),
              (std::vector<std::string>{
                  Heading("■収入の部"), Row("", "売上", "0 0 0 0 100 0 0 0 0 0 0 0", "100"),
                  Row("", "　[合　計]", "0 0 0 0 100 0 0 0 0 0 0 0", "100"), kBlankRow,
                  Heading("■支出の部"), Row("", "雑費", "0 0 0 0 0 0 0 0 0 0 0 0", "0"),
                  Row("", "　[合　計]", "0 0 0 0 0 0 0 0 0 0 0 0", "0"), kBlankRow,
                  Row("=", "【収　支　計】", "0 0 0 0 100 0 0 0 0 0 0 0", "100")}));
    EXPECT_EQ(s.incomeTotalRow(), 3);
    EXPECT_EQ(s.expenseTotalRow(), 7);
}

TEST(MonthlySummary, OneTitleInTwoMonthsAddsFourDecimalAmountsIntoOneRow) {
    // 100.5 + 200.25: each cell rounds on its own, the year total rounds the exact sum.
    const Ledger ledger = MakeLedger({{1, "売上", "A", "100.5", "0"},
                                      {2, "売上", "B", "200.25", "0"},
                                      {2, "売上", "C", "0.25", "0"}});
    const MonthlySummary s = BuildAllBooks(ledger);
    EXPECT_EQ(RowText(s.grid(), 2), Row("", "売上", "101 201 0 0 0 0 0 0 0 0 0 0", "301"));
    EXPECT_EQ(RowText(s.grid(), 5),
              Row("=", "【収　支　計】", "101 201 0 0 0 0 0 0 0 0 0 0", "301"));
    EXPECT_EQ(s.lastRow(), 5);  // income only: the balance row is L + 4
}

TEST(MonthlySummary, FiscalYearFromAprilFillsColumnsTwoToThirteen) {
    Ledger ledger =
        MakeLedger({{4, "売上", "四月", "100", "0"}, {3, "売上", "三月", "300", "0"}}, 4);
    for (int k = 1; k <= 3; ++k) {
        ledger.periods.start[k] = Date::FromYmd(2015, k, 1);
        ledger.periods.end[k] = Date::FromYmd(2015, k, DaysInMonth(2015, k));
    }
    const MonthlySummary s = BuildAllBooks(ledger);
    EXPECT_EQ(RowText(s.grid(), 0),
              "|科　目|4月度|5月度|6月度|7月度|8月度|9月度|10月度|11月度|12月度|1月度|2月度|3月度|"
              "科目年間計");
    EXPECT_EQ(RowText(s.grid(), 2), Row("", "売上", "100 0 0 0 0 0 0 0 0 0 0 300", "400"));
    EXPECT_EQ(s.monthColumns().ColumnOf(4), 2);
    EXPECT_EQ(s.monthColumns().ColumnOf(3), 13);
    EXPECT_EQ(s.monthColumns().ColumnOf(12), 10);
    EXPECT_EQ(s.monthColumns().ColumnOf(1), 11);
    // The fiscal year, from the first day of April's period to the last of March's: never
    // the start of January's period to that of December's, which runs backwards.
    EXPECT_EQ(s.range(), "2014年04月01日～2015年03月31日");
}

TEST(MonthlySummary, AllBooksLeaveTransfersOutOfTheRowsButAddThemToExistingOnes) {
    const std::string cash = "現金", cashName = "現金出納帳";
    const Ledger ledger = MakeLedger({
        {1, "振替", "入金", "500", "0"},
        {1, "振替", "出金", "0", "300"},
        {2, "振替", "預入", "0", "1000", cash, cashName, "預金", "A銀行"},
        {2, "預金移動", "行なし", "0", "800", cash, cashName, "預金", "A銀行"},
        {3, "補充", "本店へ", "0", "700", "小口", "本店", "小口", "支店"},
        {3, "補充", "通常", "0", "50", "小口", "本店", "小口", "本店"},
        {3, "補充", "戻し", "40", "0", "小口", "本店", "小口", "本店"},
    });
    const MonthlySummary s = BuildAllBooks(ledger);
    EXPECT_EQ(BodyRows(s.grid(), 11),
              (std::vector<std::string>{
                  Heading("■収入の部"), Row("", "振替", "500 1,000 0 0 0 0 0 0 0 0 0 0", "1,500"),
                  Row("", "補充", "0 0 40 0 0 0 0 0 0 0 0 0", "40"),
                  Row("", "　[合　計]", "500 1,000 40 0 0 0 0 0 0 0 0 0", "1,540"), kBlankRow,
                  Heading("■支出の部"), Row("", "振替", "300 1,000 0 0 0 0 0 0 0 0 0 0", "1,300"),
                  Row("", "補充", "0 0 750 0 0 0 0 0 0 0 0 0", "750"),
                  Row("", "　[合　計]", "300 1,000 750 0 0 0 0 0 0 0 0 0", "2,050"), kBlankRow,
                  Row("=", "【収　支　計】", "200 0 -710 0 0 0 0 0 0 0 0 0", "-510")}));
}

Ledger BooksLedger() {
    Ledger ledger = MakeLedger({
        {4, "小口現金", "補充", "0", "3000", "現金", "現金出納帳", "小口", "本店"},
        {4, "文具", "ペン", "0", "120", "小口", "本店", "小口", "本店"},
        {4, "交通費", "バス", "0", "220"},
        {5, "文具", "のり", "0", "80", "小口", "支店", "小口", "支店"},
    });
    ledger.pettyRegistry.Add("z,小口,本店,5000,");
    ledger.pettyRegistry.Add("z,小口,支店,0,");
    ledger.bankRegistry.Add("z,預金,A銀行,0,");
    return ledger;
}

TEST(MonthlySummary, BookSelectorListsAllBooksThenTheCashBookThenTheRegistries) {
    Ledger ledger = BooksLedger();
    ledger.useType = 2;
    const BookSelector selector = BookSelectorOf(ledger);
    EXPECT_EQ(selector.names,
              (std::vector<std::string>{"全帳簿", "おこづかい帳", "本店", "支店", "A銀行"}));
    EXPECT_EQ(selector.kinds, (std::vector<std::string>{"全帳簿", "現金", "小口", "小口", "預金"}));
    EXPECT_EQ(selector.itemIndex, 0);
    EXPECT_EQ(selector.IndexOf({"小口", "支店"}), 3);
    EXPECT_EQ(selector.IndexOf({"預金", "本店"}), -1);
}

TEST(MonthlySummary, OnePettyCashBookSeesACashTransferAsIncomeUnderCash) {
    const Ledger ledger = BooksLedger();
    MonthlySummary s;
    s.OpenPage(ledger);
    s.ChooseBook(2, ledger);  // 本店
    EXPECT_EQ(BodyRows(s.grid(), 9),
              (std::vector<std::string>{
                  Heading("■収入の部"), Row("", "現金", "0 0 0 3,000 0 0 0 0 0 0 0 0", "3,000"),
                  Row("", "　[合　計]", "0 0 0 3,000 0 0 0 0 0 0 0 0", "3,000"), kBlankRow,
                  Heading("■支出の部"), Row("", "文具", "0 0 0 120 0 0 0 0 0 0 0 0", "120"),
                  Row("", "　[合　計]", "0 0 0 120 0 0 0 0 0 0 0 0", "120"), kBlankRow,
                  Row("=", "【収　支　計】", "0 0 0 2,880 0 0 0 0 0 0 0 0", "2,880")}));

    s.ChooseBook(1, ledger);  // the cash book: the transfer is an expense "小口"
    EXPECT_EQ(BodyRows(s.grid(), 5),
              (std::vector<std::string>{
                  Heading("■支出の部"), Row("", "交通費", "0 0 0 220 0 0 0 0 0 0 0 0", "220"),
                  Row("", "小口", "0 0 0 3,000 0 0 0 0 0 0 0 0", "3,000"),
                  Row("", "　[合　計]", "0 0 0 3,220 0 0 0 0 0 0 0 0", "3,220"), kBlankRow}));

    s.ChooseBook(4, ledger);  // A銀行 has no records: only the balance row, on row 3
    EXPECT_EQ(BodyRows(s.grid(), 4),
              (std::vector<std::string>{kBlankRow, kBlankRow,
                                        Row("=", "【収　支　計】", "0 0 0 0 0 0 0 0 0 0 0 0", "0"),
                                        kBlankRow}));
    EXPECT_EQ(s.incomeTotalRow(), 0);
    EXPECT_EQ(s.expenseTotalRow(), 0);
}

TEST(MonthlySummary, ATransferBetweenNamesakesOfTwoKindsIsTitledByTheOtherKind) {
    Ledger ledger = MakeLedger({{6, "振替", "預入", "0", "500", "小口", "共用", "預金", "共用"}});
    ledger.pettyRegistry.Add("z,小口,共用,0,");
    ledger.bankRegistry.Add("z,預金,共用,0,");
    MonthlySummary s;
    s.OpenPage(ledger);
    s.ChooseBook(3, ledger);  // the bank book 共用 receives the money from 小口
    EXPECT_EQ(RowText(s.grid(), 2), Row("", "小口", "0 0 0 0 0 500 0 0 0 0 0 0", "500"));
    s.ChooseBook(2, ledger);  // the petty-cash book 共用 paid it to 預金
    EXPECT_EQ(RowText(s.grid(), 2), Row("", "預金", "0 0 0 0 0 500 0 0 0 0 0 0", "500"));
    EXPECT_EQ(RowText(s.grid(), 1), Heading("■支出の部"));
}

TEST(MonthlySummary, TitlesDifferingInCaseShareOneRowSpelledAsFirstSeen) {
    const Ledger ledger = MakeLedger({{1, "Taxi", "a", "0", "100"},
                                      {2, "TAXI", "b", "0", "50"},
                                      {1, "bus", "c", "0", "10"},
                                      {3, "ｂｕｓ", "d", "0", "7"},
                                      {3, "ＢＵＳ", "e", "0", "3"}});
    MonthlySummary s = BuildAllBooks(ledger);
    EXPECT_EQ(BodyRows(s.grid(), 5),
              (std::vector<std::string>{
                  Heading("■支出の部"), Row("", "bus", "10 0 0 0 0 0 0 0 0 0 0 0", "10"),
                  Row("", "Taxi", "100 50 0 0 0 0 0 0 0 0 0 0", "150"),
                  Row("", "ｂｕｓ", "0 0 10 0 0 0 0 0 0 0 0 0", "10"),
                  Row("", "　[合　計]", "110 50 10 0 0 0 0 0 0 0 0 0", "170")}));
    s.DrillInto("taxi", ledger);
    EXPECT_EQ(RowText(s.grid(), 2), Row("", "a", "100 0 0 0 0 0 0 0 0 0 0 0", "100"));
    EXPECT_EQ(RowText(s.grid(), 3), Row("", "b", "0 50 0 0 0 0 0 0 0 0 0 0", "50"));
    EXPECT_EQ(FoldedLabel("ＡＢＺ ａ Taxi 交通費"), "ａｂｚ ａ taxi 交通費");
}

TEST(MonthlySummary, LevelOneListsTheDescriptionsOfOneTitle) {
    const Ledger ledger = MakeLedger({{1, "交通費", "バス", "0", "220"},
                                      {1, "交通費", "電車", "0", "400"},
                                      {2, "交通費", "バス", "0", "180"},
                                      {2, "交通費", "払戻", "50", "0"},
                                      {1, "売上", "A", "900", "0"}});
    MonthlySummary s = BuildAllBooks(ledger);
    s.DrillInto("交通費", ledger);
    EXPECT_EQ(s.drillLevel(), 1);
    EXPECT_EQ(s.caption(), "交通費明細表");
    EXPECT_EQ(BodyRows(s.grid(), 9),
              (std::vector<std::string>{
                  Heading("■収入の部"), Row("", "払戻", "0 50 0 0 0 0 0 0 0 0 0 0", "50"),
                  Row("", "　[合　計]", "0 50 0 0 0 0 0 0 0 0 0 0", "50"), kBlankRow,
                  Heading("■支出の部"), Row("", "バス", "220 180 0 0 0 0 0 0 0 0 0 0", "400"),
                  Row("", "電車", "400 0 0 0 0 0 0 0 0 0 0 0", "400"),
                  Row("=", "　[合　計]", "620 180 0 0 0 0 0 0 0 0 0 0", "800"), kBlankRow}));
    EXPECT_EQ(s.lastRow(), 8);

    s.DrillInto("売上", ledger);  // income only: "=" on the income total
    EXPECT_EQ(s.lastRow(), 3);
    EXPECT_EQ(RowText(s.grid(), 3), Row("=", "　[合　計]", "900 0 0 0 0 0 0 0 0 0 0 0", "900"));

    s.DrillInto("未使用", ledger);  // no records: no row is marked
    EXPECT_EQ(s.lastRow(), 0);
    EXPECT_EQ(RowText(s.grid(), 1), kBlankRow);
}

TEST(MonthlySummary, TheGridGrowsForManyRowsAndNeverShrinks) {
    std::vector<TestRecord> records;
    for (int i = 0; i < 45; ++i)
        records.push_back({1, "科目" + std::to_string(100 + i), "x", "0", "1"});
    MonthlySummary s = BuildAllBooks(MakeLedger(records));
    EXPECT_EQ(s.grid().RowCount(), 55);
    EXPECT_EQ(RowText(s.grid(), 46), Row("", "科目144", "1 0 0 0 0 0 0 0 0 0 0 0", "1"));
    EXPECT_EQ(s.lastRow(), 49);

    s.BuildLevel(0, MakeLedger({{2, "売上", "A", "5", "0"}}));
    EXPECT_EQ(s.grid().RowCount(), 55);
    EXPECT_EQ(s.lastRow(), 5);
    EXPECT_EQ(RowText(s.grid(), 46), kBlankRow);
    EXPECT_EQ(RowText(s.grid(), 54), kBlankRow);
}

TEST(MonthlySummary, AnEmptyLedgerShowsOnlyTheHeaderRow) {
    MonthlySummary s = BuildAllBooks(MakeLedger({{1, "売上", "A", "5", "0"}}));
    Ledger empty = MakeLedger({});
    empty.periods = Periods::CalendarYear(2020);
    s.BuildLevel(0, empty);
    EXPECT_EQ(s.lastRow(), 0);
    EXPECT_EQ(RowText(s.grid(), 1), kBlankRow);
    EXPECT_EQ(RowText(s.grid(), 3), kBlankRow);
    EXPECT_EQ(RowText(s.grid(), 0),
              "|科　目|1月度|2月度|3月度|4月度|5月度|6月度|7月度|8月度|9月度|10月度|11月度|12月度|"
              "科目年間計");
    EXPECT_EQ(s.range(), "2020年01月01日～2020年12月31日");
    // The graph does not keep the previous ledger's figures.
    EXPECT_EQ(s.graph().months[0].incomeTotal.caption, "0");
}

TEST(MonthlySummary, NegativeCellsAreRedOnlyWithTheOption) {
    EXPECT_EQ(SummaryCellColour("-220", true), kTextRed);
    EXPECT_EQ(SummaryCellColour("-220", false), kTextBlack);
    EXPECT_EQ(SummaryCellColour("1,220", true), kTextBlack);
    EXPECT_EQ(SummaryCellColour("", true), kTextBlack);
}

}  // namespace
}  // namespace velmora::testing
