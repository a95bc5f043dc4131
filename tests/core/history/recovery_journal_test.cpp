// The journal read back after the program ended at any byte of it: the ledger as the last
// whole record left it, never a part of a record; a damaged record ends the journal.
#include "core/history/recovery_journal.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/ledger/ledger_file.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

const Date kToday = Date::FromYmd(2014, 6, 10);

struct Written {
    std::size_t end;  // the journal's size once the command was written
    std::string ledger;
};

class Journal : public ::testing::Test {
protected:
    Journal() {
        ledger = ReadLedgerFile(FixturePath("ledger/example2014.exv"), Ledger{}, kToday).ledger;
        file.path = "a.exv";
        file.exists = true;
    }

    // Runs commands on the ledger, each committed to a journal; what each left.
    std::vector<Written> Work() {
        RecoveryJournal journal(folder.Path(), writer);
        std::vector<Written> written;
        auto command = [&](auto change) {
            journal.Watch(ledger);
            change();
            journal.Commit(ledger, file, true, BookId{"現金", "現金出納帳"});
            written.push_back({std::filesystem::file_size(journal.Path()),
                               EncodeTextLines(LedgerFileLines(ledger))});
        };
        command([&] { ledger.transactions.Put(0, ledger.transactions[0] + "x"); });
        command([&] {
            ledger.transactions.Insert(
                1, "d06=,2014/06/04,2,通信費,x,0,1,0,現金,現金出納帳,現金,現金出納帳,");
        });
        command([&] { ledger.openingBalance = Amount::FromYen(777); });
        command([&] {
            ledger.transactions.Exchange(0, 2);
            ledger.transactions.Delete(1);
        });
        command([&] { ledger.pettyRegistry.Add("z,小口,出張,0,"); });
        // Many lines at once, as an import inserts and its undo deletes them.
        command([&] {
            ledger.transactions.InsertMany(
                {{0, "d04=,2014/04/01,9,雑費,a,0,1,,現金,現金出納帳,現金,現金出納帳,"},
                 {2, "d04=,2014/04/01,10,雑費,b,0,2,,現金,現金出納帳,現金,現金出納帳,"},
                 {3, "d04=,2014/04/01,11,雑費,c,0,3,,現金,現金出納帳,現金,現金出納帳,"}});
        });
        command([&] { ledger.transactions.DeleteMany({0, 3}); });
        return written;
    }

    std::optional<std::string> ReadBack(std::string_view bytes) {
        const std::string path = folder.File("cut.jnl");
        WriteBytes(path, bytes);
        auto work = RecoveryJournal::Read(path, kToday);
        if (!work) return std::nullopt;
        return EncodeTextLines(LedgerFileLines(work->ledger));
    }

    TempFolder folder;
    DiskFileWriter writer;
    Ledger ledger;
    FileIdentity file;
};

TEST_F(Journal, CutAnywhereGivesTheLedgerOfTheLastWholeRecord) {
    const std::vector<Written> written = Work();
    const std::string bytes = ReadBytes(folder.File(kRecoveryJournalName));
    ASSERT_EQ(bytes.size(), written.back().end);
    ASSERT_EQ(ReadBack(bytes), written.back().ledger);
    // Every byte within the commands' records, every 50th within the whole ledger's.
    for (std::size_t cut = 0; cut < bytes.size(); cut += cut < written[0].end ? 50 : 1) {
        std::optional<std::string> expected;
        for (const Written& w : written)
            if (w.end <= cut) expected = w.ledger;
        ASSERT_EQ(ReadBack(std::string_view(bytes).substr(0, cut)), expected) << "cut at " << cut;
    }
}

TEST_F(Journal, ADamagedRecordEndsTheJournalAndAForeignFileIsNone) {
    const std::vector<Written> written = Work();
    std::string bytes = ReadBytes(folder.File(kRecoveryJournalName));
    // A byte of the third command's record changed: the first two commands are given back.
    std::string damaged = bytes;
    damaged[written[2].end - 12] ^= 0x20;
    EXPECT_EQ(ReadBack(damaged), written[1].ledger);
    // Within the record of the whole ledger: nothing to give back.
    damaged = bytes;
    damaged[written[0].end / 2] ^= 0x20;
    EXPECT_EQ(ReadBack(damaged), std::nullopt);
    EXPECT_EQ(ReadBack("VELMORA-RECOVERY 2\n" + bytes.substr(19)), std::nullopt);
    EXPECT_EQ(ReadBack(""), std::nullopt);
    EXPECT_EQ(RecoveryJournal::Read(folder.File("missing.jnl"), kToday), std::nullopt);
}

TEST_F(Journal, KeptJournalsAreFoundAfterTheLastRunsInTheOrderKept) {
    Work();
    const std::string current = folder.File(kRecoveryJournalName);
    EXPECT_EQ(RecoveryJournal::Keep(current), folder.File("recovery-1.jnl"));
    Work();
    EXPECT_EQ(RecoveryJournal::Keep(current), folder.File("recovery-2.jnl"));
    EXPECT_EQ(RecoveryJournal::Keep(folder.File("recovery-1.jnl")), folder.File("recovery-1.jnl"));
    WriteBytes(folder.File("recovery-x.jnl"), "not ours");
    WriteBytes(folder.File("recovery-10.jnl"), "");
    Work();
    EXPECT_EQ(
        RecoveryJournal::Found(folder.Path()),
        (std::vector<std::string>{current, folder.File("recovery-1.jnl"),
                                  folder.File("recovery-2.jnl"), folder.File("recovery-10.jnl")}));
}

// A link another user planted where the journal goes, in a working folder they could write
// to: the journal replaces the link and writes nothing through it, and no one else may read it.
TEST_F(Journal, ALinkInItsPlaceIsReplacedNeverWrittenThrough) {
    TempFolder outside;
    const std::string victim = outside.File("victim");
    WriteBytes(victim, "their file");
    const std::string journal = folder.File(kRecoveryJournalName);
    DiskFileWriter own(folder.Path());
    for (const std::string& target : {victim, outside.File("dangling")}) {
        std::filesystem::remove(journal);
        std::filesystem::create_symlink(target, journal);
        RecoveryJournal recovery(folder.Path(), own);
        recovery.Watch(ledger);
        ledger.transactions.Put(0, ledger.transactions[0] + "x");
        recovery.Commit(ledger, file, true, BookId{"現金", "現金出納帳"});
        EXPECT_FALSE(recovery.Failing());
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(journal)));
        EXPECT_EQ(std::filesystem::status(journal).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        ASSERT_TRUE(RecoveryJournal::Read(journal, kToday));
    }
    EXPECT_EQ(ReadBytes(victim), "their file");
    EXPECT_FALSE(std::filesystem::exists(outside.File("dangling")));
}

}  // namespace
}  // namespace velmora::testing
