#include "core/platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <system_error>
#include <thread>

#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

[[noreturn]] void ThrowWriteError(const std::string& path, int error) {
    throw FileError("ファイルに書き込めません: " + path + " (" + SystemReason(error) + ")");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowWriteError(path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

std::string FolderOf(const std::string& path) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

constexpr std::string_view kTemporaryMark = ".velmora-tmp";
constexpr std::size_t kUniqueLetters = 6;

bool IsAsciiLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The name of the file whose write a temporary file named name belongs to: the name
// before ".velmora-tmp", which ends the name or is followed by "-" and six letters or
// digits (the bare form is what earlier versions wrote). Nothing for other names.
std::optional<std::string_view> OwnerOfTemporaryName(std::string_view name) {
    const std::size_t at = name.rfind(kTemporaryMark);
    if (at == std::string_view::npos || at == 0) return std::nullopt;
    const std::string_view tail = name.substr(at + kTemporaryMark.size());
    if (!tail.empty()) {
        if (tail.size() != kUniqueLetters + 1 || tail[0] != '-') return std::nullopt;
        if (!std::all_of(tail.begin() + 1, tail.end(), IsAsciiLetterOrDigit)) return std::nullopt;
    }
    return name.substr(0, at);
}

// Removes a temporary file that no write holds: a write keeps an exclusive lock on its
// temporary file until the file has its final name.
void RemoveIfUnused(const std::string& path) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return;
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return;
    // The name must still be the file that was locked, not one a new write made since.
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || named.st_dev != opened.st_dev ||
        named.st_ino != opened.st_ino)
        return;
    ::unlink(path.c_str());
}

// A new temporary file of a write to target, with a name no other write uses, locked
// for the whole write. path is the name the user gave, for messages.
Descriptor CreateTemporaryFile(const std::string& target, const std::string& path, mode_t mode,
                               std::string& temporaryPath) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    const std::string prefix = TemporaryNamePrefix(target) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = prefix;
        for (std::size_t i = 0; i < kUniqueLetters; ++i) candidate += kLetters[letter(random)];
        Descriptor fd(
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            ThrowWriteError(path, errno);
        }
        // A file system without locks still gets the write; only the sweep of a
        // concurrent save could then take its temporary file away, which fails that
        // write and leaves the old file whole.
        if (::flock(fd.get(), LOCK_EX) == 0) {
            // Another save's sweep may have come between the creation and the lock.
            struct stat created {};
            if (::fstat(fd.get(), &created) == 0 && created.st_nlink == 0) continue;
        }
        temporaryPath = std::move(candidate);
        return fd;
    }
    ThrowWriteError(path, EEXIST);
}

