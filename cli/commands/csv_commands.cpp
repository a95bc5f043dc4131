#include "cli/commands/csv_commands.h"

#include <array>
#include <utility>

#include "core/export/csv_export.h"
#include "core/export/csv_records.h"
#include "core/settings/title_lists.h"

namespace velmora::cli {
namespace {

// "1,3,5": the checked columns by number; the others are unchecked.
std::array<bool, kCsvColumnCount> ParseColumns(const std::string& list) {
    std::array<bool, kCsvColumnCount> columns{};
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        int n = IntOption(list.substr(start, comma - start), "columns", 1, kCsvColumnCount);
        columns[static_cast<std::size_t>(n - 1)] = true;
        start = comma + 1;
    }
    return columns;
}

// The CSV option dialog "CSVファイルへ出力" with the options of the command line; its
// "実　行" asks for the file, answered with out.
class CsvWindow final : public AppWindows {
public:
    CsvWindow(CliContext& ctx, const CsvOptions& options, std::string out)
        : ctx_(ctx), options_(options), out_(std::move(out)) {}

    void RunCsvOptions(Session& s) override {
        std::vector<std::string> titles =
            ReloadTitleList(s.workingFolder(), s.ledger.useType, s.dialogs());
        CsvOptionsDialog dialog(s.workingFolder(), titles, s.dialogs(), s.writer());
        dialog.options = options_;
        dialog.Close();
        ctx_.dialogs.SetSaveFile(out_);
        exported = ExportCsv(s, dialog.options, dialog.codes);
    }

    bool exported = false;

private:
    CliContext& ctx_;
    CsvOptions options_;
    std::string out_;
};

}  // namespace

int RunCsv(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words, {"book", "title", "columns", "encoding"},
              {"all-books", "no-header", "codes", "formula-guard"});
    args.ExpectAtMost(2);
    const std::string& file = args.Required(0, "FILE");
    const std::string& out = args.Required(1, "OUT");
    if (args.Value("book") && args.Flag("all-books"))
        throw UsageError("--book and --all-books exclude each other");
    CsvOptions options;
    if (auto list = args.Value("columns")) options.columns = ParseColumns(*list);
    options.titleRow = !args.Flag("no-header");
    options.codeConversion = args.Flag("codes");
    options.formulaGuard = args.Flag("formula-guard");
    if (auto encoding = args.Value("encoding")) {
        if (*encoding == "utf8-bom")
            options.encoding = CsvEncoding::Utf8Bom;
        else if (*encoding != "sjis")
            throw UsageError("--encoding takes sjis or utf8-bom");
    }

    if (!ctx.OpenLedger(file)) return 1;
    if (!SelectBookOption(ctx, args.Value("book"), args.Flag("all-books"))) return 1;
    Application& app = ctx.app();
    if (auto title = args.Value("title")) app.search().FilterByTitle(*title);

    CsvWindow window(ctx, options, out);
    WindowsScope windows(app, window);
    app.files().OpenCsvExport();
    return window.exported ? 0 : 1;
}

}  // namespace velmora::cli
