#pragma once
// The printer as the program draws on it: a scale (twips or millimetres),
// a current font, a current position, and lines of text printed from there.
#include <QString>

class PrinterDevice {
public:
    enum class Scale { Twips, Millimetres };
    virtual ~PrinterDevice() = default;

    virtual void setScale(Scale scale) = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual QString fontName() const = 0;
    virtual double fontSize() const = 0;

    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    // Width and height of a text in the current font and scale; a text of
    // several lines (separated by line feeds) is as high as its lines.
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;
    // Prints the text at the current position; afterwards x is back at the
    // left edge and y one line lower (per line of the text).
    virtual void print(const QString &text) = 0;

    // The printable area in the current scale.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    virtual void killDoc() = 0;
};
