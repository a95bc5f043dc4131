// velmora-cli configure and periods through the real executable.
#include <gtest/gtest.h>

#include "core/platform/file_io.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const char* kRecords =
    "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n"
    "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,現金出納帳,小口,本店,\n"
    "z,小口,本店,5000,\n";
const char* kAprilPeriods =
    "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
    "f,2014/04/01,2014/04/30,0\nf,2014/05/01,2014/05/31,0\nf,2014/06/01,2014/06/30,0\n"
    "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
    "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n";

const std::string kApplied = "現金出納帳-Velmora Version5: 環境設定を登録しました。\n";
const std::string kStartQuestion =
    "現金出納帳5-Velmora Version5: 開始月、開始残高を変更していいですか？\n";

struct Ledger2014 {
    Ledger2014() {
        WriteCp932(File(), std::string(kRecords) + kAprilPeriods + "g,10000,4,1,2014,\n");
    }
    std::string File() const { return files.File("a.exv"); }
    CliResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--today", "2014/04/10"});
        return RunCli(args, home.Path());
    }
    std::string Saved(const std::string& err) const {
        return err + "確認: " + File() + "を保存しました。\n";
    }
    TempFolder home, files;
};

std::string Cp932Of(const std::string& text) {
    TempFolder folder;
    WriteCp932(folder.File("x"), text);
    return ReadBytes(folder.File("x"));
}

