// velmora-cli add and move-down through the real executable.
#include <gtest/gtest.h>

#include "core/util/codepage.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

using TextLines = std::vector<std::string>;

const char* kLedger =
    "d04=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
    "d04=,2014/04/01,1,売上,店頭,5000,0,,現金,現金出納帳,現金,現金出納帳,\n"
    "z,小口,本店,5000,\n"
    "z,預金,B,20000,\n"
    "f,2015/01/01,2015/01/31,0\nf,2015/02/01,2015/02/28,0\nf,2015/03/01,2015/03/31,0\n"
    "f,2014/04/01,2014/04/30,0\nf,2014/05/01,2014/05/31,1\nf,2014/06/01,2014/06/30,0\n"
    "f,2014/07/01,2014/07/31,0\nf,2014/08/01,2014/08/31,0\nf,2014/09/01,2014/09/30,0\n"
    "f,2014/10/01,2014/10/31,0\nf,2014/11/01,2014/11/30,0\nf,2014/12/01,2014/12/31,0\n"
    "g,10000,4,1,2014,\n";

class CliEntry : public ::testing::Test {
protected:
    CliEntry() { WriteCp932(file, kLedger); }
    CliResult Run(const std::string& command, std::vector<std::string> options) {
        std::vector<std::string> args{"--today", "2014/04/10", command, file};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args, home.Path());
    }
    // The record lines of the file as saved.
    TextLines Records() {
        TextLines records;
        for (const auto& line : Lines(Cp932ToUtf8(ReadBytes(file))))
            if (!line.empty() && line[0] == 'd') records.push_back(line.substr(0, line.size() - 1));
        return records;
    }
    TempFolder home, files;
    std::string file = files.File("a.exv");
    std::string saved = "確認: " + file + "を保存しました。\n";
};

TEST_F(CliEntry, AddStoresTheRecordAndSavesWithABackup) {
    CliResult r = Run("add", {"--date", "2014/04/01", "--title", "旅費交通費", "--desc",
                              "タク,シー\"", "--expense", "1500"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "d04=,2014/04/01,2,旅費交通費,タクシー,0,1500,13280,現金,現金出納帳,現金,現金出納帳,\n");
    EXPECT_EQ(r.err, saved);
    EXPECT_EQ(
        Records(),
        (TextLines{
            "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,",
            "d04=,2014/04/01,1,売上,店頭,5000,0,14780,現金,現金出納帳,現金,現金出納帳,",
            "d04=,2014/04/01,2,旅費交通費,タクシー,0,1500,13280,現金,現金出納帳,現金,現金出納帳,",
        }));
    EXPECT_EQ(ReadBytes(home.File("20140410120000.dat")), ReadBytes(file));

    // Transfers: from the cash book to bank B, and from petty-cash book 本店 to the cash
    // book, which leads that book's petty-cash list.
    r = Run("add",
            {"--date", "2014/04/03", "--bank", "B", "--desc", "預け入れ", "--expense", "1000"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "d04=,2014/04/03,3,預金,預け入れ,0,1000,12280,現金,現金出納帳,預金,B,\n");
    r = Run("add", {"--date", "2014/04/03", "--book", "小口:本店", "--petty", "現金出納帳",
                    "--desc", "戻し", "--expense", "100"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "d04=,2014/04/03,4,小口現金,戻し,0,100,4900,小口,本店,現金,現金出納帳,\n");
}

TEST_F(CliEntry, AddRefusalsLeaveTheFileAlone) {
    const std::string before = ReadBytes(file);
    struct Case {
        TextLines options;
        std::string err;
    };
    const Case cases[] = {
        {{"--date", "2014/04/02", "--title", "交通費", "--desc", "x", "--income", "100",
          "--expense", "100"},
         "確認してください。: "
         "収入・支出に金額が入力されています。どちらか一方のみ入力して下さい\n"},
        {{"--date", "2014/04/02", "--title", "交通費"},
         "確認してください。: "
         "収入・支出がどちらも入力されていません。どちらか一方には必ず入力して下さい\n"},
        {{"--date", "2014/03/30", "--title", "旅費交通費", "--desc", "x", "--income", "1"},
         "確認してください。: 開始日以前の日付は入力できません 記録開始日は2014/04/01です\n"},
        {{"--date", "2014/03/31", "--title", "旅費交通費", "--desc", "x", "--income", "1"},
         "確認してください。: "
         "指定された日付はどの月切にも該当しません。環境設定の期間設定を確認して下さい。\n"},
        {{"--date", "2014/05/02", "--title", "旅費交通費", "--desc", "x", "--income", "1"},
         "確認してください。: この月のデ－タはロックされていますので入力はできません。\n"},
        // The title is one of the title list (cldata/kamoku1.dat): not empty once commas are
        // removed, not one the list lacks, none holding the field separator.
        {{"--date", "2014/04/02", "--title", ",,,", "--desc", "x", "--income", "1"},
         "確認してください。: 科目が入力されていません\n"},
        {{"--date", "2014/04/02", "--title", "交通費", "--desc", "x", "--income", "1"},
         "確認してください。: 科目は科目リストから選択して下さい\n"},
        {{"--date", "2014/04/02", "--title", "雑,費", "--desc", "x", "--income", "1"},
         "確認してください。: 科目は科目リストから選択して下さい\n"},
        // Without --blank the blank line is declined.
        {{"--date", "2014/04/02"}, "現金出納帳5-Velmora Version5: 空白行として登録しますか？\n"},
        // The bank list of the cash book does not hold the cash book.
        {{"--date", "2014/04/02", "--bank", "現金出納帳", "--desc", "x", "--income", "1"},
         "velmora-cli: the tab 預金帳 lists no book 現金出納帳\n"},
    };
    for (const Case& c : cases) {
        CliResult r = Run("add", c.options);
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(Run("add", {"--title", "交通費"}).status, 2);
    EXPECT_EQ(Run("add", {"--date", "2014/04/02", "--title", "a", "--bank", "B"}).status, 2);
    EXPECT_EQ(Run("add", {"--date", "2014/04/02", "--income", "1,000"}).status, 2);

    CliResult blank = Run("add", {"--date", "2014/04/02", "--blank"});
    EXPECT_EQ(blank.status, 0) << blank.err;
    EXPECT_EQ(blank.err, "現金出納帳5-Velmora Version5: 空白行として登録しますか？\n" + saved);
    EXPECT_EQ(Records().back(), "d04=,2014/04/02,2,,,0,0,14780,現金,現金出納帳,現金,現金出納帳,");
}

TEST_F(CliEntry, MoveDownSwapsTwoRecordsOfADay) {
    CliResult last = Run("move-down", {"--month", "4", "--row", "3"});
    EXPECT_EQ(last.status, 1);
    EXPECT_EQ(last.err, "確認してください。: このデ－タは下に移動する事はできません。\n");

    CliResult r = Run("move-down", {"--month", "4", "--row", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, saved);
    EXPECT_EQ(Records(),
              (TextLines{
                  "d04=,2014/04/01,1,売上,店頭,5000,0,15000,現金,現金出納帳,現金,現金出納帳,",
                  "d04=,2014/04/01,0,交通費,バス代,0,220,14780,現金,現金出納帳,現金,現金出納帳,",
              }));
    CliResult view = Run("view", {"--month", "4"});
    EXPECT_EQ(Lines(view.out)[1], "+\t04月01日(火)\t売上\t店頭\t5,000\t\t15,000");
    EXPECT_EQ(Lines(view.out)[2], "+\t\t交通費\tバス代\t\t220\t14,780");
}

}  // namespace
}  // namespace velmora::testing
