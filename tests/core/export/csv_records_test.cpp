#include "core/export/csv_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::ScriptedDialogs;
using testing::TempFolder;
using Lines = std::vector<std::string>;

const Lines kRecords = {
    "d04=,2014/04/05,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,",
    "d04=,2014/04/06,1,預金,預入,0,1000,8780,現金,現金出納帳,預金,B銀行,",
    "d04=,2014/04/07,2,小口現金,小口へ補充,0,3000,5780,現金,現金出納帳,小口,本店,",
    "d04=,2014/04/08,3,受取利息,普通預金利息,5,0,1005,預金,B銀行,預金,B銀行,",
    "d04=,2014/04/09,4,交通費,タクシー代,0,1500,4280,現金,現金出納帳,現金,現金出納帳,",
    "d04=,2014/04/10,5,預金,振替,0,500,505,預金,B銀行,預金,C銀行,",
};
const char* kTitleRow =
    "種別,帳簿名,相手種別,相手帳簿名,日　付,科　目,摘　要,収　入,支　出,差引残高,";

Ledger ExampleLedger() {
    Ledger ledger;
    ledger.transactions.Assign(kRecords);
    return ledger;
}

CsvScope BookScope(std::string kind, std::string name) {
    return {BookId{std::move(kind), std::move(name)}, false, ""};
}

TEST(CsvRecords, TheCashBookSeesItsRecordsAndTransfersDecorated) {
    Lines lines =
        CsvRecordLines(ExampleLedger(), BookScope("現金", "現金出納帳"), CsvOptions{}, CodeTable{});
    EXPECT_EQ(lines,
              (Lines{
                  kTitleRow,
                  "現金,現金出納帳,現金,現金出納帳,2014/04/05,交通費,バス代,0,220,9780,",
                  "現金,現金出納帳,預金,B銀行,2014/04/06,預金,預入　《B銀行》,0,1000,8780,",
                  "現金,現金出納帳,小口,本店,2014/04/07,小口現金,小口へ補充　《本店》,0,3000,5780,",
                  "現金,現金出納帳,現金,現金出納帳,2014/04/09,交通費,タクシー代,0,1500,4280,",
              }));
}

TEST(CsvRecords, TheOtherSideSeesATransferReversed) {
    Lines bankB =
        CsvRecordLines(ExampleLedger(), BookScope("預金", "B銀行"), CsvOptions{}, CodeTable{});
    EXPECT_EQ(bankB,
              (Lines{
                  kTitleRow,
                  "現金,現金出納帳,預金,B銀行,2014/04/06,預金,預入　《現金出納帳》,1000,0,8780,",
                  "預金,B銀行,預金,B銀行,2014/04/08,受取利息,普通預金利息,5,0,1005,",
                  "預金,B銀行,預金,C銀行,2014/04/10,預金,振替　《C銀行》,0,500,505,",
              }));
    CsvOptions noTitleRow;
    noTitleRow.titleRow = false;
    Lines bankC =
        CsvRecordLines(ExampleLedger(), BookScope("預金", "C銀行"), noTitleRow, CodeTable{});
    EXPECT_EQ(bankC, (Lines{"預金,B銀行,預金,C銀行,2014/04/10,預金,振替　《B銀行》,500,0,505,"}));
}

TEST(CsvRecords, AllBooksExportEveryRecordOnceAsStored) {
    CsvScope scope{BookId{"全帳簿", "全帳簿"}, true, ""};
    CsvOptions options;
    options.titleRow = false;
    Lines lines = CsvRecordLines(ExampleLedger(), scope, options, CodeTable{});
    EXPECT_EQ(lines,
              (Lines{
                  "現金,現金出納帳,現金,現金出納帳,2014/04/05,交通費,バス代,0,220,9780,",
                  "現金,現金出納帳,預金,B銀行,2014/04/06,預金,預入,0,1000,8780,",
                  "現金,現金出納帳,小口,本店,2014/04/07,小口現金,小口へ補充,0,3000,5780,",
                  "預金,B銀行,預金,B銀行,2014/04/08,受取利息,普通預金利息,5,0,1005,",
                  "現金,現金出納帳,現金,現金出納帳,2014/04/09,交通費,タクシー代,0,1500,4280,",
                  "預金,B銀行,預金,C銀行,2014/04/10,預金,振替,0,500,505,",
              }));
}

