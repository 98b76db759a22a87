#pragma once
// The printer drawn with QPainter, once for every paint device:
// - QtPrinter (platform/qtprinter.h): a QPrinter, either a system printer (CUPS) or a PDF file;
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
