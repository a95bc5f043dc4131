#include "core/ledger/ledger_index.h"

#include <algorithm>
#include <limits>

#include "core/ledger/ledger.h"
#include "core/util/date.h"

namespace velmora {
namespace {

// Wide enough that income less expense never overflows.
__extension__ typedef __int128 WideRaw;
__extension__ typedef unsigned __int128 WideMagnitude;

std::uint64_t Magnitude(std::int64_t raw) {
    return raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
}

// What a walk of the book does with a change: held at the largest amount of its sign
// instead of wrapping round.
std::int64_t SaturatingAdd(std::int64_t balance, WideRaw change, bool& overflow) {
    std::int64_t next = 0;
    if (__builtin_add_overflow(balance, change, &next)) [[unlikely]] {
        overflow = true;
        next = change > 0 ? std::numeric_limits<std::int64_t>::max()
                          : std::numeric_limits<std::int64_t>::min();
    }
    return next;
}

WideRaw WideChangeFor(const LineFacts& facts, std::uint32_t book) {
    if (facts.own == book) return WideRaw{facts.income} - facts.expense;
    if (facts.other == book) return WideRaw{facts.expense} - facts.income;
    return 0;
}

// "dMM=" at the start of text: MM, else 0.
int LeadingTagOf(std::string_view text) {
    if (text.size() < 4 || text[0] != 'd' || text[3] != '=') return 0;
    const char tens = text[1], ones = text[2];
    if (tens < '0' || tens > '1' || ones < '0' || ones > '9') return 0;
    const int month = (tens - '0') * 10 + (ones - '0');
    return month >= 1 && month <= 12 ? month : 0;
}

constexpr std::uint16_t kSummaryFlags = LineFacts::kIncomeZero | LineFacts::kExpenseZero |
                                        LineFacts::kIncomeText0 | LineFacts::kExpenseText0;

}  // namespace

// ---- TextIds ----

namespace {

std::uint64_t TextHash(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

constexpr std::uint64_t kIdBits = 0xFFFFFFFFull;

}  // namespace

std::size_t TextIds::SlotOf(std::string_view text, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
        const std::uint64_t slot = slots_[i];
        if (slot == 0) return i;
        if ((slot >> 32) == (hash >> 32) && texts_[(slot & kIdBits) - 1] == text) return i;
    }
}

void TextIds::Grow() {
    std::vector<std::uint64_t> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, old.size() * 2), 0);
    for (const std::uint64_t slot : old)
        if (slot != 0) {
            const std::uint64_t hash = TextHash(texts_[(slot & kIdBits) - 1]);
            const std::size_t mask = slots_.size() - 1;
            std::size_t i = static_cast<std::size_t>(hash) & mask;
            while (slots_[i] != 0) i = (i + 1) & mask;
            slots_[i] = slot;
        }
}

std::uint32_t TextIds::Intern(std::string_view text) {
    if (slots_.empty()) Grow();
    const std::uint64_t hash = TextHash(text);
    const std::size_t i = SlotOf(text, hash);
    if (slots_[i] != 0) return static_cast<std::uint32_t>((slots_[i] & kIdBits) - 1);
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(text);
    slots_[i] = (hash >> 32) << 32 | (static_cast<std::uint64_t>(id) + 1);
    if (texts_.size() * 2 > slots_.size()) Grow();
    return id;
}

std::optional<std::uint32_t> TextIds::Find(std::string_view text) const {
    if (slots_.empty()) return std::nullopt;
    const std::uint64_t slot = slots_[SlotOf(text, TextHash(text))];
    if (slot == 0) return std::nullopt;
    return static_cast<std::uint32_t>((slot & kIdBits) - 1);
}

// ---- LineFacts, BookSums, SummaryKey ----

std::int64_t LineFacts::ChangeFor(std::uint32_t book) const {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(WideChangeFor(*this, book)));
}

Amount AddRecordTo(Amount balance, const LineFacts& facts, std::uint32_t book) {
    bool overflow = false;
    return Amount::FromRaw(SaturatingAdd(balance.Raw(), WideChangeFor(facts, book), overflow));
}

