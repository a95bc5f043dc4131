#pragma once
// Reading and writing whole files. Writes replace the file atomically: a temporary file in
// the same folder is written, checked, flushed to disk and renamed over the old name, so
// a crash or a write error leaves the previous file whole.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The file's bytes. Throws FileError when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// A file written a part at a time and put in place whole, as WriteOutput puts it: until
// Commit the file at its path stays as it was, and a stream dropped before Commit leaves
// nothing of its own behind.
class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Throws FileError as the write would.
    virtual void Append(std::string_view bytes) = 0;
    // Throws FileError as WriteOutput would; the stream takes no more parts after it.
    virtual void Commit() = 0;
};

// The writes a save makes, behind an interface so that tests can make them fail.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // Replaces path with bytes atomically. Throws FileError; the old file stays whole, except
    // when only the sync of the folder after the rename failed: then the new file is in
    // place, whole, but may not survive a crash.
    virtual void WriteAtomic(const std::string& path, std::string_view bytes) = 0;
    // Writes a file the program makes for the user out of a ledger (a PDF, a CSV file, a
    // picture, the ledger under another name) as WriteAtomic does, but the path itself is
    // replaced: a symbolic link there is replaced by the file, never followed. Its
    // permission bits are at most modeLimit (OutputModeLimit of the ledger), so that what
    // comes out of a private ledger stays private. A writer that keeps no permissions (a
    // test's) writes it as it writes any file.
    virtual void WriteOutput(const std::string& path, std::string_view bytes, unsigned modeLimit) {
        (void)modeLimit;
        WriteAtomic(path, bytes);
    }
    // WriteOutput of bytes made a part at a time, so that a large file goes to the disk
    // while the rest of it is made. The stream uses the writer: it must not outlive it.
    // This writer gathers the parts and writes them at Commit.
    virtual std::unique_ptr<OutputStream> StreamOutput(const std::string& path, unsigned modeLimit);
    // Removes a file; a missing file is not an error. Throws FileError on failure.
    virtual void Remove(const std::string& path) = 0;
};

// The system steps of a disk write, in their order, and of a removal.
enum class WriteStep { CreateTemporary, Write, SyncData, Rename, SyncFolder, Remove };

// Writes through a symbolic link (a chain of them, or a dangling one) to the file it
// names and keeps the link. The new file takes the old one's permissions and, where the
// process may, its owner. A file its owner marked read-only, or one the user may not write,
// is refused rather than replaced through the writable folder, and so is anything at the
// path that is not a regular file (a folder, a device, a FIFO). Each write has a temporary
// file of its own, created anew (never through a link in its place), so that two saves of
// one file never rename each other's half-written bytes into place; the temporary files an
// interrupted save left beside the file are removed by the next save of it.
//
// Files at or below the private folder (the working folder) are the program's own: they
// are created and kept 0600 whatever the umask, and a link in the place of one is replaced
// by the file, never followed.
class DiskFileWriter : public FileWriter {
public:
    DiskFileWriter() = default;
    explicit DiskFileWriter(std::string privateFolder) : privateFolder_(std::move(privateFolder)) {}

    void WriteAtomic(const std::string& path, std::string_view bytes) override;
    void WriteOutput(const std::string& path, std::string_view bytes, unsigned modeLimit) override;
    // The parts are written to the temporary file by a thread of their own, each one's way
    // to the disk begun at once, while the caller makes the next: at Commit only the last
    // are still to be synced.
    std::unique_ptr<OutputStream> StreamOutput(const std::string& path,
                                               unsigned modeLimit) override;
    void Remove(const std::string& path) override;

protected:
    // Asked right before each step's system call, with the path the caller gave: an errno
    // other than 0 fails the step as the call failing with it would. Lets tests fail every
    // step of a real write in turn.
    virtual int InjectedError(WriteStep /*step*/, const std::string& /*path*/) { return 0; }

private:
    // One file being written, in its temporary file until Commit renames it into place.
    class Replacement;

    // An output (modeLimit given) replaces the path itself; any other write follows links.
    void Write(const std::string& path, std::string_view bytes, std::optional<unsigned> modeLimit);

    std::string privateFolder_;
};

// The permissions of every file the program keeps in its working folder.
inline constexpr unsigned kPrivateFileMode = 0600;
// And of the working folder and its sub-folders.
inline constexpr unsigned kPrivateFolderMode = 0700;

// The permission bits an output made from the file source may have: those of source, 0600
// when they cannot be known (no file yet, or none to be read).
unsigned OutputModeLimit(const std::string& source);

// The writer of the program's own small files.
FileWriter& DefaultFileWriter();

