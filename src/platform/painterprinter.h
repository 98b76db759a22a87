#pragma once
// The printer drawn with QPainter, once for every paint device:
// - QtPrinter (platform/qtprinter.h): a QPrinter, either a system printer
//   (CUPS) or a PDF file;
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
    // whole device.
    void setPrintableArea(QPointF originPixels, QSizeF sizePixels);
    QPainter painter;

    double dpiX() const override;
    double dpiY() const override;
    QSizeF printableSize() const override;
    double lineHeight() const override;
    double lineWidth(const QString &line) const override;
    void fontChanged() override;
    void drawLine(const QString &line, double px, double py) override;

private:
    QPaintDevice *paintDevice = nullptr;
    std::optional<QPointF> areaOrigin;
    QSizeF areaSize;
    QFont qfont;
    std::optional<QFontMetricsF> metrics;
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