void BookSums::Add(std::int64_t seenIncome, std::int64_t seenExpense, int sign) {
    const auto in = static_cast<std::uint64_t>(seenIncome);
    const auto out = static_cast<std::uint64_t>(seenExpense);
    if (sign > 0) {
        ++records;
        change += in - out;
        income += in;
        expense += out;
    } else {
        --records;
        change -= in - out;
        income -= in;
        expense -= out;
    }
}

BookSums& BookSums::operator+=(const BookSums& other) {
    records += other.records;
    change += other.change;
    income += other.income;
    expense += other.expense;
    return *this;
}

BookSums& BookSums::operator-=(const BookSums& other) {
    records -= other.records;
    change -= other.change;
    income -= other.income;
    expense -= other.expense;
    return *this;
}

std::size_t SummaryKeyHash::operator()(const SummaryKey& key) const {
    std::uint64_t h = key.own;
    h = h * 0x9e3779b97f4a7c15ull + key.other;
    h = h * 0x9e3779b97f4a7c15ull + key.title;
    h = h * 0x9e3779b97f4a7c15ull + key.description;
    h = h * 0x9e3779b97f4a7c15ull + (static_cast<std::uint64_t>(key.tag) << 16 | key.flags);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

// ---- building ----

void LedgerIndex::Follow(const Ledger& ledger) {
    ledger_ = &ledger;
}

LedgerIndex::PeriodsSeen LedgerIndex::PeriodsOf(const Ledger& ledger) const {
    return {ledger.periods.start, ledger.periods.end, ledger.startMonth};
}

void LedgerIndex::EnsureBuilt() const {
    // The index is a cache of the lines: answering may (re)build it.
    auto* self = const_cast<LedgerIndex*>(this);
    // Compared in place: every answer, however small, asks first.
    const Ledger& ledger = *ledger_;
    if (!built_ || periods_.startMonth != ledger.startMonth ||
        periods_.start != ledger.periods.start || periods_.end != ledger.periods.end)
        self->Build();
}

void LedgerIndex::Build() {
    BeginReading();
    for (const std::string& line : ledger_->transactions.Items()) {
        split_.Split(line);
        ReadLine(line, split_);
    }
    built_ = true;
}

void LedgerIndex::BeginReading() {
    ++version_;
    built_ = false;
    periods_ = PeriodsOf(*ledger_);
    blocks_.clear();
    starts_.clear();
    trees_.clear();
    last_ = LastRead{};
    count_ = 0;
    books_ = TextIds();
    bookKinds_.clear();
    bookNames_.clear();
    texts_ = TextIds();
    bookTotals_.clear();
    tagged_ = {};
    oldForm_ = undated_ = dateDescents_ = unslotted_ = slotDescents_ = summaryOdd_ = 0;
    summaryKept_ = false;
    titleSums_.clear();
    descriptionSums_.clear();
    transferSums_.clear();
}

void LedgerIndex::ReadLine(const std::string& line, const RecordSplit& split) {
    const LineFacts facts = FactsOf(line, split);
    if (count_ > 0) {
        const LineFacts& previous = blocks_.back().lines.back();
        if (previous.Has(LineFacts::kDated) && facts.Has(LineFacts::kDated) &&
            previous.day > facts.day)
            ++dateDescents_;
        if (previous.slot != 0 && facts.slot != 0 &&
            FiscalPositionOf(periods_.startMonth, previous.slot) >
                FiscalPositionOf(periods_.startMonth, facts.slot))
            ++slotDescents_;
    }
    if (blocks_.empty() || blocks_.back().lines.size() >= blockLines) {
        blocks_.emplace_back();
        blocks_.back().lines.reserve(blockLines);
        starts_.push_back(count_);
    }
    Block& block = blocks_.back();
    block.lines.push_back(facts);
    AddToBlockSums(block, facts, 1);
    Count(facts, 1);
    ++count_;
}

void LedgerIndex::EndReading() {
    built_ = count_ == ledger_->transactions.Count() && periods_ == PeriodsOf(*ledger_);
}

int LedgerIndex::SlotOf(std::int32_t day) const {
    Periods periods;
    periods.start = periods_.start;
    periods.end = periods_.end;
    return BalanceSlot(periods, periods_.startMonth, Date::FromSerial(day));
}

LineFacts LedgerIndex::FactsOf(const std::string& line, const RecordSplit& r) {
    LineFacts f;
    std::uint16_t flags = 0;
    if (r.Count() <= 9) flags |= LineFacts::kOldForm;
    if (IsPlainRecordLine(line, r)) flags |= LineFacts::kPlain;
    if (IsRecordLine(line)) flags |= LineFacts::kRecordLine;
    if (const std::string_view dateText = r[kFieldDate]; dateText != last_.dateText) {
        last_.dateText.assign(dateText);
        last_.day.reset();
        last_.slot = 0;
        if (auto date = Date::TryParse(dateText)) {
            last_.day = date->Serial();
            last_.slot = static_cast<std::uint8_t>(SlotOf(*last_.day));
        }
    }
    if (last_.day) {
        flags |= LineFacts::kDated;
        f.day = *last_.day;
        f.slot = last_.slot;
    }
    const std::string_view incomeText = r[kFieldIncome];
    const std::string_view expenseText = r[kFieldExpense];
    if (auto income = Amount::TryParse(incomeText)) {
        f.income = income->Raw();
    } else {
        flags |= LineFacts::kBadAmount | LineFacts::kBadIncome;
    }
    if (auto expense = Amount::TryParse(expenseText)) {
        f.expense = expense->Raw();
    } else {
        flags |= LineFacts::kBadAmount | LineFacts::kBadExpense;
    }
    if (f.income == 0) flags |= LineFacts::kIncomeZero;
    if (f.expense == 0) flags |= LineFacts::kExpenseZero;
    if (incomeText == "0") flags |= LineFacts::kIncomeText0;
    if (expenseText == "0") flags |= LineFacts::kExpenseText0;
    const std::string_view tag = r[kFieldTag];
    if (tag == "f" || tag == "z" || tag == "g") flags |= LineFacts::kEndsLabels;
    f.leadingTag = static_cast<std::uint8_t>(LeadingTagOf(line));
    if (tag.size() == 4) f.tag = static_cast<std::uint8_t>(LeadingTagOf(tag));
    const std::string_view ownKind = r[kFieldOwnKind], otherKind = r[kFieldOtherKind];
    if (ownKind == otherKind) flags |= LineFacts::kSameKind;

    for (int side = 0; side < 2; ++side) {
        const std::string_view kind = side == 0 ? ownKind : otherKind;
        const std::string_view name = r[side == 0 ? kFieldOwnName : kFieldOtherName];
        std::string& key = bookKey_;
        key.assign(kind);
        key += '\x1f';
        key += name;
        const auto s = static_cast<std::size_t>(side);
        if (key == last_.bookKey[s]) {
            (side == 0 ? f.own : f.other) = last_.book[s];
            continue;
        }
        const std::uint32_t id = books_.Intern(key);
        last_.bookKey[s] = key;
        last_.book[s] = id;
        if (id == bookKinds_.size()) {
            const std::string_view stored = books_.Text(id);
            bookKinds_.push_back(stored.substr(0, kind.size()));
            bookNames_.push_back(stored.substr(kind.size() + 1));
            bookTotals_.emplace_back();
        }
        (side == 0 ? f.own : f.other) = id;
    }
    f.title = texts_.Intern(r[kFieldTitle]);
    f.description = texts_.Intern(r[kFieldDescription]);
    f.flags = flags;
    return f;
}

// ---- keeping the counts ----

void LedgerIndex::AddToBlock(std::size_t b, const LineFacts& facts, int sign) {
    AddToBlockSums(blocks_[b], facts, sign);
    const std::size_t nodes = blocks_.size() + 1;
    for (std::uint32_t book : {facts.own, facts.other}) {
        if (book < trees_.size() && trees_[book].size() == nodes) {
            BookSums change;
            if (book == facts.own)
                change.Add(facts.income, facts.expense, sign);
            else
                change.Add(facts.expense, facts.income, sign);
            std::vector<BookSums>& tree = trees_[book];
            for (std::size_t k = b + 1; k < nodes; k += k & (~k + 1)) tree[k] += change;
        }
        if (facts.other == facts.own) break;
    }
}

void LedgerIndex::AddToBlockSums(Block& block, const LineFacts& facts, int sign) {
    block.tags[facts.tag] += static_cast<std::uint32_t>(sign);
    block.leadingTags[facts.leadingTag] += static_cast<std::uint32_t>(sign);
    auto sums = [&block](std::uint32_t book) -> BookSums& {
        for (auto& entry : block.books)
            if (entry.first == book) return entry.second;
        block.books.emplace_back(book, BookSums{});
        return block.books.back().second;
    };
    sums(facts.own).Add(facts.income, facts.expense, sign);
    if (facts.other != facts.own) sums(facts.other).Add(facts.expense, facts.income, sign);
    if (sign < 0)
        std::erase_if(block.books, [](const auto& entry) { return entry.second.records == 0; });
}

void LedgerIndex::Count(const LineFacts& facts, int sign) {
    if (facts.Has(LineFacts::kOldForm)) oldForm_ += sign;
    if (!facts.Has(LineFacts::kDated)) undated_ += sign;
    if (facts.slot == 0) unslotted_ += sign;
    if (facts.Has(LineFacts::kBadAmount) || facts.Has(LineFacts::kEndsLabels)) summaryOdd_ += sign;
    tagged_[facts.tag] += sign;
    const std::uint64_t magnitude = Magnitude(facts.income) + Magnitude(facts.expense);
    const bool irregular = !facts.Has(LineFacts::kPlain);
    for (std::uint32_t book : {facts.own, facts.other}) {
        BookTotals& totals = bookTotals_[book];
        const auto change = static_cast<std::uint64_t>(facts.ChangeFor(book));
        if (sign > 0) {
            totals.slotChange[facts.slot] += change;
            totals.magnitude += magnitude;
            if (irregular) ++totals.irregular;
        } else {
            totals.slotChange[facts.slot] -= change;
            totals.magnitude -= magnitude;
            if (irregular) --totals.irregular;
        }
        if (facts.other == facts.own) break;
    }
    if (summaryKept_) CountSummary(facts, sign);
}

void LedgerIndex::CountSummary(const LineFacts& facts, int sign) {
    const auto flags = static_cast<std::uint16_t>(facts.flags & kSummaryFlags);
    auto add = [&facts, sign](SummaryTable& table, const SummaryKey& key) {
        SummarySums& sums = table[key];
        const auto income = static_cast<std::uint64_t>(facts.income);
        const auto expense = static_cast<std::uint64_t>(facts.expense);
        if (sign > 0) {
            ++sums.records;
            sums.income += income;
            sums.expense += expense;
        } else if (--sums.records == 0) {
            table.erase(key);
        } else {
            sums.income -= income;
            sums.expense -= expense;
        }
    };
    SummaryKey key{facts.own, facts.other, facts.title, SummaryKey::kNoText, facts.tag, flags};
    add(titleSums_, key);
    key.description = facts.description;
    if (facts.Has(LineFacts::kSameKind)) {
        auto& table = descriptionSums_[facts.title];
        add(table, key);
        if (table.empty()) descriptionSums_.erase(facts.title);
    } else {
        add(transferSums_, key);
    }
}

void LedgerIndex::CountSummaryAll() {
    summaryKept_ = true;
    for (const Block& block : blocks_)
        for (const LineFacts& facts : block.lines) CountSummary(facts, 1);
}

void LedgerIndex::CountPair(std::int32_t first, int sign) {
    if (first < 0 || first + 1 >= count_) return;
    // Not Facts(): the index is in the middle of a change and must not be built again.
    const LineFacts& a = At(first);
    const LineFacts& b = At(first + 1);
    if (a.Has(LineFacts::kDated) && b.Has(LineFacts::kDated) && a.day > b.day)
        dateDescents_ += sign;
    if (a.slot != 0 && b.slot != 0 &&
        FiscalPositionOf(periods_.startMonth, a.slot) >
            FiscalPositionOf(periods_.startMonth, b.slot))
        slotDescents_ += sign;
}

std::pair<std::size_t, std::size_t> LedgerIndex::Locate(std::int32_t line) const {
    if (line >= count_) return {blocks_.size(), 0};
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), line);
    const auto b = static_cast<std::size_t>(after - starts_.begin()) - 1;
    return {b, static_cast<std::size_t>(line - starts_[b])};
}

