#pragma once
// Running balances are not stored per book: each record has one balance field (7), and a
// book's balances are produced on demand by walking the transaction list in date order.
#include <array>
#include <string_view>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/util/amount.h"

namespace velmora {

// What the last recomputation found for its book.
struct Balances {
    std::array<Amount, 14> monthEnd{};  // slots 1..12 by calendar month; 13 is never set
    Amount current;                     // after the book's last record
    Amount currentMonth;                // the month-end balance of the current month
    Amount starting;                    // the balance the walk started from
    // A running balance did not fit in an amount: from there on the balance is held at
    // the largest amount of its sign instead of wrapping round.
    bool overflow = false;
};

// Recomputes the running balances of book (kind, name) from list index startLine (0 =
// the whole year): field 7 of every record of the book is rewritten, and the month-end
// balances from each record's period to the year's end are set. With startLine > 0 the
// walk starts from the balance of the nearest earlier record of the book, and month-end
// balances of earlier months stay as they were in balances.
void Recompute(Ledger& ledger, Balances& balances, int startLine, std::string_view name,
               std::string_view kind, int currentMonth);

// The balances of every book of books, in one walk over the list: the same figures as
// Recompute from line 0 for each book in turn, and the same lines afterwards (field 7 of a
// record holds the balance of the last of the books listed that it belongs to).
std::vector<Balances> RecomputeBooks(Ledger& ledger, const std::vector<BookId>& books,
                                     int currentMonth);

// True when the running balance of some book of books would not fit in an amount. One
// walk over the list that changes nothing.
bool BalancesOverflow(const Ledger& ledger, const std::vector<BookId>& books);

// Rewrites field 0 (the month tag) of every record after the periods changed. A date
// before the first period goes to the start month, one after all periods to the last.
void RetagPeriods(Ledger& ledger);

}  // namespace velmora
