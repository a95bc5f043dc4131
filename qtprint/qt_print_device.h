#pragma once
// The print device over Qt's printers: the installed printers (CUPS) by name, and
// "PDFファイル" after them, so that every printout can be made on a machine without a
// printer. Page set-up goes to the QPrinter of the selected printer; the metrics are the
// driver's, and for the PDF printer the printable area is the whole sheet.
//
// A PDF document is drawn into a file of a private temporary folder and, when the document
// ends, written to the chosen file as every output is written (FileWriter: a temporary file
// of its own beside it, renamed when whole, the old file's mode kept); a dropped document
// leaves no file.
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>

#include "core/platform/file_io.h"
#include "core/print/print_device.h"
#include "qtprint/qt_canvas.h"

namespace velmora::gui {

inline constexpr const char* kPdfPrinterName = "PDFファイル";

class QtPrintDevice final : public PrintDevice {
public:
    // printerNames: the installed printers; nullopt asks Qt for them. pdfDpi: the
    // resolution of the PDF printer.
    explicit QtPrintDevice(std::optional<QStringList> printerNames = std::nullopt, int pdfDpi = 600,
                           FileWriter& writer = DefaultFileWriter());
    ~QtPrintDevice() override;

    // The names in index order, "PDFファイル" last.
    const QStringList& PrinterNames() const { return names_; }
    bool IsPdfSelected() const { return current_ == PdfIndex(); }
    int PdfIndex() const { return static_cast<int>(names_.size()) - 1; }
    // The file the PDF printer writes the next document to.
    void SetPdfFile(const std::string& path) override { pdfFile_ = path; }
    void SetPdfModeLimit(unsigned modeLimit) override { pdfModeLimit_ = modeLimit; }
    int PdfPrinterIndex() const override { return PdfIndex(); }
    const std::string& PdfFile() const { return pdfFile_; }
    // Where a document goes to: the PDF file, or the selected printer.
    QPrinter& QtPrinter() { return *printer_; }
    // After QPrintDialog changed the printer: the index of the printer it names.
    int IndexOfPrinterName(const QString& name) const;
    // Takes up the settings a print dialog left on QtPrinter(): the printer it names.
    void AdoptDialogChoice();

    int PrinterCount() const override { return static_cast<int>(names_.size()); }
    int CurrentIndex() const override { return current_; }
    void SelectPrinter(int index) override;
    void SetPaperCode(int code) override;
    void SetPaperSource(int source) override;
    void SetCopies(int copies) override;
    void SetOrientation(Orientation orientation) override;

    int DpiX() const override;
    int DpiY() const override;
    int PhysicalOffsetX() const override;
    int PhysicalOffsetY() const override;
    int PhysicalWidth() const override;
    int PhysicalHeight() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    int ScreenDpiX() const override { return screenDpiX_; }
    int ScreenDpiY() const override { return screenDpiY_; }
    void SetScreenDpi(int x, int y) {
        screenDpiX_ = x;
        screenDpiY_ = y;
    }

    void SelectDefaultPrinter() override;
    PrinterSettings QuerySettings() const override;
    void BeginDocument() override;
    void NewPage() override;
    void EndDocument() override;
    void AbortDocument() override;
    Canvas& PageCanvas() override;
    ImageLoader& PageImages() override { return images_; }

private:
    void ConfigurePrinter();
    QRect PaperPixels() const;
    QRect PagePixels() const;

    QStringList names_;
    int pdfDpi_;
    int current_ = 0;
    int paperCode_ = 9;
    int paperSource_ = 0;
    int copies_ = 1;
    Orientation orientation_ = Orientation::kPortrait;
    int screenDpiX_ = 96;
    int screenDpiY_ = 96;
    FileWriter& writer_;
    std::string pdfFile_;
    unsigned pdfModeLimit_ = kPrivateFileMode;
    std::unique_ptr<QTemporaryDir> pdfDrawing_;  // the document being drawn
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
    QtImageLoader images_;
};

}  // namespace velmora::gui
