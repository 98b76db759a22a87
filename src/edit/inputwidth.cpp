#include "edit/inputwidth.h"

#include <QHash>

namespace {

// Full-width letters, digits and signs (U+FF01 ... U+FF5E) and the
// full-width blank as the ASCII characters they stand for.
bool toAscii(QChar c, QChar &out)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) {
        out = QChar(char16_t(u - 0xFF01 + 0x21));
        return true;
    }
    if (u == 0x3000) {
        out = QLatin1Char(' ');
        return true;
    }
    return false;
}

// Full-width katakana (and the marks and signs that have a half-width form)
// to their half-width spelling. Built from the half-width forms themselves:
// each half-width character, alone or followed by ﾞ or ﾟ, that folds into
// one full-width character is that character's spelling.
const QHash<char16_t, QString> &halfWidthKana()
{
    static const QHash<char16_t, QString> table = [] {
        QHash<char16_t, QString> t;
        auto add = [&t](const QString &half) {
            const QString full = half.normalized(QString::NormalizationForm_KC);
            if (full.size() == 1 && !t.contains(full[0].unicode()))
                t.insert(full[0].unicode(), half);
        };
        for (char16_t h = 0xFF61; h <= 0xFF9F; ++h)
            add(QString(QChar(h)));
        for (char16_t h = 0xFF66; h <= 0xFF9D; ++h) {
            add(QString(QChar(h)) + QChar(0xFF9E));
            add(QString(QChar(h)) + QChar(0xFF9F));
        }
        // Kana without a half-width form of their own take the nearest one.
        t.insert(0x30EE, QStringLiteral("ﾜ")); // ヮ
        t.insert(0x30F0, QStringLiteral("ｲ")); // ヰ
        t.insert(0x30F1, QStringLiteral("ｴ")); // ヱ
        t.insert(0x30F5, QStringLiteral("ｶ")); // ヵ
        t.insert(0x30F6, QStringLiteral("ｹ")); // ヶ
        // The spacing sound marks.
        t.insert(0x309B, QStringLiteral("ﾞ"));
        t.insert(0x309C, QStringLiteral("ﾟ"));
        return t;
    }();
    return table;
}

void appendHalfWidthKana(QString &out, QChar c)
{
    char16_t u = c.unicode();
    // Hiragana as the katakana of the same sound (ゔ too).
    if (u >= 0x3041 && u <= 0x3096)
        u = char16_t(u + 0x60);
    const auto it = halfWidthKana().constFind(u);
    if (it != halfWidthKana().constEnd()) {
        out += it.value();
        return;
    }
    QChar ascii;
    out += toAscii(c, ascii) ? ascii : c;
}

void appendHalfWidthAscii(QString &out, QChar c)
{
    QChar ascii;
    if (toAscii(c, ascii)) {
        out += ascii;
        return;
    }
    switch (c.unicode()) {
    case 0x30FC: // ー
    case 0xFF70: // ｰ
    case 0x2010: // ‐
    case 0x2011: // ‑
    case 0x2212: // −
        out += QLatin1Char('-');
        return;
    default:
        out += c;
    }
}

} // namespace

QString toInputWidth(const QString &text, InputWidth width)
{
    if (width == InputWidth::AsTyped)
        return text;
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (width == InputWidth::HalfWidthKana)
            appendHalfWidthKana(out, c);
        else
            appendHalfWidthAscii(out, c);
    }
    return out;
}
