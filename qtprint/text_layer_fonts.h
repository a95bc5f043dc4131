#pragma once
// The fonts printed text is drawn with, so that the text layer of a PDF holds the characters
// that were drawn.
//
// Qt's PDF writer maps each glyph of a font back to the lowest code point the font's
// character map gives that glyph. IPAex gives one glyph to "月" and to the Kangxi radical
// "⽉" (U+2F49), to "　" (U+3000) and the em space, to "‐" and "-": searching a printed PDF
// for "月" found nothing. A printed face is therefore replaced by copies of it whose
// character maps are the layers of TextLayers (each glyph reached from one character per
// copy), registered with Qt under names of their own; a text is drawn in runs, each run in
// the copy that holds its characters. The glyphs, and so the ink, are the face's own.
#include <QFont>
#include <QRawFont>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "qtprint/sfnt_tables.h"

namespace velmora::gui {

class TextLayerFace {
public:
    // The face a font prints with, its layer copies made when first asked for; nullptr
    // when its character map cannot be read (the font then prints as it is).
    static const TextLayerFace* Of(const QFont& font);

    struct Run {
        QString text;
        int layer = 0;
    };
    // The text cut where the layer of its characters changes.
    std::vector<Run> Runs(const QString& text) const;
    // The font drawing the characters of a layer: font in the layer's copy of the face.
    // When the copy cannot be registered, the font as it is.
    QFont LayerFont(const QFont& font, int layer) const;

    explicit TextLayerFace(QRawFont raw);

private:
    QString RegisterLayer(int layer) const;

    QRawFont raw_;
    TextLayers layers_;
    int serial_;
    // By layer: nullopt until registered, empty when registering failed.
    mutable std::vector<std::optional<QString>> families_;
};

}  // namespace velmora::gui
