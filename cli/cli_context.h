#pragma once
// What every velmora-cli command works with: today's clock (--today), the terminal
// dialogs, the working and program folders, and the application object on them, which
// runs every command in the program's order.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_args.h"
#include "core/app/application.h"
#include "core/platform/clock.h"
#include "core/platform/file_io.h"
#include "core/platform/shell.h"
#include "core/platform/stream_dialogs.h"
#include "core/print/recording_print_device.h"

namespace velmora::cli {

// velmora-cli opens no documents, folders or other programs.
class NullShell final : public Shell {
public:
    void OpenUrl(const std::string&) override {}
    void OpenPath(const std::string&) override {}
    bool StartProgram(const std::string&) override { return false; }
};

// The exit status of a command whose ledger was saved but whose backup copy in the working
// folder could not be written.
inline constexpr int kBackupFailedStatus = 3;
// The exit status of a command that did not save because another program had changed the
// file since it was read (and --force did not say to overwrite it).
inline constexpr int kChangedOnDiskStatus = 4;
// The exit status of a command that did its work on a ledger that loaded damaged: what it
// showed or wrote is what could be read of the file.
inline constexpr int kDamagedLedgerStatus = 5;

struct CliContext {
    CliContext(std::ostream& out, std::ostream& err, std::optional<Date> today);
    ~CliContext();

    std::ostream& out;
    std::ostream& err;
    std::unique_ptr<Clock> clock;
    StreamDialogs dialogs;
    std::string workingFolder;
    std::string programFolder;
    // Every write of the command: the working folder's files private, never through links.
    DiskFileWriter writer;
    // The resolution of the printer that prints nothing; a command that needs another one
    // sets it before the application is made.
    int printerDpi = 600;
    // The printer instead, when a command sets one before the application is made.
    std::shared_ptr<PrintDevice> printer;

    // The application, made on first use.
    Application& app();
    const Session& session() { return app().session(); }

    // Creates the window's working folder as the program does at start (first-run copy),
    // then shows file as the program shows a file named on its command line. False, after
    // saying why, when it did not load. The file stays locked against other velmora-cli
    // commands until the command ends, so that their changes are made one after another.
    bool OpenLedger(const std::string& file);

    // A save over a ledger that loaded damaged would drop what the ledger lacks of the file
    // (its backup keeps it, but the user should know first): refused, after saying so,
    // unless force. target is the file the save would write. force also answers Yes when
    // the save finds the file changed by another program since it was read; without it
    // that question is asked on the terminal, and answered No when there is none.
    bool RefuseSaveOverDamaged(const std::string& target, bool force);

    // The exit status of a save: 0 saved with its backup, 1 not saved, kBackupFailedStatus,
    // kChangedOnDiskStatus (after saying so).
    int SaveStatus(const SaveResult& result);

    // A failure of the command itself (not a Dialogs message): "velmora-cli: text".
    int Fail(const std::string& text);

    // The status of a command that ended with status: kDamagedLedgerStatus, after saying
    // so, when it succeeded on a ledger that is still the damaged file it loaded.
    int FinalStatus(int status);

private:
    std::unique_ptr<FileLock> ledgerLock_;
    NullShell shell_;
    std::unique_ptr<Application> app_;
};

// Installs windows on the application for the lifetime of the scope.
class WindowsScope {
public:
    WindowsScope(Application& app, AppWindows& windows) : app_(app) { app_.SetWindows(&windows); }
    ~WindowsScope() { app_.SetWindows(nullptr); }
    WindowsScope(const WindowsScope&) = delete;
    WindowsScope& operator=(const WindowsScope&) = delete;

private:
    Application& app_;
};

// "--book KIND" or "--book KIND:NAME": the cash book for "現金", else a book of the
// registry of KIND. Throws UsageError for a malformed value; nullopt when no such book.
std::optional<BookId> ParseBookOption(const Session& session, const std::string& value);

// Makes the book named by --book current (default: the cash book) as the book commands
// do, or the all-books view with allBooks as its check box and "検索実行" do. Returns false
// (after printing why) when the book does not exist.
bool SelectBookOption(CliContext& ctx, const std::optional<std::string>& book, bool allBooks);

// Month m (1..12, 13 for ALL) as its tab selects it; false when refused.
bool ChooseMonth(CliContext& ctx, int month);

}  // namespace velmora::cli
