// How the summary page shows and copies its grid: the tab-separated text of "表をコピー",
// the looks and boxes of its cells, and its status bar texts.
#include "core/reports/summary_copy.h"

#include <gtest/gtest.h>

#include "core/reports/summary_cells.h"
#include "summary_ledger.h"

namespace velmora::testing {
namespace {

// The label and the thirteen figures (twelve months, given as blank-separated text, and
// the year total) as one tab-separated line.
std::string Line(const std::string& label, const std::string& months, const std::string& total) {
    std::string line = label;
    std::size_t start = 0;
    for (int i = 0; i < 12; ++i) {
        const std::size_t end = months.find(' ', start);
        line += "\t" + months.substr(start, end - start);
        start = end + 1;
    }
    return line + "\t" + total + "\n";
}

const std::string kEmptyFigures = "           ";  // twelve empty month cells

const std::string kHeader =
    Line("科　目", "1月度 2月度 3月度 4月度 5月度 6月度 7月度 8月度 9月度 10月度 11月度 12月度",
         "科目年間計");

Ledger TwoRecords() {
    return MakeLedger({{1, "売上", "A社", "1234567", "0"}, {3, "交通費", "バス\t夜", "0", "1220"}});
}

MonthlySummary Built() {
    MonthlySummary summary;
    summary.OpenPage(TwoRecords());
    return summary;
}

TEST(SummaryCopy, NothingOrOneCellSelectedCopiesTheWholeTableWithPlainFigures) {
    const MonthlySummary s = Built();
    ASSERT_EQ(s.lastRow(), 9);
    const std::string whole =
        kHeader + Line("■収入の部", kEmptyFigures, "") +
        Line("売上", "1234567 0 0 0 0 0 0 0 0 0 0 0", "1234567") +
        Line("　[合　計]", "1234567 0 0 0 0 0 0 0 0 0 0 0", "1234567") +
        Line("", kEmptyFigures, "") + Line("■支出の部", kEmptyFigures, "") +
        Line("交通費", "0 0 1220 0 0 0 0 0 0 0 0 0", "1220") +
        Line("　[合　計]", "0 0 1220 0 0 0 0 0 0 0 0 0", "1220") + Line("", kEmptyFigures, "") +
        Line("【収　支　計】", "1234567 0 -1220 0 0 0 0 0 0 0 0 0", "1233347");
    EXPECT_EQ(SummaryTableText(s.grid(), s.lastRow(), {}), whole);
    EXPECT_EQ(SummaryTableText(s.grid(), s.lastRow(), {{4, 6}}), whole);
    // The marker column is never copied, so its cells do not count as a selection.
    EXPECT_EQ(SummaryTableText(s.grid(), s.lastRow(), {{0, 2}, {0, 9}, {3, 2}}), whole);
}

TEST(SummaryCopy, SelectedCellsKeepTheirRowsAndColumnsAndLeaveTheOthersEmpty) {
    const MonthlySummary s = Built();
    EXPECT_EQ(SummaryTableText(s.grid(), s.lastRow(), {{14, 9}, {2, 2}, {0, 2}}),
              "1月度\t科目年間計\n1234567\t\n\t1233347\n");
    // A drill-down: the descriptions of one title; a tab inside a label becomes a blank.
    MonthlySummary drilled = Built();
    drilled.DrillInto("交通費", TwoRecords());
    std::vector<GridCell> row;
    for (int c = 0; c < kSummaryColumns; ++c) row.push_back({c, 2});
    EXPECT_EQ(SummaryTableText(drilled.grid(), drilled.lastRow(), row),
              kHeader + Line("バス 夜", "0 0 1220 0 0 0 0 0 0 0 0 0", "1220"));
    // An empty ledger: the header alone.
    MonthlySummary empty;
    empty.OpenPage(MakeLedger({}));
    EXPECT_EQ(SummaryTableText(empty.grid(), empty.lastRow(), {}), kHeader);
}

TEST(SummaryCells, FixedCellsBodyColoursBoxesAndStatusTexts) {
    MonthlySummary s = Built();
    const SummaryGrid& g = s.grid();
    EXPECT_EQ(SummaryCellLookOf(g, 5, 0, true),
              (SummaryCellLook{true, kFixedCellFace, kTextBlack, false}));
    EXPECT_EQ(SummaryCellLookOf(g, 0, 9, true),
              (SummaryCellLook{true, kFixedCellFace, kTextBlack, false}));
    // "-1,220" of March on the balance row, the label column and an empty cell.
    EXPECT_EQ(SummaryCellLookOf(g, 4, 9, true),
              (SummaryCellLook{false, kCellWhite, kTextRed, true}));
    EXPECT_EQ(SummaryCellLookOf(g, 4, 9, false).text, kTextBlack);
    EXPECT_EQ(SummaryCellLookOf(g, 1, 6, true),
              (SummaryCellLook{false, kCellWhite, kTextBlack, true}));
    EXPECT_EQ(SummaryCellLookOf(g, 3, 20, true).background, kCellWhite);

    EXPECT_EQ(SummaryCellFillBox({100, 40, 100, 20}), (CellBox{97, 40, 103, 20}));
    EXPECT_EQ(SummaryCellTextBox({100, 40, 100, 20}), (CellBox{97, 42, 95, 18}));

    EXPECT_EQ(SummaryStatusTexts(s), (std::array<std::string, 2>{"全帳簿", kDrillHint}));
    const Ledger ledger = TwoRecords();
    s.ChooseBook(1, ledger);
    s.DrillInto("交通費", ledger);
    EXPECT_EQ(SummaryStatusTexts(s), (std::array<std::string, 2>{"現金出納帳", kBackHint}));
}

}  // namespace
}  // namespace velmora::testing
