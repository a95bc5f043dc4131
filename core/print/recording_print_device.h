#pragma once
// A print device without a printer: it keeps the page set-up it is given, reports the
// metrics of a sheet of that paper at a fixed resolution, and records every page of a
// print document on a RecordingCanvas. velmora-cli, the tests and the benchmarks print on
// it.
#include <memory>
#include <string>
#include <vector>

#include "core/print/print_device.h"
#include "core/printstyle/image_headers.h"
#include "core/printstyle/recording_canvas.h"

namespace velmora {

class RecordingPrintDevice final : public PrintDevice {
public:
    // A printer of dpi dots per inch whose printable area starts offsetMm from the paper's
    // top-left corner (and ends as far from the other edges).
    explicit RecordingPrintDevice(int dpi = 600, int offsetMm = 0, int printers = 1);

    // Set-up and document calls in order: "select N", "default", "paper N", "source N",
    // "copies N", "portrait"/"landscape", "begin", "newpage", "end", "abort".
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // The recorded pages of every document that was ended, in order.
    const std::vector<std::vector<std::string>>& Pages() const { return pages_; }
    // What the driver reports; the set-up calls change it.
    PrinterSettings& Settings() { return settings_; }
    // Makes printer index the PDF printer; SetPdfFile then records "pdf PATH", and
    // SetPdfModeLimit "pdf-mode" and the permission bits in octal ("pdf-mode 600").
    void SetPdfPrinter(int index) { pdfIndex_ = index; }
    int PdfPrinterIndex() const override { return pdfIndex_; }
    void SetPdfFile(const std::string& path) override { calls_.push_back("pdf " + path); }
    void SetPdfModeLimit(unsigned modeLimit) override;

    int PrinterCount() const override { return printers_; }
    int CurrentIndex() const override { return printers_ > 0 ? current_ : -1; }
    void SelectPrinter(int index) override;
    void SetPaperCode(int code) override;
    void SetPaperSource(int source) override;
    void SetCopies(int copies) override;
    void SetOrientation(Orientation orientation) override;

    int DpiX() const override { return dpi_; }
    int DpiY() const override { return dpi_; }
    int PhysicalOffsetX() const override { return Units(offsetMm_); }
    int PhysicalOffsetY() const override { return Units(offsetMm_); }
    int PhysicalWidth() const override { return Units(SheetMm().first); }
    int PhysicalHeight() const override { return Units(SheetMm().second); }
    int PageWidth() const override { return Units(SheetMm().first - 2 * offsetMm_); }
    int PageHeight() const override { return Units(SheetMm().second - 2 * offsetMm_); }
    int ScreenDpiX() const override { return 96; }
    int ScreenDpiY() const override { return 96; }

    void SelectDefaultPrinter() override;
    PrinterSettings QuerySettings() const override { return settings_; }
    void BeginDocument() override;
    void NewPage() override;
    void EndDocument() override;
    void AbortDocument() override;
    Canvas& PageCanvas() override;
    ImageLoader& PageImages() override { return images_; }

private:
    // Width and height in mm of the sheet of the current paper code and orientation
    // (A4 for codes without a size here).
    std::pair<int, int> SheetMm() const;
    int Units(int mm) const;

    int dpi_;
    int offsetMm_;
    int printers_;
    int current_ = 0;
    int pdfIndex_ = -1;
    PrinterSettings settings_;
    std::vector<std::string> calls_;
    std::unique_ptr<RecordingCanvas> canvas_;
    std::vector<std::vector<std::string>> document_;
    std::vector<std::vector<std::string>> pages_;
    HeaderImageLoader images_;
};

}  // namespace velmora
