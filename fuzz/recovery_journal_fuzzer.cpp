// Feeds arbitrary journals to the reader of unsaved work. A journal's records carry checks
// that random bytes never pass, so most inputs are taken as records to be framed with the
// right lengths and checks (two bytes of length, then the record's bytes, in turn); an
// input whose first byte is odd is written as it stands. Either way the reader must give
// work or none, never crash, hang or throw.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "core/history/recovery_journal.h"

namespace {

using namespace velmora;

const std::string& JournalPath() {
    static const std::string path = [] {
        char name[] = "/tmp/velmora-fuzz-XXXXXX";
        const char* made = ::mkdtemp(name);
        if (made == nullptr) std::abort();
        return RecoveryJournal::PathIn(made);
    }();
    return path;
}

std::string Journal(std::string_view input) {
    if (!input.empty() && (static_cast<unsigned char>(input[0]) & 1) != 0)
        return std::string(input.substr(1));
    std::string journal = kRecoveryJournalMagic;
    input.remove_prefix(input.empty() ? 0 : 1);
    while (input.size() >= 2) {
        const std::size_t length =
            static_cast<unsigned char>(input[0]) |
            (static_cast<std::size_t>(static_cast<unsigned char>(input[1])) << 8);
        input.remove_prefix(2);
        const std::string_view record = input.substr(0, length);
        input.remove_prefix(record.size());
        journal += FramedJournalRecord(record);
    }
    return journal;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string journal =
        Journal(std::string_view(reinterpret_cast<const char*>(data), size));
    {
        std::ofstream out(JournalPath(), std::ios::binary | std::ios::trunc);
        out.write(journal.data(), static_cast<std::streamsize>(journal.size()));
    }
    (void)RecoveryJournal::Read(JournalPath(), Date::FromYmd(2014, 6, 10));
    return 0;
}
