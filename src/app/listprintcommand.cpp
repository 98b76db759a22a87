// 一覧印刷: the whole book as a paged list on the printer.
#include "app/adrsbook.h"

#include "app/listprinting.h"
#include "store/datamodule.h"

#include "platform/pointer.h"
#include "platform/printerchoice.h"
#include "platform/printerdevice.h"
#include "platform/runerror.h"

#include <QFileInfo>

namespace {

const QString Caption = QStringLiteral("一覧印刷");

QString withLeadingBlank(const QString &number)
{
    return number.startsWith(QLatin1Char('-')) ? number : QStringLiteral(" ") + number;
}

} // namespace

void Adrsbook::Menu_Disp_All_Click()
{
    if (!hasRecords())
        return;
    const QString question = QStringLiteral("一覧印刷を行います。\n　フォント名：") + dm.IchiFnt
        + QStringLiteral("\n　フォントサイズ：") + withLeadingBlank(ListNumberText(dm.IchiFsz));
    if (dm.Msg(this, question, MsgIcon::Question, MsgButtons::YesNo, Caption) != MsgAnswerCode::Yes)
        return;

    const TraceEntry trace(dm, QStringLiteral("Menu_Disp_All_Click"));
    std::shared_ptr<PrinterDevice> printer;
    try {
        printer = dm.Platform.Printers->open(this, ListPrintJob(QFileInfo(dm.DataFilePath()).absolutePath()));
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("Menu_Disp_All_Click"), error.description(), this);
        return;
    }
    // The user cancelled choosing the PDF file: nothing is printed.
    if (!printer)
        return;

    try {
        // The postcard printing leaves its printer in millimetres: the list
        // sets its unit every time.
        printer->setScale(PrinterDevice::Scale::Twips);
        printer->setFontName(dm.IchiFnt);
        printer->setFontSize(dm.IchiFsz);
        printer->setFontBold(false);
        const QString header = ListHeader(QDate::currentDate(), dm.CurrentFileName);
        const ListGeometry page = MeasureListPage(*printer);
        if (dm.Settings.DebugMode == 1) {
            const QStringList lines = {
                QStringLiteral("IchiFnt : ") + dm.IchiFnt,
                QStringLiteral("IchiFsz :") + withLeadingBlank(ListNumberText(dm.IchiFsz)),
                QStringLiteral("Header  : ") + header,
                QStringLiteral("Bfnum   :") + withLeadingBlank(QString::number(page.linesPerPage)),
                QStringLiteral("Prt.FntN: ") + printer->fontName(),
                QStringLiteral("Prt.FntS:") + withLeadingBlank(ListNumberText(printer->fontSize())),
            };
            dm.Msg(this, lines.join(QLatin1Char('\n')), MsgIcon::None, MsgButtons::Ok, Caption);
        }
        {
            Pointer::Hourglass busy(dm.SavedPointer);
            PrintListPages(dm, *printer, page.recordsPerPage, page.charsPerLine, header);
            printer->endDoc();
        }
    } catch (const RunError &error) {
        // Nothing of a list that failed half-way reaches the printer.
        printer->killDoc();
        dm.ErrReport(QStringLiteral("Menu_Disp_All_Click"), error.description(), this);
        return;
    }
    dm.Msg(this, QStringLiteral("一覧印刷 完了"), MsgIcon::Information, MsgButtons::Ok, Caption);
}
