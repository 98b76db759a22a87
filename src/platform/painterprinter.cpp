#include "platform/painterprinter.h"

#include "platform/cupsqueue.h"
#include "platform/fonts.h"
#include "platform/runerror.h"
#include "platform/verticalglyphs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

// ---- PainterPrinter ----

PainterPrinter::PainterPrinter()
{
    // Harmless when done already; a printer may be made before main() did it
    // (a test) and must still draw "ＭＳ 明朝" with IPAMincho.
    Fonts::installSubstitutions();
}

PainterPrinter::~PainterPrinter() = default;

void PainterPrinter::attach(QPaintDevice &device)
{
    paintDevice = &device;
    fontChanged();
}

double PainterPrinter::dpiX() const
{
    return paintDevice->logicalDpiX();
}

double PainterPrinter::dpiY() const
{
    return paintDevice->logicalDpiY();
}

void PainterPrinter::setPrintableArea(QPointF originPixels, QSizeF sizePixels, QSizeF pageSizePixels)
{
    areaOrigin = originPixels;
    areaSize = sizePixels;
    pageSize = pageSizePixels;
}

QSizeF PainterPrinter::printableSize() const
{
    if (areaOrigin)
        return areaSize;
    return QSizeF(paintDevice->width(), paintDevice->height());
}

double PainterPrinter::lineHeight() const
{
    return metrics->lineSpacing();
}

double PainterPrinter::lineWidth(const QString &line) const
{
    return metrics->horizontalAdvance(line);
}

void PainterPrinter::fontChanged()
{
    if (!paintDevice)
        return;
    const FontSpec &spec = currentFont();
    qfont = Fonts::make(spec.name, spec.size);
    qfont.setBold(spec.bold);
    // The same glyph positions at every resolution: no hinting, no kerning
    // tricks that a printer would not repeat.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setKerning(false);
    metrics.emplace(qfont, paintDevice);
    // Found when a vertical glyph is first drawn in this font: most fonts
    // set (every line sets its own) never draw one.
    rawFont.reset();
}

const QRawFont &PainterPrinter::glyphFont()
{
    if (!rawFont) {
        rawFont = QRawFont::fromFont(qfont);
        // The size the painter draws qfont at on this device.
        rawFont->setPixelSize(currentFont().size * dpiY() / 72.0);
    }
    return *rawFont;
}

QRectF PainterPrinter::pagePixels() const
{
    // A device drawn on as a whole page with the printable area inside it
    // (a PDF file, a preview): the page is the device.
    if (areaOrigin)
        return QRectF(-*areaOrigin, pageSize.isEmpty() ? QSizeF(paintDevice->width(), paintDevice->height()) : pageSize);
    return PagedPrinter::pagePixels();
}

void PainterPrinter::drawLine(const QString &line, double px, double py, bool turned)
{
    painter.setFont(qfont);
    painter.setPen(Qt::black);
    const QPointF origin = areaOrigin.value_or(QPointF());
    if (!turned) {
        painter.drawText(QPointF(origin.x() + px, origin.y() + py + metrics->ascent()), line);
        return;
    }
    // Upside down in the same box: drawn from the box's bottom-right corner
    // with the painter turned half round.
    painter.save();
    painter.translate(origin.x() + px + lineWidth(line), origin.y() + py + lineHeight());
    painter.rotate(180);
    painter.drawText(QPointF(0, metrics->ascent()), line);
    painter.restore();
}

void PainterPrinter::drawRule(QPointF from, QPointF to)
{
    QPen pen(Qt::black);
    pen.setWidthF(0.1 / 25.4 * dpiX());
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPointF origin = areaOrigin.value_or(QPointF());
    painter.drawLine(QLineF(origin + from, origin + to));
}

void PainterPrinter::drawVerticalCharacter(const QString &character, CellForm form, double px, double py,
                                           bool turned)
{
    if (turned) {
        // Upside down in the same cell: drawn upright, the painter turned
        // half round about the cell's centre.
        const QPointF origin = areaOrigin.value_or(QPointF());
        const QPointF centre(origin.x() + px + lineWidth(character) / 2, origin.y() + py + lineHeight() / 2);
        painter.save();
        painter.translate(centre);
        painter.rotate(180);
        painter.translate(-centre);
        drawVerticalCharacter(character, form, px, py, false);
        painter.restore();
        return;
    }
    const VerticalGlyphs::Glyphs glyphs = form == CellForm::AsIs ? VerticalGlyphs::Glyphs()
                                                                 : VerticalGlyphs::of(glyphFont(), character);
    const bool quarterTurned = form == CellForm::VerticalOrTurned && !glyphs.hasVerticalForm() && glyphs.Horizontal != 0;
    if (!glyphs.hasVerticalForm() && !quarterTurned) {
        drawLine(character, px, py, false);
        return;
    }
    // The vertical glyph is drawn in the em box of the horizontal one: the
    // font places it there (a small kana in the upper right, a bar along
    // the column), so the cell grid stays as it is.
    const QPointF origin = areaOrigin.value_or(QPointF());
    const QPointF baseline(origin.x() + px, origin.y() + py + metrics->ascent());
    QGlyphRun run;
    run.setRawFont(glyphFont());
    run.setGlyphIndexes({quarterTurned ? glyphs.Horizontal : glyphs.Vertical});
    run.setPositions({QPointF(0, 0)});
    painter.save();
    painter.setPen(Qt::black);
    if (quarterTurned) {
        const double em = currentFont().size * dpiY() / 72.0;
        const QPointF centre(baseline.x() + metrics->horizontalAdvance(character) / 2, origin.y() + py + em / 2);
        painter.translate(centre);
        painter.rotate(90);
        painter.translate(-centre);
    }
    painter.drawGlyphRun(baseline, run);
    painter.restore();
    if (keepsText()) {
        painter.save();
        painter.setFont(qfont);
        painter.setPen(QColor(0, 0, 0, 0));
        painter.drawText(baseline, character);
        painter.restore();
    }
}

// ---- ImagePrinter ----

ImagePrinter::ImagePrinter(QSizeF printableMm, int dotsPerInch)
{
    const int width = qRound(printableMm.width() / 25.4 * dotsPerInch);
    const int height = qRound(printableMm.height() / 25.4 * dotsPerInch);
    current = QImage(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    current.setDotsPerMeterX(dotsPerMetre);
    current.setDotsPerMeterY(dotsPerMetre);
    current.fill(Qt::white);
    attach(current);
}

ImagePrinter::~ImagePrinter()
{
    abandonDocument();
}

QImage ImagePrinter::blankPage() const
{
    QImage page(current.size(), current.format());
    page.setDotsPerMeterX(current.dotsPerMeterX());
    page.setDotsPerMeterY(current.dotsPerMeterY());
    page.fill(Qt::white);
    return page;
}

void ImagePrinter::beginDocument()
{
    drawn.clear();
    current = blankPage();
    if (!painter.begin(&current))
        throw RunError(QStringLiteral("画像に描けません。"));
}

void ImagePrinter::breakPage()
{
    painter.end();
    drawn.append(current);
    current = blankPage();
    painter.begin(&current);
}

void ImagePrinter::finishDocument()
{
    painter.end();
    drawn.append(current);
    done = drawn;
    drawn.clear();
    current = blankPage();
}

void ImagePrinter::abortDocument()
{
    painter.end();
    drawn.clear();
    current = blankPage();
}