TEST(CliSettings, PeriodsInFiscalOrder) {
    Ledger2014 l;
    CliResult r = l.Run({"periods", l.File()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "4月度\t2014/04/01\t2014/04/30\n5月度\t2014/05/01\t2014/05/31\n"
              "6月度\t2014/06/01\t2014/06/30\n7月度\t2014/07/01\t2014/07/31\n"
              "8月度\t2014/08/01\t2014/08/31\n9月度\t2014/09/01\t2014/09/30\n"
              "10月度\t2014/10/01\t2014/10/31\n11月度\t2014/11/01\t2014/11/30\n"
              "12月度\t2014/12/01\t2014/12/31\n1月度\t2015/01/01\t2015/01/31\n"
              "2月度\t2015/02/01\t2015/02/28\n3月度\t2015/03/01\t2015/03/31\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliSettings, LocksAndUseTypeAreAppliedAndSaved) {
    Ledger2014 l;
    WriteCp932(l.home.File("velmora.conf"),
               "[PRINT_STYLE1]=x\n[FILE_DIR]=/old.exv\n[COMPANY_NAME]= 山田商店 \n[OTHER]=1\n");
    CliResult r = l.Run({"configure", l.File(), "--lock", "4", "--lock", "5", "--unlock", "5",
                         "--lock", "3", "--use-type", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, l.Saved(kApplied));
    EXPECT_EQ(
        ReadBytes(l.File()),
        Cp932Of("d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,おこづかい帳,現金,おこづかい帳,\n"
                "d04=,2014/04/03,1,小口現金,小口へ補充,0,3000,6780,現金,おこづかい帳,小口,本店,\n"
                "z,小口,本店,5000,\n"
                "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,1\n"
                "f,2014/04/01,2014/04/30,1\nf,2014/05/01,2014/05/31,0\nf,2014/06/01,2014/06/30,0\n"
                "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
                "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n"
                "g,10000,4,2,2014,\n"));
    // Opening the ledger named it in [FILE_DIR]; applying wrote its seven lines only, with
    // the company name as it stood.
    EXPECT_EQ(ReadBytes(l.home.File("velmora.conf")),
              Cp932Of("[FILE_DIR]=" + l.File() +
                      "\n[COMPANY_NAME]= 山田商店 \n[OPTION2]=FALSE\n[OPTION3]=1\n[FONT_SIZE]=10\n"
                      "[Start_Opt_1]=1\n[NATIONAL_HOLIDAYS]=TRUE\n"));

    CliResult periods = l.Run({"periods", l.File()});
    std::vector<std::string> lines = Lines(periods.out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "4月度\t2014/04/01\t2014/04/30\tLock");
    EXPECT_EQ(lines[1], "5月度\t2014/05/01\t2014/05/31");
    EXPECT_EQ(lines[11], "3月度\t2015/03/01\t2015/03/31\tLock");
}

TEST(CliSettings, TheStartYearIsTakenBeforeTheStartMonthCutsThePeriods) {
    Ledger2014 l;
    CliResult r = l.Run({"configure", l.File(), "--start-month", "1", "--start-year", "2025"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(l.Run({"periods", l.File()}).out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.front(), "1月度\t2025/01/01\t2025/01/31");
    EXPECT_EQ(lines.back(), "12月度\t2025/12/01\t2025/12/31");
}

TEST(CliSettings, StartMonthAndYearWithMonthEndPeriods) {
    Ledger2014 l;
    CliResult r = l.Run({"configure", l.File(), "--start-month", "1", "--start-year", "2015",
                         "--month-end", "--opening", "2500.9"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, l.Saved("現金出納帳5-Velmora Version5: 月末締に自動設定をしますか？\n" +
                             kStartQuestion + kApplied));
    std::string text =
        "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
        "f,2015/04/01,2015/04/30,0\nf,2015/05/01,2015/05/31,0\nf,2015/06/01,2015/06/30,0\n"
        "f,2015/07/01,2015/07/31,0\nf,2015/08/01,2015/08/31,0\nf,2015/09/01,2015/09/30,0\n"
        "f,2015/10/01,2015/10/31,0\nf,2015/11/01,2015/11/30,0\nf,2015/12/01,2015/12/31,0\n"
        "g,2500,1,1,2015,\n";
    // The records lie before the new year's first period: they belong to its first month,
    // and the cash book runs from the new opening balance.
    EXPECT_EQ(
        ReadBytes(l.File()),
        Cp932Of("d01=,2014/04/01,0,交通費,バス代,0,220,2280,現金,現金出納帳,現金,現金出納帳,\n"
                "d01=,2014/04/03,1,小口現金,小口へ補充,0,3000,-720,現金,現金出納帳,小口,本店,\n"
                "z,小口,本店,5000,\n" +
                text));
    EXPECT_EQ(Lines(l.Run({"periods", l.File()}).out).front(), "1月度\t2015/01/01\t2015/01/31");
}

TEST(CliSettings, RefusalsAndNoLeaveTheFileAlone) {
    Ledger2014 l;
    const std::string before = ReadBytes(l.File());
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--no", "--start-month", "5"}, kStartQuestion},
        {{"--start-year", "2101"}, "確認してください。: 開始年度が大きすぎます。\n"},
        {{"--start-year", "1899"}, "確認してください。: 開始年度が小さすぎます。\n"},
        {{"--period", "3=2015/03/01-2015/04/30"},
         "確認してください。: 1年以上の期間が設定されています。 2014/04/01～2015/04/30\n"},
        {{"--period", "5=2014/04/29-2014/05/31"},
         "確認してください。: 5月の締日設定：前月より前になっています\n"},
        {{"--period", "6=2014/07/01-2014/06/30"},
         "確認してください。: 6月の締日設定：開始日が終了日より後になっています\n"},
        {{"--from-start"},
         "現金出納帳5-Velmora Version5: 開始月を基準に自動設定をしますか？\n"
         "現金出納帳-Velmora Version5: "
         "28日以降の場合は自動設定できません。各月をクリックして設定して下さい\n"},
    };
    for (const auto& [options, err] : cases) {
        std::vector<std::string> args = {"configure", l.File()};
        args.insert(args.end(), options.begin(), options.end());
        CliResult r = l.Run(args);
        EXPECT_EQ(r.status, 1) << options[0];
        EXPECT_EQ(r.err, err) << options[0];
        EXPECT_EQ(ReadBytes(l.File()), before) << options[0];
        EXPECT_FALSE(FileExists(l.home.File("velmora.conf"))) << options[0];
    }
    // Starting on the day the previous period ends passes.
    CliResult same = l.Run({"configure", l.File(), "--period", "5=2014/04/30-2014/05/31"});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(Lines(l.Run({"periods", l.File()}).out)[1], "5月度\t2014/04/30\t2014/05/31");
}

TEST(CliSettings, ClosingDayRepeatedFromTheStartMonth) {
    Ledger2014 l;
    CliResult first = l.Run({"configure", l.File(), "--period", "4=2014/03/21-2014/04/20",
                             "--period", "3=2015/03/01-2015/03/20"});
    ASSERT_EQ(first.status, 0) << first.err;
    CliResult r = l.Run({"configure", l.File(), "--from-start"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, l.Saved("現金出納帳5-Velmora Version5: 開始月を基準に自動設定をしますか？\n" +
                             kApplied));
    EXPECT_EQ(l.Run({"periods", l.File()}).out,
              "4月度\t2014/03/21\t2014/04/20\n5月度\t2014/04/21\t2014/05/20\n"
              "6月度\t2014/05/21\t2014/06/20\n7月度\t2014/06/21\t2014/07/20\n"
              "8月度\t2014/07/21\t2014/08/20\n9月度\t2014/08/21\t2014/09/20\n"
              "10月度\t2014/09/21\t2014/10/20\n11月度\t2014/10/21\t2014/11/20\n"
              "12月度\t2014/11/21\t2014/12/20\n1月度\t2014/12/21\t2015/01/20\n"
              "2月度\t2015/01/21\t2015/02/20\n3月度\t2015/02/21\t2015/03/20\n");
}

TEST(CliSettings, Usage) {
    Ledger2014 l;
    for (const auto& options :
         std::vector<std::vector<std::string>>{{"--month-end", "--from-start"},
                                               {"--period", "5=2014/05/01"},
                                               {"--period", "13=2014/05/01-2014/05/31"},
                                               {"--lock", "0"},
                                               {"--use-type", "3"},
                                               {"--start-month", "x"},
                                               {"--opening", "abc"},
                                               {"--opening", "1000000000"}}) {
        std::vector<std::string> args = {"configure", l.File()};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(l.Run(args).status, 2) << options[0] << " " << options[1 % options.size()];
    }
    EXPECT_EQ(l.Run({"periods"}).status, 2);
    EXPECT_EQ(l.Run({"periods", l.files.File("none.exv")}).status, 1);
}

}  // namespace
}  // namespace velmora::testing
