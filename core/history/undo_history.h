#pragma once
// "元に戻す" and "やり直し": every command that changes the ledger leaves one step, the
// changes it made to the transaction list and the two book registries, line by line, and
// the file-level values (periods, opening balance, start month, use type, start year) as
// they were before and after. Memory grows with what the commands changed, never with the
// ledger. A step is taken back exactly: the same lines, so the same bytes on save, once
// the running balances, which are never recorded, have been worked out again (as showing
// the ledger does).
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/ledger/ledger.h"
#include "core/util/line_changes.h"

namespace velmora {

inline constexpr const char* kUndoCaption = "元に戻す";
inline constexpr const char* kRedoCaption = "やり直し";

// The values of the ledger that are not lines.
struct LedgerValues {
    Periods periods;
    Amount openingBalance;
    int startMonth = 1;
    int useType = 1;
    int startYear = 2004;

    static LedgerValues Of(const Ledger& ledger);
    void ApplyTo(Ledger& ledger) const;
    bool operator==(const LedgerValues& o) const;
};

struct UndoStep {
    std::string label;  // "登録 2024/05/10 交通費"
    // transactions, pettyRegistry, bankRegistry: the changes in the order they were made.
    std::array<std::vector<LineChange>, 3> lines;
    LedgerValues before;
    LedgerValues after;
};

class UndoHistory {
public:
    enum class Outcome { Done, Nothing, Locked };

    // Starts recording what the next command does to ledger. Commands do not nest: a
    // second Begin before End is ignored.
    void Begin(Ledger& ledger);
    bool Recording() const { return recording_ != nullptr; }
    // Ends the recording. A command that changed the ledger leaves a step with label and
    // drops what could be redone; one that replaced a list as a whole (load, new ledger)
    // clears the history, as nothing before it can be taken back. Without a label the
    // work was no command of the user's (the view shown again): its balance updates leave
    // no step.
    void End(const std::string& label);
    // The history of another ledger, or of none: everything forgotten.
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // "元に戻す: 登録 2024/05/10 交通費", or the bare caption when there is nothing.
    std::string UndoText() const;
    std::string RedoText() const;

    // Takes the last step back (Undo) or does it again (Redo). Refused (Locked) when it
    // would change a record of a locked period, as entering one would be; the ledger is
    // then as it was.
    Outcome Undo(Ledger& ledger);
    Outcome Redo(Ledger& ledger);

    // The ledger was saved (or loaded): the state it is in now is the file's.
    void MarkSaved() { savedAt_ = static_cast<long>(undo_.size()); }
    // The ledger is as it was last saved: undone or redone back to that state.
    bool AtSavedState() const { return savedAt_ == static_cast<long>(undo_.size()); }

    std::size_t StepCount() const { return undo_.size() + redo_.size(); }
    // The memory the steps hold, roughly: texts and records.
    std::size_t MemoryBytes() const;

private:
    void Detach();
    static bool Reverse(UndoStep& step, Ledger& ledger);

    Ledger* recording_ = nullptr;
    std::array<LineChangeLog, 3> logs_;
    LedgerValues before_;
    std::vector<UndoStep> undo_;
    std::vector<UndoStep> redo_;
    long savedAt_ = 0;  // undo_.size() of the saved state; -1 when no longer reachable
};

}  // namespace velmora
