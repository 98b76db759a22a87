#pragma once
// The glyphs a font has for vertical text, found by HarfBuzz: a character
// shaped top to bottom with the OpenType features vert and vrt2, as
// vertical Japanese text is set. The font tables come from Qt's QRawFont,
// so the glyph is the one of the very font that prints, and no font file
// path is needed.
//
// Results are kept per font face and character for the life of the
// program (cards repeat the same few characters thousands of times).
// Everything runs on the user-interface thread.
#include <QRawFont>
#include <QString>

namespace VerticalGlyphs {

struct Glyphs {
    quint32 Horizontal = 0; // the glyph horizontal text draws (0: the font has none)
    quint32 Vertical = 0;   // the vertical form; equal to Horizontal when the font has none
    bool hasVerticalForm() const { return Vertical != Horizontal; }
};

// The glyphs of `character` (one character, a surrogate pair kept whole) in
// `font`. An invalid font gives zeros.
Glyphs of(const QRawFont &font, const QString &character);

} // namespace VerticalGlyphs
