#pragma once
// How one book sees a record: a transfer shows the other book's name after the
// description and its amounts reversed on the other side. The ledger view and the CSV
// export share these rules.
#include <string>
#include <string_view>

#include "core/ledger/record.h"

namespace velmora {

// Field 4, followed by an ideographic space and the other side's book name in 《》 when
// the record is seen from a book other than the one that name stands for.
std::string DecoratedDescription(const RecordSplit& record, std::string_view kind,
                                 std::string_view name);

// The title the ledger view shows: for a transfer between kinds, the kind of the book on
// the other side; otherwise field 3.
std::string_view SeenTitle(const RecordSplit& record, std::string_view kind);

struct SeenAmounts {
    std::string_view income;
    std::string_view expense;
};
// Fields 5 and 6 for the record's own book; reversed for its other book.
SeenAmounts AmountsSeenBy(const RecordSplit& record, std::string_view kind, std::string_view name);

}  // namespace velmora
