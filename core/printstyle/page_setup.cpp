#include "core/printstyle/page_setup.h"

#include "core/platform/file_io.h"
#include "core/platform/key_lines.h"
#include "core/printstyle/style_error.h"
#include "core/printstyle/style_fields.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

constexpr std::string_view kOldVersion = "Ver1.0";

bool IsTextItem(std::string_view kind) {
    return kind == "char" || kind == "data";
}

// F1..F7 of an old text line, then F6 and F7 again, then the rest.
std::string WithSecondPoint(std::string line) {
    std::string fields[7];
    for (auto& field : fields) field = TakeField(line);
    std::string out;
    for (const auto& field : fields) out += field + ";";
    return out + fields[5] + ";" + fields[6] + ";" + line;
}

PageSetup ParseHeaderFields(const std::string& header) {
    FieldReader fields(header);
    fields.Skip(2);  // "header" and the version
    PageSetup setup;
    setup.offsets.oddX = fields.Mm();
    setup.offsets.oddY = fields.Mm();
    setup.paperCode = fields.Int();
    setup.orientation = fields.Int0();
    fields.Skip(3);  // "0", zoom, counter
    setup.offsets.evenX = fields.MmOrZero();
    setup.offsets.evenY = fields.MmOrZero();
    setup.paperSource = fields.Int0();
    return setup;
}

}  // namespace

void UpgradeStyleVersion(StyleList& style) {
    std::string version;
    const int end = style.StyleEnd();
    for (int i = 0; i < end; ++i) {
        std::string rest = style.Line(i);
        std::string flag = TakeField(rest);
        if (version == kOldVersion) {
            FieldReader item(rest);
            item.Skip(3);
            if (IsTextItem(item.Text())) style.SetLine(i, WithSecondPoint(style.Line(i)));
        } else if (flag == "header") {
            version = TakeField(rest);
        }
    }
    if (version != kOldVersion) return;
    std::string header = style.Line(0);
    TakeField(header);
    TakeField(header);
    style.SetLine(0, "header;Ver1.1;" + header);
}

PageSetup ReadPageSetup(const StyleList& style) {
    if (style.Empty()) return {};
    try {
        return ParseHeaderFields(style.Line(0));
    } catch (const ConversionError& error) {
        throw StyleError(style.SourcePath(), 1, error.what());
    }
}

std::string PrinterChoicePath(std::string_view workingFolder, int reportKind, int paperIndex) {
    return JoinPath(workingFolder, "config/" + std::to_string(reportKind) + "-" +
                                       std::to_string(paperIndex) + ".conf");
}

int ReadPrinterChoice(const std::string& path) {
    int index = -1;
    if (!FileExists(path)) return index;
    for (const auto& line : ReadTextLines(path)) {
        KeyLine keyLine = SplitKeyLine(line);
        if (keyLine.key == "[PrinterIndex]") index = ReadInt0(keyLine.value);
    }
    return index;
}

PageSetup ApplyStyleHeader(StyleList& style, const std::string& printerChoicePath) {
    UpgradeStyleVersion(style);
    PageSetup setup = ReadPageSetup(style);
    setup.printerIndex = ReadPrinterChoice(printerChoicePath);
    return setup;
}

std::string StyleHeaderLine(const PageSetup& setup, int zoom, int counter) {
    const std::string fields[] = {
        setup.offsets.oddX.PlainText(),
        setup.offsets.oddY.PlainText(),
        std::to_string(setup.paperCode),
        std::to_string(setup.orientation),
        "0",
        std::to_string(zoom),
        std::to_string(counter),
        setup.offsets.evenX.PlainText(),
        setup.offsets.evenY.PlainText(),
        std::to_string(setup.paperSource),
        std::to_string(setup.printerIndex),
        "",
    };
    std::string line = "header;Ver1.1;";
    for (const auto& field : fields) line += field + ";";
    return line;
}

}  // namespace velmora
