#include "core/reports/book_selector.h"

namespace velmora {

BookId BookSelector::Selected() const {
    if (itemIndex <= 0 || itemIndex >= Count())
        return {std::string(kAllBooksKind), std::string(kAllBooksKind)};
    const auto i = static_cast<std::size_t>(itemIndex);
    return {kinds[i], names[i]};
}

int BookSelector::IndexOf(const BookId& book) const {
    for (int i = 0; i < Count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (kinds[at] == book.kind && names[at] == book.name) return i;
    }
    return -1;
}

BookSelector BookSelectorOf(const Ledger& ledger) {
    BookSelector selector;
    auto add = [&selector](std::string name, std::string_view kind) {
        selector.names.push_back(std::move(name));
        selector.kinds.emplace_back(kind);
    };
    add(std::string(kAllBooksKind), kAllBooksKind);
    add(ledger.UseTypeName(), kCashKind);
    for (const auto& line : ledger.pettyRegistry.Items()) add(RegistryName(line), kPettyKind);
    for (const auto& line : ledger.bankRegistry.Items()) add(RegistryName(line), kBankKind);
    selector.itemIndex = 0;
    return selector;
}

}  // namespace velmora
