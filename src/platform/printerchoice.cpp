#include "platform/printerchoice.h"

#include "platform/commondialogs.h"
#include "platform/messagebox.h"
#include "platform/qtprinter.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

PrinterChoice::~PrinterChoice() = default;

PreviewSheet PrinterChoice::previewSheet(const PrintJob &job) const
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(QPageLayout(job.pageSize, job.orientation, QMarginsF(), QPageLayout::Millimeter));
    printer->setFullPage(true);
    const QSizeF page = printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
    const QMarginsF &m = job.pdfMarginsMm;
    const QRectF printable(m.left(), m.top(), page.width() - m.left() - m.right(),
                           page.height() - m.top() - m.bottom());
    return {std::move(printer), printable};
}

PreviewSheet SystemPrinterChoice::previewSheet(const PrintJob &job) const
{
    const QString name = printerInUse();
    if (name.isEmpty())
        return PrinterChoice::previewSheet(job);
    // The same page as open() asks of the printer, so the same margins.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    if (!printer->isValid() || printer->printerName() != name
        || printer->outputFormat() != QPrinter::NativeFormat)
        throw RunError(QStringLiteral("プリンタ %1 が見つかりません。").arg(name));
    if (!job.printerPaper)
        printer->setPageSize(job.pageSize);
    else if (chosenLayout)
        printer->setPageLayout(*chosenLayout);
    printer->setPageOrientation(job.orientation);
    // In the printer's own pixels, as the print command's device measures
    // it (the millimetres of the page layout are rounded to points).
    printer->setFullPage(false);
    const double mmPerPixel = 25.4 / printer->resolution();
    const QPoint origin = printer->pageLayout().paintRectPixels(printer->resolution()).topLeft();
    const QRectF printable(QPointF(origin) * mmPerPixel,
                           QSizeF(printer->width(), printer->height()) * mmPerPixel);
    printer->setFullPage(true);
    return {std::move(printer), printable};
}

SystemPrinterChoice::SystemPrinterChoice(MessageBoxes &messageBoxes, CommonDialogs &commonDialogs)
    : boxes(messageBoxes), dialogs(commonDialogs)
{
}

SystemPrinterChoice::~SystemPrinterChoice() = default;

QString SystemPrinterChoice::printerInUse() const
{
    if (chosenPdf)
        return QString();
    if (!chosenName.isEmpty())
        return chosenName;
    const QString standard = QPrinterInfo::defaultPrinterName();
    if (!standard.isEmpty())
        return standard;
    return QPrinterInfo::availablePrinterNames().value(0);
}

QString SystemPrinterChoice::printerName() const
{
    const QString name = printerInUse();
    return name.isEmpty() ? PdfPrinterName : name;
}

std::shared_ptr<PrinterDevice> SystemPrinterChoice::open(QWidget *parent, const PrintJob &job)
{
    const QString name = printerInUse();
    if (!name.isEmpty()) {
        return QtPrinter::system(name, job.title,
                                 job.printerPaper ? std::nullopt : std::optional<QPageSize>(job.pageSize),
                                 job.orientation,
                                 job.printerPaper ? chosenLayout : std::nullopt, chosenCopies);
    }
    const QString path = askPdfPath(parent, job);
    if (path.isEmpty())
        return nullptr;
    return QtPrinter::pdf(path, job.pageSize, job.orientation, job.pdfMarginsMm, job.title);
}

QString SystemPrinterChoice::askPdfPath(QWidget *parent, const PrintJob &job)
{
    const QDir folder(job.pdfFolder.isEmpty() ? QDir::currentPath() : job.pdfFolder);
    QString proposed = folder.absoluteFilePath(job.pdfFileName);
    for (;;) {
        QString path = dialogs.saveFileName(parent, PdfSaveTitle, proposed,
                                            QStringLiteral("PDF ファイル (*.pdf)"));
        if (path.isEmpty())
            return QString();
        // A name typed without its extension gets the PDF one, as save
        // dialogs do.
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        const QFileInfo target(path);
        proposed = target.absoluteFilePath();
        if (!target.exists())
            return target.absoluteFilePath();
        if (target.isDir()) {
            boxes.show(parent, QStringLiteral("%1 はフォルダです。\n別の名前を指定してください。").arg(target.fileName()),
                       MsgIcon::Exclamation, MsgButtons::Ok, PdfSaveTitle);
            continue;
        }
        const int answer = boxes.show(parent,
                                      QStringLiteral("%1 は既に存在します。\n置き換えますか？").arg(target.fileName()),
                                      MsgIcon::Exclamation, MsgButtons::YesNo, PdfSaveTitle);
        if (answer == MsgAnswerCode::Yes)
            return target.absoluteFilePath();
    }
}

bool SystemPrinterChoice::setup(QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    if (chosenPdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else if (!chosenName.isEmpty()) {
        printer.setPrinterName(chosenName);
        if (chosenLayout)
            printer.setPageLayout(*chosenLayout);
        printer.setCopyCount(chosenCopies);
    }
    if (!dialogs.choosePrinter(parent, printer))
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty()) {
        chosenPdf = true;
        chosenName.clear();
        chosenLayout.reset();
        chosenCopies = 1;
    } else {
        chosenPdf = false;
        chosenName = printer.printerName();
        chosenLayout = printer.pageLayout();
        chosenCopies = printer.copyCount();
    }
    return true;
}
