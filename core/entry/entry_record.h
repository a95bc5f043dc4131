#pragma once
// The record the entry form builds: which book stands on the other side, the title a
// transfer carries, the record text, and where the record goes to keep the transaction
// list in date order.
#include <string>
#include <string_view>
#include <vector>

#include "core/entry/description_lists.h"
#include "core/ledger/book.h"
#include "core/ledger/ledger.h"
#include "core/platform/line_list.h"
#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

// Transfers carry the kind of their tab as title, not the book picked.
inline constexpr std::string_view kPettyTransferTitle = "小口現金";
inline constexpr std::string_view kBankTransferTitle = "預金";

struct EntrySides {
    BookId other;
    std::string title;
};

// The other book and the record's title for an entry on tab by the book own. picked is
// the form's title field: a title on the titles tab, a book name on the transfer tabs.
// On a transfer tab the cash book's name stands for the cash book when the entry is made
// in a petty-cash or bank book.
EntrySides SidesOfEntry(EntryTab tab, const BookId& own, const std::string& picked,
                        const std::string& useTypeName);

struct EntryRecord {
    int month = 0;  // the period's calendar month
    std::string year, monthText, day;
    int entryNumber = 0;  // the list's line count when the record is made
    std::string title, description;
    Amount income, expense;
    BookId own, other;
};

// The twelve comma-terminated fields; the balance stays empty until the next
// recomputation.
std::string EntryRecordText(const EntryRecord& record);

// The line index at which a record dated date keeps the list in date order: after the
// last line dated on or before it, searched from the end (so a record joins the end of
// its day), or 0 when it is earlier than every line. Lines without a readable date are
// passed over.
int DateOrderPosition(const LineList& list, Date date);
// DateOrderPosition of each of many dates (in any order) in one walk over the list.
std::vector<int> DateOrderPositions(const LineList& list, const std::vector<Date>& dates);
// The same, from the ledger's index when every line has a date and the dates are in order.
int DateOrderPosition(const Ledger& ledger, Date date);

// The period a stored record is shown in: the month of its tag "dNN=" at the start of
// the line; 0 when the line has no such tag.
int TaggedMonth(std::string_view line);

// The title or description as the record keeps it: no double quote or comma (they would
// split the record), and as CleanTypedText makes it (no line break, which would split the
// file's line; a TAB, which would make a column of the view, as a space).
std::string CleanEntryText(std::string_view typed);

}  // namespace velmora
