#pragma once
// The transactions of a ledger as a plain-text journal that ledger-cli reads, so that the
// same data can be timed in both programs. Books are asset accounts, titles are income or
// expense accounts, amounts are in JPY.
#include <string>

#include "core/ledger/book.h"
#include "core/ledger/ledger.h"

namespace velmora::bench {

inline constexpr const char* kJournalCommodity = "JPY";
inline constexpr const char* kOpeningAccount = "Equity:前年度繰越";

// "Assets:現金" for the cash book, "Assets:小口:" + name and "Assets:預金:" + name for the
// others.
std::string JournalAccountOf(const BookId& book);

// UTF-8 with LF line ends: an opening transaction on the first day of the fiscal year
// that brings in every book's opening balance, then one transaction per record in list
// order. A record moves money between its own book and either its other book (a
// transfer) or "Income:" / "Expenses:" + its account title.
std::string JournalText(const Ledger& ledger);

// Throws FileError.
void WriteJournalFile(const Ledger& ledger, const std::string& path);

}  // namespace velmora::bench
