#pragma once
// Reading printed pages as pictures: a PDF page rendered by poppler's
// pdftoppm, and where the ink lies on an image, in millimetres from the
// image's top-left corner (the image's own resolution says how many pixels a
// millimetre has).
#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>

namespace PageImage {
// True when pdftoppm can be run.
bool rendererAvailable();
// The first page of `pdf` at `dpi`; a null image when it cannot be rendered.
QImage render(const QString &pdf, int dpi);
double pixelsPerMm(const QImage &image);
// The bounding box of the dark pixels inside `regionMm`; empty when none.
QRectF inkBox(const QImage &image, const QRectF &regionMm);
// The middle of the dark pixels along one row (at yMm, between fromMm and
// toMm across) or one column (at xMm, between fromMm and toMm down),
// weighted by their darkness: where a thin line crosses. Nothing when the
// stretch holds no ink.
std::optional<double> inkAcross(const QImage &image, double yMm, double fromMm, double toMm);
std::optional<double> inkDown(const QImage &image, double xMm, double fromMm, double toMm);
} // namespace PageImage
