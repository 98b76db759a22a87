#include "platform/pagedprinter.h"

#include <QRegularExpression>
#include <algorithm>

void PagedPrinter::setFontName(const QString &name)
{
    font.name = name;
    fontChanged();
}

void PagedPrinter::setFontSize(double points)
{
    // A size the device cannot draw keeps the font it has.
    if (!(points > 0))
        return;
    font.size = points;
    fontChanged();
}

void PagedPrinter::setFontBold(bool bold)
{
    font.bold = bold;
    fontChanged();
}

QStringList PagedPrinter::splitLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return text.split(lineEnd);
}

double PagedPrinter::textWidth(const QString &text) const
{
    double widest = 0;
    for (const QString &line : splitLines(text))
        widest = std::max(widest, lineWidth(line));
    return toUnitsX(widest);
}

double PagedPrinter::textHeight(const QString &text) const
{
    return toUnitsY(lineHeight() * splitLines(text).size());
}

void PagedPrinter::prepareOutput()
{
    if (!open) {
        beginDocument();
        open = true;
        page = 1;
        pendingBreaks = 0;
    }
    while (pendingBreaks > 0) {
        breakPage();
        --pendingBreaks;
        ++page;
    }
}

void PagedPrinter::print(const QString &text)
{
    prepareOutput();
    const QStringList lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            x = 0;
        if (!lines[i].isEmpty()) {
            const QPointF at = placed(x, y, lineWidth(lines[i]), lineHeight());
            drawLine(lines[i], at.x(), at.y(), pagePlacement.Turned);
        }
        y += lineHeight();
    }
    x = 0;
}

void PagedPrinter::printVerticalCharacter(const QString &character, CellForm form)
{
    prepareOutput();
    if (!character.isEmpty()) {
        const QPointF at = placed(x, y, lineWidth(character), lineHeight());
        drawVerticalCharacter(character, form, at.x(), at.y(), pagePlacement.Turned);
    }
    y += lineHeight();
    x = 0;
}

QPointF PagedPrinter::placed(double px, double py, double width, double height) const
{
    const double shiftX = pagePlacement.ShiftXMm * dpiX() / 25.4;
    const double shiftY = pagePlacement.ShiftYMm * dpiY() / 25.4;
    const QPointF shifted(px + shiftX, py + shiftY);
    if (!pagePlacement.Turned)
        return shifted;
    // Turned about the page's centre: the box's far corner comes to lie as
    // far from the page's top-left corner as its near corner lay from the
    // bottom-right one.
    const QRectF page = pagePixels();
    return QPointF(page.left() + page.right() - shifted.x() - width,
                   page.top() + page.bottom() - shifted.y() - height);
}

QPointF PagedPrinter::placedAreaEnd() const
{
    const QSizeF area = printableSize();
    const double shiftX = pagePlacement.ShiftXMm * dpiX() / 25.4;
    const double shiftY = pagePlacement.ShiftYMm * dpiY() / 25.4;
    if (!pagePlacement.Turned)
        return QPointF(area.width() - shiftX, area.height() - shiftY);
    // A box of the page ends where its turned image starts: at the
    // printable area's left and top edges.
    const QRectF page = pagePixels();
    return QPointF(page.left() + page.right() - shiftX, page.top() + page.bottom() - shiftY);
}

double PagedPrinter::scaleWidth() const
{
    return toUnitsX(placedAreaEnd().x());
}

double PagedPrinter::scaleHeight() const
{
    return toUnitsY(placedAreaEnd().y());
}

QRectF PagedPrinter::pageArea() const
{
    const QRectF page = pagePixels();
    return QRectF(toUnitsX(page.left()), toUnitsY(page.top()), toUnitsX(page.width()), toUnitsY(page.height()));
}

void PagedPrinter::line(double x1, double y1, double x2, double y2)
{
    prepareOutput();
    drawRule(placed(toPixelsX(x1), toPixelsY(y1), 0, 0), placed(toPixelsX(x2), toPixelsY(y2), 0, 0));
}

void PagedPrinter::newPage()
{
    x = 0;
    y = 0;
    if (open)
        ++pendingBreaks;
}

void PagedPrinter::endDoc()
{
    x = 0;
    y = 0;
    if (!open)
        return;
    // A break right before the end adds no blank page; earlier ones do.
    if (pendingBreaks > 0)
        --pendingBreaks;
    try {
        prepareOutput();
    } catch (...) {
        abandonDocument();
        throw;
    }
    open = false;
    pendingBreaks = 0;
    finishDocument();
}

void PagedPrinter::killDoc()
{
    x = 0;
    y = 0;
    abandonDocument();
}

void PagedPrinter::abandonDocument()
{
    if (!open)
        return;
    open = false;
    pendingBreaks = 0;
    abortDocument();
}
