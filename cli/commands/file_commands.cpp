#include "cli/commands/file_commands.h"

namespace velmora::cli {

int RunResave(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    if (!ctx.OpenLedger(file)) return 1;
    if (args.Positional().size() < 2) return ctx.app().SaveFile() ? 0 : 1;
    // "名前をつけて保存", its dialog answered with OUT.
    ctx.dialogs.SetSaveFile(args.Positional()[1]);
    return ctx.app().SaveFileAs() ? 0 : 1;
}

int RunRollover(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    const std::string& newFile = args.Required(1, "NEWFILE");
    if (!ctx.OpenLedger(file)) return 1;
    ctx.dialogs.SetSaveFile(newFile);
    return ctx.app().MakeNextYear() ? 0 : 1;
}

}  // namespace velmora::cli
