#include "core/session/file_commands.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/ledger/ledger_file.h"
#include "core/ledger/record.h"
#include "core/platform/file_io.h"
#include "core/session/book_commands.h"
#include "core/session/new_ledger.h"
#include "core/session/startup.h"
#include "core/util/codepage.h"
#include "session_harness.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using testing::ReadBytes;
using testing::SessionHarness;

const std::string kBackupName = "20240305130709.dat";

std::string ExampleBytes() {
    return ReadBytes(testing::FixturePath("ledger/example2014.exv"));
}

// Everything of the open ledger and the session a failed load or save must not touch.
struct Snapshot {
    explicit Snapshot(Session& s)
        : records(s.RecordLines()),
          petty(s.ledger.pettyRegistry.Items()),
          bank(s.ledger.bankRegistry.Items()),
          settingsLine(SettingsLine(s.ledger)),
          currentFile(s.currentFile),
          filePanel(s.filePanel),
          modified(s.modified),
          backups(s.backups.entries) {}
    bool operator==(const Snapshot&) const = default;

    Lines records, petty, bank;
    std::string settingsLine, currentFile, filePanel;
    bool modified;
    std::array<BackupEntry, BackupList::kEntries> backups;
};

TEST(LoadLedger, ExampleLoadsAndSavesBackByteForByte) {
    SessionHarness h;
    const std::string path = h.CopyExample("example2014.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_TRUE(h.dialogs.events.empty());
    const Ledger& ledger = h.session.ledger;
    EXPECT_EQ(ledger.transactions.Count(), 2);
    EXPECT_EQ(ledger.pettyRegistry.Items(), Lines{"z,小口,本店,5000,"});
    EXPECT_EQ(ledger.openingBalance, Amount::FromYen(10000));
    EXPECT_EQ(ledger.startMonth, 4);
    EXPECT_EQ(ledger.useType, 1);
    EXPECT_EQ(ledger.startYear, 2014);
    EXPECT_EQ(ledger.periods.start[2].ShortText(), "2015/02/01");
    EXPECT_EQ(ledger.periods.end[4].ShortText(), "2014/04/30");
    EXPECT_EQ(h.session.currentFile, path);
    EXPECT_EQ(h.session.filePanel, path);
    EXPECT_FALSE(h.session.modified);
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.currentMonth, 3);
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(6780));
    EXPECT_EQ(h.session.fileIdentity, ReadFileIdentity(path));
    EXPECT_EQ(h.session.damagedFile, "");

    const std::string saved = h.docs + "/saved.exv";
    const SaveResult result = SaveLedger(h.session, saved);
    ASSERT_TRUE(result.saved);
    EXPECT_TRUE(result.backupWritten);
    EXPECT_EQ(ReadBytes(saved), ExampleBytes());
    EXPECT_EQ(h.session.fileIdentity, ReadFileIdentity(saved));
    testing::WriteBytes(saved, "changed by another program");
    EXPECT_FALSE(FileUnchanged(h.session.fileIdentity));
    EXPECT_EQ(ReadBytes(h.work + "/" + kBackupName), ExampleBytes());
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + saved + "を保存しました。"});
    EXPECT_EQ(h.session.currentFile, saved);
    EXPECT_EQ(h.session.filePanel, saved);
    EXPECT_EQ(ledger.transactions.Count(), 2);

    Lines backupList = {"[BACK_NAME_1]=saved.exv(2024/03/05 13:07:09)",
                        "[BACK_FILE_1]=" + h.work + "/" + kBackupName};
    for (int n = 2; n <= 10; ++n) {
        backupList.push_back("[BACK_NAME_" + std::to_string(n) + "]=---");
        backupList.push_back("[BACK_FILE_" + std::to_string(n) + "]=");
    }
    backupList.push_back("[Last_Filename]=" + saved);
    EXPECT_EQ(ReadBytes(h.work + "/ini/backup.conf"), EncodeTextLines(backupList));

    // Recomputed for the petty-cash book, the transfer carries its balance instead.
    SelectBook(h.session, {"小口", "本店"});
    EXPECT_EQ(RecordSplit(h.session.RecordLines()[1])[kFieldBalance], "8000");
}

TEST(LoadLedger, OldRecordsUseTypeNamesAndBankRegistry) {
    SessionHarness h;
    const std::string path = h.docs + "/allowance.exv";
    testing::WriteCp932(path,
                        "d04=,2014/04/05,1,交通費,バス代,0,220,780\n"
                        "d04=,2014/04/06,2,食費,昼食,0,500,0,現金,現金出納帳,現金,現金出納帳,\n"
                        "z,預金,A銀行,1000,\n" +
                            testing::FiscalYearTrailer(2014, "g,1000,4,2,2014,"));
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(
        h.session.RecordLines(),
        (Lines{"d04=,2014/04/05,1,交通費,バス代,0,220,780,現金,おこづかい帳,現金,おこづかい帳,",
               "d04=,2014/04/06,2,食費,昼食,0,500,280,現金,おこづかい帳,現金,おこづかい帳,"}));
    EXPECT_EQ(h.session.ledger.bankRegistry.Items(), Lines{"z,預金,A銀行,1000,"});
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "おこづかい帳"}));
    EXPECT_TRUE(h.dialogs.events.empty());
}

