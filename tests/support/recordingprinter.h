#pragma once
// A printer for tests: it behaves as every printer of the program does
// (PagedPrinter) but measures with fixed metrics and remembers what was
// printed, where, in which font and size, on which page of which document,
// and how each document ended.
//
// Fixed metrics, like the program's fixed-pitch fonts: a line is as high as
// the font size (12 pt = 240 twips); a text is as wide as its CP932 bytes at
// half the font size each (a half-width character 120 twips at 12 pt, a
// full-width one 240 twips). The device has 1440 pixels to the inch, so in
// twips every number is exact.
#include "platform/pagedprinter.h"
#include "platform/printerchoice.h"

#include <QList>
#include <QMarginsF>
#include <QPointF>
#include <QStringList>
#include <QSizeF>
#include <memory>

struct PrintedText {
    QString text;  // one line
    double x = 0;  // top-left corner, in the scale set when it was printed
    double y = 0;
    PrinterDevice::Scale scale = PrinterDevice::Scale::Twips;
    QString font;
    double size = 0;
    bool bold = false;
    int document = 0; // 1 ...
    int page = 0;     // 1 ... within its document
    bool turned = false; // upside down: (x, y) is still the top-left corner of its box
    // A character of a vertical line printed in a form of its own
    // (printVerticalCharacter); plain print() leaves these as they are.
    bool cell = false;
    PrinterDevice::CellForm form = PrinterDevice::CellForm::AsIs;
    quint32 glyph = 0;       // the glyph index drawn, in the font that prints
    quint32 horizontal = 0;  // the glyph horizontal text draws for the same character
    bool quarterTurned = false; // drawn turned a quarter clockwise
};

// A straight line as it landed on the page (placement applied).
struct PrintedLine {
    QPointF from, to; // in the scale set when it was drawn
    PrinterDevice::Scale scale = PrinterDevice::Scale::Twips;
    int document = 0;
    int page = 0;
};

struct RecordedDocument {
    enum class State { Open, Ended, Killed };
    State state = State::Open;
    int pages = 0;
};

class RecordingPrinter : public PagedPrinter {
public:
    // The printable area in millimetres (A4 with 10 mm margins unless told),
    // and the page's margins around it.
    explicit RecordingPrinter(QSizeF printableMm = QSizeF(190, 277), QMarginsF marginsMm = QMarginsF());

    // Positions as they land on the page: the placement applied.
    QList<PrintedText> printed;
    QList<PrintedLine> lines;
    QList<RecordedDocument> documents;

    // What was printed on one page of one document, in order.
    QList<PrintedText> onPage(int page, int document = 1) const;
    // The texts of one page, in order.
    QStringList textsOnPage(int page, int document = 1) const;
    int endedCount() const;
    int killedCount() const;

protected:
    double dpiX() const override { return 1440; }
    double dpiY() const override { return 1440; }
    QSizeF printableSize() const override { return area; }
    QRectF pagePixels() const override { return page; }
    double lineHeight() const override;
    double lineWidth(const QString &line) const override;
    void drawLine(const QString &line, double px, double py, bool turned) override;
    void drawRule(QPointF from, QPointF to) override;
    // Finds the glyphs in the real font of the current name and size, as a
    // painted printer does, so tests see the glyph index that would print.
    void drawVerticalCharacter(const QString &character, CellForm form, double px, double py,
                               bool turned) override;
    void beginDocument() override;
    void breakPage() override;
    void finishDocument() override;
    void abortDocument() override;

private:
    QSizeF area; // pixels = twips
    QRectF page; // from the printable area's corner, pixels
};

// Hands every print command a new RecordingPrinter whose printable area is
// the job's page less its PDF margins (or `nextArea` when set), and keeps
// them all. `cancelNext` makes the next command get no printer, as when the
// user cancels the save dialog.
class RecordingPrinterChoice : public PrinterChoice {
public:
    std::shared_ptr<PrinterDevice> open(QWidget *parent, const PrintJob &job) override;
    // Answers setupAnswer; when it is true and setupNames has names, the
    // first of them becomes the printer in use.
    bool setup(QWidget *parent) override;
    QString printerName() const override { return name; }

    QString name = PdfPrinterName; // the printer in use
    QStringList setupNames;
    QList<std::shared_ptr<RecordingPrinter>> opened;
    QList<PrintJob> jobs;
    QSizeF nextArea; // millimetres; empty: from the job
    int cancelNext = 0;
    int setupCount = 0;
    bool setupAnswer = true;
    // The last printer handed out (fails the caller's test when none was).
    RecordingPrinter *last() const { return opened.isEmpty() ? nullptr : opened.last().get(); }
};
