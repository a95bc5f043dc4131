#include "qtprint/sfnt_tables.h"

#include <algorithm>
#include <optional>

namespace velmora::gui {
namespace {

// Big-endian reads that fail instead of reading past the end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Has(std::size_t at, std::size_t size) const {
        return at <= bytes_.size() && size <= bytes_.size() - at;
    }
    std::optional<std::uint32_t> U(std::size_t at, int size) const {
        if (!Has(at, static_cast<std::size_t>(size))) return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 0; i < size; ++i)
            v = v << 8 | static_cast<unsigned char>(bytes_[at + static_cast<std::size_t>(i)]);
        return v;
    }
    std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(U(at, 2).value()); }
    std::uint32_t U32(std::size_t at) const { return U(at, 4).value(); }

private:
    std::string_view bytes_;
};

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v >> 8 & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v >> 16);
    Put16(out, v & 0xFFFF);
}

// The largest power of two not above n (n >= 1), and its exponent.
std::pair<std::uint32_t, std::uint32_t> PowerBelow(std::uint32_t n) {
    std::uint32_t power = 1;
    std::uint32_t exponent = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++exponent;
    }
    return {power, exponent};
}

void ReadFormat12(const Reader& r, std::size_t at, CharacterMap& map) {
    const std::uint32_t groups = r.U32(at + 12);
    if (!r.Has(at + 16, static_cast<std::size_t>(groups) * 12)) throw std::bad_optional_access();
    for (std::uint32_t i = 0; i < groups; ++i) {
        const std::size_t g = at + 16 + static_cast<std::size_t>(i) * 12;
        const std::uint32_t first = r.U32(g);
        const std::uint32_t last = std::min<std::uint32_t>(r.U32(g + 4), 0x10FFFF);
        const std::uint32_t glyph = r.U32(g + 8);
        for (std::uint32_t c = first; c <= last && glyph + (c - first) <= 0xFFFF; ++c)
            if (glyph + (c - first) != 0)
                map[static_cast<char32_t>(c)] = static_cast<std::uint16_t>(glyph + (c - first));
    }
}

void ReadFormat4(const Reader& r, std::size_t at, CharacterMap& map) {
    const std::size_t segments = r.U16(at + 6) / 2;
    const std::size_t ends = at + 14;
    const std::size_t starts = ends + 2 * segments + 2;
    const std::size_t deltas = starts + 2 * segments;
    const std::size_t offsets = deltas + 2 * segments;
    for (std::size_t i = 0; i < segments; ++i) {
        const std::uint32_t last = r.U16(ends + 2 * i);
        const std::uint32_t first = r.U16(starts + 2 * i);
        const std::uint16_t delta = r.U16(deltas + 2 * i);
        const std::uint16_t offset = r.U16(offsets + 2 * i);
        for (std::uint32_t c = first; c <= last && c != 0xFFFF; ++c) {
            std::uint32_t glyph = 0;
            if (offset == 0) {
                glyph = (c + delta) & 0xFFFF;
            } else {
                glyph = r.U16(offsets + 2 * i + offset + 2 * (c - first));
                if (glyph != 0) glyph = (glyph + delta) & 0xFFFF;
            }
            if (glyph != 0) map[static_cast<char32_t>(c)] = static_cast<std::uint16_t>(glyph);
        }
    }
}

// Runs of consecutive characters: [first, last] with the glyph of first.
struct Run {
    char32_t first;
    char32_t last;
    bool consecutiveGlyphs;
};

std::vector<Run> RunsOf(const CharacterMap& map, bool bmp, bool splitOnGlyphs) {
    std::vector<Run> runs;
    std::optional<std::pair<char32_t, std::uint16_t>> previous;
    for (const auto& [c, glyph] : map) {
        if (bmp && c >= 0xFFFF) break;
        const bool next = previous && c == previous->first + 1;
        const bool nextGlyph = next && glyph == previous->second + 1;
        if (next && (nextGlyph || !splitOnGlyphs)) {
            runs.back().last = c;
            runs.back().consecutiveGlyphs = runs.back().consecutiveGlyphs && nextGlyph;
        } else {
            runs.push_back({c, c, true});
        }
        previous = {c, glyph};
    }
    return runs;
}

