#include "core/session/new_ledger.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/session/file_commands.h"
#include "core/util/fields.h"
#include "session_harness.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using testing::ReadBytes;
using testing::SessionHarness;

TEST(NewLedger, EmptiesTheLedgerAndAsksForThePeriods) {
    SessionHarness h;
    ASSERT_TRUE(LoadLedger(h.session, h.CopyExample("a.exv")));
    ASSERT_TRUE(NewLedgerCommand(h.session, 2));
    EXPECT_EQ(h.dialogs.Log(), Lines{"info:確認|環境設定にて開始月と締日を設定して下さい"});
    const Ledger& ledger = h.session.ledger;
    EXPECT_EQ(ledger.useType, 2);
    EXPECT_EQ(ledger.transactions.Count(), 0);
    EXPECT_EQ(ledger.pettyRegistry.Count(), 0);
    EXPECT_EQ(ledger.periods.start[2].ShortText(), "2024/02/01");
    EXPECT_EQ(ledger.periods.end[2].ShortText(), "2024/02/29");
    EXPECT_EQ(ledger.periods.end[12].ShortText(), "2024/12/31");
    EXPECT_EQ(ledger.startMonth, 1);
    EXPECT_EQ(ledger.startYear, 2024);
    EXPECT_EQ(ledger.openingBalance, Amount());
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "おこづかい帳"}));
    EXPECT_EQ(h.session.lastSelectedBook, (BookId{"現金", "おこづかい帳"}));
    EXPECT_EQ(h.session.filePanel, "");
    EXPECT_EQ(h.session.currentFile, "");
    EXPECT_EQ(h.session.currentMonth, 3);
    EXPECT_FALSE(h.session.modified);
}

TEST(NewLedger, ModifiedLedgerIsDiscardedOnlyAfterYes) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.session.modified = true;
    h.dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(NewLedgerCommand(h.session, 1));
    EXPECT_EQ(h.dialogs.Log(),
              Lines{"yesno:現金出納帳5-Velmora Version5|編集中のデ－タは破棄されます。"});
    EXPECT_EQ(h.session.ledger.transactions.Count(), 2);
    EXPECT_EQ(h.session.filePanel, path);
    EXPECT_TRUE(h.session.modified);

    ASSERT_TRUE(NewLedgerCommand(h.session, 1));
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|環境設定にて開始月と締日を設定して下さい"});
    EXPECT_EQ(h.session.ledger.transactions.Count(), 0);
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
}

// A fiscal 2014 ledger whose cash book ends the year at 12,345, petty-cash book A at 800
// and bank book B銀行 (no records) at 500; April is locked.
struct RollOverHarness : SessionHarness {
    RollOverHarness() {
        thisYear = docs + "/2014.exv";
        std::string trailer = testing::FiscalYearTrailer(2014, "g,10000,4,1,2014,");
        trailer = ReplaceAll(trailer, "2014/04/30,0", "2014/04/30,1");
        testing::WriteCp932(
            thisYear,
            "d04=,2014/04/10,0,売上,現金売上,2345,0,,現金,現金出納帳,現金,現金出納帳,\n"
            "d05=,2014/05/10,1,雑費,文具,0,200,,小口,A,小口,A,\n"
            "z,小口,A,1000,\nz,預金,B銀行,500,\n" +
                trailer);
        EXPECT_TRUE(LoadLedger(session, thisYear));
        thisYearBytes = ReadBytes(thisYear);
        nextYear = docs + "/2015.exv";
    }
    std::string thisYear, thisYearBytes, nextYear;
};

