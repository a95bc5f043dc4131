#pragma once
// The print job of the main window's print page: the report kind a print command fixed,
// the style loaded for the current page, the options of the print settings panel, which
// of its controls are usable, and the operations of its buttons — page stepping, month
// change, print offsets, printer set-up, preview painting and the print run.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/print/page_draw.h"
#include "core/print/print_device.h"
#include "core/print/print_sources.h"
#include "core/print/style_choice.h"
#include "core/printstyle/draw_style.h"
#include "core/printstyle/print_offsets.h"
#include "core/printstyle/printer_setup.h"
#include "core/printstyle/style_list.h"

namespace velmora {

struct ReportKindInfo;

// `PanelRadioGroup1` ("印　刷"): which sheets of a print run reach the printer.
enum class PageFilter { kAll = 0, kOdd = 1, kEven = 2 };
inline constexpr std::array<std::string_view, 3> kPageFilterItems{"全てのページ", "奇数ページのみ",
                                                                  "偶数ページのみ"};
inline constexpr std::array<std::string_view, 2> kKokuyoNegativeItems{"整数での表示",
                                                                      "マイナスでの表示"};

// The values of the print settings panel.
struct PrintPanel {
    StyleChoice choice;
    // KOKUYO forms under a title search: 0 negative balances as whole numbers, 1 with minus signs.
    int kokuyoNegatives = 1;
    PageFilter filter = PageFilter::kAll;
    std::array<bool, 12> months{};  // `month_select`, in fiscal order
    bool evenFirst = false;         // `CheckBox2` "偶数から開始"
    PrintOffsets offsets;           // `ofx1box`, `ofy1box`, `ofx2box`, `ofy2box` (mm)
    bool offsetPreview = false;     // `CheckBox1` "オフセットをプレビュ－で確認"
    bool formLines = false;  // "用紙の罫線を表示": the preview shows the form's lines
    int zoom = 100;          // `TrackBar1`, percent
};

// What the print page shows and which controls it offers, as the job leaves them.
struct PrintControls {
    std::vector<std::string> paperItems;   // `paper_sel`
    std::vector<std::string> previewTabs;  // `TabControl2`
    int previewTab = 0;
    std::array<std::string, 12> monthItems;  // `month_select` captions: month numbers
    bool editMenuEnabled = true;             // "編集＆検索(&E)"
    bool sidePanelShown = false;
    bool monthSelectEnabled = true;
    bool pageFilterEnabled = true;
    bool colourEnabled = true;  // `Color_Sel` with its group
    bool fontEnabled = true;
    bool columnEnabled = true;
    bool kokuyoNegativesEnabled = true;
    bool evenOffsetsShown = false;  // the even-page label, boxes and up-downs, `CheckBox2`
    bool formLinesShown = false;    // "用紙の罫線を表示": a KOKUYO form is chosen
    std::string oddOffsetCaption = "全体位置調整";
    bool pageButtonsShown = true;  // the page buttons, the page box and the page label
    int pageShown = 1;             // the number of the page the preview shows, from 1
    int pageCount = 1;             // how many pages the month (or the report) has
    int jobNumber = 0;             // counts the print commands: a new job opens at its top
    std::string previewCaption;    // `Label5`: what the job prints
    std::string stylePathShown;    // panel 1 of the print status bar
    std::string printingCaption;   // `Panel9`
    bool sheetShown = true;        // `ScrollBox1`
};

struct PrintJobState {
    int kind = 0;  // the report kind; 0 before the first print command
    std::string stylePath;
    int page = 1;      // from 1; 0 once the last page was loaded
    int pageSide = 0;  // 0 odd page, 1 even page
    bool documentOpen = false;
    int monthToPrint = 1;  // 1..12, 13 all months
    int copies = 1;
    int printerIndex = -1;  // -1 the default printer
    int paperSource = 0;
    int paperCode = 0;  // index of the paper list: a Windows paper code 1..41, else 0
    int orientation = 0;
};

// One sheet sent to the printer by a print run.
struct PrintedSheet {
    int sheet = 0;  // the sheet counter of the whole job, from 1
    int month = 0;  // the month printed (13 all months); 0 for reports without months
    int page = 0;   // the page within that month
    int side = 0;   // 0 odd-page offsets, 1 even-page offsets
    bool operator==(const PrintedSheet&) const = default;
};

struct PrintRunResult {
    std::vector<PrintedSheet> sheets;
    bool nothingToPrint = false;      // the even-page message was shown
    std::optional<StyleError> error;  // drawing stopped; the document was dropped
    bool cancelled = false;           // no style could be loaded for a page
    bool stopped = false;             // the progress callback stopped it; the document was dropped
    bool noFile = false;              // no PDF file was chosen; nothing was printed
    std::string pdfFile;              // the PDF written whole by the run
};

// Told as a print run begins (none drawn, once the file is chosen and the pages are counted)
// and after each sheet has been drawn: the sheets drawn so far and how many the run prints.
// Returning false stops the run there and drops the document, so the printer gets nothing
// of it.
using PrintProgress = std::function<bool(int drawn, int total)>;

inline constexpr const char* kEvenPagesHeading = "確認";
inline constexpr const char* kEvenPagesMessage =
    "偶数ページには印刷ページはありません。\r\n印　刷(現金出納帳)設定で全てのページに"
    "チェックを入れてください。";
inline constexpr const char* kPrintingCaption = "印　刷　中・・・";
// What a run stopped with Cancel leaves: the document was dropped.
inline constexpr const char* kPrintStoppedMessage =
    "印刷を中止しました。プリンターには何も送られていません。";
inline constexpr const char* kPdfStoppedMessage =
    "PDFへの保存を中止しました。ファイルは書き込まれていません。";

// The progress of a print run as its dialog shows it: "印刷中 3 / 12 ページ".
std::string PrintProgressText(int drawn, int total);

// Told when the preview must be painted again.
class PrintJobListener {
public:
    virtual ~PrintJobListener() = default;
    virtual void RepaintPreview() {}
};

struct PrintServices {
    PrintDevice& device;
    Dialogs& dialogs;
    FileWriter& writer;
    std::string workingFolder;
    std::string programFolder;
};

class PrintJob {
public:
    PrintJob(PrintServices services, PrintSources& sources);

