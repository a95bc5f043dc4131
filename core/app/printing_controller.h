#pragma once

// The print page's and the preview's options as commands: the one way a window or the
// command line changes the print job. Each change runs as a command of the application,
// which tells its listeners once when it is complete; a failure of the job (a style or
// print data that cannot be read) is said, not thrown.

#include <string>

#include "core/app/app_controller.h"
#include "core/print/print_job.h"

namespace velmora {

// The status bar after a run that had a PDF file to write and did not write it.
inline constexpr const char* kPdfNotSavedText = "PDFは保存されていません";

class PrintingController : public AppController {
public:
    using AppController::AppController;

    // The print commands: the preview of a report kind (PrintJob::PrepareReport), for a
    // ledger or summary kind the one of its family, which prints the variant shown; every
    // print command shows the preview with the print settings beside it.
    void PrintReport(int kind);
    void PrintLedger();
    void PrintBookBalances();
    void PrintMonthlySummary();
    void PrintIncomeExpense();
    void PrintGraph();
    // "プリンター設定" (and the picture of the "その他" page): the printer set-up window,
    // then the job takes its choice.
    void SetUpPrinter();
    // "印刷実行", "PDFに保存…" and "位置合わせ用紙を印刷" of the print page. The progress
    // callback hears of every drawn sheet and may stop the run.
    PrintRunResult Print(const PrintProgress& progress = {});
    PrintRunResult SaveAsPdf(const PrintProgress& progress = {});
    // True when the calibration sheet was printed (false: no PDF file chosen, or a message
    // said why).
    bool PrintCalibration();
    // After a run that wrote a PDF: "PDFを保存しました: PATH" for the status bar; after one
    // that had a PDF file to write and did not (it could not be written, a style was gone, the
    // run was stopped), kPdfNotSavedText; empty before one. "フォルダーを開く" opens the folder
    // a PDF went to.
    std::string PdfWrittenText() const;
    bool PdfWritten() const;
    void OpenPdfFolder();
    // PgUp and PgDn while the preview is shown: the page before or after.
    void TurnPreviewPage(bool forward);

    // The print page.
    void ChooseStyle(const StyleChoice& choice);  // paper, font, column or colour
    // "コクヨ用紙科目検索時オプション": 0 whole numbers, 1 minus signs.
    void SetKokuyoNegatives(int item);
    void SetPageFilter(PageFilter filter);
    void SetOffsetPreview(bool on);
    // "用紙の罫線を表示": the KOKUYO form's own lines in the preview, never on paper or in a PDF.
    void SetFormLines(bool on);
    // Enter in the first offset box: the loaded style's header line takes the offsets.
    void TakeTypedOffsets();
    void ConfirmOffsets();
    // The months ticked, "偶数から開始", the offsets typed and the preview's zoom: kept by the
    // job for the next run or the next drawing. The window that changed them shows them
    // already, so they are told to no listener.
    void SetMonthChecked(int item, bool checked);
    void SetEvenFirst(bool evenFirst);
    void SetOffsets(const PrintOffsets& offsets);
    void SetZoom(int zoom);
    // A style file of the working folder by its path; false when it cannot be shown.
    bool ShowStyle(const std::string& path);

    // The preview's pages and month tabs.
    void FirstPage();
    void NextPage();
    void PreviousPage();
    void LastPage();
    void GoToPage(int page);
    void ChoosePreviewTab(int tab);

    // The sheets of the checked months to the printer in use, as they are (no PDF file is
    // asked for).
    PrintRunResult PrintSheets(const PrintProgress& progress = {});

private:
    PrintJob& Job();
    // What the status bar says of the run that ended with result.
    void NotePdfRun(const PrintRunResult& result);
    template <typename Work>
    void Run(const Work& work);
};

}  // namespace velmora