// A file its owner marked read-only is refused even where the process could write it
// (as root can): replacing it through the folder would defeat the mark.
bool MayReplace(const std::string& target, const struct stat& old) {
    return (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacing file takes the owner and the permissions of the one it replaces. Neither
// may fail the save: where they cannot be set (a foreign owner without the right, a file
// system without permissions) the file keeps the private mode it was created with.
void KeepOwnerAndMode(int fd, const struct stat& old, const struct stat& written,
                      mode_t modeLimit) {
    // The result is looked at only to satisfy glibc's warn_unused_result (fortified builds).
    if (old.st_uid != written.st_uid || old.st_gid != written.st_gid) {
        [[maybe_unused]] const int chowned = ::fchown(fd, old.st_uid, old.st_gid);
    }
    (void)::fchmod(fd, old.st_mode & modeLimit);
}

// A 64-bit hash of bytes that arrive in parts of any size, eight bytes at a time. It
// tells a changed file from an unchanged one; it is no defence against forgery.
class ContentHash {
public:
    void Add(std::string_view bytes) {
        length_ += bytes.size();
        std::size_t i = 0;
        if (pendingSize_ > 0) {
            while (pendingSize_ < sizeof pending_ && i < bytes.size())
                pending_[pendingSize_++] = bytes[i++];
            if (pendingSize_ < sizeof pending_) return;
            Mix(Load(pending_));
            pendingSize_ = 0;
        }
        for (; i + sizeof pending_ <= bytes.size(); i += sizeof pending_)
            Mix(Load(bytes.data() + i));
        while (i < bytes.size()) pending_[pendingSize_++] = bytes[i++];
    }

    std::uint64_t Value() const {
        ContentHash last = *this;
        if (last.pendingSize_ > 0) {
            std::fill(last.pending_ + last.pendingSize_, last.pending_ + sizeof pending_, '\0');
            last.Mix(Load(last.pending_));
        }
        std::uint64_t h = last.h_ ^ length_;
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDULL;
        h ^= h >> 33;
        h *= 0xC4CEB9FE1A85EC53ULL;
        return h ^ (h >> 33);
    }

    std::uint64_t Length() const { return length_; }

private:
    static std::uint64_t Load(const char* at) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
    void Mix(std::uint64_t word) {
        h_ ^= word * 0x87C37B91114253D5ULL;
        h_ = ((h_ << 31) | (h_ >> 33)) * 0x4CF5AD432745937FULL;
    }

    std::uint64_t h_ = 0x9E3779B97F4A7C15ULL;
    std::uint64_t length_ = 0;
    char pending_[8] = {};
    std::size_t pendingSize_ = 0;
};

void TakeStat(FileIdentity& identity, const struct stat& info) {
    identity.exists = true;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    identity.size = static_cast<std::int64_t>(info.st_size);
    identity.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                          static_cast<std::int64_t>(info.st_mtim.tv_nsec);
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
    // Read until end of file instead of seeking for a size, which means nothing for a
    // folder or a pipe; a folder then fails on read as it should.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw FileError("ファイルを開けません: " + path + " (" + SystemReason(errno) + ")");
    std::string bytes;
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError("ファイルを読めません: " + path + " (" + SystemReason(errno) + ")");
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

std::string TemporaryNamePrefix(const std::string& path) {
    return path + std::string(kTemporaryMark);
}

void RemoveStrayTemporaryFiles(const std::string& folder, std::string_view fileName) {
    const std::string where = folder.empty() ? std::string(".") : folder;
    DIR* dir = ::opendir(where.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> strays;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const auto owner = OwnerOfTemporaryName(name);
        if (owner && (fileName.empty() || *owner == fileName))
            strays.push_back(where + "/" + std::string(name));
    }
    ::closedir(dir);
    for (const auto& stray : strays) RemoveIfUnused(stray);
}

std::string ResolveLinks(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path current(path);
    // As many links as the system itself follows before it reports a loop.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (fs::symlink_status(current, error).type() != fs::file_type::symlink)
            return current.string();
        const fs::path target = fs::read_symlink(current, error);
        if (error) throw FileError("リンクをたどれません: " + path + " (" + error.message() + ")");
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw FileError("リンクをたどれません: " + path + " (" + SystemReason(ELOOP) + ")");
}

namespace {

bool PathWithin(const std::filesystem::path& path, const std::filesystem::path& folder) {
    auto p = path.begin();
    for (auto f = folder.begin(); f != folder.end(); ++f, ++p) {
        if (f->empty() && std::next(f) == folder.end()) break;  // a trailing separator
        if (p == path.end() || *p != *f) return false;
    }
    return true;
}

}  // namespace

bool IsBelowFolder(const std::string& path, const std::string& folder) {
    namespace fs = std::filesystem;
    if (path.empty() || folder.empty()) return false;
    std::error_code error;
    const fs::path p = fs::absolute(path, error).lexically_normal();
    const fs::path f = fs::absolute(folder, error).lexically_normal();
    return PathWithin(p, f);
}

std::optional<std::string> PlaceInFolder(const std::string& path, const std::string& folder) {
    namespace fs = std::filesystem;
    if (path.empty() || folder.empty()) return std::nullopt;
    std::error_code error;
    fs::path resolved;
    try {
        resolved = fs::weakly_canonical(fs::absolute(ResolveLinks(path), error), error);
    } catch (const FileError&) {
        return std::nullopt;  // a loop of links names no file
    }
    const fs::path f = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (error || !PathWithin(resolved, f)) return std::nullopt;
    return resolved.lexically_relative(f).string();
}

bool IsSameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    struct stat sa {};
    struct stat sb {};
    const bool aExists = ::stat(a.c_str(), &sa) == 0;
    const bool bExists = ::stat(b.c_str(), &sb) == 0;
    if (aExists && bExists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (aExists || bExists) return false;
    namespace fs = std::filesystem;
    auto canonical = [](const std::string& path) {
        std::error_code error;
        fs::path resolved = fs::weakly_canonical(fs::absolute(ResolveLinks(path), error), error);
        return error ? fs::path(path).lexically_normal() : resolved;
    };
    try {
        return canonical(a) == canonical(b);
    } catch (const FileError&) {
        return false;  // a loop of links is no file at all
    }
}

FileIdentity ReadFileIdentity(const std::string& path) {
    FileIdentity identity;
    identity.path = path;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return identity;
        throw FileError("ファイルを開けません: " + path + " (" + SystemReason(errno) + ")");
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw FileError("ファイルを読めません: " + path + " (" + SystemReason(errno) + ")");
    TakeStat(identity, info);
    ContentHash hash;
    std::string buffer(std::size_t{256} * 1024, '\0');
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError("ファイルを読めません: " + path + " (" + SystemReason(errno) + ")");
        }
        hash.Add(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
    identity.size = static_cast<std::int64_t>(hash.Length());
    identity.contentHash = hash.Value();
    return identity;
}

FileIdentity WrittenFileIdentity(const std::string& path, std::string_view bytes) {
    FileIdentity identity;
    identity.path = path;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return identity;
    TakeStat(identity, info);
    ContentHash hash;
    hash.Add(bytes);
    identity.size = static_cast<std::int64_t>(bytes.size());
    identity.contentHash = hash.Value();
    return identity;
}

bool FileUnchanged(const FileIdentity& identity) {
    struct stat info {};
    if (::stat(identity.path.c_str(), &info) != 0) return !identity.exists;
    if (!identity.exists) return false;
    FileIdentity now;
    now.path = identity.path;
    TakeStat(now, info);
    if (now.size != identity.size) return false;
    if (now.device == identity.device && now.inode == identity.inode &&
        now.modifiedNs == identity.modifiedNs)
        return true;
    try {
        now = ReadFileIdentity(identity.path);
    } catch (const FileError&) {
        return false;
    }
    return now.exists && now.size == identity.size && now.contentHash == identity.contentHash;
}

namespace {

// The parts of a stream, written as one file at Commit by the writer's WriteOutput.
class GatheredOutput final : public OutputStream {
public:
    GatheredOutput(FileWriter& writer, std::string path, unsigned modeLimit)
        : writer_(writer), path_(std::move(path)), modeLimit_(modeLimit) {}

    void Append(std::string_view bytes) override { bytes_ += bytes; }
    void Commit() override { writer_.WriteOutput(path_, bytes_, modeLimit_); }

private:
    FileWriter& writer_;
    std::string path_;
    unsigned modeLimit_;
    std::string bytes_;
};

}  // namespace

std::unique_ptr<OutputStream> FileWriter::StreamOutput(const std::string& path,
                                                       unsigned modeLimit) {
    return std::make_unique<GatheredOutput>(*this, path, modeLimit);
}

namespace {

// Writes parts to a file in order on a thread of its own, so that the one who makes them
// goes on with the next part meanwhile; each part's way to the disk is begun once it is
// written. At most kWaiting parts wait; the first error of a write is thrown by the next
// Add or by Finish, and the parts after it are not written.
class BackgroundWrites {
public:
    BackgroundWrites(int fd, std::string path)
        : fd_(fd), path_(std::move(path)), thread_([this] { Run(); }) {}

    BackgroundWrites(const BackgroundWrites&) = delete;
    BackgroundWrites& operator=(const BackgroundWrites&) = delete;

    // Parts still waiting are dropped: the file is given up.
    ~BackgroundWrites() {
        {
            std::lock_guard lock(mutex_);
            waiting_.clear();
            closing_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

    void Add(std::string_view bytes) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return error_ || waiting_.size() < kWaiting; });
        if (error_) std::rethrow_exception(error_);
        waiting_.emplace_back(bytes);
        changed_.notify_all();
    }

    // Returns once every part is written.
    void Finish() {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        changed_.notify_all();
        thread_.join();
        if (error_) std::rethrow_exception(error_);
    }

private:
    static constexpr std::size_t kWaiting = 4;

    void Run() {
        for (;;) {
            std::string part;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
                if (waiting_.empty()) return;
                part = std::move(waiting_.front());
                waiting_.pop_front();
            }
            changed_.notify_all();
            try {
                WriteAll(fd_, part, path_);
            } catch (...) {
                std::lock_guard lock(mutex_);
                error_ = std::current_exception();
                waiting_.clear();
                changed_.notify_all();
                return;
            }
            // A file system that cannot begin it leaves it all to the sync at the end.
            (void)::sync_file_range(fd_, written_, static_cast<off_t>(part.size()),
                                    SYNC_FILE_RANGE_WRITE);
            written_ += static_cast<off_t>(part.size());
        }
    }

    const int fd_;
    const std::string path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> waiting_;
    bool closing_ = false;
    std::exception_ptr error_;
    off_t written_ = 0;  // by the thread alone
    std::thread thread_;
};

}  // namespace

class DiskFileWriter::Replacement final : public OutputStream {
public:
    // Checks what is at path and creates the temporary file beside it. streamed: the parts
    // are written by a thread of their own while the next are made.
    Replacement(DiskFileWriter& writer, const std::string& path, std::optional<unsigned> modeLimit,
                bool streamed)
        : writer_(writer), path_(path), streamed_(streamed) {
        // The program's own files and outputs never follow a link; a link to the user's
        // ledger stays a link and its file is the one replaced.
        own_ = !writer.privateFolder_.empty() && IsBelowFolder(path, writer.privateFolder_);
        const bool replacesLink = own_ || modeLimit.has_value();
        target_ = replacesLink ? path : ResolveLinks(path);
        limit_ = modeLimit.value_or(07777);
        const bool exists = ::lstat(target_.c_str(), &old_) == 0;
        replacing_ = exists && S_ISREG(old_.st_mode);
        if (exists && !replacing_ && !(replacesLink && S_ISLNK(old_.st_mode)))
            throw FileError("ファイルに書き込めません: " + path +
                            " (通常のファイルではありません)");
        if (replacing_ && !MayReplace(target_, old_))
            throw FileError("ファイルに書き込めません: " + path +
                            " (書き込みが許可されていません)");
        RemoveStrayTemporaryFiles(FolderOf(target_),
                                  std::filesystem::path(target_).filename().string());
        Injected(WriteStep::CreateTemporary);
        // A replacing file stays private until it has the old file's permissions; a new
        // file of the user's gets the usual ones, as the user's umask allows.
        fd_ = CreateTemporaryFile(target_, path, replacing_ || own_ ? 0600 : 0666 & limit_, temp_)
                  .release();
    }

    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    ~Replacement() override {
        background_.reset();  // before the file it writes goes
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(temp_.c_str());
    }

    void Append(std::string_view bytes) override {
        Injected(WriteStep::Write);
        size_ += bytes.size();
        if (streamed_ && !background_) {
            try {
                background_ = std::make_unique<BackgroundWrites>(fd_, path_);
            } catch (const std::system_error&) {
                streamed_ = false;  // no thread to be had: written here
            }
        }
        if (background_)
            background_->Add(bytes);
        else
            WriteAll(fd_, bytes, path_);
    }

    void Commit() override {
        if (background_) background_->Finish();
        struct stat written {};
        if (::fstat(fd_, &written) != 0) ThrowWriteError(path_, errno);
        if (static_cast<std::size_t>(written.st_size) != size_) ThrowWriteError(path_, EIO);
        if (own_)
            (void)::fchmod(fd_, kPrivateFileMode);  // whatever the umask took away
        else if (replacing_)
            KeepOwnerAndMode(fd_, old_, written, limit_);
        Injected(WriteStep::SyncData);
        if (::fdatasync(fd_) != 0) ThrowWriteError(path_, errno);
        // Renamed while still locked, so that no other save's sweep takes it first.
        Injected(WriteStep::Rename);
        if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowWriteError(path_, errno);
        renamed_ = true;
        // fdatasync has already reported any error of the written bytes.
        ::close(fd_);
        fd_ = -1;
        // Makes the rename itself durable. When that fails the new file is in place, whole,
        // but a crash could still bring the old one back: not a save to report as done. A
        // folder that cannot be opened, or a file system that cannot sync folders (EINVAL),
        // leaves nothing to be done.
        Descriptor folder(::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0) return;
        Injected(WriteStep::SyncFolder);
        if (::fsync(folder.get()) != 0 && errno != EINVAL) ThrowWriteError(path_, errno);
    }

private:
    // Fails a step as its system call would, when an error is injected for it.
    void Injected(WriteStep step) {
        if (const int error = writer_.InjectedError(step, path_); error != 0)
            ThrowWriteError(path_, error);
    }

    DiskFileWriter& writer_;
    std::string path_;  // as the caller gave it, for messages
    std::string target_;
    bool streamed_;
    bool own_ = false;
    bool replacing_ = false;
    mode_t limit_ = 07777;
    struct stat old_ {};
    int fd_ = -1;
    std::string temp_;
    std::size_t size_ = 0;
    bool renamed_ = false;
    std::unique_ptr<BackgroundWrites> background_;  // a streamed file's writes
};

void DiskFileWriter::WriteAtomic(const std::string& path, std::string_view bytes) {
    Write(path, bytes, std::nullopt);
}

void DiskFileWriter::WriteOutput(const std::string& path, std::string_view bytes,
                                 unsigned modeLimit) {
    Write(path, bytes, modeLimit & 0777);
}

std::unique_ptr<OutputStream> DiskFileWriter::StreamOutput(const std::string& path,
                                                           unsigned modeLimit) {
    return std::make_unique<Replacement>(*this, path, modeLimit & 0777, true);
}

unsigned OutputModeLimit(const std::string& source) {
    struct stat info {};
    if (source.empty() || ::stat(source.c_str(), &info) != 0) return kPrivateFileMode;
    return info.st_mode & 0777;
}

void DiskFileWriter::Write(const std::string& path, std::string_view bytes,
                           std::optional<unsigned> modeLimit) {
    Replacement file(*this, path, modeLimit, false);
    file.Append(bytes);
    file.Commit();
}

void DiskFileWriter::Remove(const std::string& path) {
    int error = InjectedError(WriteStep::Remove, path);
    if (error == 0 && ::unlink(path.c_str()) != 0) error = errno;
    if (error != 0 && error != ENOENT)
        throw FileError("ファイルを削除できません: " + path + " (" + SystemReason(error) + ")");
}

FileWriter& DefaultFileWriter() {
    static DiskFileWriter writer;  // stateless
    return writer;
}

void TextLineSplitter::Append(std::string_view tail) {
    if (partial_.empty()) {
        lines_.emplace_back(tail);
        return;
    }
    partial_ += tail;
    lines_.emplace_back(partial_);
    partial_.clear();
}

namespace {

// The next place of c in text at or after from (text.size() when there is none), found
// again only once the place last found has been passed: each byte is searched once.
class NextOf {
public:
    NextOf(std::string_view text, char c) : text_(text), c_(c) {}

    std::size_t From(std::size_t from) {
        if (found_ < from || !searched_) {
            const void* at = std::memchr(text_.data() + from, c_, text_.size() - from);
            found_ = at == nullptr
                         ? text_.size()
                         : static_cast<std::size_t>(static_cast<const char*>(at) - text_.data());
            searched_ = true;
        }
        return found_;
    }

private:
    std::string_view text_;
    char c_;
    std::size_t found_ = 0;
    bool searched_ = false;
};

}  // namespace

void TextLineSplitter::Add(std::string_view part) {
    std::size_t start = 0;
    const std::size_t n = part.size();
    if (n == 0) return;
    if (afterCr_ && part[0] == '\n') start = 1;
    afterCr_ = false;
    NextOf nextCr(part, '\r');
    NextOf nextLf(part, '\n');
    while (start < n) {
        std::size_t end = std::min(nextCr.From(start), nextLf.From(start));
        if (end == n) {
            partial_ += part.substr(start);
            return;
        }
        Append(part.substr(start, end - start));
        if (part[end] == '\r') {
            if (end + 1 == n)
                afterCr_ = true;
            else if (part[end + 1] == '\n')
                ++end;
        }
        start = end + 1;
    }
}

void TextLineSplitter::Finish() {
    if (!partial_.empty()) Append({});
    afterCr_ = false;
}

void SplitTextLines(std::string_view text, std::vector<std::string>& lines) {
    TextLineSplitter splitter(lines);
    splitter.Add(text);
    splitter.Finish();
}

namespace {

// A regular file read a part at a time into one buffer, so that a large file's bytes are
// never held whole.
class PartReader {
public:
    static constexpr std::size_t kPartSize = 256 * 1024;

    PartReader(const std::string& path, int fd, std::size_t size)
        : path_(path), fd_(fd), size_(size), buffer_(kPartSize, '\0') {}

    std::size_t Size() const { return size_; }

    // The next part: a full buffer except at the end; empty after the last.
    std::string_view Next() {
        std::size_t filled = 0;
        while (filled < buffer_.size()) {
            const ssize_t n = ::read(fd_, buffer_.data() + filled, buffer_.size() - filled);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError("ファイルを読めません: " + path_ + " (" + SystemReason(errno) +
                                ")");
            }
            filled += static_cast<std::size_t>(n);
        }
        return std::string_view(buffer_.data(), filled);
    }

    void Rewind() {
        if (::lseek(fd_, 0, SEEK_SET) != 0)
            throw FileError("ファイルを読めません: " + path_ + " (" + SystemReason(errno) + ")");
    }

private:
    const std::string& path_;
    int fd_;
    std::size_t size_;
    std::string buffer_;
};

// Whether the whole file is UTF-8 is known only at its end: it is read once to see, and
// again to decode, as UTF-8 or as CP932. A CP932 file with kana or kanji is told from
// UTF-8 within its first part.
void ReadLinesInParts(PartReader& reader, TextLineSplitter& splitter, ContentHash* hash) {
    Utf8Validity utf8;
    for (std::string_view part = reader.Next(); !part.empty() && utf8.Add(part);
         part = reader.Next()) {
    }
    const bool isUtf8 = utf8.Valid();
    reader.Rewind();
    if (isUtf8) {
        static constexpr std::string_view kBom = "\xEF\xBB\xBF";
        bool first = true;
        for (std::string_view part = reader.Next(); !part.empty(); part = reader.Next()) {
            if (hash != nullptr) hash->Add(part);
            if (first && part.substr(0, kBom.size()) == kBom) part.remove_prefix(kBom.size());
            first = false;
            splitter.Add(part);
        }
        return;
    }
    Cp932PartDecoder decoder([&splitter](std::string_view text) { splitter.Add(text); });
    for (std::string_view part = reader.Next(); !part.empty(); part = reader.Next()) {
        if (hash != nullptr) hash->Add(part);
        decoder.Add(part);
    }
    decoder.Finish();
}

}  // namespace

