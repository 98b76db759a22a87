#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
qreal dpiX()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : 96.0;
}
qreal dpiY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
}
} // namespace

namespace Twips {
int toPixelsX(int twips) { return static_cast<int>(std::lround(twips * dpiX() / PerInch)); }
int toPixelsY(int twips) { return static_cast<int>(std::lround(twips * dpiY() / PerInch)); }
int fromPixelsX(int pixels) { return static_cast<int>(std::lround(pixels * PerInch / dpiX())); }
int fromPixelsY(int pixels) { return static_cast<int>(std::lround(pixels * PerInch / dpiY())); }
QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
}
} // namespace Twips
