#pragma once
// Which printer a print command gets. The one place that decides:
// - the printer chosen in the printer dialog (setup), for the rest of the run;
// - otherwise the system's default printer (CUPS), or the first printer
//   there is when none is the default;
// - a PDF file when the user chose PDF in the printer dialog or the system
//   has no printer at all. Then the save dialog "PDF ファイルに印刷" asks for
//   the file, starting in the job's folder with the job's file name and
//   asking before it replaces a file; cancelling it gives no printer.
//
// A print command asks for its printer once, before it prints anything, and
// prints nothing when it gets none (the user cancelled: no message either).
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

class CommonDialogs;
class MessageBoxes;
class PrinterDevice;
class QPrinter;
class QWidget;

struct PrintJob {
    QString title;       // the job's name in the printer queue ("一覧印刷")
    QString pdfFileName; // the file name the save dialog proposes ("一覧印刷.pdf")
    QString pdfFolder;   // where the save dialog starts (the open book's folder)
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF pdfMarginsMm; // margins of a PDF page, millimetres
    // On a real printer: true prints on the paper the printer has (its
    // default, or what the printer dialog chose), false on `pageSize`.
    bool printerPaper = false;
};

// What a print preview of a job is drawn on: a printer of the job's page,
// set to draw on the whole page, and where the printable area the job would
// be printed in lies on that page (millimetres from its top-left corner).
// Nothing is ever sent to this printer: it only lends the preview its page.
struct PreviewSheet {
    std::unique_ptr<QPrinter> printer;
    QRectF printableMm;
};

class PrinterChoice {
public:
    virtual ~PrinterChoice();
    // The printer for one print command; nullptr when the user cancelled.
    // Throws RunError when no printer can be had (a chosen printer that has
    // gone away).
    virtual std::shared_ptr<PrinterDevice> open(QWidget *parent, const PrintJob &job) = 0;
    // The printer dialog (ﾌﾟﾘﾝﾀ定義): what is chosen there is printed on for
    // the rest of the run. False when the user cancelled (nothing changes).
    virtual bool setup(QWidget *parent) = 0;
    // The page and printable area `job` would be printed on now, without
    // asking anything: here a PDF page of the job's size and margins.
    virtual PreviewSheet previewSheet(const PrintJob &job) const;
    // The name the next print command's printer goes by, under which the
    // program keeps that printer's own corrections: the queue's name, or
    // "PDF" when a PDF file would be written.
    virtual QString printerName() const = 0;
};

inline const QString PdfPrinterName = QStringLiteral("PDF");

class SystemPrinterChoice : public PrinterChoice {
public:
    SystemPrinterChoice(MessageBoxes &boxes, CommonDialogs &dialogs);
    ~SystemPrinterChoice() override;

    std::shared_ptr<PrinterDevice> open(QWidget *parent, const PrintJob &job) override;
    bool setup(QWidget *parent) override;
    // The printer in use with the job's paper and that printer's margins,
    // or the PDF page when a PDF file would be printed. Throws RunError when
    // the chosen printer has gone away.
    PreviewSheet previewSheet(const PrintJob &job) const override;
    QString printerName() const override;

    // What the printer dialog chose: nothing yet, PDF, or a printer by name.
    bool pdfChosen() const { return chosenPdf; }
    QString chosenPrinter() const { return chosenName; }
    // The printer a command gets now; empty when it would be a PDF file.
    QString printerInUse() const;

    // The save dialog's way to a PDF file name; empty when cancelled.
    QString askPdfPath(QWidget *parent, const PrintJob &job);

private:
    MessageBoxes &boxes;
    CommonDialogs &dialogs;
    bool chosenPdf = false;
    QString chosenName;
    std::optional<QPageLayout> chosenLayout;
    int chosenCopies = 1;
};

inline const QString PdfSaveTitle = QStringLiteral("PDF ファイルに印刷");
