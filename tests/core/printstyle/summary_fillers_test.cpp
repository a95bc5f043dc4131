#include "core/printstyle/summary_fillers.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/util/errors.h"
#include "support/scripted_dialogs.h"

namespace velmora {
namespace {

using testing::ScriptedDialogs;

const std::string kHeader = "header;Ver1.1;0;0;9;1;0;100;0;;;0;";

// A text item as the shipped styles write it (23 fields).
std::string Item(std::string_view text) {
    return "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;9;標準;0;-1.8;0;" + std::string(text) +
           ";0;0;0;";
}

// The same item after the filler set its size, pitch or colour: 22 fields.
std::string Set(std::string_view text, std::string_view size, std::string_view pitch,
                std::string_view colour) {
    return "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;" + std::string(size) + ";標準;0;" +
           std::string(pitch) + ";" + std::string(colour) + ";" + std::string(text) + ";0;0;";
}

PageHeadings Headings(int page) {
    PageHeadings headings;
    headings.today = Date::FromYmd(2014, 4, 5);  // a Saturday
    headings.page = page;
    headings.companyName = "株式会社テッサリー";
    headings.caption = "月別科目一覧表";
    headings.fiscalRange = "2014/04/01～2015/03/31";
    return headings;
}

// The summary grid: its header line, then n lines "科目j;j;j+1;...;".
std::vector<std::string> SummaryData(int n) {
    std::vector<std::string> lines = {
        "科目;4月;5月;6月;7月;8月;9月;10月;11月;12月;1月;2月;3月;合計;"};
    for (int j = 1; j <= n; ++j) {
        std::string line = "科目" + std::to_string(j) + ";";
        for (int month = 1; month <= 13; ++month) line += std::to_string(j * 100 + month) + ";";
        lines.push_back(line);
    }
    return lines;
}

StyleList SummaryStyle(int rowsPerPage, const std::vector<std::string>& items) {
    std::vector<std::string> lines = {kHeader, Item("#maxline=" + std::to_string(rowsPerPage))};
    for (const std::string& text : items) lines.push_back(Item(text));
    return StyleList(lines);
}

TEST(SummaryPageTest, ThirtyRowsAPageWithFortyLines) {
    const std::vector<std::string> data = SummaryData(40);
    const std::vector<std::string> items = {"#TL",           "作成日　#Y/#M/#D(#W)",
                                            "#OF 期間　#PY", "頁 #pg",
                                            "#ka_00",        "#kn_00",
                                            "#ka_01",        "#kb_01",
                                            "#kn_01",        "#ka_10",
                                            "#km_30",        "#ka_31"};
    ScriptedDialogs dialogs;

    StyleList first = SummaryStyle(30, items);
    const FillResult page1 = FillSummaryPage(first, data, Headings(1), {}, dialogs);
    EXPECT_FALSE(page1.lastPage);
    EXPECT_EQ(first.Line(1),
              "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;9;標準;0;-1.8;0;;0;0;0;");
    EXPECT_EQ(first.Line(2), Item("月別科目一覧表"));
    EXPECT_EQ(first.Line(3), Item("作成日　2014/04/05(土)"));
    EXPECT_EQ(first.Line(4), Item("株式会社テッサリー 期間　2014/04/01～2015/03/31"));
    EXPECT_EQ(first.Line(5), Item("頁 1"));
    EXPECT_EQ(first.Line(6), Item("科目"));
    EXPECT_EQ(first.Line(7), Item("合計"));
    EXPECT_EQ(first.Line(8), Item("科目1"));
    EXPECT_EQ(first.Line(9), Item("101"));
    EXPECT_EQ(first.Line(10), Item("113"));
    EXPECT_EQ(first.Line(11), Item("科目10"));
    EXPECT_EQ(first.Line(12), Item("3012"));
    EXPECT_EQ(first.Line(13), Item("#ka_31"));  // beyond the page: printed as written
    EXPECT_TRUE(dialogs.events.empty());

    StyleList second = SummaryStyle(30, items);
    const FillResult page2 = FillSummaryPage(second, data, Headings(2), {}, dialogs);
    EXPECT_TRUE(page2.lastPage);
    EXPECT_EQ(second.Line(5), Item("頁 2"));
    EXPECT_EQ(second.Line(6), Item("科目"));
    EXPECT_EQ(second.Line(8), Item("科目31"));
    EXPECT_EQ(second.Line(9), Item("3101"));
    EXPECT_EQ(second.Line(10), Item("3113"));
    EXPECT_EQ(second.Line(11), Item("科目40"));
    EXPECT_EQ(second.Line(12), Item(""));  // row 30 has no line on the last page
}

TEST(SummaryPageTest, LastPageWhenTheDataEndOnIt) {
    ScriptedDialogs dialogs;
    StyleList exact = SummaryStyle(30, {"#ka_30"});
    EXPECT_TRUE(FillSummaryPage(exact, SummaryData(30), Headings(1), {}, dialogs).lastPage);
    EXPECT_EQ(exact.Line(2), Item("科目30"));

    StyleList oneMore = SummaryStyle(30, {"#ka_01"});
    EXPECT_FALSE(FillSummaryPage(oneMore, SummaryData(31), Headings(1), {}, dialogs).lastPage);

    // A page number far beyond the data shows the header row alone and ends the run.
    StyleList far = SummaryStyle(30, {"#ka_00", "#ka_01", "#pg"});
    EXPECT_TRUE(FillSummaryPage(far, SummaryData(40), Headings(INT_MAX), {}, dialogs).lastPage);
    EXPECT_EQ(far.Line(2), Item("科目"));
    EXPECT_EQ(far.Line(3), Item(""));
    EXPECT_EQ(far.Line(4), Item("2147483647"));

    StyleList noData = SummaryStyle(30, {"#ka_00", "#kb_01"});
    EXPECT_TRUE(FillSummaryPage(noData, {}, Headings(1), {}, dialogs).lastPage);
    EXPECT_EQ(noData.Line(2), Item(""));
    EXPECT_EQ(noData.Line(3), Item(""));
    EXPECT_TRUE(dialogs.events.empty());
}

TEST(SummaryPageTest, WithoutRowsPerPageOnlyTheHeaderRowAndTheRunEnds) {
    ScriptedDialogs dialogs;
    StyleList style({kHeader, Item("#ka_00"), Item("#kb_00"), Item("#ka_01"), Item("#pg")});
    const FillResult result = FillSummaryPage(style, SummaryData(40), Headings(1), {}, dialogs);
    EXPECT_TRUE(result.lastPage);
    EXPECT_EQ(dialogs.Infos(),
              std::vector<std::string>{"確認|このスタイルには最大行数が指定されていません"});
    EXPECT_EQ(style.Line(1), Item("科目"));
    EXPECT_EQ(style.Line(2), Item("4月"));
    EXPECT_EQ(style.Line(3), Item("#ka_01"));
    EXPECT_EQ(style.Line(4), Item("1"));
}

TEST(SummaryPageTest, LongMonthValuesShrinkByPaper) {
    const std::vector<std::string> data = {
        "科目;4月;5月;6月;7月;8月;9月;10月;11月;12月;1月;2月;3月;合計;",
        "旅費;12,345,678;1,234,567;123,456,789;1,234,567,890;999999999999;12,345,678,901;;;;;;"
        "12,345,678;12,345,678;"};
    const std::vector<std::string> items = {"#kb_01", "#kc_01", "#kd_01", "#ke_01",
                                            "#kf_01", "#kg_01", "#km_01", "#kn_01"};
    ScriptedDialogs dialogs;

    FillerOptions kokuyo;
    kokuyo.paperIndex = 1;
    StyleList form = SummaryStyle(30, items);
    FillSummaryPage(form, data, Headings(1), kokuyo, dialogs);
    EXPECT_EQ(form.Line(2), Set("12,345,678", "10", "-2.1", "0"));
    EXPECT_EQ(form.Line(3), Item("1,234,567"));
    EXPECT_EQ(form.Line(4), Set("123,456,789", "10", "-2", "0"));
    EXPECT_EQ(form.Line(5), Set("1,234,567,890", "10", "-1.7", "0"));
    EXPECT_EQ(form.Line(6), Set("999999999999", "10", "-1.7", "0"));
    // Longer amounts keep within the 22.1 mm of 13 characters at 1.7 mm.
    EXPECT_EQ(form.Line(7), Set("12,345,678,901", "8", "-1.55", "0"));
    EXPECT_EQ(form.Line(8), Set("12,345,678", "10", "-2.1", "0"));
    EXPECT_EQ(form.Line(9), Set("12,345,678", "10", "-2.1", "0"));  // the year total as well

    for (int paper : {0, 2}) {
        FillerOptions plain;
        plain.paperIndex = paper;
        StyleList a4 = SummaryStyle(30, items);
        FillSummaryPage(a4, data, Headings(1), plain, dialogs);
        EXPECT_EQ(a4.Line(2), Set("12,345,678", "9", "-1.7", "0"));
        EXPECT_EQ(a4.Line(3), Item("1,234,567"));
        EXPECT_EQ(a4.Line(4), Set("123,456,789", "9", "-1.5", "0"));
        EXPECT_EQ(a4.Line(5), Set("1,234,567,890", "8", "-1.3", "0"));
        EXPECT_EQ(a4.Line(6), Set("999999999999", "8", "-1.3", "0"));
        EXPECT_EQ(a4.Line(7), Set("12,345,678,901", "6", "-1.2", "0"));  // within 16.9 mm
        EXPECT_EQ(a4.Line(9), Set("12,345,678", "9", "-1.7", "0"));
    }
}

TEST(SummaryPageTest, NegativeMonthsAndTotalsRedOnlyWithTheOption) {
    const std::vector<std::string> data = {
        "科目;4月;5月;6月;7月;8月;9月;10月;11月;12月;1月;2月;3月;合計;",
        "A-1;-500;0;0;0;0;0;0;0;0;0;0;-1,234,567;-1,235,067;"};
    const std::vector<std::string> items = {"#ka_01", "#kb_01", "#kc_01", "#km_01", "#kn_01"};
    ScriptedDialogs dialogs;

    FillerOptions red;
    red.negativeInRed = true;
    StyleList on = SummaryStyle(30, items);
    FillSummaryPage(on, data, Headings(1), red, dialogs);
    EXPECT_EQ(on.Line(2), Item("A-1"));  // a label is never coloured
    EXPECT_EQ(on.Line(3), Set("-500", "9", "-1.8", "255"));
    EXPECT_EQ(on.Line(4), Item("0"));
    EXPECT_EQ(on.Line(5), Set("-1,234,567", "9", "-1.7", "255"));  // ten characters: shrunk too
    EXPECT_EQ(on.Line(6), Set("-1,235,067", "9", "-1.7", "255"));

    StyleList off = SummaryStyle(30, items);
    FillSummaryPage(off, data, Headings(1), {}, dialogs);
    EXPECT_EQ(off.Line(3), Item("-500"));
    EXPECT_EQ(off.Line(5), Set("-1,234,567", "9", "-1.7", "0"));
    EXPECT_EQ(off.Line(6), Set("-1,235,067", "9", "-1.7", "0"));
}

TEST(SummaryPageTest, OneRowValueALineAndShortRows) {
    const std::vector<std::string> data = {"科目;4月;", "交通費;100;200;", "no fields", ""};
    ScriptedDialogs dialogs;
    StyleList style = SummaryStyle(30, {"#kb_01 #ka_01", "#kb_01 #ka_02", "#pg #pg", "#kn_01",
                                        "#kc_02 #kd_02", "#ka_03", "#ka_010 #ka_1 #ka_003"});
    FillSummaryPage(style, data, Headings(1), {}, dialogs);
    // Within a row the label comes first, and lower rows come before higher ones.
    EXPECT_EQ(style.Line(2), Item("#kb_01 交通費"));
    EXPECT_EQ(style.Line(3), Item("100 #ka_02"));
    EXPECT_EQ(style.Line(4), Item("1 #pg"));
    // A row with fewer fields gives its last field for the missing ones.
    EXPECT_EQ(style.Line(5), Item("200"));
    EXPECT_EQ(style.Line(6), Item(" #kd_02"));
    EXPECT_EQ(style.Line(7), Item(""));
    // Row numbers are written "00".."99" and then without a leading zero.
    EXPECT_EQ(style.Line(8), Item("#ka_010 #ka_1 #ka_003"));
}

TEST(SummaryPageTest, RowNumbersFromOneHundredAreWholeNumbers) {
    ScriptedDialogs dialogs;
    StyleList style = SummaryStyle(120, {"#ka_10", "#ka_100", "#kb_101"});
    EXPECT_TRUE(FillSummaryPage(style, SummaryData(105), Headings(1), {}, dialogs).lastPage);
    EXPECT_EQ(style.Line(2), Item("科目10"));
    EXPECT_EQ(style.Line(3), Item("科目100"));
    EXPECT_EQ(style.Line(4), Item("10101"));
}

// ---------------------------------------------------------------- kinds 20 and 40

GraphLabels FiscalYearLabels() {
    GraphLabels labels;
    for (int n = 1; n <= 12; ++n) {
        const std::size_t i = static_cast<std::size_t>(n);
        const int month = (n + 2) % 12 + 1;
        labels.month[i] = std::to_string(month) + "月度";
        labels.monthHint[i] = (n <= 9 ? "2014/" : "2015/") + std::to_string(month) + "/01";
        labels.income[i] = std::to_string(n * 1000);
        labels.cumulativeIncome[i] = std::to_string(n * 10000);
        labels.expense[i] = std::to_string(n * 2000);
        labels.cumulativeExpense[i] = std::to_string(n * 20000);
        labels.difference[i] = "-" + std::to_string(n * 1000);
        labels.cumulativeDifference[i] = "-" + std::to_string(n * 10000);
    }
    labels.income[1] = "12,345,678,901";
    labels.range = "2014/04/01～2015/03/31";
    labels.bookName = "全帳簿";
    labels.maximum = Amount::FromYen(100000);
    return labels;
}

TEST(IncomeExpensePageTest, EveryPlaceholderInItsOrder) {
    const GraphLabels labels = FiscalYearLabels();
    StyleList style({kHeader, Item("作成日　#date / #date / #date"),
                     Item("#Y年#M月#D日(#W) 頁#pg #TL"), Item("#notesname #range #OF #PY"),
                     Item("#income01"), Item("#rincome01"), Item("#expense10"), Item("#rexpense12"),
                     Item("#sagaku03"), Item("#rsagaku11"), Item("#y01年#m01月"), Item("#y12/#m12"),
                     Item("#income13"), Item("#rincome13"), Item("#expense13"), Item("#rexpense13"),
                     Item("#sagaku13"), Item("#rsagaku13"), "0;0;0;0;line;1;1;2;2;1;実線;0;0"});
    FillerOptions red;
    red.negativeInRed = true;
    PageHeadings headings = Headings(1);
    headings.caption = "入出金集計表";
    FillIncomeExpensePage(style, labels, headings, red);

    EXPECT_EQ(style.Line(1), Item("作成日　2014/04/05 / 2014/04/05 / #date"));
    EXPECT_EQ(style.Line(2), Item("2014年04月05日(土) 頁1 入出金集計表"));
    EXPECT_EQ(style.Line(3), Item("全帳簿 2014/04/01～2015/03/31 #OF #PY"));
    EXPECT_EQ(style.Line(4), Set("12,345,678,901", "9", "-1.6", "0"));
    EXPECT_EQ(style.Line(5), Item("10000"));
    EXPECT_EQ(style.Line(6), Item("20000"));
    EXPECT_EQ(style.Line(7), Item("240000"));
    EXPECT_EQ(style.Line(8), Set("-3000", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(9), Set("-110000", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(10), Item("2014年04月"));
    EXPECT_EQ(style.Line(11), Item("2015/03"));
    EXPECT_EQ(style.Line(12), Item("120000"));
    EXPECT_EQ(style.Line(13), Item("120000"));
    EXPECT_EQ(style.Line(14), Item("240000"));
    EXPECT_EQ(style.Line(15), Item("240000"));
    EXPECT_EQ(style.Line(16), Set("-120000", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(17), Set("-120000", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(18), "0;0;0;0;line;1;1;2;2;1;実線;0;0");
    EXPECT_EQ(style.Count(), 19);  // no bars on the table

    StyleList plain({kHeader, Item("#sagaku03")});
    FillIncomeExpensePage(plain, labels, headings, {});
    EXPECT_EQ(plain.Line(1), Item("-3000"));

    GraphLabels noHints = labels;
    noHints.monthHint[7].clear();
    StyleList unfilled({kHeader, Item("#y01")});
    EXPECT_THROW(FillIncomeExpensePage(unfilled, noHints, headings, {}), ConversionError);
}

TEST(GraphPageTest, ShortNamesAndTheBars) {
    GraphLabels labels = FiscalYearLabels();
    labels.income[1] = "50,000";
    labels.expense[1] = "0";
    labels.income[2] = "1";
    labels.expense[12] = "100,000";
    StyleList style({kHeader, Item("帳簿　#notename #notesname"), Item("期間　#PY #range"),
                     Item("作成日　#date #date #Y#M#D#W #pg #TL"), Item("#inc01"), Item("#rinc02"),
                     Item("#exp03"), Item("#rexp04"), Item("#sag05"), Item("#rsag06"),
                     Item("#m10月"), Item("#y12"), Item("#income13")});
    FillerOptions red;
    red.negativeInRed = true;
    PageHeadings headings = Headings(1);
    headings.caption = "入出金集計グラフ";
    FillGraphPage(style, labels, headings, red);

    EXPECT_EQ(style.Line(1), Item("帳簿　全帳簿 #notesname"));
    EXPECT_EQ(style.Line(2), Item("期間　2014/04/01～2015/03/31 2014/04/01～2015/03/31"));
    EXPECT_EQ(style.Line(3), Item("作成日　2014/04/05 2014/04/05 20140405土 1 入出金集計グラフ"));
    EXPECT_EQ(style.Line(4), Item("50,000"));
    EXPECT_EQ(style.Line(5), Item("20000"));
    EXPECT_EQ(style.Line(6), Item("6000"));
    EXPECT_EQ(style.Line(7), Item("80000"));
    EXPECT_EQ(style.Line(8), Set("-5000", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(9), Set("-60000", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(10), Item("01月"));
    EXPECT_EQ(style.Line(11), Item("2015"));
    EXPECT_EQ(style.Line(12), Item("#income13"));

    ASSERT_EQ(style.Count(), 13 + 24);
    EXPECT_EQ(style.Line(13), "0;0;0;0;rrect;22;155;30;92.5;0;0;0;実線;12615808;枠;12615808;0;");
    EXPECT_EQ(style.Line(14), "0;0;0;0;rrect;32;155;40;155;0;0;0;実線;8421440;枠;8421440;0;");
    EXPECT_EQ(style.Line(15), "0;0;0;0;rrect;44;155;52;153;0;0;0;実線;12615808;枠;12615808;0;");
    EXPECT_EQ(style.Line(16), "0;0;0;0;rrect;54;155;62;150;0;0;0;実線;8421440;枠;8421440;0;");
    EXPECT_EQ(style.Line(35), "0;0;0;0;rrect;264;155;272;140;0;0;0;実線;12615808;枠;12615808;0;");
    EXPECT_EQ(style.Line(36), "0;0;0;0;rrect;274;155;282;30;0;0;0;実線;8421440;枠;8421440;0;");
}

TEST(GraphPageTest, BarTops) {
    const Amount max = Amount::FromYen(100000);
    EXPECT_EQ(GraphBarTop("50,000", max), Amount::FromRaw(925000));
    EXPECT_EQ(GraphBarTop("100,000", max), Amount::FromYen(30));
    EXPECT_EQ(GraphBarTop("0", max), Amount::FromYen(155));
    // A month with entries keeps a 2 mm bar, however small.
    EXPECT_EQ(GraphBarTop("1", max), Amount::FromYen(153));
    EXPECT_EQ(GraphBarTop("799", max), Amount::FromYen(153));  // 154.0012
    EXPECT_EQ(GraphBarTop("801", max).PlainText(), "153.9988");
    EXPECT_EQ(GraphBarTop("-500", max), Amount::FromYen(153));
    // Four decimals, halves away from zero.
    const Amount third = Amount::FromYen(300000);
    EXPECT_EQ(GraphBarTop("100,000", third).PlainText(), "113.3333");
    EXPECT_EQ(GraphBarTop("200,000", third).PlainText(), "71.6667");
    EXPECT_EQ(GraphBarTop("1", Amount::FromYen(160000)).PlainText(), "153");
    EXPECT_EQ(GraphBarTop("1", Amount::FromYen(8)).PlainText(), "139.375");
    // A maximum of 0 stands for 1 yen.
    EXPECT_EQ(GraphBarTop("0", Amount()), Amount::FromYen(155));
    EXPECT_EQ(GraphBarTop("1", Amount()), Amount::FromYen(30));
    EXPECT_EQ(GraphBarTop("2", Amount()), Amount::FromYen(-95));

    EXPECT_THROW(GraphBarTop("abc", max), ConversionError);
    EXPECT_THROW(GraphBarTop("1,000円", max), ConversionError);
    EXPECT_THROW(GraphBarTop("900,000,000,000,000", Amount()), ConversionError);
}

TEST(GraphPageTest, ACaptionThatIsNoNumberLeavesTheStyleAsLoaded) {
    GraphLabels labels = FiscalYearLabels();
    labels.expense[7] = "不明";
    const std::vector<std::string> lines = {kHeader, Item("#inc01"), Item("#notename")};
    StyleList style(lines);
    EXPECT_THROW(FillGraphPage(style, labels, Headings(1), {}), ConversionError);
    EXPECT_EQ(style.Lines(), lines);
}

// ---------------------------------------------------------------- kind 30

StyleList BookBalanceStyle() {
    std::vector<std::string> lines = {kHeader,
                                      Item("期間　#range"),
                                      Item("#notetitle_m"),
                                      Item("#notetitle_s"),
                                      Item("作成日　#date #date 頁　#pg"),
                                      Item("#income #expense #sagaku")};
    for (int k = 1; k <= kBooksPerPage; ++k) {
        const std::string kk = k < 10 ? "0" + std::to_string(k) : std::to_string(k);
        lines.push_back(Item("#notename" + kk));
        lines.push_back(Item("#notezan" + kk));
    }
    lines.push_back(Item("#notename57"));
    return StyleList(lines);
}

std::vector<std::string> Books(int count) {
    std::vector<std::string> rows = {"現金;現金出納帳;1,000;"};
    for (int k = 2; k <= count; ++k)
        rows.push_back("預金;口座" + std::to_string(k) + ";" + std::to_string(k) + ";");
    return rows;
}

BookBalancePageData BalanceData(int books) {
    BookBalancePageData data;
    data.rows = Books(books);
    data.bookTitle = "現金出納帳";
    data.range = "2014年04月01日～2015年03月31日";
    data.totalIncome = "1,500";
    data.totalExpense = "2,000";
    data.totalDifference = "-500";
    return data;
}

// The style line of "#notename"KK and of "#notezan"KK.
int NameLine(int k) {
    return 6 + 2 * (k - 1);
}

TEST(BookBalancePageTest, TenBooksFillTheirRowsAndTheRestIsRemoved) {
    BookBalancePageData data = BalanceData(10);
    data.rows[2] = "小口;レジ;-1,200;";
    StyleList style = BookBalanceStyle();
    FillerOptions red;
    red.negativeInRed = true;
    const FillResult result = FillBookBalancePage(style, data, Headings(1), red);
    EXPECT_TRUE(result.lastPage);

    EXPECT_EQ(style.Line(1), Item("期間　2014年04月01日～2015年03月31日"));
    EXPECT_EQ(style.Line(2), Item("現金出納帳"));
    EXPECT_EQ(style.Line(3), Item(""));
    EXPECT_EQ(style.Line(4), Item("作成日　2014/04/05 2014/04/05 頁　1"));
    EXPECT_EQ(style.Line(5), Set("1,500 2,000 -500", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(NameLine(1)), Item("現金|現金出納帳"));
    EXPECT_EQ(style.Line(NameLine(1) + 1), Item("1,000"));
    EXPECT_EQ(style.Line(NameLine(3)), Item("小口|レジ"));
    EXPECT_EQ(style.Line(NameLine(3) + 1), Set("-1,200", "9", "-1.8", "255"));
    EXPECT_EQ(style.Line(NameLine(10)), Item("預金|口座10"));
    EXPECT_EQ(style.Line(NameLine(10) + 1), Item("10"));
    for (int k = 11; k <= kBooksPerPage; ++k) {
        EXPECT_EQ(style.Line(NameLine(k)), Item("")) << k;
        EXPECT_EQ(style.Line(NameLine(k) + 1), Item("")) << k;
    }
    EXPECT_EQ(style.Line(NameLine(57)), Item("#notename57"));

    StyleList plain = BookBalanceStyle();
    FillBookBalancePage(plain, data, Headings(1), {});
    EXPECT_EQ(plain.Line(NameLine(3) + 1), Item("-1,200"));
    EXPECT_EQ(plain.Line(5), Item("1,500 2,000 -500"));
}

TEST(BookBalancePageTest, TitleItemByTheCaptionLength) {
    BookBalancePageData data = BalanceData(1);
    data.bookTitle = " 預金|東都銀行本店普通 ";  // thirteen characters with its blanks
    StyleList style = BookBalanceStyle();
    FillBookBalancePage(style, data, Headings(1), {});
    EXPECT_EQ(style.Line(2), Item(""));
    EXPECT_EQ(style.Line(3), Item("預金|東都銀行本店普通"));

    data.bookTitle = "123456789";
    StyleList nine = BookBalanceStyle();
    FillBookBalancePage(nine, data, Headings(1), {});
    EXPECT_EQ(nine.Line(2), Item("123456789"));
    EXPECT_EQ(nine.Line(3), Item(""));

    data.bookTitle = "1234567890";
    StyleList ten = BookBalanceStyle();
    FillBookBalancePage(ten, data, Headings(1), {});
    EXPECT_EQ(ten.Line(2), Item(""));
    EXPECT_EQ(ten.Line(3), Item("1234567890"));
}

TEST(BookBalancePageTest, FiftySixBooksAPage) {
    StyleList exact = BookBalanceStyle();
    EXPECT_TRUE(FillBookBalancePage(exact, BalanceData(56), Headings(1), {}).lastPage);
    EXPECT_EQ(exact.Line(NameLine(56)), Item("預金|口座56"));

    // The 57th row is walked on page 1 too, where no item shows it, and opens page 2.
    const BookBalancePageData sixty = BalanceData(60);
    StyleList page1 = BookBalanceStyle();
    EXPECT_FALSE(FillBookBalancePage(page1, sixty, Headings(1), {}).lastPage);
    EXPECT_EQ(page1.Line(NameLine(56)), Item("預金|口座56"));
    EXPECT_EQ(page1.Line(NameLine(57)), Item("預金|口座57"));
    StyleList page2 = BookBalanceStyle();
    EXPECT_TRUE(FillBookBalancePage(page2, sixty, Headings(2), {}).lastPage);
    EXPECT_EQ(page2.Line(NameLine(1)), Item("預金|口座57"));
    EXPECT_EQ(page2.Line(NameLine(4)), Item("預金|口座60"));
    EXPECT_EQ(page2.Line(NameLine(4) + 1), Item("60"));
    EXPECT_EQ(page2.Line(NameLine(5)), Item(""));

    StyleList oneOver = BookBalanceStyle();
    EXPECT_FALSE(FillBookBalancePage(oneOver, BalanceData(57), Headings(1), {}).lastPage);
    StyleList oneOver2 = BookBalanceStyle();
    EXPECT_TRUE(FillBookBalancePage(oneOver2, BalanceData(57), Headings(2), {}).lastPage);
    EXPECT_EQ(oneOver2.Line(NameLine(1)), Item("預金|口座57"));
    EXPECT_EQ(oneOver2.Line(NameLine(2)), Item(""));

    // Empty rows are skipped without using a number; empty rows after the page's last
    // book do not make another page.
    BookBalancePageData gaps = BalanceData(3);
    gaps.rows.insert(gaps.rows.begin() + 1, "");
    gaps.rows.resize(80);
    StyleList withGaps = BookBalanceStyle();
    EXPECT_TRUE(FillBookBalancePage(withGaps, gaps, Headings(1), {}).lastPage);
    EXPECT_EQ(withGaps.Line(NameLine(2)), Item("預金|口座2"));
    EXPECT_EQ(withGaps.Line(NameLine(3)), Item("預金|口座3"));
    EXPECT_EQ(withGaps.Line(NameLine(4)), Item(""));

    StyleList far = BookBalanceStyle();
    EXPECT_TRUE(FillBookBalancePage(far, BalanceData(60), Headings(INT_MAX), {}).lastPage);
    EXPECT_EQ(far.Line(NameLine(1)), Item(""));

    StyleList none = BookBalanceStyle();
    EXPECT_TRUE(FillBookBalancePage(none, BookBalancePageData{}, Headings(1), {}).lastPage);
    EXPECT_EQ(none.Line(NameLine(1)), Item(""));
}

TEST(BookBalancePageTest, SeveralPlaceholdersInOneLine) {
    StyleList style({kHeader, Item("#notename01 #notezan01 #notename02"),
                     Item("#income/#income #notetitle_m #notetitle_s"),
                     Item("#notename02 #notename02 #notename03"), "#notezan03", "#notetitle_m"});
    FillBookBalancePage(style, BalanceData(2), Headings(1), {});
    EXPECT_EQ(style.Line(1), Item("現金|現金出納帳 1,000 預金|口座2"));
    EXPECT_EQ(style.Line(2), Item("1,500/#income 現金出納帳 "));
    // The second copy of a filled book placeholder goes with the clean-up.
    EXPECT_EQ(style.Line(3), Item("預金|口座2  "));
    // A line that was nothing but a placeholder stays a line of the style.
    EXPECT_EQ(style.Line(4), "    ");
    EXPECT_EQ(style.Line(5), "現金出納帳");
}

TEST(SummaryPageCountTest, IsThePagesTheFillerMakes) {
    ScriptedDialogs dialogs;
    for (int m : {0, 1, 2, 30}) {
        for (int n = 0; n <= 3 * m + 3; ++n) {
            std::vector<std::string> data = SummaryData(n);
            int filled = 1;
            while (filled < 100) {
                StyleList style = SummaryStyle(m, {"#ka_01"});
                if (FillSummaryPage(style, data, Headings(filled), {}, dialogs).lastPage) break;
                ++filled;
            }
            EXPECT_EQ(SummaryPageCount(m, data.size()), filled) << m << " rows, " << n << " lines";
        }
    }
}
}  // namespace
}  // namespace velmora