std::vector<std::string> ReadTextLines(const std::string& path, FileIdentity* identity) {
    // The file's bytes, its decoded text and its lines together would take several times
    // the file's size; a regular file is read and decoded in parts and split as it comes.
    std::vector<std::string> lines;
    TextLineSplitter splitter(lines);
    ContentHash hash;
    ContentHash* hashing = identity != nullptr ? &hash : nullptr;
    auto identify = [&](const struct stat& info) {
        if (identity == nullptr) return;
        identity->path = path;
        TakeStat(*identity, info);
        // What was read, should the file have grown or shrunk since fstat.
        identity->size = static_cast<std::int64_t>(hash.Length());
        identity->contentHash = hash.Value();
    };
    struct stat info {};
    {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0)
            throw FileError("ファイルを開けません: " + path + " (" + SystemReason(errno) + ")");
        if (::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode)) {
            PartReader reader(path, fd.get(), static_cast<std::size_t>(info.st_size));
            // Room for lines of forty bytes: the part of it that is never used is never
            // touched either.
            lines.reserve(reader.Size() / 40 + 1);
            ReadLinesInParts(reader, splitter, hashing);
            splitter.Finish();
            identify(info);
            return lines;
        }
    }
    // Anything else (a pipe, a folder) as a whole, so that a folder fails on read.
    const std::string bytes = ReadFileBytes(path);
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    DecodeFileTextInPieces(bytes, [&splitter](std::string_view part) { splitter.Add(part); });
    splitter.Finish();
    if (hashing != nullptr) hash.Add(bytes);
    identify(info);
    return lines;
}