void LedgerIndex::RecountStarts(std::size_t block) {
    starts_.resize(blocks_.size());
    std::int32_t start =
        block == 0
            ? 0
            : starts_[block - 1] + static_cast<std::int32_t>(blocks_[block - 1].lines.size());
    for (std::size_t b = block; b < blocks_.size(); ++b) {
        starts_[b] = start;
        start += static_cast<std::int32_t>(blocks_[b].lines.size());
    }
}

void LedgerIndex::ShiftStarts(std::size_t block, std::int32_t delta) {
    for (std::size_t b = block + 1; b < starts_.size(); ++b) starts_[b] += delta;
}

LineFacts& LedgerIndex::At(std::int32_t line) {
    const auto [b, offset] = Locate(line);
    return blocks_[b].lines[offset];
}

void LedgerIndex::InsertFacts(std::int32_t line, const LineFacts& facts) {
    CountPair(line - 1, -1);
    std::size_t b = 0, offset = 0;
    if (line == count_) {
        if (blocks_.empty() || blocks_.back().lines.size() >= 2 * blockLines) {
            blocks_.emplace_back();
            starts_.push_back(count_);
            trees_.clear();
        }
        b = blocks_.size() - 1;
        offset = blocks_[b].lines.size();
    } else {
        std::tie(b, offset) = Locate(line);
    }
    Block& block = blocks_[b];
    block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(offset), facts);
    AddToBlock(b, facts, 1);
    ++count_;
    ShiftStarts(b, 1);
    Count(facts, 1);
    if (block.lines.size() > 2 * blockLines) {
        // Split in two halves, each with its own sums.
        Block second;
        const auto half = static_cast<std::ptrdiff_t>(block.lines.size() / 2);
        second.lines.assign(block.lines.begin() + half, block.lines.end());
        block.lines.erase(block.lines.begin() + half, block.lines.end());
        Block first;
        first.lines = std::move(block.lines);
        for (const LineFacts& f : first.lines) AddToBlockSums(first, f, 1);
        for (const LineFacts& f : second.lines) AddToBlockSums(second, f, 1);
        blocks_[b] = std::move(first);
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(second));
        RecountStarts(b + 1);
        trees_.clear();
    }
    CountPair(line - 1, 1);
    CountPair(line, 1);
}

