#include "print/printengine.h"

#include "store/blanks.h"

#include "platform/printerdevice.h"

#include <QStringList>

namespace {

// A measured line may end this much below the printable height and still
// count as fitting: it absorbs the rounding of millimetre arithmetic, far
// below anything a printer can place.
constexpr double FitTolerance = 1e-6;

// The pitch of a vertical line: one em of its font, in millimetres (the
// scale PrepareLayout sets). Vertical Japanese text stands on a grid of
// square characters, and the program's fonts are one em high; the IPA fonts
// that draw them report a line a tenth of an em taller, which would push a
// letter-spaced name of six characters and its honorific below the card.
double emMillimetres(double points)
{
    return points * 25.4 / 72.0;
}

// The characters of a line, a character outside the basic plane kept whole.
QStringList charactersOf(const QString &text)
{
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        out.append(text.mid(i, n));
        i += n - 1;
    }
    return out;
}

} // namespace

QPointF SlotPlace(const PrintTable &table, const CardCorrections &corrections, int slot)
{
    const double x = table.X[slot] / 10.0 + corrections.PrintOffset;
    const double y = table.Y[slot] / 10.0 + corrections.PrintOffset;
    if (slot >= PrintTable::firstDigitSlot)
        return QPointF(corrections.PostalLeftMm + x, corrections.PostalTopMm + y);
    return QPointF(x, y);
}

PrintEngine::PrintEngine(PrinterDevice &device, const PrintTable &printTable,
                         const CardCorrections &cardCorrections)
    : printer(device), table(printTable), corrections(cardCorrections)
{
}

void PrintEngine::useFont(int slot)
{
    printer.setFontName(trimBlanks(table.Font[slot]));
    printer.setFontSize(table.Size[slot]);
}

double PrintEngine::left(int slot) const
{
    return SlotPlace(table, corrections, slot).x();
}

double PrintEngine::top(int slot) const
{
    return SlotPlace(table, corrections, slot).y();
}

CardResult PrintEngine::PrintCard(const CardTexts &card, bool vertical)
{
    if (vertical)
        return PrintCardVertical(card);
    PrintCardHorizontal(card);
    return CardResult::Printed;
}

bool PrintEngine::CardFits(const CardTexts &card, bool vertical)
{
    if (!vertical)
        return true;
    for (int slot = 0; slot < Layout::SenderPostalCode; ++slot)
        if (!VerticalLineFits(slot, card.Items[slot]))
            return false;
    return true;
}

CardResult PrintEngine::PrintCardVertical(const CardTexts &card)
{
    if (!CardFits(card, true))
        return CardResult::OutOfArea;
    for (int k = 1; k <= corrections.PostalDigits; ++k)
        PrintDigit(PrintTable::digitSlot(k), card.Digits[k]);
    for (int slot = 0; slot < Layout::SenderPostalCode; ++slot)
        if (PrintVerticalLine(slot, card.Items[slot]) != 0)
            return CardResult::OutOfArea; // measured above: never reached
    PrintHorizontalLine(Layout::SenderPostalCode, card.Items[Layout::SenderPostalCode]);
    return CardResult::Printed;
}

void PrintEngine::PrintCardHorizontal(const CardTexts &card)
{
    for (int k = 1; k <= corrections.PostalDigits; ++k)
        PrintDigit(PrintTable::digitSlot(k), card.Digits[k]);
    for (int slot = 0; slot <= Layout::SenderPostalCode; ++slot)
        PrintHorizontalLine(slot, card.Items[slot]);
}

void PrintEngine::PrintDigit(int slot, const QString &text)
{
    if (text.isEmpty())
        return;
    useFont(slot);
    printer.setCurrentY(top(slot));
    printer.setCurrentX(left(slot));
    printer.print(text);
}

double PrintEngine::VerticalPitchMm(double points)
{
    return emMillimetres(points);
}

bool PrintEngine::VerticalLineFits(int slot, const QString &text)
{
    if (text.isEmpty())
        return true;
    useFont(slot);
    const double pitch = emMillimetres(table.Size[slot]);
    const double bottom = printer.scaleHeight() + FitTolerance;
    const qsizetype characters = charactersOf(text).size();
    return top(slot) + characters * pitch <= bottom;
}

int PrintEngine::PrintVerticalLine(int slot, const QString &text)
{
    if (text.isEmpty())
        return 0;
    useFont(slot);
    const double pitch = emMillimetres(table.Size[slot]);
    const double bottom = printer.scaleHeight() + FitTolerance;
    double y = top(slot);
    for (const QString &c : charactersOf(text)) {
        if (y + pitch > bottom)
            return -1;
        printer.setCurrentY(y);
        printer.setCurrentX(left(slot));
        printer.print(c);
        y += pitch;
    }
    return 0;
}

void PrintEngine::PrintHorizontalLine(int slot, const QString &text)
{
    if (text.isEmpty())
        return;
    useFont(slot);
    printer.setCurrentY(top(slot));
    printer.setCurrentX(left(slot));
    printer.print(text);
}
