#include "platform/painterprinter.h"

#include "platform/cupsqueue.h"
#include "platform/fonts.h"
#include "platform/runerror.h"
#include "platform/verticalglyphs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QPrinter>
#include <QTemporaryFile>
#include <QWidget>
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

// ---- QtPrinter ----

namespace {

QString fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// A fresh, empty temporary file in `folder`, closed; its path.
QString makeSpoolFile(const QString &folder, const QString &pattern)
{
    QTemporaryFile spool(QDir(folder).filePath(pattern));
    spool.setAutoRemove(false);
    if (!spool.open())
        return QString();
    const QString path = spool.fileName();
    spool.close();
    return path;
}

} // namespace

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, const QString &pdfPath, const QString &title)
    : qprinter(std::move(printer)), pdfTarget(pdfPath), jobTitle(title)
{
    qprinter->setDocName(title);
    attach(*qprinter);
}

QtPrinter::~QtPrinter()
{
    abandonDocument();
    removeSpool();
}

std::unique_ptr<QtPrinter> QtPrinter::pdf(const QString &path, const QPageSize &pageSize,
                                          QPageLayout::Orientation orientation,
                                          const QMarginsF &marginsMm, const QString &title)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(QPageLayout(pageSize, orientation, QMarginsF(), QPageLayout::Millimeter));
    printer->setFullPage(true);
    printer->setCreator(QStringLiteral("かのて住所録"));
    auto device = std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), path, title));
    const double dpi = device->printer().resolution();
    const QSizeF page = device->printer().pageLayout().fullRect(QPageLayout::Millimeter).size();
    const auto pixels = [dpi](double mm) { return mm / 25.4 * dpi; };
    device->setPrintableArea(QPointF(pixels(marginsMm.left()), pixels(marginsMm.top())),
                             QSizeF(pixels(page.width() - marginsMm.left() - marginsMm.right()),
                                    pixels(page.height() - marginsMm.top() - marginsMm.bottom())),
                             QSizeF(pixels(page.width()), pixels(page.height())));
    return device;
}

std::unique_ptr<QtPrinter> QtPrinter::system(const QString &name, const QString &title,
                                             const std::optional<QPageSize> &pageSize,
                                             QPageLayout::Orientation orientation,
                                             const std::optional<QPageLayout> &layout, int copies)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    if (!printer->isValid() || printer->printerName() != name
        || printer->outputFormat() != QPrinter::NativeFormat)
        throw RunError(QStringLiteral("プリンタ %1 が見つかりません。").arg(name));
    if (pageSize) {
        printer->setPageSize(*pageSize);
        printer->setPageOrientation(orientation);
    } else if (layout) {
        printer->setPageLayout(*layout);
        printer->setPageOrientation(orientation);
    } else {
        printer->setPageOrientation(orientation);
    }
    printer->setFullPage(false);
    auto device = std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), QString(), title));
    device->copies = copies > 0 ? copies : 1;
    if (pageSize || layout)
        device->mediaKey = device->printer().pageLayout().pageSize().key();
    return device;
}

QRectF QtPrinter::pagePixels() const
{
    if (isPdf())
        return PainterPrinter::pagePixels();
    // A system printer draws from its printable area; the paper, as the
    // job asked for it, lies around it.
    const int dpi = qprinter->resolution();
    const QSizeF paperMm = qprinter->pageLayout().fullRect(QPageLayout::Millimeter).size();
    const QPoint paint = qprinter->pageLayout().paintRectPixels(dpi).topLeft();
    return QRectF(-QPointF(paint), paperMm / 25.4 * dpi);
}

QString QtPrinter::printerName() const
{
    return qprinter->printerName();
}

