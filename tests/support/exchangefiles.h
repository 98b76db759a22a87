#pragma once
// Files in the shapes other programs write, for the tests of the import:
// lines joined with CR LF, QUOTED-PRINTABLE with soft line breaks, folded
// vCard lines, and an import of such a file into a new book whose bytes the
// test compares. Header-only: only the tests of the exchange use it.
#include "support/testenv.h"

#include "convert/conversion.h"
#include "exchange/csvtext.h"
#include "exchange/exchangerun.h"
#include "exchange/importplan.h"
#include "exchange/importsource.h"

#include <QFile>
#include <QMap>
#include <QStringList>

namespace ExchangeFiles {

// Lines joined with CR LF, a line end after the last one too.
inline QString crlf(const QStringList &lines) { return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

// Bytes as QUOTED-PRINTABLE: everything but printable ASCII as =XX, with a
// soft line break after every `width` characters.
inline QByteArray qp(const QByteArray &bytes, int width = 30)
{
    QByteArray out;
    int column = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        const QByteArray piece = (u >= 0x21 && u <= 0x7E && u != '=')
            ? QByteArray(1, c) : "=" + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        if (column + piece.size() > width) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += static_cast<int>(piece.size());
    }
    return out;
}

// Folds a vCard line every `width` bytes, through multi-byte characters too.
inline QByteArray foldBytes(const QByteArray &line, int width = 20)
{
    QByteArray out;
    for (qsizetype i = 0; i < line.size(); i += width) {
        if (i > 0)
            out += "\r\n ";
        out += line.mid(i, width);
    }
    return out + "\r\n";
}

// Imports the file into a new book; its bytes, or "refused: " and the message.
inline QByteArray importedBook(TestEnv &env, const QString &name, const QByteArray &bytes,
                               QString *description = nullptr, int *skipped = nullptr)
{
    env.writeFile(name, bytes);
    ImportSource source;
    QString message;
    if (!LoadImportSource(env.path(name), source, message))
        return "refused: " + message.toUtf8();
    if (description)
        *description = source.description();
    const ImportPlan plan(source);
    if (skipped)
        *skipped = plan.skippedRows();
    const QString book = Conversion::NewFileName();
    ExchangeRun::createBook(*env.dm, book, plan.records());
    env.dm->CloseData();
    QFile::remove(env.path(name));
    return env.readFile(book);
}

// One CSV line of a program's table: `values` under their column names,
// every other column empty, each value quoted when it needs it.
inline QString csvLine(const QStringList &header, const QMap<QString, QString> &values, QChar d = QLatin1Char(','))
{
    QStringList cells;
    for (const QString &name : header)
        cells << Csv::quote(values.value(name), d);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (!header.contains(it.key()))
            qWarning("no column %s", qPrintable(it.key()));
    return cells.join(d);
}

inline QString csvHeader(const QStringList &header, QChar d = QLatin1Char(','))
{
    return header.join(d);
}

} // namespace ExchangeFiles
