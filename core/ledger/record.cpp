#include "core/ledger/record.h"

#include "core/platform/line_list.h"

namespace velmora {

void RecordSplit::Split(std::string_view line) {
    atEveryComma_ = SplitCommaText(line, fields_);
}

std::string_view LeadingRecordField(std::string_view line, int index) {
    // Up to the comma that ends the field, a line without quotes or carriage returns is
    // split at its commas alone; anything else takes the full rules.
    std::size_t start = 0;
    for (int field = 0; field >= 0 && field <= index; ++field) {
        const std::size_t end = line.find_first_of(",\"\r", start);
        if (end == std::string_view::npos || line[end] != ',') break;
        if (field == index) return line.substr(start, end - start);
        start = end + 1;
    }
    return RecordSplit(line)[index];
}

std::array<std::string, kRecordFields> RecordFieldsOf(const RecordSplit& split) {
    std::array<std::string, kRecordFields> fields;
    for (int i = 0; i < kRecordFields; ++i) fields[static_cast<std::size_t>(i)] = split[i];
    return fields;
}

std::string JoinRecord(const std::array<std::string, kRecordFields>& fields) {
    std::size_t total = kRecordFields;
    for (const auto& f : fields) total += f.size();
    std::string line;
    line.reserve(total);
    for (const auto& f : fields) {
        line += f;
        line += ',';
    }
    return line;
}

bool IsPlainRecordLine(std::string_view line, const RecordSplit& split) {
    // The split has already looked for quotes and carriage returns.
    return split.Count() == kRecordFields && !line.empty() && line.back() == ',' &&
           split.AtEveryComma();
}

std::string ReplaceRecordField(std::string_view line, const RecordSplit& split, int index,
                               std::string_view value) {
    if (IsPlainRecordLine(line, split)) {
        std::string_view field = split[index];
        std::size_t offset = static_cast<std::size_t>(field.data() - line.data());
        std::string out;
        out.reserve(line.size() + value.size());
        out.append(line.substr(0, offset));
        out.append(value);
        out.append(line.substr(offset + field.size()));
        return out;
    }
    auto fields = RecordFieldsOf(split);
    fields[static_cast<std::size_t>(index)] = value;
    return JoinRecord(fields);
}

std::string CompleteOldFormRecord(const RecordSplit& split, std::string_view useTypeName) {
    auto fields = RecordFieldsOf(split);
    fields[kFieldOwnKind] = kCashKind;
    fields[kFieldOwnName] = useTypeName;
    fields[kFieldOtherKind] = kCashKind;
    fields[kFieldOtherName] = useTypeName;
    return JoinRecord(fields);
}

namespace {

std::string_view OtherCashBookName(std::string_view useTypeName) {
    return useTypeName == kCashBookName ? kAllowanceBookName : kCashBookName;
}

}  // namespace

bool NeedsCashBookRename(const RecordSplit& split, std::string_view useTypeName) {
    const std::string_view otherCashName = OtherCashBookName(useTypeName);
    return split[kFieldOwnName] == otherCashName || split[kFieldOtherName] == otherCashName;
}

bool RenameCashBookFields(std::array<std::string, kRecordFields>& fields,
                          std::string_view useTypeName) {
    const std::string_view otherCashName = OtherCashBookName(useTypeName);
    bool renamed = false;
    for (int index : {kFieldOwnName, kFieldOtherName}) {
        auto& field = fields[static_cast<std::size_t>(index)];
        if (field == otherCashName) {
            field = useTypeName;
            renamed = true;
        }
    }
    return renamed;
}

}  // namespace velmora
