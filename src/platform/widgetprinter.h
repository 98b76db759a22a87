#pragma once
// WidgetPrinter: the printer that draws a page's picture on a window.
#include "platform/painterprinter.h"

#include <QPointF>
#include <QSizeF>

class QWidget;

// A widget's picture of a page: a PainterPrinter over the widget, drawn at
// `scale` of the printed size (the layout view shows the card at 0.6), the
// printable area's top-left corner at `originPixels` of the widget and
// `printableMm` printed millimetres large. It measures at any time; it draws
// only while the widget paints (a document begun in its paintEvent), on one
// page: a page break draws the next page over it.
class WidgetPrinter : public PainterPrinter {
public:
    WidgetPrinter(QWidget &widget, double scale, QPointF originPixels, QSizeF printableMm);
    ~WidgetPrinter() override;

protected:
    void beginDocument() override;
    void breakPage() override {}
    void finishDocument() override;
    void abortDocument() override;

private:
    QWidget &widget;
    double scale;
    QPointF origin;
};
