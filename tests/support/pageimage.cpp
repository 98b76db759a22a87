#include "support/pageimage.h"

#include <QFile>
#include <QProcess>

namespace PageImage {

bool rendererAvailable()
{
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-v")});
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
}

QImage render(const QString &pdf, int dpi)
{
    const QString prefix = pdf + QStringLiteral(".page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, prefix});
    QImage image(prefix + QStringLiteral(".png"));
    QFile::remove(prefix + QStringLiteral(".png"));
    if (!image.isNull()) {
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
    }
    return image;
}

double pixelsPerMm(const QImage &image)
{
    return image.dotsPerMeterX() / 1000.0;
}

QRectF inkBox(const QImage &image, const QRectF &regionMm)
{
    const double k = pixelsPerMm(image);
    const QRect region = QRectF(regionMm.topLeft() * k, regionMm.size() * k).toAlignedRect() & image.rect();
    QRect ink;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ink |= QRect(x, y, 1, 1);
    if (ink.isEmpty())
        return QRectF();
    return QRectF(ink.left() / k, ink.top() / k, ink.width() / k, ink.height() / k);
}

namespace {
// Darkness-weighted middle of the pixels along a line of the image; the
// pixel centres count.
std::optional<double> middle(const QImage &image, bool across, double atMm, double fromMm, double toMm)
{
    const double k = pixelsPerMm(image);
    const int fixed = int(atMm * k);
    double weight = 0;
    double sum = 0;
    for (int i = int(fromMm * k); i <= int(toMm * k); ++i) {
        const int x = across ? i : fixed;
        const int y = across ? fixed : i;
        if (!image.rect().contains(x, y))
            continue;
        const double dark = 255 - qGray(image.pixel(x, y));
        if (dark < 40) // paper, and the faintest edge of anti-aliasing
            continue;
        weight += dark;
        sum += dark * (i + 0.5);
    }
    if (weight == 0)
        return std::nullopt;
    return sum / weight / k;
}
} // namespace

std::optional<double> inkAcross(const QImage &image, double yMm, double fromMm, double toMm)
{
    return middle(image, true, yMm, fromMm, toMm);
}

std::optional<double> inkDown(const QImage &image, double xMm, double fromMm, double toMm)
{
    return middle(image, false, xMm, fromMm, toMm);
}

} // namespace PageImage
