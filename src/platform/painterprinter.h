#pragma once
// The printer drawn with QPainter, once for every paint device:
// - QtPrinter: a QPrinter, either a system printer (CUPS) or a PDF file;
// - ImagePrinter: pages of QImage (previews, tests).
// Fonts are the program's names ("ＭＳ 明朝", "ＭＳ ゴシック", ...) drawn
// through the IPA substitutions; metrics come from the font on the device,
// so text measures the same as it prints.
#include "platform/pagedprinter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QRawFont>
#include <memory>
#include <optional>

class QPaintDevice;
class QPrinter;
class QWidget;

class PainterPrinter : public PagedPrinter {
public:
    ~PainterPrinter() override;
    // The font drawn with, as the device resolves it.
    QFont drawingFont() const { return qfont; }

protected:
    PainterPrinter();
    // Called by subclasses once their device exists.
    void attach(QPaintDevice &device);
    QPaintDevice &device() const { return *paintDevice; }
    // The printable area within the device, in pixels, when it is not the
    // whole device, and the page it lies on (from the device's corner) as
    // the job asked for it: a PDF page is rounded to whole points, the card
    // it stands for is not.
    void setPrintableArea(QPointF originPixels, QSizeF sizePixels, QSizeF pageSizePixels = QSizeF());
    QPainter painter;

    double dpiX() const override;
    double dpiY() const override;
    QSizeF printableSize() const override;
    QRectF pagePixels() const override;
    double lineHeight() const override;
    double lineWidth(const QString &line) const override;
    void fontChanged() override;
    void drawLine(const QString &line, double px, double py, bool turned) override;
    void drawRule(QPointF from, QPointF to) override;
    void drawVerticalCharacter(const QString &character, CellForm form, double px, double py,
                               bool turned) override;
    // Whether the device keeps what it prints as text (a PDF, a printer's
    // spool): a vertical glyph, which the font maps to no character, then
    // goes with an invisible copy of its character in the same cell, so the
    // page still reads (and searches) as the text it shows.
    virtual bool keepsText() const { return false; }

private:
    QPaintDevice *paintDevice = nullptr;
    std::optional<QPointF> areaOrigin;
    QSizeF areaSize;
    QSizeF pageSize;
    QFont qfont;
    std::optional<QFontMetricsF> metrics;
    // qfont's face at its size on the device, for glyphs by index.
    const QRawFont &glyphFont();
    std::optional<QRawFont> rawFont;
};

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

// Pages of images at a resolution: each page a white image of the printable
// area. For previews and tests.
class ImagePrinter : public PainterPrinter {
public:
    ImagePrinter(QSizeF printableMm, int dotsPerInch);
    ~ImagePrinter() override;
    // The pages of the last ended document.
    QList<QImage> pages() const { return done; }

protected:
    void beginDocument() override;
    void breakPage() override;
    void finishDocument() override;
    void abortDocument() override;

private:
    QImage blankPage() const;
    QImage current;
    QList<QImage> drawn;
    QList<QImage> done;
};
