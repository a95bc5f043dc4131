// velmora-cli against ledgers that other commands change at the same time, damaged ledgers,
// saves that fail, leftovers of killed saves, and the program's own options.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_context.h"
#include "core/ledger/backup_list.h"
#include "core/platform/clock.h"
#include "core/platform/file_io.h"
#include "core/session/file_commands.h"
#include "core/session/startup.h"
#include "core/util/codepage.h"
#include "support/cli_runner.h"
#include "support/ledger_text.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

const char* kRecords =
    "d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n"
    "z,小口,本店,5000,\n";
const std::string kTrailer = FiscalYearTrailer(2014, "g,10000,4,1,2014,");

std::vector<std::string> AddArgs(const std::string& file, const std::string& desc) {
    return {"--today", "2014/04/10", "add",    file, "--date",    "2014/04/02",
            "--title", "旅費交通費", "--desc", desc, "--expense", "100"};
}

TEST(CliSharedLedger, CommandsOnOneLedgerRunOneAfterTheOther) {
    TempFolder home, files;
    const std::string ledger = files.File("a.exv");
    WriteCp932(ledger, std::string(kRecords) + kTrailer);
    const std::string before = ReadBytes(ledger);

    // While another command holds the ledger, an add waits and changes nothing.
    auto held = std::make_unique<FileLock>(ledger);
    ASSERT_TRUE(held->Held());
    std::atomic<bool> done{false};
    CliResult waiting;
    std::thread runner([&] {
        waiting = RunCli(AddArgs(ledger, "待ち"), home.Path());
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_FALSE(done);
    EXPECT_EQ(ReadBytes(ledger), before);
    held.reset();
    runner.join();
    EXPECT_EQ(waiting.status, 0) << waiting.err;

    // Five at once: every one saved, every record in the file.
    std::vector<CliResult> results(5);
    std::vector<std::thread> runners;
    for (int n = 0; n < 5; ++n)
        runners.emplace_back([&, n] {
            results[static_cast<std::size_t>(n)] =
                RunCli(AddArgs(ledger, "同時" + std::to_string(n)), home.Path());
        });
    for (auto& r : runners) r.join();
    CliResult view = RunCli({"--today", "2014/04/10", "view", ledger}, home.Path());
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(results[static_cast<std::size_t>(n)].status, 0);
        EXPECT_NE(view.out.find("\t同時" + std::to_string(n) + "\t"), std::string::npos) << n;
    }
    EXPECT_NE(view.out.find("\t待ち\t"), std::string::npos);
    // The carry, seven records, the month total, the next carry, totals and range.
    EXPECT_EQ(Lines(view.out).size(), 12u);
}

// A file that a program taking no lock changed between velmora-cli's load and its save.
TEST(CliSharedLedger, AFileChangedSinceItWasReadIsOverwrittenOnlyWhenAPersonOrForceSaysSo) {
    TempFolder home, files;
    const std::string ledger = files.File("a.exv");
    ::setenv("VELMORA_HOME", home.Path().c_str(), 1);
    ::setenv("VELMORA_DATA_DIR", VELMORA_DATA_DIR, 1);
    const std::string question = std::string(kChangedOnDiskQuestion) + ": " + ledger;
    struct Case {
        const char* terminal;  // what a person types; nullptr: no terminal
        bool force;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {nullptr, false, 4,
         question + "\nvelmora-cli: " + ledger +
             " was changed by another program since it was read: not saved (give --force to "
             "save over it)\n"},
        {"n\n", false, 4, ""},
        {"y\n", false, 0, question + " [y/N] 確認: " + ledger + "を保存しました。\n"},
        {nullptr, true, 0, question + "\n確認: " + ledger + "を保存しました。\n"},
    };
    for (const Case& c : cases) {
        WriteCp932(ledger, std::string(kRecords) + kTrailer);
        std::ostringstream out, err;
        std::istringstream typed(c.terminal ? c.terminal : "");
        cli::CliContext ctx(out, err, Date::FromYmd(2014, 4, 10));
        ctx.dialogs.AskOnTerminal(kChangedOnDiskQuestion, c.terminal ? &typed : nullptr);
        ASSERT_TRUE(ctx.OpenLedger(ledger));
        ASSERT_FALSE(ctx.RefuseSaveOverDamaged(ledger, c.force));
        const std::string theirs = ReadBytes(ledger) + "\r\n";
        WriteBytes(ledger, theirs);
        err.str("");
        EXPECT_EQ(ctx.SaveStatus(ctx.app().files().SaveFile()), c.status) << c.terminal;
        if (!c.err.empty()) {
            EXPECT_EQ(err.str(), c.err);
        }
        EXPECT_EQ(ReadBytes(ledger) == theirs, c.status != 0);
    }
    ::unsetenv("VELMORA_HOME");
    ::unsetenv("VELMORA_DATA_DIR");
}

// The desktop program's save and a velmora-cli add on one ledger at about the same moment,
// a few rounds (tools/reliability.sh races them at length on a large ledger): what either
// reports saved is in the file, and what it reports not saved is not.
TEST(CliSharedLedger, AWindowsSaveAndAnAddAtOnceLoseNothingEitherReportedSaved) {
    TempFolder home, desk, files;
    const std::string ledger = files.File("a.exv");
    std::string records;
    for (int n = 0; n < 5000; ++n)
        records += "d04=,2014/04/01,0,交通費,既存" + std::to_string(n) +
                   ",0,1,,現金,現金出納帳,現金,現金出納帳,\n";
    WriteCp932(ledger, records + kTrailer);
    PrepareWorkingFolder(desk.Path(), VELMORA_DATA_DIR);
    ScriptedDialogs dialogs;
    const FixedClock clock(Date::FromYmd(2014, 4, 10));
    DiskFileWriter writer(desk.Path());
    std::mt19937 random(16);
    for (int round = 0; round < 5; ++round) {
        Session window{SessionServices{dialogs, clock, writer, desk.Path(), VELMORA_DATA_DIR}};
        ASSERT_TRUE(LoadLedger(window, ledger));
        const std::string mine = "窓" + std::to_string(round);
        const std::string theirs = "追加" + std::to_string(round);
        CliResult added;
        std::thread cli([&] { added = RunCli(AddArgs(ledger, theirs), home.Path()); });
        window.ledger.transactions.Insert(
            0, "d04=,2014/04/02,0,交通費," + mine + ",0,100,,現金,現金出納帳,現金,現金出納帳,");
        window.modified = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 150));
        dialogs.yesNoAnswers = {false};  // not over a file another program changed
        const SaveResult saved = SaveLedger(window, ledger);
        cli.join();
        const std::string file = ReadBytes(ledger);
        const auto holds = [&file](const std::string& description) {
            return file.find(Utf8ToCp932("," + description + ",")) != std::string::npos;
        };
        EXPECT_EQ(holds(mine), saved.saved) << round;
        EXPECT_TRUE(added.status == 0 || added.status == cli::kChangedOnDiskStatus) << added.err;
        EXPECT_EQ(holds(theirs), added.status == 0) << round << added.err;
    }
}

