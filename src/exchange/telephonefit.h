#pragma once
// A telephone number in a field narrower than the number as written: the
// separators people write between its digits (blanks, hyphens and dashes,
// parentheses, dots, in half and full width) go first, so "(905) 666-1234"
// is kept whole as "9056661234"; only a number that is still too long is
// then cut like any other value.
#include "exchange/exchangetable.h"

#include <QString>

namespace TelephoneFit {

bool isSeparator(QChar c);
// The number unchanged when it fits in `width` CP932 bytes, otherwise
// without its separators (which may still be too long).
QString fitted(const QString &number, int width);
// The record's 電話番号 and 勤務先ＴＥＬ fitted to their fixed-length widths.
FieldValues withNumbersFitted(FieldValues values);

} // namespace TelephoneFit
