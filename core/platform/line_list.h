#pragma once
// LineList: the growable list of text lines that holds the ledger (transaction list
// and book registries) and every scratch split of a record. Its comma-text rules are the
// ones the ledger file format depends on.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/util/line_changes.h"

namespace velmora {

class FileWriter;

// Told of each change of a list's lines once it is made, so that what is kept about the
// lines (an index of them) stays in step. A running balance written with PutDerived is
// no change of what an observer keeps and is not told.
class LineObserver {
public:
    virtual void LineInserted(std::int32_t index) = 0;
    virtual void LineDeleted(std::int32_t index) = 0;
    virtual void LineReplaced(std::int32_t index) = 0;
    virtual void LinesExchanged(std::int32_t index1, std::int32_t index2) = 0;
    // Cleared, loaded, assigned, sorted: anything kept must be made again.
    virtual void LinesReplaced() = 0;

protected:
    ~LineObserver() = default;
};

// Splits one record by the comma-text rules into views of text (see SetCommaText). True
// when the text holds no double quote and no carriage return, so that it was split at
// every comma and nothing else.
bool SplitCommaText(std::string_view text, std::vector<std::string_view>& items);

class LineList {
public:
    static constexpr std::int32_t kMaxCount = 134217727;  // 2^27 - 1
    static constexpr std::int32_t kGrowth = 32;
    using TSortCompfunc = std::function<int(const std::string& s1, const std::string& s2)>;

    // The lines in order, read in place: a view that stays valid as long as the list.
    class Lines {
    public:
        class const_iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = std::string;
            using difference_type = std::ptrdiff_t;
            using pointer = const std::string*;
            using reference = const std::string&;

            const_iterator() = default;
            reference operator*() const { return (*chunks_)[chunk_][offset_]; }
            pointer operator->() const { return &**this; }
            const_iterator& operator++() {
                if (++offset_ == (*chunks_)[chunk_].size()) {
                    ++chunk_;
                    offset_ = 0;
                }
                return *this;
            }
            const_iterator operator++(int) {
                const_iterator before = *this;
                ++*this;
                return before;
            }
            bool operator==(const const_iterator& other) const {
                return chunk_ == other.chunk_ && offset_ == other.offset_;
            }

        private:
            friend class Lines;
            const_iterator(const std::vector<std::vector<std::string>>* chunks, std::size_t chunk,
                           std::size_t offset = 0)
                : chunks_(chunks), chunk_(chunk), offset_(offset) {}
            const std::vector<std::vector<std::string>>* chunks_ = nullptr;
            std::size_t chunk_ = 0;
            std::size_t offset_ = 0;
        };
        using iterator = const_iterator;
        using value_type = std::string;
        using size_type = std::size_t;
        using difference_type = std::ptrdiff_t;
        using reference = const std::string&;
        using const_reference = const std::string&;

        explicit Lines(const LineList& list) : list_(&list) {}
        const_iterator begin() const { return {&list_->chunks_, 0}; }
        const_iterator end() const { return {&list_->chunks_, list_->chunks_.size()}; }
        // The iterator at line index (end() at Count()), found without moving the list's
        // own place, so that several threads may read the list at once.
        const_iterator At(std::int32_t index) const;
        std::size_t size() const { return static_cast<std::size_t>(list_->Count()); }
        bool empty() const { return list_->Count() == 0; }
        const std::string& operator[](std::size_t i) const {
            return list_->Get(static_cast<std::int32_t>(i));
        }
        const std::string& front() const { return list_->Get(0); }
        const std::string& back() const { return list_->Get(list_->Count() - 1); }
        // A copy of the lines.
        operator std::vector<std::string>() const { return {begin(), end()}; }
        bool operator==(const Lines& other) const;
        bool operator==(const std::vector<std::string>& other) const;

    private:
        const LineList* list_;
    };

    LineList() = default;
    // A copy has no change log of its own; assigning over a list that records replaces it
    // as a whole.
    LineList(const LineList& other)
        : chunks_(other.chunks_),
          starts_(other.starts_),
          count_(other.count_),
          capacity_(other.capacity_) {}
    LineList(LineList&& other) noexcept
        : chunks_(std::move(other.chunks_)),
          starts_(std::move(other.starts_)),
          count_(other.count_),
          capacity_(other.capacity_) {
        other.count_ = 0;
        other.starts_.clear();
    }
    LineList& operator=(const LineList& other);
    LineList& operator=(LineList&& other) noexcept;
    ~LineList() = default;

