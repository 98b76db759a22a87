#pragma once
// QtPrinter: the program's printer on paper or into a PDF file.
#include "platform/painterprinter.h"

#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <memory>
#include <optional>

class QPrinter;

// A QPrinter. A PDF page has exactly the margins asked for (Qt would round
// them to whole points). For a PDF file the document is written into a hidden
// temporary file beside the target and renamed into place when it ends, so a
// killed or failed document leaves no file behind and an existing file as it
// was. For a system printer the document is written into a temporary file
// and handed to the printer's queue when it ends; a killed document never
// reaches the queue.
class QtPrinter : public PainterPrinter {
public:
    // A PDF file at `path`, pages of `pageSize` with `marginsMm`.
    static std::unique_ptr<QtPrinter> pdf(const QString &path, const QPageSize &pageSize,
                                          QPageLayout::Orientation orientation,
                                          const QMarginsF &marginsMm, const QString &title);
    // The system printer `name`; its own paper unless `pageSize` is given
    // (or `layout`, a page layout the printer dialog chose).
    static std::unique_ptr<QtPrinter> system(const QString &name, const QString &title,
                                             const std::optional<QPageSize> &pageSize,
                                             QPageLayout::Orientation orientation,
                                             const std::optional<QPageLayout> &layout,
                                             int copies = 1);
    ~QtPrinter() override;

    QPrinter &printer() const { return *qprinter; }
    bool isPdf() const { return !pdfTarget.isEmpty(); }
    // The file the PDF goes to, or the printer's name.
    QString pdfPath() const { return pdfTarget; }
    QString printerName() const;
    // Jobs handed to the queue so far (their CUPS job numbers).
    QList<int> submittedJobs() const { return jobs; }

protected:
    QRectF pagePixels() const override;
    void beginDocument() override;
    void breakPage() override;
    void finishDocument() override;
    void abortDocument() override;
    bool keepsText() const override { return true; }

private:
    QtPrinter(std::unique_ptr<QPrinter> printer, const QString &pdfPath, const QString &title);
    void removeSpool();

    std::unique_ptr<QPrinter> qprinter;
    QString pdfTarget;
    QString jobTitle;
    QString spoolPath; // the temporary file of the open document
    QList<int> jobs;
    int copies = 1;
    QString mediaKey; // the paper asked of the queue; empty: the printer's own
};
