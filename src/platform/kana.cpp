#include "platform/kana.h"

namespace {

// Half-width forms of the full-width katakana U+30A1 ... U+30FC, in code order.
const char16_t *const KatakanaHalfWidth[] = {
    u"ｧ", u"ｱ", u"ｨ", u"ｲ", u"ｩ", u"ｳ", u"ｪ", u"ｴ", u"ｫ", u"ｵ",             // ァ ... オ
    u"ｶ", u"ｶﾞ", u"ｷ", u"ｷﾞ", u"ｸ", u"ｸﾞ", u"ｹ", u"ｹﾞ", u"ｺ", u"ｺﾞ",      // カ ... ゴ
    u"ｻ", u"ｻﾞ", u"ｼ", u"ｼﾞ", u"ｽ", u"ｽﾞ", u"ｾ", u"ｾﾞ", u"ｿ", u"ｿﾞ",      // サ ... ゾ
    u"ﾀ", u"ﾀﾞ", u"ﾁ", u"ﾁﾞ", u"ｯ", u"ﾂ", u"ﾂﾞ", u"ﾃ", u"ﾃﾞ", u"ﾄ", u"ﾄﾞ", // タ ... ド
    u"ﾅ", u"ﾆ", u"ﾇ", u"ﾈ", u"ﾉ",                                            // ナ ... ノ
    u"ﾊ", u"ﾊﾞ", u"ﾊﾟ", u"ﾋ", u"ﾋﾞ", u"ﾋﾟ", u"ﾌ", u"ﾌﾞ", u"ﾌﾟ",            // ハ ... プ
    u"ﾍ", u"ﾍﾞ", u"ﾍﾟ", u"ﾎ", u"ﾎﾞ", u"ﾎﾟ",                                  // ヘ ... ポ
    u"ﾏ", u"ﾐ", u"ﾑ", u"ﾒ", u"ﾓ",                                            // マ ... モ
    u"ｬ", u"ﾔ", u"ｭ", u"ﾕ", u"ｮ", u"ﾖ",                                      // ャ ... ヨ
    u"ﾗ", u"ﾘ", u"ﾙ", u"ﾚ", u"ﾛ",                                            // ラ ... ロ
    u"ﾜ", u"ﾜ", u"ｲ", u"ｴ", u"ｦ", u"ﾝ",                                      // ヮ ワ ヰ ヱ ヲ ン
    u"ｳﾞ", u"ｶ", u"ｹ",                                                       // ヴ ヵ ヶ
    u"ﾜﾞ", u"ｲﾞ", u"ｴﾞ", u"ｦﾞ",                                              // ヷ ヸ ヹ ヺ
    u"･", u"ｰ",                                                              // ・ ー
};
constexpr char16_t FirstKatakana = 0x30A1;
constexpr char16_t LastKatakana = 0x30FC;
static_assert(sizeof(KatakanaHalfWidth) / sizeof(KatakanaHalfWidth[0]) == LastKatakana - FirstKatakana + 1);

// Hiragana U+3041 ... U+3096 sit 0x60 below their katakana.
constexpr char16_t FirstHiragana = 0x3041;
constexpr char16_t LastHiragana = 0x3096;
constexpr char16_t HiraganaToKatakana = 0x60;

const char16_t *halfWidthOf(char16_t c)
{
    switch (c) {
    case 0x3000: return u" ";  // ideographic blank
    case 0x3001: return u"､";
    case 0x3002: return u"｡";
    case 0x300C: return u"｢";
    case 0x300D: return u"｣";
    case 0x3099: return u"ﾞ"; // combining voicing marks
    case 0x309A: return u"ﾟ";
    case 0x309B: return u"ﾞ"; // spacing voicing marks
    case 0x309C: return u"ﾟ";
    default: break;
    }
    return nullptr;
}

} // namespace

namespace Kana {

QString toHalfWidthKatakana(const QString &text)
{
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar ch : text) {
        char16_t c = ch.unicode();
        if (c >= FirstHiragana && c <= LastHiragana)
            c = static_cast<char16_t>(c + HiraganaToKatakana);
        if (c >= FirstKatakana && c <= LastKatakana) {
            out += QString::fromUtf16(KatakanaHalfWidth[c - FirstKatakana]);
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            out += QChar(static_cast<char16_t>(c - 0xFF01 + 0x21)); // full-width ASCII
        } else if (const char16_t *half = halfWidthOf(c)) {
            out += QString::fromUtf16(half);
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace Kana
