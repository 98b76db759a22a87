#include "platform/painterprinter.h"

#include "platform/fonts.h"
#include "platform/runerror.h"

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

void PainterPrinter::setPrintableArea(QPointF originPixels, QSizeF sizePixels)
{
    areaOrigin = originPixels;
    areaSize = sizePixels;
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
}

void PainterPrinter::drawLine(const QString &line, double px, double py)
{
    painter.setFont(qfont);
    painter.setPen(Qt::black);
    const QPointF origin = areaOrigin.value_or(QPointF());
    painter.drawText(QPointF(origin.x() + px, origin.y() + py + metrics->ascent()), line);
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
