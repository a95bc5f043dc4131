#include "cli/commands/file_commands.h"

namespace velmora::cli {

int RunResave(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {"force"});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    if (!ctx.OpenLedger(file)) return 1;
    const bool toOut = args.Positional().size() >= 2;
    const std::string target = toOut ? args.Positional()[1] : ctx.session().filePanel;
    if (ctx.RefuseSaveOverDamaged(target, args.Flag("force"))) return 1;
    if (!toOut) return ctx.SaveStatus(ctx.app().files().SaveFile());
    // "名前をつけて保存", its dialog answered with OUT.
    ctx.dialogs.SetSaveFile(target);
    return ctx.SaveStatus(ctx.app().files().SaveFileAs());
}

int RunRollover(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {}, {});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    const std::string& newFile = args.Required(1, "NEWFILE");
    if (!ctx.OpenLedger(file)) return 1;
    ctx.dialogs.SetSaveFile(newFile);
    return ctx.app().files().MakeNextYear() ? 0 : 1;
}

}  // namespace velmora::cli
