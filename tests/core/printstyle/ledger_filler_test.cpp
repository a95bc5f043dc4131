#include "core/printstyle/ledger_filler.h"

#include <gtest/gtest.h>

#include "core/printstyle/placeholders.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

// A text item whose text (F20) is text; F23 is the digit-alignment flag.
std::string Item(const std::string& text, const std::string& f23 = "0") {
    return "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;10;標準;0;-1.9;0;" + text + ";0;0;" + f23 +
           ";";
}

std::string TextOf(const std::string& line) {
    return FieldN(line, ";", 20);
}

// The header, the directive of m rows, then for every row its date, description and
// balance placeholders, then the given heading items.
StyleList RowStyle(int m, const std::vector<std::string>& headings = {}) {
    StyleList style(
        {"header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;", Item("#maxline=" + std::to_string(m))});
    for (int row = 1; row <= m; ++row)
        for (const char* prefix : {"#ia_", "#ic_", "#if_"})
            style.Append(Item(prefix + RowNumber(row)));
    for (const auto& text : headings) style.Append(Item(text));
    return style;
}

std::vector<std::string> DataRows(int count) {
    std::vector<std::string> rows;
    for (int n = 1; n <= count; ++n)
        rows.push_back("04月" + RowNumber(n) + "日(火);交通費;d" + std::to_string(n) + ";;220;" +
                       std::to_string(n) + ",000;");
    return rows;
}

LedgerPageInputs CashInputs(int page = 1) {
    LedgerPageInputs in;
    in.bookKind = "現金";
    in.bookName = "現金出納帳";
    in.companyName = "テスト商店";
    in.yearPanel = "2014";
    in.monthPanel = "4";
    in.startYear = 2014;
    in.monthsToPrint = 4;
    in.today = Date::FromYmd(2014, 5, 6);
    in.page = page;
    return in;
}

// The descriptions placed in rows 1..m (the "#ic_" items).
std::vector<std::string> Descriptions(const StyleList& style, int m) {
    std::vector<std::string> out;
    for (int row = 1; row <= m; ++row) out.push_back(TextOf(style.Line(2 + (row - 1) * 3 + 1)));
    return out;
}

std::vector<std::string> Expected(int from, int to) {
    std::vector<std::string> out;
    for (int n = from; n <= to; ++n) out.push_back("d" + std::to_string(n));
    return out;
}

TEST(LedgerFillerTest, PagesOfTwentyFiveRows) {
    const auto thirty = DataRows(30);
    StyleList page1 = RowStyle(25);
    EXPECT_FALSE(FillLedgerPage(page1, thirty, CashInputs(1)).lastPage);
    auto want1 = Expected(1, 24);
    want1.push_back("   次頁へ続く");
    EXPECT_EQ(Descriptions(page1, 25), want1);
    EXPECT_EQ(TextOf(page1.Line(2 + 24 * 3)), "");      // the continuation row has no date
    EXPECT_EQ(TextOf(page1.Line(2 + 24 * 3 + 2)), "");  // ... and no balance
    EXPECT_EQ(TextOf(page1.Line(2)), "04月01日");
    EXPECT_EQ(TextOf(page1.Line(4)), "1,000");
    EXPECT_EQ(TextOf(page1.Line(1)), "");  // the directive draws nothing

    StyleList page2 = RowStyle(25);
    EXPECT_TRUE(FillLedgerPage(page2, thirty, CashInputs(2)).lastPage);
    auto want2 = Expected(25, 30);
    want2.resize(25);
    EXPECT_EQ(Descriptions(page2, 25), want2);

    StyleList exact = RowStyle(25);
    EXPECT_TRUE(FillLedgerPage(exact, DataRows(25), CashInputs(1)).lastPage);
    EXPECT_EQ(Descriptions(exact, 25), Expected(1, 25));

    StyleList fewer = RowStyle(25);
    EXPECT_TRUE(FillLedgerPage(fewer, DataRows(24), CashInputs(1)).lastPage);
    auto want3 = Expected(1, 24);
    want3.push_back("");
    EXPECT_EQ(Descriptions(fewer, 25), want3);

    StyleList empty = RowStyle(25);
    EXPECT_TRUE(FillLedgerPage(empty, {}, CashInputs(1)).lastPage);
    EXPECT_EQ(Descriptions(empty, 25), std::vector<std::string>(25));
}