void LedgerIndex::RemoveFacts(std::int32_t line) {
    CountPair(line - 1, -1);
    CountPair(line, -1);
    const auto [b, offset] = Locate(line);
    Block& block = blocks_[b];
    const LineFacts facts = block.lines[offset];
    Count(facts, -1);
    AddToBlock(b, facts, -1);
    block.lines.erase(block.lines.begin() + static_cast<std::ptrdiff_t>(offset));
    --count_;
    if (block.lines.empty()) {
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
        RecountStarts(b);
        trees_.clear();
    } else {
        ShiftStarts(b, -1);
    }
    CountPair(line - 1, 1);
}

void LedgerIndex::ReplaceFacts(std::int32_t line, const LineFacts& facts) {
    CountPair(line - 1, -1);
    CountPair(line, -1);
    const auto [b, offset] = Locate(line);
    Block& block = blocks_[b];
    Count(block.lines[offset], -1);
    AddToBlock(b, block.lines[offset], -1);
    block.lines[offset] = facts;
    AddToBlock(b, facts, 1);
    Count(facts, 1);
    CountPair(line - 1, 1);
    CountPair(line, 1);
}

void LedgerIndex::LineInserted(std::int32_t index) {
    ++version_;
    if (!built_) return;
    const std::string& line = ledger_->transactions[index];
    split_.Split(line);
    InsertFacts(index, FactsOf(line, split_));
}

