#pragma once
// Where the card's parts are drawn: on the layout view's picture of the card
// (the card at 0.6 of its size) and on a preview page (the card at full
// size, seen from the printable area). Both are a CardFrame: so many
// millimetres of the drawing per millimetre of the card, and where the
// card's top-left corner lies in the drawing.
//
// The layout view places an item at its stored position taken from the
// card's corner (a stored 300 is 18.0 mm of the picture at 0.6), shows the
// addressee's postal digits in the card's printed boxes, and tells the user
// when an item's text would run off the card. Nothing here needs a window.
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;

namespace CardPicture {

struct CardFrame {
    double Scale = 1.0; // drawing millimetres per card millimetre
    QPointF Corner;     // the card's top-left corner, drawing millimetres

    QPointF at(double xMm, double yMm) const { return Corner + QPointF(xMm, yMm) * Scale; }
    QRectF rect(const QRectF &cardMm) const
    {
        return QRectF(at(cardMm.left(), cardMm.top()), cardMm.size() * Scale);
    }
};

// The layout view's picture: the card at 0.6, its corner the picture's.
constexpr double PictureScale = 0.6;
inline CardFrame picture() { return {PictureScale, QPointF(0, 0)}; }
// A preview page drawn from the printable area, which starts at `printableOrigin`
// (millimetres from the page's top-left corner, where the card lies).
inline CardFrame page(const QPointF &printableOrigin) { return {1.0, -printableOrigin}; }

// The card itself (100 x 148 mm) in the drawing.
QRectF card(const CardFrame &frame);
// A stored position (tenths of a millimetre from the card's corner) in the drawing.
QPointF position(const CardFrame &frame, int topTenths, int leftTenths);
// Printed postal-code box `digit` (1 ... 7) of the card in the drawing.
QRectF postalBox(const CardFrame &frame, int digit);
// Draws the card's seven postal-code boxes with `pen`, the painter in the
// drawing's millimetres.
void drawPostalBoxes(QPainter &painter, const CardFrame &frame, const QPen &pen);

// The picture's postal digits: with seven digits the labels stand in the
// card's seven boxes; with five only the first five are shown, 10 mm of the
// picture further right, as on the older five-box cards.
constexpr double FiveDigitShiftMm = 10.0;
bool digitShown(int digit, int postalDigits);
QRectF digitLabel(int digit, int postalDigits); // picture millimetres

// The measuring lines of the selected item (picture millimetres): the
// upright one from the card's top edge down to the item's top-left corner,
// the horizontal one from the card's left edge across to it.
struct MeasuringLines {
    QLineF Upright;    // Line4
    QLineF Horizontal; // Line3
};
MeasuringLines measuringLines(int topTenths, int leftTenths);

// How much room a text takes on the card (millimetres) in a font of
// `points`, measured as the printer measures it: across, as long as the text
// and one line high; downwards, as wide as its widest character and as long
// as the print engine's pitch times its characters. An empty text takes no room.
QSizeF textExtentMm(const QString &text, const QString &fontName, double points, bool downwards);
// Whether a text of that extent set at that stored position runs beyond the
// card's edges (or starts before them).
bool beyondCard(int topTenths, int leftTenths, const QSizeF &extentMm);

// Millimetres of the screen as twips (1440 to the inch).
inline int twipsOfMm(double mm) { return static_cast<int>(mm * 1440.0 / 25.4 + (mm < 0 ? -0.5 : 0.5)); }

} // namespace CardPicture
