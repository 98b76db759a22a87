#include "platform/widgetprinter.h"

#include "platform/runerror.h"

#include <QWidget>

WidgetPrinter::WidgetPrinter(QWidget &target, double pictureScale, QPointF originPixels, QSizeF printableMm)
    : widget(target), scale(pictureScale), origin(originPixels)
{
    attach(widget);
    setPrintableArea(QPointF(0, 0), QSizeF(printableMm.width() / 25.4 * dpiX(), printableMm.height() / 25.4 * dpiY()));
}

WidgetPrinter::~WidgetPrinter()
{
    abandonDocument();
}

void WidgetPrinter::beginDocument()
{
    if (!painter.begin(&widget))
        throw RunError(QStringLiteral("画面に描けません。"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(origin);
    painter.scale(scale, scale);
}

void WidgetPrinter::finishDocument()
{
    painter.end();
}

void WidgetPrinter::abortDocument()
{
    if (painter.isActive())
        painter.end();
}
