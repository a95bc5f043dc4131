#include "core/session/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/platform/key_lines.h"
#include "core/session/file_commands.h"
#include "core/util/codepage.h"
#include "core/util/errors.h"
#include "session_harness.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using testing::ReadBytes;
using testing::SessionHarness;
using testing::WriteBytes;

const std::string kSetPeriods = "確認|環境設定にて開始月と締日を設定して下さい";

TEST(FirstRun, CreatesTheFoldersAndCopiesTheShippedData) {
    testing::TempFolder root;
    const std::string program = root.File("program");
    const std::string work = root.File("a/b/work");
    fs::create_directories(program + "/cldata");
    fs::create_directories(program + "/style/sub");
    WriteBytes(program + "/cldata/kamoku1.dat", "現金\n売上\n");  // UTF-8 with LF
    WriteBytes(program + "/cldata/kamoku2.dat", Utf8ToCp932("食費\n"));
    WriteBytes(program + "/cldata/tekiyb20.dat", Utf8ToCp932("バス代\r\n"));
    WriteBytes(program + "/cldata/other.dat", "x\n");
    const std::string style = "\x01\x02\xff style\n\n";
    WriteBytes(program + "/style/a4.sle", style);
    WriteBytes(program + "/style/sub/inner.sle", "x");
    WriteBytes(program + "/style/.gitattributes", "*.sle binary\n");

    const PreparedFolder first = PrepareWorkingFolder(work, program);
    EXPECT_TRUE(first.created);
    EXPECT_EQ(first.failures, Lines{});
    for (const char* sub : {"cldata", "style", "config", "ini"})
        EXPECT_TRUE(fs::is_directory(work + "/" + sub)) << sub;
    EXPECT_EQ(ReadBytes(work + "/cldata/kamoku1.dat"), Utf8ToCp932("現金\r\n売上\r\n"));
    EXPECT_EQ(ReadBytes(work + "/cldata/kamoku2.dat"), Utf8ToCp932("食費\r\n"));
    EXPECT_EQ(ReadBytes(work + "/cldata/tekiyb20.dat"), Utf8ToCp932("バス代\r\n"));
    EXPECT_FALSE(fs::exists(work + "/cldata/tekiya1.dat"));
    EXPECT_FALSE(fs::exists(work + "/cldata/other.dat"));
    EXPECT_EQ(ReadBytes(work + "/style/a4.sle"), style);
    EXPECT_FALSE(fs::exists(work + "/style/sub"));
    EXPECT_FALSE(fs::exists(work + "/style/.gitattributes"));
}

TEST(FirstRun, AnExistingFolderGetsWhatItLacksAndKeepsTheUsersFiles) {
    testing::TempFolder root;
    const std::string program = root.File("program");
    const std::string work = root.File("work");
    fs::create_directories(program + "/cldata");
    fs::create_directories(program + "/style");
    fs::create_directories(work);  // there, but empty
    fs::permissions(work, fs::perms::owner_all, fs::perm_options::replace);
    WriteBytes(program + "/cldata/kamoku1.dat", Utf8ToCp932("現金\r\n"));
    WriteBytes(program + "/cldata/kamoku2.dat", Utf8ToCp932("食費\r\n"));
    WriteBytes(program + "/style/a4.sle", "shipped");
    WriteBytes(program + "/style/b4.sle", "shipped b4");

    PreparedFolder prepared = PrepareWorkingFolder(work, program);
    EXPECT_FALSE(prepared.created);
    EXPECT_EQ(prepared.failures, Lines{});
    for (const char* sub : {"cldata", "style", "config", "ini"})
        EXPECT_TRUE(fs::is_directory(work + "/" + sub)) << sub;
    EXPECT_EQ(ReadBytes(work + "/cldata/kamoku1.dat"), Utf8ToCp932("現金\r\n"));
    EXPECT_EQ(ReadBytes(work + "/style/a4.sle"), "shipped");

    // The user's own versions stay; what was lost comes back.
    WriteBytes(work + "/cldata/kamoku1.dat", "mine");
    WriteBytes(work + "/style/a4.sle", "my style");
    fs::remove(work + "/cldata/kamoku2.dat");
    fs::remove(work + "/style/b4.sle");
    // Temporary files of writes a kill cut short, and one a write still fills.
    const Lines strays = {work + "/20240101000000.dat.velmora-tmp",
                          work + "/velmora.conf.velmora-tmp-a1B2c3",
                          work + "/ini/backup.conf.velmora-tmp-Zz9yX8"};
    for (const auto& stray : strays) WriteBytes(stray, "half");
    const std::string busy = work + "/config/note1.conf.velmora-tmp-busy01";
    WriteBytes(busy, "being written");
    FileLock writing(busy);
    WriteBytes(work + "/notes.velmora-tmp.txt", "not ours");
    prepared = PrepareWorkingFolder(work, program);
    EXPECT_EQ(prepared.failures, Lines{});
    EXPECT_EQ(ReadBytes(work + "/cldata/kamoku1.dat"), "mine");
    EXPECT_EQ(ReadBytes(work + "/style/a4.sle"), "my style");
    EXPECT_EQ(ReadBytes(work + "/cldata/kamoku2.dat"), Utf8ToCp932("食費\r\n"));
    for (const auto& stray : strays) EXPECT_FALSE(fs::exists(stray)) << stray;
    EXPECT_TRUE(fs::exists(busy));
    EXPECT_TRUE(fs::exists(work + "/notes.velmora-tmp.txt"));

    // Copies that fail are told, one message each.
    fs::remove_all(work + "/style");
    WriteBytes(work + "/style", "a file where the folder belongs");
    prepared = PrepareWorkingFolder(work, program);
    std::sort(prepared.failures.begin(), prepared.failures.end());
    EXPECT_EQ(
        prepared.failures,
        (Lines{"ファイルをコピーできません: " + work + "/style (Not a directory)",
               "ファイルをコピーできません: " + work + "/style/a4.sle (ファイルに書き込めません: " +
                   work + "/style/a4.sle (Not a directory))",
               "ファイルをコピーできません: " + work + "/style/b4.sle (ファイルに書き込めません: " +
                   work + "/style/b4.sle (Not a directory))"}));
}

