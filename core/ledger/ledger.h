#pragma once
// The ledger model: one fiscal year of one ledger file — every transaction record of
// every book, the two book registries, the twelve periods and the file-level values.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ledger/book.h"
#include "core/ledger/periods.h"
#include "core/platform/line_list.h"
#include "core/util/amount.h"

namespace velmora {

class LedgerIndex;

struct Ledger {
    Ledger();
    // A copy builds its index again when it is first read; a move takes the index along.
    Ledger(const Ledger& other);
    Ledger(Ledger&& other);
    Ledger& operator=(const Ledger& other);
    Ledger& operator=(Ledger&& other);
    ~Ledger();

    LineList transactions;   // record lines in date order
    LineList pettyRegistry;  // "z,小口,name,balance," in order of creation
    LineList bankRegistry;   // "z,預金,name,balance,"
    Periods periods = Periods::CalendarYear(2004);
    Amount openingBalance;  // the cash book's balance at the start of the year
    int startMonth = 1;
    int useType = 1;
    int startYear = 2004;

    std::string UseTypeName() const { return velmora::UseTypeName(useType); }
    BookId CashBook() const { return {std::string(kCashKind), UseTypeName()}; }
    int LastMonth() const { return LastFiscalMonth(startMonth); }
    // The fiscal year: the first day of the start month's period to the last day of the
    // last month's period.
    Date FirstDay() const { return periods.start[static_cast<std::size_t>(startMonth)]; }
    Date LastDay() const { return periods.end[static_cast<std::size_t>(LastMonth())]; }

    // The registry of petty-cash ("小口") or bank ("預金") books; nullptr for other kinds.
    LineList* RegistryOf(std::string_view kind);
    const LineList* RegistryOf(std::string_view kind) const;

    // What is kept about the transaction list (ledger_index.h), in step with every change.
    const LedgerIndex& Index() const { return *index_; }
    // The index to be built by a file's parse while it reads the lines (LedgerIndex's
    // BeginReading), so that each line is split once.
    LedgerIndex& IndexToRead() { return *index_; }

private:
    void Attach();

    std::unique_ptr<LedgerIndex> index_;
};

// "z," + kind + "," + name + "," + balance + ",".
std::string RegistryLine(std::string_view kind, std::string_view name, Amount balance);
// The book name of a registry line (its third comma-terminated field).
std::string RegistryName(std::string_view line);
// The opening balance of a registry line: its fourth field, 0 when that is not a number.
Amount RegistryBalance(std::string_view line);

// Every book of the ledger: the cash book, then the petty-cash and the bank books in
// registry order.
std::vector<BookId> BooksOf(const Ledger& ledger);

// The opening balance of a book: the file's for the cash book, the registry line of that
// kind and name for the others (the last one when several match; none -> 0).
Amount OpeningBalanceOf(const Ledger& ledger, std::string_view kind, std::string_view name);

// Puts the record lines of list into date order, the records of one day in the order they
// had; a line whose date does not read stays behind the line before it. Only lines out
// of place are put anew (through Put, so that undo and the journal see each change).
// Returns how many lines changed places.
int SortRecordsByDate(LineList& list);

}  // namespace velmora
