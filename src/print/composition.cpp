#include "print/composition.h"

#include "store/blanks.h"

namespace {

const QChar Slash(0xFF0F); // "／"

bool isDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= QChar(0xFF10) && c <= QChar(0xFF19));
}

// Every character followed by the spacing character; an empty text gives
// the spacing character alone.
QString spaced(const QString &text, const QString &spacing)
{
    if (text.isEmpty())
        return spacing;
    QString out;
    out.reserve(text.size() * (1 + spacing.size()));
    for (const QChar c : text) {
        out += c;
        out += spacing;
    }
    return out;
}

// Name line 2, from the part after the slash.
QString secondNameLine(const QString &part, int firstLength, const CompositionChoices &c)
{
    const QString &sp = c.Spacing;
    const QString &h = c.Honorific;
    if (c.DebugMode && firstLength < part.size())
        return part.mid(0, 1) + sp + part.mid(1, 1) + sp + part.mid(2) + sp + h;
    if (h.size() + part.size() <= 10)
        return spaced(part, sp) + h;
    return part + sp + h;
}

QString firstNameLine(const QString &part, const CompositionChoices &c)
{
    const QString &sp = c.Spacing;
    const QString &h = c.Honorific;
    if (part.size() + h.size() <= 10) {
        if (c.DebugMode && part.size() > 5)
            return part.left(3) + sp + part.mid(3) + sp + h;
        return spaced(part, sp) + h;
    }
    return part + sp + h;
}

} // namespace

QString ToKanjiNumerals(const QString &text, int direction, bool kanjiDigitsOff)
{
    if (direction != 0 || kanjiDigitsOff)
        return text;
    static const QString Numerals = QStringLiteral("〇一二三四五六七八九");
    QString out = text;
    for (QChar &c : out) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = Numerals[c.unicode() - 0xFF10];
        else if (c == QChar(0x30FC) || c == QChar(0xFF0D))
            c = QChar(0xFF5C);
    }
    return out;
}

std::array<QString, 8> PostalDigitsOf(const QString &postalCode)
{
    std::array<QString, 8> digits;
    // Character 4 is the separator, unless the code was written without one.
    const bool separated = postalCode.size() < 4 || !isDigit(postalCode[3]);
    for (int k = 1; k <= 7; ++k) {
        const int position = (k <= 3 || !separated) ? k : k + 1; // 1-based
        digits[k] = postalCode.mid(position - 1, 1);
    }
    return digits;
}

AddresseeTexts ComposeAddresseeTexts(const CardFields &fields, const CompositionChoices &choices)
{
    AddresseeTexts out;
    out.Digits = PostalDigitsOf(fields.PostalCode);
    out.Address1 = ToKanjiNumerals(trimRightBlanks(fields.Address1), choices.Direction, choices.KanjiDigitsOff);
    out.Address2 = ToKanjiNumerals(trimRightBlanks(fields.Address2), choices.Direction, choices.KanjiDigitsOff);

    QString first = fields.Name;
    const qsizetype slash = fields.Name.indexOf(Slash);
    if (slash >= 0) {
        first = fields.Name.left(slash);
        const QString second = trimRightBlanks(fields.Name.mid(slash + 1));
        out.Name2 = secondNameLine(second, int(first.size()), choices);
        first = trimRightBlanks(first);
    }
    out.Name1 = firstNameLine(first, choices);
    return out;
}

SenderTexts ComposeSenderTexts(const CardFields &fields, const CompositionChoices &choices)
{
    SenderTexts out;
    out.Address1 = ToKanjiNumerals(trimBlanks(fields.Address1), choices.Direction, choices.KanjiDigitsOff);
    out.Address2 = ToKanjiNumerals(trimBlanks(fields.Address2), choices.Direction, choices.KanjiDigitsOff);

    const std::array<QString, 8> digits = PostalDigitsOf(fields.PostalCode);
    QString postal;
    for (int k = 1; k <= 7; ++k)
        postal += digits[k] + QLatin1Char(' ');
    out.PostalCode = trimRightBlanks(postal);

    const qsizetype slash = fields.Name.indexOf(Slash);
    if (slash >= 0) {
        out.Name1 = fields.Name.left(slash);
        // Up to character 28 of the name.
        out.Name2 = trimRightBlanks(fields.Name.mid(slash + 1, qMax<qsizetype>(0, 27 - slash)));
    } else {
        out.Name1 = fields.Name;
    }
    return out;
}
