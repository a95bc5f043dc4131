#pragma once
// Small ledgers for the report tests, and the summary grid as compact row texts.
#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/reports/summary_grid.h"

namespace velmora::testing {

struct TestRecord {
    int month;
    std::string title;
    std::string description;
    std::string income;
    std::string expense;
    std::string ownKind = "現金";
    std::string ownName = "現金出納帳";
    std::string otherKind = "現金";
    std::string otherName = "現金出納帳";
};

// A ledger line of the record, dated the 10th of its month in 2014.
inline std::string RecordLine(const TestRecord& r) {
    const std::string mm = (r.month < 10 ? "0" : "") + std::to_string(r.month);
    return "d" + mm + "=,2014/" + mm + "/10,0," + r.title + "," + r.description + "," + r.income +
           "," + r.expense + ",0," + r.ownKind + "," + r.ownName + "," + r.otherKind + "," +
           r.otherName + ",";
}

// Calendar-month periods of 2014 (start month 1) unless told otherwise.
inline Ledger MakeLedger(const std::vector<TestRecord>& records, int startMonth = 1) {
    Ledger ledger;
    ledger.periods = Periods::CalendarYear(2014);
    ledger.startYear = 2014;
    ledger.startMonth = startMonth;
    for (const auto& r : records) ledger.transactions.Add(RecordLine(r));
    return ledger;
}

// Columns 0..14 of a row joined by "|".
inline std::string RowText(const SummaryGrid& grid, int row) {
    std::string text;
    for (int c = 0; c < kSummaryColumns; ++c) {
        if (c > 0) text += '|';
        text += grid.Cell(c, row);
    }
    return text;
}

// Rows 1 to last as row texts.
inline std::vector<std::string> BodyRows(const SummaryGrid& grid, int last) {
    std::vector<std::string> rows;
    for (int r = 1; r <= last; ++r) rows.push_back(RowText(grid, r));
    return rows;
}

}  // namespace velmora::testing
