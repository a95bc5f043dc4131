#include "core/platform/light_strings.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>

#include "core/platform/file_io.h"
#include "core/util/errors.h"

namespace velmora {

namespace {

constexpr std::uint64_t kLow7Bits = 0x7F7F7F7F7F7F7F7FULL;

constexpr std::uint64_t EveryByte(char c) {
    return 0x0101010101010101ULL * static_cast<unsigned char>(c);
}

// The high bit of each byte of word that equals c; exact, without carries between bytes.
constexpr std::uint64_t BytesEqual(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ EveryByte(c);
    return ~(((x & kLow7Bits) + kLow7Bits) | x | kLow7Bits);
}

// Splits a text without double quotes or carriage returns (every record the program
// writes) at each comma, eight bytes at a time: the walk over a large ledger splits
// every line once per recomputation. False, with items incomplete, when the text holds
// a quote or a carriage return and needs the full rules.
bool SplitPlainText(std::string_view text, std::vector<std::string_view>& items) {
    const char* data = text.data();
    const std::size_t n = text.size();
    std::size_t start = 0;
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= n; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            if ((BytesEqual(word, '"') | BytesEqual(word, '\r')) != 0) return false;
            for (std::uint64_t commas = BytesEqual(word, ','); commas != 0; commas &= commas - 1) {
                const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(commas) / 8);
                items.push_back(text.substr(start, at - start));
                start = at + 1;
            }
        }
    }
    for (; i < n; ++i) {
        const char c = data[i];
        if (c == '"' || c == '\r') return false;
        if (c == ',') {
            items.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < n) items.push_back(text.substr(start));
    return true;
}

}  // namespace

bool SplitCommaText(std::string_view text, std::vector<std::string_view>& items) {
    items.clear();
    if (SplitPlainText(text, items)) return true;
    items.clear();
    std::size_t pos = 0;
    const std::size_t n = text.size();
    while (pos < n) {
        bool quoted = false;
        if (text[pos] == '"') {
            quoted = true;
            ++pos;
        }
        std::size_t end = pos;
        while (end < n) {
            char c = text[end];
            if (c == '\r' || c == '"' || (c == ',' && !quoted)) break;
            ++end;
        }
        items.push_back(text.substr(pos, end - pos));
        if (end < n && text[end] == '\r') return false;  // scanning stops at a carriage return
        pos = end + 1;
        if (quoted) ++pos;  // the comma after a closing quote
    }
    return false;
}

const std::string& TLightStrings::Get(std::int32_t index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)];
}

TLightStrings& TLightStrings::operator=(const TLightStrings& other) {
    if (this != &other) {
        items_ = other.items_;
        capacity_ = other.capacity_;
        MarkReplaced();
    }
    return *this;
}

TLightStrings& TLightStrings::operator=(TLightStrings&& other) noexcept {
    if (this != &other) {
        items_ = std::move(other.items_);
        capacity_ = other.capacity_;
        MarkReplaced();
    }
    return *this;
}

void TLightStrings::Record(LineChange::Kind kind, std::int32_t index, std::string text,
                           std::int32_t other) {
    if (Recording()) log_->changes.push_back(LineChange{kind, index, other, std::move(text)});
}

void TLightStrings::Put(std::int32_t index, std::string item) {
    CheckIndex(index);
    std::string& line = items_[static_cast<std::size_t>(index)];
    if (Recording() || RecordingForward()) {
        if (line == item) return;
        if (RecordingForward()) Forward(LineChange::Kind::Put, index, item);
        Record(LineChange::Kind::Put, index, std::move(line));
    }
    line = std::move(item);
    if (observer_) observer_->LineReplaced(index);
}

void TLightStrings::PutDerived(std::int32_t index, std::string item) {
    CheckIndex(index);
    items_[static_cast<std::size_t>(index)] = std::move(item);
}

void TLightStrings::Forward(LineChange::Kind kind, std::int32_t index, std::string text,
                            std::int32_t other) {
    if (RecordingForward())
        forward_->changes.push_back(LineChange{kind, index, other, std::move(text)});
}

void TLightStrings::CheckIndex(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw ListIndexError();
}

void TLightStrings::GrowIfFull() {
    if (Count() == capacity_) SetCapacity(capacity_ + kGrowth);
}

std::int32_t TLightStrings::Add(std::string item) {
    GrowIfFull();
    if (Recording()) Record(LineChange::Kind::Insert, Count(), item);
    if (RecordingForward()) Forward(LineChange::Kind::Insert, Count(), item);
    items_.push_back(std::move(item));
    if (observer_) observer_->LineInserted(Count() - 1);
    return Count() - 1;
}

