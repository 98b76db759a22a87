#pragma once
// Prints one postcard on a PrinterDevice (scaled in millimetres by
// PrepareLayout): the addressee's postal digits, the eight text lines and the
// sender's postal code, vertically (one character under the other) or
// horizontally. Pages and documents are the caller's: the engine never starts,
// ends or throws away a page.
//
// A printed position is the stored value / 10 + PrintOffset millimetres from
// the printable area's top-left corner; the postal digits add the postal-code
// position (縦補正値 / 横補正値) as well.
//
// A vertical card whose lines would run below the printable area is not
// printed at all: every line is measured before anything of the card goes to
// the printer, so a refused card leaves neither a half card nor a lost
// document behind.
#include "print/printtable.h"

#include <QPointF>
#include <QString>
#include <array>

class PrinterDevice;

// The texts of one card as the dialog's boxes hold them when it prints.
struct CardTexts {
    std::array<QString, 8> Digits;                  // Text01(1) ... Text01(7); entry 0 unused
    std::array<QString, Layout::ItemCount> Items;   // Text06 ... Text14, in slot order
};

struct CardCorrections {
    double PostalTopMm = 0;  // 縦補正値
    double PostalLeftMm = 0; // 横補正値
    int PrintOffset = 0;     // 基準値補正, whole millimetres
    int PostalDigits = 7;    // 5 or 7 digits printed
};

enum class CardResult { Printed, OutOfArea };

// Where the engine puts the top-left corner of a slot's text, in
// millimetres from the printable area's corner, before the printer's own
// placement: the stored position / 10 + PrintOffset, and for the digit slots
// the postal-code position (縦補正値 / 横補正値) besides. Everything that
// shows where a card prints asks here.
QPointF SlotPlace(const PrintTable &table, const CardCorrections &corrections, int slot);

class PrintEngine {
public:
    PrintEngine(PrinterDevice &printer, const PrintTable &table, const CardCorrections &corrections);

    // Vertical when `vertical` (縦書き), else horizontal.
    CardResult PrintCard(const CardTexts &card, bool vertical);
    // Refuses (prints nothing, OutOfArea) a card with a line that would run
    // below the printable area; otherwise prints the digits, the eight lines
    // downwards and the sender's postal code across.
    CardResult PrintCardVertical(const CardTexts &card);
    // Everything across, unchecked: text beyond the page is the printer's.
    void PrintCardHorizontal(const CardTexts &card);

    // The digit box's whole text at the digit's place; an empty box prints nothing.
    void PrintDigit(int slot, const QString &text);
    // One character under the other, one em of the slot's font apart (the
    // height of a line of the program's fonts), every character starting at
    // the same x. 0 when printed, -1 (and the
    // rest of the line not printed) at the first character that would end
    // below the printable area. A line that ends exactly on it is printed.
    int PrintVerticalLine(int slot, const QString &text);
    void PrintHorizontalLine(int slot, const QString &text);
    // Whether PrintVerticalLine would print the whole line (nothing printed).
    bool VerticalLineFits(int slot, const QString &text);
    // How far apart the characters of a vertical line of `points` stand, in
    // millimetres (the layout view shows them so).
    static double VerticalPitchMm(double points);
    // Whether PrintCard would print the card (a horizontal card always fits).
    bool CardFits(const CardTexts &card, bool vertical);

private:
    void useFont(int slot);
    double left(int slot) const;
    double top(int slot) const;

    PrinterDevice &printer;
    PrintTable table;
    CardCorrections corrections;
};