TEST(CliSharedLedger, ADamagedLedgerIsSavedOverOnlyWithForce) {
    TempFolder home, files;
    const std::string ledger = files.File("cut.exv");
    WriteCp932(ledger, kRecords);  // the trailer lost
    const std::string original = ReadBytes(ledger);
    const std::string warning =
        "確認: 月設定が無効となっています。お手数ですが環境設定にて再度設定して下さい\n";
    const std::string refusal =
        "velmora-cli: " + ledger +
        " is damaged (its periods or settings line is missing or unreadable); give --force to "
        "save over it\n";

    for (const std::vector<std::string>& args :
         {AddArgs(ledger, "x"), std::vector<std::string>{"resave", ledger},
          std::vector<std::string>{"configure", ledger, "--lock", "4"},
          std::vector<std::string>{"move-down", ledger, "--month", "4", "--row", "1"}}) {
        CliResult r = RunCli(args, home.Path());
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, warning + refusal) << args[0];
        EXPECT_EQ(ReadBytes(ledger), original);
    }

    // A command that reads it works on what could be read, and says so by its status.
    const std::string damaged = "velmora-cli: " + ledger +
                                " is damaged (its periods or settings line is missing or "
                                "unreadable): the command worked on what could be read of it\n";
    CliResult view = RunCli({"--today", "2014/04/10", "view", ledger, "--month", "4"}, home.Path());
    EXPECT_EQ(view.status, 5);
    // Without its settings line the opening balance is lost: what the file still holds.
    EXPECT_EQ(Lines(view.out)[1], "-\t04月01日(火)\t交通費\tバス代\t\t220\t-220");
    EXPECT_EQ(view.err, warning + damaged);

    // Another file may be written (a copy of what could be read); --force saves over it,
    // the original kept as a backup.
    CliResult copy =
        RunCli({"--today", "2014/04/10", "resave", ledger, files.File("b.exv")}, home.Path());
    EXPECT_EQ(copy.status, 5);
    EXPECT_EQ(copy.err, warning + "確認: " + files.File("b.exv") + "を保存しました。\n" + damaged);
    EXPECT_EQ(ReadBytes(ledger), original);
    CliResult forced = RunCli({"--today", "2014/04/10", "resave", ledger, "--force"}, home.Path());
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(forced.err, warning + "確認: " + ledger + "を保存しました。\n");
    EXPECT_EQ(ReadBytes(home.File("20140410120001.dat")), original);
    EXPECT_EQ(ReadBytes(home.File("20140410120002.dat")), ReadBytes(ledger));
    EXPECT_EQ(RunCli({"resave", ledger}, home.Path()).status, 0);
}

