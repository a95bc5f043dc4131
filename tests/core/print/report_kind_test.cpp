#include "core/print/report_kind.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

TEST(ReportKindTable, RowsAreWholeAndFoundByNumberAndName) {
    int previous = 0;
    std::set<std::string_view> names;
    for (const ReportKindInfo& row : AllReportKinds()) {
        SCOPED_TRACE(row.kind);
        EXPECT_GT(row.kind, previous);  // velmora-cli lists them in this order
        previous = row.kind;
        EXPECT_EQ(row.styleNames.size(), row.paperItems.size());
        EXPECT_TRUE(names.insert(row.cliName).second);
        EXPECT_EQ(FindReportKind(row.kind), &row);
        EXPECT_EQ(FindReportKindNamed(row.cliName), &row);
        // The ledger command reaches every ledger kind from its book and search.
        if (row.family == ReportFamily::kLedger) {
            EXPECT_EQ(LedgerReportFor(row.book, row.oneTitle), row.kind);
        }
    }
    EXPECT_EQ(FindReportKindNamed("bank-search")->kind, 10);
    EXPECT_EQ(FindReportKindNamed("10"), nullptr);
}

TEST(ReportKindTable, SummaryKindByDrillLevel) {
    EXPECT_EQ(ReportKindShown(ReportFamily::kSummary, {}, false), 5);
    EXPECT_EQ(ReportKindShown(ReportFamily::kSummary, {}, true), 6);
    EXPECT_EQ(ReportKindShown(ReportFamily::kLedger, "全帳簿", false), 0);
}

}  // namespace
}  // namespace velmora