    const PrintJobState& state() const { return state_; }
    const PrintPanel& panel() const { return panel_; }
    const PrintControls& controls() const { return controls_; }
    const StyleList& style() const { return style_; }
    const PrinterMetrics& metrics() const { return metrics_; }
    void SetListener(PrintJobListener* listener) { listener_ = listener; }

    // The print command that prints kind: the one of a ledger kind prints the book shown
    // ("出納帳印刷"), the one of a summary kind the drill level shown ("月別一覧表"), and the
    // others kind itself. The kind the job then prints is state().kind.
    void PrepareReport(int kind);
    // Print commands. Each fixes the report kind, writes the print data where the kind has
    // them and sets the job up (SetUpKind).
    void PrepareLedger();          // "出納帳印刷": 2, 3, 7, 8, 9 or 10
    void PrepareMonthlySummary();  // "月別一覧表": 5, or 6 on the description level
    void PrepareIncomeExpense();   // 20
    void PrepareBookBalances();    // 30
    void PrepareGraph();           // 40
    void SetUpKind(int kind);

    // Option events; ignored before the first print command.
    void ChooseStyle(const StyleChoice& choice);  // paper, font, column or colour
    void SetKokuyoNegatives(int item);
    void SetPageFilter(PageFilter filter);
    // Controls that only change the state (read by the next load, draw or run).
    void SetMonthChecked(int item, bool checked);
    // Another ledger: no month is ticked until a print command ticks the one shown.
    void ForgetPrintMonths() { panel_.months = {}; }
    void SetEvenFirst(bool evenFirst) { panel_.evenFirst = evenFirst; }
    void SetOffsets(const PrintOffsets& offsets) { panel_.offsets = offsets; }
    void SetOffsetPreview(bool on);
    // "用紙の罫線を表示": the preview draws the printed lines of a KOKUYO form, so that the
    // alignment can be judged on screen; printing and PDFs never do.
    void SetFormLines(bool on);
    void SetZoom(int zoom);

    // The complete load of one page of the style at path (an empty or missing path asks
    // for a style file): page side, load, page filler, page set-up, printer set-up unless a
    // run is under way, repaint. False when no file was chosen (nothing changed).
    // Throws StyleError when the header line does not convert, FileError / EncodingError
    // when the style or the print data cannot be read.
    bool LoadStylePage(const std::string& path);
    // Page 1 of another style file (a style chosen by hand); false when none was loaded.
    bool ShowStyle(const std::string& path);
    void FirstPage();     // "←"
    void NextPage();      // "→": after the last page, page 1 again
    void PreviousPage();  // the page before; on page 1 it stays
    void LastPage();
    // Page n of the month shown (kept within 1 and the page count), on its side of the sheet.
    void GoToPage(int page);
    // A month tab of the preview (0..11): the ledger view moves there, then ReloadMonth.
    void ChoosePreviewTab(int tab);
    void ReloadMonth(int month);

    // Enter in `ofx1box`: the header line of the loaded style takes the offsets, in memory.
    void TakeTypedOffsets();
    // "確　定": the style file's header line is rewritten from the settings and saved.
    void ConfirmOffsets();
    // The printer set-up dialog's result: the chosen printer index, or nullopt when it was
    // cancelled. The option file is written either way.
    void TakePrinterChoice(std::optional<int> chosenPrinter);

