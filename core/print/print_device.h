#pragma once
// The printer a print job works with: the style engine's Printer (selection, page set-up,
// metrics), what the driver reports of its device settings, and the print document that a
// print run opens, fills page by page and closes. gui/ implements it with QPrinter.
#include <string>

#include "core/printstyle/bitmap.h"
#include "core/printstyle/canvas.h"
#include "core/printstyle/printer.h"

namespace velmora {

// The device settings of the selected printer as its driver reports them.
struct PrinterSettings {
    int paperCode = 0;  // the Windows paper code
    int copies = 1;
    int paperSource = 0;
    int orientation = 0;  // 1 landscape, 0 portrait
    std::string deviceName;
    bool operator==(const PrinterSettings&) const = default;
};

// The entry of the paper list a paper code selects: the Windows paper codes 1..41 stand for
// themselves, any other code for entry 0 ("※用紙リスト").
inline int PaperListIndex(int paperCode) {
    return paperCode >= 1 && paperCode <= 41 ? paperCode : 0;
}

class PrintDevice : public Printer {
public:
    // The system's default printer becomes the selected one.
    virtual void SelectDefaultPrinter() = 0;
    // `printerQuery`: the device settings of the selected printer.
    virtual PrinterSettings QuerySettings() const = 0;

    // The print document: BeginDocument opens it on its first page; NewPage ends a page and
    // starts the next; EndDocument ends the last page and sends the document. AbortDocument
    // drops an open document (a run that failed half way).
    virtual void BeginDocument() = 0;
    virtual void NewPage() = 0;
    virtual void EndDocument() = 0;
    virtual void AbortDocument() = 0;
    // The canvas of the current page, and the image loader that suits it. Valid while the
    // document is open.
    virtual Canvas& PageCanvas() = 0;
    virtual ImageLoader& PageImages() = 0;

    // The printer that writes a PDF file instead of paper ("PDFファイル"); -1 when there is
    // none. Its next document goes to the file last given.
    virtual int PdfPrinterIndex() const { return -1; }
    virtual void SetPdfFile(const std::string& path) { (void)path; }
    // The permission bits the PDF file may have at most (OutputModeLimit of the ledger
    // printed); until given, 0600.
    virtual void SetPdfModeLimit(unsigned modeLimit) { (void)modeLimit; }
};

}  // namespace velmora
