// velmora-cli books, resave and rollover through the real executable.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const std::string kExample =
    std::string(
        "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店,\n"
        "z,小口,本店,5000,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

TEST(CliFirstCommands, BooksListsEveryBookWithItsMonthBalance) {
    TempFolder home, files;
    WriteCp932(files.File("a.exv"), kExample);
    CliResult r = RunCli({"--today", "2014/04/10", "books", files.File("a.exv")}, home.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "現金|現金出納帳\t6,780\n小口|本店\t8,000\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliFirstCommands, ResaveWritesTheSameBytesAndReportsOnStandardError) {
    TempFolder home, files;
    WriteCp932(files.File("a.exv"), kExample);
    CliResult r = RunCli(
        {"--today", "2014/04/10", "resave", files.File("a.exv"), files.File("b.exv")}, home.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "確認: " + files.File("b.exv") + "を保存しました。\n");
    EXPECT_EQ(ReadBytes(files.File("b.exv")), ReadBytes(files.File("a.exv")));
    EXPECT_EQ(ReadBytes(home.File("20140410120000.dat")), ReadBytes(files.File("a.exv")));
}

TEST(CliFirstCommands, ResaveOfAnOldFileWritesItsExvTwin) {
    TempFolder home, files;
    WriteCp932(files.File("old.clv"), kExample);
    CliResult r = RunCli({"--today", "2014/04/10", "resave", files.File("old.clv")}, home.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(files.File("old.exv")), ReadBytes(files.File("old.clv")));
}

TEST(CliFirstCommands, RolloverCarriesClosingBalances) {
    TempFolder home, files;
    WriteCp932(files.File("a.exv"), kExample);
    CliResult r =
        RunCli({"--today", "2015/03/31", "rollover", files.File("a.exv"), files.File("n.exv")},
               home.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected =
        "z,小口,本店,8000,\n"
        "f,2016/01/01,2016/01/31,0\nf,2016/02/01,2016/02/28,0\nf,2016/03/01,2016/03/31,0\n"
        "f,2015/04/01,2015/04/30,0\nf,2015/05/01,2015/05/31,0\nf,2015/06/01,2015/06/30,0\n"
        "f,2015/07/01,2015/07/31,0\nf,2015/08/01,2015/08/31,0\nf,2015/09/01,2015/09/30,0\n"
        "f,2015/10/01,2015/10/31,0\nf,2015/11/01,2015/11/30,0\nf,2015/12/01,2015/12/31,0\n"
        "g,6780,4,1,2015,\n";
    TempFolder want;
    WriteCp932(want.File("n.exv"), expected);
    EXPECT_EQ(ReadBytes(files.File("n.exv")), ReadBytes(want.File("n.exv")));
}

TEST(CliFirstCommands, RolloverAndCsvRefuseTheOpenLedgerAsOutput) {
    TempFolder home, files;
    const std::string ledger = files.File("a.exv");
    WriteCp932(ledger, kExample);
    const std::string before = ReadBytes(ledger);
    const std::string refusal = "確認: " + ledger + " 開いている帳簿ファイルには出力できません。\n";
    CliResult rollover = RunCli({"--today", "2015/03/31", "rollover", ledger, ledger}, home.Path());
    EXPECT_EQ(rollover.status, 1);
    EXPECT_EQ(rollover.err, refusal);
    EXPECT_EQ(ReadBytes(ledger), before);
    CliResult csv = RunCli({"--today", "2014/04/10", "csv", ledger, ledger}, home.Path());
    EXPECT_EQ(csv.status, 1);
    EXPECT_EQ(csv.err, refusal);
    EXPECT_EQ(ReadBytes(ledger), before);
}

TEST(CliFirstCommands, FailuresAndUsage) {
    TempFolder home, files;
    CliResult missing = RunCli({"books", files.File("none.exv")}, home.Path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "確認: " + files.File("none.exv") + "が見つかりません。\n");
    CliResult folder = RunCli({"books", files.Path()}, home.Path());
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err,
              "確認: " + files.Path() + "はフォルダーです。帳簿ファイルを指定して下さい。\n");

    WriteCp932(files.File("a.exv"), kExample);
    CliResult badBook = RunCli({"books", files.File("a.exv"), "--month", "13"}, home.Path());
    EXPECT_EQ(badBook.status, 2);
    EXPECT_EQ(RunCli({"nosuch"}, home.Path()).status, 2);
    EXPECT_EQ(RunCli({"rollover", files.File("a.exv")}, home.Path()).status, 2);
}

}  // namespace
}  // namespace velmora::testing
