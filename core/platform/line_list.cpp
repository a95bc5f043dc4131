#include "core/platform/line_list.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
#if defined(__SSE2__)
    // Sixteen bytes at once where the processor compares them so.
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i comma = _mm_set1_epi8(',');
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        if (_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, cr))) != 0)
            return false;
        for (auto commas = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma)));
             commas != 0; commas &= commas - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(commas));
            items.push_back(text.substr(start, at - start));
            start = at + 1;
        }
    }
#endif
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

LineList::Lines::const_iterator LineList::Lines::At(std::int32_t index) const {
    const auto& starts = list_->starts_;
    if (index >= list_->count_) return end();
    const auto after = std::upper_bound(starts.begin(), starts.end(), index);
    const auto chunk = static_cast<std::size_t>(after - starts.begin()) - 1;
    return {&list_->chunks_, chunk, static_cast<std::size_t>(index - starts[chunk])};
}

bool LineList::Lines::operator==(const Lines& other) const {
    return size() == other.size() && std::equal(begin(), end(), other.begin());
}

bool LineList::Lines::operator==(const std::vector<std::string>& other) const {
    return size() == other.size() && std::equal(begin(), end(), other.begin());
}

std::pair<std::size_t, std::size_t> LineList::Locate(std::int32_t index) const {
    for (std::size_t chunk : {hint_, hint_ + 1})
        if (chunk < chunks_.size() && starts_[chunk] <= index &&
            index - starts_[chunk] < static_cast<std::int32_t>(chunks_[chunk].size())) {
            hint_ = chunk;
            return {chunk, static_cast<std::size_t>(index - starts_[chunk])};
        }
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), index);
    hint_ = static_cast<std::size_t>(after - starts_.begin()) - 1;
    return {hint_, static_cast<std::size_t>(index - starts_[hint_])};
}

void LineList::RecountStarts(std::size_t chunk) {
    starts_.resize(chunks_.size());
    std::int32_t start = 0;
    if (chunk > 0)
        start = starts_[chunk - 1] + static_cast<std::int32_t>(chunks_[chunk - 1].size());
    for (std::size_t c = chunk; c < chunks_.size(); ++c) {
        starts_[c] = start;
        start += static_cast<std::int32_t>(chunks_[c].size());
    }
}

std::vector<std::string> LineList::TakeAll() {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count_));
    for (auto& chunk : chunks_)
        for (auto& line : chunk) lines.push_back(std::move(line));
    chunks_.clear();
    starts_.clear();
    count_ = 0;
    hint_ = 0;
    return lines;
}

void LineList::Store(std::vector<std::string>&& lines) {
    chunks_.clear();
    starts_.clear();
    count_ = 0;
    hint_ = 0;
    chunks_.reserve((lines.size() + kChunkLines - 1) / kChunkLines);
    for (auto& line : lines) Append(std::move(line));
    lines.clear();
}

void LineList::Append(std::string&& line) {
    if (chunks_.empty() || chunks_.back().size() >= kChunkLines) {
        chunks_.emplace_back().reserve(kChunkLines);
        starts_.push_back(count_);
    }
    chunks_.back().push_back(std::move(line));
    ++count_;
}

void LineList::InsertOne(std::int32_t index, std::string&& line) {
    if (index == count_) {
        Append(std::move(line));
        return;
    }
    const auto [chunk, offset] = Locate(index);
    std::vector<std::string>& lines = chunks_[chunk];
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(offset), std::move(line));
    ++count_;
    for (std::size_t c = chunk + 1; c < starts_.size(); ++c) ++starts_[c];
    if (lines.size() > 2 * kChunkLines) {
        // Split in two halves.
        const auto half = static_cast<std::ptrdiff_t>(lines.size() / 2);
        std::vector<std::string> second;
        second.reserve(kChunkLines * 2);
        second.assign(std::make_move_iterator(lines.begin() + half),
                      std::make_move_iterator(lines.end()));
        lines.erase(lines.begin() + half, lines.end());
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, std::move(second));
        RecountStarts(chunk + 1);
    }
}

void LineList::DeleteOne(std::int32_t index) {
    const auto [chunk, offset] = Locate(index);
    std::vector<std::string>& lines = chunks_[chunk];
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(offset));
    --count_;
    if (lines.empty()) {
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
        RecountStarts(chunk);
        hint_ = 0;
    } else {
        for (std::size_t c = chunk + 1; c < starts_.size(); ++c) --starts_[c];
    }
}

const std::string& LineList::Get(std::int32_t index) const {
    CheckIndex(index);
    const auto [chunk, offset] = Locate(index);
    return chunks_[chunk][offset];
}

LineList& LineList::operator=(const LineList& other) {
    if (this != &other) {
        chunks_ = other.chunks_;
        starts_ = other.starts_;
        count_ = other.count_;
        hint_ = 0;
        capacity_ = other.capacity_;
        MarkReplaced();
    }
    return *this;
}

