#pragma once
// Blanks are the half-width blank (0x20) only: a full-width blank or a tab is
// part of the value and is never trimmed away.
#include <QByteArray>
#include <QString>

inline QString trimRightBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

inline QString trimLeftBlanks(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

inline QString trimBlanks(const QString &text)
{
    return trimLeftBlanks(trimRightBlanks(text));
}

// The same for the CP932 bytes of a value: a blank byte is never the second
// half of a double-byte character, so trimming bytes and trimming the text
// they read as take off the same blanks.
inline QByteArray trimRightBlanks(const QByteArray &bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == ' ')
        --end;
    return bytes.left(end);
}

inline QByteArray trimLeftBlanks(const QByteArray &bytes)
{
    qsizetype start = 0;
    while (start < bytes.size() && bytes[start] == ' ')
        ++start;
    return bytes.mid(start);
}

inline QByteArray trimBlanks(const QByteArray &bytes)
{
    return trimLeftBlanks(trimRightBlanks(bytes));
}
