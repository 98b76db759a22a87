#pragma once
// The postcard layout values as the print dialog shows and keeps them: what
// its controls show when it opens (read from the settings record), what it
// stores back when it closes, the honorifics, the four font groups, and the
// number texts of its boxes and labels.
//
// Positions are tenths of a millimetre from the printable area's top-left
// corner; entries 0 ... 8 of the layout arrays serve vertical cards,
// 10 ... 18 horizontal ones (item + 10). The factory positions are the
// settings file's LayoutDefaults.
#include "store/settingsrecord.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace Layout {

constexpr int Vertical = 0;   // 縦書き
constexpr int Horizontal = 1; // 横書き
// The first layout entry of a print direction.
constexpr int base(int direction) { return direction == Horizontal ? 10 : 0; }

// The nine print items (and their slots in the print table).
enum Item {
    Address1 = 0, Address2, Name1, Name2,
    SenderAddress1, SenderAddress2, SenderName1, SenderName2, SenderPostalCode,
    ItemCount
};

// Ranges of the values the dialog's scroll bars hold.
constexpr int PostalTopMax = 1480;  // 縦補正値, 0 ... 148.0 mm
constexpr int PostalLeftMax = 1000; // 横補正値, 0 ... 100.0 mm
constexpr int PrintOffsetMin = -10; // 基準値補正, whole millimetres
constexpr int PrintOffsetMax = 10;

// ---- honorifics and spacing ----
// The entries of the honorific list: "様", "殿", "御中", "なし".
QStringList honorificList();
// What the name lines end with for HonorificIndex 1 ... 4: "様", "殿",
// "御 中" (a half-width blank between) or one half-width blank. Any other
// index is taken as 1.
QString honorificText(int honorificIndex);
// The letter-spacing character of the name lines: the ideographic space when
// vertical, a half-width blank when horizontal.
QString spacingFor(int direction);

// ---- number texts ----
// A value in tenths of a millimetre as the boxes show it: 152 → "15.2", 150 → "15".
QString millimetreText(int tenths);
// A font size as the labels show it: "18", "10.5".
QString pointText(double points);
// A correction typed into 縦補正値 / 横補正値: the number of millimetres, in
// tenths, rounded; nothing when the text is not a number from 0 up to
// `maxTenths` / 10. Half- and full-width digits are read; blanks at both ends
// are passed over.
std::optional<qint16> parseCorrection(const QString &text, int maxTenths);

// ---- font groups ----
// The fonts are chosen for pairs of items. The dialog's font buttons and
// labels are indexed 2 ... 5: 2 name (items 2, 3), 3 address (0, 1),
// 4 sender name (6, 7), 5 sender address (4, 5).
constexpr int FirstGroup = 2;
constexpr int LastGroup = 5;
// The caption of font button `group`: "氏名ﾌｫﾝﾄ", "住所ﾌｫﾝﾄ", "差名ﾌｫﾝﾄ", "差住ﾌｫﾝﾄ".
QString fontButtonCaption(int group);
// The first of the two layout entries a group's font is kept in (2, 0, 6,
// 4, plus 10 when horizontal).
int fontEntry(int group, int direction);
// The group whose font item 0 ... 7 is printed in.
int groupOfItem(int item);

struct FontLabel {
    QString name; // the stored name without trailing blanks
    QString size; // pointText of the stored size
};
// What labels Label11(group) / Label12(group) show for a direction.
FontLabel fontLabel(const SettingsRecord &settings, int group, int direction);
// A font chosen for a group: name and size into both entries of its pair.
void storeGroupFont(SettingsRecord &settings, int group, int direction, const QString &name,
                    double points);

// ---- opening and closing the dialog ----
// What the dialog's controls show when it opens.
struct DialogStart {
    qint16 SenderNumber;   // 差出名番号: 0 ... RecordCount
    QString MarkText;      // Text3: PrintMark without trailing blanks
    qint16 PostalTop;      // HScroll3, tenths: 0 ... 1480
    qint16 PostalLeft;     // HScroll4, tenths: 0 ... 1000
    QString PostalTopText; // Text1
    QString PostalLeftText;// Text2
    qint16 PrintOffset;    // HScroll5: -10 ... 10
    int HonorificIndex;    // 1 ... 4; Combo1 shows index - 1
};
// Reads the dialog's values. A sender number outside 0 ... recordCount
// becomes 1 in the settings too. Values a scroll bar or the list cannot hold
// (a settings file written by hand or damaged) are brought to the nearest
// end of the range, the honorific to 1, so the dialog always opens.
DialogStart loadDialogValues(SettingsRecord &settings, int recordCount);

// What the dialog stores when it closes: the sender number shown, the
// first character of the mark box (a blank when it is empty), and the two
// corrections as typed. A correction that is not a valid number of its range
// is not stored: the last valid value stays.
void saveDialogValues(SettingsRecord &settings, const QString &senderNumberText,
                      const QString &markText, const QString &postalTopText,
                      const QString &postalLeftText);

} // namespace Layout
