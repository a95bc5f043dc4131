#include "core/print/session_print_sources.h"

#include "core/ledgerview/month_selection.h"
#include "core/platform/file_io.h"
#include "core/print/print_data.h"
#include "core/session/file_commands.h"
#include "core/util/fields.h"

namespace velmora {

std::string FiscalRangeText(const Ledger& ledger) {
    return FormatDate("yyyy/mm/dd", ledger.FirstDay()) + "～" +
           FormatDate("yyyy/mm/dd", ledger.LastDay());
}

std::string BookBalanceRangeText(const Ledger& ledger, int month) {
    constexpr std::string_view kDay = "yyyy\"年\"mm\"月\"dd\"日\"";
    const bool all = month < 1 || month > 12;
    const Date first =
        all ? ledger.FirstDay() : ledger.periods.start[static_cast<std::size_t>(month)];
    const Date last = all ? ledger.LastDay() : ledger.periods.end[static_cast<std::size_t>(month)];
    return FormatDate(kDay, first) + "～" + FormatDate(kDay, last);
}

LedgerListing SessionPrintSources::Listing() {
    shown_ = ShowLedgerView(session_, view_);
    LedgerListing listing;
    listing.rows = shown_.rows.All();
    listing.calendarMonth = view_.calendar.drawn;
    listing.month = session_.currentMonth;
    listing.ledgerTab = shown_.ledgerTab;
    return listing;
}

LedgerListing SessionPrintSources::CurrentLedger() {
    return Listing();
}

LedgerListing SessionPrintSources::ShowLedgerMonth(int month) {
    session_.monthPanel = std::to_string(month);
    SelectMonth(session_, view_, month);
    return Listing();
}

void SessionPrintSources::ShowPrintDataPanels(const std::string& searchRange,
                                              const std::string& monthPanel) {
    searchRange_ = searchRange;
    shown_.searchRange = searchRange;
    session_.monthPanel = monthPanel;
}

LedgerPageInputs SessionPrintSources::LedgerPage() const {
    LedgerPageInputs in;
    in.bookKind = session_.currentBook.kind;
    in.bookName = session_.currentBook.name;
    in.companyName = session_.settings.companyName;
    in.yearPanel = view_.yearPanel;
    in.monthPanel = view_.monthPanel;
    in.accountFilter = session_.accountFilter;
    in.allBooks = session_.allBooks;
    in.useType = session_.ledger.useType;
    in.startYear = session_.ledger.startYear;
    in.negativeInRed = session_.settings.negativeInRed;
    in.today = session_.clock().Today();
    return in;
}

std::vector<std::string> SessionPrintSources::SummaryPrintData() const {
    return SummaryPrintLines(summary_.grid());
}

PageHeadings SessionPrintSources::Headings() const {
    PageHeadings headings;
    headings.today = session_.clock().Today();
    headings.companyName = session_.settings.companyName;
    headings.caption = summary_.caption();
    headings.fiscalRange = FiscalRangeText(session_.ledger);
    return headings;
}

GraphLabels SessionPrintSources::Graph() const {
    const GraphFigures& graph = summary_.graph();
    GraphLabels labels;
    for (std::size_t z = 1; z <= 12; ++z) {
        const GraphMonth& m = graph.months[z - 1];
        labels.month[z] = m.month.caption;
        labels.monthHint[z] = m.hint;
        labels.income[z] = m.incomeTotal.caption;
        labels.cumulativeIncome[z] = m.cumulativeIncome.caption;
        labels.expense[z] = m.expenseTotal.caption;
        labels.cumulativeExpense[z] = m.cumulativeExpense.caption;
        labels.difference[z] = m.difference.caption;
        labels.cumulativeDifference[z] = m.cumulativeDifference.caption;
    }
    labels.range = summary_.range();
    const BookSelector& selector = summary_.selector();
    if (selector.itemIndex >= 0 && selector.itemIndex < selector.Count())
        labels.bookName = selector.names[static_cast<std::size_t>(selector.itemIndex)];
    labels.maximum = Amount::TryParse(PlainAmountText(graph.scaleTop.caption)).value_or(Amount());
    return labels;
}

BookBalancePageData SessionPrintSources::BookBalances() {
    // The balances as the ledger view shows them now, whatever was printed before.
    Listing();
    BookBalancePageData data;
    for (const BookBalanceRow& row : shown_.bookBalances) data.rows.push_back(row.HiddenText());
    data.bookTitle = shown_.bookTitle;
    data.range = BookBalanceRangeText(session_.ledger, session_.currentMonth);
    data.totalIncome = shown_.totalIncome;
    data.totalExpense = shown_.totalExpense;
    data.totalDifference = shown_.totalDifference;
    return data;
}

bool SessionPrintSources::RefuseOutput(const std::string& path) {
    return RefuseProtectedOutput(session_, path);
}

unsigned SessionPrintSources::OutputPermissions() const {
    return OutputModeLimit(session_.currentFile);
}

std::string SessionPrintSources::OutputFolder() const {
    return LedgerFileRequest(session_, "", false).initialFolder;
}

}  // namespace velmora
