#include "print/printtable.h"

#include "print/cardgeometry.h"
#include "store/blanks.h"

#include "platform/fonts.h"
#include "platform/printerdevice.h"

GroupFonts storedGroupFonts(const SettingsRecord &settings, int direction)
{
    GroupFonts labels;
    for (int group = Layout::FirstGroup; group <= Layout::LastGroup; ++group)
        labels[group] = Layout::fontLabel(settings, group, direction);
    return labels;
}

PrintTable BuildPrintTable(const SettingsRecord &settings, int direction, const GroupFonts &labels)
{
    PrintTable t;
    const int b = Layout::base(direction);
    for (int k = 1; k <= 7; ++k) {
        const int slot = PrintTable::digitSlot(k);
        t.X[slot] = Card::DigitOffset[k];
        t.Y[slot] = 0;
        t.Size[slot] = 18;
        t.Font[slot] = Fonts::Gothic;
    }
    for (int slot = 0; slot < Layout::ItemCount; ++slot) {
        t.X[slot] = settings.LayoutLeft[b + slot];
        t.Y[slot] = settings.LayoutTop[b + slot];
    }
    for (int slot = 0; slot < Layout::SenderPostalCode; ++slot) {
        const Layout::FontLabel &label = labels[Layout::groupOfItem(slot)];
        t.Size[slot] = label.size.toDouble();
        t.Font[slot] = trimRightBlanks(label.name);
    }
    t.Size[Layout::SenderPostalCode] = 12;
    t.Font[Layout::SenderPostalCode] = Fonts::Gothic;
    return t;
}

PrintTable PrepareLayout(PrinterDevice &printer, const SettingsRecord &settings, int direction,
                         const GroupFonts &labels)
{
    printer.setScale(PrinterDevice::Scale::Millimetres);
    return BuildPrintTable(settings, direction, labels);
}
