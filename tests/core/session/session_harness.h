#pragma once
// A session on a temporary working folder, with scripted dialogs, a clock that stands
// still and a writer that can be told to fail for chosen paths.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/session/session.h"
#include "core/util/errors.h"
#include "support/ledger_text.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velmora::testing {

// Writes to disk, except for paths that contain one of the failing fragments: those
// throw as a full disk would, and leave the file as it was.
class SelectiveFailingWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view bytes) override {
        for (const auto& fragment : failing)
            if (path.find(fragment) != std::string::npos)
                throw FileError("ディスクがいっぱいです: " + path);
        written.push_back(path);
        disk_.WriteAtomic(path, bytes);
    }
    void Remove(const std::string& path) override {
        removed.push_back(path);
        disk_.Remove(path);
    }

    std::vector<std::string> failing;
    std::vector<std::string> written;
    std::vector<std::string> removed;

private:
    DiskFileWriter disk_;
};

// 5 March 2024, 13:07:09.
inline DateTime HarnessMoment() {
    return {Date::FromYmd(2024, 3, 5), 13 * 3600 + 7 * 60 + 9};
}

struct SessionHarness {
    SessionHarness() {
        std::filesystem::create_directories(work + "/ini");
        std::filesystem::create_directories(program);
        std::filesystem::create_directories(docs);
    }

    // The example ledger of fiscal 2014, copied to name in the documents folder.
    std::string CopyExample(const std::string& name) const {
        const std::string path = docs + "/" + name;
        std::filesystem::copy_file(FixturePath("ledger/example2014.exv"), path);
        return path;
    }

    TempFolder folder;
    const std::string work = folder.Path() + "/work";
    const std::string program = folder.Path() + "/program";
    const std::string docs = folder.Path() + "/docs";
    ScriptedDialogs dialogs;
    FixedClock clock{HarnessMoment()};
    SelectiveFailingWriter writer;
    Session session{SessionServices{dialogs, clock, writer, work, program}};
};

}  // namespace velmora::testing