TEST(LoadLedger, TwelveLinesWithoutTrailerWarnsAndKeepsEveryRecord) {
    SessionHarness h;
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += "d01=,2024/01/" + std::to_string(10 + i) + "," + std::to_string(i) +
                ",a,b,0,1,,現金,現金出納帳,現金,現金出納帳,\n";
    const std::string path = h.docs + "/twelve.exv";
    testing::WriteCp932(path, text);
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|月設定が無効となっています。お手数ですが環境設定にて再度設定して下さい"});
    EXPECT_EQ(h.session.ledger.transactions.Count(), 12);
    EXPECT_EQ(h.session.ledger.periods.start[1].ShortText(), "2024/01/01");
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(-12));
}

// Regression: a file cut inside its settings line loaded silently with the use type 0 or not
// at all, and one cut before it lost its periods; either way the next save wrote the values
// of the ledger open before over the file's.
TEST(LoadLedger, ASettingsLineCutShortOrMissingIsDamageThatTheLoadTells) {
    SessionHarness h;
    const std::string example = ExampleBytes();
    const std::string path = h.docs + "/cut.exv";
    testing::WriteBytes(path, example.substr(0, example.size() - 9));  // "g,10000,4,"
    h.session.ledger.useType = 2;                                      // the ledger open before
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|" + path +
                    "\r\n16行目の設定行は途中で切れているため、開始残高、開始月などの設定を正しく"
                    "読み取れません。環境設定で確かめて下さい。ファイルが壊れています。"});
    EXPECT_EQ(h.session.damagedFile, path);
    EXPECT_EQ(SettingsLine(h.session.ledger), "g,10000,4,2,2014,");

    testing::WriteBytes(path, example.substr(0, example.find("g,10000")));
    h.dialogs.Clear();
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + path + "\r\n" + kMissingSettingsMessage});
    EXPECT_EQ(h.session.damagedFile, path);
    EXPECT_EQ(h.session.ledger.periods.start[1].ShortText(), "2015/01/01");
    EXPECT_EQ(h.session.ledger.useType, 2);
}

TEST(LoadLedger, EarlierFormatFileIsSavedUnderTheNewExtension) {
    SessionHarness h;
    const std::string clv = h.CopyExample("old.clv");
    ASSERT_TRUE(LoadLedger(h.session, clv));
    EXPECT_EQ(h.session.filePanel, h.docs + "/old.exv");
    EXPECT_EQ(h.session.currentFile, clv);
    h.session.modified = true;
    ASSERT_TRUE(SaveCommand(h.session));
    EXPECT_TRUE(h.dialogs.fileRequests.empty());
    EXPECT_EQ(ReadBytes(h.docs + "/old.exv"), ExampleBytes());
    EXPECT_EQ(ReadBytes(clv), ExampleBytes());
    EXPECT_EQ(h.session.currentFile, h.docs + "/old.exv");
    EXPECT_FALSE(h.session.modified);
}

