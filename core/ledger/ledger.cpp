#include "core/ledger/ledger.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "core/ledger/ledger_index.h"
#include "core/ledger/record.h"
#include "core/util/fields.h"

namespace velmora {

Ledger::Ledger() : index_(std::make_unique<LedgerIndex>(*this)) {
    Attach();
}

Ledger::Ledger(const Ledger& other)
    : transactions(other.transactions),
      pettyRegistry(other.pettyRegistry),
      bankRegistry(other.bankRegistry),
      periods(other.periods),
      openingBalance(other.openingBalance),
      startMonth(other.startMonth),
      useType(other.useType),
      startYear(other.startYear),
      index_(std::make_unique<LedgerIndex>(*this)) {
    Attach();
}

Ledger::Ledger(Ledger&& other)
    : transactions(std::move(other.transactions)),
      pettyRegistry(std::move(other.pettyRegistry)),
      bankRegistry(std::move(other.bankRegistry)),
      periods(other.periods),
      openingBalance(other.openingBalance),
      startMonth(other.startMonth),
      useType(other.useType),
      startYear(other.startYear),
      index_(std::move(other.index_)) {
    Attach();
    other.index_ = std::make_unique<LedgerIndex>(other);
    other.Attach();
    other.index_->LinesReplaced();
}

Ledger& Ledger::operator=(const Ledger& other) {
    if (this != &other) {
        // The list tells its index that it was replaced as a whole.
        transactions = other.transactions;
        pettyRegistry = other.pettyRegistry;
        bankRegistry = other.bankRegistry;
        periods = other.periods;
        openingBalance = other.openingBalance;
        startMonth = other.startMonth;
        useType = other.useType;
        startYear = other.startYear;
    }
    return *this;
}

Ledger& Ledger::operator=(Ledger&& other) {
    if (this != &other) {
        transactions = std::move(other.transactions);
        pettyRegistry = std::move(other.pettyRegistry);
        bankRegistry = std::move(other.bankRegistry);
        periods = other.periods;
        openingBalance = other.openingBalance;
        startMonth = other.startMonth;
        useType = other.useType;
        startYear = other.startYear;
        // The other's index was kept for the lines that are now this ledger's.
        std::swap(index_, other.index_);
        Attach();
        other.Attach();
        other.index_->LinesReplaced();
    }
    return *this;
}

Ledger::~Ledger() {
    transactions.ObserveWith(nullptr);
}

void Ledger::Attach() {
    index_->Follow(*this);
    transactions.ObserveWith(index_.get());
}

LineList* Ledger::RegistryOf(std::string_view kind) {
    if (kind == kPettyKind) return &pettyRegistry;
    if (kind == kBankKind) return &bankRegistry;
    return nullptr;
}

const LineList* Ledger::RegistryOf(std::string_view kind) const {
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
    const LineList* registry = ledger.RegistryOf(kind);
    if (registry == nullptr) return Amount();
    Amount balance;
    for (const auto& line : registry->Items())
        if (FieldNView(line, ",", 3) == name) balance = RegistryBalance(line);
    return balance;
}

int SortRecordsByDate(LineList& list) {
    const auto count = static_cast<std::size_t>(list.Count());
    std::vector<Date> keys(count);
    std::optional<Date> last;
    bool ordered = true;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<Date> date =
            Date::TryParse(LeadingRecordField(list[static_cast<std::int32_t>(i)], kFieldDate));
        keys[i] = date ? *date : last.value_or(Date());
        if (i > 0 && keys[i] < keys[i - 1]) ordered = false;
        last = keys[i];
    }
    if (ordered) return 0;
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::string> sorted;
    sorted.reserve(count);
    for (std::size_t from : order) sorted.push_back(list[static_cast<std::int32_t>(from)]);
    int moved = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (order[i] == i) continue;
        list.Put(static_cast<std::int32_t>(i), std::move(sorted[i]));
        ++moved;
    }
    return moved;
}

}  // namespace velmora
