#pragma once
// The printer as the program draws on it: a scale (twips or millimetres),
// a current font, a current position, and lines of text printed from there.
//
// Positions are measured from the top-left corner of the printable area, x to
// the right, y downwards, in the current scale. The document begins with the
// first text printed. A page break takes effect when something is printed
// after it, so a document that ends right after a break has no blank page at
// its end and a break before anything was printed does nothing. Ending or
// killing a document leaves the printer ready for the next one (with the
// position back at the top-left corner; scale and font stay).
//
// Failures of the device (a printer that refuses the job, a PDF file that
// cannot be written, a page without a size) throw RunError with a
// description for the user; the document is then closed and nothing of it is
// delivered.
//
// The placement says where the printer puts the page on the paper: a fine
// shift and, for printers that feed the paper upside down, a turn of the
// whole page by 180° about the page's centre. Positions stay those of the
// page as the user reads it; the printer draws every text and line where the
// placement puts it (shifted first, then turned). So a card, its preview and
// everything else printed on the device move together, and no caller ever
// adds a printer's own correction itself.
#include <QRectF>
#include <QString>

struct PagePlacement {
    double ShiftXMm = 0; // right
    double ShiftYMm = 0; // down
    bool Turned = false; // the page turned by 180°
    bool isIdentity() const { return ShiftXMm == 0 && ShiftYMm == 0 && !Turned; }
    bool operator==(const PagePlacement &) const = default;
};

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
    // several lines (separated by line feeds) is as wide as its widest line
    // and as high as its lines: "|\n|\n" is three lines high.
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;
    // Prints the text at the current position (further lines of the text
    // start at the left edge); afterwards x is back at the left edge and y
    // one line lower per line of the text.
    virtual void print(const QString &text) = 0;

    // How one character of a vertical line stands in its cell (the cell is
    // the character's advance wide and one em high, its top-left corner at
    // the current position):
    // - AsIs: exactly as print() draws it;
    // - VerticalForm: the font's vertical glyph (OpenType vert / vrt2) where
    //   the font has one, else as print();
    // - VerticalOrTurned: the vertical glyph where the font has one, else the
    //   horizontal glyph turned a quarter clockwise about the cell's centre.
    enum class CellForm { AsIs, VerticalForm, VerticalOrTurned };
    // Prints one character of a vertical line in that form at the current
    // position; afterwards x and y are as after print(). The character stays
    // text where the device keeps text (a PDF still reads as the character).
    virtual void printVerticalCharacter(const QString &character, CellForm form) = 0;

    // A straight line from (x1, y1) to (x2, y2), 0.1 mm wide.
    virtual void line(double x1, double y1, double x2, double y2) = 0;

    // The printable area in the current scale: where its right and bottom
    // edges lie in the page's own positions (with a placement that moves the
    // page, the printable area seen from the page moves the other way).
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    // The whole page (the paper) in the current scale, measured from the
    // printable area's top-left corner, as the printer has it without any
    // placement: a page with margins starts left of and above 0.
    virtual QRectF pageArea() const = 0;

    virtual void setPlacement(const PagePlacement &placement) = 0;
    virtual PagePlacement placement() const = 0;

    virtual void newPage() = 0;
    // Ends the document and delivers it (to the printer's queue, or the PDF
    // file into its place). Nothing printed: nothing is delivered.
    virtual void endDoc() = 0;
    // Discards the document: nothing of it is printed and no file is left.
    virtual void killDoc() = 0;
};