TEST(LoadLedger, FailuresLeaveTheOpenLedgerUntouched) {
    SessionHarness h;
    ASSERT_TRUE(LoadLedger(h.session, h.CopyExample("a.exv")));
    h.session.ledger.transactions.Add(
        "d05=,2014/05/01,2,a,b,1,0,,現金,現金出納帳,現金,現金出納帳,");
    h.session.modified = true;
    const Snapshot before(h.session);
    h.dialogs.Clear();

    EXPECT_FALSE(LoadLedger(h.session, h.docs + "/missing.exv"));
    EXPECT_EQ(h.dialogs.Infos().back(), "確認|" + h.docs + "/missing.exvが見つかりません。");
    EXPECT_FALSE(LoadLedger(h.session, h.docs));
    EXPECT_EQ(h.dialogs.Infos().back(),
              "確認|" + h.docs + "はフォルダーです。帳簿ファイルを指定して下さい。");

    const std::string badDate = h.docs + "/bad-date.exv";
    std::string text = ReadBytes(testing::FixturePath("ledger/example2014.exv"));
    text.replace(text.find("2015/01/31"), 10, "2015/01/32");
    testing::WriteBytes(badDate, text);
    EXPECT_FALSE(LoadLedger(h.session, badDate));
    EXPECT_EQ(h.dialogs.Infos().back(), "確認|" + badDate +
                                            "を読み込めませんでした。\r\n4行目: '2015/01/32' "
                                            "は正しい日付ではありません");

    const std::string badAmount = h.docs + "/bad-amount.exv";
    testing::WriteCp932(badAmount,
                        "d04=,2014/04/01,0,a,b,1O0,0,,現金,現金出納帳,現金,現金出納帳,\n" +
                            testing::FiscalYearTrailer(2014, "g,0,4,1,2014,"));
    EXPECT_FALSE(LoadLedger(h.session, badAmount));
    EXPECT_EQ(h.dialogs.Infos().back(), "確認|" + badAmount +
                                            "を読み込めませんでした。\r\n1行目: '1O0' "
                                            "は正しい数値ではありません");

    // Neither CP932 nor UTF-8.
    const std::string badBytes = h.docs + "/bad-bytes.exv";
    testing::WriteBytes(badBytes, "d04=,2014/04/01,0,\x81\x20,b,0,0,,\r\n");
    EXPECT_FALSE(LoadLedger(h.session, badBytes));
    const std::string prefix = "確認|" + badBytes + "を読み込めませんでした。\r\n";
    EXPECT_EQ(h.dialogs.Infos().back().substr(0, prefix.size()), prefix);
    EXPECT_GT(h.dialogs.Infos().back().size(), prefix.size());

    EXPECT_EQ(h.dialogs.Infos().size(), 5u);
    EXPECT_EQ(Snapshot(h.session), before);
}

TEST(LoadLedger, OpenedFileBecomesTheFileToOpenAtStart) {
    SessionHarness h;
    const std::string settings = h.work + "/velmora.conf";
    testing::WriteCp932(settings, "[FILE_DIR]=/old.exv\n[COMPANY_NAME]=山田\n[Start_Opt_1]=1\n");
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(ReadBytes(settings),
              Utf8ToCp932("[FILE_DIR]=" + path + "\r\n[COMPANY_NAME]=山田\r\n[Start_Opt_1]=1\r\n"));

    // With a fixed file to open at start, the settings stay as they are.
    testing::WriteCp932(settings, "[FILE_DIR]=/fixed.exv\n[Start_Opt_1]=2\n");
    h.session.settings.startOption = 2;
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(ReadBytes(settings), "[FILE_DIR]=/fixed.exv\r\n[Start_Opt_1]=2\r\n");
}

TEST(SaveLedger, FailedWriteLeavesTheFileAndTheSessionAsTheyWere) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.session.ledger.transactions.Add(
        "d05=,2014/05/01,2,a,b,1,0,,現金,現金出納帳,現金,現金出納帳,");
    h.session.modified = true;
    const Snapshot before(h.session);
    h.writer.failing = {"a.exv", "b.exv"};

    EXPECT_FALSE(SaveLedger(h.session, path));
    EXPECT_EQ(
        h.dialogs.Infos(),
        Lines{"確認|" + path + "を保存できませんでした。\r\nディスクがいっぱいです: " + path});
    EXPECT_EQ(ReadBytes(path), ExampleBytes());
    EXPECT_FALSE(std::filesystem::exists(h.work + "/" + kBackupName));
    EXPECT_FALSE(std::filesystem::exists(h.work + "/ini/backup.conf"));
    EXPECT_EQ(Snapshot(h.session), before);

    // With no file open, a name that cannot be written is not kept: the next save asks again.
    h.session.filePanel.clear();
    h.dialogs.saveFileAnswers = {h.docs + "/b.exv", std::nullopt};
    EXPECT_FALSE(SaveCommand(h.session));
    EXPECT_EQ(h.session.filePanel, "");
    EXPECT_TRUE(h.session.modified);
    EXPECT_FALSE(SaveCommand(h.session));
    ASSERT_EQ(h.dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(h.dialogs.fileRequests[0].defaultExtension, "exv");
    EXPECT_EQ(h.dialogs.fileRequests[0].filter, "現金出納帳5-Velmora-ファイル|*.exv");
    EXPECT_EQ(h.dialogs.fileRequests[0].fileName, "");
    EXPECT_FALSE(std::filesystem::exists(h.docs + "/b.exv"));

    // Save as always asks, and takes the name once it is written.
    h.writer.failing.clear();
    h.dialogs.saveFileAnswers = {h.docs + "/c.exv"};
    h.session.filePanel = path;
    ASSERT_TRUE(SaveAsCommand(h.session));
    EXPECT_EQ(h.dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(h.session.filePanel, h.docs + "/c.exv");
    EXPECT_FALSE(h.session.modified);
    EXPECT_EQ(ReadTextLines(h.docs + "/c.exv").size(), 17u);
}

TEST(SaveLedger, FailedBackupWriteKeepsTheListWhereItWas) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.writer.failing = {kBackupName};
    const SaveResult result = SaveLedger(h.session, path);
    EXPECT_TRUE(result.saved);
    EXPECT_FALSE(result.backupWritten);
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|" + path +
                    "を保存しました。\r\nバックアップファイルを作成できませんでした。\r\n"
                    "ディスクがいっぱいです: " +
                    h.work + "/" + kBackupName});
    EXPECT_EQ(h.session.backups.entries, BackupList{}.entries);
    const Lines list = ReadTextLines(h.work + "/ini/backup.conf");
    EXPECT_EQ(list[0], "[BACK_NAME_1]=---");
    EXPECT_EQ(list[20], "[Last_Filename]=" + path);
}

