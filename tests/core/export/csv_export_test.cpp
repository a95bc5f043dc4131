#include "core/export/csv_export.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const CsvValues kBusFare = {"現金",   "現金出納帳", "現金", "現金出納帳", "2014/04/05",
                            "交通費", "バス代",     "0",    "220",        "9780"};

TEST(CsvText, EveryValueAndTitleIsFollowedByAComma) {
    CsvOptions options;
    EXPECT_EQ(CsvTitleRow(options),
              "種別,帳簿名,相手種別,相手帳簿名,日　付,科　目,摘　要,収　入,支　出,差引残高,");
    EXPECT_EQ(CsvLine(kBusFare, options),
              "現金,現金出納帳,現金,現金出納帳,2014/04/05,交通費,バス代,0,220,9780,");
}

TEST(CsvText, UncheckedColumnsAreLeftOutKeepingTheTableOrder) {
    CsvOptions options;
    options.columns = {false, true, false, false, true, true, false, false, true, true};
    EXPECT_EQ(CsvTitleRow(options), "帳簿名,日　付,科　目,支　出,差引残高,");
    EXPECT_EQ(CsvLine(kBusFare, options), "現金出納帳,2014/04/05,交通費,220,9780,");
    options.columns = {};
    EXPECT_EQ(CsvTitleRow(options), "");
    EXPECT_EQ(CsvLine(kBusFare, options), "");
    // An empty value still takes its place.
    options.columns = {false, false, false, false, false, true, true, false, false, false};
    CsvValues noCode = kBusFare;
    noCode[5] = "";
    EXPECT_EQ(CsvLine(noCode, options), ",バス代,");
}

TEST(CsvText, TheSaveDialogAsksForACsvFile) {
    FileDialogRequest request = CsvSaveRequest();
    EXPECT_EQ(request.defaultExtension, "csv");
    EXPECT_EQ(request.filter, "CSVファイル|*.csv");
    EXPECT_EQ(request.fileName, "");
}

}  // namespace
}  // namespace velmora
