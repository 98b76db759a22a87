#pragma once
// An address from the parts other programs keep apart → 郵便番号, 住所１ and
// 住所２ of the record.
//
// A Japanese address runs from the largest part to the smallest without
// separators: region + locality + street in 住所１ ("東京都千代田区千代田1-1"),
// the building (the extended part) in 住所２. An address in Latin letters
// with no Japanese script in it keeps its parts apart in its own order:
// street, locality, region and country joined with ", " ("Silicon Alley 5,
// New York, NY"); its building goes to 住所２ the same way. The postal code
// stays in its own field either way, where the postal-code check and the
// card's code boxes look for it.
//
// Some phones write the whole address into the extended part or the post
// office box alone: that text goes into 住所１ as far as the field holds it,
// 住所２ taking the rest, cut between characters.
#include <QString>
#include <QStringList>

struct AddressParts {
    QString poBox, extended, street, locality, region, postalCode, country;
};

struct AddressLines {
    QString postalCode, address1, address2;
};

namespace AddressAssembly {

// Latin letters and nothing of Japanese script (kana, kanji, full-width forms).
bool isWestern(const QStringList &texts);
AddressLines assemble(const AddressParts &parts);
// The parts of an address whose text sits only in the post office box or the
// extended part: that text as the street, as far as 住所１ holds it, the rest
// as the extended part. Any other address is returned as it is.
AddressParts withExtraAsStreet(AddressParts parts);
// `text` as two lines: what fits in `width` CP932 bytes, and the rest.
QStringList splitAt(const QString &text, int width);

} // namespace AddressAssembly
