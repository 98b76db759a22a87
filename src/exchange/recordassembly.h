#pragma once
// One row of another program's table → the ten values of an address record,
// by the roles of its columns (columnrole.h).
//
// Per row, of the numbered telephone groups the first home number goes to
// 電話番号, the first workplace number to 勤務先ＴＥＬ and the first other
// number (mobile, main ...) to 電話番号 when there is no home number; fax
// and pager numbers nowhere. Of the numbered address groups the first home
// address is used, or without one the first that is not a workplace's.
//
// A line break inside a value becomes one blank; the reading is turned into
// half-width katakana. Nothing else is changed: leading blanks are kept and
// nothing is cut (the book's own rules do that when the record is stored).
#include "exchange/exchangetable.h"

namespace RecordAssembly {

FieldValues assemble(const QStringList &row, const QList<ColumnRole> &roles);
// Each CR LF, CR or LF as one blank.
QString lineBreaksToBlanks(const QString &value);
bool isEmpty(const FieldValues &values);

} // namespace RecordAssembly
