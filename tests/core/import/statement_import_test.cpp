// A bank's statement into a book: the rows as the dialog reads and plans them, the records
// the import adds, the rows it leaves out and why, and the program's own export brought
// back.
#include "core/import/statement_import.h"
#include "core/ledger/kept_balances.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "core/export/csv_records.h"
#include "core/import/import_into_book.h"
#include "core/import/statement_import_form.h"
#include "core/import/statement_preview.h"
#include "core/ledger/balances.h"
#include "core/ledger/ledger_file.h"
#include "core/ledger/record.h"
#include "core/ledgerview/view_fixture.h"
#include "core/util/codepage.h"

namespace velmora::testing {
namespace {

const BookId kBankB{"預金", "B"};

std::vector<std::string> Verdicts(const ImportPlan& plan) {
    std::vector<std::string> lines;
    for (const PlannedRow& r : plan.rows)
        lines.push_back(std::to_string(r.fileRow) + " " +
                        (r.verdict == RowVerdict::Import ? "取込" : r.reason));
    return lines;
}

// The ledger of kViewLedger: bank book B opens with 20,000 and receives 1,000 from the
// cash book on 2014/04/03.
TEST(StatementImport, ABankStatementIntoTheBankBook) {
    ViewFixture f;
    const std::string file = f.home.File("meisai.csv");
    WriteCp932(file,
               "○○銀行 普通預金 入出金明細\n"
               "\"取引日\",\"お取引内容\",\"お引出し\",\"お預入れ\",\"残高\"\n"
               "\"2014/04/03\",\"預け入れ\",\"\",\"1,000\",\"21,000\"\n"
               "\"H26.4.10\",\"ﾃﾞﾝｷﾀﾞｲ\",\"3,240\",\"\",\"17,760\"\n"
               "\"2014/04/25\",\"ﾌﾘｺﾐ ﾔﾏﾀﾞ ﾀﾛｳ\",\"\",\"200,000\",\"217,760\"\n"
               "\"2014/04/30\",\"ATM\",\"10,000\",\"\",\"207,760\"\n"
               "\"2015/04/01\",\"ﾘｿｸ\",\"\",\"5\",\"207,765\"\n");
    StatementImportForm form(f.session, {"売上", "水道光熱費"});
    ASSERT_TRUE(form.LoadFile(file, f.dialogs));
    EXPECT_EQ(form.foundEncoding(), StatementEncoding::ShiftJis);
    EXPECT_EQ(form.ColumnCount(), 5);
    // The header names the columns; the data start below it.
    StatementColumns suggested;
    suggested.date = 1;
    suggested.description = 2;
    suggested.withdrawal = 3;
    suggested.deposit = 4;
    suggested.balance = 5;
    EXPECT_EQ(form.choices.columns, suggested);
    EXPECT_EQ(form.choices.skipRows, 2);

    form.choices.book = kBankB;
    form.choices.titleChoice = TitleChoice::Rules;
    form.AddRule("ﾌﾘｺﾐ", "売上");
    form.AddRule("デンキ", "水道光熱費");
    const ImportPlan plan = form.Preview(f.session.ledger);
    EXPECT_EQ(Verdicts(plan), (std::vector<std::string>{
                                  "3 同じ日付・金額・摘要の記録が帳簿にあります",
                                  "4 取込",
                                  "5 取込",
                                  "6 科目が入力されていません",
                                  "7 会計年度外の日付です（2014/04/01～2015/03/31）",
                              }));

    // The dialog's grid: the file's cells, then what each row becomes.
    const StatementPreview preview(form.rows(), form.ColumnCount(), plan, 2, false);
    EXPECT_EQ(preview.RowCount(), 7);
    EXPECT_EQ(preview.Header(4), "5");
    EXPECT_EQ(preview.Header(5), "日付");
    EXPECT_EQ(preview.Cell(1, 1), "お取引内容");
    EXPECT_EQ(preview.Cell(1, 10), "見出し行");
    EXPECT_EQ(preview.Look(0), PreviewLook::HeaderRow);
    const std::vector<std::string> row4 = {preview.Cell(3, 5), preview.Cell(3, 6),
                                           preview.Cell(3, 7), preview.Cell(3, 8),
                                           preview.Cell(3, 9), preview.Cell(3, 10)};
    EXPECT_EQ(row4, (std::vector<std::string>{"2014/04/10", "水道光熱費", "デンキダイ", "", "3,240",
                                              "取込"}));
    EXPECT_EQ(preview.Look(5), PreviewLook::NotImported);
    EXPECT_EQ(preview.Summary(), "取込 2件　重複 1件　年度外 1件　入力できない行 1件");

    const ImportResult result = ImportIntoBook(f.session, f.view, plan);
    EXPECT_EQ(f.redraws.views, 1);
    f.Show();                 // as the program shows the view after the command
    f.session.RecordLines();  // the lines as a save asks for them, their balances settled
    const LineList& list = f.session.ledger.transactions;
    ASSERT_EQ(list.Count(), 11);
    EXPECT_EQ(list[7], "d04=,2014/04/10,9,水道光熱費,デンキダイ,0,3240,17760,預金,B,預金,B,");
    EXPECT_EQ(list[8],
              "d04=,2014/04/25,10,売上,フリコミ　ヤマダ　タロウ,200000,0,217760,預金,B,預金,B,");
    EXPECT_TRUE(list[9].starts_with("d05=,2014/05/02,7,交通費,"));
    ASSERT_EQ(result.added.size(), 2u);
    EXPECT_EQ(result.added[1].fileRow, 5);
    EXPECT_EQ(result.added[1].line, 8);
    EXPECT_EQ(
        ImportResultText(plan, result),
        "2件を取り込みました。\r\n取り込まなかった行: 3件（重複1件、年度外1件、入力できない行1件）"
        "\r\n最後の行の残高: 帳簿 217,760円、明細 217,760円（一致）");
    // The book is shown on the last imported day, as after an entry.
    EXPECT_EQ(f.session.currentBook, kBankB);
    EXPECT_EQ(f.session.currentMonth, 4);
    EXPECT_EQ(f.view.calendar.selected, Date::FromYmd(2014, 4, 25));
    EXPECT_TRUE(f.session.modified);

    // The rules stay for the next import, in the working folder's "config".
    std::filesystem::create_directory(f.home.File("config"));
    ASSERT_TRUE(form.SaveRules(f.dialogs, f.writer));
    EXPECT_EQ(ReadBytes(f.home.File("config/import_rules.dat")),
              Utf8ToCp932("フリコミ,売上,\r\nデンキ,水道光熱費,\r\n"));
    EXPECT_EQ(StatementImportForm(f.session, {}).rules, form.rules);
}

TEST(StatementImport, APipeIsRefusedInsteadOfHoldingTheWindow) {
    ViewFixture f;
    const std::string pipe = f.home.File("meisai.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    StatementImportForm form(f.session, {"売上"});
    EXPECT_FALSE(form.LoadFile(pipe, f.dialogs));
    ASSERT_FALSE(f.dialogs.Infos().empty());
    EXPECT_NE(f.dialogs.Infos().back().find("(通常のファイルではありません)"), std::string::npos)
        << f.dialogs.Infos().back();
}

TEST(StatementImport, RowsTheChecksRefuseAndWhy) {
    ViewFixture f;
    f.session.ledger.periods.lock[5] = 1;
    ImportChoices choices;
    choices.book = kBankB;
    choices.columns = {1, 2, AmountColumns::Signed, 0, 0, 3, 0, 0};
    choices.title = "雑収入";
    const std::vector<StatementRow> rows = {
        {"日付", "摘要", "金額"},
        {"2014/04/11", "振込", "abc"},
        {"2014/04/12", "", "100"},
        {"2014/04/13", "振込", "0"},
        {"2014/05/07", "振込", "100"},
        {"2014/04/14", "振込😀", "100"},
        {"2014/04/15", "振込", "1,000,000,000,000"},
        {"", "", ""},
        {"2014/04/16", "'=出金", "-999,999,999,999"},
    };
    const ImportPlan plan = PlanImport(f.session.ledger, rows, choices, {});
    EXPECT_EQ(Verdicts(plan),
              (std::vector<std::string>{
                  "1 日付を読み取れません（日付）",
                  "2 金額を読み取れません（abc）",
                  "3 摘要が入力されていません",
                  "4 収入・支出がどちらも入力されていません。どちらか一方には必ず入力して下さい",
                  "5 この月のデ－タはロックされていますので入力はできません。",
                  "6 摘要の「😀」はCP932(Shift_JIS)で保存できない文字です。",
                  "7 金額は12桁（999,999,999,999円）までです。",
                  "9 取込",
              }));
    // The export's guard against formulas is taken off; a negative amount is a withdrawal.
    EXPECT_EQ(plan.rows.back().description, "=出金");
    EXPECT_EQ(plan.rows.back().expense, Amount::FromYen(999'999'999'999));
    EXPECT_EQ(plan.rows.back().title, "雑収入");

    // Both columns given, and a title too long for the title list: cut as the list cuts.
    choices.columns = {1, 2, AmountColumns::DepositAndWithdrawal, 3, 4, 0, 0, 0};
    choices.title = "とても長い勘定科目の名前です";
    const ImportPlan two = PlanImport(
        f.session.ledger, {{"2014/04/17", "振込", "100", "200"}, {"2014/04/18", "返金", "-50", ""}},
        choices, {});
    EXPECT_EQ(Verdicts(two)[0],
              "1 収入・支出に金額が入力されています。どちらか一方のみ入力して下さい");
    EXPECT_EQ(two.rows[1].expense, Amount::FromYen(50));
    EXPECT_EQ(two.rows[1].title, "とても長い勘定科");

    // A balance that would no longer fit refuses the whole import; nothing changes.
    f.session.ledger.bankRegistry.Put(0, "z,預金,B,-922000000000000,");
    const std::vector<std::string> before = f.session.ledger.transactions.Items();
    const ImportResult result = ImportIntoBook(f.session, f.view, plan);
    EXPECT_EQ(result.refusal, "この金額を登録すると残高が計算できる範囲を超えます。");
    EXPECT_TRUE(result.added.empty());
    EXPECT_EQ(f.session.ledger.transactions.Items(), before);
}

// A statement listing its newest row first, a day with two equal rows of which the book
// holds one: the other is imported, and the day's rows go in oldest first.
TEST(StatementImport, EqualRowsMeetOneRecordEachAndNewestFirstComesInOldestFirst) {
    ViewFixture f;
    ImportChoices choices;
    choices.book = kBankB;
    choices.columns = {1, 2, AmountColumns::Signed, 0, 0, 3, 4, 0};
    choices.title = "雑費";
    const std::vector<StatementRow> rows = {
        {"2014/04/20", "ｶｰﾄﾞ", "-500", "21,400"},
        {"2014/04/20", "ｶｰﾄﾞ", "-100", "21,900"},
        {"2014/04/03", "預け入れ", "1000", "22,000"},
        {"2014/04/03", "預け入れ", "1000", "21,000"},
    };
    const ImportPlan plan = PlanImport(f.session.ledger, rows, choices, {});
    EXPECT_TRUE(plan.newestFirst);
    EXPECT_EQ(Verdicts(plan),
              (std::vector<std::string>{"1 取込", "2 取込",
                                        "3 同じ日付・金額・摘要の記録が帳簿にあります", "4 取込"}));
    const ImportResult result = ImportIntoBook(f.session, f.view, plan);
    f.Show();
    f.session.RecordLines();
    const LineList& list = f.session.ledger.transactions;
    ASSERT_EQ(result.added.size(), 3u);
    EXPECT_EQ(list[3], "d04=,2014/04/03,9,雑費,預け入れ,1000,0,22000,預金,B,預金,B,");
    EXPECT_EQ(list[8], "d04=,2014/04/20,10,雑費,カード,0,100,21900,預金,B,預金,B,");
    EXPECT_EQ(list[9], "d04=,2014/04/20,11,雑費,カード,0,500,21400,預金,B,預金,B,");
    ASSERT_TRUE(result.balance);
    EXPECT_TRUE(result.balance->Matches());
    EXPECT_EQ(result.balance->book, Amount::FromYen(21400));
}

// Fields 0..11 but the entry number, which counts the lines there were when a record was
// made.
std::vector<std::string> WithoutEntryNumbers(const LineList& list) {
    std::vector<std::string> lines;
    for (const std::string& line : list.Items()) {
        auto fields = RecordFieldsOf(RecordSplit(line));
        fields[kFieldEntryNo].clear();
        lines.push_back(JoinRecord(fields));
    }
    return lines;
}

// B's records and its transfers with the cash book, either side of them.
TEST(StatementImport, TheProgramsOwnExportComesBackAsTheSameRecords) {
    const std::string records =
        "d04=,2014/04/01,0,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/02,1,受取利息,普通預金利息,12.5,0,,預金,B,預金,B,\n"
        "d04=,2014/04/02,2,水道光熱費,電気代 4月分,0,3240,,預金,B,預金,B,\n"
        "d04=,2014/04/04,3,預金,預け入れ,0,50000,,現金,現金出納帳,預金,B,\n"
        "d04=,2014/04/05,4,交通費,タクシー代,0,1500,,現金,現金出納帳,現金,現金出納帳,\n"
        "d04=,2014/04/08,5,預金,ATM引出,0,3000,,預金,B,現金,現金出納帳,\n"
        "d04=,2014/04/20,6,売上,振込　山田商店,200000,0,,預金,B,預金,B,\n"
        "d05=,2014/05/02,7,交通費,バス代,0,220,,現金,現金出納帳,現金,現金出納帳,\n"
        "d06=,2014/06/30,8,支払手数料,=振込手数料,0,330,,預金,B,預金,B,\n";
    const std::string trailer =
        std::string(kViewLedger).substr(std::string(kViewLedger).find("z,"));
    ViewFixture original(records + trailer);
    Balances figures;
    Recompute(original.session.ledger, figures, 0, "B", "預金", 4);
    CsvOptions options;
    options.formulaGuard = true;
    CsvScope scope;
    scope.book = kBankB;
    const std::string bytes = CsvFileBytes(original.session.ledger, scope, options, CodeTable{});

    // The same ledger without B's records.
    std::string others;
    for (const std::string& line : original.session.ledger.transactions.Items())
        if (line.find(",預金,B,") == std::string::npos) others += line + "\n";
    ViewFixture copy(others + trailer);
    const std::vector<StatementRow> rows =
        SplitCsvRows(DecodeStatement(bytes, StatementEncoding::Auto).text);
    const SuggestedLayout layout = SuggestLayout(rows);
    EXPECT_EQ(layout.skipRows, 1);
    ImportChoices choices;
    choices.book = kBankB;
    choices.columns = layout.columns;
    choices.skipRows = layout.skipRows;
    EXPECT_EQ(choices.columns.title, 6);
    choices.bookColumns = layout.bookColumns;
    EXPECT_EQ(choices.bookColumns, (BookColumns{1, 2, 3, 4}));
    const ImportPlan plan = PlanImport(copy.session.ledger, rows, choices, {});
    EXPECT_EQ(plan.Count(RowVerdict::Import), 6);
    const ImportResult result = ImportIntoBook(copy.session, copy.view, plan);
    copy.Show();
    ASSERT_TRUE(result.balance);
    EXPECT_TRUE(result.balance->Matches());
    // Both as a save writes them, their balances settled from the same book's side (a
    // transfer's balance is the one of the book shown).
    copy.session.RecordLines();
    SettleBalances(original.session.ledger, copy.session.currentBook);
    EXPECT_EQ(WithoutEntryNumbers(copy.session.ledger.transactions),
              WithoutEntryNumbers(original.session.ledger.transactions));

    // A transfer with a book the ledger does not hold is not made up.
    std::vector<StatementRow> unknown = {rows[0], rows[3]};
    unknown[1][1] = "Z";
    const ViewFixture empty(others + trailer);
    EXPECT_EQ(Verdicts(PlanImport(empty.session.ledger, unknown, choices, {})),
              std::vector<std::string>{"2 相手の帳簿がありません（現金 Z）"});
}

}  // namespace
}  // namespace velmora::testing