TEST(LedgerFillerTest, SmallAndMissingRowCountsEndTheRun) {
    // Without the directive no row is placed; the page must be the last or a print run
    // would load it for ever.
    StyleList none({"header;Ver1.1;", Item("#ic_01"), Item("#pg頁")});
    EXPECT_TRUE(FillLedgerPage(none, DataRows(5), CashInputs(1)).lastPage);
    EXPECT_EQ(TextOf(none.Line(1)), "#ic_01");
    EXPECT_EQ(TextOf(none.Line(2)), "1頁");

    // One row a page: no room for the continuation row, one row on each page.
    const auto three = DataRows(3);
    for (int page = 1; page <= 3; ++page) {
        StyleList one = RowStyle(1);
        EXPECT_EQ(FillLedgerPage(one, three, CashInputs(page)).lastPage, page == 3);
        EXPECT_EQ(Descriptions(one, 1), Expected(page, page)) << page;
    }

    // Two rows: one row and the continuation row, then the last two.
    StyleList two = RowStyle(2);
    EXPECT_FALSE(FillLedgerPage(two, three, CashInputs(1)).lastPage);
    EXPECT_EQ(Descriptions(two, 2), (std::vector<std::string>{"d1", "   次頁へ続く"}));
    StyleList two2 = RowStyle(2);
    EXPECT_TRUE(FillLedgerPage(two2, three, CashInputs(2)).lastPage);
    EXPECT_EQ(Descriptions(two2, 2), Expected(2, 3));
}

TEST(LedgerFillerTest, TitlesAndTheirPrefixes) {
    LedgerPageInputs bank = CashInputs();
    bank.bookKind = "預金";
    bank.bookName = "みずほ";
    StyleList style({"header", Item("#tl"), Item("#NS"), Item("科目別一覧表 科目別一覧表")});
    FillLedgerPage(style, {}, bank);
    EXPECT_EQ(TextOf(style.Line(1)), "　" + std::string(23, ' ') + "みずほ");
    EXPECT_EQ(TextOf(style.Line(2)), "みずほ");
    EXPECT_EQ(TextOf(style.Line(3)), "銀行勘定帳 科目別一覧表");

    LedgerPageInputs longName = bank;
    longName.bookName.clear();
    for (int i = 0; i < 30; ++i) longName.bookName += "帳";
    StyleList noPrefix({"header", Item("#tl")});
    FillLedgerPage(noPrefix, {}, longName);
    EXPECT_EQ(TextOf(noPrefix.Line(1)), longName.bookName);

    LedgerPageInputs allowance = CashInputs();
    allowance.useType = 2;
    allowance.bookName = "おこづかい帳";
    allowance.accountFilter = "食費";
    StyleList cash({"header", Item("#NS"), Item("現金出納帳 科目別一覧表"), Item("科目：#KF")});
    FillLedgerPage(cash, {}, allowance);
    EXPECT_EQ(TextOf(cash.Line(1)), "おこづかい帳－食費");
    EXPECT_EQ(TextOf(cash.Line(2)), "おこづかい帳 おこづかい帳");
    EXPECT_EQ(TextOf(cash.Line(3)), "科目：食費");

    LedgerPageInputs all = CashInputs();
    all.allBooks = true;
    all.accountFilter = "交通費";
    StyleList allBooks({"header", Item("#NS#tl"), Item("科目別一覧表")});
    FillLedgerPage(allBooks, {}, all);
    EXPECT_EQ(TextOf(allBooks.Line(1)), std::string(22, ' ') + "科目別一覧表");
    EXPECT_EQ(TextOf(allBooks.Line(2)), "科目別一覧表");

    LedgerPageInputs petty = CashInputs();
    petty.bookKind = "小口";
    petty.bookName = "本店";
    StyleList pettyStyle({"header", Item("#tl"), Item("科目別一覧表")});
    FillLedgerPage(pettyStyle, {}, petty);
    EXPECT_EQ(TextOf(pettyStyle.Line(1)), std::string(26, ' ') + "本店");
    EXPECT_EQ(TextOf(pettyStyle.Line(2)), "小口現金");
}

