#include "print/printengine.h"

#include "print/verticalforms.h"
#include "store/blanks.h"

#include "platform/printerdevice.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

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

using VerticalForms::cellsOf;

int cellCount(const QString &text)
{
    return int(cellsOf(text).size());
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
                         const CardCorrections &cardCorrections, const VerticalChoices &verticalChoices)
    : printer(device), table(printTable), corrections(cardCorrections), choices(verticalChoices)
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
    for (const VerticalLinePlan &line : PlanVertical(card))
        if (!line.Fits)
            return false;
    return true;
}

VerticalLinePlan PrintEngine::planLine(int slot, int cells, int lead, double stopAt)
{
    VerticalLinePlan plan;
    plan.Cells = cells;
    plan.Lead = lead;
    plan.Top = top(slot);
    plan.Em = emMillimetres(table.Size[slot]);
    plan.Pitch = plan.Em;
    if (cells == 0)
        return plan;
    const int total = lead + cells;
    const double tightest = TightestPitch * plan.Em;
    // The pitch that ends the last character exactly at `limit`.
    const auto pitchEndingAt = [&](double limit) {
        return total > 1 ? (limit - plan.Top - plan.Em) / (total - 1) : -1.0;
    };
    if (choices.FitLongLines && stopAt < plan.bottom() - FitTolerance)
        plan.Pitch = std::max(tightest, std::min(plan.Em, pitchEndingAt(stopAt)));
    const double bottom = printer.scaleHeight() + FitTolerance;
    if (plan.bottom() <= bottom)
        return plan;
    const double tighter = pitchEndingAt(printer.scaleHeight());
    if (choices.FitLongLines && tighter >= tightest - FitTolerance) {
        plan.Pitch = std::max(tighter, tightest);
        return plan;
    }
    plan.Pitch = plan.Em;
    plan.Fits = false;
    return plan;
}

VerticalPlan PrintEngine::PlanVertical(const CardTexts &card)
{
    std::array<int, 8> lead{};
    const QString &first = card.Items[Layout::Name1];
    const QString &second = card.Items[Layout::Name2];
    const QString honorific = choices.Honorific;
    // Aligned only when both lines still end with the honorific (the user
    // may have typed something else into the boxes) and there is one.
    if (choices.AlignJointNames && !trimBlanks(honorific).isEmpty() && !second.isEmpty()
        && first.endsWith(honorific) && second.endsWith(honorific)) {
        // Both lines end with the honorific: the shorter one moves down by
        // the cells it lacks (the name lines share their top and font).
        const int shift = cellCount(first) - cellCount(second);
        if (shift > 0)
            lead[Layout::Name2] = shift;
        else
            lead[Layout::Name1] = -shift;
    }

    // The sender's postal code is printed across, below the sender's lines:
    // a sender line whose column meets it stops above it.
    const QString &postal = card.Items[Layout::SenderPostalCode];
    double postalLeft = 0, postalRight = 0;
    if (!postal.isEmpty()) {
        useFont(Layout::SenderPostalCode);
        postalLeft = left(Layout::SenderPostalCode);
        postalRight = postalLeft + printer.textWidth(postal);
    }
    const double postalTop = top(Layout::SenderPostalCode);

    VerticalPlan plan;
    for (int slot = 0; slot < Layout::SenderPostalCode; ++slot) {
        useFont(slot);
        const double em = emMillimetres(table.Size[slot]);
        double stopAt = std::numeric_limits<double>::infinity();
        const bool sender = slot >= Layout::SenderAddress1 && slot <= Layout::SenderName2;
        if (sender && !postal.isEmpty() && top(slot) < postalTop && left(slot) < postalRight
            && left(slot) + em > postalLeft)
            stopAt = postalTop - SenderPostalGapMm;
        plan[slot] = planLine(slot, cellCount(card.Items[slot]), lead[slot], stopAt);
    }
    return plan;
}

void PrintEngine::printPlannedLine(int slot, const QString &text, const VerticalLinePlan &plan)
{
    if (text.isEmpty())
        return;
    useFont(slot);
    double y = plan.firstTop();
    for (const QString &c : cellsOf(text)) {
        printCell(slot, c, y);
        y += plan.Pitch;
    }
}

void PrintEngine::printCell(int slot, const QString &c, double y)
{
    printer.setCurrentY(y);
    printer.setCurrentX(left(slot));
    if (choices.Glyphs)
        printer.printVerticalCharacter(c, VerticalForms::treatmentOf(c));
    else
        printer.print(c);
}

CardResult PrintEngine::PrintCardVertical(const CardTexts &card)
{
    const VerticalPlan plan = PlanVertical(card);
    for (const VerticalLinePlan &line : plan)
        if (!line.Fits)
            return CardResult::OutOfArea;
    for (int k = 1; k <= corrections.PostalDigits; ++k)
        PrintDigit(PrintTable::digitSlot(k), card.Digits[k]);
    for (int slot = 0; slot < Layout::SenderPostalCode; ++slot)
        printPlannedLine(slot, card.Items[slot], plan[slot]);
    PrintHorizontalLine(Layout::SenderPostalCode, card.Items[Layout::SenderPostalCode]);
    return CardResult::Printed;
}

void PrintEngine::DrawItems(const CardTexts &card, bool vertical)
{
    if (!vertical) {
        for (int slot = 0; slot <= Layout::SenderPostalCode; ++slot)
            PrintHorizontalLine(slot, card.Items[slot]);
        return;
    }
    const VerticalPlan plan = PlanVertical(card);
    for (int slot = 0; slot < Layout::SenderPostalCode; ++slot)
        printPlannedLine(slot, card.Items[slot], plan[slot]);
    PrintHorizontalLine(Layout::SenderPostalCode, card.Items[Layout::SenderPostalCode]);
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
    return planLine(slot, cellCount(text), 0, std::numeric_limits<double>::infinity()).Fits;
}

int PrintEngine::PrintVerticalLine(int slot, const QString &text)
{
    if (text.isEmpty())
        return 0;
    useFont(slot);
    const VerticalLinePlan plan = planLine(slot, cellCount(text), 0, std::numeric_limits<double>::infinity());
    if (plan.Fits) {
        printPlannedLine(slot, text, plan);
        return 0;
    }
    // Refused: the characters that still end on the printable area are
    // printed, the first one that would not ends the line.
    const double bottom = printer.scaleHeight() + FitTolerance;
    double y = plan.Top;
    for (const QString &c : cellsOf(text)) {
        if (y + plan.Em > bottom)
            return -1;
        printCell(slot, c, y);
        y += plan.Em;
    }
    return -1;
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