std::optional<std::string> Format4(const CharacterMap& map) {
    std::vector<Run> runs = RunsOf(map, true, false);
    runs.push_back({0xFFFF, 0xFFFF, true});
    const std::size_t segments = runs.size();
    std::string glyphArray;
    std::string ends, starts, deltas, offsets;
    for (std::size_t i = 0; i < segments; ++i) {
        const Run& run = runs[i];
        Put16(ends, run.last);
        Put16(starts, run.first);
        if (run.first == 0xFFFF) {
            Put16(deltas, 1);
            Put16(offsets, 0);
        } else if (run.consecutiveGlyphs) {
            Put16(deltas, (map.at(run.first) - run.first) & 0xFFFF);
            Put16(offsets, 0);
        } else {
            const std::size_t offset = 2 * (segments - i) + glyphArray.size();
            if (offset > 0xFFFF) return std::nullopt;
            Put16(deltas, 0);
            Put16(offsets, static_cast<std::uint32_t>(offset));
            for (char32_t c = run.first; c <= run.last; ++c) Put16(glyphArray, map.at(c));
        }
    }
    const std::size_t length = 16 + 8 * segments + glyphArray.size();
    if (length > 0xFFFF) return std::nullopt;
    const auto [power, exponent] = PowerBelow(static_cast<std::uint32_t>(segments));
    std::string out;
    Put16(out, 4);
    Put16(out, static_cast<std::uint32_t>(length));
    Put16(out, 0);  // language
    Put16(out, static_cast<std::uint32_t>(2 * segments));
    Put16(out, 2 * power);
    Put16(out, exponent);
    Put16(out, static_cast<std::uint32_t>(2 * segments - 2 * power));
    out += ends;
    Put16(out, 0);  // reserved pad
    out += starts + deltas + offsets + glyphArray;
    return out;
}

std::string Format12(const CharacterMap& map) {
    const std::vector<Run> runs = RunsOf(map, false, true);
    std::string out;
    Put16(out, 12);
    Put16(out, 0);
    Put32(out, static_cast<std::uint32_t>(16 + 12 * runs.size()));
    Put32(out, 0);  // language
    Put32(out, static_cast<std::uint32_t>(runs.size()));
    for (const Run& run : runs) {
        Put32(out, run.first);
        Put32(out, run.last);
        Put32(out, map.at(run.first));
    }
    return out;
}

std::uint32_t CheckSum(std::string_view data) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < data.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4; ++k)
            word = word << 8 | (i + k < data.size() ? static_cast<unsigned char>(data[i + k]) : 0u);
        sum += word;
    }
    return sum;
}

}  // namespace

CharacterMap ReadCharacterMap(std::string_view cmap) {
    const Reader r(cmap);
    CharacterMap map;
    try {
        const std::uint16_t count = r.U16(2);
        std::optional<std::size_t> full;
        std::optional<std::size_t> bmp;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t record = 4 + 8 * i;
            const std::uint16_t platform = r.U16(record);
            const std::uint16_t encoding = r.U16(record + 2);
            const std::size_t at = r.U32(record + 4);
            const std::uint16_t format = r.U16(at);
            const bool unicode =
                platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
            if (!unicode) continue;
            if (format == 12 && !full) full = at;
            if (format == 4 && !bmp) bmp = at;
        }
        if (full)
            ReadFormat12(r, *full, map);
        else if (bmp)
            ReadFormat4(r, *bmp, map);
    } catch (const std::bad_optional_access&) {
        return {};
    }
    return map;
}

std::string MakeCharacterMapTable(const CharacterMap& map) {
    const std::optional<std::string> bmp = Format4(map);
    const std::string full = Format12(map);
    const std::uint32_t count = bmp ? 2 : 1;
    std::string out;
    Put16(out, 0);
    Put16(out, count);
    const std::uint32_t first = 4 + 8 * count;
    if (bmp) {
        Put16(out, 3);
        Put16(out, 1);
        Put32(out, first);
    }
    Put16(out, 3);
    Put16(out, 10);
    Put32(out, first + static_cast<std::uint32_t>(bmp ? bmp->size() : 0));
    if (bmp) out += *bmp;
    out += full;
    return out;
}

