// velmora-cli summary and graph through the real executable.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const std::string kLedger =
    std::string(
        "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店,\n"
        "d04=,2014/04/05,2,文具,ペン,0,120,7880,小口,本店,小口,本店,\n"
        "d05=,2014/05/03,3,売上,A社,50000,0,56780,現金,現金出納帳,現金,現金出納帳,\n"
        "d03=,2015/03/10,4,交通費,タクシー,0,1500,55280,現金,現金出納帳,現金,現金出納帳,\n"
        "z,小口,本店,5000,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

const std::string kHeader =
    "\t科　目\t4月度\t5月度\t6月度\t7月度\t8月度\t9月度\t10月度\t11月度\t12月度\t1月度\t2月"
    "度\t3月度\t科目年間計";
const std::string kBlank(14, '\t');

// marker, label, the twelve months (blank separated) and the year total, TAB separated.
std::string Row(const std::string& marker, const std::string& label, std::string months,
                const std::string& total) {
    for (char& c : months)
        if (c == ' ') c = '\t';
    return marker + "\t" + label + "\t" + months + "\t" + total;
}

std::string Heading(const std::string& label) {
    return "-\t" + label + std::string(13, '\t');
}

struct CliLedger {
    CliLedger() { WriteCp932(files.File("a.exv"), kLedger); }
    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin() + 1, files.File("a.exv"));
        args.insert(args.begin(), {"--today", "2014/06/01"});
        return RunCli(args, home.Path());
    }
    TempFolder home, files;
};

TEST(CliReports, SummaryOfAllBooksOfOneBookAndOfOneTitle) {
    CliLedger ledger;
    CliResult all = ledger.Run({"summary"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err, "");
    EXPECT_EQ(Lines(all.out),
              (std::vector<std::string>{
                  kHeader, Heading("■収入の部"),
                  Row("", "売上", "0 50,000 0 0 0 0 0 0 0 0 0 0", "50,000"),
                  Row("", "　[合　計]", "0 50,000 0 0 0 0 0 0 0 0 0 0", "50,000"), kBlank,
                  Heading("■支出の部"), Row("", "交通費", "220 0 0 0 0 0 0 0 0 0 0 1,500", "1,720"),
                  Row("", "文具", "120 0 0 0 0 0 0 0 0 0 0 0", "120"),
                  Row("", "　[合　計]", "340 0 0 0 0 0 0 0 0 0 0 1,500", "1,840"), kBlank,
                  Row("=", "【収　支　計】", "-340 50,000 0 0 0 0 0 0 0 0 0 -1,500", "48,160")}));

    CliResult petty = ledger.Run({"summary", "--book", "小口:本店"});
    EXPECT_EQ(petty.status, 0) << petty.err;
    EXPECT_EQ(
        Lines(petty.out),
        (std::vector<std::string>{
            kHeader, Heading("■収入の部"), Row("", "現金", "3,000 0 0 0 0 0 0 0 0 0 0 0", "3,000"),
            Row("", "　[合　計]", "3,000 0 0 0 0 0 0 0 0 0 0 0", "3,000"), kBlank,
            Heading("■支出の部"), Row("", "文具", "120 0 0 0 0 0 0 0 0 0 0 0", "120"),
            Row("", "　[合　計]", "120 0 0 0 0 0 0 0 0 0 0 0", "120"), kBlank,
            Row("=", "【収　支　計】", "2,880 0 0 0 0 0 0 0 0 0 0 0", "2,880")}));

    CliResult drill = ledger.Run({"summary", "--drill", "交通費", "--book", "全帳簿"});
    EXPECT_EQ(drill.status, 0) << drill.err;
    EXPECT_EQ(Lines(drill.out),
              (std::vector<std::string>{
                  kHeader, Heading("■支出の部"),
                  Row("", "タクシー", "0 0 0 0 0 0 0 0 0 0 0 1,500", "1,500"),
                  Row("", "バス代", "220 0 0 0 0 0 0 0 0 0 0 0", "220"),
                  Row("=", "　[合　計]", "220 0 0 0 0 0 0 0 0 0 0 1,500", "1,720")}));
}

TEST(CliReports, GraphLinesFollowTheSummary) {
    CliLedger ledger;
    CliResult r = ledger.Run({"graph"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected = {
        "4月度\t2014/4/01\t0\t0\t340\t340\t-340\t-340\t335\t0\t333\t2",
        "5月度\t2014/5/01\t50,000\t50,000\t0\t340\t50,000\t49,660\t35\t300\t335\t0"};
    const char* months[] = {"6", "7", "8", "9", "10", "11", "12"};
    for (const char* m : months)
        expected.push_back(std::string(m) + "月度\t2014/" + m +
                           "/01\t0\t50,000\t0\t340\t0\t49,660\t335\t0\t335\t0");
    for (const char* m : {"1", "2"})
        expected.push_back(std::string(m) + "月度\t2015/" + m +
                           "/01\t0\t50,000\t0\t340\t0\t49,660\t335\t0\t335\t0");
    expected.push_back("3月度\t2015/3/01\t0\t50,000\t1,500\t1,840\t-1,500\t48,160\t335\t0\t326\t9");
    expected.push_back("scale\t50,000\t25,000");
    EXPECT_EQ(Lines(r.out), expected);

    CliResult petty = ledger.Run({"graph", "--book", "小口:本店", "--drill", "文具"});
    EXPECT_EQ(petty.status, 0) << petty.err;
    ASSERT_EQ(Lines(petty.out).size(), 13u);
    EXPECT_EQ(Lines(petty.out)[0], "4月度\t2014/4/01\t0\t0\t120\t120\t-120\t-120\t335\t0\t35\t300");
    EXPECT_EQ(Lines(petty.out)[12], "scale\t120\t60");
}

TEST(CliReports, UnknownBooksAndBadUsage) {
    CliLedger ledger;
    CliResult noBook = ledger.Run({"summary", "--book", "預金:A銀行"});
    EXPECT_EQ(noBook.status, 1);
    EXPECT_EQ(noBook.out, "");
    EXPECT_EQ(noBook.err, "velmora-cli: no such book: 預金:A銀行\n");
    EXPECT_EQ(ledger.Run({"graph", "--book", "口座"}).status, 2);
    EXPECT_EQ(ledger.Run({"summary", "--month", "4"}).status, 2);
    EXPECT_EQ(RunCli({"summary"}, ledger.home.Path()).status, 2);
}

}  // namespace
}  // namespace velmora::testing
