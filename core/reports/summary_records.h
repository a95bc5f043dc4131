#pragma once
// Each ledger line as the monthly summary sees it, worked out once per build: the month
// it adds into, the row label it belongs under, whether it names a row of the income or
// the expense section, and the amounts it adds there.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <optional>

#include "core/ledger/book.h"
#include "core/ledger/ledger.h"
#include "core/ledger/ledger_index.h"
#include "core/platform/line_list.h"
#include "core/util/amount.h"

namespace velmora {

struct SummaryRequest {
    int level = 0;              // 0 account titles, 1 descriptions of selectedTitle
    BookId book;                // the book of the selector's item
    bool allBooks = true;       // selector item 0
    std::string selectedTitle;  // level 1 only
};

// The distinct label texts of one build, each with its case-folded form (label_order.h).
class LabelPool {
public:
    int Intern(std::string_view label);
    int Count() const { return static_cast<int>(labels_.size()); }
    std::string_view Label(int id) const { return labels_[static_cast<std::size_t>(id)]; }
    const std::string& Folded(int id) const { return folded_[static_cast<std::size_t>(id)]; }

private:
    std::unordered_map<std::string_view, int> ids_;
    std::vector<std::string_view> labels_;
    std::vector<std::string> folded_;
};

struct SeenRecord {
    int month = 0;        // calendar month of field 0's tag; 0 when it is none
    int label = -1;       // LabelPool id of its row label; -1 when outside the level
    bool listed = false;  // offers its label to the row lists
    bool incomeLabel = false;
    bool expenseLabel = false;
    bool addsIncome = false;
    bool addsExpense = false;
    Amount income;   // what it adds to its income row
    Amount expense;  // what it adds to its expense row
};

struct SeenLedger {
    LabelPool labels;
    std::vector<SeenRecord> records;
};

// The views in the result point into the lines of transactions, which must outlive it.
// Throws ConversionError when an amount field that matters is not a number.
SeenLedger SeeRecords(const LineList& transactions, const SummaryRequest& request);

// The same from the sums the ledger's index keeps by book, title, description, month tag
// and amount flags: one SeenRecord per group of lines that the summary treats alike, its
// amounts added up. Nothing when the lines themselves must be read: a line that ends the
// row labels, an amount that does not read (SeeRecords reports it), or two spellings of
// one row label (the row takes the spelling of the first line that offers it).
std::optional<SeenLedger> SeeRecordSums(const LedgerIndex& index, const SummaryRequest& request);

// SeeRecordSums, or SeeRecords where the lines must be read.
SeenLedger SeeLedger(const Ledger& ledger, const SummaryRequest& request);

}  // namespace velmora
