#include "core/import/import_into_book.h"

#include <algorithm>

#include "core/entry/entry_checks.h"
#include "core/entry/entry_record.h"
#include "core/ledger/record.h"
#include "core/ledgerview/main_calendar.h"
#include "core/ledgerview/record_side.h"

namespace velmora {
namespace {

// The rows to import in the order they go into the book: by date, and within a day as the
// statement has them from the oldest.
std::vector<const PlannedRow*> RowsInBookOrder(const ImportPlan& plan) {
    std::vector<const PlannedRow*> rows;
    for (const PlannedRow& row : plan.rows)
        if (row.verdict == RowVerdict::Import) rows.push_back(&row);
    if (plan.newestFirst) std::reverse(rows.begin(), rows.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const PlannedRow* a, const PlannedRow* b) { return a->date < b->date; });
    return rows;
}

// The book's running balance after the last of the rows once they stand in the list (row
// k before line positions[k]), worked out without changing the list; nullopt when a
// running balance would no longer fit in an amount.
std::optional<Amount> BalanceAfterRows(const Ledger& ledger, const BookId& book,
                                       const std::vector<const PlannedRow*>& rows,
                                       const std::vector<int>& positions) {
    std::int64_t balance = OpeningBalanceOf(ledger, book.kind, book.name).Raw();
    std::int64_t afterLast = balance;
    auto move = [&balance](Amount in, Amount out) {
        return !__builtin_add_overflow(balance, in.Raw(), &balance) &&
               !__builtin_sub_overflow(balance, out.Raw(), &balance);
    };
    const LineList& list = ledger.transactions;
    // A record of the book names it as one of its sides: only those lines are split (the
    // search starts at the kind, whose first byte is rare, rather than at a comma).
    const std::string side = book.kind + "," + book.name + ",";
    RecordSplit split;
    std::size_t next = 0;
    for (int i = 0; i <= list.Count(); ++i) {
        for (; next < rows.size() && positions[next] == i; ++next) {
            if (!move(rows[next]->income, rows[next]->expense)) return std::nullopt;
            afterLast = balance;
        }
        if (i == list.Count()) break;
        const std::string& line = list[i];
        if (!IsRecordLine(line) || line.find(side) == std::string::npos) continue;
        split.Split(line);
        if (!split.BelongsTo(book.kind, book.name)) continue;
        const SeenAmounts seen = AmountsSeenBy(split, book.kind, book.name);
        if (!move(Amount::TryParse(seen.income).value_or(Amount()),
                  Amount::TryParse(seen.expense).value_or(Amount())))
            return std::nullopt;
    }
    return Amount::FromRaw(afterLast);
}

}  // namespace

ImportResult ImportIntoBook(Session& session, ViewState& view, const ImportPlan& plan) {
    ImportResult result;
    const std::vector<const PlannedRow*> rows = RowsInBookOrder(plan);
    if (rows.empty()) {
        result.refusal = kNothingToImport;
        return result;
    }
    Ledger& ledger = session.ledger;
    LineList& list = ledger.transactions;
    std::vector<Date> dates;
    for (const PlannedRow* row : rows) dates.push_back(row->date);
    const std::vector<int> positions = DateOrderPositions(list, dates);
    const std::optional<Amount> balanceAfterLast =
        BalanceAfterRows(ledger, plan.book, rows, positions);
    if (!balanceAfterLast) {
        result.refusal = kEntryOverflowMessage;
        return result;
    }

    // Each record as the entry form would make it, numbered by the lines before it.
    std::vector<std::pair<std::int32_t, std::string>> lines;
    lines.reserve(rows.size());
    const int count = list.Count();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const PlannedRow& row = *rows[k];
        const int line = positions[k] + static_cast<int>(k);
        // A transfer of which the book is the other side is stored as its own book keeps it.
        const BookId partner = row.transferWith.value_or(plan.book);
        const bool reversed = row.bookIsOtherSide;
        const EntryRecord record{row.month,
                                 FormatDate("yyyy", row.date),
                                 FormatDate("mm", row.date),
                                 FormatDate("dd", row.date),
                                 count + static_cast<int>(k),
                                 row.title,
                                 row.description,
                                 reversed ? row.expense : row.income,
                                 reversed ? row.income : row.expense,
                                 reversed ? partner : plan.book,
                                 reversed ? plan.book : partner};
        lines.emplace_back(line, EntryRecordText(record));
        result.added.push_back({row.fileRow, line});
    }
    list.InsertMany(std::move(lines));
    session.modified = true;

    // The view shows the book on the last imported day, as after an entry of that row; its
    // running balances are worked out again when it is shown.
    const PlannedRow& last = *rows.back();
    if (last.balance) result.balance = BalanceCheck{*balanceAfterLast, *last.balance};
    if (!session.allBooks) {
        session.currentBook = plan.book;
        session.lastSelectedBook = plan.book;
    }
    ShowMainCalendar(session, view, last.date);
    if (session.currentMonth != 13) session.currentMonth = last.month;
    session.NotifyViewChanged();
    return result;
}

std::string ImportResultText(const ImportPlan& plan, const ImportResult& result) {
    if (!result.refusal.empty()) return result.refusal;
    std::string text = std::to_string(result.added.size()) + "件を取り込みました。";
    const int refused = plan.Count(RowVerdict::Refused);
    const int outside = plan.Count(RowVerdict::OutsideYear);
    const int duplicates = plan.Count(RowVerdict::Duplicate);
    if (refused + outside + duplicates > 0) {
        text +=
            "\r\n取り込まなかった行: " + std::to_string(refused + outside + duplicates) + "件（";
        std::string kinds;
        auto kind = [&kinds](const char* name, int n) {
            if (n == 0) return;
            if (!kinds.empty()) kinds += "、";
            kinds += std::string(name) + std::to_string(n) + "件";
        };
        kind("重複", duplicates);
        kind("年度外", outside);
        kind("入力できない行", refused);
        text += kinds + "）";
    }
    if (result.balance) {
        const BalanceCheck& b = *result.balance;
        text += "\r\n最後の行の残高: 帳簿 " + b.book.YenText() + "円、明細 " +
                b.statement.YenText() + "円" + (b.Matches() ? "（一致）" : "（不一致）");
    }
    return text;
}

}  // namespace velmora
