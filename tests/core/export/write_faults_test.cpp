// Every system step of every file write that a save, a save under a new name, the settings
// dialog's apply and the CSV export make, failed in turn on a real disk. Each fault must
// leave whole files (the old bytes, or the new ones once the rename was done), the ledger
// in memory as it was, and exactly one box that says what happened.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

#include "core/export/csv_records.h"
#include "core/ledger/backup_list.h"
#include "core/ledger/ledger_file.h"
#include "core/session/apply_settings.h"
#include "core/session/file_commands.h"
#include "core/session/session_harness.h"
#include "core/settings/settings_file.h"

namespace velmora::testing {
namespace {

using Lines = std::vector<std::string>;
// Every file below a folder: path → bytes.
using Tree = std::map<std::string, std::string>;

Tree Snapshot(const std::string& folder) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) tree[entry.path().string()] = ReadBytes(entry.path());
    return tree;
}

std::optional<std::string> BytesIn(const Tree& tree, const std::string& path) {
    auto it = tree.find(path);
    return it == tree.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// The errno each kind of step fails with, as a full disk, a failing device or a busy file
// would make it fail.
int ErrorOf(WriteStep step) {
    switch (step) {
        case WriteStep::CreateTemporary:
        case WriteStep::Write:
            return ENOSPC;
        case WriteStep::SyncData:
        case WriteStep::SyncFolder:
            return EIO;
        case WriteStep::Rename:
            return EBUSY;
        case WriteStep::Remove:
            return EACCES;
    }
    return EIO;
}

// Writes to disk, numbering every step from the moment it is armed, and fails the step
// numbered failAt. Notes what really reached the disk: a write once its rename was done,
// a removal once it was not refused.
class StepFaultWriter final : public DiskFileWriter {
public:
    struct Step {
        WriteStep kind;
        std::string path;
    };

    void WriteAtomic(const std::string& path, std::string_view bytes) override {
        bytes_ = bytes;
        DiskFileWriter::WriteAtomic(path, bytes);
    }
    void WriteOutput(const std::string& path, std::string_view bytes, unsigned modeLimit) override {
        bytes_ = bytes;
        DiskFileWriter::WriteOutput(path, bytes, modeLimit);
    }
    std::unique_ptr<OutputStream> StreamOutput(const std::string& path,
                                               unsigned modeLimit) override {
        streamed_.clear();
        bytes_ = streamed_;
        return std::make_unique<NotedStream>(*this, DiskFileWriter::StreamOutput(path, modeLimit));
    }

    bool armed = false;
    std::optional<std::size_t> failAt;
    std::vector<Step> steps;
    std::map<std::string, std::optional<std::string>> landed;  // nothing: removed

protected:
    int InjectedError(WriteStep kind, const std::string& path) override {
        if (!armed) return 0;
        const bool fail = failAt == steps.size();
        steps.push_back({kind, path});
        if (fail) return ErrorOf(kind);
        if (kind == WriteStep::Rename) landed[path] = std::string(bytes_);
        if (kind == WriteStep::Remove) landed[path] = std::nullopt;
        return 0;
    }

private:
    // A streamed file's parts, noted as they go to the disk.
    class NotedStream final : public OutputStream {
    public:
        NotedStream(StepFaultWriter& writer, std::unique_ptr<OutputStream> disk)
            : writer_(writer), disk_(std::move(disk)) {}
        void Append(std::string_view bytes) override {
            disk_->Append(bytes);
            writer_.streamed_ += bytes;
        }
        void Commit() override {
            writer_.bytes_ = writer_.streamed_;
            disk_->Commit();
        }

    private:
        StepFaultWriter& writer_;
        std::unique_ptr<OutputStream> disk_;
    };

    std::string_view bytes_;
    std::string streamed_;
};

enum class Operation { Save, SaveAs, Settings, Csv };

// One run from the same starting state: the example ledger loaded (modified when it is to
// be saved), ten backups of the program's own listed so that a save removes the oldest,
// and a settings file and a CSV file to be replaced.
struct FaultRun {
    explicit FaultRun(Operation operation) : op(operation) {
        DiskFileWriter disk;
        for (int n = 1; n <= BackupList::kEntries; ++n) {
            const std::string old = h.work + "/2020010100000" + std::to_string(n - 1) + ".dat";
            WriteBytes(old, "backup " + std::to_string(n) + "\r\n");
            session.backups.entries[static_cast<std::size_t>(n - 1)] = {"c" + std::to_string(n),
                                                                        old};
        }
        WriteBackupList(h.work, session.backups, disk);
        WriteTextLines(session.SettingsPath(), SettingsFileLines(Settings{}), disk);
        WriteBytes(csv, "old,\r\n");
        EXPECT_TRUE(LoadLedger(session, ledger));
        if (operation == Operation::Save || operation == Operation::SaveAs) {
            session.ledger.openingBalance = Amount::FromYen(12345);
            session.modified = true;
        }
        h.dialogs.Clear();
    }

    void Act() {
        writer.armed = true;
        switch (op) {
            case Operation::Save:
                SaveCommand(session);
                break;
            case Operation::SaveAs:
                h.dialogs.saveFileAnswers = {saveAs};
                SaveAsCommand(session);
                break;
            case Operation::Settings: {
                std::optional<FiscalSettingsForm> form = OpenSettingsForm(session);
                ASSERT_TRUE(form);
                form->options.companyName = "ベルモラ商店";
                ApplySettingsForm(session, *form);
                break;
            }
            case Operation::Csv:
                h.dialogs.saveFileAnswers = {csv};
                ExportCsv(session, CsvOptions{}, CodeTable{});
                break;
        }
        writer.armed = false;
    }

    // path below the run's own folder, the same for every run.
    std::string Relative(const std::string& path) const {
        return std::filesystem::path(path).lexically_relative(h.folder.Path()).string();
    }

    // The ledger file the operation writes, if any.
    std::string Target() const {
        return op == Operation::Save ? ledger : op == Operation::SaveAs ? saveAs : "";
    }

    Operation op;
    SessionHarness h;  // its own session stays unused
    StepFaultWriter writer;
    Session session{SessionServices{h.dialogs, h.clock, writer, h.work, h.program}};
    const std::string ledger = h.CopyExample("a.exv");
    const std::string saveAs = h.docs + "/b.exv";
    const std::string csv = h.docs + "/out.csv";
};

// The box a fault in step gives, failure being the writer's own reason.
std::string ExpectedBox(const FaultRun& run, const StepFaultWriter::Step& step,
                        const std::string& failure) {
    switch (run.op) {
        case Operation::Save:
        case Operation::SaveAs:
            if (step.path == run.Target())
                return "確認|" + run.Target() + "を保存できませんでした。\r\n" + failure;
            // An old backup that cannot be removed stays on disk, unmentioned.
            if (step.kind == WriteStep::Remove) return "確認|" + run.Target() + "を保存しました。";
            return "確認|" + run.Target() + "を保存しました。\r\n" + kBackupFailure + "\r\n" +
                   failure;
        case Operation::Settings:
            return "確認|" + run.session.SettingsPath() + "を保存できませんでした。\r\n" + failure;
        case Operation::Csv:
            return "確認|" + failure;
    }
    return "";
}

TEST(WriteFaults, EveryStepOfEveryWriteLeavesWholeFilesAndOneMessage) {
    int injected = 0;
    for (Operation op : {Operation::Save, Operation::SaveAs, Operation::Settings, Operation::Csv}) {
        FaultRun clean(op);
        clean.Act();
        const std::vector<StepFaultWriter::Step> steps = clean.writer.steps;
        const bool saves = !clean.Target().empty();
        // A save writes the ledger, its backup and the list, and removes the oldest backup.
        ASSERT_EQ(steps.size(), saves ? 16u : 5u);
        EXPECT_EQ(clean.h.dialogs.Infos().size(), 1u);
        const std::string newLedger = saves ? ReadBytes(clean.Target()) : "";

        for (std::size_t k = 0; k < steps.size(); ++k) {
            SCOPED_TRACE("operation " + std::to_string(static_cast<int>(op)) + ", step " +
                         std::to_string(k) + " of " + clean.Relative(steps[k].path));
            FaultRun run(op);
            const Tree before = Snapshot(run.h.folder.Path());
            run.session.RecordLines();  // field 7 as a save writes it
            const Lines lines = LedgerFileLines(run.session.ledger);
            const bool modified = run.session.modified;
            run.writer.failAt = k;
            run.Act();
            ASSERT_GT(run.writer.steps.size(), k);
            const StepFaultWriter::Step& fault = run.writer.steps[k];
            ASSERT_EQ(fault.kind, steps[k].kind);
            ASSERT_EQ(run.Relative(fault.path), clean.Relative(steps[k].path));
            ++injected;

            // On disk: what was there, changed only by the writes that were renamed into
            // place and the removals done; no temporary file anywhere.
            Tree expected = before;
            for (const auto& [path, bytes] : run.writer.landed) {
                if (bytes)
                    expected[path] = *bytes;
                else
                    expected.erase(path);
            }
            const Tree after = Snapshot(run.h.folder.Path());
            EXPECT_EQ(after, expected);

            const bool renamed = fault.kind == WriteStep::SyncFolder;
            const std::string failure = "ファイルに書き込めません: " + fault.path + " (" +
                                        std::strerror(ErrorOf(fault.kind)) + ")";
            EXPECT_EQ(run.h.dialogs.Infos(), Lines{ExpectedBox(run, fault, failure)});
            EXPECT_EQ(LedgerFileLines(run.session.ledger), lines);
            if (!saves) {
                EXPECT_EQ(run.session.modified, modified);
                EXPECT_EQ(BytesIn(after, fault.path),
                          renamed ? run.writer.landed.at(fault.path) : BytesIn(before, fault.path));
                continue;
            }
            if (fault.path == run.Target()) {
                // The ledger file is the old one, or the new one whole once renamed.
                EXPECT_EQ(BytesIn(after, run.Target()),
                          renamed ? std::optional(newLedger) : BytesIn(before, run.Target()));
                EXPECT_TRUE(run.session.modified);
                // Tried again, the save goes through without asking: the file is still
                // the one the session knows, even when the failed save left its bytes.
                run.h.dialogs.Clear();
                EXPECT_TRUE(SaveCommand(run.session));
                EXPECT_EQ(run.h.dialogs.Log(),
                          Lines{"info:確認|" + run.ledger + "を保存しました。"});
                continue;
            }
            EXPECT_EQ(BytesIn(after, run.Target()), newLedger);
            EXPECT_FALSE(run.session.modified);
            // The list on disk is the one the session holds, or the old one when its own
            // write failed before the rename.
            const std::string list = BackupListPath(run.h.work);
            if (fault.path == list && !renamed)
                EXPECT_EQ(BytesIn(after, list), BytesIn(before, list));
            else
                EXPECT_EQ(ReadBackupList(run.h.work).Lines(), run.session.backups.Lines());
        }
    }
    // The figure the reliability script reports.
    std::cout << "fault injection: " << injected
              << " faults injected into save, save-as, backup, settings and CSV writes; every "
                 "one left whole files and one message"
              << std::endl;
}

}  // namespace
}  // namespace velmora::testing
