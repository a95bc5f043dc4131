#include "core/util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

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
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
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

std::string TemporaryPathFor(const std::string& path) {
    return path + ".velmora-tmp";
}

void DiskFileWriter::WriteAtomic(const std::string& path, std::string_view bytes) {
    const std::string temp = TemporaryPathFor(path);
    ::unlink(temp.c_str());  // a leftover of an interrupted save
    Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) ThrowWriteError(path, errno);
    try {
        WriteAll(fd.get(), bytes, path);
        struct stat written {};
        if (::fstat(fd.get(), &written) != 0) ThrowWriteError(path, errno);
        if (static_cast<std::size_t>(written.st_size) != bytes.size()) ThrowWriteError(path, EIO);
        if (::fdatasync(fd.get()) != 0) ThrowWriteError(path, errno);
        if (::close(fd.release()) != 0) ThrowWriteError(path, errno);
        if (::rename(temp.c_str(), path.c_str()) != 0) ThrowWriteError(path, errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // Make the rename itself durable; a failure here leaves the new file in place.
    Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
}

void DiskFileWriter::Remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw FileError("ファイルを削除できません: " + path + " (" + SystemReason(errno) + ")");
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
void ReadLinesInParts(PartReader& reader, TextLineSplitter& splitter) {
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
            if (first && part.substr(0, kBom.size()) == kBom) part.remove_prefix(kBom.size());
            first = false;
            splitter.Add(part);
        }
        return;
    }
    Cp932PartDecoder decoder([&splitter](std::string_view text) { splitter.Add(text); });
    for (std::string_view part = reader.Next(); !part.empty(); part = reader.Next())
        decoder.Add(part);
    decoder.Finish();
}

}  // namespace

std::vector<std::string> ReadTextLines(const std::string& path) {
    // The file's bytes, its decoded text and its lines together would take several times
    // the file's size; a regular file is read and decoded in parts and split as it comes.
    std::vector<std::string> lines;
    TextLineSplitter splitter(lines);
    {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0)
            throw FileError("ファイルを開けません: " + path + " (" + SystemReason(errno) + ")");
        struct stat info {};
        if (::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode)) {
            PartReader reader(path, fd.get(), static_cast<std::size_t>(info.st_size));
            // Room for lines of forty bytes: the part of it that is never used is never
            // touched either.
            lines.reserve(reader.Size() / 40 + 1);
            ReadLinesInParts(reader, splitter);
            splitter.Finish();
            return lines;
        }
    }
    // Anything else (a pipe, a folder) as a whole, so that a folder fails on read.
    const std::string bytes = ReadFileBytes(path);
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    DecodeFileTextInPieces(bytes, [&splitter](std::string_view part) { splitter.Add(part); });
    splitter.Finish();
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

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace velmora
