#include "core/history/recovery_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "core/history/undo_history.h"
#include "core/ledger/kept_balances.h"
#include "core/ledger/ledger_file.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

constexpr std::string_view kMagic = kRecoveryJournalMagic;
enum RecordKind : char { kFileRecord = 'F', kWholeRecord = 'W', kChangesRecord = 'C' };

LineList& ListOf(Ledger& ledger, int k) {
    return k == 0 ? ledger.transactions : k == 1 ? ledger.pettyRegistry : ledger.bankRegistry;
}

// FNV-1a: cheap, and no cut or damaged record passes it by chance.
std::uint64_t Check(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

void PutInt(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void PutText(std::string& out, std::string_view text) {
    PutInt(out, text.size(), 4);
    out += text;
}

}  // namespace

std::string FramedJournalRecord(std::string_view payload) {
    std::string out;
    PutInt(out, payload.size(), 4);
    out += payload;
    PutInt(out, Check(payload), 8);
    return out;
}

namespace {

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::uint64_t Int(int bytes) {
        Need(static_cast<std::size_t>(bytes));
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos_++]))
                     << (8 * i);
        return value;
    }
    std::string_view Bytes(std::size_t n) {
        Need(n);
        const std::string_view part = bytes_.substr(pos_, n);
        pos_ += n;
        return part;
    }
    std::string Text() { return std::string(Bytes(static_cast<std::size_t>(Int(4)))); }

    struct Short {};

private:
    void Need(std::size_t n) const {
        if (bytes_.size() - pos_ < n) throw Short{};
    }
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

std::string Trailer(const Ledger& ledger) {
    std::string out;
    for (int k = 1; k <= 12; ++k) PutText(out, PeriodLine(ledger.periods, k));
    PutText(out, SettingsLine(ledger));
    return out;
}

void PutBook(std::string& out, const BookId& book) {
    PutText(out, book.kind);
    PutText(out, book.name);
}

}  // namespace

RecoveryJournal::RecoveryJournal(std::string folder, FileWriter& writer)
    : folder_(std::move(folder)), writer_(writer), syncer_([this] { SyncLoop(); }) {}

RecoveryJournal::~RecoveryJournal() {
    if (watched_) Unwatch(*watched_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    syncer_.join();
    Close();
}

// Flushes what was appended, at the latest a fifth of a second after it was written (the
// wait ends on its own, so a wake-up that came too early is never lost).
void RecoveryJournal::SyncLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wake_.wait_for(lock, std::chrono::milliseconds(200),
                       [this] { return stopping_ || unsynced_.load(); });
        if (unsynced_.exchange(false) && fd_ >= 0 && ::fdatasync(fd_) != 0) syncFailed_ = true;
        if (stopping_) return;
    }
}

std::string RecoveryJournal::PathIn(const std::string& folder) {
    return folder + "/" + kRecoveryJournalName;
}

void RecoveryJournal::Watch(Ledger& ledger) {
    if (watched_) Unwatch(*watched_);
    watched_ = &ledger;
    for (int k = 0; k < 3; ++k) {
        logs_[k] = LineChangeLog{};
        ListOf(ledger, k).RecordForwardInto(&logs_[k]);
    }
}

void RecoveryJournal::Unwatch(Ledger& ledger) {
    for (int k = 0; k < 3; ++k) ListOf(ledger, k).RecordForwardInto(nullptr);
    watched_ = nullptr;
}

void RecoveryJournal::Fail(const std::string& why) {
    Close();  // tried again from the whole ledger after the next command
    failing_ = true;
    failure_ = why;
}

void RecoveryJournal::Commit(Ledger& ledger, const FileIdentity& file, bool modified,
                             const BookId& shown) {
    if (watched_ != &ledger) return;
    Unwatch(ledger);
    // A journal begun holds the lines as a save would write them.
    auto create = [&] {
        SettleBalances(ledger, shown);
        Create(ledger, file, shown);
    };
    // Begun again from the whole ledger below.
    if (syncFailed_.exchange(false)) Fail(Path() + " (fdatasync)");
    if (!modified) {
        if (fd_ >= 0 || failing_) Discard();
        failing_ = false;
        return;
    }
    try {
        // Work on another file, or a journal that could not be written, starts afresh.
        if (fd_ < 0 || !(file == file_)) {
            create();
            return;
        }
        bool whole = false, changed = false;
        for (const LineChangeLog& log : logs_) {
            whole = whole || log.replacedWhole;
            changed = changed || !log.Empty();
        }
        std::string trailer = Trailer(ledger);
        if (whole) {
            create();
            return;
        }
        if (!changed && trailer == lastTrailer_ && shown == lastShown_) return;
        std::string payload(1, kChangesRecord);
        PutBook(payload, shown);
        payload += trailer;
        for (const LineChangeLog& log : logs_) {
            PutInt(payload, log.changes.size(), 4);
            for (const LineChange& c : log.changes) {
                payload += static_cast<char>(c.kind);
                PutInt(payload, static_cast<std::uint32_t>(c.index), 4);
                PutInt(payload, static_cast<std::uint32_t>(c.other), 4);
                PutText(payload, c.text);
            }
        }
        Append(FramedJournalRecord(payload));
        lastTrailer_ = std::move(trailer);
        lastShown_ = shown;
    } catch (const std::exception& error) {
        Fail(error.what());
    }
}

