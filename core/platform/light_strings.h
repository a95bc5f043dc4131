#pragma once
// TLightStrings: the growable list of text lines that holds the ledger (transaction list
// and book registries) and every scratch split of a record. Its comma-text rules are the
// ones the ledger file format depends on.
#include <cstdint>
#include <functional>
#include <iosfwd>
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

class TLightStrings {
public:
    static constexpr std::int32_t kMaxCount = 134217727;  // 2^27 - 1
    static constexpr std::int32_t kGrowth = 32;
    using TSortCompfunc = std::function<int(const std::string& s1, const std::string& s2)>;

    TLightStrings() = default;
    // A copy has no change log of its own; assigning over a list that records replaces it
    // as a whole.
    TLightStrings(const TLightStrings& other) : items_(other.items_), capacity_(other.capacity_) {}
    TLightStrings(TLightStrings&& other) noexcept
        : items_(std::move(other.items_)), capacity_(other.capacity_) {}
    TLightStrings& operator=(const TLightStrings& other);
    TLightStrings& operator=(TLightStrings&& other) noexcept;
    ~TLightStrings() = default;

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

    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
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
    const std::vector<std::string>& Items() const { return items_; }

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
    void CheckIndex(std::int32_t index) const;
    void GrowIfFull();
    void QuickSort(std::int32_t low, std::int32_t high, const TSortCompfunc& comp);

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

    std::vector<std::string> items_;
    LineChangeLog* log_ = nullptr;
    LineChangeLog* forward_ = nullptr;
    LineObserver* observer_ = nullptr;
    // The list's own capacity figure: it grows by 32 slots at a time. Storage itself
    // grows geometrically underneath, so that long lists are built in linear time.
    std::int32_t capacity_ = 0;
};

}  // namespace velmora
