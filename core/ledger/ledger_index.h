#pragma once
// What is kept about the transaction list so that balances, a month of the ledger view and
// the monthly summary are read rather than worked out by walking the whole year: the facts
// of every line (books, amounts, date, month tag, title, description) in blocks of
// neighbouring lines, each block with its sums per book; every book's changes per balance
// slot; and, once the summary has been asked for, the year's amounts by book, title and
// month tag. The index follows each change of the list as it is made (LineObserver), in
// time that does not grow with the year; after the list was replaced as a whole, or the
// periods moved, it is built again from the lines when it is next read.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ledger/book.h"
#include "core/ledger/periods.h"
#include "core/ledger/record.h"
#include "core/platform/line_list.h"
#include "core/util/amount.h"

namespace velmora {

struct Ledger;

// Texts under small whole numbers; an id and the text it stands for last as long as the
// table.
class TextIds {
public:
    std::uint32_t Intern(std::string_view text);
    std::optional<std::uint32_t> Find(std::string_view text) const;
    std::string_view Text(std::uint32_t id) const { return texts_[id]; }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(texts_.size()); }

private:
    // The slot that holds text's id, or the empty slot where it would go.
    std::size_t SlotOf(std::string_view text, std::uint64_t hash) const;
    void Grow();

    std::deque<std::string> texts_;
    // An open-addressed table, at most half full, read at every line of a build: each slot
    // holds the high half of its text's hash above id + 1 (0: empty), so that a look-up
    // compares texts only when their hashes agree and follows no pointers until then.
    std::vector<std::uint64_t> slots_;
};

// What the index knows of one line, as the comma-text split of the line gives it.
struct LineFacts {
    enum Flag : std::uint16_t {
        kPlain = 1 << 0,         // twelve plain fields: a walk rewrites only field 7
        kOldForm = 1 << 1,       // at most nine fields: a walk completes its book fields
        kDated = 1 << 2,         // field 1 reads as a date
        kIncomeZero = 1 << 3,    // field 5 reads as 0 (or not at all)
        kExpenseZero = 1 << 4,   // field 6 likewise
        kIncomeText0 = 1 << 5,   // field 5 is the text "0"
        kExpenseText0 = 1 << 6,  // field 6 is the text "0"
        kBadAmount = 1 << 7,     // field 5 or 6 is no amount (the summary refuses it)
        kEndsLabels = 1 << 8,    // field 0 is "f", "z" or "g"
        kSameKind = 1 << 9,      // fields 8 and 10 are equal
        kBadIncome = 1 << 10,    // field 5 is not empty and not an amount
        kBadExpense = 1 << 11,   // field 6 likewise
        kRecordLine = 1 << 12,   // the line is a record ("d" first)
    };
    std::int64_t income = 0;   // raw amount of field 5, 0 when it is not one
    std::int64_t expense = 0;  // field 6
    std::int32_t day = 0;      // date serial of field 1 (kDated)
    std::uint32_t own = 0;     // book ids of fields 8/9 and 10/11
    std::uint32_t other = 0;
    std::uint32_t title = 0;  // text ids of fields 3 and 4
    std::uint32_t description = 0;
    std::uint8_t tag = 0;         // 1..12 when field 0 is that month's tag
    std::uint8_t leadingTag = 0;  // 1..12 when the line begins with that month's tag
    std::uint8_t slot = 0;        // the balance slot of the date (0: none)
    std::uint16_t flags = 0;

    bool Has(Flag flag) const { return (flags & flag) != 0; }
    bool Names(std::uint32_t book) const { return own == book || other == book; }
    // What the record adds to book's balance; 0 for a record of other books.
    std::int64_t ChangeFor(std::uint32_t book) const;
};

// balance moved by what the record adds to book, as a walk of the book moves it: held at
// the largest amount of its sign instead of wrapping round.
Amount AddRecordTo(Amount balance, const LineFacts& facts, std::uint32_t book);

// One book's figures over part of the list: the records that name it and the sums of
// their changes and of income and expense as the book sees them (wrapping arithmetic, so
// that sums can be taken apart again).
struct BookSums {
    std::uint32_t records = 0;
    std::uint64_t change = 0;
    std::uint64_t income = 0;
    std::uint64_t expense = 0;

    void Add(std::int64_t seenIncome, std::int64_t seenExpense, int sign);
    BookSums& operator+=(const BookSums& other);
    BookSums& operator-=(const BookSums& other);
};

// The monthly summary's view of a group of lines: the same books, title (and, for the
// descriptions, description), month tag and amount flags, with the sums of fields 5 and 6.
struct SummaryKey {
    std::uint32_t own = 0;
    std::uint32_t other = 0;
    std::uint32_t title = 0;
    std::uint32_t description = 0;  // kNoText on the titles' level
    std::uint8_t tag = 0;
    std::uint16_t flags = 0;  // LineFacts flags kIncomeZero .. kExpenseText0

