// The text layer of printed PDFs: every character drawn comes back from pdftotext as itself,
// also where the font draws several characters with one glyph; and the font tables the
// layer copies are made of.
#include <QProcess>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "qtprint/print_fonts.h"
#include "qtprint/qt_print_device.h"
#include "qtprint/sfnt_tables.h"

using namespace velmora;
using namespace velmora::gui;

namespace {

// The characters of a face that share their glyph with another character. Only those of the
// BMP: Qt's PDF writer gives no text to glyphs of characters beyond it (which no file of the
// program can hold: CP932 has none).
std::vector<char32_t> SharedGlyphCharacters(const QString& family) {
    QFont font(family);
    font.setPixelSize(40);
    const QByteArray table = QRawFont::fromFont(font).fontTable("cmap");
    std::map<std::uint16_t, std::vector<char32_t>> byGlyph;
    for (const auto& [c, glyph] : ReadCharacterMap(std::string_view(table.data(), table.size())))
        byGlyph[glyph].push_back(c);
    std::vector<char32_t> shared;
    for (const auto& [glyph, characters] : byGlyph)
        if (characters.size() > 1)
            for (char32_t c : characters)
                if (c < 0x10000) shared.push_back(c);
    return shared;
}

// Blanks, marks that combine with the character before them and invisible format characters
// (the soft hyphen) are no text of their own to pdftotext.
bool Standalone(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return !QChar::isSpace(c) && category != QChar::Other_Format &&
           category != QChar::Mark_NonSpacing && category != QChar::Mark_Enclosing &&
           category != QChar::Mark_SpacingCombining;
}

QString Hex(const QString& text) {
    QStringList codes;
    for (char32_t c : text.toUcs4()) codes << QString::number(c, 16);
    return codes.join(u' ');
}

}  // namespace

class TextLayerTest : public QObject {
    Q_OBJECT
private slots:
    void characterMapsAndFontFiles();
    void pdfTextLayerNamesEveryCharacterDrawn();
};

void TextLayerTest::characterMapsAndFontFiles() {
    // Runs of consecutive glyphs, scattered glyphs and a character beyond the BMP.
    CharacterMap map{{U' ', 3},  {U'!', 4},    {U'"', 5},    {U'A', 40},     {U'B', 7},
                     {U'C', 90}, {U'月', 200}, {U'⽉', 200}, {U'\u3000', 3}, {U'\U00020B9F', 300}};
    const std::string table = MakeCharacterMapTable(map);
    QCOMPARE(ReadCharacterMap(table), map);
    QCOMPARE(ReadCharacterMap(table.substr(0, table.size() - 1)), CharacterMap{});

    // Layer 0 keeps the preferred character of each glyph; the others move up a layer.
    const TextLayers layers(map, [](char32_t c) { return c != U'⽉' && c != U' '; });
    QCOMPARE(layers.Count(), 2);
    QCOMPARE(layers.LayerOf(U'月'), 0);
    QCOMPARE(layers.LayerOf(U'⽉'), 1);
    QCOMPARE(layers.LayerOf(U'\u3000'), 0);
    QCOMPARE(layers.LayerOf(U' '), 1);
    QCOMPARE(layers.LayerOf(U'X'), 0);
    QCOMPARE(layers.Layer(1), (CharacterMap{{U' ', 3}, {U'⽉', 200}}));
    QCOMPARE(layers.Layer(0).size(), map.size() - 2);

    const std::string name = MakeNameTable(u"Family", u"Regular", u"PSName-1");
    QCOMPARE(PostScriptName(name), std::string("PSName-1"));

    // The whole file sums to the magic number once the head table's adjustment is set.
    std::string head(54, '\0');
    const std::string font = AssembleSfnt(0x00010000, {{"name", name}, {"head", head}});
    quint32 sum = 0;
    for (std::size_t i = 0; i < font.size(); i += 4)
        sum += qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(font.data()) + i);
    QCOMPARE(sum, 0xB1B0AFBAu);
    QCOMPARE(font.substr(12, 4), std::string("head"));  // tables listed by tag
}

void TextLayerTest::pdfTextLayerNamesEveryCharacterDrawn() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("layer.pdf");
    QtPrintDevice device(QStringList{}, 300);
    device.SetPdfFile(pdf.toStdString());
    device.BeginDocument();
    Canvas& canvas = device.PageCanvas();
    QString expected;
    int y = 50;
    for (const char* face : {kGothicFamily, kMinchoFamily}) {
        const std::vector<char32_t> shared = SharedGlyphCharacters(face);
        QVERIFY2(shared.size() > 500, face);
        canvas.SetFontFace(face);
        canvas.SetFontSize(10, 300);
        // Each character between two letters, so that blanks and marks stay in their place.
        for (std::size_t from = 0; from < shared.size(); from += 20, y += 50) {
            QString line;
            for (std::size_t i = from; i < std::min(from + 20, shared.size()); ++i) {
                line += QStringLiteral("a") + QString::fromUcs4(&shared[i], 1);
                if (Standalone(shared[i])) expected += QString::fromUcs4(&shared[i], 1);
            }
            canvas.TextOut({50, y}, line.toStdString());
        }
        canvas.TextOut({50, y}, "現金出納帳　月分　一日の収入と支出");
        expected += QStringLiteral("現金出納帳月分一日の収入と支出");
        y += 50;
    }
    device.EndDocument();

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    QVERIFY2(pdftotext.waitForFinished(), "pdftotext (poppler-utils) did not run");
    QString got;
    for (QChar c : QString::fromUtf8(pdftotext.readAllStandardOutput()))
        if (c != u'a' && Standalone(c.unicode())) got += c;
    // The first character that came back otherwise, with its neighbours.
    qsizetype at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
    QVERIFY2(got == expected,
             qPrintable(QStringLiteral("from %1: got \"%2\", drew \"%3\"")
                            .arg(at)
                            .arg(Hex(got.mid(at, 12)), Hex(expected.mid(at, 12)))));
}

QTEST_MAIN(TextLayerTest)
#include "text_layer_test.moc"
