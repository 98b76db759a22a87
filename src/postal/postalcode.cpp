#include "postal/postalcode.h"

namespace PostalCodes {

namespace {

// The dashes people type between the two parts of a code: the hyphen-minus
// (also NFKC's form of "－"), the hyphen, the minus sign and the long-vowel
// mark an input method gives for "-".
bool isDash(QChar c)
{
    switch (c.unicode()) {
    case u'-':
    case 0x2010:
    case 0x2011:
    case 0x2212:
    case 0x30FC:
        return true;
    default:
        return false;
    }
}

} // namespace

int parse(const QString &text)
{
    const QString code = text.normalized(QString::NormalizationForm_KC).trimmed();
    int value = 0;
    int digits = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c >= u'0' && c <= u'9') {
            // A text book holds whatever was typed: an eighth digit already
            // makes it no code, before the number could outgrow an int.
            if (++digits > 7)
                return -1;
            value = value * 10 + (c.unicode() - u'0');
        } else if (!(isDash(c) && i == 3 && digits == 3 && code.size() == 8)) {
            return -1;
        }
    }
    return digits == 7 ? value : -1;
}

QString format(int code)
{
    const QString digits = QStringLiteral("%1").arg(code, 7, 10, QLatin1Char('0'));
    return digits.left(3) + QLatin1Char('-') + digits.mid(3);
}

QString foldAddress(const QString &text)
{
    const QString normal = text.normalized(QString::NormalizationForm_KC);
    QString folded;
    folded.reserve(normal.size());
    for (const QChar c : normal) {
        if (c.isSpace())
            continue;
        if (c == u'ヶ')
            folded += u'ケ';
        else if (c == u'ヵ')
            folded += u'カ';
        else
            folded += c;
    }
    return folded;
}

} // namespace PostalCodes