std::string MakeNameTable(std::u16string_view family, std::u16string_view style,
                          std::u16string_view postscript) {
    const std::u16string full = std::u16string(family) + u" " + std::u16string(style);
    const std::vector<std::pair<int, std::u16string_view>> names{
        {1, family}, {2, style}, {4, full}, {6, postscript}};
    std::string records;
    std::string strings;
    for (const auto& [id, text] : names) {
        Put16(records, 3);
        Put16(records, 1);
        Put16(records, 0x409);
        Put16(records, static_cast<std::uint32_t>(id));
        Put16(records, static_cast<std::uint32_t>(2 * text.size()));
        Put16(records, static_cast<std::uint32_t>(strings.size()));
        for (char16_t unit : text) Put16(strings, unit);
    }
    std::string out;
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(names.size()));
    Put16(out, static_cast<std::uint32_t>(6 + records.size()));
    return out + records + strings;
}

std::string PostScriptName(std::string_view name) {
    const Reader r(name);
    try {
        const std::uint16_t count = r.U16(2);
        const std::size_t strings = r.U16(4);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t record = 6 + 12 * i;
            if (r.U16(record + 6) != 6) continue;
            const std::uint16_t platform = r.U16(record);
            const std::size_t length = r.U16(record + 8);
            const std::size_t at = strings + r.U16(record + 10);
            if (!r.Has(at, length)) continue;
            std::string text;
            if (platform == 1) {
                text = std::string(name.substr(at, length));
            } else if (platform == 3 || platform == 0) {
                for (std::size_t k = 0; k + 1 < length; k += 2) {
                    const std::uint16_t unit = r.U16(at + k);
                    if (unit < 0x80) text.push_back(static_cast<char>(unit));
                }
            }
            if (!text.empty()) return text;
        }
    } catch (const std::bad_optional_access&) {
    }
    return {};
}

std::string AssembleSfnt(std::uint32_t version, std::vector<SfntTable> tables) {
    std::sort(tables.begin(), tables.end(),
              [](const SfntTable& a, const SfntTable& b) { return a.tag < b.tag; });
    const auto count = static_cast<std::uint32_t>(tables.size());
    const auto [power, exponent] = PowerBelow(std::max<std::uint32_t>(count, 1));
    std::string out;
    Put32(out, version);
    Put16(out, count);
    Put16(out, 16 * power);
    Put16(out, exponent);
    Put16(out, 16 * count - 16 * power);
    std::size_t offset = 12 + 16 * static_cast<std::size_t>(count);
    std::optional<std::size_t> head;
    std::string body;
    for (SfntTable& table : tables) {
        if (table.tag == "head" && table.data.size() >= 12) {
            table.data.replace(8, 4, std::string(4, '\0'));  // checkSumAdjustment, set below
            head = offset + body.size() + 8;
        }
        out += table.tag.substr(0, 4);
        Put32(out, CheckSum(table.data));
        Put32(out, static_cast<std::uint32_t>(offset + body.size()));
        Put32(out, static_cast<std::uint32_t>(table.data.size()));
        body += table.data;
        body.append((4 - body.size() % 4) % 4, '\0');
    }
    out += body;
    if (head) {
        std::string adjustment;
        Put32(adjustment, 0xB1B0AFBAu - CheckSum(out));
        out.replace(*head, 4, adjustment);
    }
    return out;
}

TextLayers::TextLayers(const CharacterMap& map, const Preferred& preferred) {
    std::map<std::uint16_t, std::vector<char32_t>> byGlyph;
    for (const auto& [c, glyph] : map) byGlyph[glyph].push_back(c);
    for (auto& [glyph, characters] : byGlyph) {
        std::stable_partition(characters.begin(), characters.end(), preferred);
        for (std::size_t layer = 0; layer < characters.size(); ++layer) {
            if (layers_.size() <= layer) layers_.resize(layer + 1);
            layers_[layer][characters[layer]] = glyph;
            if (layer > 0) later_[characters[layer]] = static_cast<int>(layer);
        }
    }
}

int TextLayers::LayerOf(char32_t c) const {
    const auto found = later_.find(c);
    return found == later_.end() ? 0 : found->second;
}

}  // namespace velmora::gui