// Regression: a record that lost a comma was left out of every book without a word, view
// ended with status 0, and add saved over the file with every later balance rewritten.
// A record that lost a comma, one whose first byte was overwritten: the command works on
// what could be read and says so; nothing is saved over the file without --force.
TEST(CliSharedLedger, ARecordThatLostACommaOrItsFirstByteIsDamage) {
    struct Damage {
        std::string line, warning, what;
    };
    const Damage damages[] = {
        {"d04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳現金,現金出納帳,\n",
         kDamagedRecordsMessage, "line 1 has 11 fields where a record has 12"},
        {"e04=,2014/04/01,0,交通費,バス代,0,220,9780,現金,現金出納帳,現金,現金出納帳,\n",
         kDroppedLinesMessage,
         "line 1 is neither a record nor a book line and a save would lose it"}};
    for (const Damage& damage : damages) {
        TempFolder home, files;
        const std::string ledger = files.File("cut.exv");
        WriteCp932(ledger, damage.line + std::string(kRecords) + kTrailer);
        const std::string original = ReadBytes(ledger);
        const std::string warning = "確認: " + ledger + " 1行目" + damage.warning + "\n";
        const std::string what = "velmora-cli: " + ledger + " is damaged (" + damage.what + ")";

        CliResult view =
            RunCli({"--today", "2014/04/10", "view", ledger, "--month", "4"}, home.Path());
        EXPECT_EQ(view.status, 5);
        EXPECT_EQ(view.err, warning + what + ": the command worked on what could be read of it\n");
        CliResult add = RunCli(AddArgs(ledger, "x"), home.Path());
        EXPECT_EQ(add.status, 1);
        EXPECT_EQ(add.err, warning + what + "; give --force to save over it\n");
        EXPECT_EQ(RunCli({"resave", ledger}, home.Path()).status, 1);
        EXPECT_EQ(ReadBytes(ledger), original);
    }
}

// Regression: a settings line cut short left the use type 0 (and add or resave wrote it over
// the file); one missing lost the periods read before it, and the next forced save wrote the
// calendar months of today's year.
TEST(CliSharedLedger, ASettingsLineCutShortIsDamage) {
    TempFolder home, files;
    const std::string ledger = files.File("cut.exv");
    const std::string whole = std::string(kRecords) + kTrailer;
    WriteCp932(ledger, whole.substr(0, whole.size() - 8));  // "g,10000,4,"
    const std::string original = ReadBytes(ledger);
    const std::string what =
        "velmora-cli: " + ledger + " is damaged (line 15, its settings line, is cut short)";
    CliResult add = RunCli(AddArgs(ledger, "x"), home.Path());
    EXPECT_EQ(add.status, 1);
    EXPECT_EQ(add.err, "確認: " + ledger + " 15行目" + kCutSettingsMessage + "\n" + what +
                           "; give --force to save over it\n");
    EXPECT_EQ(ReadBytes(ledger), original);

    WriteCp932(ledger, whole.substr(0, whole.find("g,")));
    EXPECT_EQ(RunCli({"--today", "2014/04/10", "resave", ledger, "--force"}, home.Path()).status,
              0);
    // The periods the file still held are saved again, not the calendar months of the year.
    EXPECT_NE(ReadBytes(ledger).find("f,2015/01/01,2015/01/31,0\r\nf,2015/02/01"),
              std::string::npos);
}

