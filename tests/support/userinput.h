#pragma once
// Working a window as the user does: typing into a box, opening a menu from
// its bar with the mouse.
#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

// Types each character as a key press carrying its text, as an input method
// commits it.
void keyIn(QWidget *box, const QString &text);
// Clicks the title of `menu` in `bar` where the user sees it; true when the
// menu opened (it is closed again before returning).
bool opensFromBar(QMenuBar *bar, QMenu *menu);
