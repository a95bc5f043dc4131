#include "core/print/style_choice.h"

#include "core/print/report_kind.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

int ItemOr0(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : 0;
}

std::string FontPart(int font) {
    return ItemOr0(font, kFontItems.size()) == 0 ? "_ゴシック" : "_明朝";
}

std::string ColourPart(int colour) {
    static constexpr std::array<std::string_view, 4> kParts{"G", "B", "P", ""};
    return std::string(kParts[static_cast<std::size_t>(ItemOr0(colour, kParts.size()))]);
}

std::string ColumnPart(const ReportKindInfo& report, int column) {
    if (report.oneTitle) return "_科目指定";
    return ItemOr0(column, kColumnItems.size()) == 0 ? "_月分1" : "_月分2";
}

}  // namespace

std::string StyleFileName(int kind, const StyleChoice& choice) {
    const ReportKindInfo* info = FindReportKind(kind);
    if (info == nullptr) return {};
    const int paper = ItemOr0(choice.paper, info->styleNames.size());
    std::string name(info->styleNames[static_cast<std::size_t>(paper)]);
    switch (info->family) {
        case ReportFamily::kLedger:
            // The KOKUYO forms take no parts.
            if (paper == 0)
                name += ColumnPart(*info, choice.column) + FontPart(choice.font) +
                        ColourPart(choice.colour);
            break;
        case ReportFamily::kSummary:
            name += FontPart(choice.font) + ColourPart(choice.colour);
            break;
        case ReportFamily::kFixed:
            break;
    }
    return name + std::string(info->extension);
}

std::string StyleFilePath(std::string_view workingFolder, int kind, const StyleChoice& choice) {
    if (FindReportKind(kind) == nullptr) return {};
    return JoinPath(workingFolder, "style/" + StyleFileName(kind, choice));
}

}  // namespace velmora
