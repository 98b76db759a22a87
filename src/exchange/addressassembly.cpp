#include "exchange/addressassembly.h"

#include "exchange/nameassembly.h"
#include "store/addressrecord.h"

#include "platform/codec.h"

namespace AddressAssembly {

namespace {

bool isJapaneseScript(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF)    // ideographic punctuation, kana
        || (u >= 0x3400 && u <= 0x9FFF)    // kanji
        || (u >= 0xF900 && u <= 0xFAFF)    // compatibility kanji
        || (u >= 0xFF00 && u <= 0xFFEF)    // full-width forms, half-width kana
        || c.isSurrogate();                // kanji beyond the basic plane
}

QString joinedWith(const QStringList &parts, const QString &separator)
{
    QStringList filled;
    for (const QString &p : parts)
        if (!p.trimmed().isEmpty())
            filled << p; // a blank the user put before a part stays, as in any value
    return filled.join(separator);
}

} // namespace

bool isWestern(const QStringList &texts)
{
    bool latin = false;
    for (const QString &text : texts) {
        for (const QChar c : text)
            if (isJapaneseScript(c))
                return false;
        latin = latin || NameAssembly::hasLatinLetter(text);
    }
    return latin;
}

QStringList splitAt(const QString &text, int width)
{
    qsizetype length = 0;
    int bytes = 0;
    while (length < text.size()) {
        const qsizetype step = text[length].isHighSurrogate() && length + 1 < text.size() ? 2 : 1;
        const int size = Cp932::byteLength(text.mid(length, step));
        if (bytes + size > width)
            break;
        bytes += size;
        length += step;
    }
    return {text.left(length), text.mid(length)};
}

AddressParts withExtraAsStreet(AddressParts p)
{
    if (!p.street.isEmpty() || !p.locality.isEmpty() || !p.region.isEmpty())
        return p;
    const bool western = isWestern({p.poBox, p.extended, p.country});
    const QString text = western ? joinedWith({p.poBox, p.extended}, QStringLiteral(", ")) : p.poBox + p.extended;
    if (text.isEmpty())
        return p;
    const QStringList split = splitAt(text, RecordLayout::Width[Address1]);
    p.poBox.clear();
    p.street = split[0];
    p.extended = western ? split[1].trimmed() : split[1];
    return p;
}

AddressLines assemble(const AddressParts &p)
{
    AddressLines lines;
    lines.postalCode = p.postalCode;
    // The country is left out of the decision: "日本" after a street in
    // Latin letters does not make the address Japanese.
    if (isWestern({p.poBox, p.extended, p.street, p.locality, p.region})) {
        lines.address1 = joinedWith({p.poBox, p.street, p.locality, p.region, p.country}, QStringLiteral(", "));
        lines.address2 = p.extended;
    } else {
        lines.address1 = p.region + p.locality + p.street + p.poBox;
        lines.address2 = p.extended;
    }
    return lines;
}

} // namespace AddressAssembly
