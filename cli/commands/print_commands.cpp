#include "cli/commands/print_commands.h"

#include <optional>
#include <ostream>

#include "cli/commands/report_commands.h"
#include "cli/pdf_device.h"
#include "core/ledger/periods.h"
#include "core/print/print_job.h"
#include "core/print/report_kind.h"
#include "core/printstyle/image_headers.h"
#include "core/printstyle/recording_canvas.h"
#include "core/session/file_commands.h"
#include "core/util/fields.h"

namespace velmora::cli {
namespace {

struct PagesOptions {
    const ReportKindInfo* report = nullptr;
    std::optional<int> month;
    std::optional<std::string> style;
    bool trace = false;
    int dpi = 600;
    std::optional<PageFilter> run;
    std::vector<int> months;
    bool evenFirst = false;
    std::optional<std::string> pdf;
};

// "2, 3, ... or 40" and "cash, cash-search, ... or graph".
std::string KindList(std::string (*item)(const ReportKindInfo&)) {
    const auto& kinds = AllReportKinds();
    std::string list;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0) list += i + 1 == kinds.size() ? " or " : ", ";
        list += item(kinds[i]);
    }
    return list;
}

// A report kind by its number or its name.
const ReportKindInfo& ReportOption(const Args& args) {
    const auto text = args.Value("report");
    if (!text) throw UsageError("--report KIND is needed");
    if (const ReportKindInfo* named = FindReportKindNamed(*text)) return *named;
    long long number = 0;
    if (ParseInt(*text, number) && number >= 0 && number <= 99)
        if (const ReportKindInfo* kind = FindReportKind(static_cast<int>(number))) return *kind;
    throw UsageError("--report takes " +
                     KindList([](const ReportKindInfo& k) { return std::to_string(k.kind); }) +
                     ", or " +
                     KindList([](const ReportKindInfo& k) { return std::string(k.cliName); }));
}

PageFilter RunOption(const std::string& text) {
    if (text == "all") return PageFilter::kAll;
    if (text == "odd") return PageFilter::kOdd;
    if (text == "even") return PageFilter::kEven;
    throw UsageError("--run takes odd, even or all");
}

std::vector<int> MonthsOption(const std::string& text) {
    std::vector<int> months;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        months.push_back(IntOption(text.substr(start, comma - start), "months", 1, 12));
        if (comma == std::string::npos) return months;
        start = comma + 1;
    }
}

PagesOptions ReadOptions(const Args& args) {
    PagesOptions o;
    o.report = &ReportOption(args);
    if (auto month = args.Value("month"))
        o.month = *month == "ALL" ? 13 : IntOption(*month, "month", 1, 12);
    o.style = args.Value("style");
    o.trace = args.Flag("trace");
    if (auto dpi = args.Value("dpi")) o.dpi = IntOption(*dpi, "dpi", 1, 4800);
    if (auto run = args.Value("run")) o.run = RunOption(*run);
    if (auto months = args.Value("months")) o.months = MonthsOption(*months);
    o.evenFirst = args.Flag("even-first");
    o.pdf = args.Value("pdf");
    if (o.trace && o.run) throw UsageError("--trace and --run exclude each other");
    if (o.trace && o.pdf) throw UsageError("--trace and --pdf exclude each other");
    return o;
}

// --paper, --font, --column and --color change the style choice in one event.
void ApplyStyleOptions(const Args& args, const PrintJob& job, PrintingController& printing) {
    StyleChoice choice = job.panel().choice;
    bool changed = false;
    auto take = [&](const char* name, int& item, int high) {
        if (auto value = args.Value(name)) {
            item = IntOption(*value, name, 0, high);
            changed = true;
        }
    };
    take("paper", choice.paper, static_cast<int>(job.controls().paperItems.size()) - 1);
    take("font", choice.font, 1);
    take("column", choice.column, 1);
    take("color", choice.colour, 3);
    if (changed) printing.ChooseStyle(choice);
    if (auto kokuyo = args.Value("kokuyo"))
        printing.SetKokuyoNegatives(IntOption(*kokuyo, "kokuyo", 0, 1));
}

void CheckMonths(PrintingController& printing, const std::vector<int>& months, int startMonth) {
    if (months.empty()) return;
    for (int item = 0; item < 12; ++item) printing.SetMonthChecked(item, false);
    for (int month : months)
        printing.SetMonthChecked(FiscalPositionOf(startMonth, month) - 1, true);
}

