// velmora-cli pages through the real executable: filled page lines, drawing calls and the
// sheets of a print run.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

using TextLines = std::vector<std::string>;

// Five April records of the cash book (100 yen each), nothing in May.
const std::string kLedger =
    std::string(
        "d04=,2014/04/01,0,交通費,バス1,0,100,9900,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/02,1,交通費,バス2,0,100,9800,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/03,2,交通費,バス3,0,100,9700,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/04,3,交通費,バス4,0,100,9600,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/05,4,交通費,バス5,0,100,9500,現金,現金出納帳,現金,現金出納帳,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

const std::string kHeader = "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;";

std::string Item(const std::string& text) {
    return "0;0;0;0;data;10;20;10;20;0;0;0;0;F;10;標準;0;0;0;" + text + ";0;0;0;";
}

// Three rows a page: the title, then description and balance of each row, the page number.
std::string ThreeRowStyle() {
    std::string style = kHeader + "\n" + Item("#maxline=3") + "\n" + Item("#tl") + "\n";
    for (const char* row : {"01", "02", "03"})
        style += Item(std::string("#ic_") + row) + "\n" + Item(std::string("#if_") + row) + "\n";
    return style + Item("- #pg -") + "\n";
}

// "=== page n" and the filled lines of ThreeRowStyle for three rows of description and
// balance.
TextLines FilledPage(int n, const std::vector<std::pair<std::string, std::string>>& rows) {
    TextLines lines{"=== page " + std::to_string(n), kHeader, Item(""),
                    Item("  　" + std::string(19, ' ') + "現金出納帳")};
    for (const auto& [description, balance] : rows) {
        lines.push_back(Item(description));
        lines.push_back(Item(balance));
    }
    lines.push_back(Item("- " + std::to_string(n) + " -"));
    return lines;
}

struct PagesLedger {
    PagesLedger() {
        WriteCp932(files.File("a.exv"), kLedger);
        WriteCp932(files.File("three.sle"), ThreeRowStyle());
    }
    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--today", "2014/06/01", "pages", files.File("a.exv")});
        // A working folder that does not exist yet gets the shipped styles at first start.
        return RunCli(args, home.File("w"));
    }
    TempFolder home, files;
};

TEST(CliPages, FilledLinesOfEveryPage) {
    PagesLedger ledger;
    CliResult r =
        ledger.Run({"--report", "2", "--month", "4", "--style", ledger.files.File("three.sle")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string more = "   次頁へ続く";
    TextLines want = FilledPage(1, {{"■前年度繰越", "10,000"}, {"バス1", "9,900"}, {more, ""}});
    for (const TextLines& page :
         {FilledPage(2, {{"バス2", "9,800"}, {"バス3", "9,700"}, {more, ""}}),
          FilledPage(3, {{"バス4", "9,600"}, {"バス5", "9,500"}, {more, ""}}),
          FilledPage(4, {{"【当月合計】", ""}, {"□次月繰越", "9,500"}, {"", ""}})})
        want.insert(want.end(), page.begin(), page.end());
    EXPECT_EQ(Lines(r.out), want);

    // The print data file of the working folder holds the view's rows.
    EXPECT_EQ(ReadBytes(ledger.home.File("w/style/listout.dat")).substr(0, 26),
              ";;\x81\xa1\x91O\x94N\x93x\x8cJ\x89z;;;10,000;\r\n");
}

TEST(CliPages, ShippedStylesByPaperAndTheKindChecks) {
    PagesLedger ledger;
    CliResult plain = ledger.Run({"--report", "2", "--month", "4"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const TextLines lines = Lines(plain.out);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "=== page 1"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "=== page 2"), 0);
    EXPECT_EQ(lines[1], "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;");
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "0;0;0;0;data;88.3;21.5;88.3;21.5;0;0;0;0;IPAexGothic;12;標準;0;0;0;"
                        "2014年4月分;0;0;0;"),
              lines.end());

    CliResult kokuyo = ledger.Run({"--report", "2", "--month", "4", "--paper", "1"});
    ASSERT_EQ(kokuyo.status, 0) << kokuyo.err;
    const TextLines form = Lines(kokuyo.out);
    EXPECT_NE(
        std::find(form.begin(), form.end(),
                  "0;0;0;0;data;60;12;60;12;0;0;0;0;IPAexGothic;14;標準;0;0;0;現金出納帳;0;0;0;"),
        form.end());

    CliResult search = ledger.Run({"--report", "3", "--month", "4"});
    EXPECT_EQ(search.status, 1);
    EXPECT_EQ(search.err, "velmora-cli: the view prints as report kind 2, not 3\n");
    EXPECT_EQ(ledger.Run({"--report", "2", "--month", "ALL", "--title", "交通費"}).status, 1);
    EXPECT_EQ(ledger.Run({"--report", "3", "--month", "ALL", "--title", "交通費"}).status, 0);
    CliResult noStyle = ledger.Run({"--report", "2", "--style", ledger.files.File("none.sle")});
    EXPECT_EQ(noStyle.status, 1);
    EXPECT_EQ(noStyle.err, "velmora-cli: no such style: " + ledger.files.File("none.sle") + "\n");
    EXPECT_EQ(ledger.Run({"--report", "11"}).status, 2);
    EXPECT_EQ(ledger.Run({"--report", "2", "--trace", "--run", "all"}).status, 2);
    EXPECT_EQ(ledger.Run({"--report", "2", "--paper", "3"}).status, 2);
}

