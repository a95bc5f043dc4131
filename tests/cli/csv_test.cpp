// velmora-cli csv through the real executable: the export of a book or of all books, and
// the code table of the working folder opened, completed and saved on the way.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const std::string kLedger =
    std::string(
        "d04=,2014/04/05,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/06,1,預金,預入,0,1000,8780,現金,現金出納帳,預金,B銀行,\n"
        "d04=,2014/04/07,2,消耗品費,コピー用紙,0,500,8280,現金,現金出納帳,現金,現金出納帳,\n"
        "z,預金,B銀行,0,\n") +
    FiscalYearTrailer(2014, "g,10000,4,1,2014,");

// A working folder whose title list holds 交通費 and 消耗品費 (slot 2 is empty).
struct CsvRun {
    CsvRun() {
        std::filesystem::create_directories(home.File("cldata"));
        WriteCp932(home.File("cldata/kamoku1.dat"), "交通費\n\n消耗品費\n");
        WriteCp932(files.File("a.exv"), kLedger);
    }
    CliResult Run(std::vector<std::string> options) {
        std::vector<std::string> args = {"--today", "2014/04/10", "csv", files.File("a.exv"),
                                         files.File("out.csv")};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args, home.Path());
    }
    // The CSV as UTF-8 with "\n" for CR LF; the test fails when it is not CP932 CR LF.
    std::string Csv() {
        std::string bytes = ReadBytes(files.File("out.csv"));
        std::string text = Cp932ToUtf8(bytes);
        std::string plain;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n');
                continue;
            }
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r');
            }
            plain += text[i];
        }
        return plain;
    }
    TempFolder home, files;
};

TEST(CliCsv, CashBookWithEveryColumnAndTheTitleRow) {
    CsvRun run;
    CliResult r = run.Run({});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "確認: CSVファイルへ出力しました。\n");
    EXPECT_EQ(run.Csv(),
              "種別,帳簿名,相手種別,相手帳簿名,日　付,科　目,摘　要,収　入,支　出,差引残高,\n"
              "現金,現金出納帳,現金,現金出納帳,2014/04/05,交通費,バス代,0,220,9780,\n"
              "現金,現金出納帳,預金,B銀行,2014/04/06,預金,預入　《B銀行》,0,1000,8780,\n"
              "現金,現金出納帳,現金,現金出納帳,2014/04/07,消耗品費,コピー用紙,0,500,8280,\n");
    // Opening the option dialog created the code table from the title list.
    EXPECT_EQ(ReadBytes(run.home.File("in_code.dat")), Utf8ToCp932("交通費=\r\n消耗品費=\r\n"));
}

TEST(CliCsv, BankBookSeesTheCashTransferAsIncome) {
    CsvRun run;
    CliResult r = run.Run({"--book", "預金:B銀行", "--no-header"});
    EXPECT_EQ(r.status, 0) << r.err;
    // The running balance is the bank book's own, recomputed when it was selected.
    EXPECT_EQ(run.Csv(),
              "現金,現金出納帳,預金,B銀行,2014/04/06,預金,預入　《現金出納帳》,1000,0,1000,\n");
}

TEST(CliCsv, AllBooksWithCodesAndChosenColumns) {
    CsvRun run;
    WriteCp932(run.home.File("in_code.dat"), "交通費=501\n雑費=900\n");
    CliResult r = run.Run({"--all-books", "--codes", "--columns", "5,6,7,9"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run.Csv(),
              "日　付,科　目,摘　要,支　出,\n"
              "2014/04/05,501,バス代,220,\n"
              "2014/04/06,,預入,1000,\n"
              "2014/04/07,,コピー用紙,500,\n");
    // The missing title first, the rows of the file after it.
    EXPECT_EQ(ReadBytes(run.home.File("in_code.dat")),
              Utf8ToCp932("消耗品費=\r\n交通費=501\r\n雑費=900\r\n"));
}

TEST(CliCsv, AccountFilterKeepsOneTitle) {
    CsvRun run;
    CliResult r = run.Run({"--title", "消耗品費", "--columns", "7,9,5"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run.Csv(), "日　付,摘　要,支　出,\n2014/04/07,コピー用紙,500,\n");
}

TEST(CliCsv, Utf8WithByteOrderMarkAndFormulaGuard) {
    CsvRun run;
    CliResult r =
        run.Run({"--encoding", "utf8-bom", "--formula-guard", "--no-header", "--columns", "5,7,9"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(run.files.File("out.csv")),
              "\xEF\xBB\xBF"
              "2014/04/05,バス代,220,\r\n"
              "2014/04/06,預入　《B銀行》,1000,\r\n"
              "2014/04/07,コピー用紙,500,\r\n");
    EXPECT_EQ(run.Run({"--encoding", "utf16"}).status, 2);
}

TEST(CliCsv, AFreshWorkingFolderTakesTheShippedTitles) {
    TempFolder parent, files;
    const std::string home = parent.File("velmora");
    WriteCp932(files.File("a.exv"), kLedger);
    CliResult r =
        RunCli({"--today", "2014/04/10", "csv", files.File("a.exv"), files.File("o.csv")}, home);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected;
    for (const auto& title : ReadTextLines(std::string(VELMORA_DATA_DIR) + "/cldata/kamoku1.dat"))
        if (!title.empty()) expected.push_back(title + "=");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadTextLines(home + "/in_code.dat"), expected);
}

TEST(CliCsv, FailuresAndUsage) {
    CsvRun run;
    EXPECT_EQ(run.Run({"--book", "預金:B銀行", "--all-books"}).status, 2);
    EXPECT_EQ(run.Run({"--columns", "0"}).status, 2);
    EXPECT_EQ(run.Run({"--columns", "11"}).status, 2);
    EXPECT_EQ(run.Run({"--columns", "1,,2"}).status, 2);
    EXPECT_EQ(run.Run({"--columns", ""}).status, 2);
    EXPECT_EQ(RunCli({"csv", run.files.File("a.exv")}, run.home.Path()).status, 2);
    EXPECT_FALSE(std::filesystem::exists(run.files.File("out.csv")));

    CliResult noBook = run.Run({"--book", "預金:C銀行"});
    EXPECT_EQ(noBook.status, 1);
    EXPECT_EQ(noBook.err, "velmora-cli: no such book: 預金:C銀行\n");

    CliResult badFolder = RunCli(
        {"--today", "2014/04/10", "csv", run.files.File("a.exv"), run.files.File("gone/out.csv")},
        run.home.Path());
    EXPECT_EQ(badFolder.status, 1);
    EXPECT_EQ(badFolder.err.rfind("確認: ", 0), 0u) << badFolder.err;
    EXPECT_EQ(badFolder.err.find("出力しました"), std::string::npos) << badFolder.err;
    EXPECT_FALSE(std::filesystem::exists(run.files.File("gone")));
}

}  // namespace
}  // namespace velmora::testing
