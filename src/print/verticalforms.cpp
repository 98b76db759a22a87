#include "print/verticalforms.h"

#include <algorithm>
#include <array>

namespace VerticalForms {

namespace {

struct Entry {
    char32_t character;
    Treatment treatment;
};

constexpr Treatment Form = Treatment::VerticalForm;
constexpr Treatment Turn = Treatment::VerticalOrTurned;

// Sorted by code point (checked by the tests through treatmentOf).
constexpr std::array Table = {
    Entry{0x2010, Turn}, // ‐ hyphen
    Entry{0x2014, Turn}, // — em dash
    Entry{0x2015, Turn}, // ― horizontal bar
    Entry{0x2025, Turn}, // ‥
    Entry{0x2026, Turn}, // …
    Entry{0x2212, Turn}, // − minus sign
    Entry{0x3001, Form}, // 、
    Entry{0x3002, Form}, // 。
    Entry{0x3008, Turn}, // 〈
    Entry{0x3009, Turn}, // 〉
    Entry{0x300A, Turn}, // 《
    Entry{0x300B, Turn}, // 》
    Entry{0x300C, Turn}, // 「
    Entry{0x300D, Turn}, // 」
    Entry{0x300E, Turn}, // 『
    Entry{0x300F, Turn}, // 』
    Entry{0x3010, Turn}, // 【
    Entry{0x3011, Turn}, // 】
    Entry{0x3014, Turn}, // 〔
    Entry{0x3015, Turn}, // 〕
    Entry{0x301C, Turn}, // 〜 wave dash
    Entry{0x3041, Form}, // ぁ
    Entry{0x3043, Form}, // ぃ
    Entry{0x3045, Form}, // ぅ
    Entry{0x3047, Form}, // ぇ
    Entry{0x3049, Form}, // ぉ
    Entry{0x3063, Form}, // っ
    Entry{0x3083, Form}, // ゃ
    Entry{0x3085, Form}, // ゅ
    Entry{0x3087, Form}, // ょ
    Entry{0x308E, Form}, // ゎ
    Entry{0x3095, Form}, // ゕ
    Entry{0x3096, Form}, // ゖ
    Entry{0x30A1, Form}, // ァ
    Entry{0x30A3, Form}, // ィ
    Entry{0x30A5, Form}, // ゥ
    Entry{0x30A7, Form}, // ェ
    Entry{0x30A9, Form}, // ォ
    Entry{0x30C3, Form}, // ッ
    Entry{0x30E3, Form}, // ャ
    Entry{0x30E5, Form}, // ュ
    Entry{0x30E7, Form}, // ョ
    Entry{0x30EE, Form}, // ヮ
    Entry{0x30F5, Form}, // ヵ
    Entry{0x30F6, Form}, // ヶ
    Entry{0x30FC, Turn}, // ー long vowel mark
    Entry{0xFF08, Turn}, // （
    Entry{0xFF09, Turn}, // ）
    Entry{0xFF0C, Form}, // ，
    Entry{0xFF0D, Turn}, // － full-width hyphen-minus
    Entry{0xFF0E, Form}, // ．
    Entry{0xFF1D, Turn}, // ＝
    Entry{0xFF3B, Turn}, // ［
    Entry{0xFF3D, Turn}, // ］
    Entry{0xFF5B, Turn}, // ｛
    Entry{0xFF5D, Turn}, // ｝
    Entry{0xFF5E, Turn}, // ～ full-width tilde
};

static_assert(std::is_sorted(Table.begin(), Table.end(),
                             [](const Entry &a, const Entry &b) { return a.character < b.character; }));

} // namespace

Treatment treatmentOf(char32_t character)
{
    // The small katakana of the phonetic extensions (ㇰ ... ㇿ).
    if (character >= 0x31F0 && character <= 0x31FF)
        return Form;
    const auto it = std::lower_bound(Table.begin(), Table.end(), character,
                                     [](const Entry &e, char32_t c) { return e.character < c; });
    return it != Table.end() && it->character == character ? it->treatment : Treatment::AsIs;
}

Treatment treatmentOf(const QString &cell)
{
    if (cell.isEmpty())
        return Treatment::AsIs;
    const char32_t c = cell.size() > 1 && cell[0].isHighSurrogate()
        ? QChar::surrogateToUcs4(cell[0], cell[1])
        : cell[0].unicode();
    return treatmentOf(c);
}

QStringList cellsOf(const QString &text)
{
    QStringList out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        out.append(text.mid(i, n));
        i += n - 1;
    }
    return out;
}

} // namespace VerticalForms
