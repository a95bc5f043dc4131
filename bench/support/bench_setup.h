#pragma once
// What every benchmark program needs before it measures: a scratch folder, a generated
// ledger file in it, and a session (or the whole application object) that works as the
// program would but asks nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/app/application.h"
#include "core/history/recovery_journal.h"
#include "core/ledger/ledger.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/platform/shell.h"
#include "core/print/recording_print_device.h"
#include "core/session/session.h"

namespace velmora::bench {

// VELMORA_BENCH_RECORDS when it holds a whole number of at least 0, else 100,000.
int BenchRecordCount();

// A fresh folder under $TMPDIR (or /tmp), removed with its content at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

struct PreparedLedger {
    Ledger ledger;  // as generated and written
    std::string path;
    std::uintmax_t fileBytes = 0;
};

// Generates a ledger of records records with the default seed and writes it as
// "bench.exv" into folder.
PreparedLedger PrepareLedgerFile(const ScratchFolder& folder, int records);
// The ledger of BenchRecordCount() records, announced on standard output.
PreparedLedger PrepareAnnouncedLedger(const ScratchFolder& folder);

// Shows nothing and answers every question with No or Cancel, but the offer of unsaved
// work with Yes once WantUnsavedWorkBack was called; a save dialog returns the file set with
// SetSaveFile (none: cancelled).
class QuietDialogs final : public Dialogs {
public:
    void ShowInfo(const std::string&, const std::string&) override { ++messages_; }
    bool AskYesNo(const std::string&, const std::string& heading, const std::string&) override {
        return recover_ && heading == kRecoveryQuestion;
    }
    SaveAnswer AskSave(const std::string&, const std::string&, const std::string&,
                       const std::string&) override {
        return SaveAnswer::No;
    }
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return saveFile_; }
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string&) override {
        return {};
    }
    void Beep() override {}

    void SetSaveFile(std::string path) { saveFile_ = std::move(path); }
    void WantUnsavedWorkBack() { recover_ = true; }
    int Messages() const { return messages_; }

private:
    std::optional<std::string> saveFile_;
    bool recover_ = false;
    int messages_ = 0;
};

// A session on a working folder, for the benchmarks of the core's own steps, with quiet dialogs, a
// clock that stands on 15 October 2024 (inside the generated fiscal year) and the disk writer.
class QuietSession {
public:
    explicit QuietSession(const std::string& workingFolder);
    QuietSession(const QuietSession&) = delete;
    QuietSession& operator=(const QuietSession&) = delete;

    // The program's start on a file (StartSessionOnFile): settings, backup list, the ledger
    // and the cash book. False when it did not load.
    bool Open(const std::string& path);

    Session& session() { return session_; }
    FixedClock& clock() { return clock_; }
    QuietDialogs& dialogs() { return dialogs_; }

private:
    QuietDialogs dialogs_;
    FixedClock clock_;
    DiskFileWriter writer_;
    Session session_;
};

// Opens nothing and starts no other program.
class NoDesktopShell final : public Shell {
public:
    void OpenUrl(const std::string&) override {}
    void OpenPath(const std::string&) override {}
    bool StartProgram(const std::string&) override { return false; }
};

// The application object on a working folder that is its program folder too, with the
// quiet dialogs, the clock of QuietSession, the disk writer and a printer of 600 dpi that
// prints nothing: the main window's commands without a window.
class QuietApp {
public:
    explicit QuietApp(const std::string& workingFolder);
    QuietApp(const QuietApp&) = delete;
    QuietApp& operator=(const QuietApp&) = delete;

    // The window made and path shown as the program shows a file named on its command
    // line: the cash book on today's month. False when it did not load.
    bool Open(const std::string& path);

    Application& app() { return app_; }
    const Session& session() const { return app_.session(); }
    FixedClock& clock() { return clock_; }
    QuietDialogs& dialogs() { return dialogs_; }

private:
    QuietDialogs dialogs_;
    FixedClock clock_;
    DiskFileWriter writer_;
    RecordingPrintDevice printer_;
    NoDesktopShell shell_;
    Application app_;
};

}  // namespace velmora::bench