TEST(CliPages, KindsByTheirNames) {
    PagesLedger ledger;
    const std::vector<std::string> search{"--month", "ALL", "--title", "交通費"};
    auto run = [&](const std::string& kind) {
        std::vector<std::string> args{"--report", kind};
        args.insert(args.end(), search.begin(), search.end());
        return ledger.Run(args);
    };
    const CliResult byName = run("cash-search");
    ASSERT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, run("3").out);
    const CliResult unknown = run("cash-serch");
    EXPECT_EQ(unknown.status, 2);
    // The kinds are listed by number, then by name.
    const std::string said = Lines(unknown.err).front();
    EXPECT_EQ(said.rfind("velmora-cli: --report takes 2, 3, 5, ", 0), 0u) << said;
    EXPECT_NE(said.find(" or 40, or cash, cash-search, "), std::string::npos) << said;
}

TEST(CliPages, TraceListsTheDrawingCalls) {
    PagesLedger ledger;
    WriteCp932(ledger.files.File("draw.sle"),
               kHeader + "\n0;0;0;0;line;10;10;20;10;1;実線;255;0;\n" +
                   "0;0;0;0;char;10;20;10;20;0;0;0;0;F;10;標準;0;0;0;#pg/#M;0;0;0;\n");
    CliResult r = ledger.Run({"--report", "2", "--month", "4", "--style",
                              ledger.files.File("draw.sle"), "--trace", "--dpi", "254"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (TextLines{"=== page 1", "pen style=solid color=0x0000ff width=2",
                                       "line 100,100 -> 200,100",
                                       "font face=\"F\" size=10 res=96 px=35 bold=0 italic=0 "
                                       "color=0x000000",
                                       "text 100,200 \"1/06\""}));
}

TEST(CliPages, SheetsOfAPrintRun) {
    PagesLedger ledger;
    const std::string style = ledger.files.File("three.sle");
    CliResult odd = ledger.Run(
        {"--report", "2", "--month", "4", "--style", style, "--run", "odd", "--months", "4,5"});
    ASSERT_EQ(odd.status, 0) << odd.err;
    EXPECT_EQ(odd.out, "1\t4\t1\t0\n3\t4\t3\t0\n5\t5\t1\t0\n");

    CliResult evenFirst = ledger.Run({"--report", "2", "--month", "4", "--style", style, "--run",
                                      "all", "--months", "5,4", "--even-first"});
    ASSERT_EQ(evenFirst.status, 0) << evenFirst.err;
    EXPECT_EQ(evenFirst.out, "1\t4\t1\t1\n2\t4\t2\t0\n3\t4\t3\t1\n4\t4\t4\t0\n5\t5\t1\t1\n");

    CliResult even =
        ledger.Run({"--report", "2", "--month", "5", "--style", style, "--run", "even"});
    EXPECT_EQ(even.status, 1);
    EXPECT_EQ(even.out, "");
    EXPECT_EQ(even.err,
              "確認: 偶数ページには印刷ページはありません。 印　刷(現金出納帳)設定で全てのページに"
              "チェックを入れてください。\n");
}

}  // namespace
}  // namespace velmora::testing