void QtPrinter::beginDocument()
{
    const QSizeF area = printableSize();
    if (area.width() <= 0 || area.height() <= 0)
        throw RunError(isPdf() ? QStringLiteral("用紙の大きさが決まらないため、印刷できません。")
                               : QStringLiteral("プリンタ %1 の用紙の大きさが分からないため、印刷できません。")
                                     .arg(printerName()));
    removeSpool();
    if (isPdf()) {
        const QFileInfo target(pdfTarget);
        spoolPath = makeSpoolFile(target.absolutePath(),
                                  QStringLiteral(".") + target.completeBaseName()
                                      + QStringLiteral("-XXXXXX.pdf"));
        if (spoolPath.isEmpty())
            throw RunError(QStringLiteral("PDF ファイル %1 を書き込めません。(フォルダ %2 に書き込めません)")
                               .arg(target.fileName(), QDir::toNativeSeparators(target.absolutePath())));
        qprinter->setOutputFileName(spoolPath);
    } else {
        // The CUPS engine writes into a named file instead of sending the
        // job itself; the queue gets it when the document ends.
        spoolPath = makeSpoolFile(QDir::tempPath(), QStringLiteral("kanote-print-XXXXXX.prn"));
        if (spoolPath.isEmpty())
            throw RunError(QStringLiteral("印刷用の一時ファイルを作成できません。"));
        qprinter->setOutputFileName(spoolPath);
    }
    if (!painter.begin(qprinter.get())) {
        removeSpool();
        throw RunError(isPdf() ? QStringLiteral("PDF ファイル %1 を書き込めません。").arg(fileNameOf(pdfTarget))
                               : QStringLiteral("プリンタ %1 に印刷できません。").arg(printerName()));
    }
}

void QtPrinter::breakPage()
{
    if (!qprinter->newPage())
        throw RunError(QStringLiteral("新しいページを始められません。"));
}

void QtPrinter::finishDocument()
{
    const bool ended = painter.end();
    const bool written = ended && qprinter->printerState() != QPrinter::Error
        && QFileInfo(spoolPath).size() > 0;
    if (!written) {
        removeSpool();
        throw RunError(isPdf() ? QStringLiteral("PDF ファイル %1 を書き込めません。").arg(fileNameOf(pdfTarget))
                               : QStringLiteral("プリンタ %1 に印刷できません。").arg(printerName()));
    }
    if (isPdf()) {
        const QFileInfo existing(pdfTarget);
        if (existing.exists() && !existing.isWritable()) {
            removeSpool();
            throw RunError(QStringLiteral("%1 は読み取り専用のため書き換えられません。").arg(existing.fileName()));
        }
        const QByteArray from = QFile::encodeName(spoolPath);
        const QByteArray to = QFile::encodeName(existing.absoluteFilePath());
        if (std::rename(from.constData(), to.constData()) != 0) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            removeSpool();
            throw RunError(QStringLiteral("PDF ファイル %1 を書き込めません。(%2)").arg(existing.fileName(), reason));
        }
        // A PDF file reads like any other file the user saves.
        QFile::setPermissions(pdfTarget, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                             | QFile::ReadOther);
        spoolPath.clear();
        return;
    }
    QList<QPair<QByteArray, QByteArray>> options;
    if (!mediaKey.isEmpty())
        options.append({"media", mediaKey.toUtf8()});
    if (copies > 1)
        options.append({"copies", QByteArray::number(copies)});
    try {
        jobs.append(CupsQueue::submit(printerName(), spoolPath, jobTitle, options));
    } catch (...) {
        removeSpool();
        throw;
    }
    removeSpool();
}

void QtPrinter::abortDocument()
{
    qprinter->abort();
    if (painter.isActive())
        painter.end();
    removeSpool();
}

void QtPrinter::removeSpool()
{
    if (!spoolPath.isEmpty())
        QFile::remove(spoolPath);
    spoolPath.clear();
}

// ---- WidgetPrinter ----

WidgetPrinter::WidgetPrinter(QWidget &target, double pictureScale, QPointF originPixels, QSizeF printableMm)
    : widget(target), scale(pictureScale), origin(originPixels)
{
    attach(widget);
    setPrintableArea(QPointF(0, 0), QSizeF(printableMm.width() / 25.4 * dpiX(), printableMm.height() / 25.4 * dpiY()));
}

WidgetPrinter::~WidgetPrinter()
{
    abandonDocument();
}

void WidgetPrinter::beginDocument()
{
    if (!painter.begin(&widget))
        throw RunError(QStringLiteral("画面に描けません。"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(origin);
    painter.scale(scale, scale);
}

void WidgetPrinter::finishDocument()
{
    painter.end();
}

void WidgetPrinter::abortDocument()
{
    if (painter.isActive())
        painter.end();
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
