#pragma once
// What every printer of the program does the same way, whatever it draws on:
// the scale, the font, the current position, lines of text printed downwards,
// and the document with its deferred page breaks (see printerdevice.h).
// The position is kept in device pixels, so a change of scale keeps the
// place. A device says how it measures and draws; this class does the rest.
#include "platform/printerdevice.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

class PagedPrinter : public PrinterDevice {
public:
    void setScale(Scale scale) override { currentScale = scale; }
    Scale scale() const { return currentScale; }
    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    QString fontName() const override { return font.name; }
    double fontSize() const override { return font.size; }
    bool fontBold() const { return font.bold; }

    double currentX() const override { return toUnitsX(x); }
    double currentY() const override { return toUnitsY(y); }
    void setCurrentX(double value) override { x = toPixelsX(value); }
    void setCurrentY(double value) override { y = toPixelsY(value); }

    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void print(const QString &text) override;
    void printVerticalCharacter(const QString &character, CellForm form) override;

    void line(double x1, double y1, double x2, double y2) override;

    double scaleWidth() const override;
    double scaleHeight() const override;
    QRectF pageArea() const override;

    void setPlacement(const PagePlacement &value) override { pagePlacement = value; }
    PagePlacement placement() const override { return pagePlacement; }

    void newPage() override;
    void endDoc() override;
    void killDoc() override;

    // The page of the open document that is printed on (1 ...), 0 when no
    // document is open.
    int pageNumber() const { return open ? page : 0; }

    // A text split at its line feeds (CR LF, LF or a lone CR).
    static QStringList splitLines(const QString &text);

protected:
    struct FontSpec {
        QString name;
        double size = 12;
        bool bold = false;
    };
    const FontSpec &currentFont() const { return font; }

    // The device's resolution in pixels per inch.
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
    // The printable area in pixels.
    virtual QSizeF printableSize() const = 0;
    // The page in pixels from the printable area's corner; by default the
    // printable area itself (a device without margins).
    virtual QRectF pagePixels() const { return QRectF(QPointF(0, 0), printableSize()); }
    // Metrics of the current font, in pixels.
    virtual double lineHeight() const = 0;
    virtual double lineWidth(const QString &line) const = 0;
    // Called after the font changed.
    virtual void fontChanged() {}
    // Draws one line of text with its top-left corner at (px, py) pixels on
    // the current page; `turned`: upside down, filling the same box (as wide
    // as lineWidth, as high as lineHeight) from its other corner.
    virtual void drawLine(const QString &line, double px, double py, bool turned) = 0;
    // Draws a straight line, 0.1 mm wide, between two points in pixels.
    virtual void drawRule(QPointF from, QPointF to) = 0;
    // Draws one character of a vertical line in `form` (see PrinterDevice)
    // with its cell's top-left corner at (px, py) pixels; `turned`: upside
    // down in the same cell (as wide as lineWidth, as high as lineHeight).
    virtual void drawVerticalCharacter(const QString &character, CellForm form, double px, double py,
                                       bool turned) = 0;
    // The document's life on the device; begin and break throw RunError.
    virtual void beginDocument() = 0;
    virtual void breakPage() = 0;
    virtual void finishDocument() = 0;
    virtual void abortDocument() = 0;

    // Closes an open document without delivering it; for destructors.
    void abandonDocument();

private:
    double unitsPerInch() const { return currentScale == Scale::Twips ? 1440.0 : 25.4; }
    double toUnitsX(double px) const { return px * unitsPerInch() / dpiX(); }
    double toUnitsY(double px) const { return px * unitsPerInch() / dpiY(); }
    double toPixelsX(double units) const { return units * dpiX() / unitsPerInch(); }
    double toPixelsY(double units) const { return units * dpiY() / unitsPerInch(); }
    // Opens the document when needed and carries out waiting page breaks.
    void prepareOutput();
    // Where the placement puts a box of the page (pixels): its top-left
    // corner on the paper.
    QPointF placed(double px, double py, double width, double height) const;
    // The printable area's right and bottom edges seen from the page, pixels.
    QPointF placedAreaEnd() const;

    Scale currentScale = Scale::Twips;
    FontSpec font;
    PagePlacement pagePlacement;
    double x = 0;
    double y = 0;
    bool open = false;
    int page = 0;
    int pendingBreaks = 0;
};
