#pragma once
// The runs of the exchange with other programs, without their windows.
//
// Import: the records go into the open book, all or none (AppendRecords), or,
// with no book open, into a new fixed-length book "KANOTE01.KNO" ...
// "KANOTE99.KNO" (the first free name in the current folder), written
// completely beside it and renamed into place, which then becomes the open
// book.
//
// Export: the open book as a UTF-8 CSV file (byte-order mark, a line of the
// record's field labels, CR LF) or as vCard 3.0, written completely into
// "temp.ads" beside the target and renamed over it. The reading is written
// whole (one ﾌﾘｶﾞﾅ column; X-PHONETIC-LAST-NAME), so that an import of the
// file gives the same records.
#include "exchange/exchangetable.h"

#include <QByteArray>
#include <QList>
#include <QString>

class DataModule;

enum class ExportFormat { Csv, VCard };

namespace ExchangeRun {

// Empty when `count` records fit: into the open book, or into a new
// fixed-length book when `newBook`. Otherwise the refusal to show.
QString limitText(const DataModule &dm, int count, bool newBook);

// Appends the records to the open book (throws RunError; nothing is then written).
void appendToBook(DataModule &dm, const QList<FieldValues> &records);
// Writes the records as the new fixed-length book `name` in the current
// folder and opens it (CurrentFileName, DataFormat, RecordCount, FileDate).
// Throws RunError; no book is then made.
void createBook(DataModule &dm, const QString &name, const QList<FieldValues> &records);

// The field labels of the record: 名前, ﾌﾘｶﾞﾅ, 郵便番号, 住所１, 住所２,
// 電話番号, 勤務先, 役職, 勤務先ＴＥＬ, マーク.
QStringList fieldLabels();
// Every record of the open book, as RecordToFields / ParseLine give it.
QList<FieldValues> bookRecords(DataModule &dm);
QByteArray csvBytes(const QList<FieldValues> &records);
QByteArray vcardBytes(const QList<FieldValues> &records);
// Where an export goes and in which format, from the name the user typed and
// the file type selected in the save dialog: a name ending in ".vcf" writes
// vCard and one ending in ".csv" writes CSV (any case), whatever the type
// selected; any other name gets the selected type's extension added.
struct ExportTarget {
    QString path;
    ExportFormat format;
};
ExportTarget exportTarget(const QString &typed, ExportFormat selected);
// Writes the open book to `path` in `format`, replacing the file.
void exportBook(DataModule &dm, const QString &path, ExportFormat format);

} // namespace ExchangeRun