void TLightStrings::Insert(std::int32_t index, std::string item) {
    if (index < 0 || index > Count()) throw ListIndexError();
    GrowIfFull();
    if (Recording()) Record(LineChange::Kind::Insert, index, item);
    if (RecordingForward()) Forward(LineChange::Kind::Insert, index, item);
    items_.insert(items_.begin() + index, std::move(item));
    if (observer_) observer_->LineInserted(index);
}

void TLightStrings::Delete(std::int32_t index) {
    CheckIndex(index);
    Forward(LineChange::Kind::Delete, index, {});
    if (Recording())
        Record(LineChange::Kind::Delete, index, std::move(items_[static_cast<std::size_t>(index)]));
    items_.erase(items_.begin() + index);
    if (observer_) observer_->LineDeleted(index);
}

void TLightStrings::InsertMany(std::vector<std::pair<std::int32_t, std::string>> lines) {
    const auto added = static_cast<std::int64_t>(lines.size());
    if (static_cast<std::int64_t>(Count()) + added > kMaxCount) throw ListIndexError();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::int32_t index = lines[i].first;
        const std::int32_t lowest = i == 0 ? 0 : lines[i - 1].first + 1;
        if (index < lowest || index > Count() + static_cast<std::int32_t>(i))
            throw ListIndexError();
    }
    // The capacity figure as that many single inserts would leave it.
    const std::int32_t total = Count() + static_cast<std::int32_t>(added);
    if (total > capacity_)
        SetCapacity(capacity_ + (total - capacity_ + kGrowth - 1) / kGrowth * kGrowth);
    for (const auto& [index, text] : lines) {
        if (Recording()) Record(LineChange::Kind::Insert, index, text);
        if (RecordingForward()) Forward(LineChange::Kind::Insert, index, text);
    }
    std::vector<std::string> merged;
    merged.reserve(std::max(items_.capacity(), static_cast<std::size_t>(total)));
    std::size_t old = 0;
    for (auto& [index, text] : lines) {
        while (merged.size() < static_cast<std::size_t>(index))
            merged.push_back(std::move(items_[old++]));
        merged.push_back(std::move(text));
    }
    while (old < items_.size()) merged.push_back(std::move(items_[old++]));
    items_ = std::move(merged);
    // Rising final places: told one by one they are the single inserts that give this list.
    if (observer_)
        for (const auto& line : lines) observer_->LineInserted(line.first);
}

void TLightStrings::DeleteMany(const std::vector<std::int32_t>& indexes) {
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        CheckIndex(indexes[i]);
        if (i > 0 && indexes[i] <= indexes[i - 1]) throw ListIndexError();
    }
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
        Forward(LineChange::Kind::Delete, *it, {});
        // The line goes: its text moves into the record.
        if (Recording())
            Record(LineChange::Kind::Delete, *it, std::move(items_[static_cast<std::size_t>(*it)]));
    }
    std::size_t kept = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (next < indexes.size() && static_cast<std::size_t>(indexes[next]) == i) {
            ++next;
            continue;
        }
        if (kept != i) items_[kept] = std::move(items_[i]);
        ++kept;
    }
    items_.resize(kept);
    if (observer_)
        for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) observer_->LineDeleted(*it);
}

void TLightStrings::Exchange(std::int32_t index1, std::int32_t index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    if (index1 == index2) return;
    Record(LineChange::Kind::Exchange, index1, {}, index2);
    Forward(LineChange::Kind::Exchange, index1, {}, index2);
    items_[static_cast<std::size_t>(index1)].swap(items_[static_cast<std::size_t>(index2)]);
    if (observer_) observer_->LinesExchanged(index1, index2);
}

void TLightStrings::Clear() {
    MarkReplaced();
    if (capacity_ > 0) {
        items_.clear();
        items_.shrink_to_fit();
        capacity_ = 0;
    }
}

void TLightStrings::SetCapacity(std::int32_t value) {
    if (value > kMaxCount || value < Count()) throw ListIndexError();
    capacity_ = value;
    if (static_cast<std::size_t>(value) > items_.capacity()) {
        // Geometric growth under the fixed 32-slot figure.
        items_.reserve(std::max(static_cast<std::size_t>(value), items_.capacity() * 2));
    } else if (static_cast<std::size_t>(value) * 2 < items_.capacity()) {
        items_.shrink_to_fit();
    }
}

void TLightStrings::SetCount(std::int32_t value) {
    if (value < 0 || value > kMaxCount) throw ListIndexError();
    if (value > capacity_) SetCapacity(value);
    MarkReplaced();
    items_.resize(static_cast<std::size_t>(value));
}

