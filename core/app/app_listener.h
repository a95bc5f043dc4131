#pragma once
// What the windows hear from the application object. Every notification comes after the
// command that caused it is complete, once per command, so a window always reads a model
// that is whole.
namespace velmora {

class AppListener {
public:
    virtual ~AppListener() = default;
    // A whole new ledger is in place (load, new ledger, roll-over, restored backup).
    virtual void LedgerReplaced() {}
    // The ledger view was rebuilt: its rows, totals, texts and the book balances.
    virtual void ViewChanged() {}
    // The account titles of the use type were read again.
    virtual void TitlesChanged() {}
    // What the title bar, the status bar and the menus show: the modified flag, the
    // current file, the book, the month panels, the company name, the pages shown.
    virtual void StateChanged() {}
    // The ten entries of the backup menu.
    virtual void BackupsChanged() {}
    // The monthly summary (and so the graph) was built again.
    virtual void SummaryChanged() {}
    // The print preview must be painted again.
    virtual void PreviewChanged() {}
    // The entry form's state changed: its date and calendar, lists, title, description,
    // amounts or quick descriptions.
    virtual void EntryFormChanged() {}
};

}  // namespace velmora
