#pragma once
// The book chooser of the monthly summary: two parallel lists of the same length, the
// names the user picks from (`notes_select`) and the book kind of each (`notes_link`).
#include <string>
#include <vector>

#include "core/ledger/book.h"
#include "core/ledger/ledger.h"

namespace velmora {

struct BookSelector {
    std::vector<std::string> names;  // display names
    std::vector<std::string> kinds;  // kinds of the same index
    int itemIndex = 0;

    int Count() const { return static_cast<int>(names.size()); }
    // The book at the selected index as (kind, name); all books at item 0 or when the
    // selector is empty.
    BookId Selected() const;
    bool IsAllBooks() const { return itemIndex <= 0 || itemIndex >= Count(); }
    // The index of (kind, name), or -1.
    int IndexOf(const BookId& book) const;
};

// Item 0 all books, item 1 the cash book, then the petty-cash books and the bank books in
// registry order; item 0 selected.
BookSelector BookSelectorOf(const Ledger& ledger);

}  // namespace velmora
