// velmora-cli view through the real executable.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const std::string kLedger =
    std::string(
        "d04=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/01,1,売上,店頭,5000,0,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/03,2,小口現金,小口へ補充,0,3000,,現金,現金出納帳,小口,本店,\n"
        "d04=,2014/04/08,3,消耗品,文具,0,400,,小口,本店,小口,本店,\n"
        "d05=,2014/05/02,4,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
        "z,小口,本店,5000,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

class CliView : public ::testing::Test {
protected:
    CliView() { WriteCp932(file, kLedger); }
    CliResult View(std::vector<std::string> options, const std::string& today = "2014/05/20") {
        std::vector<std::string> args{"--today", today, "view", file};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args, home.Path());
    }
    TempFolder home, files;
    std::string file = files.File("a.exv");
};

TEST_F(CliView, TodaysMonthOfTheCashBook) {
    CliResult r = View({});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "+\t\t\t■前月繰越\t\t\t11,780\n"
              "+\t05月02日(金)\t交通費\tバス代\t\t220\t11,560\n"
              "+\t\t\t【当月合計】\t0\t220\t\n"
              "=\t\t\t□次月繰越\t\t\t11,560\n"
              "totals\t0\t220\t-220\n"
              "range\t2014年05月01日～2014年05月31日\n");

    CliResult april = View({"--month", "4", "--book", "小口:本店"});
    EXPECT_EQ(april.status, 0) << april.err;
    EXPECT_EQ(april.out,
              "+\t\t\t■前年度繰越\t\t\t5,000\n"
              "+\t04月03日(木)\t現金\t小口へ補充　《現金出納帳》\t3,000\t\t8,000\n"
              "+\t04月08日(火)\t消耗品\t文具\t\t400\t7,600\n"
              "+\t\t\t【当月合計】\t3,000\t400\t\n"
              "=\t\t\t□次月繰越\t\t\t7,600\n"
              "totals\t3,000\t400\t2,600\n"
              "range\t2014年04月01日～2014年04月30日\n");
}

TEST_F(CliView, FiltersAndTheDateOfTheCalendar) {
    CliResult title = View({"--month", "ALL", "--title", "交通費"});
    EXPECT_EQ(title.status, 0) << title.err;
    EXPECT_EQ(title.out,
              "-\t04月01日(火)\t交通費\tバス代\t\t220\t-220\n"
              "-\t05月02日(金)\t交通費\tバス代\t\t220\t-440\n"
              "+\t\t\t【合  計】\t0\t440\t\n"
              "=\t\t\t\t\t\t\n"
              "totals\t0\t440\t-440\n"
              "range\t全期間検索\n");

    // The day's month is shown, one date label for the day.
    CliResult day = View({"--date", "2014/04/01", "--desc", "店"});
    EXPECT_EQ(day.status, 0) << day.err;
    EXPECT_EQ(day.out,
              "+\t04月01日(火)\t売上\t店頭\t5,000\t\t14,780\n"
              "+\t\t\t【合  計】\t5,000\t0\t\n"
              "=\t\t\t\t\t\t\n"
              "totals\t5,000\t0\t5,000\n"
              "range\t2014年04月01日(火)\n");

    // A day before the fiscal year is pulled back to its first day, with the message.
    CliResult early = View({"--date", "2014/03/15", "--expense", "220"});
    EXPECT_EQ(early.status, 0) << early.err;
    EXPECT_EQ(early.err,
              "確認: 年度の開始月より以前の日付は指定できません。 1ファイルで1年分となります。 "
              "現在の設定値:2014/04/01～2015/03/31\n");
    EXPECT_EQ(Lines(early.out)[0], "+\t04月01日(火)\t交通費\tバス代\t\t220\t9,780");

    CliResult all = View({"--all-books", "--month", "4", "--income", "0"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(Lines(all.out), (std::vector<std::string>{
                                  "+\t04月01日(火)\t交通費\tバス代\t\t220\t9,780",
                                  "+\t04月08日(火)\t消耗品\t文具\t\t400\t7,600",
                                  "+\t\t\t【合  計】\t0\t620\t",
                                  "=\t\t\t\t\t\t",
                                  "totals\t0\t620\t-620",
                                  "range\t2014年04月01日～2014年04月30日",
                              }));
}

TEST_F(CliView, RefusalsAndUsage) {
    CliResult refused = View({"--month", "ALL"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "確認: 全月表示は科目検索時のみ使用できます。\n");

    EXPECT_EQ(View({"--month", "13"}).status, 2);
    EXPECT_EQ(View({"--date", "2014/13/01"}).status, 2);
    EXPECT_EQ(View({"--book", "小口:本店", "--all-books"}).status, 2);
    CliResult noBook = View({"--book", "小口:支店"});
    EXPECT_EQ(noBook.status, 1);
    EXPECT_EQ(noBook.err, "velmora-cli: no such book: 小口:支店\n");
}

}  // namespace
}  // namespace velmora::testing