TEST(CsvRecords, AccountFilterAndCodes) {
    CodeTable codes = CodeTable::FromLines({"交通費=501", "小口現金=", "雑費=900"});
    CsvOptions options;
    options.codeConversion = true;
    options.titleRow = false;
    Lines cash = CsvRecordLines(ExampleLedger(), BookScope("現金", "現金出納帳"), options, codes);
    EXPECT_EQ(cash, (Lines{
                        "現金,現金出納帳,現金,現金出納帳,2014/04/05,501,バス代,0,220,9780,",
                        "現金,現金出納帳,預金,B銀行,2014/04/06,,預入　《B銀行》,0,1000,8780,",
                        "現金,現金出納帳,小口,本店,2014/04/07,,小口へ補充　《本店》,0,3000,5780,",
                        "現金,現金出納帳,現金,現金出納帳,2014/04/09,501,タクシー代,0,1500,4280,",
                    }));

    // The filter compares the stored title, also when codes are written.
    CsvScope filtered = BookScope("現金", "現金出納帳");
    filtered.accountFilter = "交通費";
    options.columns = {false, false, false, false, true, true, true, false, true, false};
    options.titleRow = true;
    EXPECT_EQ(CsvRecordLines(ExampleLedger(), filtered, options, codes),
              (Lines{"日　付,科　目,摘　要,支　出,", "2014/04/05,501,バス代,220,",
                     "2014/04/09,501,タクシー代,1500,"}));
    filtered.allBooks = true;
    filtered.accountFilter = "預金";
    options.codeConversion = false;
    EXPECT_EQ(CsvRecordLines(ExampleLedger(), filtered, options, codes),
              (Lines{"日　付,科　目,摘　要,支　出,", "2014/04/06,預金,預入,1000,",
                     "2014/04/10,預金,振替,500,"}));
}

// The file's bytes are built a line at a time from the records, without the lines; they
// must be the lines' bytes whatever the scope and the options, and refuse what the lines'
// encoding refuses, with the same message.
TEST(CsvRecords, FileBytesAreTheLinesInCp932) {
    CodeTable codes = CodeTable::FromLines({"交通費=501", "小口現金=", "預金=ﾖｷﾝ"});
    CsvScope allBooks{BookId{"全帳簿", "全帳簿"}, true, ""};
    CsvScope filtered = BookScope("預金", "B銀行");
    filtered.accountFilter = "預金";
    CsvOptions someColumns;
    someColumns.columns = {false, true, false, true, true, true, true, false, true, false};
    someColumns.codeConversion = true;
    CsvOptions noTitleRow;
    noTitleRow.titleRow = false;
    const Ledger ledger = ExampleLedger();
    for (const CsvScope& scope : {allBooks, BookScope("現金", "現金出納帳"), filtered})
        for (const CsvOptions& options : {CsvOptions{}, someColumns, noTitleRow})
            EXPECT_EQ(CsvFileBytes(ledger, scope, options, codes),
                      EncodeTextLines(CsvRecordLines(ledger, scope, options, codes)));
    EXPECT_EQ(CsvFileBytes(ledger, BookScope("小口", "本店"), noTitleRow, codes),
              Utf8ToCp932("現金,現金出納帳,小口,本店,2014/04/07,小口現金,"
                          "小口へ補充　《現金出納帳》,3000,0,5780,\r\n"));
    EXPECT_EQ(CsvFileBytes(Ledger(), allBooks, noTitleRow, codes), "");

    Ledger unwritable = ExampleLedger();
    unwritable.transactions.Put(
        4, "d04=,2014/04/09,4,交通費,タクシー😀,0,1500,4280,現金,現金出納帳,現金,現金出納帳,");
    try {
        CsvFileBytes(unwritable, allBooks, CsvOptions{}, codes);
        ADD_FAILURE() << "no encoding error";
    } catch (const EncodingError& error) {
        EXPECT_STREQ(error.what(), "「😀」はCP932(Shift_JIS)で保存できない文字です");
    }
    // Not taken, not written: a book that does not see the record exports it not.
    EXPECT_EQ(CsvFileBytes(unwritable, BookScope("預金", "C銀行"), noTitleRow, codes),
              Utf8ToCp932("預金,B銀行,預金,C銀行,2014/04/10,預金,振替　《B銀行》,500,0,505,\r\n"));
}

// A ledger large enough to be made in pieces by two threads: the records of kRecords
// again and again, some with descriptions too long to be kept in place.
Ledger LargeLedger() {
    Lines records;
    for (int i = 0; i < 20000; ++i) {
        std::string record = kRecords[static_cast<std::size_t>(i) % kRecords.size()];
        if (i % 42 == 0)  // "バス代"
            record.replace(record.find("代"), 3, "代" + std::string(40 + i % 3, 'x') + "の精算");
        records.push_back(std::move(record));
    }
    Ledger ledger;
    ledger.transactions.Assign(records);
    return ledger;
}

