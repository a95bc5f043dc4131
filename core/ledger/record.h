#pragma once
// One transaction record: twelve comma-terminated fields. Records stay text; a record is
// split into views of its fields, read by index, and rebuilt by joining fields 0..11,
// each followed by ",".
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/ledger/book.h"

namespace velmora {

enum RecordField : int {
    kFieldTag = 0,
    kFieldDate = 1,
    kFieldEntryNo = 2,
    kFieldTitle = 3,
    kFieldDescription = 4,
    kFieldIncome = 5,
    kFieldExpense = 6,
    kFieldBalance = 7,
    kFieldOwnKind = 8,
    kFieldOwnName = 9,
    kFieldOtherKind = 10,
    kFieldOtherName = 11,
};
inline constexpr int kRecordFields = 12;

// Lines of the transaction list begin with "d"; the file's registry lines with "z", its
// period lines with "f" and its settings line with "g".
inline bool IsRecordLine(std::string_view line) {
    return !line.empty() && line[0] == 'd';
}

// The fields of one record line as views into it (the comma-text split). Reading a field
// beyond the last gives an empty text. The views live as long as the line they split.
class RecordSplit {
public:
    RecordSplit() = default;
    explicit RecordSplit(std::string_view line) { Split(line); }
    void Split(std::string_view line);

    int Count() const { return static_cast<int>(fields_.size()); }
    // The line held no double quote and no carriage return: its fields are the texts
    // between its commas.
    bool AtEveryComma() const { return atEveryComma_; }
    std::string_view operator[](int index) const {
        return index >= 0 && index < Count() ? fields_[static_cast<std::size_t>(index)]
                                             : std::string_view();
    }
    bool IsOwnBook(std::string_view kind, std::string_view name) const {
        return (*this)[kFieldOwnKind] == kind && (*this)[kFieldOwnName] == name;
    }
    bool IsOtherBook(std::string_view kind, std::string_view name) const {
        return (*this)[kFieldOtherKind] == kind && (*this)[kFieldOtherName] == name;
    }
    // A record belongs to a book when either side names it.
    bool BelongsTo(std::string_view kind, std::string_view name) const {
        return IsOwnBook(kind, name) || IsOtherBook(kind, name);
    }

private:
    std::vector<std::string_view> fields_;
    bool atEveryComma_ = true;
};

// Field index (one of the first few) as RecordSplit gives it, without splitting the whole
// line: a search back through the list for a date needs only field 1 of each line.
std::string_view LeadingRecordField(std::string_view line, int index);

// Fields 0..11 of a split record, as owned texts that can be changed and joined again.
std::array<std::string, kRecordFields> RecordFieldsOf(const RecordSplit& split);

// Fields 0..11, each followed by ",".
std::string JoinRecord(const std::array<std::string, kRecordFields>& fields);

// True when joining the split's fields gives back the line itself: twelve fields, no
// quotes and no carriage return, ending with ",". split must be the split of line.
bool IsPlainRecordLine(std::string_view line, const RecordSplit& split);

// The line rebuilt from its fields 0..11 with field index replaced by value. Lines that
// are exactly twelve plain fields are changed in place without a full rebuild.
std::string ReplaceRecordField(std::string_view line, const RecordSplit& split, int index,
                               std::string_view value);

// A record of the earlier form (at most eight or nine fields, no book fields) made a
// cash-book record of the use type: fields 8..11 become ("現金", name, "現金", name).
std::string CompleteOldFormRecord(const RecordSplit& split, std::string_view useTypeName);

// The cash book bears the use type's name on both sides: a book-name field (9 or 11) that
// holds the other use type's name gets useTypeName. True when a field changed.
// NeedsCashBookRename tells the same from a split, without changing anything.
bool NeedsCashBookRename(const RecordSplit& split, std::string_view useTypeName);
bool RenameCashBookFields(std::array<std::string, kRecordFields>& fields,
                          std::string_view useTypeName);

}  // namespace velmora