LineList& LineList::operator=(LineList&& other) noexcept {
    if (this != &other) {
        chunks_ = std::move(other.chunks_);
        starts_ = std::move(other.starts_);
        count_ = other.count_;
        hint_ = 0;
        capacity_ = other.capacity_;
        other.chunks_.clear();
        other.starts_.clear();
        other.count_ = 0;
        MarkReplaced();
    }
    return *this;
}

void LineList::Record(LineChange::Kind kind, std::int32_t index, std::string text,
                      std::int32_t other) {
    if (Recording()) log_->changes.push_back(LineChange{kind, index, other, std::move(text)});
}

void LineList::Put(std::int32_t index, std::string item) {
    CheckIndex(index);
    std::string& line = At(index);
    if (Recording() || RecordingForward()) {
        if (line == item) return;
        if (RecordingForward()) Forward(LineChange::Kind::Put, index, item);
        Record(LineChange::Kind::Put, index, std::move(line));
    }
    line = std::move(item);
    if (observer_) observer_->LineReplaced(index);
}

void LineList::PutDerived(std::int32_t index, std::string item) {
    CheckIndex(index);
    At(index) = std::move(item);
}

void LineList::Forward(LineChange::Kind kind, std::int32_t index, std::string text,
                       std::int32_t other) {
    if (RecordingForward())
        forward_->changes.push_back(LineChange{kind, index, other, std::move(text)});
}

void LineList::CheckIndex(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw ListIndexError();
}

void LineList::GrowIfFull() {
    if (Count() == capacity_) SetCapacity(capacity_ + kGrowth);
}

std::int32_t LineList::Add(std::string item) {
    GrowIfFull();
    if (Recording()) Record(LineChange::Kind::Insert, Count(), item);
    if (RecordingForward()) Forward(LineChange::Kind::Insert, Count(), item);
    Append(std::move(item));
    if (observer_) observer_->LineInserted(Count() - 1);
    return Count() - 1;
}

void LineList::Insert(std::int32_t index, std::string item) {
    if (index < 0 || index > Count()) throw ListIndexError();
    GrowIfFull();
    if (Recording()) Record(LineChange::Kind::Insert, index, item);
    if (RecordingForward()) Forward(LineChange::Kind::Insert, index, item);
    InsertOne(index, std::move(item));
    if (observer_) observer_->LineInserted(index);
}

void LineList::Delete(std::int32_t index) {
    CheckIndex(index);
    Forward(LineChange::Kind::Delete, index, {});
    if (Recording()) Record(LineChange::Kind::Delete, index, std::move(At(index)));
    DeleteOne(index);
    if (observer_) observer_->LineDeleted(index);
}

void LineList::InsertMany(std::vector<std::pair<std::int32_t, std::string>> lines) {
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
    if (static_cast<std::size_t>(added) * 64 <= static_cast<std::size_t>(total)) {
        // A few lines: each into its chunk.
        for (auto& [index, text] : lines) InsertOne(index, std::move(text));
    } else {
        std::vector<std::string> old = TakeAll();
        std::vector<std::string> merged;
        merged.reserve(static_cast<std::size_t>(total));
        std::size_t next = 0;
        for (auto& [index, text] : lines) {
            while (merged.size() < static_cast<std::size_t>(index))
                merged.push_back(std::move(old[next++]));
            merged.push_back(std::move(text));
        }
        while (next < old.size()) merged.push_back(std::move(old[next++]));
        Store(std::move(merged));
    }
    // Rising final places: told one by one they are the single inserts that give this list.
    if (observer_)
        for (const auto& line : lines) observer_->LineInserted(line.first);
}

void LineList::DeleteMany(const std::vector<std::int32_t>& indexes) {
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        CheckIndex(indexes[i]);
        if (i > 0 && indexes[i] <= indexes[i - 1]) throw ListIndexError();
    }
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
        Forward(LineChange::Kind::Delete, *it, {});
        // The line goes: its text moves into the record.
        if (Recording()) Record(LineChange::Kind::Delete, *it, std::move(At(*it)));
    }
    if (indexes.size() * 64 <= static_cast<std::size_t>(Count())) {
        for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) DeleteOne(*it);
    } else {
        std::vector<std::string> lines = TakeAll();
        std::size_t kept = 0;
        std::size_t next = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (next < indexes.size() && static_cast<std::size_t>(indexes[next]) == i) {
                ++next;
                continue;
            }
            if (kept != i) lines[kept] = std::move(lines[i]);
            ++kept;
        }
        lines.resize(kept);
        Store(std::move(lines));
    }
    if (observer_)
        for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) observer_->LineDeleted(*it);
}

