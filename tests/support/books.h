#pragma once
// The one way tests build address books, in CP932 as the program writes
// them: fixed-length records and books from rows of fields, text lines and
// text books from lines or from rows; the two- and three-record books
// several areas share; and FieldText filled from a list.
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

class DataModule;

// One fixed-length record (239 bytes) of up to ten fields, the missing ones blank.
QByteArray fixedRecord(const QStringList &fields);
// A fixed-length book: one record per row.
QByteArray fixedBook(const QList<QStringList> &rows);
// One line of a text book: `text` in CP932, ended by CR LF.
QByteArray textLine(const QString &text);
// A text book: each line in CP932, ended by CR LF.
QByteArray textBook(const QStringList &lines);
// A text book of rows: each row's ten fields (the missing ones empty) joined
// by `delimiter`, nothing quoted.
QByteArray delimitedBook(const QList<QStringList> &rows, QChar delimiter = u';');
// The rows as a book of `format`: fixed-length (DataModule::FixedLength) or
// text delimited by semicolons.
QByteArray bookOf(qint16 format, const QList<QStringList> &rows);
// FieldText[1 ...] = `fields`, the rest emptied.
void setFields(DataModule &dm, const QStringList &fields);

// Two records: 山田太郎 with reading, postal code and an address with leading
// blanks, then 鈴木花子 with her reading.
QByteArray twoRecords();
// Three records that test the text conversions: a full record whose company
// holds a semicolon, a name holding ", " with a reading holding a blank, and
// a name alone.
QByteArray threeRecords();
// The same three records as text lines delimited by `d` (a value holding `d`
// quoted; every line has its ten fields).
QByteArray threeLines(QChar d);
