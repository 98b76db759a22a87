#pragma once
// The texts of a card, made from a record's fields: the addressee's postal
// digits, address lines and letter-spaced name lines with the honorific, and
// the sender's block. Plain functions of the fields and the choices below;
// the print dialog puts their results into its boxes, where the user may
// still edit them before printing.
//
// Lengths count characters (a full-width character is one).
#include <QString>
#include <array>

struct CompositionChoices {
    int Direction = 0;           // 0 vertical (縦書き), 1 horizontal (横書き)
    bool KanjiDigitsOff = false; // true: full-width digits stay digits on vertical cards
    bool DebugMode = false;      // the debug variants of the name split
    QString Honorific;           // "様", "殿", "御 中" or one half-width blank
    QString Spacing;             // the ideographic space (vertical) or a half-width blank
};

// The fields a card is made from, trailing blanks already removed.
struct CardFields {
    QString Name;
    QString PostalCode;
    QString Address1;
    QString Address2;
};

struct AddresseeTexts {
    std::array<QString, 8> Digits; // Text01(1) ... Text01(7); entry 0 unused
    QString Address1;              // Text06
    QString Address2;              // Text07
    QString Name1;                 // Text08
    QString Name2;                 // Text09
};

struct SenderTexts {
    QString Address1;   // Text10
    QString Address2;   // Text11
    QString Name1;      // Text12
    QString Name2;      // Text13
    QString PostalCode; // Text14: "1 2 3 4 5 6 7"
};

// On vertical cards (and unless KanjiDigitsOff) full-width digits become
// kanji numerals, digit by digit (「１２３」 → 「一二三」), and the long
// vowel mark and the full-width hyphen become a vertical bar "｜", so that
// they run down the column. Everything else, half-width digits included,
// stays; the length never changes.
QString ToKanjiNumerals(const QString &text, int direction, bool kanjiDigitsOff);

// The seven postal-code digits of "NNN-NNNN": characters 1 ... 3 and 5 ... 8,
// the separator at character 4 skipped; a missing character gives an empty
// digit. A code written without a separator ("1234567") gives its digits in
// order. Entry 0 unused.
std::array<QString, 8> PostalDigitsOf(const QString &postalCode);

// The addressee. The name is split at its first full-width slash "／" into
// two lines; each line ends with the honorific. A line that together with
// the honorific has at most 10 characters is letter-spaced (every character
// followed by the spacing character, then the honorific); a longer one is
// printed solid with one spacing character before the honorific.
AddresseeTexts ComposeAddresseeTexts(const CardFields &fields, const CompositionChoices &choices);

// The sender: address lines (blanks at both ends removed, numerals as for the
// addressee), the name split at "／" into two lines without spacing or
// honorific, and always seven postal digits, each followed by a blank.
SenderTexts ComposeSenderTexts(const CardFields &fields, const CompositionChoices &choices);