TEST(RollOver, CarriesEveryBalanceIntoNextYearsFile) {
    RollOverHarness h;
    h.dialogs.saveFileAnswers = {h.nextYear};
    ASSERT_TRUE(RollOver(h.session));

    // The February 2015 period moves to February 2016 as it was: 29 February 2016 lies in
    // no period until the periods are set again. The April lock is gone.
    const Lines expected = {
        "z,小口,A,800,",
        "z,預金,B銀行,500,",
        "f,2016/01/01,2016/01/31,0",
        "f,2016/02/01,2016/02/28,0",
        "f,2016/03/01,2016/03/31,0",
        "f,2015/04/01,2015/04/30,0",
        "f,2015/05/01,2015/05/31,0",
        "f,2015/06/01,2015/06/30,0",
        "f,2015/07/01,2015/07/31,0",
        "f,2015/08/01,2015/08/31,0",
        "f,2015/09/01,2015/09/30,0",
        "f,2015/10/01,2015/10/31,0",
        "f,2015/11/01,2015/11/30,0",
        "f,2015/12/01,2015/12/31,0",
        "g,12345,4,1,2015,",
    };
    ASSERT_EQ(ReadTextLines(h.nextYear), expected);
    EXPECT_EQ(ReadBytes(h.nextYear), EncodeTextLines(expected));
    EXPECT_EQ(h.session.ledger.periods.FirstSlotOf(Date::FromYmd(2016, 2, 29)), 0);

    EXPECT_EQ(ReadBytes(h.thisYear), h.thisYearBytes);
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + h.nextYear + "を保存しました。"});
    ASSERT_EQ(h.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.fileRequests[0].filter, "現金出納帳-Velmora5-ファイル|*.exv");
    EXPECT_EQ(h.dialogs.fileRequests[0].defaultExtension, "exv");
    EXPECT_EQ(h.session.filePanel, h.nextYear);
    EXPECT_EQ(h.session.currentFile, h.nextYear);
    EXPECT_FALSE(h.session.modified);
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(12345));
    EXPECT_EQ(h.session.backups.entries[0].caption, "2015.exv(2024/03/05 13:07:09)");
}

TEST(RollOver, AllowanceBookWithoutRecordsCarriesItsOpeningBalance) {
    SessionHarness h;
    NewLedgerCommand(h.session, 2);
    h.session.ledger.openingBalance = Amount::FromYen(3000);
    h.dialogs.saveFileAnswers = {h.docs + "/next.exv"};
    ASSERT_TRUE(RollOver(h.session));
    const Lines lines = ReadTextLines(h.docs + "/next.exv");
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[1], "f,2025/02/01,2025/02/28,0");
    EXPECT_EQ(lines[12], "g,3000,1,2,2025,");
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "おこづかい帳"}));
}

TEST(RollOver, CancelledOrFailedLeavesThisYear) {
    RollOverHarness h;
    const Lines records = h.session.ledger.transactions.Items();
    auto expectThisYear = [&] {
        const Ledger& ledger = h.session.ledger;
        EXPECT_EQ(ledger.transactions.Items(), records);
        EXPECT_EQ(ledger.pettyRegistry.Items(), Lines{"z,小口,A,1000,"});
        EXPECT_EQ(ledger.startYear, 2014);
        EXPECT_EQ(ledger.periods.start[4].ShortText(), "2014/04/01");
        EXPECT_EQ(ledger.periods.lock[4], 1);
        EXPECT_EQ(h.session.filePanel, h.thisYear);
        EXPECT_EQ(h.session.currentFile, h.thisYear);
        EXPECT_FALSE(std::filesystem::exists(h.nextYear));
    };

    h.session.modified = true;
    h.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::No, SaveAnswer::No};
    EXPECT_FALSE(RollOver(h.session));  // the question about unsaved changes
    EXPECT_FALSE(RollOver(h.session));  // the file name dialog
    EXPECT_EQ(
        h.dialogs.Log(),
        (Lines{"save:はい/いいえ/キャンセル|データが変更されています。現在の状態を保存しますか？",
               "save:はい/いいえ/キャンセル|データが変更されています。現在の状態を保存しますか？",
               "saveas:|現金出納帳-Velmora5-ファイル|*.exv"}));
    expectThisYear();
    EXPECT_TRUE(h.session.modified);

    h.dialogs.Clear();
    h.writer.failing = {"2015.exv"};
    h.dialogs.saveFileAnswers = {h.nextYear};
    EXPECT_FALSE(RollOver(h.session));
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + h.nextYear + "を保存できませんでした。\r\n" +
                                       "ディスクがいっぱいです: " + h.nextYear});
    expectThisYear();
    EXPECT_TRUE(h.session.modified);
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(12345));
    EXPECT_EQ(ReadBytes(h.thisYear), h.thisYearBytes);

    // Next year's ledger over this year's file, by its name, another path or a link.
    h.writer.failing.clear();
    std::filesystem::create_symlink(h.thisYear, h.docs + "/link.exv");
    for (const std::string& name :
         {h.thisYear, h.docs + "/../docs/./2014.exv", h.docs + "/link.exv"}) {
        h.dialogs.Clear();
        h.dialogs.saveFileAnswers = {name};
        EXPECT_FALSE(RollOver(h.session));
        EXPECT_EQ(h.dialogs.Infos(),
                  Lines{"確認|" + name + "\r\n開いている帳簿ファイルには出力できません。"});
        expectThisYear();
        EXPECT_EQ(ReadBytes(h.thisYear), h.thisYearBytes);
    }
}

}  // namespace
}  // namespace velmora
