#pragma once
// Delimited text as other programs write it (RFC 4180): fields separated by
// a comma, a semicolon or a tab; a field in double quotes may hold the
// delimiter, line breaks and doubled quotes; records end with CR LF, LF or CR.
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

struct CsvRows {
    QList<QStringList> rows;
    // Set when a quoted field is never closed: the file is not read at all,
    // since everything after the quote would run together into one value.
    bool unclosedQuote = false;
    int unclosedLine = 0; // 1-based line on which that quote opened
};

namespace Csv {

// Splits the whole text (or its first `maxRows` records). Line breaks inside
// quoted values are kept as they are. A quote inside an unquoted field is an
// ordinary character; characters after a closing quote belong to the field.
CsvRows parse(const QString &text, QChar delimiter, int maxRows = -1);

// The delimiter the first lines are written with: the one of comma, tab and
// semicolon that gives the first record more than one field and the most
// records of that same width. A null QChar when no record has more than one
// field under any of them.
QChar detectDelimiter(const QString &text);

// "コンマ", "セミコロン", "タブ".
QString delimiterName(QChar delimiter);

// One field for a file other programs read: in double quotes (inner quotes
// doubled) when it holds the delimiter, a quote, a line break, or blanks at
// either end; otherwise as it is.
QString quote(const QString &value, QChar delimiter);

} // namespace Csv
