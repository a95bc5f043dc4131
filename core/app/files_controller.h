#pragma once

// The ledger files and their backups as commands: new ledgers, next year's, open, save,
// the backups of the backup menu, the CSV export and the screen layout. Each runs in the
// application's command scope and tells the listeners once, when it is complete.

#include <string>

#include "core/app/app_controller.h"
#include "core/platform/line_list.h"
#include "core/session/file_commands.h"

namespace velmora {

class Application;
class FileLock;
struct LedgerLayout;

class FilesController : public AppController {
public:
    using AppController::AppController;

    void NewCashBookLedger();
    void NewAllowanceBookLedger();
    // "表示中のデータから残高を引き継いで次年度分を作成"; MakeNextYear tells whether next
    // year's ledger was made and written.
    void MakeNextYearLedger();
    bool MakeNextYear();
    void Open();
    // "保　存" and "名前をつけて保存"; SaveFile and SaveFileAs tell whether the ledger file
    // and its backup were written. Save, the window's command, offers to read a file that
    // another program changed again instead of saving as (SaveCommand's offerReload).
    void Save();
    void SaveAs();
    SaveResult SaveFile();
    SaveResult SaveFileAs();
    // The first show with a file that must open: as Application::Show(path), but a file that
    // does not load ends it there, without a new empty ledger. True when the file was loaded.
    bool OpenFile(const std::string& path);
    // velmora-cli's OpenFile: it holds the file's lock (heldLock; none when it could not be
    // taken) from before its load until after its save, so its saves find the lock held and
    // wait as long as it takes.
    bool OpenFileUnderLock(const std::string& path, const FileLock* heldLock);
    // An entry of the backup menu (1 … 10).
    void RestoreBackup(int n);
    // "CSVファイルへ出力": the CSV options dialog.
    void OpenCsvExport();
    // "現在の画面デザインを保存する": the window passes the widths it shows.
    void SaveLedgerLayout(const LedgerLayout& shownLayout);
    // The transaction lines as a save writes them: field 7 of each record brought to the
    // balance showing the ledger leaves there.
    LineList::Lines RecordLines();
};

}  // namespace velmora
