#pragma once
// Reading and writing whole files. Writes replace the file atomically: a temporary file in
// the same folder is written, checked, flushed to disk and renamed over the old name, so
// a crash or a write error leaves the previous file whole.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The file's bytes. Throws FileError when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The writes a save makes, behind an interface so that tests can make them fail.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // Replaces path with bytes atomically. Throws FileError; the old file stays whole.
    virtual void WriteAtomic(const std::string& path, std::string_view bytes) = 0;
    // Removes a file; a missing file is not an error. Throws FileError on failure.
    virtual void Remove(const std::string& path) = 0;
};

class DiskFileWriter final : public FileWriter {
public:
    void WriteAtomic(const std::string& path, std::string_view bytes) override;
    void Remove(const std::string& path) override;
};

// The writer of the program's own small files.
FileWriter& DefaultFileWriter();

// The temporary name used while path is being replaced; a leftover of an interrupted
// save is overwritten by the next one.
std::string TemporaryPathFor(const std::string& path);

// Text lines of a file: bytes decoded (CP932, or UTF-8 when that is what the file holds)
// and split at CR LF, CR or LF; a final line break adds no empty line.
// Throws FileError or EncodingError.
std::vector<std::string> ReadTextLines(const std::string& path);

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

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

}  // namespace velmora