TEST(SaveLedger, RotationDeletesOnlyTheOldestBackupOfItsOwn) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    auto old = [&](int n) {
        return h.work + "/202001010000" + (n < 10 ? "0" : "") + std::to_string(n) + ".dat";
    };
    BackupList list;
    for (int n = 1; n <= 10; ++n) {
        testing::WriteBytes(old(n), "old");
        list.entries[static_cast<std::size_t>(n - 1)] = {"c" + std::to_string(n), old(n)};
    }
    WriteBackupList(h.work, list, h.writer);
    ASSERT_TRUE(SaveLedger(h.session, path));
    EXPECT_EQ(h.writer.removed, Lines{old(10)});
    EXPECT_FALSE(std::filesystem::exists(old(10)));
    EXPECT_TRUE(std::filesystem::exists(old(9)));
    const auto& entries = h.session.backups.entries;
    EXPECT_EQ(entries[0], (BackupEntry{"a.exv(2024/03/05 13:07:09)", h.work + "/" + kBackupName}));
    EXPECT_EQ(entries[1], (BackupEntry{"c1", old(1)}));
    EXPECT_EQ(entries[9], (BackupEntry{"c9", old(9)}));

    // Files that are not backups of the program's own, or that another entry still names,
    // stay on disk when their entry drops out.
    const std::string userFile = h.work + "/mydata.dat";
    const std::string elsewhere = h.docs + "/20200101000099.dat";
    testing::WriteBytes(userFile, "mine");
    testing::WriteBytes(elsewhere, "mine");
    for (const std::string& file : {userFile, elsewhere, old(3)}) {
        h.clock.Advance(1);
        list = ReadBackupList(h.work);
        list.entries[9].file = file;
        WriteBackupList(h.work, list, h.writer);
        ASSERT_TRUE(SaveLedger(h.session, path));
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
    }
    EXPECT_EQ(h.writer.removed.size(), 1u);

    // Two saves in the same second keep two backups: the second takes the next second.
    ASSERT_TRUE(SaveLedger(h.session, path));
    EXPECT_EQ(entries[0],
              (BackupEntry{"a.exv(2024/03/05 13:07:13)", h.work + "/20240305130713.dat"}));
    EXPECT_EQ(entries[1].file, h.work + "/20240305130712.dat");
    EXPECT_EQ(ReadBytes(entries[0].file), ExampleBytes());
    EXPECT_EQ(ReadBytes(entries[1].file), ExampleBytes());
}

// The list is read when it is written: what another program (velmora-cli, another start)
// listed since this session read it stays. [Last_Filename] names the ledger absolutely,
// also when it was opened by a relative path.
TEST(SaveLedger, TheBackupListIsReadWhenWrittenAndNamesTheLedgerAbsolutely) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    // The ledger is opened and saved as "a.exv" from its own folder.
    struct InFolder {
        explicit InFolder(const std::string& folder) { std::filesystem::current_path(folder); }
        ~InFolder() { std::filesystem::current_path(start); }
        std::filesystem::path start = std::filesystem::current_path();
    } inDocs(h.docs);
    ASSERT_TRUE(LoadLedger(h.session, "a.exv"));
    BackupList other;
    other.entries[0] = {"b.exv(2024/03/05 12:00:00)", h.work + "/20240305120000.dat"};
    other.lastFilename = h.docs + "/b.exv";
    WriteBackupList(h.work, other, h.writer);

    ASSERT_TRUE(SaveLedger(h.session, "a.exv"));
    BackupList onDisk = ReadBackupList(h.work);
    EXPECT_EQ(onDisk.entries[0],
              (BackupEntry{"a.exv(2024/03/05 13:07:09)", h.work + "/" + kBackupName}));
    EXPECT_EQ(onDisk.entries[1], other.entries[0]);
    EXPECT_EQ(onDisk.lastFilename, path);
    EXPECT_EQ(h.session.backups.entries, onDisk.entries);

    // Closing writes [Last_Filename] into the list as it is then.
    other.entries[0] = {"c.exv(2024/03/05 14:00:00)", h.work + "/20240305140000.dat"};
    WriteBackupList(h.work, other, h.writer);
    WriteBackupListReporting(h.session);
    onDisk = ReadBackupList(h.work);
    EXPECT_EQ(onDisk.entries, other.entries);
    EXPECT_EQ(onDisk.lastFilename, path);
}

