#pragma once
// What every velmora-cli command works with: today's clock (--today), the terminal
// dialogs, the working and program folders, and a session on them.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_args.h"
#include "core/session/session.h"
#include "core/util/clock.h"
#include "core/util/stream_dialogs.h"

namespace velmora::cli {

struct CliContext {
    CliContext(std::ostream& out, std::ostream& err, std::optional<Date> today);

    std::ostream& out;
    std::ostream& err;
    std::unique_ptr<Clock> clock;
    StreamDialogs dialogs;
    std::string workingFolder;
    std::string programFolder;
    std::unique_ptr<Session> session;

    // Prepares the working folder as the program does at start (first-run copy), reads
    // the settings and the backup list, and loads file. False when it did not load.
    bool OpenLedger(const std::string& file);

    // A failure of the command itself (not a Dialogs message): "velmora-cli: text".
    int Fail(const std::string& text);
};

// "--book KIND" or "--book KIND:NAME": the cash book for "現金", else a book of the
// registry of KIND. Throws UsageError for a malformed value; nullopt when no such book.
std::optional<BookId> ParseBookOption(const Session& session, const std::string& value);

// Makes the book named by --book current (default: the cash book), or the all-books view
// with allBooks. Returns false (after printing why) when the book does not exist.
bool SelectBookOption(CliContext& ctx, const std::optional<std::string>& book, bool allBooks);

}  // namespace velmora::cli