TEST(CliSharedLedger, FailedSavesAndBackupsAreToldByTheStatus) {
    TempFolder home, files;
    const std::string ledger = files.File("a.exv");
    WriteCp932(ledger, std::string(kRecords) + kTrailer);
    const std::string before = ReadBytes(ledger);

    // A file the user may not write: nothing saved, so no record shown either.
    fs::permissions(ledger, fs::perms::owner_read | fs::perms::group_read);
    CliResult refused = RunCli(AddArgs(ledger, "x"), home.Path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "確認: " + ledger +
                               "を保存できませんでした。 ファイルに書き込めません: " + ledger +
                               " (書き込みが許可されていません)\n");
    EXPECT_EQ(ReadBytes(ledger), before);
    fs::permissions(ledger, fs::perms::owner_read | fs::perms::owner_write);

    // A working folder whose path leaves no room for the backup's name: the ledger is
    // saved, its backup is not.
    std::string work = home.Path();
    constexpr std::size_t kLength = 4059;  // the backup list's temporary name still fits
    while (work.size() < kLength) {
        const std::size_t room = kLength - work.size() - 1;
        work += "/" + std::string(std::min<std::size_t>(room, 200), 'w');
    }
    fs::create_directories(work);
    // The title list could not be copied there either: a transfer needs none.
    CliResult saved = RunCli({"--today", "2014/04/10", "add", ledger, "--date", "2014/04/02",
                              "--petty", "本店", "--desc", "y", "--expense", "100"},
                             work);
    EXPECT_EQ(saved.status, 3);
    EXPECT_EQ(saved.out, "d04=,2014/04/02,1,小口現金,y,0,100,9680,現金,現金出納帳,小口,本店,\n");
    // One message: saved, and why the backup was not.
    EXPECT_NE(saved.err.find("確認: " + ledger +
                             "を保存しました。 バックアップファイルを作成できませんでした。 "
                             "ファイルに書き込めません: " +
                             work + "/"),
              std::string::npos)
        << saved.err;
    EXPECT_EQ(saved.err.find("確認: バックアップファイルを作成できませんでした。"),
              std::string::npos);
    EXPECT_NE(ReadBytes(ledger), before);
}

TEST(CliSharedLedger, LeftoversOfKilledSavesGoAtTheNextStart) {
    TempFolder home, files;
    const std::string ledger = files.File("a.exv");
    WriteCp932(ledger, std::string(kRecords) + kTrailer);
    ASSERT_EQ(RunCli({"periods", ledger}, home.Path()).status, 0);
    const std::vector<std::string> strays = {files.File("a.exv.velmora-tmp"),
                                             files.File("a.exv.velmora-tmp-Ab12Cd"),
                                             home.File("20140410120000.dat.velmora-tmp-xY34zW"),
                                             home.File("ini/backup.conf.velmora-tmp-000000")};
    for (const auto& stray : strays) WriteBytes(stray, "half");
    WriteBytes(files.File("b.exv.velmora-tmp-Ab12Cd"), "another ledger's");
    CliResult r = RunCli({"periods", ledger}, home.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    for (const auto& stray : strays) EXPECT_FALSE(fs::exists(stray)) << stray;
    EXPECT_TRUE(fs::exists(files.File("b.exv.velmora-tmp-Ab12Cd")));
}

TEST(CliSharedLedger, ALedgerWhosePathCp932CannotHoldIsBackedUpListedAndRotated) {
    TempFolder home, files;
    const std::string ledger = files.File("Café😀\xff.exv");
    WriteCp932(ledger, std::string(kRecords) + kTrailer);
    for (int n = 0; n <= 10; ++n) {
        const CliResult r = RunCli({"--today", "2014/04/10", "resave", ledger}, home.Path());
        EXPECT_EQ(r.status, 0) << n;
        EXPECT_EQ(r.err, "確認: " + ledger + "を保存しました。\n") << n;
    }
    // Eleven saves, ten backups: the first one rotated out, the others listed, newest first.
    const BackupList list = ReadBackupList(home.Path());
    int backups = 0;
    for (const auto& entry : fs::directory_iterator(home.Path()))
        backups += entry.path().extension() == ".dat";
    EXPECT_EQ(backups, 10);
    EXPECT_FALSE(fs::exists(home.File("20140410120000.dat")));
    for (int n = 0; n < BackupList::kEntries; ++n) {
        const BackupEntry& entry = list.entries[static_cast<std::size_t>(n)];
        const int second = 10 - n;
        EXPECT_EQ(entry.file, home.File("201404101200" + std::string(second < 10 ? "0" : "") +
                                        std::to_string(second) + ".dat"))
            << n;
        EXPECT_EQ(ReadBytes(entry.file), ReadBytes(ledger));
    }
    EXPECT_EQ(list.entries[0].caption, "Caf？？？.exv(2014/04/10 12:00:10)");
    EXPECT_EQ(list.lastFilename, ledger);
}

TEST(CliSharedLedger, HelpAndTheTodayOption) {
    TempFolder home;
    CliResult help = RunCli({"--help"}, home.Path());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: velmora-cli [--today YYYY/MM/DD] COMMAND ARGS...\n", 0), 0u);
    EXPECT_NE(help.out.find("\n  velmora-cli add FILE --date"), std::string::npos);
    EXPECT_EQ(help.err, "");
    CliResult today = RunCli({"--today"}, home.Path());
    EXPECT_EQ(today.status, 2);
    EXPECT_EQ(today.out, "");
    EXPECT_EQ(today.err.rfind("velmora-cli: --today takes a date YYYY/MM/DD\nusage:", 0), 0u);
}

}  // namespace
}  // namespace velmora::testing