void LedgerIndex::LineDeleted(std::int32_t index) {
    ++version_;
    if (!built_) return;
    RemoveFacts(index);
}

void LedgerIndex::LineReplaced(std::int32_t index) {
    ++version_;
    if (!built_) return;
    const std::string& line = ledger_->transactions[index];
    split_.Split(line);
    ReplaceFacts(index, FactsOf(line, split_));
}

void LedgerIndex::LinesExchanged(std::int32_t index1, std::int32_t index2) {
    ++version_;
    if (!built_) return;
    const LineFacts first = At(index1);
    const LineFacts second = At(index2);
    ReplaceFacts(index1, second);
    ReplaceFacts(index2, first);
}

void LedgerIndex::LinesReplaced() {
    built_ = false;
    ++version_;
}

// ---- answers ----

std::int32_t LedgerIndex::Count() const {
    EnsureBuilt();
    return count_;
}

const LineFacts& LedgerIndex::Facts(std::int32_t line) const {
    EnsureBuilt();
    const auto [b, offset] = Locate(line);
    return blocks_[b].lines[offset];
}

const TextIds& LedgerIndex::Texts() const {
    EnsureBuilt();
    return texts_;
}

std::string_view LedgerIndex::BookKind(std::uint32_t book) const {
    return bookKinds_[book];
}