TEST(FirstRun, TheFolderIsTheUsersAloneAndOneOthersCouldChangeIsRefused) {
    testing::TempFolder root;
    const std::string program = root.File("program");
    const std::string work = root.File("a/work");
    fs::create_directories(program + "/cldata");
    WriteBytes(program + "/cldata/kamoku1.dat", "現金\n");
    const mode_t umaskBefore = ::umask(0);  // the widest umask gives the same modes
    PrepareWorkingFolder(work, program);
    ::umask(umaskBefore);
    const auto mode = [](const std::string& path) {
        return static_cast<unsigned>(fs::status(path).permissions());
    };
    EXPECT_EQ(mode(work), 0700u);
    EXPECT_EQ(mode(work + "/cldata"), 0700u);
    EXPECT_EQ(mode(work + "/cldata/kamoku1.dat"), 0600u);

    const std::string mend =
        "\r\n「chmod 700 " + work + "」で自分だけが使えるフォルダーにして下さい。";
    for (const fs::perms wide : {fs::perms(0777), fs::perms(0720), fs::perms(0702)}) {
        fs::permissions(work, wide, fs::perm_options::replace);
        try {
            PrepareWorkingFolder(work, program);
            ADD_FAILURE() << "not refused";
        } catch (const FileError& error) {
            EXPECT_EQ(error.what(),
                      "作業フォルダーにグループまたは他のユーザーが書き込めるので使えません: " +
                          work + mend);
        }
    }
    fs::permissions(work, fs::perms(0755), fs::perm_options::replace);
    EXPECT_EQ(
        PrepareWorkingFolder(work, program).failures,
        Lines{"作業フォルダーの記録をグループまたは他のユーザーが読み取れます: " + work + mend});
    fs::permissions(work, fs::perms(0700), fs::perm_options::replace);
    bool refused = true;
    EXPECT_EQ(WorkingFolderProblem(work, ::geteuid(), refused), "");
    EXPECT_FALSE(refused);
    EXPECT_EQ(WorkingFolderProblem(work, ::geteuid() + 1, refused),
              "作業フォルダーが他のユーザー(uid " + std::to_string(::geteuid()) +
                  ")のものなので使えません: " + work +
                  "\r\n自分のフォルダーを環境変数 VELMORA_HOME で指定して下さい。");
    EXPECT_TRUE(refused);
}

TEST(StartSession, WithoutSettingsOpensNoLedger) {
    SessionHarness h;
    StartSession(h.session);
    EXPECT_EQ(h.dialogs.Log(), Lines{"info:" + kSetPeriods});
    EXPECT_EQ(h.session.filePanel, "");
    EXPECT_EQ(h.session.ledger.transactions.Count(), 0);
    EXPECT_EQ(h.session.currentBook, (BookId{"現金", "現金出納帳"}));
    EXPECT_EQ(h.session.ledger.startYear, 2024);
    EXPECT_FALSE(h.session.modified);
}

