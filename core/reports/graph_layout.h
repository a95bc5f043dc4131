#pragma once
// Where the graph page puts what GraphFiguresOf worked out: the bars, the month labels, the
// six rows of figures with their captions, the scale lines and their two labels, as boxes
// in pixels of the graph panel. The page only paints these; the saved picture is the
// panel at twice its size.
#include <string>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/reports/graph_figures.h"
#include "core/reports/report_colours.h"

namespace velmora {

inline constexpr const char* kGraphCaption = "入出金集計表";
inline constexpr const char* kSaveGraphImageCaption = "画像として保存…";
inline constexpr const char* kGraphImageNotSaved = "画像を保存できませんでした。";
inline constexpr int kGraphImageScale = 2;
// The labels' own size; the long figures are given a smaller one by GraphFiguresOf.
inline constexpr double kGraphLabelPointSize = 9;
inline constexpr RgbColour kGraphLineColour{128, 128, 128};
inline constexpr RgbColour kGraphPanelColour{255, 255, 255};

struct GraphBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const GraphBox&) const = default;
};

enum class GraphAlign { Left, Centre, Right };

struct GraphText {
    std::string name;  // "incomeTotal3", "month1", "scaleTop", "caption_incomeTotal"
    GraphBox box;
    std::string text;
    double pointSize = kGraphLabelPointSize;
    GraphAlign align = GraphAlign::Left;
    RgbColour colour = kTextBlack;
    bool filled = false;  // drawn on background
    RgbColour background;
    std::string hint;  // shown while the mouse rests on it; empty: none
};

struct GraphBarShape {
    std::string name;  // "income1" .. "income12", "expenses1" .. "expenses12"
    GraphBox box;
    RgbColour colour;
    std::string hint;  // the month and its figure
};

struct GraphLayout {
    int width = 0;
    int height = 0;
    std::vector<int> lineTops;  // horizontal lines across the whole panel
    std::vector<GraphBarShape> bars;
    std::vector<GraphText> texts;
};

GraphLayout LayOutGraph(const GraphFigures& figures);

// The file dialog of "画像として保存…".
FileDialogRequest GraphImageRequest();

// The legend beside the graph: the two bars, and the difference the rows below them show.
inline constexpr const char* kGraphIncomeLegend = "収入";
inline constexpr const char* kGraphExpenseLegend = "支出";
inline constexpr const char* kGraphBalanceLegend = "差引 = 収入 − 支出";

// The heading of the graph's saved picture, so that the picture says what it shows: the
// caption, the fiscal year and the book ("全帳簿", "現金出納帳", a petty-cash book, ...),
// and the account title of a drill-down.
std::string GraphPictureTitle(const std::string& range, const std::string& book,
                              const std::string& title);

}  // namespace velmora
