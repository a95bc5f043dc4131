// Who can read what: the program run through its daily work under umask 022, then every file
// and folder it made held against the table of modes in docs/ARCHITECTURE.md.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "core/app/application.h"
#include "core/entry/money_count.h"
#include "core/export/csv_export.h"
#include "core/export/csv_records.h"
#include "core/platform/instance_lock.h"
#include "core/print/recording_print_device.h"
#include "core/session/apply_settings.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

// The rows of the table under "## Who can read what": path pattern → mode as written.
std::map<std::string, std::string> ModeTable() {
    std::ifstream in(std::string(VELMORA_FIXTURES_DIR) + "/../../docs/ARCHITECTURE.md");
    std::map<std::string, std::string> rows;
    bool inSection = false;
    const std::regex row(R"(^\| `([^`]+)` \| `([^`]+)` \|)");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0) inSection = line == "## Who can read what";
        std::smatch m;
        if (inSection && std::regex_search(line, m, row)) rows[m[1]] = m[2];
    }
    return rows;
}

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// The mode a row says, for a file made under umask.
unsigned ExpectedMode(const std::string& text, unsigned umask, unsigned old) {
    if (text == "0666 & ~umask") return 0666 & ~umask;
    if (text == "old") return old;
    return static_cast<unsigned>(std::stoul(text, nullptr, 8));
}

// The settings dialog answered with "適用(&A)" as it opens; the CSV options dialog with "OK"
// on the options it is given.
class ApplyingWindows final : public AppWindows {
public:
    explicit ApplyingWindows(Application& app) : app_(app) {}
    void RunSettings(Session& session, FiscalSettingsForm& form) override {
        ApplySettingsForm(session, form);
    }
    void RunCsvOptions(Session& session) override {
        exported = csv != nullptr && ExportCsv(session, csv->options, csv->codes);
    }
    const CsvOptionsDialog* csv = nullptr;
    bool exported = false;

private:
    Application& app_;
};

TEST(FileModes, EveryFileAndFolderTheProgramMakesHasTheModeTheArchitectureTableSays) {
    const std::map<std::string, std::string> table = ModeTable();
    ASSERT_FALSE(table.empty());
    const mode_t umaskBefore = ::umask(022);
    TempFolder root;
    const std::string work = root.File("share/work");
    const std::string docs = root.File("docs");
    fs::create_directories(docs);
    ScriptedDialogs dialogs;
    FixedClock clock{DateTime{Date::FromYmd(2014, 6, 10), 9 * 3600}};
    RecordingPrintDevice printer;
    class : public Shell {
        void OpenUrl(const std::string&) override {}
        void OpenPath(const std::string&) override {}
        bool StartProgram(const std::string&) override { return false; }
    } shell;
    DiskFileWriter writer(work);  // as the programs write
    {
        const InstanceLock lock(work);
        ASSERT_EQ(lock.state(), InstanceLock::State::Held);
        Application app{AppServices{dialogs, clock, writer, printer, shell, work,
                                    std::string(VELMORA_FIXTURES_DIR) + "/../../data"}};
        ApplyingWindows windows(app);
        app.SetWindows(&windows);
        app.Create();
        const std::string ledger = docs + "/a.exv";
        fs::copy_file(FixturePath("ledger/example2014.exv"), ledger);
        fs::permissions(ledger, fs::perms(0640), fs::perm_options::replace);
        app.Show(ledger);
        ASSERT_TRUE(
            app.books().AddBook("預金", "A銀行", Amount()));  // the journal, gone once saved
        EXPECT_EQ(ModeOf(work + "/recovery.jnl"), ExpectedMode(table.at("WORK/*"), 022, 0));
        app.books().EditSettings();           // the settings file
        ASSERT_TRUE(app.files().SaveFile());  // a backup and the backup list
        app.printing().PrintLedger();         // the print data
        app.books().ToggleHolidayAndChooseDay(Date::FromYmd(2014, 6, 11));
        app.files().SaveLedgerLayout(app.ledgerLayout());
        SaveMoneyCount(work, MoneyCount{}, writer);
        CsvOptionsDialog csv(work, app.entryForm().titleList, dialogs, writer);
        dialogs.saveFileAnswers = {docs + "/out.csv"};
        windows.csv = &csv;
        app.files().OpenCsvExport();
        ASSERT_TRUE(windows.exported);
        csv.Close();                                                // the code table
        ASSERT_TRUE(app.RequestClose(Placement{1, 2, 1300, 800}));  // placement, layouts
        ::umask(umaskBefore);

        // What the user names: new as the umask allows, replaced with the old file's mode.
        EXPECT_EQ(ModeOf(docs + "/out.csv"), ExpectedMode(table.at("OUT (new)"), 022, 0));
        EXPECT_EQ(ModeOf(ledger), ExpectedMode(table.at("OUT (replaced)"), 022, 0640));
    }

    std::map<std::string, int> used;
    auto check = [&](const std::string& path, const std::string& pattern) {
        ASSERT_TRUE(table.count(pattern)) << "no row " << pattern << " for " << path;
        EXPECT_EQ(ModeOf(path), ExpectedMode(table.at(pattern), 022, 0)) << path;
        ++used[pattern];
    };
    check(work, "WORK/");
    check(work + ".lock", "WORK.lock");
    for (const auto& entry : fs::recursive_directory_iterator(work)) {
        const fs::path relative = entry.path().lexically_relative(work);
        const bool top = std::distance(relative.begin(), relative.end()) == 1;
        if (entry.is_directory())
            check(entry.path().string(), top ? "WORK/*/" : "WORK/*/*/");
        else
            check(entry.path().string(), top ? "WORK/*" : "WORK/*/*");
    }
    // Every row of the working folder is met, and what the daily work writes is there.
    for (const auto& [pattern, mode] : table) {
        if (pattern.rfind("WORK", 0) == 0) {
            EXPECT_GT(used[pattern], 0) << pattern;
        }
    }
    for (const char* made :
         {"velmora.conf", "in_code.dat", "money_count.dat", "20140610090000.dat", "ini/backup.conf",
          "ini/velmora5.ini", "ini/display2.dat", "config/display.dat", "config/SDAYLIST.DAT",
          "style/listout.dat", "cldata/kamoku1.dat"})
        EXPECT_TRUE(fs::exists(work + "/" + made)) << made;
}

}  // namespace
}  // namespace velmora::testing
