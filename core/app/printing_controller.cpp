#include "core/app/printing_controller.h"

#include "core/app/application.h"

namespace velmora {

PrintJob& PrintingController::Job() {
    return *app_.printJob_;
}

template <typename Work>
void PrintingController::Run(const Work& work) {
    app_.PrintWork(work);
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

void PrintingController::SetMonthChecked(int item, bool checked) {
    Job().SetMonthChecked(item, checked);
}

void PrintingController::SetEvenFirst(bool evenFirst) {
    Job().SetEvenFirst(evenFirst);
}

void PrintingController::SetOffsets(const PrintOffsets& offsets) {
    Job().SetOffsets(offsets);
}

void PrintingController::SetZoom(int zoom) {
    Job().SetZoom(zoom);
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
