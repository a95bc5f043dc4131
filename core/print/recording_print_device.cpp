#include "core/print/recording_print_device.h"

#include <sstream>
#include <stdexcept>
#include <utility>

namespace velmora {

RecordingPrintDevice::RecordingPrintDevice(int dpi, int offsetMm, int printers)
    : dpi_(dpi), offsetMm_(offsetMm), printers_(printers) {
    settings_.paperCode = 9;
    settings_.deviceName = "velmora-recording";
}

void RecordingPrintDevice::SetPdfModeLimit(unsigned modeLimit) {
    std::ostringstream octal;
    octal << "pdf-mode " << std::oct << modeLimit;
    calls_.push_back(octal.str());
}

void RecordingPrintDevice::SelectPrinter(int index) {
    current_ = index;
    calls_.push_back("select " + std::to_string(index));
}

void RecordingPrintDevice::SetPaperCode(int code) {
    settings_.paperCode = code;
    calls_.push_back("paper " + std::to_string(code));
}

void RecordingPrintDevice::SetPaperSource(int source) {
    settings_.paperSource = source;
    calls_.push_back("source " + std::to_string(source));
}

void RecordingPrintDevice::SetCopies(int copies) {
    settings_.copies = copies;
    calls_.push_back("copies " + std::to_string(copies));
}

void RecordingPrintDevice::SetOrientation(Orientation orientation) {
    const bool landscape = orientation == Orientation::kLandscape;
    settings_.orientation = landscape ? 1 : 0;
    calls_.push_back(landscape ? "landscape" : "portrait");
}

void RecordingPrintDevice::SelectDefaultPrinter() {
    current_ = 0;
    calls_.push_back("default");
}

std::pair<int, int> RecordingPrintDevice::SheetMm() const {
    std::pair<int, int> size{210, 297};  // A4
    switch (settings_.paperCode) {
        case 8:  // A3
            size = {297, 420};
            break;
        case 11:  // A5
            size = {148, 210};
            break;
        case 12:  // B4
            size = {257, 364};
            break;
        case 13:  // B5
            size = {182, 257};
            break;
        default:
            break;
    }
    if (settings_.orientation != 0) std::swap(size.first, size.second);
    return size;
}

int RecordingPrintDevice::Units(int mm) const {
    // mm / 25.4 * dpi, to the nearest unit.
    return static_cast<int>((static_cast<long long>(mm) * dpi_ * 10 + 127) / 254);
}

void RecordingPrintDevice::BeginDocument() {
    calls_.push_back("begin");
    canvas_ = std::make_unique<RecordingCanvas>(dpi_);
    document_.clear();
}

void RecordingPrintDevice::NewPage() {
    calls_.push_back("newpage");
    PageCanvas();
    document_.push_back(canvas_->Lines());
    canvas_->ClearLines();
}

void RecordingPrintDevice::EndDocument() {
    calls_.push_back("end");
    document_.push_back(canvas_ ? canvas_->Lines() : std::vector<std::string>());
    for (auto& page : document_) pages_.push_back(std::move(page));
    document_.clear();
    canvas_.reset();
}

void RecordingPrintDevice::AbortDocument() {
    calls_.push_back("abort");
    document_.clear();
    canvas_.reset();
}

Canvas& RecordingPrintDevice::PageCanvas() {
    if (!canvas_) throw std::logic_error("no print document is open");
    return *canvas_;
}

}  // namespace velmora
