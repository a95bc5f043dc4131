#include "core/app/program_options.h"

namespace velmora {

ProgramOptionsResult ParseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptionsResult result;
    ProgramOptions& o = result.options;
    auto fail = [&](std::string text) {
        result.error = std::move(text);
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--today") {
            std::optional<std::string> text = value();
            if (!text) return fail("--today には日付 (YYYY/MM/DD) が必要です");
            std::optional<Date> day = Date::TryParse(*text);
            if (!day) return fail("--today の日付が正しくありません: " + *text);
            o.today = day;
        } else if (arg == "--screenshot") {
            std::optional<std::string> out = value();
            if (!out || out->empty()) return fail("--screenshot には出力ファイル名が必要です");
            o.screenshot = out;
        } else if (arg == "--page") {
            std::optional<std::string> page = value();
            if (!page ||
                (*page != "ledger" && *page != "summary" && *page != "graph" && *page != "preview"))
                return fail("--page は ledger, summary, graph, preview のいずれかです");
            o.page = *page;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("不明なオプションです: " + arg);
        } else if (o.file) {
            return fail("開くファイルは一つだけ指定できます: " + arg);
        } else {
            o.file = arg;
        }
    }
    return result;
}

}  // namespace velmora
