#pragma once
// Address books and field values the tests of several areas share: books
// written from field lists or lines, the two- and three-record books, and
// FieldText filled from a list.
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

class DataModule;

// A fixed-length book: one 239-byte record per field list (missing fields blank).
QByteArray fixedBook(const QList<QStringList> &records);
// A text book: each line in CP932, ended by CR LF.
QByteArray textBook(const QStringList &lines);
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
