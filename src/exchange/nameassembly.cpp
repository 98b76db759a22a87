#include "exchange/nameassembly.h"

#include <QStringList>

namespace NameAssembly {

bool hasLatinLetter(const QString &text)
{
    for (const QChar c : text)
        if (c.isLetter() && c.script() == QChar::Script_Latin)
            return true;
    return false;
}

bool isLatin(const NameParts &parts)
{
    if (!parts.family.isEmpty())
        return hasLatinLetter(parts.family);
    return hasLatinLetter(parts.given);
}

QString join(const NameParts &parts)
{
    if (parts.family.isEmpty() && parts.given.isEmpty())
        return parts.display;
    if (!isLatin(parts))
        return parts.family + parts.given;
    if (!parts.display.isEmpty())
        return parts.display;
    QStringList words;
    for (const QString *part : {&parts.prefix, &parts.given, &parts.middle, &parts.family, &parts.suffix})
        if (!part->trimmed().isEmpty())
            words << part->trimmed();
    return words.join(QLatin1Char(' '));
}

QString sortAsReading(const QString &sortAs)
{
    QString reading;
    reading.reserve(sortAs.size());
    for (const QChar c : sortAs)
        if (c != QLatin1Char(',') && c != QLatin1Char(';') && c != QLatin1Char('\\'))
            reading += c;
    return reading;
}

} // namespace NameAssembly
