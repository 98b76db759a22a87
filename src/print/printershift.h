#pragma once
// A printer's own correction of where cards land (kept per printer in the
// program's settings file): a fine shift in tenths of a millimetre and the
// choice of feeding cards upside down. Here it becomes the placement every
// card page of that printer gets, and is read from and written as the
// position dialog's text ("1.5", "-0.7"). Nothing here needs a window.
#include "store/programsettings.h"

#include "platform/printerdevice.h"

#include <QString>
#include <optional>

namespace PrinterShift {

// The placement of a card page on that printer.
PagePlacement placementOf(const PrinterAdjustment &adjustment);

// A shift as the dialog shows it: millimetres with one decimal ("1.5",
// "-0.7", "0.0").
QString text(qint16 tenths);
// A typed shift in tenths: a number of millimetres with at most one decimal
// within ±10.0. Full-width digits, point and minus (as an input method
// types them) and the minus sign "−" count as their plain forms; blanks at
// either end are ignored. Anything else: nothing.
std::optional<qint16> parse(const QString &typed);

// One line saying where the shift moves things: "右へ 1.5 mm、下へ -0.7 mm".
QString describe(const PrinterAdjustment &adjustment);

} // namespace PrinterShift
