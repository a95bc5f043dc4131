#include "core/reports/graph_layout.h"

#include <array>

namespace velmora {
namespace {

constexpr int kMonthLabelTop = 358;
constexpr int kColumnLabelWidth = 78;
constexpr int kMonthLabelHeight = 20;
constexpr int kFigureHeight = 18;
constexpr int kCaptionLeft = 2;
constexpr int kCaptionWidth = 80;
constexpr int kScaleLabelWidth = 86;  // right-aligned, ending just before the first bar
constexpr int kMaxLevelTop = 13;
constexpr int kDivLevelTop = 177;
constexpr int kPanelMargin = 8;
constexpr std::array<int, 4> kLineTops{33, 195, 349, 493};

struct FigureRow {
    const char* name;
    const char* caption;
    int top;
    GraphLabel GraphMonth::*label;
};

constexpr std::array<FigureRow, 6> kFigureRows{{
    {"incomeTotal", "収入金額", 376, &GraphMonth::incomeTotal},
    {"cumulativeIncome", "収入累計", 401, &GraphMonth::cumulativeIncome},
    {"expenseTotal", "支出金額", 436, &GraphMonth::expenseTotal},
    {"cumulativeExpense", "支出累計", 461, &GraphMonth::cumulativeExpense},
    {"difference", "差引金額", 502, &GraphMonth::difference},
    {"cumulativeDifference", "差引累計", 527, &GraphMonth::cumulativeDifference},
}};

double PointSize(const GraphLabel& label) {
    return label.fontSize > 0 ? label.fontSize : kGraphLabelPointSize;
}

GraphText MonthStyle(std::string name, GraphBox box, std::string text) {
    GraphText t;
    t.name = std::move(name);
    t.box = box;
    t.text = std::move(text);
    t.align = GraphAlign::Centre;
    t.colour = kCellWhite;
    t.filled = true;
    t.background = kMonthLabelColour;
    return t;
}

GraphText Plain(std::string name, GraphBox box, const GraphLabel& label, GraphAlign align) {
    GraphText t;
    t.name = std::move(name);
    t.box = box;
    t.text = label.caption;
    t.pointSize = PointSize(label);
    t.align = align;
    return t;
}

}  // namespace

GraphLayout LayOutGraph(const GraphFigures& figures) {
    GraphLayout layout;
    layout.width = GraphColumnLeft(12) + kColumnLabelWidth + kPanelMargin;
    layout.height = kFigureRows.back().top + kFigureHeight + kPanelMargin;
    layout.lineTops.assign(kLineTops.begin(), kLineTops.end());

    layout.texts.push_back(Plain("scaleTop",
                                 {kCaptionLeft, kMaxLevelTop, kScaleLabelWidth, kFigureHeight},
                                 figures.scaleTop, GraphAlign::Right));
    layout.texts.push_back(Plain("scaleMiddle",
                                 {kCaptionLeft, kDivLevelTop, kScaleLabelWidth, kFigureHeight},
                                 figures.scaleMiddle, GraphAlign::Right));
    layout.texts.push_back(MonthStyle(
        "caption_month", {kCaptionLeft, kMonthLabelTop, kCaptionWidth, kMonthLabelHeight}, "月名"));
    for (const FigureRow& row : kFigureRows)
        layout.texts.push_back(Plain(std::string("caption_") + row.name,
                                     {kCaptionLeft, row.top, kCaptionWidth, kFigureHeight},
                                     GraphLabel{row.caption, 0}, GraphAlign::Left));

    for (int z = 1; z <= 12; ++z) {
        const GraphMonth& m = figures.months[static_cast<std::size_t>(z - 1)];
        const int left = GraphColumnLeft(z);
        const std::string n = std::to_string(z);
        layout.bars.push_back({"income" + n,
                               {left, m.income.top, kGraphBarWidth, m.income.height},
                               kIncomeBarColour,
                               m.month.caption + " 収入 " + m.incomeTotal.caption});
        layout.bars.push_back(
            {"expenses" + n,
             {left + kGraphExpenseOffset, m.expenses.top, kGraphBarWidth, m.expenses.height},
             kExpenseBarColour,
             m.month.caption + " 支出 " + m.expenseTotal.caption});
        GraphText month =
            MonthStyle("month" + n, {left, kMonthLabelTop, kColumnLabelWidth, kMonthLabelHeight},
                       m.month.caption);
        month.pointSize = PointSize(m.month);
        month.hint = m.hint;
        layout.texts.push_back(std::move(month));
        for (const FigureRow& row : kFigureRows)
            layout.texts.push_back(Plain(row.name + n,
                                         {left, row.top, kColumnLabelWidth, kFigureHeight},
                                         m.*row.label, GraphAlign::Right));
    }
    return layout;
}

FileDialogRequest GraphImageRequest() {
    FileDialogRequest request;
    request.title = "画像として保存";
    request.defaultExtension = "png";
    request.filter = "PNG画像|*.png";
    request.fileName = "入出金グラフ.png";
    return request;
}

std::string GraphPictureTitle(const std::string& range, const std::string& book,
                              const std::string& title) {
    std::string text = std::string(kGraphCaption) + "　" + range + "　" + book;
    if (!title.empty()) text += "　" + title;
    return text;
}

}  // namespace velmora
