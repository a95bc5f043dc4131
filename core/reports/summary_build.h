#pragma once
// Fills the monthly summary grid from the ledger (the sums its index keeps, or its lines):
// the income section, the expense
// section, their total rows and, on level 0, the balance row.
#include "core/ledger/ledger.h"
#include "core/reports/month_columns.h"
#include "core/reports/summary_grid.h"
#include "core/reports/summary_records.h"

namespace velmora {

struct SummaryRows {
    int incomeTotalRow = 0;   // 0 when there is no income section
    int expenseTotalRow = 0;  // 0 when there is no expense section
    int lastRow = 0;          // the row marked "="; 0 when none was written
};

// Writes the sections below the header row of a grid that SetUpMonthColumns has just
// prepared, grows the grid as needed and marks the last row.
// Throws ConversionError when an amount field that matters is not a number.
SummaryRows BuildSummaryRows(SummaryGrid& grid, const MonthColumns& columns, const Ledger& ledger,
                             const SummaryRequest& request);
// The same from the records as seen for level 0 or 1.
SummaryRows BuildSummaryRows(SummaryGrid& grid, const MonthColumns& columns, const SeenLedger& seen,
                             int level);

}  // namespace velmora
