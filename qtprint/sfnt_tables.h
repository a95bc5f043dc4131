#pragma once
// The few pieces of a TrueType/OpenType font (sfnt) the print fonts rewrite: the character
// map read and written, a name table, and a font put together from its tables.
//
// Why: a PDF's text layer maps each glyph back to one character, and Qt's PDF writer takes
// the lowest code point the font maps to that glyph. IPAex maps "月" and the Kangxi radical
// "⽉" (U+2F49), the ideographic space and the em space, "‐" and "-" to one glyph each, so
// the text layer said "⽉" where "月" was printed. Fonts whose character maps give every
// glyph one character (TextLayers) take that choice away.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::gui {

// Code point -> glyph index.
using CharacterMap = std::map<char32_t, std::uint16_t>;

// The Unicode mappings of a "cmap" table, from the subtable a font renderer uses: the
// full-repertoire one (format 12) when there is one, else the BMP one (format 4). Empty for
// a table that holds neither or is cut short.
CharacterMap ReadCharacterMap(std::string_view cmap);

// A "cmap" table with the mappings as a Windows BMP subtable (format 4, when it fits) and a
// Windows full-repertoire subtable (format 12).
std::string MakeCharacterMapTable(const CharacterMap& map);

// A "name" table naming the family, its style and its PostScript name (Windows, English).
std::string MakeNameTable(std::u16string_view family, std::u16string_view style,
                          std::u16string_view postscript);

// The PostScript name (name id 6) of a "name" table; empty when it has none.
std::string PostScriptName(std::string_view name);

struct SfntTable {
    std::string tag;  // four characters
    std::string data;
};

// A font file of the tables, with its table directory, padding and check sums.
// version: 0x00010000 for TrueType outlines, "OTTO" (0x4F54544F) for CFF ones.
std::string AssembleSfnt(std::uint32_t version, std::vector<SfntTable> tables);

// The character maps of the layers of one font: layer 0 maps each glyph from one of its
// characters (the first preferred one, else the lowest), layer k the k-th character of
// the glyphs that have more than k. Together they map every character of the font, each
// glyph once per layer, and a glyph drawn from a layer's font names its character.
class TextLayers {
public:
    using Preferred = std::function<bool(char32_t)>;
    TextLayers() = default;
    TextLayers(const CharacterMap& map, const Preferred& preferred);

    int Count() const { return static_cast<int>(layers_.size()); }
    // The layer of a character the font maps; 0 for any other.
    int LayerOf(char32_t c) const;
    const CharacterMap& Layer(int layer) const {
        return layers_.at(static_cast<std::size_t>(layer));
    }

private:
    std::vector<CharacterMap> layers_;
    std::map<char32_t, int> later_;  // characters of layers 1 and up
};

}  // namespace velmora::gui
