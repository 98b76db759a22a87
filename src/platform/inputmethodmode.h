#pragma once
// The input-method mode of a text box, kept for the box's whole life.
//
// Japanese users type with the desktop's input method always on. A box whose
// mode is Off (postal codes, telephone numbers, digits) or Disabled must take
// keys straight, as half-width characters, whatever the box goes through:
// QLineEdit turns the input method back on by itself whenever it becomes
// editable again or its echo mode changes, so the mode is not a one-time
// attribute but answered by the box every time the input method asks
// (Qt::ImEnabled). The other modes leave the input method on; the platform
// has no portable way to force hiragana or katakana.
//
// Every box given a mode also commits a composition in progress before it
// loses the focus (Tab, a click, Enter on a button, a mnemonic): the input
// method is asked to commit, and if it does not (or is gone) the box takes
// the composed text as typed, so nothing typed is lost or left half-composed.
#include <QString>

class QWidget;

enum class ImeMode { Hiragana, HalfKatakana, Off, NotControlled, Disabled };

// Gives `box` its mode (a second call changes it).
void setImeMode(QWidget *box, ImeMode mode);
// The mode given to `box`; NotControlled for a box never given one.
ImeMode imeModeOf(const QWidget *box);
// Whether the input method reaches `box` now, as the input method itself
// would find out when the box has the focus.
bool inputMethodReaches(QWidget *box);
// The composition the box holds but has not taken in yet (empty: none).
QString pendingComposition(const QWidget *box);