void LineList::Exchange(std::int32_t index1, std::int32_t index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    if (index1 == index2) return;
    Record(LineChange::Kind::Exchange, index1, {}, index2);
    Forward(LineChange::Kind::Exchange, index1, {}, index2);
    At(index1).swap(At(index2));
    if (observer_) observer_->LinesExchanged(index1, index2);
}

void LineList::Clear() {
    MarkReplaced();
    if (capacity_ > 0) {
        chunks_.clear();
        chunks_.shrink_to_fit();
        starts_.clear();
        starts_.shrink_to_fit();
        count_ = 0;
        hint_ = 0;
        capacity_ = 0;
    }
}

void LineList::SetCapacity(std::int32_t value) {
    if (value > kMaxCount || value < Count()) throw ListIndexError();
    capacity_ = value;
}

void LineList::SetCount(std::int32_t value) {
    if (value < 0 || value > kMaxCount) throw ListIndexError();
    if (value > capacity_) SetCapacity(value);
    MarkReplaced();
    std::vector<std::string> lines = TakeAll();
    lines.resize(static_cast<std::size_t>(value));
    Store(std::move(lines));
}

void LineList::AddStrings(const std::vector<std::string>& source) {
    auto total = static_cast<std::int64_t>(Count()) + static_cast<std::int64_t>(source.size());
    if (total > kMaxCount) throw ListIndexError();
    SetCapacity(static_cast<std::int32_t>(total));
    MarkReplaced();
    for (const std::string& line : source) Append(std::string(line));
}

void LineList::Assign(const std::vector<std::string>& source) {
    Clear();
    AddStrings(source);
}

void LineList::Adopt(std::vector<std::string>&& lines) {
    if (lines.size() > static_cast<std::size_t>(kMaxCount)) throw ListIndexError();
    MarkReplaced();
    Store(std::move(lines));
    capacity_ = Count();
}

void LineList::CopyTo(std::vector<std::string>& dest) const {
    dest = Items();
}

std::int32_t LineList::IndexOf(std::string_view item) const {
    std::int32_t i = 0;
    for (const std::string& line : Items()) {
        if (line == item) return i;
        ++i;
    }
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

bool LineList::Find(std::string_view findText, std::int32_t& line, std::int32_t& column) const {
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
        const std::string& text = Get(line);
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

void LineList::QuickSort(std::vector<std::string>& items, std::int32_t low, std::int32_t high,
                         const TSortCompfunc& comp) {
    // The recursion goes into the left part; the loop carries on with the right part.
    while (low < high) {
        std::int32_t i = low, j = high;
        const std::string pivot = items[static_cast<std::size_t>((low + high) / 2)];
        do {
            while (comp(items[static_cast<std::size_t>(i)], pivot) < 0) ++i;
            while (comp(items[static_cast<std::size_t>(j)], pivot) > 0) --j;
            if (i <= j) {
                if (i != j)
                    items[static_cast<std::size_t>(i)].swap(items[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (low < j) QuickSort(items, low, j, comp);
        low = i;
    }
}

void LineList::Sort(const TSortCompfunc& comp) {
    MarkReplaced();
    if (Count() <= 1) return;
    std::vector<std::string> lines = TakeAll();
    QuickSort(lines, 0, static_cast<std::int32_t>(lines.size()) - 1, comp);
    Store(std::move(lines));
}

std::string LineList::GetCommaText() const {
    std::string out;
    out.reserve(4096);
    for (const auto& item : Items()) {
        bool quote = item.find_first_of(" ,") != std::string::npos;
        if (quote) out += '"';
        out += item;
        if (quote) out += '"';
        out += ',';
    }
    if (!out.empty()) out.pop_back();
    return out;
}

void LineList::SetCommaText(std::string_view text) {
    std::vector<std::string_view> parts;
    SplitCommaText(text, parts);
    Clear();
    SetCapacity(static_cast<std::int32_t>(std::min<std::size_t>(parts.size(), kMaxCount)));
    for (auto part : parts) Append(std::string(part));
}

std::string LineList::GetText() const {
    std::size_t total = 0;
    for (const auto& item : Items()) total += item.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& item : Items()) {
        out += item;
        out += "\r\n";
    }
    return out;
}

void LineList::SetText(std::string_view text) {
    Clear();
    std::vector<std::string> lines;
    lines.reserve(text.size() / 28 + 1);
    SplitTextLines(text, lines);
    Adopt(std::move(lines));
}

void LineList::LoadFromFile(const std::string& path) {
    Clear();
    Adopt(ReadTextLines(path));
}

void LineList::SaveToFile(const std::string& path) const {
    SaveToFile(path, DefaultFileWriter());
}

void LineList::SaveToFile(const std::string& path, FileWriter& writer) const {
    WriteTextLines(path, Items(), writer);
}

void LineList::SaveToStream(std::ostream& stream) const {
    stream << GetText();
}

void LineList::LoadFromStream(std::istream& stream) {
    std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    SetText(text);
}

}  // namespace velmora