    static constexpr std::uint32_t kNoText = 0xffffffffu;
    bool operator==(const SummaryKey&) const = default;
};
struct SummaryKeyHash {
    std::size_t operator()(const SummaryKey& key) const;
};
struct SummarySums {
    std::uint32_t records = 0;
    std::uint64_t income = 0;
    std::uint64_t expense = 0;
};
using SummaryTable = std::unordered_map<SummaryKey, SummarySums, SummaryKeyHash>;

class LedgerIndex final : public LineObserver {
    __extension__ typedef unsigned __int128 WideMagnitude;

public:
    // Lines per block when the index is built; a block that grows to twice as many is
    // split in two. Tests make blocks small so that a small ledger spans many of them.
    static constexpr std::size_t kBlockLines = 512;
    static inline std::size_t blockLines = kBlockLines;

    explicit LedgerIndex(const Ledger& ledger) : ledger_(&ledger) {}
    LedgerIndex(const LedgerIndex&) = delete;
    LedgerIndex& operator=(const LedgerIndex&) = delete;
    ~LedgerIndex() = default;

    // The ledger whose transaction list this index follows (after a Ledger moved).
    void Follow(const Ledger& ledger);

    // The index built while the lines are read, so that a file's parse takes each line
    // apart once: BeginReading once the ledger's periods are set, ReadLine for each line
    // the transaction list is to hold, in order, with split holding that line's fields,
    // and EndReading once the list holds those lines. A list of another length then is
    // read again when the index is next asked.
    void BeginReading();
    void ReadLine(const std::string& line, const RecordSplit& split);
    void EndReading();

    // LineObserver
    void LineInserted(std::int32_t index) override;
    void LineDeleted(std::int32_t index) override;
    void LineReplaced(std::int32_t index) override;
    void LinesExchanged(std::int32_t index1, std::int32_t index2) override;
    void LinesReplaced() override;

    // ---- What the index answers; each builds it first when it has to ----
    std::int32_t Count() const;
    const LineFacts& Facts(std::int32_t line) const;
    const TextIds& Texts() const;
    std::string_view BookKind(std::uint32_t book) const;
    std::string_view BookName(std::uint32_t book) const;
    std::optional<std::uint32_t> FindBook(std::string_view kind, std::string_view name) const;
    std::optional<std::uint32_t> FindText(std::string_view text) const;
    // A counter that moves with every change of the lines and every rebuild.
    std::uint64_t Version() const {
        EnsureBuilt();
        return version_;
    }

    // Calls visit(line, facts) for every line from first on, in order, until it returns
    // false.
    template <typename Visit>
    void Walk(std::int32_t first, Visit&& visit) const {
        EnsureBuilt();
        if (first < 0) first = 0;
        auto [b, offset] = Locate(first);
        for (std::int32_t i = first; b < blocks_.size(); ++b, offset = 0)
            for (const LineFacts& facts : std::span(blocks_[b].lines).subspan(offset))
                if (!visit(i++, facts)) return;
    }

    // A walk of book's balances would rewrite lines beyond field 7: a record of the earlier
    // form, or a line naming the book that is not twelve plain fields.
    bool WalkRewritesLines(std::uint32_t book) const;
    bool HasOldFormLines() const;
    // The records of book, added up, could leave an amount's range from opening.
    bool MayOverflow(std::uint32_t book, Amount opening) const;
    // Every line's balance slot follows the one before in fiscal order (none without one).
    bool SlotsInFiscalOrder() const;
    // Every line has a date, in order.
    bool DatesInOrder() const;

    // The book's balance after the records before line, as a walk from opening gives it.
    Amount BalanceBefore(std::uint32_t book, Amount opening, std::int32_t line) const;
    // Its month-end balances (slots 1..12) and its balance after its last record.
    void MonthEnds(std::uint32_t book, Amount opening, std::array<Amount, 14>& monthEnd,
                   Amount& last, bool& overflow) const;
    // The line of the n-th record (from 0) of book from line from on; Count() when none.
    std::int32_t NthRecordOf(std::uint32_t book, std::int32_t from, std::int32_t n) const;
    // Lines of book in [from, to), and what they add up to as the book sees them.
    BookSums SumsBetween(std::uint32_t book, std::int32_t from, std::int32_t to) const;
    // The first line whose text begins with month's tag; Count() when none.
    std::int32_t FirstLineBeginningWith(int month) const;
    // The end of the run of lines from line whose field 0 is month's tag.
    std::int32_t EndOfTagRun(int month, std::int32_t line) const;
    // Lines whose field 0 is month's tag (0: none).
    std::int32_t TaggedLines(int month) const;
    // The position after the last line dated on or before day (DatesInOrder only).
    std::int32_t PositionAfterDay(std::int32_t day) const;
    // The first line dated on or after day (DatesInOrder only).
    std::int32_t FirstLineOfDay(std::int32_t day) const;

    // The books whose balances field 7 was last brought to (kept_balances.h), with their
    // opening balances, and the version of the lines then.
    struct SettledLines {
        std::vector<BookId> books;
        std::vector<Amount> openings;
        std::uint64_t version = 0;
    };
    bool SettledFor(const SettledLines& settled) const;
    void MarkSettled(SettledLines settled) const;