void TLightStrings::AddStrings(const std::vector<std::string>& source) {
    auto total = static_cast<std::int64_t>(Count()) + static_cast<std::int64_t>(source.size());
    if (total > kMaxCount) throw ListIndexError();
    SetCapacity(static_cast<std::int32_t>(total));
    MarkReplaced();
    items_.insert(items_.end(), source.begin(), source.end());
}

void TLightStrings::Assign(const std::vector<std::string>& source) {
    Clear();
    AddStrings(source);
}

void TLightStrings::Adopt(std::vector<std::string>&& lines) {
    if (lines.size() > static_cast<std::size_t>(kMaxCount)) throw ListIndexError();
    MarkReplaced();
    items_ = std::move(lines);
    capacity_ = Count();
}

void TLightStrings::CopyTo(std::vector<std::string>& dest) const {
    dest = items_;
}

std::int32_t TLightStrings::IndexOf(std::string_view item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return static_cast<std::int32_t>(i);
    return -1;
}

namespace {
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}
}  // namespace

bool TLightStrings::Find(std::string_view findText, std::int32_t& line,
                         std::int32_t& column) const {
    if (line < 0) line = 0;
    if (findText.empty()) {
        if (line < Count()) {
            if (column < 1) column = 1;
            return true;
        }
        line = Count();
        return false;
    }
    const char lower = AsciiLower(findText[0]);
    const char upper = AsciiUpper(findText[0]);
    std::int32_t startColumn = column < 1 ? 1 : column;
    for (; line < Count(); ++line) {
        const std::string& text = items_[static_cast<std::size_t>(line)];
        if (text.size() >= findText.size()) {
            const std::size_t last = text.size() - findText.size();
            for (std::size_t c = static_cast<std::size_t>(startColumn - 1); c <= last; ++c) {
                if ((text[c] == lower || text[c] == upper) &&
                    EqualsIgnoringCase(findText,
                                       std::string_view(text).substr(c, findText.size()))) {
                    column = static_cast<std::int32_t>(c + 1);
                    return true;
                }
            }
        }
        startColumn = 1;
    }
    line = Count();
    return false;
}

void TLightStrings::QuickSort(std::int32_t low, std::int32_t high, const TSortCompfunc& comp) {
    // The recursion goes into the left part; the loop carries on with the right part.
    while (low < high) {
        std::int32_t i = low, j = high;
        const std::string pivot = items_[static_cast<std::size_t>((low + high) / 2)];
        do {
            while (comp(items_[static_cast<std::size_t>(i)], pivot) < 0) ++i;
            while (comp(items_[static_cast<std::size_t>(j)], pivot) > 0) --j;
            if (i <= j) {
                if (i != j)
                    items_[static_cast<std::size_t>(i)].swap(items_[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (low < j) QuickSort(low, j, comp);
        low = i;
    }
}

void TLightStrings::Sort(const TSortCompfunc& comp) {
    MarkReplaced();
    if (Count() > 1) QuickSort(0, Count() - 1, comp);
}

std::string TLightStrings::GetCommaText() const {
    std::string out;
    out.reserve(4096);
    for (const auto& item : items_) {
        bool quote = item.find_first_of(" ,") != std::string::npos;
        if (quote) out += '"';
        out += item;
        if (quote) out += '"';
        out += ',';
    }
    if (!out.empty()) out.pop_back();
    return out;
}

void TLightStrings::SetCommaText(std::string_view text) {
    std::vector<std::string_view> parts;
    SplitCommaText(text, parts);
    Clear();
    SetCapacity(static_cast<std::int32_t>(std::min<std::size_t>(parts.size(), kMaxCount)));
    for (auto part : parts) items_.emplace_back(part);
}

std::string TLightStrings::GetText() const {
    std::size_t total = 0;
    for (const auto& item : items_) total += item.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& item : items_) {
        out += item;
        out += "\r\n";
    }
    return out;
}

void TLightStrings::SetText(std::string_view text) {
    Clear();
    std::vector<std::string> lines;
    lines.reserve(text.size() / 28 + 1);
    SplitTextLines(text, lines);
    Adopt(std::move(lines));
}

void TLightStrings::LoadFromFile(const std::string& path) {
    Clear();
    Adopt(ReadTextLines(path));
}

void TLightStrings::SaveToFile(const std::string& path) const {
    SaveToFile(path, DefaultFileWriter());
}

void TLightStrings::SaveToFile(const std::string& path, FileWriter& writer) const {
    WriteTextLines(path, items_, writer);
}

void TLightStrings::SaveToStream(std::ostream& stream) const {
    stream << GetText();
}

void TLightStrings::LoadFromStream(std::istream& stream) {
    std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    SetText(text);
}

}  // namespace velmora
