#include "cli/commands/file_commands.h"

#include "core/session/file_commands.h"
#include "core/session/new_ledger.h"

namespace velmora::cli {

int RunResave(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    if (!ctx.OpenLedger(file)) return 1;
    Session& s = *ctx.session;
    bool saved =
        args.Positional().size() == 2 ? SaveLedger(s, args.Positional()[1]) : SaveCommand(s);
    return saved ? 0 : 1;
}

int RunRollover(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    const std::string& newFile = args.Required(1, "NEWFILE");
    if (!ctx.OpenLedger(file)) return 1;
    ctx.dialogs.SetSaveFile(newFile);
    return RollOver(*ctx.session) ? 0 : 1;
}

}  // namespace velmora::cli
