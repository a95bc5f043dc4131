#pragma once
// Ledger pages on plain A4 paper (cash, petty-cash and bank books): thirty rows per page
// under a heading band of column captions.
#include <string>
#include <string_view>
#include <vector>

#include "tools/make_styles/style_look.h"

namespace velmora {

enum class LedgerColumns {
    kWithTitle,     // with the account-title column
    kWithoutTitle,  // the description takes the account title's room
    kTitleSearch,   // printed while an account-title search is active
};

inline constexpr LedgerColumns kLedgerColumns[] = {
    LedgerColumns::kWithTitle, LedgerColumns::kWithoutTitle, LedgerColumns::kTitleSearch};

std::string_view LedgerColumnsNamePart(LedgerColumns columns);

std::vector<std::string> LedgerPageStyle(LedgerColumns columns, const StyleLook& look);

}  // namespace velmora