TEST(StartSession, OpensTheLastFile) {
    SessionHarness h;
    const std::string last = h.CopyExample("last.exv");
    const std::string settings = h.work + "/velmora.conf";
    testing::WriteCp932(settings, "[FILE_DIR]=\n[Start_Opt_1]=1\n");
    testing::WriteCp932(
        h.work + "/ini/backup.conf",
        "[BACK_NAME_1]=x.exv\n[BACK_FILE_1]=/w/1.dat\n[Last_Filename]=" + last + "\n");
    StartSession(h.session);
    EXPECT_TRUE(h.dialogs.events.empty());
    EXPECT_EQ(h.session.filePanel, last);
    EXPECT_EQ(h.session.currentFile, last);
    EXPECT_EQ(h.session.ledger.transactions.Count(), 2);
    EXPECT_EQ(h.session.backups.entries[0], (BackupEntry{"x.exv", "/w/1.dat"}));
    EXPECT_EQ(ReadBytes(settings), "[FILE_DIR]=" + last + "\r\n[Start_Opt_1]=1\r\n");

    // The last file is gone: a new ledger.
    SessionHarness gone;
    testing::WriteCp932(gone.work + "/ini/backup.conf",
                        "[Last_Filename]=" + gone.docs + "/x.exv\n");
    StartSession(gone.session);
    EXPECT_EQ(gone.dialogs.Infos(), Lines{kSetPeriods});
    EXPECT_EQ(gone.session.currentFile, "");
}

TEST(StartSession, ALedgerWhosePathCp932CannotHoldIsBackedUpAndOpenedAgain) {
    SessionHarness h;
    const std::string path = h.docs + "/Café😀\xff.exv";
    fs::copy_file(testing::FixturePath("ledger/example2014.exv"), path);
    const std::string settings = h.work + "/velmora.conf";
    testing::WriteCp932(settings, "[FILE_DIR]=\n[Start_Opt_1]=1\n");
    ASSERT_TRUE(LoadLedger(h.session, path));
    h.dialogs.Clear();
    const SaveResult saved = SaveLedger(h.session, path);
    EXPECT_TRUE(saved.saved && saved.backupWritten);
    EXPECT_EQ(h.dialogs.Infos(), Lines{"確認|" + path + "を保存しました。"});

    // The next start opens it again, and lists its backup; so does the fixed file.
    for (const char* option : {"1", "2"}) {
        if (std::string(option) == "2") SetKeyLine("[Start_Opt_1]", option, settings, h.writer);
        Session again{SessionServices{h.dialogs, h.clock, h.writer, h.work, h.program}};
        h.dialogs.Clear();
        StartSession(again);
        EXPECT_TRUE(h.dialogs.events.empty()) << option;
        EXPECT_EQ(again.filePanel, path) << option;
        EXPECT_EQ(again.backups.entries[0].file, h.work + "/20240305130709.dat");
        EXPECT_EQ(again.backups.entries[0].caption, "Caf？？？.exv(2024/03/05 13:07:09)");
    }
}

TEST(StartSession, OpensTheFixedFileTrimmed) {
    SessionHarness h;
    const std::string fixed = h.CopyExample("fixed.exv");
    const std::string last = h.CopyExample("last.exv");
    const std::string settings = h.work + "/velmora.conf";
    testing::WriteCp932(settings, "[FILE_DIR]=  " + fixed + " \t\n[Start_Opt_1]=2\n");
    const std::string settingsBytes = ReadBytes(settings);
    testing::WriteCp932(h.work + "/ini/backup.conf", "[Last_Filename]=" + last + "\n");
    StartSession(h.session);
    EXPECT_TRUE(h.dialogs.events.empty());
    EXPECT_EQ(h.session.filePanel, fixed);
    EXPECT_EQ(h.session.ledger.openingBalance, Amount::FromYen(10000));
    EXPECT_EQ(ReadBytes(settings), settingsBytes);
}

