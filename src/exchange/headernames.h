#pragma once
// The column names other programs write in the first line of their tables,
// and where each column goes: plain Japanese names (氏名, 姓 + 名, フリガナ,
// 郵便番号, 都道府県 + 市区町村 + 番地, 建物名 ...), the field labels of this
// program's own export, Japan Post's postcard software (氏名(姓), 郵便番号
// (自宅欄), 自宅住所(都道府県) ...), Google Contacts (English and Japanese,
// the current and the older layout: "Phonetic Last Name", "Phone 1 - Value",
// "Address 1 - Postal Code" ...) and Thunderbird's address book ("Home
// Phone", "Home ZipCode" ... and its Japanese names).
#include "exchange/columnrole.h"

#include <QList>
#include <QString>
#include <QStringList>

struct HeaderMatch {
    bool known = false;  // a column name some program writes (used or not)
    ColumnRole role;     // where it goes (unused for known names the record has no field for)
};

namespace HeaderNames {

// The name as compared: compatibility forms folded (full-width letters and
// digits, half-width katakana, full-width brackets), lower case, blanks and
// dash variants unified.
QString normalized(const QString &name);
HeaderMatch match(const QString &name);
// Whether the line is a line of column names rather than a record: two or
// more known names, or a single field that is a known name.
bool isHeaderLine(const QStringList &cells);
// The roles of a header line's columns. A column whose name repeats one
// before it (two "電話" columns) becomes a fallback of that field, so two
// values are never run together.
QList<ColumnRole> rolesFor(const QStringList &cells);
// Without column names: column k goes to field k (standard order), the
// columns after the tenth nowhere.
QList<ColumnRole> standardRoles(int columns);

} // namespace HeaderNames
