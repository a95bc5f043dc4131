#include "core/print/option_file.h"

#include <algorithm>

#include "core/platform/file_io.h"
#include "core/platform/key_lines.h"
#include "core/platform/start_files.h"
#include "core/print/report_kind.h"
#include "core/util/fields.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

constexpr std::string_view kPaperKey = "[Paper_Sel]";
constexpr std::string_view kFontKey = "[Font_Sel]";
constexpr std::string_view kColumnKey = "[Kamoku_Sel]";
constexpr std::string_view kColourKey = "[Color_Sel]";
constexpr std::string_view kZoomKey = "[TrackBar1]";

int ItemIndex(std::string_view value, int count) {
    const long long index = IntOr(value, 0);
    return index >= 0 && index < count ? static_cast<int>(index) : 0;
}

}  // namespace

std::string OptionFilePath(std::string_view workingFolder, int kind) {
    const ReportKindInfo* info = FindReportKind(kind);
    return info == nullptr ? std::string() : JoinPath(workingFolder, info->optionFile);
}

void ApplyOptionLines(const std::vector<std::string>& lines, const std::array<int, 4>& itemCounts,
                      PrintOptionValues& values) {
    for (const auto& line : lines) {
        if (line.find('=') == std::string::npos) continue;
        const KeyLine keyLine = SplitKeyLine(line);
        if (keyLine.key == kPaperKey) {
            values.choice.paper = ItemIndex(keyLine.value, itemCounts[0]);
        } else if (keyLine.key == kFontKey) {
            values.choice.font = ItemIndex(keyLine.value, itemCounts[1]);
        } else if (keyLine.key == kColumnKey) {
            values.choice.column = ItemIndex(keyLine.value, itemCounts[2]);
        } else if (keyLine.key == kColourKey) {
            values.choice.colour = ItemIndex(keyLine.value, itemCounts[3]);
        } else if (keyLine.key == kZoomKey) {
            const long long zoom = IntOr(keyLine.value, kUnreadableZoom);
            values.zoom = static_cast<int>(std::clamp<long long>(zoom, kMinZoom, kMaxZoom));
        }
    }
}

void ReadOptionFile(const std::string& path, const std::array<int, 4>& itemCounts,
                    PrintOptionValues& values, std::string* problem) {
    StartFileLines read = ReadStartFile(path);
    if (problem != nullptr) *problem = std::move(read.problem);
    ApplyOptionLines(read.lines, itemCounts, values);
}

std::vector<std::string> OptionFileLines(const PrintOptionValues& values) {
    auto line = [](std::string_view key, int value) {
        return std::string(key) + "=" + std::to_string(value);
    };
    return {line(kPaperKey, values.choice.paper), line(kFontKey, values.choice.font),
            line(kColumnKey, values.choice.column), line(kColourKey, values.choice.colour),
            line(kZoomKey, values.zoom)};
}

void WriteOptionFile(const std::string& path, const PrintOptionValues& values, FileWriter& writer) {
    WriteTextLines(path, OptionFileLines(values), writer);
}

}  // namespace velmora
