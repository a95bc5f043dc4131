#include "core/ledgerview/record_side.h"

namespace velmora {
namespace {

std::string WithBookName(std::string_view description, std::string_view bookName) {
    std::string out(description);
    out += "　《";
    out += bookName;
    out += "》";
    return out;
}

}  // namespace

std::string DecoratedDescription(const RecordSplit& r, std::string_view kind,
                                 std::string_view name) {
    const std::string_view description = r[kFieldDescription];
    if (r[kFieldOwnKind] != r[kFieldOtherKind]) {
        if (r[kFieldOwnKind] == kind) return WithBookName(description, r[kFieldOtherName]);
        if (r[kFieldOtherKind] == kind) return WithBookName(description, r[kFieldOwnName]);
        return std::string(description);
    }
    if (r[kFieldOtherName] != name) return WithBookName(description, r[kFieldOtherName]);
    if (r[kFieldOwnName] != name) return WithBookName(description, r[kFieldOwnName]);
    return std::string(description);
}

std::string_view SeenTitle(const RecordSplit& r, std::string_view kind) {
    if (r[kFieldOwnKind] != r[kFieldOtherKind]) {
        if (r[kFieldOwnKind] == kind) return r[kFieldOtherKind];
        if (r[kFieldOtherKind] == kind) return r[kFieldOwnKind];
    }
    return r[kFieldTitle];
}

SeenAmounts AmountsSeenBy(const RecordSplit& r, std::string_view kind, std::string_view name) {
    if (r.IsOwnBook(kind, name)) return {r[kFieldIncome], r[kFieldExpense]};
    return {r[kFieldExpense], r[kFieldIncome]};
}

}  // namespace velmora
