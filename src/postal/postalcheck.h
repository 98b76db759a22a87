#pragma once
// The check of a book's postal codes before printing: which records carry a
// code the dictionary does not know, or a 住所１ that begins neither with the
// 都道府県 + 市区町村 + 町域 nor with the 市区町村 + 町域 of one of the code's
// areas (for a building's code, the town it stands in is enough: its name is
// commonly written in 住所２). A record without a code (blank) is never listed.
//
// CheckPostalCodes reads the open book (either format) without changing it
// or the shared record state (RecordBuffer, FieldText); a book that cannot be
// read throws RunError.
#include "postal/postaldictionary.h"

#include <QList>
#include <QString>

class DataModule;

struct PostalProblem {
    enum Kind { UnknownCode, AddressDiffers };
    int record = 0;
    Kind kind = UnknownCode;
    QString name;
    QString code;     // as stored, blanks removed at both ends
    QString address1; // as stored, trailing blanks removed
    QList<PostalArea> areas; // the dictionary's areas of the code (none when unknown)
};

// The problem of one record's three fields, if any.
bool CheckPostalRecord(const PostalDictionary &dictionary, int record, const QString &name,
                       const QString &code, const QString &address1, PostalProblem *problem);
// Every problem of the open book, in record order.
QList<PostalProblem> CheckPostalCodes(DataModule &dm, const PostalDictionary &dictionary);
// Record n of the open book only (after it was corrected).
bool CheckPostalRecordOf(DataModule &dm, const PostalDictionary &dictionary, int n,
                         PostalProblem *problem);
