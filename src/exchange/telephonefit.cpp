#include "exchange/telephonefit.h"

#include "store/addressrecord.h"

#include "platform/codec.h"

namespace TelephoneFit {

bool isSeparator(QChar c)
{
    switch (c.unicode()) {
    case u' ': case 0x3000:                       // blanks
    case u'-': case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2212:
    case 0xFF0D: case 0x30FC: case 0xFF70:        // hyphens, dashes, minus, the long-vowel mark typed for "-"
    case u'(': case u')': case 0xFF08: case 0xFF09:
    case u'.': case 0xFF0E: case 0x30FB: case 0xFF65:
    case u'/': case 0xFF0F:
        return true;
    default:
        return false;
    }
}

QString fitted(const QString &number, int width)
{
    if (Cp932::byteLength(number) <= width)
        return number;
    QString bare;
    bare.reserve(number.size());
    for (const QChar c : number)
        if (!isSeparator(c))
            bare += c;
    return bare;
}

FieldValues withNumbersFitted(FieldValues values)
{
    for (const int f : {Phone, CompanyPhone})
        values[f] = fitted(values[f], RecordLayout::Width[f]);
    return values;
}

} // namespace TelephoneFit