// The start of the temporary file names of writes to path: path + ".velmora-tmp"; each
// write adds "-" and six letters or digits of its own.
std::string TemporaryNamePrefix(const std::string& path);

// Removes the temporary files of interrupted writes in folder: those of the file named
// fileName, or of any file when fileName is empty. A temporary file a write (of this
// process or another) is still filling is kept. Errors are ignored: a stray file that
// cannot be removed now is tried again at the next save.
void RemoveStrayTemporaryFiles(const std::string& folder, std::string_view fileName = {});

// The file path names once every symbolic link at its end is followed (relative links
// from the folder of the link); path itself when it is no link. A link that names a
// missing file gives that file's path. Throws FileError for a loop of links.
std::string ResolveLinks(const std::string& path);

// True when path, as written (no link followed), lies in folder or below it.
bool IsBelowFolder(const std::string& path, const std::string& folder);
// Where the file path names (links followed, ".." resolved) lies below folder: its path
// relative to folder ("ini/backup.conf"); nothing when it lies elsewhere.
std::optional<std::string> PlaceInFolder(const std::string& path, const std::string& folder);

// True when a and b name one file: the same device and inode when both exist, otherwise
// the same path once links, "." and ".." are resolved.
bool IsSameFile(const std::string& a, const std::string& b);

// What a file was when it was read or written: enough to tell later whether the file on
// disk is still that one.
struct FileIdentity {
    std::string path;  // as given; empty for none
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds since 1970
    std::uint64_t contentHash = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at path as it is now (its bytes are read). Throws FileError
// when it exists and cannot be read; a missing file gives exists = false.
FileIdentity ReadFileIdentity(const std::string& path);
// The identity of the file just written at path with bytes.
FileIdentity WrittenFileIdentity(const std::string& path, std::string_view bytes);
// True when the file at identity.path is still the one identity describes. Size, inode
// and modification time decide when they agree or the size differs; otherwise the
// content decides, so that the same bytes written again (by a copy, a restore or an
// atomic save that changed nothing) count as the same file. A file that was missing
// and still is counts as unchanged.
bool FileUnchanged(const FileIdentity& identity);

// Text lines of a file: bytes decoded (CP932, or UTF-8 when that is what the file holds)
// and split at CR LF, CR or LF; a final line break adds no empty line. With identity,
// also the identity of the bytes read, taken from the same reading.
// Throws FileError or EncodingError.
std::vector<std::string> ReadTextLines(const std::string& path, FileIdentity* identity = nullptr);

// Lines as CP932 with CR LF after every line, the last one included.
// Throws EncodingError naming a character CP932 cannot hold.
std::string EncodeTextLines(const std::vector<std::string>& lines);

// Writes lines as a CP932 CR LF text file, atomically. Throws EncodingError or FileError;
// nothing is written when a line cannot be encoded.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    FileWriter& writer = DefaultFileWriter());

// Splits text at CR LF, CR or LF; a final line break adds no empty line.
void SplitTextLines(std::string_view text, std::vector<std::string>& lines);

// SplitTextLines for text that arrives in parts: a CR at the end of one part and an LF at
// the start of the next make one line break. Each line is appended to lines at its size.
class TextLineSplitter {
public:
    explicit TextLineSplitter(std::vector<std::string>& lines) : lines_(lines) {}
    void Add(std::string_view part);
    // Appends the last line when the text did not end with a line break.
    void Finish();

private:
    void Append(std::string_view tail);

    std::vector<std::string>& lines_;
    std::string partial_;  // the start of a line that a part boundary cut
    bool afterCr_ = false;
};

// An exclusive advisory lock (flock) on a file for the lifetime of the object, so that
// programs that take it before reading a file and keep it until they have written it back
// run one after the other. A save replaces the file by another one, which the lock on the
// replaced file does not cover: the lock is taken again until it holds the file the path
// names. Programs that take no lock are not held back.
class FileLock {
public:
    // Waits for the lock on the file path names (through links) as long as it takes.
    // Throws FileError when the file cannot be opened or locked; a missing file gives no
    // lock and no error.
    explicit FileLock(const std::string& path);
    // Waits at most wait: Busy() when another holder kept the file that long.
    FileLock(const std::string& path, std::chrono::milliseconds wait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }
    bool Busy() const { return busy_; }
    // True while the lock is held on the very file path names now.
    bool Covers(const std::string& path) const;

private:
    void Take(const std::string& path, std::optional<std::chrono::milliseconds> wait);

    int fd_ = -1;
    bool busy_ = false;
};

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

}  // namespace velmora
