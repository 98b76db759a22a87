#pragma once
// What an import will do, before anything is written: the columns of the
// file and the field each goes to (changeable per column), the records they
// give, and the values a book cannot hold as they are (cut to a fixed-length
// field's width, or holding characters the book's code page lacks).
#include "exchange/importsource.h"

#include <QList>
#include <bitset>

// Why a value is held otherwise than it comes.
enum class ChangeKind {
    Cut,                // longer than the fixed-length field
    NotInCodePage,      // characters the book cannot hold, as "?"
    SeparatorsRemoved,  // a telephone number kept whole without its separators
    ControlsRemoved,    // control characters of the file dropped
};

// A value that the book will hold otherwise than it comes.
struct StoredChange {
    int record = 0;   // 1-based among the records read
    int field = 0;
    QString value;    // as it comes
    QString stored;   // as the book will hold it
    bool cut = false; // longer than the fixed-length field
    ChangeKind kind = ChangeKind::NotInCodePage;
};

class ImportPlan {
public:
    explicit ImportPlan(ImportSource source);

    const ImportSource &source() const { return src; }
    bool canChooseHeader() const { return src.kind == SourceKind::Csv; }
    bool firstLineIsHeader() const { return header; }
    // Reads the first CSV line as column names or as a record; the choices
    // of fields start again from what the names say.
    void setFirstLineIsHeader(bool isHeader);

    const ExchangeTable &table() const { return tbl; }
    int columnCount() const { return static_cast<int>(tbl.columns.size()); }
    // The field column `c` goes to (0 未使用) and how.
    int fieldOf(int c) const { return roles.value(c).field; }
    ColumnRole roleOf(int c) const { return roles.value(c); }
    // The user's choice for column `c`: its recognised role when `field` is
    // the one recognised, otherwise a plain column of that field joined after
    // the others in column order (0: 未使用).
    void setField(int c, int field);

    // The records in the file's order; rows that give no name, reading,
    // address or telephone number (an e-mail-only entry) are left out.
    const QList<FieldValues> &records() const { return recs; }
    int skippedRows() const { return skipped; }
    // The values a book of this format holds otherwise than they come.
    QList<StoredChange> changes(bool fixedLength) const;

    // A value as a book of that format holds it: cut to the field's width
    // (never half a double-byte character) with trailing blanks gone in a
    // fixed-length book, a telephone number first losing its separators;
    // trimmed as its line is written in a text book; characters outside
    // CP932 as "?".
    static QString storedValue(int field, const QString &value, bool fixedLength);

private:
    void rebuild();

    ImportSource src;
    bool header = false;
    ExchangeTable tbl;
    QList<ColumnRole> roles;
    QList<FieldValues> recs;
    QList<std::bitset<11>> controlMarks; // per record: fields that lost control characters
    int skipped = 0;
};
