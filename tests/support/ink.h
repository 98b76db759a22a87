#pragma once
// Where a picture has ink: the box of its dark pixels, for checks that a
// glyph stands the way it should (a vertical bar is tall, a small kana sits
// in the upper right of its cell).
#include <QImage>
#include <QRect>
#include <QRectF>

namespace Ink {
// The box of the pixels darker than mid-grey within `region` (clipped to
// the image); empty when there are none.
QRect box(const QImage &image, const QRect &region);
// The same, relative to the region's top-left corner, as fractions of its
// size (0 ... 1).
QRectF relativeBox(const QImage &image, const QRect &region);
// Whether two images have the same pixels within `region`.
bool samePixels(const QImage &a, const QImage &b, const QRect &region);
} // namespace Ink
