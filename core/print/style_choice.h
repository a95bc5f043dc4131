#pragma once
// Which print-style file a report is printed with: chosen from the report kind, the paper
// or form, the account-title column, the font and the heading colour.
#include <array>
#include <string>
#include <string_view>

namespace velmora {

// Items of the print settings panel that choose the style.
struct StyleChoice {
    int paper = 0;   // `paper_sel`
    int font = 0;    // `font_sel`: 0 "ゴシック", 1 "明　朝"
    int column = 0;  // `kamoku_sel`: 0 "あり", 1 "なし"
    int colour = 0;  // `Color_Sel`: 0 "GRAY", 1 "BLUE", 2 "PINK", 3 "WHITE"
    bool operator==(const StyleChoice&) const = default;
};

inline constexpr std::array<std::string_view, 2> kFontItems{"ゴシック", "明　朝"};
inline constexpr std::array<std::string_view, 2> kColumnItems{"あり", "なし"};
inline constexpr std::array<std::string_view, 4> kColourItems{"GRAY", "BLUE", "PINK", "WHITE"};

// The file name with its extension: the base name of the paper item, then for plain paper
// of the ledger kinds the column part ("_月分1"/"_月分2", or "_科目指定" while an
// account-title search is active), then the font part ("_ゴシック"/"_明朝") and the colour
// part ("G", "B", "P", nothing for white). KOKUYO forms and the fixed reports take no
// parts. An item index out of range counts as item 0. Empty for an unknown kind.
std::string StyleFileName(int kind, const StyleChoice& choice);

// working folder + "/style/" + StyleFileName; empty for an unknown kind.
std::string StyleFilePath(std::string_view workingFolder, int kind, const StyleChoice& choice);

}  // namespace velmora