    // ---- The monthly summary's sums (kept from the first time they are asked for) ----
    // Lines whose field 0 is "f", "z" or "g", or whose amount fields do not read.
    bool SummaryNeedsLines() const;
    const SummaryTable& TitleSums() const;
    // The descriptions' sums of the lines between books of one kind, by title (text id),
    // and of every line between books of different kinds.
    const std::unordered_map<std::uint32_t, SummaryTable>& DescriptionSums() const;
    const SummaryTable& TransferDescriptionSums() const;

private:
    struct Block {
        std::vector<LineFacts> lines;
        std::vector<std::pair<std::uint32_t, BookSums>> books;
        std::array<std::uint32_t, 13> tags{};
        std::array<std::uint32_t, 13> leadingTags{};
    };
    struct BookTotals {
        std::array<std::uint64_t, 13> slotChange{};  // wrapping; slot 0: lines without one
        WideMagnitude magnitude = 0;                 // sum of |income| + |expense|
        std::uint32_t irregular = 0;                 // lines naming it, not plain
    };
    struct PeriodsSeen {
        std::array<Date, 13> start{};
        std::array<Date, 13> end{};
        int startMonth = 0;
        bool operator==(const PeriodsSeen&) const = default;
    };

    void EnsureBuilt() const;
    void Build();
    // The facts of line, whose fields split holds.
    LineFacts FactsOf(const std::string& line, const RecordSplit& split);
    int SlotOf(std::int32_t day) const;
    PeriodsSeen PeriodsOf(const Ledger& ledger) const;
    // (block, offset) of line; (number of blocks, 0) for line == Count().
    std::pair<std::size_t, std::size_t> Locate(std::int32_t line) const;
    // The first lines of the blocks from block on counted again from the sizes before.
    void RecountStarts(std::size_t block);
    // The first lines of the blocks after block moved by delta (a line in or out of it).
    void ShiftStarts(std::size_t block, std::int32_t delta);
    LineFacts& At(std::int32_t line);
    // The book's sums over the lines before line.
    BookSums SumsBefore(std::uint32_t book, std::int32_t line) const;
    // The book's sums over the whole blocks before block, and its tree of them.
    BookSums BlocksBefore(std::uint32_t book, std::size_t block) const;
    const std::vector<BookSums>& TreeOf(std::uint32_t book) const;

    void Count(const LineFacts& facts, int sign);
    void CountPair(std::int32_t first, int sign);
    void CountSummary(const LineFacts& facts, int sign);
    void CountSummaryAll();
    void InsertFacts(std::int32_t line, const LineFacts& facts);
    void RemoveFacts(std::int32_t line);
    void ReplaceFacts(std::int32_t line, const LineFacts& facts);
    // The line's figures counted into (sign 1) or out of (sign -1) block b and the trees.
    void AddToBlock(std::size_t b, const LineFacts& facts, int sign);
    static void AddToBlockSums(Block& block, const LineFacts& facts, int sign);

    const Ledger* ledger_;
    bool built_ = false;
    std::uint64_t version_ = 0;
    PeriodsSeen periods_;
    std::vector<Block> blocks_;
    std::vector<std::int32_t> starts_;  // the first line of each block
    // Per book asked for (by id; empty: not made), the book's sums of the blocks as a
    // Fenwick tree (node k, from 1, sums the blocks (k - lowbit(k), k]), so that the sums
    // of all blocks before a line are read in time that grows with the log of the blocks.
    // Changes of a line update them; a block made, split or removed drops them all.
    mutable std::vector<std::vector<BookSums>> trees_;
    std::int32_t count_ = 0;
    TextIds books_;  // kind + '\x1f' + name
    std::vector<std::string_view> bookKinds_, bookNames_;
    TextIds texts_;  // titles and descriptions
    std::vector<BookTotals> bookTotals_;
    std::array<std::int64_t, 13> tagged_{};
    std::int64_t oldForm_ = 0;
    std::int64_t undated_ = 0;
    std::int64_t dateDescents_ = 0;
    std::int64_t unslotted_ = 0;
    std::int64_t slotDescents_ = 0;
    std::int64_t summaryOdd_ = 0;
    bool summaryKept_ = false;
    SummaryTable titleSums_;
    std::unordered_map<std::uint32_t, SummaryTable> descriptionSums_;
    SummaryTable transferSums_;
    RecordSplit split_;
    // What FactsOf read last, for the next line, which mostly has the same date and
    // books: the date's text with its serial and slot (kept from one build of the index to
    // the next periods), each side's book key with its id.
    struct LastRead {
        std::string dateText;
        std::optional<std::int32_t> day;
        std::uint8_t slot = 0;
        std::array<std::string, 2> bookKey;
        std::array<std::uint32_t, 2> book{};
    } last_;
    std::string bookKey_;  // room for a book key while it is made
    mutable std::optional<SettledLines> settled_;
};

}  // namespace velmora
