#pragma once
// Blanks are the half-width blank (0x20) only: a full-width blank or a tab is
// part of the value and is never trimmed away.
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
