#pragma once
// How each character of a vertical line is drawn: the one table that decides
// which characters vertical Japanese text draws differently from horizontal
// text. Nothing here needs a font or a window; the printer finds the glyphs.
//
// - AsIs: the character's own glyph at its own place (kanji, kana, digits,
//   half-width characters, and ｜, which the composition puts in place of ー
//   and － precisely so that it stands upright: the fonts' vertical form of ｜
//   is a horizontal bar).
// - VerticalForm: the font's vertical glyph where the font has one (small
//   kana and 、。 move to the upper right of their cell), else as is: a small
//   kana turned on its side would read worse than one in the wrong corner.
// - VerticalOrTurned: characters that vertical text turns with the column
//   (ー, 〜, brackets, ＝, …, —, hyphens and minus): the font's vertical glyph,
//   or, where the font has none, the glyph turned a quarter clockwise.
#include "platform/printerdevice.h"

#include <QString>
#include <QStringList>

namespace VerticalForms {

using Treatment = PrinterDevice::CellForm;

// The treatment of one character (a code point).
Treatment treatmentOf(char32_t character);
// The treatment of one cell as cellsOf gives it.
Treatment treatmentOf(const QString &cell);

// The cells of a vertical line, first to last: one character each, a
// character outside the basic plane kept whole.
QStringList cellsOf(const QString &text);

} // namespace VerticalForms
