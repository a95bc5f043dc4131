#pragma once
// Styles for KOKUYO's pre-printed loose-leaf ledger forms. The forms carry their own
// grid and captions, so these styles place only the texts.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class KokuyoForm {
    kCashBook,     // 金銭出納帳 リ-101
    kExpenseBook,  // 経費明細帳 リ-113
    kBankBook,     // 銀行勘定帳 リ-108
};

inline constexpr KokuyoForm kKokuyoForms[] = {KokuyoForm::kCashBook, KokuyoForm::kExpenseBook,
                                              KokuyoForm::kBankBook};

std::string_view KokuyoStyleName(KokuyoForm form);
std::vector<std::string> KokuyoFormStyle(KokuyoForm form);

}  // namespace velmora