TEST(CsvRecords, ALargeFileMadeInPiecesIsTheLinesInCp932) {
    CodeTable codes = CodeTable::FromLines({"交通費=501", "預金=ﾖｷﾝ"});
    CsvOptions guarded;
    guarded.codeConversion = true;
    guarded.formulaGuard = true;
    const CsvScope allBooks{BookId{"全帳簿", "全帳簿"}, true, ""};
    Ledger ledger = LargeLedger();
    for (const CsvScope& scope : {allBooks, BookScope("預金", "B銀行")})
        for (const CsvOptions& options : {CsvOptions{}, guarded})
            EXPECT_EQ(CsvFileBytes(ledger, scope, options, codes),
                      EncodeTextLines(CsvRecordLines(ledger, scope, options, codes)));
    // A character CP932 cannot hold in a piece the other thread makes.
    ledger.transactions.Put(
        9000, "d04=,2014/04/09,4,交通費,タクシー😀,0,1500,4280,現金,現金出納帳,現金,現金出納帳,");
    EXPECT_THROW(
        {
            try {
                CsvFileBytes(ledger, allBooks, CsvOptions{}, codes);
            } catch (const EncodingError& error) {
                EXPECT_STREQ(error.what(), "「😀」はCP932(Shift_JIS)で保存できない文字です");
                throw;
            }
        },
        EncodingError);
}

TEST(CsvRecords, Utf8WithByteOrderMarkAndTheFormulaGuard) {
    Ledger ledger;
    ledger.transactions.Assign({
        "d04=,2014/04/05,0,=SUM(A1),+81 電話,0,-220,9780,現金,現金出納帳,小口,@本店,",
        "d04=,2014/04/06,1,－振替,＠メモ,5,0,9785,現金,現金出納帳,現金,現金出納帳,",
        "d04=,2014/04/07,2,交通費,a=b,0,100,9685,現金,現金出納帳,現金,現金出納帳,",
    });
    const CsvScope allBooks{BookId{"全帳簿", "全帳簿"}, true, ""};
    CsvOptions options;
    options.titleRow = false;
    options.encoding = CsvEncoding::Utf8Bom;
    options.formulaGuard = true;
    EXPECT_EQ(CsvFileBytes(ledger, allBooks, options, CodeTable()),
              "\xEF\xBB\xBF"
              "現金,現金出納帳,小口,'@本店,2014/04/05,'=SUM(A1),'+81 電話,0,-220,9780,\r\n"
              "現金,現金出納帳,現金,現金出納帳,2014/04/06,'－振替,'＠メモ,5,0,9785,\r\n"
              "現金,現金出納帳,現金,現金出納帳,2014/04/07,交通費,a=b,0,100,9685,\r\n");
    // Without the guard the texts go out as they are, in CP932 by default.
    options.formulaGuard = false;
    options.encoding = CsvEncoding::ShiftJis;
    EXPECT_EQ(CsvFileBytes(ledger, allBooks, options, CodeTable()).substr(0, 40),
              Utf8ToCp932("現金,現金出納帳,小口,@本店,2014/04/05,=SUM(A1),+81 電話,0,-220,")
                  .substr(0, 40));
    for (const char* lead : {"=", "+", "-", "@", "＝", "＋", "－", "＠", "\t", "\r"})
        EXPECT_TRUE(StartsLikeFormula(std::string(lead) + "x")) << lead;
    EXPECT_FALSE(StartsLikeFormula("x=1"));
    EXPECT_FALSE(StartsLikeFormula(""));
}

struct ExportSession {
    TempFolder work;
    ScriptedDialogs dialogs;
    FixedClock clock{Date::FromYmd(2014, 4, 10)};
    Session Make(FileWriter& writer) {
        Session session(SessionServices{dialogs, clock, writer, work.Path(), ""});
        session.ledger = ExampleLedger();
        return session;
    }
};

class FailingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view) override {
        throw FileError("ディスクがいっぱいです: " + path);
    }
    void Remove(const std::string&) override {}
};