TEST(SaveLedger, StrayTemporaryFilesOfInterruptedBackupsAreRemoved) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    const std::string stray = h.work + "/20240101000000.dat.velmora-tmp";
    testing::WriteBytes(stray, "half a backup");
    ASSERT_TRUE(SaveLedger(h.session, path));
    EXPECT_FALSE(std::filesystem::exists(stray));
    EXPECT_EQ(ReadBytes(h.work + "/" + kBackupName), ExampleBytes());
}

TEST(SaveLedger, AReadOnlyFileIsRefusedAndKept) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    h.session.modified = true;
    EXPECT_FALSE(SaveLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|" + path + "を保存できませんでした。\r\nファイルに書き込めません: " +
                    path + " (書き込みが許可されていません)"});
    EXPECT_EQ(ReadBytes(path), ExampleBytes());
    EXPECT_TRUE(h.session.modified);
}

// Twelve records and nothing after them: the periods and the settings line are lost.
std::string DamagedLedgerBytes() {
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += "d01=,2024/01/" + std::to_string(10 + i) + "," + std::to_string(i) +
                ",a,b,0,1,,現金,現金出納帳,現金,現金出納帳,\r\n";
    return Utf8ToCp932(text);
}

TEST(SaveLedger, TheFirstSaveOverADamagedFileKeepsItAsItWas) {
    SessionHarness h;
    // Line breaks and NUL bytes after the last line are no damage.
    const std::string padded = h.docs + "/padded.exv";
    testing::WriteBytes(padded, ExampleBytes() + "\r\n" + std::string(64, '\0'));
    ASSERT_TRUE(LoadLedger(h.session, padded));
    EXPECT_TRUE(h.dialogs.events.empty());
    EXPECT_EQ(h.session.damagedFile, "");
    ASSERT_TRUE(SaveLedger(h.session, padded));
    EXPECT_EQ(ReadBytes(padded), ExampleBytes());
    // A record whose first byte was overwritten is no record: the load says so, and the
    // file is kept before a save that would lose the line.
    std::string overwritten = ExampleBytes();
    overwritten[0] = 'e';
    testing::WriteBytes(padded, overwritten);
    h.dialogs.Clear();
    ASSERT_TRUE(LoadLedger(h.session, padded));
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + padded + "\r\n1行目" + kDroppedLinesMessage});
    EXPECT_EQ(h.session.damagedFile, padded);

    const std::string path = h.docs + "/twelve.exv";
    testing::WriteBytes(path, DamagedLedgerBytes());
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(h.session.damagedFile, path);
    h.clock.Advance(1);
    h.dialogs.Clear();
    ASSERT_TRUE(SaveLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + path + "を保存しました。"});
    const auto& entries = h.session.backups.entries;
    EXPECT_EQ(entries[0],
              (BackupEntry{"twelve.exv(2024/03/05 13:07:11)", h.work + "/20240305130711.dat"}));
    EXPECT_EQ(entries[1], (BackupEntry{"twelve.exv(保存前 2024/03/05 13:07:10)",
                                       h.work + "/20240305130710.dat"}));
    EXPECT_EQ(ReadBytes(entries[1].file), DamagedLedgerBytes());
    EXPECT_EQ(ReadBytes(entries[0].file), ReadBytes(path));
    EXPECT_EQ(ReadTextLines(path).size(), 12u + 13u);
    EXPECT_EQ(h.session.damagedFile, "");
    // Once saved whole, the file is kept as any other.
    ASSERT_TRUE(SaveLedger(h.session, path));
    EXPECT_EQ(entries[0].file, h.work + "/20240305130712.dat");
    EXPECT_EQ(entries[1].file, h.work + "/20240305130711.dat");

    // When the file cannot be kept, nothing is saved over it.
    testing::WriteBytes(path, DamagedLedgerBytes());
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.dialogs.Clear();
    h.writer.failing = {"20240305130713.dat"};
    EXPECT_FALSE(SaveLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|" + path +
                    "を保存できませんでした。\r\n元のファイルをバックアップできませんでした。\r\n"
                    "ディスクがいっぱいです: " +
                    h.work + "/20240305130713.dat"});
    EXPECT_EQ(ReadBytes(path), DamagedLedgerBytes());
    EXPECT_EQ(h.session.damagedFile, path);
    // Saved under another name, the damaged file is left as it is.
    h.writer.failing.clear();
    ASSERT_TRUE(SaveLedger(h.session, h.docs + "/mended.exv"));
    EXPECT_EQ(entries[0].file, h.work + "/20240305130713.dat");
    EXPECT_EQ(entries[1].file, h.work + "/20240305130712.dat");
    EXPECT_EQ(ReadBytes(path), DamagedLedgerBytes());
}

