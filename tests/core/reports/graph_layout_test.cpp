// Where the graph page puts the figures: bars, month labels, the six figure rows and their
// captions, the scale labels and lines.
#include "core/reports/graph_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/reports/monthly_summary.h"
#include "summary_ledger.h"

namespace velmora::testing {
namespace {

template <typename T>
const T& Named(const std::vector<T>& items, const std::string& name) {
    auto it = std::find_if(items.begin(), items.end(), [&](const T& i) { return i.name == name; });
    if (it == items.end()) throw std::runtime_error("no " + name);
    return *it;
}

TEST(GraphLayout, BarsLabelsAndScaleOfAYearStartingInApril) {
    MonthlySummary s;
    s.OpenPage(
        MakeLedger({{4, "売上", "A社", "123456789", "0"}, {6, "交通費", "バス", "0", "1220"}}, 4));
    const GraphLayout layout = LayOutGraph(s.graph());
    EXPECT_EQ(layout.width, 1235);
    EXPECT_EQ(layout.height, 553);
    EXPECT_EQ(layout.lineTops, (std::vector<int>{33, 195, 349, 493}));
    ASSERT_EQ(layout.bars.size(), 24u);
    ASSERT_EQ(layout.texts.size(), 2u + 7u + 12u * 7u);

    // April: the largest month, a full bar; June's small expense keeps 5 pixels.
    const GraphBarShape& april = Named(layout.bars, "income1");
    EXPECT_EQ(april.box, (GraphBox{93, 35, 35, 300}));
    EXPECT_EQ(april.colour, kIncomeBarColour);
    EXPECT_EQ(april.hint, "4月度 収入 123,456,789");
    const GraphBarShape& june = Named(layout.bars, "expenses3");
    EXPECT_EQ(june.box, (GraphBox{93 + 2 * 96 + 41, 330, 35, 5}));
    EXPECT_EQ(june.colour, kExpenseBarColour);
    EXPECT_EQ(june.hint, "6月度 支出 1,220");
    EXPECT_EQ(Named(layout.bars, "income12").box, (GraphBox{93 + 11 * 96, 335, 35, 0}));

    const GraphText& month = Named(layout.texts, "month10");
    EXPECT_EQ(month.box, (GraphBox{93 + 9 * 96, 358, 78, 20}));
    EXPECT_EQ(month.text, "1月度");
    EXPECT_EQ(month.hint, "2015/1/01");
    EXPECT_EQ(month.align, GraphAlign::Centre);
    EXPECT_EQ(month.colour, kCellWhite);
    EXPECT_TRUE(month.filled);
    EXPECT_EQ(month.background, kMonthLabelColour);

    // The figure rows: right-aligned, the long ones smaller.
    const std::pair<const char*, int> rows[] = {
        {"incomeTotal", 376},       {"cumulativeIncome", 401}, {"expenseTotal", 436},
        {"cumulativeExpense", 461}, {"difference", 502},       {"cumulativeDifference", 527}};
    for (const auto& [name, top] : rows) {
        const GraphText& t = Named(layout.texts, std::string(name) + "3");
        EXPECT_EQ(t.box, (GraphBox{93 + 2 * 96, top, 78, 18})) << name;
        EXPECT_EQ(t.align, GraphAlign::Right) << name;
        EXPECT_FALSE(t.filled) << name;
    }
    EXPECT_EQ(Named(layout.texts, "incomeTotal1").text, "123,456,789");
    EXPECT_EQ(Named(layout.texts, "incomeTotal1").pointSize, 8);
    EXPECT_EQ(Named(layout.texts, "expenseTotal3").text, "1,220");
    EXPECT_EQ(Named(layout.texts, "expenseTotal3").pointSize, kGraphLabelPointSize);
    EXPECT_EQ(Named(layout.texts, "cumulativeDifference12").text, "123,455,569");

    const GraphText& caption = Named(layout.texts, "caption_cumulativeExpense");
    EXPECT_EQ(caption.box, (GraphBox{2, 461, 80, 18}));
    EXPECT_EQ(caption.text, "支出累計");
    EXPECT_EQ(Named(layout.texts, "caption_month").text, "月名");
    EXPECT_TRUE(Named(layout.texts, "caption_month").filled);

    const GraphText& max = Named(layout.texts, "scaleTop");
    EXPECT_EQ(max.box, (GraphBox{2, 13, 86, 18}));
    EXPECT_EQ(max.text, "123,456,789");
    EXPECT_EQ(max.pointSize, 8);
    EXPECT_EQ(max.align, GraphAlign::Right);
    EXPECT_EQ(Named(layout.texts, "scaleMiddle").box, (GraphBox{2, 177, 86, 18}));
    EXPECT_EQ(Named(layout.texts, "scaleMiddle").text, "61,728,394");
    EXPECT_EQ(Named(layout.texts, "scaleMiddle").pointSize, kGraphLabelPointSize);
}

}  // namespace
}  // namespace velmora::testing