TEST(LedgerFillerTest, HeadingsByMonthAndSearch) {
    const std::vector<std::string> headings{"#PY年#PM月分", "#PY",     "作成日 #Y/#M/#D(#W)",
                                            "#OF",          "- #pg -", "#KF"};
    LedgerPageInputs month = CashInputs(3);
    StyleList one({"header"});
    for (const auto& h : headings) one.Append(Item(h));
    FillLedgerPage(one, {}, month);
    EXPECT_EQ(TextOf(one.Line(1)), "2014年4月分");
    EXPECT_EQ(TextOf(one.Line(2)), "2014");
    EXPECT_EQ(TextOf(one.Line(3)), "作成日 2014/05/06(火)");
    EXPECT_EQ(TextOf(one.Line(4)), "テスト商店");
    EXPECT_EQ(TextOf(one.Line(5)), "- 3 -");
    EXPECT_EQ(TextOf(one.Line(6)), "");

    LedgerPageInputs search = CashInputs();
    search.accountFilter = "交通費";
    search.monthsToPrint = 13;
    search.monthPanel = "13";
    StyleList all({"header", Item("#PY年#PM月分"), Item("#PY")});
    FillLedgerPage(all, {}, search);
    EXPECT_EQ(TextOf(all.Line(1)), "2014年度年");
    EXPECT_EQ(TextOf(all.Line(2)), "2014年度");

    search.paperIndex = 1;
    StyleList kokuyoAll({"header", Item("#PY")});
    FillLedgerPage(kokuyoAll, {}, search);
    EXPECT_EQ(TextOf(kokuyoAll.Line(1)), "2014");

    LedgerPageInputs searchMonth = CashInputs();
    searchMonth.accountFilter = "交通費";
    searchMonth.monthPanel = "5";
    StyleList oneMonth({"header", Item("#PY"), Item("#PM月分")});
    FillLedgerPage(oneMonth, {}, searchMonth);
    EXPECT_EQ(TextOf(oneMonth.Line(1)), "2014年5月");
    EXPECT_EQ(TextOf(oneMonth.Line(2)), "5月分");
    searchMonth.paperIndex = 2;
    StyleList kokuyoMonth({"header", Item("#PY")});
    FillLedgerPage(kokuyoMonth, {}, searchMonth);
    EXPECT_EQ(TextOf(kokuyoMonth.Line(1)), "2014");
}

TEST(LedgerFillerTest, BalancesRedShrunkAndWithoutSign) {
    const std::vector<std::string> data{
        "04月01日(火);交通費;バス;;12,345;-12,345;",
        "04月02日(水);売上;大口;12,345,678,901;;12,345,678,901;",
    };
    LedgerPageInputs red = CashInputs();
    red.negativeInRed = true;
    StyleList plain({"header", Item("#maxline=3"), Item("#if_01", "1"), Item("#if_02", "1"),
                     Item("#ca_01"), Item("#cg_02")});
    FillLedgerPage(plain, data, red);
    // Red sets field 19; the rebuilt line keeps 22 fields, so the F23 flag is gone.
    EXPECT_EQ(plain.Line(2),
              "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;10;標準;0;-1.9;255;-12,345;0;0;");
    EXPECT_EQ(plain.Line(3),
              "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;9;標準;0;-1.6;0;12,345,678,901;0;0;");
    EXPECT_EQ(TextOf(plain.Line(4)), "0401(火)");
    EXPECT_EQ(TextOf(plain.Line(5)), "02(水)");

    StyleList blackStyle({"header", Item("#maxline=3"), Item("#if_01", "1")});
    FillLedgerPage(blackStyle, data, CashInputs());
    EXPECT_EQ(blackStyle.Line(2), Item("-12,345", "1"));  // untouched apart from the value

    LedgerPageInputs kokuyo = red;
    kokuyo.paperIndex = 1;
    kokuyo.kokuyoNegatives = 0;
    StyleList form({"header", Item("#maxline=3"), Item("#cf_01"), Item("#ce_01"), Item("#cd_02"),
                    Item("#if_02")});
    FillLedgerPage(form, data, kokuyo);
    EXPECT_EQ(form.Line(2),
              "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;10;標準;0;-1.9;255;12345;0;0;");
    EXPECT_EQ(TextOf(form.Line(3)), "12345");
    EXPECT_EQ(TextOf(form.Line(4)), "12345678901");
    EXPECT_EQ(form.Line(5),  // 11 characters without commas: shrunk too
              "0;0;0;0;data;10;20;10;20;0;0;0;0;IPAexGothic;9;標準;0;-1.6;0;12345678901;0;0;");

    kokuyo.kokuyoNegatives = 1;
    kokuyo.negativeInRed = false;
    StyleList signedForm({"header", Item("#maxline=3"), Item("#cf_01")});
    FillLedgerPage(signedForm, data, kokuyo);
    EXPECT_EQ(signedForm.Line(2), Item("-12345"));
}