std::string_view LedgerIndex::BookName(std::uint32_t book) const {
    return bookNames_[book];
}

std::optional<std::uint32_t> LedgerIndex::FindBook(std::string_view kind,
                                                   std::string_view name) const {
    EnsureBuilt();
    std::string key(kind);
    key += '\x1f';
    key += name;
    return books_.Find(key);
}

std::optional<std::uint32_t> LedgerIndex::FindText(std::string_view text) const {
    EnsureBuilt();
    return texts_.Find(text);
}

bool LedgerIndex::WalkRewritesLines(std::uint32_t book) const {
    EnsureBuilt();
    return oldForm_ > 0 || bookTotals_[book].irregular > 0;
}

bool LedgerIndex::HasOldFormLines() const {
    EnsureBuilt();
    return oldForm_ > 0;
}

bool LedgerIndex::MayOverflow(std::uint32_t book, Amount opening) const {
    EnsureBuilt();
    const WideMagnitude reach = bookTotals_[book].magnitude + Magnitude(opening.Raw());
    return reach > static_cast<WideMagnitude>(std::numeric_limits<std::int64_t>::max());
}

bool LedgerIndex::SlotsInFiscalOrder() const {
    EnsureBuilt();
    return unslotted_ == 0 && slotDescents_ == 0;
}

bool LedgerIndex::DatesInOrder() const {
    EnsureBuilt();
    return undated_ == 0 && dateDescents_ == 0;
}

Amount LedgerIndex::BalanceBefore(std::uint32_t book, Amount opening, std::int32_t line) const {
    EnsureBuilt();
    if (MayOverflow(book, opening)) {
        bool overflow = false;
        std::int64_t b = opening.Raw();
        std::int32_t i = 0;
        for (const Block& block : blocks_)
            for (const LineFacts& facts : block.lines) {
                if (i++ >= line) return Amount::FromRaw(b);
                if (facts.Names(book)) b = SaturatingAdd(b, WideChangeFor(facts, book), overflow);
            }
        return Amount::FromRaw(b);
    }
    return opening + Amount::FromRaw(static_cast<std::int64_t>(SumsBetween(book, 0, line).change));
}

const std::vector<BookSums>& LedgerIndex::TreeOf(std::uint32_t book) const {
    if (book >= trees_.size()) trees_.resize(book + 1);
    std::vector<BookSums>& tree = trees_[book];
    const std::size_t nodes = blocks_.size() + 1;
    if (tree.size() == nodes) return tree;
    tree.assign(nodes, BookSums{});
    for (std::size_t b = 0; b < blocks_.size(); ++b)
        for (const auto& [id, sums] : blocks_[b].books)
            if (id == book) tree[b + 1] = sums;
    // Each node adds itself into the node above it.
    for (std::size_t k = 1; k < nodes; ++k)
        if (const std::size_t up = k + (k & (~k + 1)); up < nodes) tree[up] += tree[k];
    return tree;
}

