#include "print/cardpicture.h"

#include "print/cardgeometry.h"
#include "print/printengine.h"
#include "print/verticalforms.h"

#include "platform/painterprinter.h"

#include <QPainter>
#include <QStringList>

namespace CardPicture {

namespace {
constexpr int MeasureDpi = 1200;
} // namespace

QRectF card(const CardFrame &frame)
{
    return frame.rect(QRectF(0, 0, Card::WidthMm, Card::HeightMm));
}

QPointF position(const CardFrame &frame, int topTenths, int leftTenths)
{
    return frame.at(leftTenths / 10.0, topTenths / 10.0);
}

QRectF postalBox(const CardFrame &frame, int digit)
{
    return frame.rect(Card::postalBox(digit));
}

void drawPostalBoxes(QPainter &painter, const CardFrame &frame, const QPen &pen)
{
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (int digit = 1; digit <= 7; ++digit)
        painter.drawRect(postalBox(frame, digit));
    painter.restore();
}

bool digitShown(int digit, int postalDigits)
{
    return digit >= 1 && digit <= (postalDigits == 5 ? 5 : 7);
}

QRectF digitLabel(int digit, int postalDigits)
{
    const QRectF box = postalBox(picture(), digit);
    return postalDigits == 5 ? box.translated(FiveDigitShiftMm, 0) : box;
}

MeasuringLines measuringLines(int topTenths, int leftTenths)
{
    const QPointF corner = position(picture(), topTenths, leftTenths);
    return {QLineF(corner.x(), 0, corner.x(), corner.y()), QLineF(0, corner.y(), corner.x(), corner.y())};
}

QSizeF textExtentMm(const QString &text, const QString &fontName, double points, bool downwards)
{
    if (text.isEmpty() || points <= 0)
        return QSizeF(0, 0);
    // Measured by a printer of a PDF's resolution, so the extent is the one
    // the card prints with, whatever screen the view is on.
    ImagePrinter printer(QSizeF(1, 1), MeasureDpi);
    printer.setScale(PrinterDevice::Scale::Millimetres);
    printer.setFontName(fontName);
    printer.setFontSize(points);
    if (!downwards)
        return QSizeF(printer.textWidth(text), printer.textHeight(text));
    const QStringList characters = VerticalForms::cellsOf(text);
    double widest = 0;
    for (const QString &c : characters)
        widest = qMax(widest, printer.textWidth(c));
    return QSizeF(widest, PrintEngine::VerticalPitchMm(points) * characters.size());
}

bool beyondCard(int topTenths, int leftTenths, const QSizeF &extentMm)
{
    if (extentMm.isEmpty())
        return false;
    // A text that ends exactly on an edge is still on the card; the allowance
    // absorbs the rounding of the measure, far below a printer's dot.
    constexpr double Allowance = 1e-6;
    const double left = leftTenths / 10.0;
    const double top = topTenths / 10.0;
    return left < 0 || top < 0 || left + extentMm.width() > Card::WidthMm + Allowance
        || top + extentMm.height() > Card::HeightMm + Allowance;
}

} // namespace CardPicture
