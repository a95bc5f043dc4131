#include "core/session/book_commands.h"

#include <cstdio>

#include "core/ledger/kept_balances.h"
#include "core/ledger/record.h"
#include "core/util/codepage.h"
#include "core/util/fields.h"
#include "core/util/text_length.h"

namespace velmora {
namespace {

void RecomputeAndShow(Session& session) {
    session.RecomputeCurrent();
    session.NotifyViewChanged();
}

// A name that would break the registry or the records, or that the file cannot hold, is
// refused with a message; empty when the name is fine.
std::string NameProblem(const std::string& name) {
    if (WideTrim(name).empty()) return "帳簿名を入力してください。";
    std::string bad = FirstNonCp932Character(name);
    if (!bad.empty()) return "「" + bad + "」はCP932(Shift_JIS)で保存できない文字です。";
    return {};
}

bool NameTaken(const LineList& registry, const std::string& name, int exceptIndex) {
    for (int i = 0; i < registry.Count(); ++i)
        if (i != exceptIndex && RegistryName(registry[i]) == name) return true;
    return false;
}

}  // namespace

void SelectCashBook(Session& session) {
    session.currentBook = session.ledger.CashBook();
    session.lastSelectedBook = session.currentBook;
    RecomputeAndShow(session);
}

void SelectBook(Session& session, const BookId& book) {
    session.currentBook = book;
    session.lastSelectedBook = book;
    RecomputeAndShow(session);
}

void SelectAllBooks(Session& session) {
    session.allBooks = true;
    session.currentBook = BookId{std::string(kAllBooksKind), std::string(kAllBooksKind)};
    RecomputeAndShow(session);
}

std::vector<std::string> BookNames(const Session& session, const std::string& kind) {
    std::vector<std::string> names;
    if (const LineList* registry = session.ledger.RegistryOf(kind))
        for (const auto& line : registry->Items()) names.push_back(RegistryName(line));
    return names;
}

namespace {

// The rows of the book balance list, balances still empty.
std::vector<BookBalanceRow> BookRows(const Session& session) {
    std::vector<BookBalanceRow> rows;
    rows.push_back({std::string(kCashKind), session.ledger.UseTypeName(), ""});
    for (const auto& line : session.ledger.pettyRegistry.Items())
        rows.push_back({std::string(kPettyKind), RegistryName(line), ""});
    for (const auto& line : session.ledger.bankRegistry.Items())
        rows.push_back({std::string(kBankKind), RegistryName(line), ""});
    return rows;
}

// Walks the books of rows and then, when withCurrent, the current book once more, so that
// the records end with the current book's balances as a recomputation of it would leave
// them. Returns the balances of the walk, one more than rows when withCurrent.
std::vector<Balances> WalkBooks(Session& session, std::vector<BookBalanceRow>& rows,
                                bool withCurrent) {
    std::vector<BookId> books;
    for (const auto& row : rows) books.push_back({row.kind, row.name});
    if (withCurrent) books.push_back(session.currentBook);
    std::vector<Balances> balances = KeptBalances(session.ledger, books, session.currentMonth);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].balanceText = balances[i].currentMonth.YenText();
    return balances;
}

}  // namespace

std::vector<BookBalanceRow> BookBalanceList(Session& session) {
    std::vector<BookBalanceRow> rows = BookRows(session);
    WalkBooks(session, rows, false);
    return rows;
}

std::vector<BookBalanceRow> BookBalanceListAndRecomputeCurrent(Session& session) {
    std::vector<BookBalanceRow> rows = BookRows(session);
    // A book's figures come from its own records only, so walking the current book last in
    // the same walk gives what recomputing it afterwards gives.
    session.balances = WalkBooks(session, rows, true).back();
    return rows;
}

std::string PettyListLine(const std::string& registryLine) {
    auto pad = [](std::string text, std::size_t width) {
        std::size_t n = CodePointCount(text);
        if (n < width) text.append(width - n, ' ');
        return text;
    };
    std::string balance = RegistryBalance(registryLine).CurrencyText();
    std::size_t n = CodePointCount(balance);
    if (n < 12) balance.insert(0, 12 - n, ' ');
    return pad(RegistryName(registryLine), 20) + pad("前年度残:", 10) + balance;
}

