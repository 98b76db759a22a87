#include "platform/qtprinter.h"

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
#include <cerrno>
#include <cstdio>
#include <cstring>

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
