#include "core/app/printing_controller.h"

#include <filesystem>

#include "core/app/application.h"
#include "core/app/command_scope.h"
#include "core/print/report_kind.h"

namespace velmora {

PrintJob& PrintingController::Job() {
    return *app_.printJob_;
}

template <typename Work>
void PrintingController::Run(const Work& work) {
    app_.PrintWork(work);
}

void PrintingController::TurnPreviewPage(bool forward) {
    Run([&] { forward ? Job().NextPage() : Job().PreviousPage(); });
}

void PrintingController::PrintReport(int kind) {
    Run([&] {
        app_.mainPage_ = MainPage::Preview;
        app_.leftPaneShown_ = true;
        app_.editMenuEnabled_ = false;
        Job().PrepareReport(kind);
    });
}

void PrintingController::PrintLedger() {
    PrintReport(kCashLedgerReport);
}

void PrintingController::PrintBookBalances() {
    PrintReport(kBookBalancesReport);
}

void PrintingController::PrintMonthlySummary() {
    PrintReport(kMonthlyTitlesReport);
}

void PrintingController::PrintIncomeExpense() {
    PrintReport(kIncomeExpenseReport);
}

void PrintingController::PrintGraph() {
    PrintReport(kGraphReport);
}

void PrintingController::SetUpPrinter() {
    const std::optional<int> chosen = app_.windows_->ChoosePrinter();
    Run([&] { Job().TakePrinterChoice(chosen); });
}

PrintRunResult PrintingController::Print(const PrintProgress& progress) {
    Dialogs& dialogs = app_.services_.dialogs;
    PrintRunResult result;
    Run([&] {
        // The notice of an earlier PDF goes whatever becomes of this run, even one that
        // fails on the way.
        app_.pdfWritten_.clear();
        // A file that cannot be written throws: until the run ends, it failed.
        app_.pdfFailed_ = Job().PdfPrinterInUse();
        result = Job().PrintOnChosenPrinter(progress);
        NotePdfRun(result);
        if (result.error) dialogs.ShowInfo("確認", result.error->what());
        if (result.stopped)
            dialogs.ShowInfo("確認",
                             Job().PdfPrinterInUse() ? kPdfStoppedMessage : kPrintStoppedMessage);
    });
    return result;
}

PrintRunResult PrintingController::SaveAsPdf(const PrintProgress& progress) {
    Dialogs& dialogs = app_.services_.dialogs;
    PrintRunResult result;
    Run([&] {
        app_.pdfWritten_.clear();
        app_.pdfFailed_ = true;  // a file that cannot be written throws
        result = Job().SaveAsPdf(progress);
        NotePdfRun(result);
        if (result.error) dialogs.ShowInfo("確認", result.error->what());
        if (result.stopped) dialogs.ShowInfo("確認", kPdfStoppedMessage);
    });
    return result;
}

bool PrintingController::PrintCalibration() {
    bool printed = false;
    Run([&] {
        app_.pdfWritten_.clear();
        app_.pdfFailed_ = false;
        printed = Job().PrintCalibration();
    });
    return printed;
}

void PrintingController::NotePdfRun(const PrintRunResult& result) {
    app_.pdfWritten_ = result.pdfFile;
    // Only a run with a file to write can fail to write it: no file chosen, or nothing to
    // print, leaves nothing to say.
    app_.pdfFailed_ =
        app_.pdfFailed_ && result.pdfFile.empty() && !result.noFile && !result.nothingToPrint;
}

std::string PrintingController::PdfWrittenText() const {
    const std::string& written = app_.pdfWritten_;
    if (!written.empty()) return "PDFを保存しました: " + written;
    return app_.pdfFailed_ ? kPdfNotSavedText : std::string();
}

bool PrintingController::PdfWritten() const {
    return !app_.pdfWritten_.empty();
}

void PrintingController::OpenPdfFolder() {
    const std::string& written = app_.pdfWritten_;
    if (!written.empty())
        app_.services_.shell.OpenPath(std::filesystem::path(written).parent_path().string());
}

void PrintingController::ChooseStyle(const StyleChoice& choice) {
    Run([&] { Job().ChooseStyle(choice); });
}

void PrintingController::SetKokuyoNegatives(int item) {
    Run([&] { Job().SetKokuyoNegatives(item); });
}

void PrintingController::SetPageFilter(PageFilter filter) {
    Run([&] { Job().SetPageFilter(filter); });
}

void PrintingController::SetOffsetPreview(bool on) {
    Run([&] { Job().SetOffsetPreview(on); });
}

void PrintingController::SetFormLines(bool on) {
    Run([&] { Job().SetFormLines(on); });
}

void PrintingController::TakeTypedOffsets() {
    Run([&] { Job().TakeTypedOffsets(); });
}

void PrintingController::ConfirmOffsets() {
    Run([&] { Job().ConfirmOffsets(); });
}

// The months ticked, the side printed first and the offsets typed change what the next run
// prints, not the preview: the print page shows them already, and only the state the
// command compares is told.
void PrintingController::SetMonthChecked(int item, bool checked) {
    Application::CommandScope scope(app_);
    Job().SetMonthChecked(item, checked);
}

void PrintingController::SetEvenFirst(bool evenFirst) {
    Application::CommandScope scope(app_);
    Job().SetEvenFirst(evenFirst);
}

void PrintingController::SetOffsets(const PrintOffsets& offsets) {
    Application::CommandScope scope(app_);
    Job().SetOffsets(offsets);
}

void PrintingController::SetZoom(int zoom) {
    Run([&] { Job().SetZoom(zoom); });
}

bool PrintingController::ShowStyle(const std::string& path) {
    bool shown = false;
    Run([&] { shown = Job().ShowStyle(path); });
    return shown;
}

void PrintingController::FirstPage() {
    Run([&] { Job().FirstPage(); });
}

void PrintingController::NextPage() {
    Run([&] { Job().NextPage(); });
}

void PrintingController::PreviousPage() {
    Run([&] { Job().PreviousPage(); });
}

void PrintingController::LastPage() {
    Run([&] { Job().LastPage(); });
}

void PrintingController::GoToPage(int page) {
    Run([&] { Job().GoToPage(page); });
}

void PrintingController::ChoosePreviewTab(int tab) {
    Run([&] { Job().ChoosePreviewTab(tab); });
}

PrintRunResult PrintingController::PrintSheets(const PrintProgress& progress) {
    PrintRunResult result;
    Run([&] { result = Job().Print(progress); });
    return result;
}

}  // namespace velmora
