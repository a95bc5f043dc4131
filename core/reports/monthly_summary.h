#pragma once
// The monthly account summary page: the whole fiscal year of one book (or of all books)
// by account title and month, with a drill-down from a title to its descriptions, and
// the income/expense graph refreshed with every build. The window shows grid(),
// range(), caption() and graph(); its commands call the operations below.
#include <string>

#include "core/ledger/ledger.h"
#include "core/platform/dialogs.h"
#include "core/reports/book_selector.h"
#include "core/reports/graph_figures.h"
#include "core/reports/month_columns.h"
#include "core/reports/report_colours.h"
#include "core/reports/summary_grid.h"

namespace velmora {

inline constexpr const char* kSummaryCaption = "月別科目一覧表";
inline constexpr const char* kDetailCaptionSuffix = "明細表";
inline constexpr const char* kSummaryConfirmHeading = "確認";
inline constexpr const char* kPreviewShownMessage = "現在印刷プレビュー中です";
inline constexpr const char* kTopLevelMessage = "現在は科目一覧表示中です、これ以上は戻れません";

class MonthlySummary {
public:
    const SummaryGrid& grid() const { return grid_; }
    const BookSelector& selector() const { return selector_; }
    const MonthColumns& monthColumns() const { return columns_; }
    // 0: account titles; 1: the descriptions of selectedTitle().
    int drillLevel() const { return drillLevel_; }
    const std::string& selectedTitle() const { return selectedTitle_; }
    const std::string& range() const { return range_; }
    const std::string& caption() const { return caption_; }
    int incomeTotalRow() const { return incomeTotalRow_; }
    int expenseTotalRow() const { return expenseTotalRow_; }
    // The row marked "=", 0 when the table has none.
    int lastRow() const { return lastRow_; }
    const GraphFigures& graph() const { return graph_; }

    // Refills the book selector from the ledger's books and selects item 0.
    void RefillBookSelector(const Ledger& ledger);
    // Rebuilds the table for level 0 or 1 and refreshes the graph. The drill level is
    // left as it is. Throws ConversionError for a record amount that is not a number.
    void BuildLevel(int level, const Ledger& ledger);

    // The summary page opened (menu page or menu item): the selector is refilled and
    // level 0 built; a drill-down stays in force.
    void OpenPage(const Ledger& ledger);
    // "集計": level 0 again, book and drill level unchanged.
    void RebuildTitleLevel(const Ledger& ledger);
    // The book selector changed to item index.
    void ChooseBook(int index, const Ledger& ledger);
    // Double-click on row: drills into the account title of that row; anything else
    // beeps. True when it drilled down.
    bool DrillDownRow(int row, const Ledger& ledger, Dialogs& dialogs);
    // Shows the descriptions of title (what a double-click on its row does).
    void DrillInto(const std::string& title, const Ledger& ledger);
    // "Back": up one level. printPageShown: the side panel shows the print page.
    void GoBack(bool printPageShown, const Ledger& ledger, Dialogs& dialogs);

private:
    bool IsDrillableRow(int row) const;

    SummaryGrid grid_;
    BookSelector selector_;
    MonthColumns columns_;
    int drillLevel_ = 0;
    std::string selectedTitle_;
    std::string range_;
    std::string caption_;
    int incomeTotalRow_ = 0;
    int expenseTotalRow_ = 0;
    int lastRow_ = 0;
    GraphFigures graph_;
};

// The text colour of a summary cell: red for a negative figure when the negative-in-red
// option is on.
RgbColour SummaryCellColour(const std::string& text, bool negativeInRed);

}  // namespace velmora
