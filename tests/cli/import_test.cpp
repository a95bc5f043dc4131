// velmora-cli import and holidays through the real executable; the README's examples show
// the ordinary runs.
#include <gtest/gtest.h>

#include "core/util/codepage.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const char* kLedger =
    "d04=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
    "z,預金,B,20000,\n"
    "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
    "f,2014/04/01,2014/04/30,0\nf,2014/05/01,2014/05/31,0\nf,2014/06/01,2014/06/30,0\n"
    "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
    "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n"
    "g,10000,4,1,2014,\n";

TEST(CliImport, AUtf8StatementIntoTheBankBookIsSavedWithItsBackup) {
    TempFolder home, files;
    const std::string file = files.File("a.exv");
    const std::string csv = files.File("meisai.csv");
    WriteCp932(file, kLedger);
    WriteBytes(csv, "\xEF\xBB\xBF日付,内容,入出金,残高\n2014/04/20,ﾘｿｸ,\"1,234\",\"21,234\"\n");
    auto run = [&](std::vector<std::string> options) {
        std::vector<std::string> args{"--today", "2014/04/21", "import", file, csv};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args, home.Path());
    };
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"--date", "1", "--desc", "2", "--amount", "3"},
             {"--book", "預金:B", "--date", "1", "--desc", "2"},
             {"--book", "預金:B", "--date", "1", "--desc", "2", "--in", "3"},
             {"--book", "預金:B", "--date", "1", "--desc", "2", "--amount", "3", "--out", "4"},
             {"--book", "預金:B", "--date", "0", "--desc", "2", "--amount", "3"},
             {"--book", "預金:B", "--date", "1", "--desc", "2", "--amount", "3", "--encoding",
              "cp932"}})
        EXPECT_EQ(run(wrong).status, 2);
    EXPECT_EQ(run({"--book", "預金:C", "--date", "1", "--desc", "2", "--amount", "3"}).status, 1);
    const std::string before = ReadBytes(file);
    // Read as CP932, the byte order mark is no text: refused with the reason.
    CliResult sjis = run({"--book", "預金:B", "--date", "1", "--desc", "2", "--amount", "3",
                          "--skip", "1", "--title", "受取利息", "--encoding", "sjis"});
    EXPECT_EQ(sjis.status, 1);
    EXPECT_EQ(ReadBytes(file), before);

    CliResult r = run({"--book", "預金:B", "--date", "1", "--desc", "2", "--amount", "3",
                       "--balance", "4", "--skip", "1", "--title", "受取利息"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "added\t2\td04=,2014/04/20,1,受取利息,リソク,1234,0,21234,預金,B,預金,B,\n"
              "balance\t21,234\t21,234\tequal\n");
    const std::vector<std::string> saved = Lines(Cp932ToUtf8(ReadBytes(file)));
    ASSERT_EQ(saved.size(), 16u);
    EXPECT_EQ(saved[1], "d04=,2014/04/20,1,受取利息,リソク,1234,0,21234,預金,B,預金,B,\r");
    EXPECT_EQ(ReadBytes(home.File("20140421120000.dat")), ReadBytes(file));
}

TEST(CliHolidays, OneLinePerHolidayAndOnlyTheCalendarsYears) {
    CliResult r = RunCli({"holidays", "2021"}, "");
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[9], "2021/07/22\t海の日");
    EXPECT_EQ(lines[12], "2021/08/09\t振替休日");
    EXPECT_EQ(RunCli({"holidays", "2101"}, "").status, 2);
    EXPECT_EQ(RunCli({"holidays", "1950"}, "").out, "");
}

}  // namespace
}  // namespace velmora::testing
