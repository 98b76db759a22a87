#pragma once
// The print table of one printing run: where (tenths of a millimetre), in
// which size (points) and in which font each of the 16 slots of a card
// prints. Slots 0 ... 8 are the print items (address lines, name lines, the
// sender's lines and postal code), slots 9 ... 15 the addressee's postal
// digits 1 ... 7, whose positions are relative to the postal-code position.
//
// Items 0 ... 7 print in the fonts the dialog's group labels show, so what
// prints is what the dialog shows; the sender's postal code and the digits
// always print in ＭＳ ゴシック (12 and 18 point).
#include "print/layoutvalues.h"

#include <QString>
#include <array>

class PrinterDevice;

struct PrintTable {
    static constexpr int SlotCount = 16;
    static constexpr int firstDigitSlot = 9;
    static constexpr int digitSlot(int digit) { return 8 + digit; } // digit 1 ... 7

    std::array<qint16, SlotCount> X{};
    std::array<qint16, SlotCount> Y{};
    std::array<double, SlotCount> Size{};
    std::array<QString, SlotCount> Font;
};

// The four group labels (name, size), indexed by group 2 ... 5.
using GroupFonts = std::array<Layout::FontLabel, Layout::LastGroup + 1>;
// The group labels as the settings hold them for a direction.
GroupFonts storedGroupFonts(const SettingsRecord &settings, int direction);

// The table for a direction, from the stored positions and the group labels.
PrintTable BuildPrintTable(const SettingsRecord &settings, int direction, const GroupFonts &labels);
// Switches the printer to millimetres and builds the table.
PrintTable PrepareLayout(PrinterDevice &printer, const SettingsRecord &settings, int direction,
                         const GroupFonts &labels);