TEST(CsvExport, WritesCp932WithCrLfAndSaysSo) {
    ExportSession e;
    DiskFileWriter disk;
    Session session = e.Make(disk);
    session.currentBook = {"預金", "B銀行"};
    session.accountFilter = "預金";
    e.dialogs.saveFileAnswers = {e.work.File("out.csv")};
    ASSERT_TRUE(ExportCsv(session, CsvOptions{}, CodeTable{}));
    // The balance column holds field 7 as showing the ledger leaves it: B銀行's balances.
    EXPECT_EQ(ReadBytes(e.work.File("out.csv")),
              Utf8ToCp932(
                  std::string(kTitleRow) + "\r\n" +
                  "現金,現金出納帳,預金,B銀行,2014/04/06,預金,預入　《現金出納帳》,1000,0,1000,\r\n"
                  "預金,B銀行,預金,C銀行,2014/04/10,預金,振替　《C銀行》,0,500,505,\r\n"));
    EXPECT_EQ(e.dialogs.Log(),
              (Lines{"saveas:|CSVファイル|*.csv", "info:確認|CSVファイルへ出力しました。"}));
    ASSERT_EQ(e.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(e.dialogs.fileRequests[0].defaultExtension, "csv");
    EXPECT_EQ(e.dialogs.fileRequests[0].fileName, "");
}

TEST(CsvExport, TheOpenLedgerIsNoOutput) {
    ExportSession e;
    DiskFileWriter disk;
    Session session = e.Make(disk);
    const std::string ledger = e.work.File("2014.exv");
    testing::WriteBytes(ledger, "the ledger\r\n");
    session.currentFile = ledger;
    session.filePanel = ledger;
    std::filesystem::create_symlink(ledger, e.work.File("link.csv"));
    for (const std::string& name : {ledger, e.work.File("link.csv")}) {
        e.dialogs.Clear();
        e.dialogs.saveFileAnswers = {name};
        EXPECT_FALSE(ExportCsv(session, CsvOptions{}, CodeTable{}));
        EXPECT_EQ(e.dialogs.Infos(),
                  Lines{"確認|" + name + "\r\n開いている帳簿ファイルには出力できません。"});
        EXPECT_EQ(ReadBytes(ledger), "the ledger\r\n");
    }
}

TEST(CsvExport, CancelledOrFailedExportsLeaveNoFile) {
    ExportSession e;
    DiskFileWriter disk;
    Session session = e.Make(disk);
    EXPECT_FALSE(ExportCsv(session, CsvOptions{}, CodeTable{}));  // save dialog cancelled
    EXPECT_EQ(e.dialogs.Infos(), Lines{});

    const std::string missingFolder = e.work.File("gone/out.csv");
    e.dialogs.saveFileAnswers = {missingFolder};
    EXPECT_FALSE(ExportCsv(session, CsvOptions{}, CodeTable{}));
    EXPECT_FALSE(std::filesystem::exists(missingFolder));
    ASSERT_EQ(e.dialogs.Infos().size(), 1u);
    EXPECT_EQ(e.dialogs.Infos()[0].rfind("確認|", 0), 0u);

    // A full disk leaves the previous file whole and says so instead of "出力しました".
    testing::WriteBytes(e.work.File("old.csv"), "old,\r\n");
    FailingWriter failing;
    Session full = e.Make(failing);
    e.dialogs.Clear();
    e.dialogs.saveFileAnswers = {e.work.File("old.csv")};
    EXPECT_FALSE(ExportCsv(full, CsvOptions{}, CodeTable{}));
    EXPECT_EQ(ReadBytes(e.work.File("old.csv")), "old,\r\n");
    EXPECT_EQ(e.dialogs.Infos(), (Lines{"確認|ディスクがいっぱいです: " + e.work.File("old.csv")}));
}

// A large file goes to the disk while it is made: it is there whole, or not at all.
TEST(CsvExport, ALargeFileIsWrittenWholeOrNotAtAll) {
    ExportSession e;
    DiskFileWriter disk;
    Session session = e.Make(disk);
    session.ledger = LargeLedger();
    session.allBooks = true;
    TempFolder out;
    const std::string csv = out.File("large.csv");
    e.dialogs.saveFileAnswers = {csv};
    ASSERT_TRUE(ExportCsv(session, CsvOptions{}, CodeTable{}));
    const std::string written = ReadBytes(csv);
    EXPECT_EQ(written,
              CsvFileBytes(session.ledger, CsvScopeOf(session), CsvOptions{}, CodeTable{}));
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 20001);

    session.ledger.transactions.Put(
        9000, "d04=,2014/04/09,4,交通費,タクシー😀,0,1500,4280,現金,現金出納帳,現金,現金出納帳,");
    e.dialogs.Clear();
    e.dialogs.saveFileAnswers = {csv};
    EXPECT_FALSE(ExportCsv(session, CsvOptions{}, CodeTable{}));
    EXPECT_EQ(e.dialogs.Infos(), Lines{"確認|「😀」はCP932(Shift_JIS)で保存できない文字です"});
    EXPECT_EQ(ReadBytes(csv), written);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.Path()), {}), 1);
}

}  // namespace
}  // namespace velmora
