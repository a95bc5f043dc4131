// Feeds arbitrary bytes to one reader of the working folder's files, chosen when the
// target is built (VELMORA_FUZZ_READER): the bytes become that file in a working folder of
// the fuzzing process, and the reader reads it as the program does at start or when a
// dialog opens. Rejected files must fail with the readers' own errors, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/calendar/holidays.h"
#include "core/entry/description_lists.h"
#include "core/export/code_table.h"
#include "core/ledger/backup_list.h"
#include "core/platform/file_io.h"
#include "core/print/option_file.h"
#include "core/settings/layout_files.h"
#include "core/settings/placement.h"
#include "core/settings/settings_file.h"
#include "core/settings/title_file.h"
#include "core/settings/title_lists.h"
#include "core/util/errors.h"
#include "core/util/paths.h"

namespace {

using namespace velmora;

// Writes nothing: a reader that completes a file (the code table) must not change the
// input of the next run.
class NoWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string&, std::string_view) override {}
    void Remove(const std::string&) override {}
};

const std::string& WorkingFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/velmora-fuzz-XXXXXX";
        const char* made = ::mkdtemp(name);
        if (made == nullptr) std::abort();
        for (const char* sub : {"/cldata", "/config", "/ini", "/style"})
            std::filesystem::create_directories(std::string(made) + sub);
        return std::string(made);
    }();
    return folder;
}

void Put(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(JoinPath(WorkingFolder(), relative), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ReadOne(const std::uint8_t* data, std::size_t size) {
    const std::string& work = WorkingFolder();
#if VELMORA_FUZZ_READER == 1
    Put("velmora.conf", data, size);
    (void)ReadSettingsFile(JoinPath(work, "velmora.conf"), true);
    (void)ReadSettingsFile(JoinPath(work, "velmora.conf"), false);
#elif VELMORA_FUZZ_READER == 2
    Put("ini/backup.conf", data, size);
    (void)ReadBackupList(work);
#elif VELMORA_FUZZ_READER == 3
    Put(kHolidayFileName, data, size);
    const HolidayList list = ReadHolidayList(HolidayFilePath(work));
    (void)list.Lines();
#elif VELMORA_FUZZ_READER == 4
    Put("cldata/" + TitleFileName(1), data, size);
    (void)ReadTitleFile(TitleFilePath(work, 1));
    (void)ReadTitleList(work, 1);
#elif VELMORA_FUZZ_READER == 5
    Put("cldata/" + DescriptionFileName(0, 1), data, size);
    (void)ReadDescriptionList(DescriptionFilePath(work, EntryTab::Titles, 0, 1));
#elif VELMORA_FUZZ_READER == 6
    Put(kCodeTableFileName, data, size);
    NoWriter writer;
    (void)OpenCodeTable(work, {"交通費", "売上", ""}, writer);
#elif VELMORA_FUZZ_READER == 7
    Put(kLedgerLayoutFile, data, size);
    Put(kSummaryLayoutFile, data, size);
    LedgerLayout ledger;
    ReadLedgerLayout(work, ledger);
    SummaryLayout summary;
    ReadSummaryLayout(work, summary);
#elif VELMORA_FUZZ_READER == 8
    Put("config/note1.conf", data, size);
    PrintOptionValues values;
    ReadOptionFile(JoinPath(work, "config/note1.conf"), {3, 2, 2, 4}, values);
#elif VELMORA_FUZZ_READER == 9
    Put(std::string("ini/") + kMainWindowKey + ".ini", data, size);
    (void)LoadPlacement(work, kMainWindowKey);
#else
#error "VELMORA_FUZZ_READER names no reader"
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        ReadOne(data, size);
    } catch (const velmora::FileError&) {
    } catch (const velmora::EncodingError&) {
    } catch (const velmora::ConversionError&) {
    }
    return 0;
}