BookSums LedgerIndex::BlocksBefore(std::uint32_t book, std::size_t block) const {
    const std::vector<BookSums>& tree = TreeOf(book);
    BookSums sums;
    for (std::size_t k = block; k > 0; k -= k & (~k + 1)) sums += tree[k];
    return sums;
}

BookSums LedgerIndex::SumsBefore(std::uint32_t book, std::int32_t line) const {
    if (line <= 0) return {};
    const auto [b, offset] = Locate(line);
    if (b == blocks_.size()) return BlocksBefore(book, b);
    // The block's lines before line, or the whole block less its lines from line on:
    // whichever is fewer.
    const std::vector<LineFacts>& lines = blocks_[b].lines;
    const bool fromEnd = 2 * offset > lines.size();
    BookSums part;
    for (std::size_t i = fromEnd ? offset : 0; i < (fromEnd ? lines.size() : offset); ++i) {
        const LineFacts& facts = lines[i];
        if (facts.own == book)
            part.Add(facts.income, facts.expense, 1);
        else if (facts.other == book)
            part.Add(facts.expense, facts.income, 1);
    }
    BookSums sums = BlocksBefore(book, fromEnd ? b + 1 : b);
    if (fromEnd) return sums -= part;
    return sums += part;
}

BookSums LedgerIndex::SumsBetween(std::uint32_t book, std::int32_t from, std::int32_t to) const {
    EnsureBuilt();
    if (from >= to) return {};
    return SumsBefore(book, to) -= SumsBefore(book, from);
}

std::int32_t LedgerIndex::NthRecordOf(std::uint32_t book, std::int32_t from, std::int32_t n) const {
    EnsureBuilt();
    if (n < 0) return count_;
    // The book's records counted from the first line: the block holding the one wanted is
    // found by going down the tree.
    std::uint64_t rest =
        static_cast<std::uint64_t>(SumsBefore(book, from).records) + static_cast<std::uint64_t>(n);
    const std::vector<BookSums>& tree = TreeOf(book);
    const std::size_t blocks = blocks_.size();
    std::size_t b = 0;
    std::size_t step = 1;
    while (step * 2 <= blocks) step *= 2;
    for (; step > 0; step /= 2)
        if (b + step <= blocks && tree[b + step].records <= rest) {
            b += step;
            rest -= tree[b].records;
        }
    if (b == blocks) return count_;
    const std::vector<LineFacts>& lines = blocks_[b].lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Names(book) && rest-- == 0) return starts_[b] + static_cast<std::int32_t>(i);
    return count_;
}

void LedgerIndex::MonthEnds(std::uint32_t book, Amount opening, std::array<Amount, 14>& monthEnd,
                            Amount& last, bool& overflow) const {
    EnsureBuilt();
    const int startMonth = periods_.startMonth;
    const int lastMonth = LastFiscalMonth(startMonth);
    for (int k = 1; k <= 12; ++k) monthEnd[static_cast<std::size_t>(k)] = opening;
    overflow = false;
    if (!MayOverflow(book, opening) && SlotsInFiscalOrder()) {
        // In fiscal order, each month ends with the records of its slot and those before.
        std::uint64_t b = static_cast<std::uint64_t>(opening.Raw());
        const BookTotals& totals = bookTotals_[book];
        for (int i = 0; i < 12; ++i) {
            const int month = FiscalMonthAt(startMonth, i);
            b += totals.slotChange[static_cast<std::size_t>(month)];
            monthEnd[static_cast<std::size_t>(month)] =
                Amount::FromRaw(static_cast<std::int64_t>(b));
        }
        last = monthEnd[static_cast<std::size_t>(lastMonth)];
        return;
    }
    // The walk itself, on the facts: each record sets its slot and every later one.
    std::int64_t b = opening.Raw();
    for (const Block& block : blocks_)
        for (const LineFacts& facts : block.lines) {
            if (!facts.Names(book)) continue;
            b = SaturatingAdd(b, WideChangeFor(facts, book), overflow);
            if (facts.slot == 0) continue;
            for (int m = facts.slot;; m = m % 12 + 1) {
                monthEnd[static_cast<std::size_t>(m)] = Amount::FromRaw(b);
                if (m == lastMonth) break;
            }
        }
    last = Amount::FromRaw(b);
}

