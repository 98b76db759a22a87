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
        if (!lines[i].isEmpty())
            drawLine(lines[i], x, y);
        y += lineHeight();
    }
    x = 0;
}

void PagedPrinter::printVerticalCharacter(const QString &character, CellForm form)
{
    prepareOutput();
    if (!character.isEmpty())
        drawVerticalCharacter(character, form, x, y);
    y += lineHeight();
    x = 0;
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
