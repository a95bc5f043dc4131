#include "qtprint/qt_print_device.h"

#include <QDir>
#include <QPrinterInfo>
#include <stdexcept>

#include "core/util/errors.h"
#include "qtprint/paper_sizes.h"

namespace velmora::gui {
namespace {

QStringList InstalledPrinters() {
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.sort();
    return names;
}

bool EndsLikeAWholePdf(const std::string& bytes) {
    const std::size_t end = bytes.find_last_not_of(" \r\n");
    return end != std::string::npos && end >= 4 && bytes.compare(end - 4, 5, "%%EOF") == 0;
}

}  // namespace

QtPrintDevice::QtPrintDevice(std::optional<QStringList> printerNames, int pdfDpi,
                             FileWriter& writer)
    : names_(printerNames ? *printerNames : InstalledPrinters()), pdfDpi_(pdfDpi), writer_(writer) {
    names_.removeAll(QString::fromUtf8(kPdfPrinterName));
    names_.append(QString::fromUtf8(kPdfPrinterName));
    current_ = PdfIndex();
    ConfigurePrinter();
}

QtPrintDevice::~QtPrintDevice() {
    if (painter_.isActive()) AbortDocument();
}

int QtPrintDevice::IndexOfPrinterName(const QString& name) const {
    const int index = static_cast<int>(names_.indexOf(name));
    return index >= 0 ? index : PdfIndex();
}

void QtPrintDevice::AdoptDialogChoice() {
    const bool pdf = printer_->outputFormat() == QPrinter::PdfFormat;
    current_ = pdf ? PdfIndex() : IndexOfPrinterName(printer_->printerName());
    copies_ = printer_->copyCount();
    orientation_ = printer_->pageLayout().orientation() == QPageLayout::Landscape
                       ? Orientation::kLandscape
                       : Orientation::kPortrait;
    if (const int code = PaperCodeOfPageSize(printer_->pageLayout().pageSize().id()))
        paperCode_ = code;
    ConfigurePrinter();
}

void QtPrintDevice::ConfigurePrinter() {
    if (IsPdfSelected()) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(pdfDpi_);
        printer_->setFullPage(true);
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(names_[current_]);
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setFullPage(false);
    }
    printer_->setDocName(QStringLiteral("Velmora"));
    const auto size = PageSizeOfPaperCode(paperCode_);
    printer_->setPageSize(QPageSize(size.value_or(QPageSize::A4)));
    printer_->setPageOrientation(orientation_ == Orientation::kLandscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer_->setCopyCount(copies_);
}

void QtPrintDevice::SelectPrinter(int index) {
    if (index < 0 || index >= PrinterCount() || index == current_) return;
    current_ = index;
    ConfigurePrinter();
}

void QtPrintDevice::SelectDefaultPrinter() {
    const QString name = QPrinterInfo::defaultPrinterName();
    const int index = name.isEmpty() ? PdfIndex() : IndexOfPrinterName(name);
    if (index == current_) return;
    current_ = index;
    ConfigurePrinter();
}

// The set-up calls change only what differs, so that the pages of an open document (whose
// page set-up the job applies again page by page) leave the printer alone: Qt refuses, with a
// warning, to change a printer that is printing.
void QtPrintDevice::SetPaperCode(int code) {
    if (code == paperCode_) return;
    paperCode_ = code;
    const auto size = PageSizeOfPaperCode(code);
    printer_->setPageSize(QPageSize(size.value_or(QPageSize::A4)));
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void QtPrintDevice::SetPaperSource(int source) {
    // Paper bins are the driver's own codes; Qt has no way to hand one over, so the code is
    // kept for the settings the printer reports back.
    paperSource_ = source;
}

void QtPrintDevice::SetCopies(int copies) {
    if (copies == copies_) return;
    copies_ = copies;
    printer_->setCopyCount(copies);
}

void QtPrintDevice::SetOrientation(Orientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    printer_->setPageOrientation(orientation == Orientation::kLandscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
}

QRect QtPrintDevice::PaperPixels() const {
    return printer_->paperRect(QPrinter::DevicePixel).toRect();
}

QRect QtPrintDevice::PagePixels() const {
    return printer_->pageRect(QPrinter::DevicePixel).toRect();
}

int QtPrintDevice::DpiX() const {
    return printer_->resolution();
}

int QtPrintDevice::DpiY() const {
    return printer_->resolution();
}

int QtPrintDevice::PhysicalOffsetX() const {
    return PagePixels().left() - PaperPixels().left();
}

int QtPrintDevice::PhysicalOffsetY() const {
    return PagePixels().top() - PaperPixels().top();
}

int QtPrintDevice::PhysicalWidth() const {
    return PaperPixels().width();
}

int QtPrintDevice::PhysicalHeight() const {
    return PaperPixels().height();
}

int QtPrintDevice::PageWidth() const {
    return PagePixels().width();
}

int QtPrintDevice::PageHeight() const {
    return PagePixels().height();
}

PrinterSettings QtPrintDevice::QuerySettings() const {
    PrinterSettings s;
    s.paperCode = PaperCodeOfPageSize(printer_->pageLayout().pageSize().id());
    s.copies = copies_;
    s.paperSource = paperSource_;
    s.orientation = orientation_ == Orientation::kLandscape ? 1 : 0;
    s.deviceName = names_[current_].toStdString();
    return s;
}

void QtPrintDevice::BeginDocument() {
    if (painter_.isActive()) throw std::logic_error("a print document is already open");
    if (IsPdfSelected()) {
        if (pdfFile_.empty()) throw std::runtime_error("no PDF file was chosen");
        // A folder of its own (0700, a new name): nothing can be planted in its place.
        pdfDrawing_ = std::make_unique<QTemporaryDir>();
        if (!pdfDrawing_->isValid())
            throw std::runtime_error("the PDF file could not be written: " + pdfFile_);
        printer_->setOutputFileName(pdfDrawing_->filePath(QStringLiteral("document.pdf")));
    }
    if (!painter_.begin(printer_.get()))
        throw std::runtime_error("the printer did not start the document");
    canvas_ = std::make_unique<QtCanvas>(painter_, printer_->resolution(), true);
}

void QtPrintDevice::NewPage() {
    PageCanvas();
    printer_->newPage();
}

void QtPrintDevice::EndDocument() {
    PageCanvas();
    painter_.end();
    canvas_.reset();
    if (!IsPdfSelected() || !pdfDrawing_) return;
    const std::unique_ptr<QTemporaryDir> drawn = std::move(pdfDrawing_);
    const std::string bytes =
        ReadFileBytes(drawn->filePath(QStringLiteral("document.pdf")).toStdString());
    // Qt's PDF writer does not report a failed write: a temporary folder that filled up leaves
    // a document cut short, which must not replace the file chosen. A whole one ends in %%EOF.
    if (!EndsLikeAWholePdf(bytes))
        throw FileError("ファイルに書き込めません: " + pdfFile_ + " (一時フォルダー " +
                        QDir::tempPath().toStdString() + " に書き込めませんでした)");
    writer_.WriteOutput(pdfFile_, bytes, pdfModeLimit_);
}

void QtPrintDevice::AbortDocument() {
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
    canvas_.reset();
    pdfDrawing_.reset();
}

Canvas& QtPrintDevice::PageCanvas() {
    if (!canvas_) throw std::logic_error("no print document is open");
    return *canvas_;
}

}  // namespace velmora::gui
