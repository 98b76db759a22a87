#pragma once
// A file of another program, read for an import: whether it is a CSV or a
// vCard file, how it is written (character set, delimiter, a first line of
// column names), and the table it holds. Files that are neither, or hold
// nothing, are refused with a message before anything else happens.
#include "exchange/exchangetable.h"
#include "exchange/textencoding.h"

#include <QChar>
#include <QString>

enum class SourceKind { Csv, VCard };

struct ImportSource {
    SourceKind kind = SourceKind::Csv;
    QString fileName; // without folder, for messages
    TextEncoding encoding = TextEncoding::Utf8;
    QString charsetName;
    // CSV
    QChar delimiter;
    QList<QStringList> lines;       // every record of the file, the first line included
    bool firstLineIsHeader = false; // as recognised from the names in it
    // vCard
    QStringList versions;
    ExchangeTable cards;

    // "CSV（コンマ区切り、UTF-8）", "vCard 3.0（UTF-8）".
    QString description() const;
    // The table; for a CSV file the first line read as column names or, when
    // `header` is false, as a record (the columns then in standard order).
    ExchangeTable table(bool header) const;
};

// Reads the file at `path` into `source`. False, with the message to show in
// `message`, for a file that cannot be read, is empty, is neither CSV nor
// vCard, has a quote that is never closed, or whose characters are not
// UTF-8 or CP932.
bool LoadImportSource(const QString &path, ImportSource &source, QString &message);