void RecoveryJournal::Create(const Ledger& ledger, const FileIdentity& file, const BookId& shown) {
    Close();
    std::string payload(1, kFileRecord);
    PutText(payload, file.path);
    PutInt(payload, file.exists ? 1 : 0, 1);
    PutInt(payload, static_cast<std::uint64_t>(file.size), 8);
    PutInt(payload, file.contentHash, 8);
    std::string bytes(kMagic);
    bytes += FramedJournalRecord(payload);
    payload.assign(1, kWholeRecord);
    PutBook(payload, shown);
    const std::string trailer = Trailer(ledger);
    payload += trailer;
    for (const LineList* list :
         {&ledger.transactions, &ledger.pettyRegistry, &ledger.bankRegistry}) {
        PutInt(payload, static_cast<std::uint32_t>(list->Count()), 4);
        for (const std::string& line : list->Items()) PutText(payload, line);
    }
    bytes += FramedJournalRecord(payload);
    writer_.WriteAtomic(Path(), bytes);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        fd_ = ::open(Path().c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd_ < 0) {
        Fail(Path() + " (" + std::strerror(errno) + ")");
        return;
    }
    failing_ = false;
    file_ = file;
    lastTrailer_ = trailer;
    lastShown_ = shown;
}

void RecoveryJournal::Append(const std::string& record) {
    std::size_t done = 0;
    while (done < record.size()) {
        const ssize_t n = ::write(fd_, record.data() + done, record.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Fail(Path() + " (" + std::strerror(n < 0 ? errno : ENOSPC) + ")");
            return;
        }
        done += static_cast<std::size_t>(n);
    }
    unsynced_ = true;
    wake_.notify_one();
}

void RecoveryJournal::Close() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    unsynced_ = false;
}

void RecoveryJournal::Discard() {
    if (watched_) Unwatch(*watched_);
    Close();
    try {
        writer_.Remove(Path());
    } catch (const std::exception&) {
        // A journal left behind is offered again at the next start, never applied wrongly.
    }
}

