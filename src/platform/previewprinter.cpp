#include "platform/previewprinter.h"

#include "platform/runerror.h"

#include <QPrinter>

PreviewPrinter::PreviewPrinter(QPrinter &target, const QRectF &printableMm)
    : printer(target)
{
    printer.setFullPage(true);
    attach(printer);
    pixelsPerMm = printer.resolution() / 25.4;
    originPixels = printableMm.topLeft() * pixelsPerMm;
    setPrintableArea(originPixels, printableMm.size() * pixelsPerMm,
                     printer.pageLayout().fullRect(QPageLayout::Millimeter).size() * pixelsPerMm);
}

PreviewPrinter::~PreviewPrinter()
{
    abandonDocument();
}

void PreviewPrinter::startPage()
{
    if (!PageStarted)
        return;
    painter.save();
    // What is on the paper comes out turned with the page.
    if (placement().Turned) {
        const QPointF centre = originPixels + pagePixels().center();
        painter.translate(centre);
        painter.rotate(180);
        painter.translate(-centre);
    }
    painter.translate(originPixels);
    painter.scale(pixelsPerMm, pixelsPerMm);
    PageStarted(painter);
    painter.restore();
}

void PreviewPrinter::beginDocument()
{
    if (!painter.begin(&printer))
        throw RunError(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰを表示できません。"));
    startPage();
}

void PreviewPrinter::breakPage()
{
    if (!printer.newPage())
        throw RunError(QStringLiteral("新しいページを始められません。"));
    startPage();
}

void PreviewPrinter::finishDocument()
{
    painter.end();
}

void PreviewPrinter::abortDocument()
{
    if (painter.isActive())
        painter.end();
}
