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
// The name is put together by NameAssembly (family, given, middle, prefix,
// suffix: ranks 1 ... 5 of 名前; a whole-name column as the display form),
// the address by AddressAssembly (region, locality, street, country, post
// office box: ranks 1 ... 5 of 住所１; the building parts 住所２).
//
// Control characters never reach a record: a line break (CR LF, CR or LF)
// or a tab becomes one blank, the others (U+0000 ... U+001F, U+007F) are
// dropped. The reading is turned into half-width katakana. Nothing else is
// changed: leading blanks are kept and nothing is cut (the book's own rules
// do that when the record is stored).
#include "exchange/exchangetable.h"

#include <QHash>
#include <QList>
#include <bitset>

namespace RecordAssembly {

enum NameRank { FamilyName = 1, GivenName, MiddleName, NamePrefix, NameSuffix };
enum AddressRank { Region = 1, Locality, Street, Country, PostOfficeBox };

// Which fields lost a control character other than a line break.
using ControlMarks = std::bitset<11>;

// The roles of a table's columns with their numbered groups found once, so
// that a row is assembled in time proportional to its width.
class Layout {
public:
    explicit Layout(QList<ColumnRole> roles);
    const QList<ColumnRole> &roles() const { return columnRoles; }

    struct Group {
        int number = 0;
        QList<int> typeColumns;  // columns naming the group's kind
        QList<int> valueColumns; // used columns of the group
    };
    QList<Group> phoneGroups, addressGroups; // in the order of their numbers
    // The kinds of the type texts met so far (a file repeats the same few).
    GroupKind kindOf(const QString &typeText) const;

private:
    QList<ColumnRole> columnRoles;
    mutable QHash<QString, GroupKind> kinds;
};

FieldValues assemble(const QStringList &row, const Layout &layout, ControlMarks *dropped = nullptr);
FieldValues assemble(const QStringList &row, const QList<ColumnRole> &roles);
// Each CR LF, CR or LF as one blank.
QString lineBreaksToBlanks(const QString &value);
// Line breaks and tabs as one blank, the other control characters dropped;
// `dropped` tells whether anything but a line break changed.
QString withoutControls(const QString &value, bool *dropped = nullptr);
bool isEmpty(const FieldValues &values);
// Whether the values describe someone to write to: a name, a reading, an
// address, a telephone number or a company (an e-mail-only entry does not;
// a book's record that holds only its company must come back from our own
// export).
bool isContact(const FieldValues &values);

} // namespace RecordAssembly
