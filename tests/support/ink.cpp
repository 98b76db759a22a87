#include "support/ink.h"

#include <QColor>

namespace Ink {

QRect box(const QImage &image, const QRect &region)
{
    const QRect area = region.intersected(image.rect());
    int left = area.right() + 1, top = area.bottom() + 1, right = area.left() - 1, bottom = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRectF relativeBox(const QImage &image, const QRect &region)
{
    const QRect ink = box(image, region);
    if (ink.isEmpty())
        return QRectF();
    return QRectF(double(ink.left() - region.left()) / region.width(), double(ink.top() - region.top()) / region.height(),
                  double(ink.width()) / region.width(), double(ink.height()) / region.height());
}

bool samePixels(const QImage &a, const QImage &b, const QRect &region)
{
    const QRect area = region.intersected(a.rect()).intersected(b.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace Ink
