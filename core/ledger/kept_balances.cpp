#include "core/ledger/kept_balances.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/ledger/ledger_index.h"
#include "core/ledger/record.h"

namespace velmora {
namespace {

__extension__ typedef __int128 WideRaw;

bool AnyWalkRewritesLines(const LedgerIndex& index, const std::vector<BookId>& books) {
    if (index.HasOldFormLines()) return true;
    for (const BookId& book : books)
        if (auto id = index.FindBook(book.kind, book.name); id && index.WalkRewritesLines(*id))
            return true;
    return false;
}

Balances IndexedBalances(const Ledger& ledger, const BookId& book, int currentMonth) {
    const LedgerIndex& index = ledger.Index();
    Balances balances;
    const Amount opening = OpeningBalanceOf(ledger, book.kind, book.name);
    balances.starting = opening;
    balances.current = opening;
    for (int k = 1; k <= 12; ++k) balances.monthEnd[static_cast<std::size_t>(k)] = opening;
    if (auto id = index.FindBook(book.kind, book.name))
        index.MonthEnds(*id, opening, balances.monthEnd, balances.current, balances.overflow);
    // All months shown (13): the balance at the end of the fiscal year.
    const int month = currentMonth >= 1 && currentMonth <= 12 ? currentMonth : ledger.LastMonth();
    balances.currentMonth = balances.monthEnd[static_cast<std::size_t>(month)];
    return balances;
}

// The position of field 7 in a line of twelve plain fields: after its seventh comma.
std::pair<std::size_t, std::size_t> BalanceField(const std::string& line) {
    const char* data = line.data();
    const char* end = data + line.size();
    const char* at = data;
    for (int commas = 0; commas < 7 && at != nullptr; ++commas) {
        at = static_cast<const char*>(std::memchr(at, ',', static_cast<std::size_t>(end - at)));
        if (at != nullptr) ++at;
    }
    if (at == nullptr) return {line.size(), 0};
    const char* stop =
        static_cast<const char*>(std::memchr(at, ',', static_cast<std::size_t>(end - at)));
    if (stop == nullptr) return {line.size(), 0};
    return {static_cast<std::size_t>(at - data), static_cast<std::size_t>(stop - at)};
}

}  // namespace

std::vector<Balances> KeptBalances(Ledger& ledger, const std::vector<BookId>& books,
                                   int currentMonth) {
    if (AnyWalkRewritesLines(ledger.Index(), books))
        return RecomputeBooks(ledger, books, currentMonth);
    std::vector<Balances> balances;
    balances.reserve(books.size());
    for (const BookId& book : books)
        balances.push_back(IndexedBalances(ledger, book, currentMonth));
    return balances;
}

Balances KeptBalances(Ledger& ledger, const BookId& book, int currentMonth) {
    return KeptBalances(ledger, std::vector<BookId>{book}, currentMonth).front();
}

bool KeptBalancesOverflow(const Ledger& ledger, const std::vector<BookId>& books) {
    const LedgerIndex& index = ledger.Index();
    for (const BookId& book : books) {
        const auto id = index.FindBook(book.kind, book.name);
        const Amount opening = OpeningBalanceOf(ledger, book.kind, book.name);
        if (!id || !index.MayOverflow(*id, opening)) continue;
        if (IndexedBalances(ledger, book, 1).overflow) return true;
    }
    return false;
}

Amount KeptBalanceAt(const Ledger& ledger, const BookId& book, int line) {
    const LedgerIndex& index = ledger.Index();
    const Amount opening = OpeningBalanceOf(ledger, book.kind, book.name);
    const auto id = index.FindBook(book.kind, book.name);
    if (!id) return opening;
    return index.BalanceBefore(*id, opening, line + 1);
}

void SettleBalances(Ledger& ledger, const BookId& current) {
    LedgerIndex::SettledLines settled;
    settled.books = BooksOf(ledger);
    settled.books.push_back(current);
    for (const BookId& book : settled.books)
        settled.openings.push_back(OpeningBalanceOf(ledger, book.kind, book.name));
    const LedgerIndex& index = ledger.Index();
    if (index.SettledFor(settled)) return;
    if (AnyWalkRewritesLines(index, settled.books)) {
        RecomputeBooks(ledger, settled.books, 1);
        index.MarkSettled(std::move(settled));
        return;
    }

    // The walks of every book at once: a running balance per book of the list, and each
    // record takes the balance of the last book listed that it belongs to.
    std::vector<std::int64_t> balance;
    std::vector<int> rankOf;
    for (std::size_t i = 0; i < settled.books.size(); ++i) {
        const BookId& book = settled.books[i];
        const auto id = index.FindBook(book.kind, book.name);
        if (!id) continue;
        if (*id >= rankOf.size()) {
            rankOf.resize(*id + 1, -1);
            balance.resize(*id + 1, 0);
        }
        rankOf[*id] = static_cast<int>(i);
        balance[*id] = settled.openings[i].Raw();
    }
    auto rankOfBook = [&rankOf](std::uint32_t id) { return id < rankOf.size() ? rankOf[id] : -1; };
    LineList& list = ledger.transactions;
    index.Walk(0, [&](std::int32_t i, const LineFacts& facts) {
        const int ownRank = rankOfBook(facts.own);
        const int otherRank = facts.other == facts.own ? -1 : rankOfBook(facts.other);
        if (ownRank < 0 && otherRank < 0) return true;
        for (std::uint32_t book : {facts.own, facts.other}) {
            if (rankOfBook(book) < 0) continue;
            const WideRaw change = facts.own == book ? WideRaw{facts.income} - facts.expense
                                                     : WideRaw{facts.expense} - facts.income;
            std::int64_t& b = balance[book];
            if (__builtin_add_overflow(b, change, &b)) [[unlikely]] {
                b = change > 0 ? std::numeric_limits<std::int64_t>::max()
                               : std::numeric_limits<std::int64_t>::min();
            }
            if (facts.other == facts.own) break;
        }
        const std::uint32_t last = ownRank >= otherRank ? facts.own : facts.other;
        const std::string text = Amount::FromRaw(balance[last]).PlainText();
        const std::string& line = list[i];
        const auto [at, size] = BalanceField(line);
        if (std::string_view(line).substr(at, size) == text) return true;
        std::string settledLine;
        settledLine.reserve(line.size() + text.size());
        settledLine.append(line, 0, at);
        settledLine += text;
        settledLine.append(line, at + size, std::string::npos);
        list.PutDerived(i, std::move(settledLine));
        return true;
    });
    index.MarkSettled(std::move(settled));
}

}  // namespace velmora
