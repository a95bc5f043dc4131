#include "core/util/fields.h"

#include <charconv>

#include "core/util/codepage.h"

namespace velmora {

std::string_view FieldNView(std::string_view text, std::string_view sep, int n) {
    if (sep.empty() || n < 1) return {};
    std::size_t pos = 0;
    for (int count = 1;; ++count) {
        std::size_t found = text.find(sep, pos);
        if (found == std::string_view::npos) return {};
        if (count == n) return text.substr(pos, found - pos);
        pos = found + sep.size();
    }
}

std::string SemicolonFieldN(std::string_view text, int n) {
    std::string_view last;
    std::size_t pos = 0;
    for (int count = 1; count <= n; ++count) {
        std::size_t found = text.find(';', pos);
        if (found == std::string_view::npos) break;
        last = text.substr(pos, found - pos);
        pos = found + 1;
    }
    return std::string(last);
}

std::string PlainAmountText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',') out += c;
    if (out.empty()) out.push_back('0');
    return out;
}

std::string FirstQuotedField(std::string& line) {
    if (line.empty() || line[0] != '"') {
        std::size_t comma = line.find(',');
        std::string field;
        if (comma == std::string::npos) {
            field = line;
            line.clear();
        } else {
            field = line.substr(0, comma);
            line.erase(0, comma + 1);
        }
        return field;
    }
    std::string rest = line.substr(1);
    std::string collected;
    for (;;) {
        std::size_t comma = rest.find(',');
        if (comma == std::string::npos) {
            if (!rest.empty() && rest.back() == '"') rest.pop_back();
            collected += rest;
            line.clear();
            return collected;
        }
        if (comma == 0) {
            collected += ',';
            rest.erase(0, 1);
            continue;
        }
        if (rest[comma - 1] == '"') {
            collected += rest.substr(0, comma - 1);
            line = rest.substr(comma + 1);
            return collected;
        }
        collected += rest.substr(0, comma + 1);
        rest.erase(0, comma + 1);
    }
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    return text.substr(b, e - b);
}

std::string WideTrim(std::string_view text) {
    static constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    std::string_view t = TrimBlanks(text);
    for (bool changed = true; changed;) {
        changed = false;
        if (!t.empty() && t.front() == ' ') {
            t.remove_prefix(1);
            changed = true;
        } else if (t.substr(0, 3) == kIdeographicSpace) {
            t.remove_prefix(3);
            changed = true;
        }
        if (!t.empty() && t.back() == ' ') {
            t.remove_suffix(1);
            changed = true;
        } else if (t.size() >= 3 && t.substr(t.size() - 3) == kIdeographicSpace) {
            t.remove_suffix(3);
            changed = true;
        }
    }
    return std::string(t);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t found = text.find(from, pos);
        if (found == std::string_view::npos) break;
        out.append(text.substr(pos, found - pos));
        out.append(to);
        pos = found + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string CleanTypedText(std::string_view typed) {
    std::string text = ReplaceAll(ReplaceAll(ToWindowsForms(typed), "\r", ""), "\n", "");
    // Bytes below 0x80 are whole characters in UTF-8.
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string RemoveQuotesAndCommas(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '"' && c != ',') out += c;
    return out;
}

bool ParseInt(std::string_view text, long long& value) {
    text = TrimBlanks(text);
    // from_chars reads a minus sign itself; a plus is ours to drop, and must not hide one.
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    if (text.empty() || (plus && (text.front() < '0' || text.front() > '9'))) return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

long long IntOr(std::string_view text, long long fallback) {
    long long value = 0;
    return ParseInt(text, value) ? value : fallback;
}

}  // namespace velmora
