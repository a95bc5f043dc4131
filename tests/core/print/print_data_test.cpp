#include "core/print/print_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/file_io.h"
#include "core/util/errors.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

LedgerRow Row(std::string_view marker, std::string date, std::string description,
              std::string income, std::string balance) {
    LedgerRow row(LedgerRowKind::Record, marker);
    row.SetCell(LedgerRow::kDate, std::move(date));
    row.SetCell(LedgerRow::kTitle, " 交通費 ");
    row.SetCell(LedgerRow::kDescription, std::move(description));
    row.SetCell(LedgerRow::kIncome, std::move(income));
    row.SetCell(LedgerRow::kBalance, std::move(balance));
    return row;
}

TEST(PrintDataTest, LedgerRowsUpToTheClosingCarry) {
    const std::vector<LedgerRow> rows{
        Row("+", "", "■前月繰越", "", "  1,000 "),
        Row("-", "04月01日(火)", " バス代 ", " 220 ", "-1,220"),
        Row("*", "", "□次月繰越", "", "-1,220"),
        Row("+", "", "never written", "", ""),
    };
    const LedgerPrintData out = LedgerPrintLines(rows, Date::FromYmd(2015, 1, 20));
    EXPECT_EQ(out.lines, (std::vector<std::string>{"; 交通費 ;■前月繰越;;;1,000;",
                                                   "04月01日(火); 交通費 ; バス代 ;220;;-1,220;",
                                                   "; 交通費 ;□次月繰越;;;-1,220;"}));
    EXPECT_EQ(out.searchRange, "2015");
    EXPECT_EQ(out.monthPanel, "01");

    const std::vector<LedgerRow> filtered{Row("+", "", "a", "", "1"), Row("=", "", "", "", ""),
                                          Row("+", "", "b", "", "2")};
    EXPECT_EQ(LedgerPrintLines(filtered, Date::FromYmd(2014, 4, 1)).lines.size(), 2u);
}

TEST(PrintDataTest, SummaryRowsUpToTheMarkedRow) {
    SummaryGrid grid;
    grid.SetCell(kLabelColumn, 0, "科　目");
    grid.SetCell(kFirstMonthColumn, 0, "4月度");
    grid.SetCell(kYearTotalColumn, 0, "科目年間計");
    grid.SetCell(kLabelColumn, 1, " 交通費 ");
    grid.SetCell(kFirstMonthColumn, 1, "  220");
    grid.SetCell(kMarkerColumn, 2, "=");
    grid.SetCell(kLabelColumn, 2, "【収　支　計】");
    grid.SetCell(kLabelColumn, 3, "below");
    const std::vector<std::string> lines = SummaryPrintLines(grid);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "科　目;4月度;;;;;;;;;;;;科目年間計;");
    EXPECT_EQ(lines[1], "交通費;220;;;;;;;;;;;;;");
    EXPECT_EQ(lines[2], "【収　支　計】;;;;;;;;;;;;;;");
}

// A summary without rows (an empty ledger's) has no marked row: the empty rows the grid
// keeps would print as pages of empty frames.
TEST(PrintDataTest, SummaryRowsWithoutAMarkEndAtTheLastText) {
    SummaryGrid grid;
    grid.SetCell(kLabelColumn, 0, "科　目");
    EXPECT_EQ(SummaryPrintLines(grid), std::vector<std::string>{"科　目;;;;;;;;;;;;;;"});
    grid.SetCell(kLabelColumn, 2, "■支出の部");
    EXPECT_EQ(SummaryPrintLines(grid).size(), 3u);
}

TEST(PrintDataTest, WrittenAsCp932WithCrLfAndReadBack) {
    testing::TempFolder home;
    std::filesystem::create_directories(home.File("style"));
    EXPECT_THROW(ReadPrintData(home.Path()), FileError);
    WritePrintData(home.Path(), {"04月01日(火);交通費;バス代;;220;9,780;"}, DefaultFileWriter());
    EXPECT_EQ(testing::ReadBytes(home.File("style/listout.dat")),
              "04\x8c\x8e"
              "01\x93\xfa(\x89\xce);\x8c\xf0\x92\xca\x94\xef;\x83o\x83X\x91\xe3;;220;"
              "9,780;\r\n");
    EXPECT_EQ(ReadPrintData(home.Path()),
              (std::vector<std::string>{"04月01日(火);交通費;バス代;;220;9,780;"}));
}

}  // namespace
}  // namespace velmora
