#pragma once
// The print options saved per report kind ("config/note1.conf" ...): the style choice and
// the preview zoom, one "[Key]=value" line each.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/print/style_choice.h"

namespace velmora {

class FileWriter;

inline constexpr int kMinZoom = 5;
inline constexpr int kMaxZoom = 200;
inline constexpr int kDefaultZoom = 100;
// The zoom an option file gives when its "[TrackBar1]" value is not a number.
inline constexpr int kUnreadableZoom = 50;

struct PrintOptionValues {
    StyleChoice choice;
    int zoom = kDefaultZoom;  // `TrackBar1`, percent
    bool operator==(const PrintOptionValues&) const = default;
};

// working folder + the option file of the report kind; empty for an unknown kind.
std::string OptionFilePath(std::string_view workingFolder, int kind);

// Applies the lines of an option file to values: "[Paper_Sel]", "[Font_Sel]",
// "[Kamoku_Sel]", "[Color_Sel]" and "[TrackBar1]", each read as a whole number (0 when it is
// not one, the zoom 50). Other keys and lines without "=" are ignored, and a key that is
// missing leaves its value as it was. itemCounts gives the number of items of paper, font,
// column and colour: an index outside them selects item 0, and the zoom is held within
// 5..200 as the track bar holds it.
void ApplyOptionLines(const std::vector<std::string>& lines, const std::array<int, 4>& itemCounts,
                      PrintOptionValues& values);

// ApplyOptionLines with the file's lines; a missing file leaves values as they are.
// A line that cannot be decoded, or a file too large to be real, is told in *problem
// (when given) and read as ReadStartFile reads it.
void ReadOptionFile(const std::string& path, const std::array<int, 4>& itemCounts,
                    PrintOptionValues& values, std::string* problem = nullptr);

// The five lines in the order they are written.
std::vector<std::string> OptionFileLines(const PrintOptionValues& values);

// Replaces the option file atomically (CP932, CR LF). Throws FileError.
void WriteOptionFile(const std::string& path, const PrintOptionValues& values, FileWriter& writer);

}  // namespace velmora
