// 位置合わせ印刷 and 位置の調整 of the print dialog: the alignment sheet on the
// printer the next card goes to, and the printer's own shift and feed.
#include "print/aligndialog.h"
#include "print/alignmentsheet.h"
#include "print/cardgeometry.h"
#include "print/princard.h"
#include "print/printershift.h"
#include "print/printtable.h"
#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/pointer.h"
#include "platform/printerdevice.h"
#include "platform/runerror.h"

#include <QPrinter>
#include <QRadioButton>

void PrinCard::Print_Sheet_Click()
{
    if (printing)
        return;
    const QString handler = QStringLiteral("Print_Sheet_Click");
    const std::optional<CardCorrections> corrections = readCorrections();
    if (!corrections)
        return;
    AlignmentSheet::Setup setup;
    setup.PrinterName = dm.Platform.Printers->printerName();
    setup.Adjustment = dm.Conf.adjustment(setup.PrinterName);
    setup.Corrections = *corrections;
    setup.Direction = Option1->isChecked() ? Layout::Vertical : Layout::Horizontal;
    try {
        PrinterDevice *device = openPrinter();
        if (!device)
            return;
        Pointer::Hourglass hourglass(dm.SavedPointer);
        const PrintTable table = PrepareLayout(*device, dm.Settings, setup.Direction, shownGroupFonts());
        AlignmentSheet::print(*device, table, setup);
        closePrinter(true);
    } catch (const RunError &error) {
        closePrinter(false);
        report(handler, error.description());
        return;
    }
    if (dm.Msg(this,
               QStringLiteral("位置合わせ用紙を印刷しました。\n葉書と重ねて、ずれを測ってください。\n\n続けて位置の調整を行いますか？"),
               MsgIcon::Question, MsgButtons::YesNo, QStringLiteral("位置合わせ印刷"))
        == MsgAnswerCode::Yes)
        Print_Adjust_Click();
}

void PrinCard::Print_Adjust_Click()
{
    if (printing)
        return;
    const std::optional<CardCorrections> corrections = readCorrections();
    if (!corrections)
        return;
    const int direction = Option1->isChecked() ? Layout::Vertical : Layout::Horizontal;
    const PrintTable table = BuildPrintTable(dm.Settings, direction, shownGroupFonts());
    // The crosses stand on the card as the printer in use has its printable area.
    QPointF origin(Card::PdfMarginLeftMm, Card::PdfMarginTopMm);
    try {
        origin = dm.Platform.Printers->previewSheet(cardJob()).printableMm.topLeft();
    } catch (const RunError &) {
        // A printer that went away: the picture shows the card as a PDF has it;
        // printing will say what is wrong.
    }
    AlignDialog dialog(dm, dm.Platform.Printers->printerName(), origin,
                       AlignmentSheet::marks(table, *corrections), this);
    dm.Platform.Modal->run(dialog);
}
