#include "core/history/undo_history.h"

#include <algorithm>
#include <utility>

#include "core/entry/entry_record.h"
#include "core/ledger/record.h"

namespace velmora {
namespace {

std::array<LineList*, 3> ListsOf(Ledger& ledger) {
    return {&ledger.transactions, &ledger.pettyRegistry, &ledger.bankRegistry};
}

// Two record lines that differ in more than the month tag and the running balance, which
// the program keeps up to date by itself, even in locked periods.
bool DifferInEntry(const std::string& a, const std::string& b) {
    const RecordSplit x(a), y(b);
    if (x.Count() != y.Count()) return true;
    for (int f = 0; f < x.Count(); ++f)
        if (f != kFieldTag && f != kFieldBalance && x[f] != y[f]) return true;
    return false;
}

}  // namespace

LedgerValues LedgerValues::Of(const Ledger& ledger) {
    return LedgerValues{ledger.periods, ledger.openingBalance, ledger.startMonth, ledger.useType,
                        ledger.startYear};
}

void LedgerValues::ApplyTo(Ledger& ledger) const {
    ledger.periods = periods;
    ledger.openingBalance = openingBalance;
    ledger.startMonth = startMonth;
    ledger.useType = useType;
    ledger.startYear = startYear;
}

bool LedgerValues::operator==(const LedgerValues& o) const {
    return periods.start == o.periods.start && periods.end == o.periods.end &&
           periods.lock == o.periods.lock && openingBalance == o.openingBalance &&
           startMonth == o.startMonth && useType == o.useType && startYear == o.startYear;
}

void UndoHistory::Begin(Ledger& ledger) {
    if (recording_) return;
    recording_ = &ledger;
    before_ = LedgerValues::Of(ledger);
    const auto lists = ListsOf(ledger);
    for (std::size_t k = 0; k < lists.size(); ++k) {
        logs_[k] = LineChangeLog{};
        lists[k]->RecordChangesInto(&logs_[k]);
    }
}

void UndoHistory::Detach() {
    for (LineList* list : ListsOf(*recording_)) list->RecordChangesInto(nullptr);
    recording_ = nullptr;
}

void UndoHistory::End(const std::string& label) {
    if (!recording_) return;
    Ledger& ledger = *recording_;
    Detach();
    if (std::any_of(logs_.begin(), logs_.end(),
                    [](const LineChangeLog& log) { return log.replacedWhole; })) {
        Clear();
        return;
    }
    if (label.empty()) {
        // Not a command of its own: showing the ledger brings running balances up to date
        // in place, which needs no step. Anything more cannot be taken back past.
        const bool balancesOnly =
            LedgerValues::Of(ledger) == before_ && logs_[1].changes.empty() &&
            logs_[2].changes.empty() &&
            std::all_of(logs_[0].changes.begin(), logs_[0].changes.end(),
                        [](const LineChange& c) { return c.kind == LineChange::Kind::Put; });
        if (!balancesOnly) Clear();
        return;
    }
    UndoStep step;
    step.label = label;
    step.before = before_;
    step.after = LedgerValues::Of(ledger);
    bool changed = !(step.before == step.after);
    for (std::size_t k = 0; k < logs_.size(); ++k) {
        changed = changed || !logs_[k].changes.empty();
        step.lines[k] = std::move(logs_[k].changes);
        step.lines[k].shrink_to_fit();
    }
    if (!changed) return;
    if (savedAt_ > static_cast<long>(undo_.size())) savedAt_ = -1;  // that state is redo's
    redo_.clear();
    undo_.push_back(std::move(step));
}

void UndoHistory::Clear() {
    if (recording_) Detach();
    undo_.clear();
    redo_.clear();
    savedAt_ = 0;
}

std::string UndoHistory::UndoText() const {
    if (undo_.empty() || undo_.back().label.empty()) return kUndoCaption;
    return std::string(kUndoCaption) + ": " + undo_.back().label;
}

std::string UndoHistory::RedoText() const {
    if (redo_.empty() || redo_.back().label.empty()) return kRedoCaption;
    return std::string(kRedoCaption) + ": " + redo_.back().label;
}

// Applies the inverse of step to ledger and turns step into that inverse, so that the
// same call takes it back again. True when a record of a locked period was changed.
bool UndoHistory::Reverse(UndoStep& step, Ledger& ledger) {
    const Periods& periods = ledger.periods;
    auto locked = [&](const std::string& line) {
        return IsRecordLine(line) && periods.IsLocked(TaggedMonth(line));
    };
    bool touchedLocked = false;
    const auto lists = ListsOf(ledger);
    for (std::size_t k = 0; k < lists.size(); ++k) {
        LineList& list = *lists[k];
        const bool records = k == 0;
        std::vector<LineChange>& changes = step.lines[k];
        for (auto it = changes.rbegin(); it != changes.rend();) {
            LineChange& c = *it;
            // A run of inserts taken back from the last (an import's records), or of
            // deletes given back from the first, is one pass over the list, not one each.
            if (c.kind == LineChange::Kind::Insert || c.kind == LineChange::Kind::Delete) {
                // Inserts are taken back as deletes, from the last; deletes given back as
                // inserts, from the first.
                const auto run = IndexRun(it, changes.rend(), c.kind == LineChange::Kind::Delete);
                if (c.kind == LineChange::Kind::Insert) {
                    std::vector<std::int32_t> indexes;
                    for (auto r = it; r != run; ++r) {
                        if (records) touchedLocked = touchedLocked || locked(list[r->index]);
                        r->text = list[r->index];
                        r->kind = LineChange::Kind::Delete;
                        indexes.push_back(r->index);
                    }
                    std::reverse(indexes.begin(), indexes.end());
                    list.DeleteMany(indexes);
                } else {
                    std::vector<std::pair<std::int32_t, std::string>> lines;
                    for (auto r = it; r != run; ++r) {
                        if (records) touchedLocked = touchedLocked || locked(r->text);
                        lines.emplace_back(r->index, r->text);
                        r->kind = LineChange::Kind::Insert;
                    }
                    list.InsertMany(std::move(lines));
                }
                it = run;
                continue;
            }
            switch (c.kind) {
                case LineChange::Kind::Put: {
                    std::string now = list[c.index];
                    if (records && DifferInEntry(now, c.text))
                        touchedLocked = touchedLocked || locked(now) || locked(c.text);
                    list.Put(c.index, std::move(c.text));
                    c.text = std::move(now);
                    break;
                }
                case LineChange::Kind::Exchange:
                    if (records)
                        touchedLocked =
                            touchedLocked || locked(list[c.index]) || locked(list[c.other]);
                    list.Exchange(c.index, c.other);
                    break;
                default:
                    break;
            }
            ++it;
        }
        std::reverse(changes.begin(), changes.end());
    }
    // Values a step did not change stay as they are now (a lock set since, say).
    if (!(step.before == step.after)) {
        std::swap(step.before, step.after);
        step.after.ApplyTo(ledger);
    }
    return touchedLocked;
}

UndoHistory::Outcome UndoHistory::Undo(Ledger& ledger) {
    if (undo_.empty()) return Outcome::Nothing;
    UndoStep& step = undo_.back();
    if (Reverse(step, ledger)) {
        Reverse(step, ledger);
        return Outcome::Locked;
    }
    redo_.push_back(std::move(step));
    undo_.pop_back();
    return Outcome::Done;
}

UndoHistory::Outcome UndoHistory::Redo(Ledger& ledger) {
    if (redo_.empty()) return Outcome::Nothing;
    UndoStep& step = redo_.back();
    if (Reverse(step, ledger)) {
        Reverse(step, ledger);
        return Outcome::Locked;
    }
    undo_.push_back(std::move(step));
    redo_.pop_back();
    return Outcome::Done;
}

std::size_t UndoHistory::MemoryBytes() const {
    std::size_t bytes = 0;
    for (const auto* steps : {&undo_, &redo_})
        for (const UndoStep& step : *steps) {
            bytes += sizeof step + step.label.capacity();
            for (const auto& changes : step.lines)
                for (const LineChange& c : changes)
                    bytes += sizeof c + (c.text.capacity() > 15 ? c.text.capacity() + 1 : 0);
        }
    return bytes;
}

}  // namespace velmora
