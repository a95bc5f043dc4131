#include "qtprint/text_layer_fonts.h"

#include <QFontDatabase>
#include <array>
#include <map>
#include <mutex>

#include "core/util/codepage.h"

namespace velmora::gui {
namespace {

// The tables a face is copied with: those that outlines, metrics, layout and embedding
// read. "cmap" and "name" are written anew.
constexpr std::array<const char*, 35> kCopiedTables{
    "head", "hhea", "maxp", "OS/2", "hmtx", "loca", "glyf", "cvt ", "fpgm", "prep", "gasp", "post",
    "vhea", "vmtx", "kern", "hdmx", "LTSH", "VDMX", "GSUB", "GPOS", "GDEF", "BASE", "JSTF", "CFF ",
    "CFF2", "VORG", "fvar", "gvar", "avar", "HVAR", "VVAR", "MVAR", "STAT", "EBDT", "EBLC"};

// A glyph keeps, in layer 0, a character the program's files can hold.
bool InRepertoire(char32_t c) {
    return IsCp932Encodable(QString::fromUcs4(&c, 1).toStdString());
}

std::u16string U16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

QString FaceKey(const QRawFont& raw) {
    return raw.familyName() + u'|' + raw.styleName() + u'|' + QString::number(raw.weight()) + u'|' +
           QString::number(static_cast<int>(raw.style()));
}

struct Registry {
    std::mutex mutex;
    std::map<QString, std::unique_ptr<TextLayerFace>> faces;
    int serial = 0;
};

Registry& Faces() {
    static Registry registry;
    return registry;
}

}  // namespace

TextLayerFace::TextLayerFace(QRawFont raw) : raw_(std::move(raw)), serial_(++Faces().serial) {
    const QByteArray cmap = raw_.fontTable("cmap");
    const CharacterMap map = ReadCharacterMap(std::string_view(cmap.constData(), cmap.size()));
    layers_ = TextLayers(map, InRepertoire);
    families_.resize(static_cast<std::size_t>(layers_.Count()));
}

const TextLayerFace* TextLayerFace::Of(const QFont& font) {
    // The face's character maps do not depend on its size; Qt's raw font of a size far past any
    // sheet (a style may ask for one) is broken even when it says it is valid.
    QFont sized = font;
    sized.setPixelSize(100);
    QRawFont raw = QRawFont::fromFont(sized);
    if (!raw.isValid()) return nullptr;
    Registry& registry = Faces();
    const std::lock_guard lock(registry.mutex);
    const QString key = FaceKey(raw);
    auto found = registry.faces.find(key);
    if (found == registry.faces.end())
        found = registry.faces.emplace(key, std::make_unique<TextLayerFace>(std::move(raw))).first;
    return found->second->layers_.Count() > 0 ? found->second.get() : nullptr;
}

std::vector<TextLayerFace::Run> TextLayerFace::Runs(const QString& text) const {
    std::vector<Run> runs;
    for (qsizetype at = 0; at < text.size();) {
        const bool pair =
            at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[at], text[at + 1])
                                : static_cast<char32_t>(text[at].unicode());
        const qsizetype length = pair ? 2 : 1;
        const int layer = layers_.LayerOf(c);
        if (!runs.empty() && runs.back().layer == layer)
            runs.back().text += text.mid(at, length);
        else
            runs.push_back({text.mid(at, length), layer});
        at += length;
    }
    return runs;
}

QString TextLayerFace::RegisterLayer(int layer) const {
    const QString family = QStringLiteral("Velmora Print %1 Layer %2").arg(serial_).arg(layer);
    std::vector<SfntTable> tables;
    for (const char* tag : kCopiedTables) {
        const QByteArray data = raw_.fontTable(tag);
        if (!data.isEmpty()) tables.push_back({tag, data.toStdString()});
    }
    const QByteArray name = raw_.fontTable("name");
    std::string postscript = PostScriptName(std::string_view(name.constData(), name.size()));
    if (postscript.empty()) postscript = family.toStdString();
    tables.push_back({"cmap", MakeCharacterMapTable(layers_.Layer(layer))});
    tables.push_back({"name", MakeNameTable(U16(family), U16(raw_.styleName()),
                                            U16(QString::fromStdString(postscript)))});
    const bool cff = !raw_.fontTable("CFF ").isEmpty() || !raw_.fontTable("CFF2").isEmpty();
    const std::string sfnt = AssembleSfnt(cff ? 0x4F54544Fu : 0x00010000u, std::move(tables));
    const int id = QFontDatabase::addApplicationFontFromData(
        QByteArray(sfnt.data(), static_cast<qsizetype>(sfnt.size())));
    if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family)) return {};
    return family;
}

QFont TextLayerFace::LayerFont(const QFont& font, int layer) const {
    if (layer < 0 || layer >= layers_.Count()) return font;
    std::optional<QString>& family = families_[static_cast<std::size_t>(layer)];
    if (!family) {
        const std::lock_guard lock(Faces().mutex);
        if (!family) family = RegisterLayer(layer);
    }
    if (family->isEmpty()) return font;
    QFont copy = font;
    copy.setFamily(*family);
    return copy;
}

}  // namespace velmora::gui
