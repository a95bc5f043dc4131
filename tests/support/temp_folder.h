#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.
#include <string>
#include <string_view>

namespace velmora::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const;

private:
    std::string path_;
};

// Bytes of a file; fails the test when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// A UTF-8 text written as CP932 with every "\n" turned into CR LF.
void WriteCp932(const std::string& path, std::string_view utf8TextWithLf);
// The fixture file's full path below tests/fixtures.
std::string FixturePath(std::string_view name);

}  // namespace velmora::testing