// Every page of the job from page 1: its filled lines, or what drawing it on the printer
// canvas does.
int PrintPages(CliContext& ctx, const PrintJob& job, PrintingController& printing,
               const PagesOptions& o) {
    HeaderImageLoader images;
    for (int n = 1;; ++n) {
        ctx.out << "=== page " << n << '\n';
        if (o.trace) {
            RecordingCanvas canvas(o.dpi);
            const DrawResult drawn = job.DrawPage(
                canvas, images, PrinterDrawContext(job.metrics(), job.panel().zoom), false);
            for (const auto& line : canvas.Lines()) ctx.out << line << '\n';
            if (!drawn.Ok()) return ctx.Fail(drawn.error->what());
        } else {
            for (const auto& line : job.style().Lines()) ctx.out << line << '\n';
        }
        if (job.state().page == 0) return 0;
        printing.NextPage();
    }
}

// Every page of the job from page 1 as one printer document. A page's paper size is set up
// by its load, before the document moves on to it.
int PrintPagesToDocument(CliContext& ctx, const PrintJob& job, PrintingController& printing) {
    PrintDevice& device = *ctx.printer;
    device.BeginDocument();
    for (int n = 1;; ++n) {
        const DrawResult drawn =
            job.DrawPage(device.PageCanvas(), device.PageImages(),
                         PrinterDrawContext(job.metrics(), job.panel().zoom), false);
        if (!drawn.Ok()) {
            device.AbortDocument();
            return ctx.Fail(drawn.error->what());
        }
        if (job.state().page == 0) break;
        printing.NextPage();
        device.NewPage();
    }
    device.EndDocument();
    return 0;
}

int PrintRunSheets(CliContext& ctx, PrintingController& printing) {
    const PrintRunResult run = printing.PrintSheets();
    for (const PrintedSheet& sheet : run.sheets)
        ctx.out << sheet.sheet << '\t' << sheet.month << '\t' << sheet.page << '\t' << sheet.side
                << '\n';
    if (run.error) return ctx.Fail(run.error->what());
    if (run.cancelled) return ctx.Fail("no print style loaded");
    return run.nothingToPrint ? 1 : 0;
}

}  // namespace

int RunPages(CliContext& ctx, const std::vector<std::string>& words) {
    Args args(words,
              {"report", "book", "month", "title", "paper", "font", "column", "color", "kokuyo",
               "drill", "style", "dpi", "run", "months", "pdf"},
              {"all-books", "trace", "even-first"});
    args.ExpectAtMost(1);
    const std::string& file = args.Required(0, "FILE");
    const auto book = args.Value("book");
    const bool allBooks = args.Flag("all-books");
    if (book && allBooks) throw UsageError("--book and --all-books exclude each other");
    const PagesOptions o = ReadOptions(args);

    ctx.printerDpi = o.dpi;
    if (o.pdf) {
        ctx.printer = MakePdfDevice(*o.pdf, o.dpi);
        if (!ctx.printer) return ctx.Fail("this velmora-cli was built without PDF output");
    }
    if (!ctx.OpenLedger(file)) return 1;
    if (o.pdf && RefuseProtectedOutput(ctx.app().session(), *o.pdf)) return 1;
    // The kinds printed from the summary or the graph take the summary's book.
    const ReportView view = o.report->view;
    const bool summaryBook = view != ReportView::kLedger;
    if (!SelectBookOption(ctx, summaryBook ? std::nullopt : book, allBooks)) return 1;
    Application& app = ctx.app();
    if (auto title = args.Value("title")) app.search().FilterByTitle(*title);
    if (!ChooseMonth(ctx, o.month.value_or(ctx.clock->Today().Month()))) return 1;
    if (summaryBook) {
        if (view == ReportView::kGraph)
            app.reports().ShowGraph();
        else
            app.reports().ShowSummaryPage();
        if (!ChooseSummaryOptions(ctx, args)) return 1;
    }

    const PrintJob& job = app.printJob();
    PrintingController& printing = app.printing();
    printing.SetEvenFirst(o.evenFirst);
    app.printing().PrintReport(o.report->kind);
    if (job.state().kind != o.report->kind)
        return ctx.Fail("the view prints as report kind " + std::to_string(job.state().kind) +
                        ", not " + std::to_string(o.report->kind));
    ApplyStyleOptions(args, job, printing);
    if (o.style && !printing.ShowStyle(*o.style)) return ctx.Fail("no such style: " + *o.style);
    if (job.state().stylePath.empty()) return ctx.Fail("no print style loaded");

    if (!o.run)
        return o.pdf ? PrintPagesToDocument(ctx, job, printing) : PrintPages(ctx, job, printing, o);
    CheckMonths(printing, o.months, ctx.session().ledger.startMonth);
    printing.SetPageFilter(*o.run);
    return PrintRunSheets(ctx, printing);
}

}  // namespace velmora::cli
