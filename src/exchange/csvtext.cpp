#include "exchange/csvtext.h"

#include <array>

namespace Csv {

CsvRows parse(const QString &text, QChar delimiter, int maxRows)
{
    CsvRows out;
    const QChar quoteMark = QLatin1Char('"');
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n && (maxRows < 0 || out.rows.size() < maxRows)) {
        QStringList row;
        QString field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            // One field.
            field.clear();
            if (i < n && text[i] == quoteMark) {
                const int openedOn = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text[i];
                    if (c == quoteMark) {
                        if (i + 1 < n && text[i + 1] == quoteMark) {
                            field += quoteMark;
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && !(i + 1 < n && text[i + 1] == QLatin1Char('\n'))))
                        ++line;
                    field += c;
                    ++i;
                }
                if (!closed) {
                    out.unclosedQuote = true;
                    out.unclosedLine = openedOn;
                    return out;
                }
            }
            // The unquoted rest of the field (or all of it).
            while (i < n) {
                const QChar c = text[i];
                if (c == delimiter || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                    break;
                field += c;
                ++i;
            }
            row << field;
            if (i >= n) {
                endOfRecord = true;
            } else if (text[i] == delimiter) {
                ++i;
            } else {
                // CR LF, LF or CR ends the record.
                if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                    ++i;
                ++i;
                ++line;
                endOfRecord = true;
            }
        }
        out.rows << row;
    }
    return out;
}

QChar detectDelimiter(const QString &text)
{
    // A sample of the first records is enough to tell.
    constexpr int SampleRows = 50;
    const std::array<QChar, 3> candidates = {QLatin1Char(','), QLatin1Char('\t'), QLatin1Char(';')};
    QChar best;
    qint64 bestScore = 0;
    for (const QChar d : candidates) {
        const CsvRows sample = parse(text, d, SampleRows);
        if (sample.rows.isEmpty())
            continue;
        // The width of the first record that is not blank.
        qsizetype width = 0;
        int same = 0;
        for (const QStringList &row : sample.rows) {
            if (row.size() == 1 && row.first().isEmpty())
                continue;
            if (width == 0)
                width = row.size();
            if (row.size() == width)
                ++same;
        }
        if (width < 2)
            continue;
        const qint64 score = qint64(same) * 1000 + width;
        if (score > bestScore) {
            bestScore = score;
            best = d;
        }
    }
    return best;
}

QString delimiterName(QChar delimiter)
{
    if (delimiter == QLatin1Char(','))
        return QStringLiteral("コンマ");
    if (delimiter == QLatin1Char(';'))
        return QStringLiteral("セミコロン");
    if (delimiter == QLatin1Char('\t'))
        return QStringLiteral("タブ");
    return QString();
}

QString quote(const QString &value, QChar delimiter)
{
    const QChar quoteMark = QLatin1Char('"');
    const bool needs = value.contains(delimiter) || value.contains(quoteMark)
        || value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n'))
        || value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '));
    if (!needs)
        return value;
    QString inner = value;
    inner.replace(quoteMark, QStringLiteral("\"\""));
    return quoteMark + inner + quoteMark;
}

} // namespace Csv
