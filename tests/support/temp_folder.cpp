#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/util/codepage.h"
#include "core/util/fields.h"

namespace velmora::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = made;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::File(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

void WriteCp932(const std::string& path, std::string_view utf8TextWithLf) {
    WriteBytes(path, Utf8ToCp932(ReplaceAll(utf8TextWithLf, "\n", "\r\n")));
}

std::string FixturePath(std::string_view name) {
    return std::string(VELMORA_FIXTURES_DIR) + "/" + std::string(name);
}

}  // namespace velmora::testing