    // Every later change of a line is recorded into log (nullptr: none), so that a command
    // can be taken back line by line; changes of the whole list only mark it replaced.
    void RecordChangesInto(LineChangeLog* log) { log_ = log; }
    // Every later change of a line is also recorded into log (nullptr: none) as it was
    // made, each with the text it left (a Put the new line): enough to make the same
    // changes again on a copy of the list as it was before. Running balances are left out:
    // showing the ledger works them out again from the lines and the book shown.
    void RecordForwardInto(LineChangeLog* log) { forward_ = log; }
    // Every later change is told to observer (nullptr: none). A copy or a moved-to list
    // keeps its own observer.
    void ObserveWith(LineObserver* observer) { observer_ = observer; }

    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return capacity_; }

    const std::string& Get(std::int32_t index) const;
    void Put(std::int32_t index, std::string item);
    // A change that follows from the other lines (a running balance) and is made again by
    // working them out afresh: never recorded, so that the change log of an entry early in
    // the year does not hold every later line.
    void PutDerived(std::int32_t index, std::string item);
    const std::string& operator[](std::int32_t index) const { return Get(index); }

    std::int32_t Add(std::string item);
    void Insert(std::int32_t index, std::string item);
    void Delete(std::int32_t index);
    // Many lines in one pass, as inserting each in turn would put them: lines holds
    // (index, text) by ascending index, each index the line's place in the list once all
    // are in. Recorded as those inserts, in that order. Throws ListIndexError (nothing
    // changed) for an index out of order or out of reach.
    void InsertMany(std::vector<std::pair<std::int32_t, std::string>> lines);
    // The lines at strictly ascending indexes removed in one pass; recorded as deleting
    // each in turn from the last. Throws ListIndexError (nothing changed) otherwise.
    void DeleteMany(const std::vector<std::int32_t>& indexes);
    void Exchange(std::int32_t index1, std::int32_t index2);
    void Clear();
    void SetCount(std::int32_t value);
    void SetCapacity(std::int32_t value);

    void AddStrings(const std::vector<std::string>& source);
    void Assign(const std::vector<std::string>& source);
    // Takes the lines over without copying them.
    void Adopt(std::vector<std::string>&& lines);
    void CopyTo(std::vector<std::string>& dest) const;
    Lines Items() const { return Lines(*this); }

    std::int32_t IndexOf(std::string_view item) const;
    // Case-insensitive (ASCII letters) substring search from line line, column column
    // (from 1, counted in bytes of the UTF-8 text); on a match line and column name it.
    // After the last line returns false with line = Count().
    bool Find(std::string_view findText, std::int32_t& line, std::int32_t& column) const;
    void Sort(const TSortCompfunc& comp);

    std::string GetCommaText() const;
    void SetCommaText(std::string_view text);
    std::string GetText() const;
    void SetText(std::string_view text);

    // CP932 files with CR LF lines (UTF-8 files are read as they are). Throws FileError
    // or EncodingError; the list has been cleared when loading fails.
    void LoadFromFile(const std::string& path);
    // Throws EncodingError (nothing written) or FileError (the old file stays whole).
    void SaveToFile(const std::string& path) const;
    void SaveToFile(const std::string& path, FileWriter& writer) const;
    // Streams carry UTF-8 text.
    void SaveToStream(std::ostream& stream) const;
    void LoadFromStream(std::istream& stream);

private:
    // Lines per chunk as a list is filled; a chunk that grows to twice as many is split in
    // two, so that putting a line in or taking one out moves at most that many.
    static constexpr std::size_t kChunkLines = 1024;

    void CheckIndex(std::int32_t index) const;
    void GrowIfFull();
    // (chunk, offset) of a line of the list.
    std::pair<std::size_t, std::size_t> Locate(std::int32_t index) const;
    std::string& At(std::int32_t index) {
        const auto [chunk, offset] = Locate(index);
        return chunks_[chunk][offset];
    }
    // Every line in one vector, and back into chunks (for changes of the whole list).
    std::vector<std::string> TakeAll();
    void Store(std::vector<std::string>&& lines);
    void Append(std::string&& line);
    void InsertOne(std::int32_t index, std::string&& line);
    void DeleteOne(std::int32_t index);
    // The first lines of the chunks from chunk on counted again.
    void RecountStarts(std::size_t chunk);
    static void QuickSort(std::vector<std::string>& items, std::int32_t low, std::int32_t high,
                          const TSortCompfunc& comp);

    void Record(LineChange::Kind kind, std::int32_t index, std::string text,
                std::int32_t other = 0);
    // Once the list was replaced as a whole, single changes are no longer worth keeping.
    bool Recording() const { return log_ != nullptr && !log_->replacedWhole; }
    bool RecordingForward() const { return forward_ != nullptr && !forward_->replacedWhole; }
    void Forward(LineChange::Kind kind, std::int32_t index, std::string text,
                 std::int32_t other = 0);
    void MarkReplaced() {
        if (log_) log_->replacedWhole = true;
        if (forward_) forward_->replacedWhole = true;
        if (observer_) observer_->LinesReplaced();
    }

    std::vector<std::vector<std::string>> chunks_;  // none empty
    std::vector<std::int32_t> starts_;              // the first line of each chunk
    std::int32_t count_ = 0;
    mutable std::size_t hint_ = 0;  // the chunk found last: lines are mostly read in order
    LineChangeLog* log_ = nullptr;
    LineChangeLog* forward_ = nullptr;
    LineObserver* observer_ = nullptr;
    // The list's own capacity figure: it grows by 32 slots at a time. Storage itself
    // grows geometrically underneath, so that long lists are built in linear time.
    std::int32_t capacity_ = 0;
};

}  // namespace velmora
