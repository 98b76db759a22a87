#include "print/alignmentsheet.h"

#include "print/cardgeometry.h"
#include "print/printershift.h"

#include "platform/fonts.h"
#include "platform/printerdevice.h"

#include <array>

namespace AlignmentSheet {

namespace {

const std::array<const char *, Layout::ItemCount> ItemCaptions = {
    "住所１", "住所２", "氏名１", "氏名２", "差住１", "差住２", "差名１", "差名２", "差郵No"};

constexpr double MarkPoints = 5;   // the crosses' captions
constexpr double ScalePoints = 5;  // the scales' numbers
constexpr double CaptionPoints = 6; // the sheet's line, smaller when it would not fit

void frame(PrinterDevice &printer, const QRectF &r)
{
    printer.line(r.left(), r.top(), r.right(), r.top());
    printer.line(r.right(), r.top(), r.right(), r.bottom());
    printer.line(r.right(), r.bottom(), r.left(), r.bottom());
    printer.line(r.left(), r.bottom(), r.left(), r.top());
}

void text(PrinterDevice &printer, double x, double y, const QString &s)
{
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(s);
}

double tickLength(int mm)
{
    if (mm % 10 == 0)
        return MajorTick;
    return mm % 5 == 0 ? MiddleTick : MinorTick;
}

// The scales along the card's top and left edges, from its corner.
void scales(PrinterDevice &printer, const QRectF &card)
{
    printer.setFontName(Fonts::Gothic);
    printer.setFontSize(ScalePoints);
    for (int mm = 1; mm < int(Card::WidthMm); ++mm) {
        const double x = card.left() + mm;
        printer.line(x, card.top(), x, card.top() + tickLength(mm));
        if (mm % 10 == 0) {
            const QString number = QString::number(mm);
            text(printer, x - printer.textWidth(number) / 2, card.top() + MajorTick + 0.3, number);
        }
    }
    for (int mm = 1; mm < int(Card::HeightMm); ++mm) {
        const double y = card.top() + mm;
        printer.line(card.left(), y, card.left() + tickLength(mm), y);
        if (mm % 10 == 0) {
            const QString number = QString::number(mm);
            text(printer, card.left() + MajorTick + 0.4, y - printer.textHeight(number) / 2, number);
        }
    }
}

} // namespace

QList<Mark> marks(const PrintTable &table, const CardCorrections &corrections)
{
    QList<Mark> out;
    out.append({QStringLiteral("〒"), SlotPlace(table, corrections, PrintTable::digitSlot(1))});
    for (int slot = 0; slot < Layout::ItemCount; ++slot)
        out.append({QString::fromUtf8(ItemCaptions[slot]), SlotPlace(table, corrections, slot)});
    return out;
}

QString caption(const Setup &s)
{
    QString line = QStringLiteral("%1 %2 基準値補正 %3 縦補正値 %4 横補正値 %5 %6")
                       .arg(s.PrinterName,
                            s.Direction == Layout::Horizontal ? QStringLiteral("横書き") : QStringLiteral("縦書き"),
                            QString::number(s.Corrections.PrintOffset),
                            QString::number(s.Corrections.PostalTopMm),
                            QString::number(s.Corrections.PostalLeftMm),
                            PrinterShift::describe(s.Adjustment));
    if (s.Adjustment.UpsideDown)
        line += QStringLiteral(" 上下逆に給紙");
    return line;
}

void print(PrinterDevice &printer, const PrintTable &table, const Setup &setup)
{
    printer.setScale(PrinterDevice::Scale::Millimetres);
    // The card is the page the printer prints on: its corner is the page's.
    const QRectF card(printer.pageArea().topLeft(), QSizeF(Card::WidthMm, Card::HeightMm));
    frame(printer, card);
    for (int digit = 1; digit <= 7; ++digit)
        frame(printer, Card::postalBox(digit).translated(card.topLeft()));
    scales(printer, card);

    printer.setFontName(Fonts::Gothic);
    printer.setFontSize(MarkPoints);
    for (const Mark &m : marks(table, setup.Corrections)) {
        const QPointF p = m.Place;
        printer.line(p.x() - CrossArm, p.y(), p.x() + CrossArm, p.y());
        printer.line(p.x(), p.y() - CrossArm, p.x(), p.y() + CrossArm);
        // The caption stands where the text would begin, beside the cross's arms.
        text(printer, p.x() + 0.5, p.y() + 0.5, m.Caption);
    }

    const QString line = caption(setup);
    const double room = Card::WidthMm - 2 * (MajorTick + 4);
    double points = CaptionPoints;
    printer.setFontSize(points);
    while (points > 3 && printer.textWidth(line) > room) {
        points -= 0.5;
        printer.setFontSize(points);
    }
    text(printer, card.left() + MajorTick + 4, card.top() + CaptionTop, line);
}

} // namespace AlignmentSheet