std::int32_t LedgerIndex::FirstLineBeginningWith(int month) const {
    EnsureBuilt();
    std::int32_t start = 0;
    for (const Block& block : blocks_) {
        if (block.leadingTags[static_cast<std::size_t>(month)] != 0)
            for (std::size_t i = 0; i < block.lines.size(); ++i)
                if (block.lines[i].leadingTag == month) return start + static_cast<std::int32_t>(i);
        start += static_cast<std::int32_t>(block.lines.size());
    }
    return count_;
}

std::int32_t LedgerIndex::EndOfTagRun(int month, std::int32_t line) const {
    EnsureBuilt();
    if (line >= count_) return count_;
    auto [b, offset] = Locate(line);
    std::int32_t at = line;
    for (; b < blocks_.size(); ++b, offset = 0) {
        const Block& block = blocks_[b];
        if (offset == 0 && block.tags[static_cast<std::size_t>(month)] == block.lines.size()) {
            at += static_cast<std::int32_t>(block.lines.size());
            continue;
        }
        for (std::size_t i = offset; i < block.lines.size(); ++i, ++at)
            if (block.lines[i].tag != month) return at;
    }
    return at;
}

std::int32_t LedgerIndex::TaggedLines(int month) const {
    EnsureBuilt();
    return static_cast<std::int32_t>(tagged_[static_cast<std::size_t>(month)]);
}

std::int32_t LedgerIndex::PositionAfterDay(std::int32_t day) const {
    EnsureBuilt();
    // The dates rise through the blocks: the first block that ends after day holds it.
    const auto block = std::partition_point(blocks_.begin(), blocks_.end(), [day](const Block& b) {
        return b.lines.back().day <= day;
    });
    if (block == blocks_.end()) return count_;
    auto it =
        std::upper_bound(block->lines.begin(), block->lines.end(), day,
                         [](std::int32_t d, const LineFacts& facts) { return d < facts.day; });
    return starts_[static_cast<std::size_t>(block - blocks_.begin())] +
           static_cast<std::int32_t>(it - block->lines.begin());
}

std::int32_t LedgerIndex::FirstLineOfDay(std::int32_t day) const {
    EnsureBuilt();
    const auto block = std::partition_point(
        blocks_.begin(), blocks_.end(), [day](const Block& b) { return b.lines.back().day < day; });
    if (block == blocks_.end()) return count_;
    auto it =
        std::lower_bound(block->lines.begin(), block->lines.end(), day,
                         [](const LineFacts& facts, std::int32_t d) { return facts.day < d; });
    return starts_[static_cast<std::size_t>(block - blocks_.begin())] +
           static_cast<std::int32_t>(it - block->lines.begin());
}

bool LedgerIndex::SettledFor(const SettledLines& settled) const {
    EnsureBuilt();
    return settled_ && settled_->version == version_ && settled_->books == settled.books &&
           settled_->openings == settled.openings;
}

void LedgerIndex::MarkSettled(SettledLines settled) const {
    EnsureBuilt();
    settled.version = version_;
    settled_ = std::move(settled);
}

bool LedgerIndex::SummaryNeedsLines() const {
    EnsureBuilt();
    return summaryOdd_ > 0;
}

const SummaryTable& LedgerIndex::TitleSums() const {
    EnsureBuilt();
    if (!summaryKept_) const_cast<LedgerIndex*>(this)->CountSummaryAll();
    return titleSums_;
}

const std::unordered_map<std::uint32_t, SummaryTable>& LedgerIndex::DescriptionSums() const {
    TitleSums();
    return descriptionSums_;
}

const SummaryTable& LedgerIndex::TransferDescriptionSums() const {
    TitleSums();
    return transferSums_;
}

}  // namespace velmora
