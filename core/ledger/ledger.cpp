#include "core/ledger/ledger.h"

#include "core/util/fields.h"

namespace velmora {

TLightStrings* Ledger::RegistryOf(std::string_view kind) {
    if (kind == kPettyKind) return &pettyRegistry;
    if (kind == kBankKind) return &bankRegistry;
    return nullptr;
}

const TLightStrings* Ledger::RegistryOf(std::string_view kind) const {
    return const_cast<Ledger*>(this)->RegistryOf(kind);
}

std::string RegistryLine(std::string_view kind, std::string_view name, Amount balance) {
    std::string line = "z,";
    line += kind;
    line += ',';
    line += name;
    line += ',';
    line += balance.PlainText();
    line += ',';
    return line;
}

std::string RegistryName(std::string_view line) {
    return FieldN(line, ",", 3);
}

Amount RegistryBalance(std::string_view line) {
    // A carried balance with a fraction of a yen is read as it stands rather than lost.
    return Amount::TryParse(FieldNView(line, ",", 4)).value_or(Amount());
}

std::vector<BookId> BooksOf(const Ledger& ledger) {
    std::vector<BookId> books;
    books.reserve(1 + ledger.pettyRegistry.Items().size() + ledger.bankRegistry.Items().size());
    books.push_back(ledger.CashBook());
    for (const auto& line : ledger.pettyRegistry.Items())
        books.push_back({std::string(kPettyKind), RegistryName(line)});
    for (const auto& line : ledger.bankRegistry.Items())
        books.push_back({std::string(kBankKind), RegistryName(line)});
    return books;
}

Amount OpeningBalanceOf(const Ledger& ledger, std::string_view kind, std::string_view name) {
    if (kind == kCashKind) return ledger.openingBalance;
    const TLightStrings* registry = ledger.RegistryOf(kind);
    if (registry == nullptr) return Amount();
    Amount balance;
    for (const auto& line : registry->Items())
        if (FieldNView(line, ",", 3) == name) balance = RegistryBalance(line);
    return balance;
}

}  // namespace velmora
