#include "cli/cli_context.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <ostream>
#include <utility>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/ledgerview/month_tabs.h"
#include "core/platform/file_io.h"
#include "core/session/book_commands.h"
#include "core/util/errors.h"
#include "core/util/paths.h"

namespace velmora::cli {
namespace {

// The book list answered with the book called name.
class BookChoice final : public AppWindows {
public:
    explicit BookChoice(std::string name) : name_(std::move(name)) {}
    std::optional<int> ChooseBook(const std::string& /*kind*/,
                                  const std::vector<std::string>& names) override {
        auto it = std::find(names.begin(), names.end(), name_);
        if (it == names.end()) return std::nullopt;
        return static_cast<int>(it - names.begin());
    }

private:
    std::string name_;
};

}  // namespace

CliContext::CliContext(std::ostream& o, std::ostream& e, std::optional<Date> today)
    : out(o),
      err(e),
      dialogs(e),
      workingFolder(WorkingFolder(ProcessEnvironment())),
      writer(workingFolder) {
    if (today)
        clock = std::make_unique<FixedClock>(*today);
    else
        clock = std::make_unique<SystemClock>();
    programFolder = ProgramDataFolder(ProcessEnvironment(), ExecutablePath());
    dialogs.AskOnTerminal(kChangedOnDiskQuestion, ::isatty(STDIN_FILENO) ? &std::cin : nullptr);
}

CliContext::~CliContext() {
    // The application holds on to the printer; it goes first.
    app_.reset();
}

Application& CliContext::app() {
    if (!app_) {
        if (!printer) printer = std::make_shared<RecordingPrintDevice>(printerDpi);
        app_ = std::make_unique<Application>(
            AppServices{dialogs, *clock, writer, *printer, shell_, workingFolder, programFolder});
    }
    return *app_;
}

int CliContext::SaveStatus(const SaveResult& result) {
    if (result.declinedOverwrite) {
        Fail(session().filePanel +
             " was changed by another program since it was read: not "
             "saved (give --force to save over it)");
        return kChangedOnDiskStatus;
    }
    if (!result.saved) return 1;
    return result.backupWritten ? 0 : kBackupFailedStatus;
}

bool CliContext::OpenLedger(const std::string& file) {
    try {
        app().Create();
    } catch (const std::exception& error) {
        Fail(error.what());
        return false;
    }
    try {
        ledgerLock_ = std::make_unique<FileLock>(file);
    } catch (const FileError&) {
        // A file that cannot be locked cannot be read either: the load says why.
    }
    // Saves of the file opened find it held already; any other waits its turn.
    return app().files().OpenFileUnderLock(file, ledgerLock_.get());
}

namespace {

// What is damaged, as the messages about a damaged ledger say it.
std::string DamageText(const LedgerDamage& damage) {
    std::string text;
    auto add = [&text](std::size_t count, std::size_t first, const std::string& what,
                       const char* more) {
        if (count == 0) return;
        if (!text.empty()) text += "; ";
        text += "line " + std::to_string(first) + what;
        if (count > 1)
            text +=
                ", and so " + std::string(more) + " " + std::to_string(count - 1) + " more lines";
    };
    if (damage.trailer) text = "its periods or settings line is missing or unreadable";
    if (damage.settings)
        text = damage.settingsLine == 0 ? "its settings line is missing"
                                        : "line " + std::to_string(damage.settingsLine) +
                                              ", its settings line, is cut short";
    add(damage.badRecords, damage.firstBadRecordLine,
        " has " + std::to_string(damage.firstBadRecordFields) + " fields where a record has 12",
        "do");
    add(damage.untaggedRecords, damage.firstUntaggedRecordLine,
        " is a record without a month tag (d01= .. d12=)", "are");
    add(damage.droppedLines, damage.firstDroppedLine,
        " is neither a record nor a book line and a save would lose it", "are");
    return text;
}

}  // namespace

bool CliContext::RefuseSaveOverDamaged(const std::string& target, bool force) {
    if (force) dialogs.AnswerYesNo(kChangedOnDiskQuestion, true);
    const std::string& damaged = session().damagedFile;
    if (force || damaged.empty() || !IsSameFile(target, damaged)) return false;
    Fail(damaged + " is damaged (" + DamageText(session().damage) + "); " +
         "give --force to save over it");
    return true;
}

int CliContext::FinalStatus(int status) {
    if (status != 0 || !app_) return status;
    const std::string& damaged = session().damagedFile;
    if (damaged.empty()) return status;
    Fail(damaged + " is damaged (" + DamageText(session().damage) +
         "): " + "the command worked on what could be read of it");
    return kDamagedLedgerStatus;
}

int CliContext::Fail(const std::string& text) {
    err << "velmora-cli: " << text << '\n';
    return 1;
}

std::optional<BookId> ParseBookOption(const Session& session, const std::string& value) {
    std::size_t colon = value.find(':');
    std::string kind = value.substr(0, colon);
    if (colon == std::string::npos) {
        if (kind != kCashKind) throw UsageError("--book takes 現金 or KIND:NAME");
        return session.ledger.CashBook();
    }
    std::string name = value.substr(colon + 1);
    if (kind == kCashKind) {
        if (name != session.ledger.UseTypeName()) return std::nullopt;
        return session.ledger.CashBook();
    }
    if (kind != kPettyKind && kind != kBankKind)
        throw UsageError("--book kind must be 現金, 小口 or 預金");
    for (const auto& n : BookNames(session, kind))
        if (n == name) return BookId{kind, name};
    return std::nullopt;
}

bool SelectBookOption(CliContext& ctx, const std::optional<std::string>& book, bool allBooks) {
    Application& app = ctx.app();
    if (allBooks) {
        app.search().SetAllBooksSearch(true);
        app.search().RunSearch();
        return true;
    }
    std::optional<BookId> id;
    if (book) {
        id = ParseBookOption(app.session(), *book);
        if (!id) {
            ctx.Fail("no such book: " + *book);
            return false;
        }
    }
    if (!id || id->kind == kCashKind) {
        app.books().SelectCashBook();
        return true;
    }
    BookChoice choice(id->name);
    WindowsScope windows(app, choice);
    if (id->kind == kPettyKind)
        app.books().ChoosePettyCashBook();
    else
        app.books().ChooseBankBook();
    return true;
}

bool ChooseMonth(CliContext& ctx, int month) {
    return ctx.app().books().ChooseMonthTab(TabOfMonth(ctx.session().ledger.startMonth, month));
}

}  // namespace velmora::cli