    // The loaded page on a canvas; preview leaves the offsets out unless `CheckBox1` is on.
    [[nodiscard]] DrawResult DrawPage(Canvas& canvas, ImageLoader& images, const DrawContext& base,
                                      bool preview) const;
    PreviewGeometry previewGeometry() const;
    // The printable area filled white, then the page at the preview resolution.
    [[nodiscard]] DrawResult PaintPreview(Canvas& canvas, ImageLoader& images) const;

    // "印刷実行".
    PrintRunResult Print(const PrintProgress& progress = {});
    // "印刷実行" on the printer in use: on the PDF printer the file is asked for first.
    PrintRunResult PrintOnChosenPrinter(const PrintProgress& progress = {});
    // "PDFに保存…": the file asked for, then the sheets Print sends to the printer in use
    // written by the PDF printer instead; the printer in use stays chosen.
    PrintRunResult SaveAsPdf(const PrintProgress& progress = {});
    // The sheets of Print written by the PDF printer to path.
    PrintRunResult PrintToPdf(const std::string& path, const PrintProgress& progress = {});
    bool PdfPrinterInUse() const;
    // "位置合わせ用紙を印刷": one sheet with the millimetre grid of the printable area from
    // the odd-page offsets (those of the first printed sheet), on the printer in use.
    void PrintCalibration();

private:
    // The row of the job's kind; nullptr before the first print command.
    const ReportKindInfo* Report() const;
    void SelectStyle();
    void SelectLedgerStyle();
    void ShowOffsetControls(bool kokuyo);
    // Fills the loaded style for the page; what it must tell goes to dialogs.
    void FillPage(Dialogs& dialogs);
    void ApplyHeader();
    void ApplyPrinterSetup();
    std::optional<std::string> AskPdfFile(const std::string& fileName);
    // What the PDF holds: "現金出納帳_2024年04月.pdf", "月別一覧表_2024年度.pdf".
    std::string PdfFileName() const;
    void ShowEmptyStyle();
    void SetUpMonthList();
    void WriteLedgerPrintData(const LedgerListing& listing);
    void WritePrintDataFile(std::vector<std::string> lines);
    const std::vector<std::string>& PrintDataLines();
    std::string CurrentHeaderLine() const;
    void RewriteStyleFile();
    FileDialogRequest StyleDialogRequest();
    void RepaintPreview() const;
    // The pages of the month shown, counted by filling copies of the style at path page by
    // page; the loaded page and the page number stay as they were.
    int CountPages(const std::string& path);

    // The print run's walks over the pages of the job: visit is called after each page is
    // loaded with the month (13 all months, 0 none) and the page within it, and returns
    // false to stop the walk.
    enum class WalkEnd { kDone, kStopped, kNotLoaded };
    using PageVisit = std::function<bool(int month, int page)>;
    WalkEnd WalkJobMonths(const PageVisit& visit);
    WalkEnd WalkPages(int month, const PageVisit& visit);
    PrintRunResult RunMonthWalk(const PrintProgress& progress);
    // Every page of the job; its sheets are labelled with month (0 for none).
    PrintRunResult RunPageLoop(int month, const PrintProgress& progress);
    PrintRunResult RunLoadedPage(const PrintProgress& progress);
    // After a drawn sheet: false (the document dropped) when the progress callback stops.
    bool GoOn(const PrintProgress& progress, int drawn, int total, PrintRunResult& result);
    // Draws the loaded page as the sheet-th sheet of the run, opening the document first.
    std::optional<StyleError> PrintSheet(int sheet);
    // Ends the printed sheet: the document on the last one, else a new page.
    void FinishSheet(bool last);
    void DropDocument();

    PrintServices services_;
    PrintSources& sources_;
    PrintJobListener* listener_ = nullptr;
    PrintJobState state_;
    PrintPanel panel_;
    PrintControls controls_;
    StyleList style_;
    PrinterMetrics metrics_;
    bool optionEventsHonoured_ = false;
    FileDialogRequest styleDialog_;
    int headerCounter_ = 0;       // field 7 of the header line, carried through
    bool documentBegun_ = false;  // the printer document of a run is open
    bool pdfRun_ = false;         // a run goes to the PDF printer, whatever the style names
    std::string offsetsOf_;       // the style whose header gave the offset boxes their values
    int walks_ = 0;               // page walks under way: their loads are not counted
    // The lines this job last wrote to the print data file: every page of the job reads
    // them, and only the print commands and month changes of the job write the file.
    std::optional<std::vector<std::string>> printData_;
};

}  // namespace velmora
