#include "core/ledgerview/ledger_row.h"

namespace velmora {

std::string LedgerRow::Text() const {
    std::string text;
    for (const auto& cell : cells_) {
        text += cell;
        text += ';';
    }
    if (recordIndex_) text += std::to_string(*recordIndex_);
    text += ';';
    return text;
}

}  // namespace velmora