TEST(SaveCommand, AFileChangedByAnotherProgramIsOverwrittenOnlyWhenTheUserSaysSo) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.session.ledger.openingBalance = Amount::FromYen(12345);
    h.session.modified = true;
    const std::string theirs = ExampleBytes() + "\r\n";  // same size would not do either
    testing::WriteBytes(path, theirs);
    h.dialogs.Clear();

    // No: nothing written, the ledger stays modified and the save-as dialog is offered.
    h.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(SaveCommand(h.session));
    EXPECT_EQ(h.dialogs.Log(), (Lines{std::string("yesno:") + kChangedOnDiskQuestion + "|" + path,
                                      "saveas:|現金出納帳5-Velmora-ファイル|*.exv"}));
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_TRUE(h.session.modified);
    EXPECT_EQ(h.session.ledger.openingBalance, Amount::FromYen(12345));

    // No, then a name in the save-as dialog: saved there, the changed file left alone.
    const std::string other = h.docs + "/other.exv";
    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {false};
    h.dialogs.saveFileAnswers = {other};
    EXPECT_TRUE(SaveCommand(h.session));
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_EQ(h.session.filePanel, other);
    EXPECT_FALSE(h.session.modified);

    // Saving the file just written asks nothing; one changed since asks again, and Yes
    // overwrites it.
    h.session.modified = true;
    h.dialogs.Clear();
    EXPECT_TRUE(SaveCommand(h.session));
    EXPECT_EQ(h.dialogs.Log(), Lines{"info:確認|" + other + "を保存しました。"});
    const std::string ours = ReadBytes(other);
    testing::WriteBytes(other, "their own bytes");
    h.dialogs.Clear();
    EXPECT_TRUE(SaveCommand(h.session));
    EXPECT_EQ(h.dialogs.Log(), (Lines{std::string("yesno:") + kChangedOnDiskQuestion + "|" + other,
                                      "info:確認|" + other + "を保存しました。"}));
    EXPECT_EQ(ReadBytes(other), ours);

    // The same bytes written again by another program (a copy) are no change.
    testing::WriteBytes(other, ours);
    h.dialogs.Clear();
    EXPECT_TRUE(SaveCommand(h.session));
    EXPECT_EQ(h.dialogs.Log(), Lines{"info:確認|" + other + "を保存しました。"});
    // A file removed meanwhile is asked about as well.
    std::filesystem::remove(other);
    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(SaveCommand(h.session));
    EXPECT_FALSE(std::filesystem::exists(other));
}

// The window's save: after No to overwriting, the choice between saving elsewhere and
// reading again what the other program wrote, which drops the work only when chosen.
TEST(SaveCommand, TheWindowOffersToReadAFileAnotherProgramChangedAgain) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.session.ledger.openingBalance = Amount::FromYen(12345);
    h.session.modified = true;
    std::string theirs = ExampleBytes();
    theirs.replace(theirs.find("g,10000,"), 8, "g,777,");
    testing::WriteBytes(path, theirs);
    const std::string question = std::string("yesno:") + kChangedOnDiskQuestion + "|" + path;
    const std::string choice = std::string("save:") + kSaveElsewhereButton + "/" + kReloadButton +
                               "/キャンセル|" + kChangedOnDiskChoice;

    for (SaveAnswer answer : {SaveAnswer::Cancel, SaveAnswer::Yes}) {
        h.dialogs.Clear();
        h.dialogs.yesNoAnswers = {false};
        h.dialogs.saveAnswers = {answer};
        const SaveResult result = SaveCommand(h.session, true);
        EXPECT_FALSE(result.saved);
        EXPECT_FALSE(result.reloaded);
        Lines log{question, choice};
        if (answer == SaveAnswer::Yes) log.push_back("saveas:|現金出納帳5-Velmora-ファイル|*.exv");
        EXPECT_EQ(h.dialogs.Log(), log);
        EXPECT_TRUE(h.session.modified);
        EXPECT_EQ(h.session.ledger.openingBalance, Amount::FromYen(12345));
    }

    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {false};
    h.dialogs.saveAnswers = {SaveAnswer::No};
    const SaveResult reloaded = SaveCommand(h.session, true);
    EXPECT_FALSE(reloaded.saved);
    EXPECT_TRUE(reloaded.reloaded);
    EXPECT_EQ(h.dialogs.Log(), (Lines{question, choice}));
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_FALSE(h.session.modified);
    EXPECT_EQ(h.session.ledger.openingBalance, Amount::FromYen(777));
    // The file read is the one a save now writes over unasked.
    h.session.modified = true;
    h.dialogs.Clear();
    EXPECT_TRUE(SaveCommand(h.session, true));
    EXPECT_EQ(h.dialogs.Log(), Lines{"info:確認|" + path + "を保存しました。"});
}

