#include "app/listprinting.h"

#include "store/addressrecord.h"
#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/settingsrecord.h"

#include "platform/codec.h"
#include "platform/printerdevice.h"
#include "platform/runerror.h"

#include <algorithm>
#include <cmath>

namespace {

// A fixed-width field as the record holds it, trailing blanks included.
QString fixedField(const AddressRecord &record, int field)
{
    return Cp932::decode(record.fieldBytes(field));
}

QString leadingBlankNumber(qint64 n)
{
    return n >= 0 ? QStringLiteral(" ") + QString::number(n) : QString::number(n);
}

// Reads record n of either format into FieldText. A record the file no
// longer holds (it shrank behind the program's back) cannot be read.
void readListRecord(DataModule &dm, int n)
{
    const qint64 size = dm.DataChannel ? dm.DataChannel->size() : 0;
    const qint64 start = dm.DataFormat == DataModule::FixedLength
        ? qint64(n - 1) * dm.RecordLength
        : (n >= 1 && n < DataModule::LineIndexSize ? qint64(dm.LineIndex[n]) - 1 : size);
    if (start >= size)
        throw RunError(QStringLiteral("レコード %1 を読めません。(ファイルが短くなっています)").arg(n));
    dm.LoadRecord(n);
}

} // namespace

PrintJob ListPrintJob(const QString &bookFolder)
{
    PrintJob job;
    job.title = QStringLiteral("一覧印刷");
    job.pdfFileName = QStringLiteral("一覧印刷.pdf");
    job.pdfFolder = bookFolder;
    job.pageSize = QPageSize(QPageSize::A4);
    job.orientation = QPageLayout::Portrait;
    job.pdfMarginsMm = QMarginsF(10, 10, 10, 10);
    job.printerPaper = true;
    return job;
}

QString ListNumberText(double value)
{
    return QString::number(value, 'g', 7);
}

ListGeometry MeasureListPage(PrinterDevice &printer)
{
    ListGeometry g;
    g.lineHeight = printer.textHeight(QStringLiteral("|\n|\n")) / 3;
    g.linesPerPage = g.lineHeight > 0 ? int(std::floor(printer.scaleHeight() / g.lineHeight)) : 0;
    g.recordsPerPage = std::max(1, (g.linesPerPage - 2) / 3);
    g.charWidth = printer.textWidth(QStringLiteral("AB@")) / 3;
    g.charsPerLine = g.charWidth > 0 ? std::max(0, int(std::floor(printer.scaleWidth() / g.charWidth))) : 0;
    return g;
}

QString ListHeader(const QDate &today, const QString &fileName)
{
    return settingsDateText(today) + QStringLiteral("  ") + fileName;
}

QString ListTitle(const QString &header, int page)
{
    return header + QStringLiteral(" :") + leadingBlankNumber(page) + QStringLiteral("ﾍﾟｰｼﾞ");
}

QStringList ListRecordTexts(const AddressRecord &record, int number, int width)
{
    const QString indent = QStringLiteral("\u3000\u3000");
    const QString first = indent + fixedField(record, Name) + fixedField(record, PostalCode)
        + QLatin1Char(' ') + record.fieldText(Address1) + fixedField(record, Address2);
    const QString second = indent + fixedField(record, Furigana) + QString(14, QLatin1Char(' '))
        + QStringLiteral("電話番号：") + fixedField(record, Phone) + QString(22, QLatin1Char(' '))
        + QStringLiteral("ﾏｰｸ:") + fixedField(record, Mark);
    const QString separator = QString(std::max(0, width), QLatin1Char('-'))
        + (number % 10 == 0 ? leadingBlankNumber(number) : QStringLiteral(" "));
    return {first + QLatin1Char('\n') + second, separator};
}

void PrintListRecord(DataModule &dm, PrinterDevice &printer, int width)
{
    dm.FieldsToRecord();
    const QStringList texts = ListRecordTexts(dm.RecordBuffer, dm.CurrentRecord, width);
    printer.print(texts[0]);
    printer.print(texts[1]);
}

void PrintListPages(DataModule &dm, PrinterDevice &printer, int recordsPerPage, int charsPerLine,
                    const QString &header)
{
    const int perPage = std::max(1, recordsPerPage);
    int page = 1;
    for (int first = 1; first <= dm.RecordCount; first += perPage) {
        const QString title = ListTitle(header, page);
        printer.setCurrentX(printer.scaleWidth() - printer.textWidth(title) - 284);
        printer.print(title);
        printer.print(QString(std::max(0, charsPerLine), QLatin1Char('-')));
        const int last = std::min<int>(dm.RecordCount, first + perPage - 1);
        for (int n = first; n <= last; ++n) {
            dm.CurrentRecord = n;
            readListRecord(dm, n);
            PrintListRecord(dm, printer, charsPerLine - 5);
        }
        ++page;
        printer.newPage();
    }
}
