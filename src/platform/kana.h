#pragma once
// Readings (ﾌﾘｶﾞﾅ) are kept in half-width katakana: one byte a character, so a
// reading of 16 kana fills its 16-byte field. This turns whatever kana a
// reading arrives in into that form.
#include <QString>

namespace Kana {

// Hiragana and full-width katakana become half-width katakana; a voiced or
// semi-voiced kana becomes its base kana followed by the half-width voicing
// mark (ガ → ｶﾞ, ぱ → ﾊﾟ, ヴ → ｳﾞ), also when the mark arrives as a separate
// combining character. Kana without a half-width form take the nearest one
// (ヰ → ｲ, ヱ → ｴ, ヮ → ﾜ, ヵ → ｶ, ヶ → ｹ). The long-vowel mark, the middle
// dot, the ideographic comma, full stop and corner brackets, the ideographic
// blank and the full-width forms of ASCII become their half-width forms.
// Everything else (kanji, half-width text) is returned unchanged, so the
// conversion of a converted text changes nothing.
QString toHalfWidthKatakana(const QString &text);

} // namespace Kana
