#pragma once
// Window geometry is designed in twips (1440 to the inch); the screen's
// logical DPI turns it into pixels.
#include <QRect>

namespace Twips {
constexpr int PerInch = 1440;
int toPixelsX(int twips);
int toPixelsY(int twips);
int fromPixelsX(int pixels);
int fromPixelsY(int pixels);
// A rectangle given as left, top, width and height in twips.
QRect rect(int left, int top, int width, int height);
} // namespace Twips