std::string EncodeTextLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    // Line by line into the bytes, without the whole UTF-8 text beside them.
    Cp932Encoder encoder;
    std::string bytes;
    bytes.reserve(total);
    bool encoded = true;
    for (const auto& line : lines)
        if (!encoder.Append(line, bytes) || !encoder.Append("\r\n", bytes)) {
            encoded = false;
            break;
        }
    if (encoded) return bytes;
    // A character that cannot be written: the whole text says which, as one.
    std::string text;
    text.reserve(total);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return Utf8ToCp932(text);
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    FileWriter& writer) {
    writer.WriteAtomic(path, EncodeTextLines(lines));
}

FileLock::FileLock(const std::string& path) {
    Take(path, std::nullopt);
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait) {
    Take(path, wait);
}

void FileLock::Take(const std::string& path, std::optional<std::chrono::milliseconds> wait) {
    const auto giveUp =
        std::chrono::steady_clock::now() + wait.value_or(std::chrono::milliseconds(0));
    auto fail = [&path](int error) {
        throw FileError("ファイルをロックできません: " + path + " (" + SystemReason(error) + ")");
    };
    for (;;) {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0) {
            if (errno == ENOENT || errno == ENOTDIR) return;
            throw FileError("ファイルを開けません: " + path + " (" + SystemReason(errno) + ")");
        }
        if (!wait) {
            while (::flock(fd.get(), LOCK_EX) != 0)
                if (errno != EINTR) fail(errno);
        } else {
            // Tried again every few milliseconds, so that a window never waits long.
            while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
                if (errno == EINTR) continue;
                if (errno != EWOULDBLOCK) fail(errno);
                if (std::chrono::steady_clock::now() >= giveUp) {
                    busy_ = true;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        // The holder before may have replaced the file: the lock counts only on the file
        // the path names now.
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd.get(), &locked) != 0 || ::stat(path.c_str(), &named) != 0) {
            if (errno == ENOENT) return;
            fail(errno);
        }
        if (locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            fd_ = fd.release();
            return;
        }
    }
}

bool FileLock::Covers(const std::string& path) const {
    struct stat locked {};
    struct stat named {};
    return fd_ >= 0 && ::fstat(fd_, &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
           locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace velmora