TEST(LedgerFillerTest, OneRowPlaceholderALineAndTheCleanUp) {
    const auto data = DataRows(3);
    StyleList five({"header", Item("#maxline=5"), Item("#ia_03#ib_03"), Item("#ic_05 #ia_01")});
    FillLedgerPage(five, data, CashInputs());
    EXPECT_EQ(TextOf(five.Line(2)), "04月03日#ib_03");
    // Row 1 comes first; the clean-up then takes away the placeholders of row 5.
    EXPECT_EQ(TextOf(five.Line(3)), " 04月01日");

    StyleList three({"header", Item("#maxline=3"), Item("#ia_03#ib_03"), Item("#ia_04")});
    FillLedgerPage(three, data, CashInputs());
    EXPECT_EQ(TextOf(three.Line(2)), "04月03日");
    EXPECT_EQ(TextOf(three.Line(3)), "#ia_04");  // beyond the page: printed as written
}

TEST(LedgerFillerTest, MalformedLinesDoNotStopTheFill) {
    // The first directive line has no text field: no rows per page, a last page.
    StyleList broken({"header", "#maxline=", Item("#maxline=2"), Item("#ic_01")});
    EXPECT_TRUE(FillLedgerPage(broken, DataRows(5), CashInputs()).lastPage);
    EXPECT_EQ(TextOf(broken.Line(3)), "#ic_01");

    StyleList style({"header", Item("#maxline=2"), "", "#ia_", "#ia_x1;#", "#if_01",
                     ";;;;;;;#cf_01", Item("#ia_01"), Item("#ic_02"), Item("#if_1000")});
    const std::vector<std::string> data{"no fields", ";;;;;-1;", ""};
    LedgerPageInputs in = CashInputs();
    in.negativeInRed = true;
    EXPECT_FALSE(FillLedgerPage(style, data, in).lastPage);
    EXPECT_EQ(style.Line(2), "");
    EXPECT_EQ(style.Line(3), "#ia_");
    EXPECT_EQ(style.Line(4), "#ia_x1;#");
    EXPECT_EQ(style.Line(5), "    ");  // emptied by an empty balance
    EXPECT_EQ(style.Line(6), ";;;;;;;");
    EXPECT_EQ(TextOf(style.Line(7)), "");  // "no fields" has no ";"-ended date
    EXPECT_EQ(TextOf(style.Line(8)), "   次頁へ続く");
    EXPECT_EQ(TextOf(style.Line(9)), "#if_1000");
}

// The pages counted without filling are the pages the filler makes, for every length of
// data around a page's size.
TEST(LedgerPageCountTest, IsThePagesTheFillerMakes) {
    for (int m : {0, 1, 2, 3, 5, 30}) {
        for (int n = 0; n <= 3 * m + 4; ++n) {
            const std::vector<std::string> data = DataRows(n);
            int filled = 1;
            while (filled < 100) {
                StyleList style = RowStyle(m);
                if (FillLedgerPage(style, data, CashInputs(filled)).lastPage) break;
                ++filled;
            }
            EXPECT_EQ(LedgerPageCount(m, data.size()), filled) << m << " rows, " << n << " lines";
        }
    }
}
}  // namespace
}  // namespace velmora