namespace {

// One command's record, decoded whole before any of it is applied, so that a record
// whose inside does not read leaves the ledger as the records before it made it.
struct DecodedRecord {
    char kind = 0;
    BookId shown;
    std::vector<std::string> trailer;
    struct Change {
        LineChange::Kind kind;
        std::int32_t index;
        std::int32_t other;
        std::string text;
    };
    std::vector<std::string> whole[3];
    std::vector<Change> changes[3];
};

DecodedRecord Decode(std::string_view payload) {
    DecodedRecord record;
    record.kind = payload[0];
    Reader in(payload.substr(1));
    record.shown.kind = in.Text();
    record.shown.name = in.Text();
    for (int k = 0; k < 13; ++k) record.trailer.push_back(in.Text());
    for (int k = 0; k < 3; ++k) {
        const std::uint64_t count = in.Int(4);
        for (std::uint64_t i = 0; i < count; ++i) {
            if (record.kind == kWholeRecord) {
                record.whole[k].push_back(in.Text());
                continue;
            }
            DecodedRecord::Change change{};
            change.kind = static_cast<LineChange::Kind>(in.Int(1));
            change.index = static_cast<std::int32_t>(in.Int(4));
            change.other = static_cast<std::int32_t>(in.Int(4));
            change.text = in.Text();
            record.changes[k].push_back(std::move(change));
        }
    }
    if (!in.AtEnd()) throw Reader::Short{};
    return record;
}

// The trailer's values are read back as loading the file would read them.
void Apply(DecodedRecord& record, RecoveredWork& work, Date today) {
    Ledger& ledger = work.ledger;
    work.shownBook = std::move(record.shown);
    LedgerValues::Of(ParseLedgerLines(std::move(record.trailer), ledger, today).ledger)
        .ApplyTo(ledger);
    for (int k = 0; k < 3; ++k) {
        LineList& list = ListOf(ledger, k);
        if (record.kind == kWholeRecord) {
            list.Adopt(std::move(record.whole[k]));
            continue;
        }
        std::vector<DecodedRecord::Change>& changes = record.changes[k];
        for (auto it = changes.begin(); it != changes.end();) {
            DecodedRecord::Change& c = *it;
            // Inserts at rising and deletes at falling indexes (an import's records) are
            // made in one pass each.
            if (c.kind == LineChange::Kind::Insert || c.kind == LineChange::Kind::Delete) {
                const auto run = IndexRun(it, changes.end(), c.kind == LineChange::Kind::Insert);
                if (c.kind == LineChange::Kind::Insert) {
                    std::vector<std::pair<std::int32_t, std::string>> lines;
                    for (auto r = it; r != run; ++r)
                        lines.emplace_back(r->index, std::move(r->text));
                    list.InsertMany(std::move(lines));
                } else {
                    std::vector<std::int32_t> indexes;
                    for (auto r = it; r != run; ++r) indexes.push_back(r->index);
                    std::reverse(indexes.begin(), indexes.end());
                    list.DeleteMany(indexes);
                }
                it = run;
                continue;
            }
            ++it;
            switch (c.kind) {
                case LineChange::Kind::Put:
                    list.Put(c.index, std::move(c.text));
                    break;
                case LineChange::Kind::Exchange:
                    list.Exchange(c.index, c.other);
                    break;
                default:
                    throw ListIndexError();
            }
        }
    }
}

}  // namespace

std::optional<RecoveredWork> RecoveryJournal::Read(const std::string& path, Date today) {
    if (!FileExists(path)) return std::nullopt;
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (bytes.compare(0, kMagic.size(), kMagic) != 0) return std::nullopt;
    Reader file(std::string_view(bytes).substr(kMagic.size()));
    RecoveredWork work;
    int records = 0;
    try {
        while (!file.AtEnd()) {
            const std::string_view payload = file.Bytes(static_cast<std::size_t>(file.Int(4)));
            // A record that fails its check ends the journal: what follows cannot be
            // applied without it.
            if (file.Int(8) != Check(payload) || payload.empty()) break;
            const char kind = payload[0];
            if ((records == 0) != (kind == kFileRecord) || (records == 1) != (kind == kWholeRecord))
                break;
            if (kind == kFileRecord) {
                Reader in(payload.substr(1));
                work.file.path = in.Text();
                work.file.exists = in.Int(1) != 0;
                work.file.size = static_cast<std::int64_t>(in.Int(8));
                work.file.contentHash = in.Int(8);
            } else if (kind == kWholeRecord || kind == kChangesRecord) {
                DecodedRecord record;
                try {
                    record = Decode(payload);
                } catch (const Reader::Short&) {
                    break;
                }
                Apply(record, work, today);
            } else {
                break;
            }
            ++records;
        }
    } catch (const Reader::Short&) {
        // The last record was cut short: the command it was writing had not ended.
    } catch (const std::exception&) {
        // Changes that do not fit the lines they were recorded on: no ledger can be trusted.
        return std::nullopt;
    }
    if (records < 2) return std::nullopt;
    return work;
}

std::vector<std::string> RecoveryJournal::Found(const std::string& folder) {
    std::vector<std::pair<long, std::string>> kept;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const std::string_view prefix = kKeptJournalPrefix;
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            !name.ends_with(".jnl"))
            continue;
        const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        if (digits.size() > 9 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        kept.emplace_back(std::stol(digits), entry.path().string());
    }
    std::sort(kept.begin(), kept.end());
    std::vector<std::string> paths;
    const std::string current = PathIn(folder);
    if (FileExists(current)) paths.push_back(current);
    for (auto& [number, path] : kept) paths.push_back(std::move(path));
    return paths;
}

std::string RecoveryJournal::Keep(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const std::string current = PathIn(folder);
    if (path != current) return path;
    for (int n = 1;; ++n) {
        const std::string kept = folder + "/" + kKeptJournalPrefix + std::to_string(n) + ".jnl";
        if (FileExists(kept)) continue;
        if (::rename(current.c_str(), kept.c_str()) != 0)
            throw FileError("ファイルの名前を変更できません: " + current);
        return kept;
    }
}

}  // namespace velmora
