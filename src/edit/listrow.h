#pragma once
// The text of the list view's wide pane, without a window: each row is one
// line of fixed-width columns, every column exactly as many cells (half-width
// character positions) as its field has bytes, so that in the fixed-pitch
// font the columns line up on the rules whatever mix of half- and full-width
// characters they hold.
#include "store/addressrecord.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace ListRow {

// The eight fixed columns, in their order on the row.
constexpr std::array<int, 8> ColumnField = {Furigana, PostalCode, Address1, Address2,
                                            Phone, Company, Title, CompanyPhone};
constexpr std::array<int, 8> ColumnCells = {16, 8, 40, 40, 12, 40, 40, 12};
// The rule after each column, in twips (Line1 ... Line8): 120 twips a cell.
constexpr std::array<int, 8> RuleTwips = {1920, 2880, 7680, 12480, 13920, 18720, 23520, 24960};
constexpr int CellTwips = 120;
constexpr int PaneTwips = 26000;

// CP932 bytes as exactly `cells` cells: blank-filled, cut after `cells`
// bytes. A double-byte character cut by the end, and a byte that is no
// character, show as blanks, so the column keeps its width.
QString cells(const QByteArray &bytes, int cells);
// The same for a text.
QString cellsOf(const QString &text, int cells);
// Number of cells a text takes: its length in CP932 bytes.
int cellCount(const QString &text);

// A row: the eight columns from the record, then a full-width blank and the
// mark text.
QString rowText(const AddressRecord &record, const QString &mark);
// The heading line: "ﾌﾘｶﾞﾅ", "郵便番号", "住所１", "住所２", "電話番号", "勤務先",
// "役職", "勤務先ＴＥＬ" each filled to its column, then "マーク".
QString headingText();

} // namespace ListRow
