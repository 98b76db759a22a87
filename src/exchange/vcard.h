#pragma once
// vCard 2.1, 3.0 and 4.0, as phones and contact managers write them: folded
// lines, QUOTED-PRINTABLE and BASE64 values, CHARSET=SHIFT_JIS or UTF-8,
// property groups ("item1.TEL"), TYPE parameters in every spelling.
//
// Of each card the record takes: N (its five parts) and FN; the readings
// from X-PHONETIC-LAST-NAME / X-PHONETIC-FIRST-NAME, else from N's SORT-AS
// (parts separated by "," or ";"), else from SOUND;X-IRMC-N; the first home
// ADR (or, without one, the first ADR that is not a workplace's), its text
// moved to the street when it sits only in the extended part or the post
// office box (unless the card says X-KANOTE-PARTS=KEPT, as this program's
// own export does for an address that has only its second line); the first
// home, the first work and the first other TEL (never a fax or pager);
// ORG's name; TITLE; the first CATEGORIES entry of one character.
//
// BEGIN:VCARD and END:VCARD count only on lines of their own, never on a
// folded line or the rest of a quoted-printable value. PHOTO, LOGO, KEY and
// SOUND values are passed over unread: the file is walked in place and only
// the lines a record uses are joined.
#include "exchange/exchangetable.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct VCardContact {
    QString family, given, middle, prefix, suffix, formatted;
    QString phoneticFamily, phoneticGiven;
    QString postalCode, region, locality, street, extended, poBox, country;
    QString homePhone, workPhone, otherPhone;
    QString organization, title, category;
};

struct VCardFile {
    QList<VCardContact> contacts;
    QStringList versions; // the versions met, in order ("2.1", "3.0")
    QString charset;      // the file's own character set: "UTF-8" or "Shift_JIS（CP932）"
};

namespace VCard {

// True when the first line that is not blank opens a card.
bool looksLikeVCard(const QByteArray &bytes);
VCardFile parse(const QByteArray &bytes);
// The contacts as a table: one column for each item that some card holds.
ExchangeTable toTable(const QList<VCardContact> &contacts);

// Text escaped for a vCard 3.0 value: backslash, comma, semicolon and line
// breaks.
QString escape(const QString &text);

} // namespace VCard
