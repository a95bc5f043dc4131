#include "core/util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/util/codepage.h"
#include "core/util/errors.h"

namespace velmora {
namespace {

std::string SystemReason(int error) { return std::strerror(error); }

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

std::string TemporaryPathFor(const std::string& path) { return path + ".velmora-tmp"; }

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

void SplitTextLines(std::string_view text, std::vector<std::string>& lines) {
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n')
            end += 2;
        else
            end += 1;
        start = end;
    }
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    std::string text = DecodeFileText(ReadFileBytes(path));
    std::vector<std::string> lines;
    lines.reserve(text.size() / 28 + 1);
    SplitTextLines(text, lines);
    return lines;
}

std::string EncodeTextLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
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