TEST(SaveCommand, ASaveTakesTheLockOtherProgramsHoldAndChecksTheFileUnderIt) {
    SessionHarness h;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.session.ledger.openingBalance = Amount::FromYen(12345);
    h.session.modified = true;

    // Held longer than the window waits: nothing written, the work kept, modified.
    h.session.saveLockWait = std::chrono::milliseconds(50);
    auto held = std::make_unique<FileLock>(path);
    h.dialogs.Clear();
    const SaveResult busy = SaveCommand(h.session);
    EXPECT_FALSE(busy.saved);
    EXPECT_TRUE(busy.busy);
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|" + path + "を保存できませんでした。\r\n" + kLedgerBusyMessage});
    EXPECT_EQ(ReadBytes(path), ExampleBytes());
    EXPECT_TRUE(h.session.modified);

    // Another program replaces the file while it holds the lock: the save waits for it and
    // finds the change only then, so that its No keeps the other program's file.
    h.session.saveLockWait = std::chrono::seconds(10);
    const std::string theirs = ExampleBytes() + "\r\n";
    std::string seenWhileHeld;
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        seenWhileHeld = ReadBytes(path);
        DiskFileWriter().WriteAtomic(path, theirs);
        held.reset();
    });
    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {false};
    const SaveResult declined = SaveCommand(h.session);
    other.join();
    EXPECT_EQ(seenWhileHeld, ExampleBytes());
    EXPECT_FALSE(declined.saved);
    EXPECT_TRUE(declined.declinedOverwrite);
    EXPECT_EQ(h.dialogs.Log(), (Lines{std::string("yesno:") + kChangedOnDiskQuestion + "|" + path,
                                      "saveas:|現金出納帳5-Velmora-ファイル|*.exv"}));
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_TRUE(h.session.modified);

    // A caller that holds the lock on the file it opened saves without waiting for itself.
    h.session.fileIdentity = ReadFileIdentity(path);
    FileLock mine(path);
    h.session.heldLock = &mine;
    h.session.saveLockWait = std::chrono::milliseconds(0);
    EXPECT_TRUE(SaveCommand(h.session));
}

TEST(Outputs, NoOutputReplacesTheOpenLedgerOrAFileTheProgramKeeps) {
    SessionHarness h;
    namespace fs = std::filesystem;
    const std::string path = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, path));
    ASSERT_TRUE(SaveLedger(h.session, path));
    const std::string backup = h.work + "/" + kBackupName;
    fs::create_symlink(path, h.docs + "/link.exv");
    fs::create_hard_link(path, h.docs + "/hard.exv");
    fs::create_directories(h.work + "/style");
    for (const char* name : {"velmora.conf", "recovery-2.jnl", "style/listout.dat"})
        testing::WriteBytes(h.work + "/" + name, "kept");
    const std::string open = "確認|{}\r\n" + std::string(kOpenLedgerOutputMessage);
    const std::string kept = "確認|{}\r\n" + std::string(kWorkingFolderOutputMessage);
    const std::vector<std::pair<std::string, std::string>> refused = {
        {path, open},
        {h.docs + "/link.exv", open},
        {h.docs + "/hard.exv", open},
        {h.docs + "/../docs/./a.exv", open},
        {backup, kept},
        {h.work + "/velmora.conf", kept},
        {h.work + "/recovery-2.jnl", kept},
        {h.work + "/style/listout.dat", kept},
        {h.work + "/ini/backup.conf", kept},
        {h.work + "/../work/in_code.dat", kept},
        {h.folder.Path() + "/work.lock", kept},
    };
    for (const auto& [output, message] : refused) {
        h.dialogs.Clear();
        EXPECT_TRUE(RefuseProtectedOutput(h.session, output)) << output;
        std::string expected = message;
        expected.replace(expected.find("{}"), 2, output);
        EXPECT_EQ(h.dialogs.Infos(), Lines{expected});
    }
    for (const std::string& allowed : {h.docs + "/a.csv", h.work + "/mine.exv"})
        EXPECT_FALSE(RefuseProtectedOutput(h.session, allowed)) << allowed;

    // Next year's ledger and the ledger under another name meet the same check.
    const std::string backupBytes = ReadBytes(backup);
    h.dialogs.saveFileAnswers = {h.work + "/velmora.conf"};
    EXPECT_FALSE(RollOver(h.session));
    EXPECT_EQ(ReadBytes(h.work + "/velmora.conf"), "kept");
    h.dialogs.saveFileAnswers = {backup};
    EXPECT_FALSE(SaveAsCommand(h.session));
    EXPECT_EQ(ReadBytes(backup), backupBytes);
}

