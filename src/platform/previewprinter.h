#pragma once
// The printer drawn on a print preview's pages: a QPrinter that somebody
// else owns (the preview's, or any other for a test), drawn on as a whole
// page, with the printable area where the job would have it. Positions are
// taken from that printable area, as on the printer the job goes to, so the
// preview shows every text where it will print.
//
// Before anything is printed on a page, `PageStarted` may draw on it (what
// only a preview shows: the card's own printing), with the painter in
// millimetres from the printable area's top-left corner; a turned placement
// turns it with the page, the shift does not move it (it is on the card,
// not printed). Ending the document closes the painter; the pages
// stay with the QPrinter's owner.
#include "platform/painterprinter.h"

#include <QRectF>
#include <functional>

class QPrinter;

class PreviewPrinter : public PainterPrinter {
public:
    PreviewPrinter(QPrinter &printer, const QRectF &printableMm);
    ~PreviewPrinter() override;

    std::function<void(QPainter &painter)> PageStarted;

protected:
    void beginDocument() override;
    void breakPage() override;
    void finishDocument() override;
    void abortDocument() override;

private:
    void startPage();

    QPrinter &printer;
    QPointF originPixels;
    double pixelsPerMm = 1;
};