std::string BankListLine(const std::string& registryLine) {
    return RegistryName(registryLine) + "　　　前年度残:" + FieldN(registryLine, ",", 4) + "円";
}

std::string CutBookName(const std::string& name) {
    return CutToCp932Bytes(CutToCodePoints(name, 16), 20);
}

bool AddBook(Session& session, const std::string& kind, const std::string& typedName,
             Amount balance) {
    LineList* registry = session.ledger.RegistryOf(kind);
    if (registry == nullptr) return false;
    // A comma or double quote would split the registry line and the records.
    const std::string name = RemoveQuotesAndCommas(typedName);
    if (auto problem = NameProblem(name); !problem.empty()) {
        session.dialogs().ShowInfo(kCheckHeading, problem);
        return false;
    }
    if (NameTaken(*registry, name, -1)) {
        session.dialogs().ShowInfo(kCheckHeading, "同じ名前の帳簿が存在します。");
        return false;
    }
    registry->Add(RegistryLine(kind, name, balance));
    session.modified = true;
    session.NotifyViewChanged();
    return true;
}

bool RenameBook(Session& session, const std::string& kind, int index, const std::string& typedName,
                Amount balance) {
    LineList* registry = session.ledger.RegistryOf(kind);
    if (registry == nullptr || index < 0 || index >= registry->Count()) return false;
    const std::string name = RemoveQuotesAndCommas(typedName);
    if (auto problem = NameProblem(name); !problem.empty()) {
        session.dialogs().ShowInfo(kCheckHeading, problem);
        return false;
    }
    const std::string oldName = RegistryName((*registry)[index]);
    if (name != oldName && NameTaken(*registry, name, index)) {
        session.dialogs().ShowInfo(kCheckHeading, "同じ名前の帳簿が存在します。");
        return false;
    }
    registry->Put(index, RegistryLine(kind, name, balance));
    if (name != oldName) {
        LineList& list = session.ledger.transactions;
        RecordSplit split;
        for (int i = 0; i < list.Count(); ++i) {
            split.Split(list[i]);
            bool own = split.IsOwnBook(kind, oldName);
            bool other = split.IsOtherBook(kind, oldName);
            if (!own && !other) continue;
            auto fields = RecordFieldsOf(split);
            if (own) fields[kFieldOwnName] = name;
            if (other) fields[kFieldOtherName] = name;
            list.Put(i, JoinRecord(fields));
        }
        // The selection follows the book to its new name.
        const BookId renamed{kind, name};
        if (session.currentBook == BookId{kind, oldName}) session.currentBook = renamed;
        if (session.lastSelectedBook == BookId{kind, oldName}) session.lastSelectedBook = renamed;
    }
    session.modified = true;
    RecomputeAndShow(session);
    return true;
}

bool DeleteBook(Session& session, const std::string& kind, int index) {
    LineList* registry = session.ledger.RegistryOf(kind);
    if (registry == nullptr || index < 0 || index >= registry->Count()) return false;
    const std::string name = RegistryName((*registry)[index]);
    if (!session.dialogs().AskYesNo(kAppTitle, kAppTitle, name + "を削除していいですか？"))
        return false;
    LineList& list = session.ledger.transactions;
    RecordSplit split;
    std::vector<std::string> kept;
    kept.reserve(static_cast<std::size_t>(list.Count()));
    for (const auto& line : list.Items()) {
        split.Split(line);
        if (!split.BelongsTo(kind, name)) kept.push_back(line);
    }
    list.Adopt(std::move(kept));
    registry->Delete(index);
    session.modified = true;
    if (session.lastSelectedBook == BookId{kind, name})
        session.lastSelectedBook = session.ledger.CashBook();
    if (session.currentBook == BookId{kind, name})
        SelectCashBook(session);
    else
        RecomputeAndShow(session);
    return true;
}

}  // namespace velmora