TEST(LoadLedger, BalancesBeyondTheAmountRangeAreReported) {
    SessionHarness h;
    std::string text = ReadBytes(testing::FixturePath("ledger/example2014.exv"));
    const std::string path = h.docs + "/big.exv";
    // The petty-cash book 本店 (opening balance 5,000) overflows, the cash book does not.
    testing::WriteBytes(
        path,
        Utf8ToCp932("d04=,2014/04/02,9,売上,大口,922337203685477,0,,小口,本店,小口,本店,\r\n") +
            text);
    ASSERT_TRUE(LoadLedger(h.session, path));
    EXPECT_EQ(h.dialogs.Infos(), Lines{std::string("確認|") + kBalanceOverflowMessage});
    EXPECT_EQ(h.session.ledger.transactions.Count(), 3);
}

TEST(OpenCommand, TheSaveQuestionComesFirstWhenModified) {
    SessionHarness h;
    const std::string a = h.CopyExample("a.exv");
    const std::string b = h.CopyExample("b.exv");
    ASSERT_TRUE(LoadLedger(h.session, a));
    h.session.modified = true;
    h.session.filePanel.clear();  // nothing saved yet: saving asks for a name
    h.dialogs.Clear();

    h.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Yes};
    EXPECT_FALSE(OpenCommand(h.session));  // cancelled
    EXPECT_FALSE(OpenCommand(h.session));  // Yes, but the save dialog was cancelled
    EXPECT_EQ(
        h.dialogs.Log(),
        (Lines{"save:はい/いいえ/キャンセル|データが変更されています。現在の状態を保存しますか？",
               "save:はい/いいえ/キャンセル|データが変更されています。現在の状態を保存しますか？",
               "saveas:|現金出納帳5-Velmora-ファイル|*.exv"}));
    EXPECT_TRUE(h.session.modified);

    h.dialogs.Clear();
    h.dialogs.saveAnswers = {SaveAnswer::Yes};
    h.dialogs.saveFileAnswers = {h.docs + "/kept.exv"};
    h.dialogs.openAnswers = {b};
    ASSERT_TRUE(OpenCommand(h.session));
    EXPECT_EQ(ReadBytes(h.docs + "/kept.exv"), ExampleBytes());
    ASSERT_EQ(h.dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(h.dialogs.fileRequests[1].filter,
              "現金出納帳4、5-Velmora-ファイル(*.exv)|*.exv|現金出納帳(1～3)ファイル(*.clv)|*.clv");
    EXPECT_EQ(h.dialogs.fileRequests[1].defaultExtension, "exv");
    EXPECT_EQ(h.session.filePanel, b);
    EXPECT_FALSE(h.session.modified);

    // Not modified: no question; a cancelled open dialog changes nothing.
    h.dialogs.Clear();
    EXPECT_FALSE(OpenCommand(h.session));
    EXPECT_EQ(h.dialogs.Log(), Lines{"open:|現金出納帳4、5-Velmora-ファイル(*.exv)|*.exv|"
                                     "現金出納帳(1～3)ファイル(*.clv)|*.clv"});
    EXPECT_EQ(h.session.filePanel, b);
}

TEST(FileCommands, DialogsOpenInTheFolderOfTheLedgerShown) {
    SessionHarness h;
    // Nothing open: the dialog's own default folder.
    h.dialogs.openAnswers.push_back(std::nullopt);
    OpenCommand(h.session);
    ASSERT_EQ(h.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(h.dialogs.fileRequests[0].initialFolder, "");

    ASSERT_TRUE(LoadLedger(h.session, h.CopyExample("year.exv")));
    h.dialogs.fileRequests.clear();
    h.dialogs.openAnswers.push_back(std::nullopt);
    OpenCommand(h.session);
    h.dialogs.saveFileAnswers.push_back(std::nullopt);
    SaveAsCommand(h.session);
    ASSERT_EQ(h.dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(h.dialogs.fileRequests[0].initialFolder, h.docs);
    EXPECT_EQ(h.dialogs.fileRequests[0].fileName, "");
    EXPECT_EQ(h.dialogs.fileRequests[0].defaultExtension, "exv");
    EXPECT_EQ(h.dialogs.fileRequests[1].initialFolder, h.docs);
    EXPECT_EQ(h.dialogs.fileRequests[1].fileName, "year.exv");
}

}  // namespace
}  // namespace velmora
