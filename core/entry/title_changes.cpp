#include "core/entry/title_changes.h"

#include <exception>
#include <optional>
#include <vector>

#include "core/entry/description_lists.h"
#include "core/ledger/record.h"
#include "core/util/paths.h"

namespace velmora {
namespace {

// The description file of each slot as it was before the titles moved: its bytes, none
// when the slot had no file.
using SlotFiles = std::vector<std::optional<std::string>>;

std::string DescriptionPath(const Session& session, int slot) {
    return JoinPath(session.workingFolder(),
                    "cldata/" + DescriptionFileName(slot, session.ledger.useType));
}

bool Moved(const TitleMaster& master) {
    for (int n = 1; n <= kTitleSlots; ++n)
        if (master.Origins()[static_cast<std::size_t>(n - 1)] != n) return true;
    return false;
}

// Read whole before anything is written: a file moves to a slot whose own file moves on.
SlotFiles ReadMovingFiles(const Session& session, const TitleMaster& master) {
    SlotFiles files(kTitleSlots + 1);
    for (int origin : master.Origins()) {
        if (origin == 0) continue;
        const std::string path = DescriptionPath(session, origin);
        if (FileExists(path)) files[static_cast<std::size_t>(origin)] = ReadFileBytes(path);
    }
    return files;
}

// Slot n takes the file of the slot its title came from; a slot whose title was deleted
// keeps no descriptions. Failures are collected, each on a line.
std::string MoveDescriptionFiles(Session& session, const TitleMaster& master,
                                 const SlotFiles& files) {
    std::string failures;
    for (int n = 1; n <= kTitleSlots; ++n) {
        const int origin = master.Origins()[static_cast<std::size_t>(n - 1)];
        if (origin == n) continue;
        const std::string path = DescriptionPath(session, n);
        try {
            const std::optional<std::string>& bytes =
                origin == 0 ? std::nullopt : files[static_cast<std::size_t>(origin)];
            if (bytes)
                session.writer().WriteAtomic(path, *bytes);
            else
                session.writer().Remove(path);
        } catch (const std::exception& error) {
            failures += std::string("\r\n") + error.what();
        }
    }
    return failures;
}

}  // namespace

int CountRecordsTitled(const Ledger& ledger, const std::string& title) {
    int count = 0;
    for (const std::string& line : ledger.transactions.Items())
        if (IsRecordLine(line) && LeadingRecordField(line, kFieldTitle) == title) ++count;
    return count;
}

int RenameRecordsTitled(Ledger& ledger, const std::string& from, const std::string& to) {
    LineList& list = ledger.transactions;
    RecordSplit split;
    int renamed = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (!IsRecordLine(list[i]) || LeadingRecordField(list[i], kFieldTitle) != from) continue;
        split.Split(list[i]);
        list.Put(i, ReplaceRecordField(list[i], split, kFieldTitle, to));
        ++renamed;
    }
    return renamed;
}

TitleMaster OpenTitleMaster(const Session& session, TitleMasterMode mode, Dialogs& dialogs) {
    const Ledger& ledger = session.ledger;
    return TitleMaster(
        TitleFilePath(session.workingFolder(), ledger.useType), mode, dialogs,
        [&ledger](const std::string& title) { return CountRecordsTitled(ledger, title); });
}

bool UpdateTitles(Session& session, TitleMaster& master) {
    Dialogs& dialogs = session.dialogs();
    std::vector<TitleRename> follow;
    for (const TitleRename& rename : master.Renames()) {
        const int records = CountRecordsTitled(session.ledger, rename.from);
        if (records == 0) continue;
        if (dialogs.AskYesNo(kAppTitle, kAppTitle,
                             "「" + rename.from + "」を「" + rename.to +
                                 "」に変更しました。\r\n「" + rename.from + "」の " +
                                 std::to_string(records) + " 件のデータの科目も「" + rename.to +
                                 "」に変更しますか？"))
            follow.push_back(rename);
    }
    SlotFiles files;
    try {
        if (Moved(master)) files = ReadMovingFiles(session, master);
        master.WriteFile(session.writer());
    } catch (const std::exception& error) {
        dialogs.ShowInfo("確認", error.what());
        return false;
    }
    std::string said = master.Heading() + "を更新しました。";
    if (Moved(master)) {
        const std::string failures = MoveDescriptionFiles(session, master, files);
        if (!failures.empty()) said += "\r\n摘要リストを移せませんでした。" + failures;
    }
    for (const TitleRename& rename : follow) {
        const int renamed = RenameRecordsTitled(session.ledger, rename.from, rename.to);
        said += "\r\n" + std::to_string(renamed) + " 件のデータの科目を「" + rename.to +
                "」に変更しました。";
        if (session.accountFilter == rename.from) session.accountFilter = rename.to;
    }
    if (!follow.empty()) {
        session.modified = true;
        session.RecomputeCurrent();
        session.NotifyViewChanged();
    }
    session.NotifyTitlesChanged();
    dialogs.ShowInfo("確認", said);
    return true;
}

}  // namespace velmora
