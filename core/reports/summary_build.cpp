#include "core/reports/summary_build.h"

#include <array>
#include <map>
#include <unordered_map>

namespace velmora {
namespace {

using MonthSums = std::array<Amount, 12>;  // by fiscal position 1..12

struct Section {
    std::vector<std::string_view> labels;  // in row order
    std::vector<MonthSums> sums;
    int Count() const { return static_cast<int>(labels.size()); }
};

// The row labels of one section: sorted, each folded text once, spelled as the first
// record that offered it. Every label id is mapped to its row (-1: no row, or a row with
// an empty label, which never receives amounts).
Section ListSection(const SeenLedger& seen, bool income, std::vector<int>& rowOfLabel) {
    std::vector<bool> offered(static_cast<std::size_t>(seen.labels.Count()), false);
    std::map<std::string_view, int> byFolded;
    for (const SeenRecord& record : seen.records) {
        if (!record.listed || !(income ? record.incomeLabel : record.expenseLabel)) continue;
        const auto id = static_cast<std::size_t>(record.label);
        if (offered[id]) continue;
        offered[id] = true;
        byFolded.try_emplace(seen.labels.Folded(record.label), record.label);
    }
    Section section;
    std::unordered_map<std::string_view, int> rowOfFolded;
    for (const auto& [folded, id] : byFolded) {
        rowOfFolded.emplace(folded, section.Count());
        section.labels.push_back(seen.labels.Label(id));
    }
    section.sums.assign(section.labels.size(), MonthSums{});
    rowOfLabel.assign(static_cast<std::size_t>(seen.labels.Count()), -1);
    for (int id = 0; id < seen.labels.Count(); ++id) {
        if (seen.labels.Folded(id).empty()) continue;
        auto it = rowOfFolded.find(seen.labels.Folded(id));
        if (it != rowOfFolded.end()) rowOfLabel[static_cast<std::size_t>(id)] = it->second;
    }
    return section;
}

void AddAmounts(const SeenLedger& seen, const MonthColumns& columns, bool income,
                const std::vector<int>& rowOfLabel, Section& section) {
    for (const SeenRecord& record : seen.records) {
        if (!(income ? record.addsIncome : record.addsExpense)) continue;
        const int row = rowOfLabel[static_cast<std::size_t>(record.label)];
        if (row < 0) continue;
        const auto position = static_cast<std::size_t>(columns.PositionOf(record.month) - 1);
        section.sums[static_cast<std::size_t>(row)][position] +=
            income ? record.income : record.expense;
    }
}

Section BuildSection(const SeenLedger& seen, const MonthColumns& columns, bool income) {
    std::vector<int> rowOfLabel;
    Section section = ListSection(seen, income, rowOfLabel);
    AddAmounts(seen, columns, income, rowOfLabel, section);
    return section;
}

// Columns 2..13 by position, then the year total in column 14.
using RowFigures = std::array<Amount, 13>;

RowFigures WithYearTotal(const MonthSums& months) {
    RowFigures figures{};
    for (std::size_t i = 0; i < months.size(); ++i) {
        figures[i] = months[i];
        figures[12] += months[i];
    }
    return figures;
}

void WriteFigures(SummaryGrid& grid, int row, const RowFigures& figures) {
    for (std::size_t i = 0; i < figures.size(); ++i)
        grid.SetCell(kFirstMonthColumn + static_cast<int>(i), row, figures[i].YenText());
}

// Heading at headingRow, the labels below it, then the total row; returns the totals.
RowFigures WriteSection(SummaryGrid& grid, int headingRow, std::string_view heading,
                        const Section& section) {
    grid.SetCell(kMarkerColumn, headingRow, std::string(kHeadingMarker));
    grid.SetCell(kLabelColumn, headingRow, std::string(heading));
    RowFigures totals{};
    for (int i = 0; i < section.Count(); ++i) {
        const int row = headingRow + 1 + i;
        const auto at = static_cast<std::size_t>(i);
        const std::string_view label = section.labels[at];
        const RowFigures figures = WithYearTotal(section.sums[at]);
        grid.SetCell(kLabelColumn, row, std::string(label));
        // A row without a label keeps its month cells empty; only its year total shows.
        if (label.empty())
            grid.SetCell(kYearTotalColumn, row, figures[12].YenText());
        else
            WriteFigures(grid, row, figures);
        for (std::size_t c = 0; c < totals.size(); ++c) totals[c] += figures[c];
    }
    const int totalRow = headingRow + section.Count() + 1;
    grid.SetCell(kLabelColumn, totalRow, std::string(kTotalLabel));
    WriteFigures(grid, totalRow, totals);
    return totals;
}

}  // namespace

SummaryRows BuildSummaryRows(SummaryGrid& grid, const MonthColumns& columns, const Ledger& ledger,
                             const SummaryRequest& request) {
    return BuildSummaryRows(grid, columns, SeeLedger(ledger, request), request.level);
}

SummaryRows BuildSummaryRows(SummaryGrid& grid, const MonthColumns& columns, const SeenLedger& seen,
                             int level) {
    const Section income = BuildSection(seen, columns, true);
    const Section expense = BuildSection(seen, columns, false);
    const int incomeRows = income.Count();
    const int expenseRows = expense.Count();
    grid.EnsureRows(incomeRows + expenseRows + 10);

    SummaryRows rows;
    RowFigures incomeTotals{}, expenseTotals{};
    if (incomeRows > 0) {
        incomeTotals = WriteSection(grid, 1, kIncomeHeading, income);
        rows.incomeTotalRow = incomeRows + 2;
    }
    const int expenseHeadingRow = incomeRows > 0 ? incomeRows + 4 : 1;
    if (expenseRows > 0) {
        expenseTotals = WriteSection(grid, expenseHeadingRow, kExpenseHeading, expense);
        rows.expenseTotalRow = expenseHeadingRow + expenseRows + 1;
    }

    if (level == 0) {
        int balanceRow = 3;
        if (expenseRows > 0)
            balanceRow = rows.expenseTotalRow + 2;
        else if (incomeRows > 0)
            balanceRow = incomeRows + 4;
        RowFigures balance{};
        for (std::size_t c = 0; c < balance.size(); ++c)
            balance[c] = incomeTotals[c] - expenseTotals[c];
        grid.SetCell(kLabelColumn, balanceRow, std::string(kBalanceLabel));
        WriteFigures(grid, balanceRow, balance);
        rows.lastRow = balanceRow;
    } else {
        rows.lastRow = rows.expenseTotalRow > 0 ? rows.expenseTotalRow : rows.incomeTotalRow;
    }
    if (rows.lastRow > 0) grid.SetCell(kMarkerColumn, rows.lastRow, std::string(kLastRowMarker));
    return rows;
}

}  // namespace velmora
