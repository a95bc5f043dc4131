#pragma once
// The small text files the program reads at start and while it runs (settings, placement,
// the backup list, layouts, titles, description lists, holidays, print options, the code
// table). Whatever lies in one of them, the program goes on: a damaged line is left out, a
// file far larger than any real one is taken as missing, and one message says which.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The largest such file read; a real one is a few kilobytes.
inline constexpr std::uintmax_t kStartFileLimit = 1024 * 1024;
// The longest line read: a real one is a title, a description or a path (twice its bytes
// as hexadecimal digits at most).
inline constexpr std::size_t kStartLineLimit = 16 * 1024;

struct StartFileLines {
    std::vector<std::string> lines;
    // What was left out, as the message to show (naming the file and the line); empty when
    // the file was read whole or is missing.
    std::string problem;
};

// The lines of the file at path as ReadTextLines gives them, in time linear in the file's
// size, except that a line that is neither CP932 nor part of a UTF-8 file, one longer than
// kStartLineLimit and one holding a NUL byte are read as empty lines (the lines after them
// keep their places; a list showing such a line would take minutes to lay it out), and a
// file larger than kStartFileLimit or one that cannot be read gives no lines at all. A
// missing file gives no lines and no problem.
StartFileLines ReadStartFile(const std::string& path);

}  // namespace velmora
