#include "core/reports/monthly_summary.h"

#include "core/reports/summary_build.h"
#include "core/util/fields.h"

namespace velmora {

void MonthlySummary::RefillBookSelector(const Ledger& ledger) {
    selector_ = velmora::BookSelectorOf(ledger);
}

void MonthlySummary::BuildLevel(int level, const Ledger& ledger) {
    range_ = SummaryRangeLabel(ledger);
    columns_ = SetUpMonthColumns(grid_, ledger.startMonth);
    caption_ = level == 0 ? kSummaryCaption : selectedTitle_ + kDetailCaptionSuffix;
    incomeTotalRow_ = expenseTotalRow_ = lastRow_ = 0;
    if (ledger.transactions.Count() > 0) {
        SummaryRequest request;
        request.level = level;
        request.book = selector_.Selected();
        request.allBooks = selector_.IsAllBooks();
        request.selectedTitle = selectedTitle_;
        const SummaryRows rows = BuildSummaryRows(grid_, columns_, ledger, request);
        incomeTotalRow_ = rows.incomeTotalRow;
        expenseTotalRow_ = rows.expenseTotalRow;
        lastRow_ = rows.lastRow;
    }
    // An empty ledger refreshes the graph as well, so that it never keeps showing the
    // figures of a ledger that is no longer open.
    graph_ = GraphFiguresOf(grid_, incomeTotalRow_, expenseTotalRow_, ledger.startYear,
                            ledger.startMonth);
}

void MonthlySummary::OpenPage(const Ledger& ledger) {
    RefillBookSelector(ledger);
    BuildLevel(0, ledger);
}

void MonthlySummary::RebuildTitleLevel(const Ledger& ledger) {
    BuildLevel(0, ledger);
}

void MonthlySummary::ChooseBook(int index, const Ledger& ledger) {
    if (index >= 0 && index < selector_.Count()) selector_.itemIndex = index;
    drillLevel_ = 0;
    BuildLevel(0, ledger);
}

bool MonthlySummary::IsDrillableRow(int row) const {
    if (row < 1 || row >= grid_.RowCount()) return false;
    const std::string& marker = grid_.Cell(kMarkerColumn, row);
    const std::string& label = grid_.Cell(kLabelColumn, row);
    const std::string_view trimmed = TrimBlanks(label);
    return !label.empty() && marker != kHeadingMarker && trimmed != kTotalLabel &&
           label != kBalanceLabel && !trimmed.empty() && label != kIncomeHeading &&
           label != kExpenseHeading;
}

bool MonthlySummary::DrillDownRow(int row, const Ledger& ledger, Dialogs& dialogs) {
    if (drillLevel_ != 0) return false;
    if (!IsDrillableRow(row)) {
        dialogs.Beep();
        return false;
    }
    DrillInto(grid_.Cell(kLabelColumn, row), ledger);
    return true;
}

void MonthlySummary::DrillInto(const std::string& title, const Ledger& ledger) {
    drillLevel_ = 1;
    selectedTitle_ = title;
    BuildLevel(1, ledger);
}

void MonthlySummary::GoBack(bool printPageShown, const Ledger& ledger, Dialogs& dialogs) {
    if (printPageShown) {
        dialogs.ShowInfo(kSummaryConfirmHeading, kPreviewShownMessage);
        return;
    }
    if (drillLevel_ == 0) {
        dialogs.ShowInfo(kSummaryConfirmHeading, kTopLevelMessage);
        return;
    }
    drillLevel_ = 0;
    BuildLevel(0, ledger);
}

RgbColour SummaryCellColour(const std::string& text, bool negativeInRed) {
    return negativeInRed && text.find('-') != std::string::npos ? kTextRed : kTextBlack;
}

}  // namespace velmora
