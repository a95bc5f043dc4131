#include "cli/commands.h"

#include "cli/commands/book_commands.h"
#include "cli/commands/csv_commands.h"
#include "cli/commands/entry_commands.h"
#include "cli/commands/file_commands.h"
#include "cli/commands/holiday_commands.h"
#include "cli/commands/import_commands.h"
#include "cli/commands/print_commands.h"
#include "cli/commands/report_commands.h"
#include "cli/commands/settings_commands.h"
#include "cli/commands/view_commands.h"

namespace velmora::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"books", "FILE [--month M]", RunBooks},
        {"resave", "FILE [OUT] [--force]", RunResave},
        {"rollover", "FILE NEWFILE", RunRollover},
        {"csv", kCsvUsage, RunCsv},
        {"configure", kConfigureUsage, RunConfigure},
        {"periods", "FILE", RunPeriods},
        {"summary", "FILE [--book B] [--drill TITLE]", RunSummary},
        {"graph", "FILE [--book B] [--drill TITLE]", RunGraph},
        {"view", kViewUsage, RunView},
        {"add", kAddUsage, RunAdd},
        {"move-down", kMoveDownUsage, RunMoveDown},
        {"import", kImportUsage, RunImport},
        {"pages", kPagesUsage, RunPages},
        {"holidays", "YEAR", RunHolidays},
    };
    return commands;
}

}  // namespace velmora::cli
