#pragma once
// The alignment sheet (位置合わせ印刷): one page, printed like a card on the
// printer the next card would go to, that shows where a card printed now
// lands: the card's outline, Japan Post's seven postal-code boxes, a cross
// at the first postal digit's place and at each item's top-left corner of
// the print direction, millimetre scales along the card's top and left
// edges (labelled every 10 mm), and one line naming the printer and the
// corrections. Printed on plain paper and held against a card in the light,
// or printed on a spoiled card, it shows how far off the printer is.
//
// Everything is drawn from the engine's own geometry (SlotPlace, the card's
// postal boxes, the printer's page) on the printer as it is, placement
// included, so the sheet moves exactly as a card would.
#include "print/printengine.h"
#include "print/printtable.h"
#include "store/programsettings.h"

#include <QList>
#include <QPointF>
#include <QString>

class PrinterDevice;

namespace AlignmentSheet {

// A cross of the sheet: which place it marks and where (millimetres from
// the printable area's corner, before the printer's placement).
struct Mark {
    QString Caption; // "〒" for the first postal digit, else the item's ("住所１" ...)
    QPointF Place;
};
// The first digit's cross, then the nine items' of the table's direction.
QList<Mark> marks(const PrintTable &table, const CardCorrections &corrections);

struct Setup {
    QString PrinterName;
    PrinterAdjustment Adjustment; // only named on the sheet: the printer applies it
    CardCorrections Corrections;
    int Direction = 0; // 0 vertical, 1 horizontal
};
// The line the sheet says what it was printed with.
QString caption(const Setup &setup);

// Lengths of the sheet, millimetres.
constexpr double CrossArm = 2.5;     // each way from the marked point
constexpr double MinorTick = 2.0;    // every millimetre
constexpr double MiddleTick = 3.5;   // every 5 mm
constexpr double MajorTick = 5.0;    // every 10 mm, with its number beyond
// The caption's top, millimetres from the card's top edge: below the
// addressee's lines and above the sender's in both directions.
constexpr double CaptionTop = 64.0;

// Prints the sheet on one page (the caller ends the document). The printer
// is switched to millimetres.
void print(PrinterDevice &printer, const PrintTable &table, const Setup &setup);

} // namespace AlignmentSheet
