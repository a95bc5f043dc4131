#include "core/platform/start_files.h"

#include <sys/stat.h>

#include <exception>
#include <string_view>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"

namespace velmora {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string BadLinesProblem(const std::string& path, const std::vector<std::size_t>& bad) {
    std::string which = std::to_string(bad.front()) + "行目";
    if (bad.size() > 1) which += "ほか" + std::to_string(bad.size() - 1) + "行";
    return path + "の" + which +
           "は文字コードがCP932(Shift_JIS)でもUTF-8でもないので読み飛ばしました。";
}

}  // namespace

StartFileLines ReadStartFile(const std::string& path) {
    StartFileLines read;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return read;  // missing: the defaults, unsaid
    if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > kStartFileLimit) {
        read.problem = path + "は大きすぎるので読み込みませんでした(" +
                       std::to_string(kStartFileLimit / (1024 * 1024)) + "MBまで)。";
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
        read.problem = path + "は大きすぎるので読み込みませんでした(" +
                       std::to_string(kStartFileLimit / (1024 * 1024)) + "MBまで)。";
        return read;
    }
    std::string_view text(bytes);
    if (text.substr(0, kBom.size()) == kBom && IsValidUtf8(text.substr(kBom.size())))
        text.remove_prefix(kBom.size());
    if (IsValidUtf8(text)) {
        SplitTextLines(text, read.lines);
        return read;
    }
    // CP932 never has a line break as the second byte of a character: the lines can be
    // cut before they are decoded, and each decoded on its own.
    std::vector<std::string> raw;
    SplitTextLines(text, raw);
    Cp932TextDecoder decoder;
    std::vector<std::size_t> bad;
    std::string line;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (decoder.Decode(raw[i], line)) {
            read.lines.push_back(line);
        } else {
            // Empty, so that the lines after it keep their places (a title's slot).
            read.lines.emplace_back();
            bad.push_back(i + 1);
        }
    }
    if (!bad.empty()) read.problem = BadLinesProblem(path, bad);
    return read;
}

}  // namespace velmora
