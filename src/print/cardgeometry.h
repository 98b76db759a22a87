#pragma once
// The postcard itself, in millimetres from its top-left corner: its size,
// the addressee's seven postal-code boxes printed on every standard card
// (Japan Post's places), and where the addressee's digits go relative to the
// first one. The print engine, the layout view and the print preview all
// measure from here.
#include <QMarginsF>
#include <QRectF>
#include <array>

namespace Card {

constexpr double WidthMm = 100.0;
constexpr double HeightMm = 148.0;

// The printed postal-code boxes of a standard card: 5.7 x 8.0 mm each, their
// left edges at these distances from the card's left edge, their top 12.0 mm
// from its top edge. Box 1 ... 7 are entries 0 ... 6.
constexpr double PostalBoxWidthMm = 5.7;
constexpr double PostalBoxHeightMm = 8.0;
constexpr double PostalBoxTopMm = 12.0;
constexpr std::array<double, 7> PostalBoxLeftMm = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
inline QRectF postalBox(int digit) // digit 1 ... 7
{
    return QRectF(PostalBoxLeftMm[digit - 1], PostalBoxTopMm, PostalBoxWidthMm, PostalBoxHeightMm);
}

// Where digit k (1 ... 7) of the addressee's postal code is printed, right of
// the first digit, in tenths of a millimetre: three digits at a 7.0 mm pitch,
// digit 4 8.0 mm after digit 3, then 7.0, 6.5 and 7.0 mm. Entry 0 is unused.
constexpr std::array<qint16, 8> DigitOffset = {0, 0, 70, 140, 220, 290, 355, 425};

// The printable area of a postcard written into a PDF starts this far in
// from the card's left and top edges. Every position of the layout is
// measured from the printable area, and the factory layout was made for
// printers whose printable area starts a little inside the card: with the
// factory values (first digit at 43.2 mm, digits at 10.2 mm, both from the
// printable area) and these margins, each of the seven addressee digits of
// ＭＳ ゴシック 18 point (3.2 mm wide, 6.4 mm high) lies inside its box with
// room on both sides: 2.0 mm is the middle of the 1.1 ... 3.0 mm across
// that keeps every digit inside its box, 2.6 mm the middle of the
// 1.8 ... 3.4 mm down.
constexpr double PdfMarginLeftMm = 2.0;
constexpr double PdfMarginTopMm = 2.6;
// The same on the right and at the bottom.
inline QMarginsF pdfMargins()
{
    return QMarginsF(PdfMarginLeftMm, PdfMarginTopMm, PdfMarginLeftMm, PdfMarginTopMm);
}

} // namespace Card
