#pragma once
// Postal codes and addresses as the dictionary compares them.
//
// A postal code is 7 digits, written "1000001" or "100-0001" (half- or
// full-width digits, blanks around it ignored); it is shown and stored as
// "100-0001". Addresses are compared folded: full- and half-width forms as one
// (NFKC), ヶ as ケ and ヵ as カ, blanks left out; so "東京都 千代田区千代田１"
// and "東京都千代田区千代田1" begin with the same town.
#include <QString>

namespace PostalCodes {

// The code as a number 0 ... 9999999, or -1 when the text is no 7-digit code
// in one of the two spellings.
int parse(const QString &text);
// "NNN-NNNN".
QString format(int code);
// An address as the dictionary compares it (see above).
QString foldAddress(const QString &text);

} // namespace PostalCodes