TEST(RestoreBackup, LoadsTheCopyAsAnUnsavedLedger) {
    SessionHarness h;
    const std::string a = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, a));
    const std::string backup = h.work + "/20240101000000.dat";
    testing::WriteCp932(backup, "d04=,2014/04/01,0,a,b,0,1,,現金,現金出納帳,現金,現金出納帳,\n" +
                                    testing::FiscalYearTrailer(2014, "g,500,4,1,2014,"));
    h.session.backups.entries[0] = {"a.exv(2024/01/01 00:00:00)", backup};
    h.session.backups.entries[2].file = h.work + "/20230101000000.dat";  // gone

    ASSERT_TRUE(RestoreBackup(h.session, 1));
    EXPECT_TRUE(h.dialogs.events.empty());
    EXPECT_EQ(h.session.ledger.transactions.Count(), 1);
    EXPECT_EQ(h.session.balances.current, Amount::FromYen(499));
    EXPECT_TRUE(h.session.modified);
    EXPECT_EQ(h.session.filePanel, "");
    EXPECT_EQ(h.session.currentFile, a);
    EXPECT_FALSE(SaveCommand(h.session));
    EXPECT_EQ(h.dialogs.Log(), Lines{"saveas:|現金出納帳5-Velmora-ファイル|*.exv"});

    h.dialogs.Clear();
    h.dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(RestoreBackup(h.session, 3));
    EXPECT_FALSE(RestoreBackup(h.session, 3));
    EXPECT_FALSE(RestoreBackup(h.session, 0));
    EXPECT_FALSE(RestoreBackup(h.session, 11));
    EXPECT_EQ(h.dialogs.Log(),
              (Lines{"yesno:バックアップファイルを読み込みますか？|編集中のデ－タは破棄されます。",
                     "yesno:バックアップファイルを読み込みますか？|編集中のデ－タは破棄されます。",
                     "info:確認|" + h.work + "/20230101000000.datが見つかりません。"}));
    EXPECT_EQ(h.session.ledger.transactions.Count(), 1);
    EXPECT_TRUE(h.session.modified);
}

TEST(CloseRequest, PlacementAndBackupListAreWrittenWhateverTheAnswer) {
    SessionHarness h;
    const std::string a = h.CopyExample("a.exv");
    ASSERT_TRUE(LoadLedger(h.session, a));
    h.session.modified = true;
    const Placement placement{.left = 20, .top = 30, .width = 800, .height = 600};
    const std::string placementFile = h.work + "/ini/velmora5.ini";
    const std::string listFile = h.work + "/ini/backup.conf";

    h.dialogs.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(CloseRequest(h.session, placement));
    EXPECT_EQ(
        h.dialogs.Log(),
        Lines{"save:はい/いいえ/キャンセル|データが変更されています。現在の状態を保存しますか？"});
    EXPECT_EQ(
        ReadBytes(placementFile),
        "[Screen_Top]=30\r\n[Screen_Left]=20\r\n[Screen_Width]=800\r\n[Screen_Height]=600\r\n");
    Lines list = ReadTextLines(listFile);
    ASSERT_EQ(list.size(), 21u);
    EXPECT_EQ(list[0], "[BACK_NAME_1]=---");
    EXPECT_EQ(list[20], "[Last_Filename]=" + a);
    EXPECT_TRUE(h.session.modified);

    // Yes, and the save fails: the window stays open with the changes.
    fs::remove(placementFile);
    fs::remove(listFile);
    h.dialogs.Clear();
    h.writer.failing = {"a.exv"};
    h.dialogs.saveAnswers = {SaveAnswer::Yes};
    EXPECT_FALSE(CloseRequest(h.session, placement));
    EXPECT_EQ(h.dialogs.Infos(),
              Lines{"確認|" + a + "を保存できませんでした。\r\nディスクがいっぱいです: " + a});
    EXPECT_TRUE(h.session.modified);
    EXPECT_TRUE(fs::exists(placementFile));
    EXPECT_TRUE(fs::exists(listFile));

    h.writer.failing.clear();
    h.dialogs.saveAnswers = {SaveAnswer::Yes};
    EXPECT_TRUE(CloseRequest(h.session, placement));
    EXPECT_FALSE(h.session.modified);
    EXPECT_EQ(ReadTextLines(listFile)[1], "[BACK_FILE_1]=" + h.work + "/20240305130709.dat");

    // Yes, and the file name dialog is cancelled: nothing is lost either.
    h.session.modified = true;
    h.session.filePanel.clear();
    h.dialogs.saveAnswers = {SaveAnswer::Yes};
    EXPECT_FALSE(CloseRequest(h.session, placement));
    EXPECT_TRUE(h.session.modified);

    h.session.modified = false;
    h.dialogs.Clear();
    EXPECT_TRUE(CloseRequest(h.session, placement));  // nothing to ask
    h.session.modified = true;
    h.dialogs.saveAnswers = {SaveAnswer::No};
    EXPECT_TRUE(CloseRequest(h.session, placement));
    EXPECT_EQ(
        h.dialogs.Log(),
        Lines{"save:はい/いいえ/キャンセル|データが変更されています。現在の状態を保存しますか？"});
}

}  // namespace
}  // namespace velmora
