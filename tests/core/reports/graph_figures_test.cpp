// The income/expense graph worked out from the summary's total rows.
#include "core/reports/graph_figures.h"

#include <gtest/gtest.h>

#include "core/reports/month_columns.h"
#include "core/reports/monthly_summary.h"
#include "summary_ledger.h"

namespace velmora::testing {
namespace {

TEST(GraphFigures, AYearWithoutEntriesShowsZerosFlatBarsAndTheScaleOne) {
    Ledger ledger = MakeLedger({}, 4);
    MonthlySummary s;
    s.OpenPage(ledger);
    const GraphFigures& g = s.graph();
    const char* hints[] = {"2014/4/01",  "2014/5/01", "2014/6/01",  "2014/7/01",
                           "2014/8/01",  "2014/9/01", "2014/10/01", "2014/11/01",
                           "2014/12/01", "2015/1/01", "2015/2/01",  "2015/3/01"};
    for (int z = 1; z <= 12; ++z) {
        const GraphMonth& m = g.months[static_cast<std::size_t>(z - 1)];
        EXPECT_EQ(m.month.caption, MonthTabCaption(4, z) + "度");
        EXPECT_EQ(m.hint, hints[z - 1]);
        for (const GraphLabel* label :
             {&m.incomeTotal, &m.cumulativeIncome, &m.expenseTotal, &m.cumulativeExpense,
              &m.difference, &m.cumulativeDifference})
            EXPECT_EQ(*label, (GraphLabel{"0", 0})) << z;
        EXPECT_EQ(m.income, (GraphBar{335, 0}));
        EXPECT_EQ(m.expenses, (GraphBar{335, 0}));
    }
    EXPECT_EQ(g.months[0].month.caption, "4月度");
    EXPECT_EQ(g.scaleTop, (GraphLabel{"1", 0}));
    EXPECT_EQ(g.scaleMiddle, (GraphLabel{"0", 0}));
}

TEST(GraphFigures, BarsScaleToTheLargestMonthAndSmallMonthsStayVisible) {
    const Ledger ledger = MakeLedger({{1, "売上", "A", "30000", "0"},
                                      {2, "交通費", "バス", "0", "50"},
                                      {3, "売上", "B", "15000", "0"},
                                      {3, "交通費", "電車", "0", "99"},
                                      {12, "交通費", "船", "0", "10001"}});
    MonthlySummary s;
    s.OpenPage(ledger);
    const GraphFigures& g = s.graph();
    EXPECT_EQ(g.months[0].income, (GraphBar{35, 300}));
    EXPECT_EQ(g.months[0].expenses, (GraphBar{335, 0}));
    EXPECT_EQ(g.months[1].expenses, (GraphBar{330, 5}));  // 50 of 30,000 is under a pixel
    EXPECT_EQ(g.months[2].income, (GraphBar{185, 150}));
    EXPECT_EQ(g.months[2].expenses, (GraphBar{335 - 5, 5}));  // 99 -> 0.99 px
    EXPECT_EQ(g.months[11].expenses, (GraphBar{235, 100}));   // 10,001 -> 100.01 px
    EXPECT_EQ(g.scaleTop, (GraphLabel{"30,000", 0}));
    EXPECT_EQ(g.scaleMiddle, (GraphLabel{"15,000", 0}));

    EXPECT_EQ(g.months[2].incomeTotal.caption, "15,000");
    EXPECT_EQ(g.months[2].cumulativeIncome.caption, "45,000");
    EXPECT_EQ(g.months[2].cumulativeExpense.caption, "149");
    EXPECT_EQ(g.months[2].difference.caption, "14,901");
    EXPECT_EQ(g.months[2].cumulativeDifference.caption, "44,851");
    // On level 0 the last cumulative difference is the balance row's year total.
    ASSERT_EQ(s.grid().Cell(kLabelColumn, s.lastRow()), "【収　支　計】");
    EXPECT_EQ(g.months[11].cumulativeDifference.caption,
              s.grid().Cell(kYearTotalColumn, s.lastRow()));
    EXPECT_EQ(g.months[11].cumulativeDifference.caption, "34,850");

    // On level 1 the graph shows the one title's months only.
    s.DrillInto("交通費", ledger);
    EXPECT_EQ(s.graph().months[0].incomeTotal.caption, "0");
    EXPECT_EQ(s.graph().months[11].cumulativeExpense.caption, "10,150");
    EXPECT_EQ(s.graph().scaleTop.caption, "10,001");
    EXPECT_EQ(s.graph().months[11].expenses, (GraphBar{35, 300}));

    // A month of more than 32 bits of yen is in every running figure.
    const Ledger large = MakeLedger({{1, "売上", "A", "123456789012", "0"},
                                     {2, "仕入", "B", "0", "9877443400"},
                                     {3, "売上", "C", "1", "0"}});
    s.OpenPage(large);
    const GraphMonth& m3 = s.graph().months[2];
    EXPECT_EQ(s.graph().months[1].difference.caption, "-9,877,443,400");
    EXPECT_EQ(m3.cumulativeIncome.caption, "123,456,789,013");
    EXPECT_EQ(m3.cumulativeExpense.caption, "9,877,443,400");
    EXPECT_EQ(s.graph().months[11].cumulativeDifference.caption, "113,579,345,613");
    EXPECT_EQ(s.graph().months[11].cumulativeDifference.caption,
              s.grid().Cell(kYearTotalColumn, s.lastRow()));
}

TEST(GraphFigures, LongFiguresGetSmallerFontsAndSumsHoldBillions) {
    // A fiscal year from November; income total on row 3, expense total on row 7.
    SummaryGrid grid;
    SetUpMonthColumns(grid, 11);
    for (int c = kFirstMonthColumn; c <= kLastMonthColumn; ++c) {
        grid.SetCell(c, 3, "0");
        grid.SetCell(c, 7, "0");
    }
    grid.SetCell(2, 3, "1,000,000,000");
    grid.SetCell(3, 3, "3,000,000,000");  // beyond 32 bits
    grid.SetCell(3, 7, "2,000,000,000");
    grid.SetCell(4, 3, "-5");
    grid.SetCell(4, 7, "2,000,000,000");

    const GraphFigures g = GraphFiguresOf(grid, 3, 7, 2014, 11);
    const GraphMonth& m1 = g.months[0];
    EXPECT_EQ(m1.month.caption, "11月度");
    EXPECT_EQ(m1.hint, "2014/11/01");
    EXPECT_EQ(m1.incomeTotal, (GraphLabel{"1,000,000,000", 7}));
    EXPECT_EQ(m1.cumulativeIncome, (GraphLabel{"1,000,000,000", 7}));
    EXPECT_EQ(m1.expenseTotal, (GraphLabel{"0", 0}));
    EXPECT_EQ(m1.difference, (GraphLabel{"1,000,000,000", 7}));
    EXPECT_EQ(m1.cumulativeDifference, (GraphLabel{"1,000,000,000", 8}));
    EXPECT_EQ(m1.income, (GraphBar{235, 100}));

    const GraphMonth& m2 = g.months[1];
    EXPECT_EQ(m2.hint, "2014/12/01");
    EXPECT_EQ(m2.incomeTotal, (GraphLabel{"3,000,000,000", 7}));
    EXPECT_EQ(m2.cumulativeIncome, (GraphLabel{"4,000,000,000", 7}));
    EXPECT_EQ(m2.cumulativeExpense, (GraphLabel{"2,000,000,000", 7}));
    EXPECT_EQ(m2.difference, (GraphLabel{"1,000,000,000", 7}));
    EXPECT_EQ(m2.cumulativeDifference, (GraphLabel{"2,000,000,000", 8}));
    EXPECT_EQ(m2.income, (GraphBar{35, 300}));
    EXPECT_EQ(m2.expenses, (GraphBar{135, 200}));

    const GraphMonth& m3 = g.months[2];
    EXPECT_EQ(m3.hint, "2015/1/01");
    EXPECT_EQ(m3.cumulativeIncome, (GraphLabel{"3,999,999,995", 7}));
    EXPECT_EQ(m3.cumulativeExpense, (GraphLabel{"4,000,000,000", 7}));
    EXPECT_EQ(m3.difference, (GraphLabel{"-2,000,000,005", 0}));
    EXPECT_EQ(m3.cumulativeDifference, (GraphLabel{"-5", 0}));
    EXPECT_EQ(m3.income, (GraphBar{330, 5}));  // a negative month shows as a small bar

    EXPECT_EQ(g.months[11].cumulativeIncome.caption, "3,999,999,995");
    EXPECT_EQ(g.months[11].hint, "2015/10/01");
    EXPECT_EQ(g.scaleTop, (GraphLabel{"3,000,000,000", 8}));
    EXPECT_EQ(g.scaleMiddle, (GraphLabel{"1,500,000,000", 8}));

    // Without sections every figure is "0".
    const GraphFigures none = GraphFiguresOf(grid, 0, 0, 2014, 11);
    EXPECT_EQ(none.months[0].incomeTotal.caption, "0");
    EXPECT_EQ(none.months[1].expenseTotal.caption, "0");
    EXPECT_EQ(none.scaleTop.caption, "1");
    EXPECT_EQ(GraphColumnLeft(1), 93);
    EXPECT_EQ(GraphColumnLeft(12), 93 + 96 * 11);
}

}  // namespace
}  // namespace velmora::testing
