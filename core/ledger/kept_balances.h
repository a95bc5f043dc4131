#pragma once
// Balances that are kept, not walked: the figures a walk of a book gives (balances.h) read
// from the ledger's index in time that does not grow with the year, and field 7 of the
// records brought to what the walks of the book balance list and the current book leave
// there only when the lines are asked for (SettleBalances). Where a walk would rewrite
// lines beyond field 7 (a record of the earlier form, a line with quotes or other than
// twelve fields), the walk runs as before.
#include <vector>

#include "core/ledger/balances.h"
#include "core/ledger/book.h"
#include "core/ledger/ledger.h"

namespace velmora {

// What Recompute from line 0 finds for each book, in order. The lines are left as they are
// unless a walk must rewrite them beyond field 7; then RecomputeBooks runs for the books.
std::vector<Balances> KeptBalances(Ledger& ledger, const std::vector<BookId>& books,
                                   int currentMonth);
Balances KeptBalances(Ledger& ledger, const BookId& book, int currentMonth);

// True when the running balance of some book of books would not fit in an amount.
bool KeptBalancesOverflow(const Ledger& ledger, const std::vector<BookId>& books);

// The running balance of book after line (which must be one of its records), as field 7
// holds it once the book was walked.
Amount KeptBalanceAt(const Ledger& ledger, const BookId& book, int line);

// Field 7 of every record as showing the ledger view leaves it: the balance of the current
// book for its records, for any other record that of the last book of BooksOf it belongs
// to; a record of no such book keeps what it holds. Nothing is done when nothing changed
// since the lines were last settled for the same books.
void SettleBalances(Ledger& ledger, const BookId& current);

}  // namespace velmora
