#pragma once
// 一覧印刷: every record of the open book as a paged list, in twips on any
// PrinterDevice. Each page has a title (date, file name, page number)
// right-aligned 284 twips from the right edge, a dashed line, and a block of
// three printed lines per record; every page ends with a page break.
// Records are read through the data module, so one routine serves both
// formats. A record that cannot be read throws RunError: the caller kills
// the document, so a list never silently lacks records.
#include "platform/printerchoice.h"

#include <QDate>
#include <QString>
#include <QStringList>

class AddressRecord;
class DataModule;
class PrinterDevice;

struct ListGeometry {
    double lineHeight = 0;   // twips
    int linesPerPage = 0;
    int recordsPerPage = 0;  // at least 1
    double charWidth = 0;    // twips
    int charsPerLine = 0;
};

// Measured once on the printer, in twips, after its font is set. A font so
// large that not even one block fits still prints one record per page.
ListGeometry MeasureListPage(PrinterDevice &printer);

// The date as "MM-dd-yyyy", two blanks, the file name.
QString ListHeader(const QDate &today, const QString &fileName);
// The title of a page: header + " : N" + "ﾍﾟｰｼﾞ".
QString ListTitle(const QString &header, int page);

// A record block as printed: the first two lines as one text (joined by a
// line feed) and the separator line of `width` dashes ending with the
// record number at every tenth record, a blank otherwise.
QStringList ListRecordTexts(const AddressRecord &record, int number, int width);

// Prints FieldText (through RecordBuffer) as the block of CurrentRecord.
void PrintListRecord(DataModule &dm, PrinterDevice &printer, int width);
// Prints every record, page by page; CurrentRecord is left at the last one.
void PrintListPages(DataModule &dm, PrinterDevice &printer, int recordsPerPage, int charsPerLine,
                    const QString &header);

// The list's print job: A4 portrait (a real printer's own paper), PDF
// margins of 10 mm, the PDF proposed as "一覧印刷.pdf" in the book's folder.
PrintJob ListPrintJob(const QString &bookFolder);

// A number as the program writes it in texts: "10.5", "8", "9.75".
QString ListNumberText(double value);
