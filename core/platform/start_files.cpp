#include "core/platform/start_files.h"

#include <sys/stat.h>

#include <exception>
#include <string_view>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"

namespace velmora {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// One sentence for the lines left out for one reason: the first of them, and how many more.
std::string SkippedLinesProblem(const std::string& path, const std::vector<std::size_t>& lines,
                                const std::string& reason) {
    std::string which = std::to_string(lines.front()) + "行目";
    if (lines.size() > 1) which += "ほか" + std::to_string(lines.size() - 1) + "行";
    return path + "の" + which + reason;
}

std::string TooLarge(const std::string& path) {
    return path + "は大きすぎるので読み込みませんでした(" +
           std::to_string(kStartFileLimit / (1024 * 1024)) + "MBまで)。";
}

}  // namespace

StartFileLines ReadStartFile(const std::string& path) {
    StartFileLines read;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return read;  // missing: the defaults, unsaid
    if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > kStartFileLimit) {
        read.problem = TooLarge(path);
        return read;
    }
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const std::exception& error) {
        read.problem = path + "を読み込めませんでした。\r\n" + error.what();
        return read;
    }
    // A pipe or a device may have grown beyond what its size said.
    if (bytes.size() > kStartFileLimit) {
        read.problem = TooLarge(path);
        return read;
    }
    std::string_view text(bytes);
    if (text.substr(0, kBom.size()) == kBom && IsValidUtf8(text.substr(kBom.size())))
        text.remove_prefix(kBom.size());
    // CP932 never has a line break as the second byte of a character: the lines can be
    // cut before they are decoded, and each decoded on its own.
    const bool utf8 = IsValidUtf8(text);
    std::vector<std::string> raw;
    SplitTextLines(text, raw);
    Cp932TextDecoder decoder;
    std::vector<std::size_t> undecodable, unreadable;
    std::string line;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        // Empty, so that the lines after it keep their places (a title's slot).
        if (raw[i].size() > kStartLineLimit || raw[i].find('\0') != std::string::npos) {
            read.lines.emplace_back();
            unreadable.push_back(i + 1);
        } else if (utf8) {
            read.lines.push_back(std::move(raw[i]));
        } else if (decoder.Decode(raw[i], line)) {
            read.lines.push_back(line);
        } else {
            read.lines.emplace_back();
            undecodable.push_back(i + 1);
        }
    }
    if (!undecodable.empty())
        read.problem = SkippedLinesProblem(
            path, undecodable,
            "は文字コードがCP932(Shift_JIS)でもUTF-8でもないので読み飛ばしました。");
    if (!unreadable.empty()) {
        if (!read.problem.empty()) read.problem += "\r\n";
        read.problem +=
            SkippedLinesProblem(path, unreadable,
                                "は" + std::to_string(kStartLineLimit / 1024) +
                                    "KBを超えるかNULバイトを含むので読み飛ばしました。");
    }
    return read;
}

}  // namespace velmora
