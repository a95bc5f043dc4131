#include "core/session/book_display.h"

#include "core/util/paths.h"

namespace velmora {

BookHeader BookHeaderOf(const Session& session) {
    const std::string& kind = session.currentBook.kind;
    auto header = [&session](const char* image, std::string heading) {
        return BookHeader{JoinPath(session.programFolder(), image), std::move(heading)};
    };
    if (kind == kPettyKind) return header("images/bar2.bmp", "小口現金");
    if (kind == kBankKind) return header("images/bar3.bmp", "預金出納帳");
    if (kind == kAllBooksKind) return header("images/bar1.bmp", std::string(kAllBooksKind));
    return header("images/bar1.bmp", session.ledger.UseTypeName());
}

std::string BookListHeading(const std::string& kind) {
    return kind == kPettyKind ? "小口現金帳簿選択" : "預金帳簿選択";
}

std::string BookListRow::ShownBalance() const {
    if (balanceText.starts_with('\\')) return "¥" + balanceText.substr(1);
    return balanceText;
}

std::vector<BookListRow> BookListRows(const Session& session, const std::string& kind) {
    std::vector<BookListRow> rows;
    if (const LineList* registry = session.ledger.RegistryOf(kind))
        for (const auto& line : registry->Items())
            rows.push_back({RegistryName(line), RegistryBalance(line).CurrencyText()});
    return rows;
}

}  // namespace velmora
