#pragma once
// CardPreview — the print preview (印刷ﾌﾟﾚﾋﾞｭｰ) of one card or of an all-print run.
// CardPreview "印刷ﾌﾟﾚﾋﾞｭｰ": the platform's print preview of the postcards,
// before a card is spent. It shows either the current card (単印刷: the
// print dialog's boxes as they stand) or every card of an all-print run
// (全印刷), drawn by the print engine itself onto the page and printable
// area of the printer the cards would go to. Only the preview also shows
// the card's printed postal-code boxes, faintly, so the user sees where the
// digits land.
//
// The preview prints nothing itself: its 印刷 button closes it and asks the
// print dialog to run the command whose cards were shown (the same cards,
// through the printer the program prints on). Closed any other way, nothing
// is printed or counted.
#include "platform/printerchoice.h"

#include <QPrintPreviewDialog>
#include <QStringList>
#include <functional>

class PrinterDevice;
class QAction;
class QLabel;
class QPrintPreviewWidget;

class CardPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    enum class Cards { Current, AllPrint };

    // What a rendering put on the pages.
    struct Rendered {
        int Cards = 0;        // cards drawn, one a page
        QStringList LeftOut;  // cards that would not be printed (below the printable area)
        QString Error;        // a failure's description; empty when none
    };
    // Draws the shown cards on a printer (scaled by the engine itself); pages
    // and the document's end are the preview's.
    using Render = std::function<Rendered(PrinterDevice &printer, Cards cards)>;

    // `sheet` lends the preview its printer and must outlive the window.
    CardPreview(PreviewSheet &sheet, Render render, QWidget *parent = nullptr);
    ~CardPreview() override;

    Cards ShownCards() const { return shown; }
    void ShowCards(Cards cards);
    // Whether the user asked for the shown cards to be printed.
    bool PrintRequested() const { return printRequested; }
    // Draws the pages onto `printer`: the preview's own, or another one.
    void PaintCards(QPrinter *printer);
    // What the last drawing put on the pages.
    const Rendered &LastRendered() const { return last; }
    QPrintPreviewWidget *PreviewWidget() const { return preview; }

    QAction *View_Tan;   // 単印刷: the current card
    QAction *View_All;   // 全印刷: every card of an all-print run
    QAction *View_Print; // 印刷(&P)
    // Names the cards that would be left out, when there are any.
    QLabel *LeftOutLabel;

private:
    QRectF printableMm;
    Render render;
    Cards shown = Cards::Current;
    bool printRequested = false;
    Rendered last;
    QPrintPreviewWidget *preview = nullptr;
};
