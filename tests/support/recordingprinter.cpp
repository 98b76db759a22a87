#include "support/recordingprinter.h"

#include "platform/codec.h"
#include "platform/fonts.h"
#include "platform/verticalglyphs.h"

#include <QHash>
#include <QRawFont>

namespace {
double twipsOf(double mm)
{
    return mm / 25.4 * 1440;
}
} // namespace

RecordingPrinter::RecordingPrinter(QSizeF printableMm, QMarginsF marginsMm)
    : area(twipsOf(printableMm.width()), twipsOf(printableMm.height())),
      page(-twipsOf(marginsMm.left()), -twipsOf(marginsMm.top()),
           twipsOf(marginsMm.left() + printableMm.width() + marginsMm.right()),
           twipsOf(marginsMm.top() + printableMm.height() + marginsMm.bottom()))
{
    Fonts::installSubstitutions();
}

double RecordingPrinter::lineHeight() const
{
    return currentFont().size * 20;
}

double RecordingPrinter::lineWidth(const QString &line) const
{
    return Cp932::byteLength(line) * currentFont().size * 10;
}

void RecordingPrinter::drawLine(const QString &line, double px, double py, bool turned)
{
    const double perPixel = scale() == Scale::Twips ? 1.0 : 25.4 / 1440;
    const FontSpec &f = currentFont();
    printed.append({line, px * perPixel, py * perPixel, scale(), f.name, f.size, f.bold,
                    int(documents.size()), pageNumber(), turned});
}

void RecordingPrinter::drawRule(QPointF from, QPointF to)
{
    const double perPixel = scale() == Scale::Twips ? 1.0 : 25.4 / 1440;
    lines.append({from * perPixel, to * perPixel, scale(), int(documents.size()), pageNumber()});
}

void RecordingPrinter::drawVerticalCharacter(const QString &character, CellForm form, double px, double py,
                                             bool turned)
{
    drawLine(character, px, py, turned);
    PrintedText &p = printed.last();
    QFont font = Fonts::make(p.font, p.size);
    font.setBold(p.bold);
    static QHash<QString, QRawFont> faces; // QRawFont::fromFont is slow; tests print many cells
    const QString key = font.key();
    if (!faces.contains(key))
        faces.insert(key, QRawFont::fromFont(font));
    const VerticalGlyphs::Glyphs glyphs = VerticalGlyphs::of(faces.value(key), character);
    p.cell = true;
    p.form = form;
    p.horizontal = glyphs.Horizontal;
    p.glyph = glyphs.Horizontal;
    if (form != CellForm::AsIs && glyphs.hasVerticalForm())
        p.glyph = glyphs.Vertical;
    p.quarterTurned = form == CellForm::VerticalOrTurned && !glyphs.hasVerticalForm() && glyphs.Horizontal != 0;
}

void RecordingPrinter::beginDocument()
{
    documents.append({RecordedDocument::State::Open, 1});
}

void RecordingPrinter::breakPage()
{
    ++documents.last().pages;
}

void RecordingPrinter::finishDocument()
{
    documents.last().state = RecordedDocument::State::Ended;
}

void RecordingPrinter::abortDocument()
{
    documents.last().state = RecordedDocument::State::Killed;
}

QList<PrintedText> RecordingPrinter::onPage(int page, int document) const
{
    QList<PrintedText> out;
    for (const PrintedText &p : printed)
        if (p.page == page && p.document == document)
            out.append(p);
    return out;
}

QStringList RecordingPrinter::textsOnPage(int page, int document) const
{
    QStringList out;
    for (const PrintedText &p : onPage(page, document))
        out.append(p.text);
    return out;
}

int RecordingPrinter::endedCount() const
{
    int n = 0;
    for (const RecordedDocument &d : documents)
        n += d.state == RecordedDocument::State::Ended;
    return n;
}

int RecordingPrinter::killedCount() const
{
    int n = 0;
    for (const RecordedDocument &d : documents)
        n += d.state == RecordedDocument::State::Killed;
    return n;
}

std::shared_ptr<PrinterDevice> RecordingPrinterChoice::open(QWidget *, const PrintJob &job)
{
    jobs.append(job);
    if (cancelNext > 0) {
        --cancelNext;
        return nullptr;
    }
    QSizeF area = nextArea;
    QMarginsF margins;
    if (area.isEmpty()) {
        const QSizeF page = job.pageSize.size(QPageSize::Millimeter);
        const QSizeF oriented = job.orientation == QPageLayout::Landscape ? page.transposed() : page;
        area = QSizeF(oriented.width() - job.pdfMarginsMm.left() - job.pdfMarginsMm.right(),
                      oriented.height() - job.pdfMarginsMm.top() - job.pdfMarginsMm.bottom());
        margins = job.pdfMarginsMm;
    }
    auto printer = std::make_shared<RecordingPrinter>(area, margins);
    opened.append(printer);
    return printer;
}

bool RecordingPrinterChoice::setup(QWidget *)
{
    ++setupCount;
    if (setupAnswer && !setupNames.isEmpty())
        name = setupNames.takeFirst();
    return setupAnswer;
}
