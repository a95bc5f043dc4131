// The print job's page set-up: the header line rewritten from the settings, the printer
// set-up, and drawing the loaded page on the preview or a printer canvas.
#include "core/print/option_file.h"
#include "core/print/print_job.h"
#include "core/printstyle/page_setup.h"
#include "core/printstyle/style_fields.h"
#include "core/util/fields.h"

namespace velmora {
namespace {

constexpr int kHeaderCounterField = 9;  // after "header", the version and seven fields

int HeaderCounter(const StyleList& style) {
    if (style.Empty()) return 0;
    return ReadInt0(FieldNView(style.Line(0), ";", kHeaderCounterField));
}

}  // namespace

std::string PrintJob::CurrentHeaderLine() const {
    PageSetup setup;
    setup.offsets = panel_.offsets;
    setup.paperCode = state_.paperCode;
    setup.orientation = state_.orientation;
    setup.paperSource = state_.paperSource;
    setup.printerIndex = state_.printerIndex;
    return StyleHeaderLine(setup, panel_.zoom, headerCounter_);
}

void PrintJob::TakeTypedOffsets() {
    if (state_.stylePath.empty() || style_.Empty()) return;
    headerCounter_ = HeaderCounter(style_);
    style_.SetLine(0, CurrentHeaderLine());
    RepaintPreview();
}

void PrintJob::RewriteStyleFile() {
    if (state_.stylePath.empty()) return;
    StyleList file = LoadStyleFile(state_.stylePath);
    if (!file.Empty()) {
        // A "Ver1.0" file saved with a "Ver1.1" header must have its text items upgraded as
        // well, or its fields would be read two places off at the next load.
        UpgradeStyleVersion(file);
        headerCounter_ = HeaderCounter(file);
        file.SetLine(0, CurrentHeaderLine());
        WriteTextLines(state_.stylePath, file.Lines(), services_.writer);
    }
    state_.page = 1;
    state_.pageSide = 0;
    state_.documentOpen = false;
    LoadStylePage(state_.stylePath);
}

void PrintJob::ConfirmOffsets() {
    RewriteStyleFile();
}

void PrintJob::TakePrinterChoice(std::optional<int> chosenPrinter) {
    PrintDevice& device = services_.device;
    if (chosenPrinter) {
        state_.printerIndex = *chosenPrinter;
        if (*chosenPrinter >= 0 && *chosenPrinter < device.PrinterCount())
            device.SelectPrinter(*chosenPrinter);
        WriteTextLines(PrinterChoicePath(services_.workingFolder, state_.kind, panel_.choice.paper),
                       {"[PrinterIndex]=" + std::to_string(*chosenPrinter)}, services_.writer);
        const PrinterSettings settings = device.QuerySettings();
        state_.paperCode = PaperListIndex(settings.paperCode);
        state_.paperSource = settings.paperSource;
        state_.orientation = settings.orientation != 0 ? 1 : 0;
        state_.copies = settings.copies;
        metrics_ = MeasurePrinter(device);
        RewriteStyleFile();
    }
    const std::string optionFile = OptionFilePath(services_.workingFolder, state_.kind);
    if (!optionFile.empty())
        WriteOptionFile(optionFile, {panel_.choice, panel_.zoom}, services_.writer);
}

DrawResult PrintJob::DrawPage(Canvas& canvas, ImageLoader& images, const DrawContext& base,
                              bool preview) const {
    const PrintOffsets offsets = preview && !panel_.offsetPreview ? PrintOffsets{} : panel_.offsets;
    DrawContext context = PageDrawContext(
        base, OffsetsInUse(state_.kind, panel_.choice.paper, offsets), state_.pageSide);
    if (preview && panel_.formLines) context.formLines = true;
    return DrawStyle(canvas, style_, context, images);
}

PreviewGeometry PrintJob::previewGeometry() const {
    return ComputePreviewGeometry(metrics_, panel_.zoom);
}

DrawResult PrintJob::PaintPreview(Canvas& canvas, ImageLoader& images) const {
    const PreviewGeometry geometry = previewGeometry();
    canvas.SetBrushStyle(BrushStyle::kSolid);
    canvas.SetBrushColour(kWhite);
    canvas.FillRect(
        {0, 0, geometry.area.right - geometry.area.left, geometry.area.bottom - geometry.area.top});
    return DrawPage(canvas, images,
                    PreviewDrawContext(metrics_.screenDpiX, metrics_.screenDpiY, panel_.zoom),
                    true);
}

}  // namespace velmora
