#pragma once
// What a box's input-method mode would have made of typed or pasted text.
// The platform cannot switch the input method per box, so the boxes turn
// what comes in into the characters the mode would have given:
//   HalfWidthKana  (the ﾌﾘｶﾞﾅ box): hiragana and full-width katakana become
//                  half-width katakana (ﾞ and ﾟ as characters of their own,
//                  ー as ｰ, 。「」、・ as ｡｢｣､･), full-width letters, digits,
//                  signs and blanks half-width;
//   HalfWidthAscii (the boxes whose input method is off: 郵便番号, 電話番号,
//                  勤務先℡): full-width letters, digits, signs and blanks
//                  become half-width, and the long-vowel mark and the
//                  hyphens (ー ‐ ‑ − ｰ) become "-".
// Everything else is kept as it is; text already half-width never changes.
#include <QString>

enum class InputWidth { AsTyped, HalfWidthKana, HalfWidthAscii };

QString toInputWidth(const QString &text, InputWidth width);
