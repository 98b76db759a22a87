#pragma once
// The input method as a test plays it: a composition in progress (preedit
// text the box shows but has not taken in), and the check of which boxes of
// a window the input method reaches.
#include <QInputMethodEvent>
#include <QString>
#include <QStringList>
#include <QWidget>

// The input method composes `text` in `box` (the focus box) without committing it.
void compose(QWidget *box, const QString &text);
// The boxes of `window` among `names` whose input-method state is not as
// wanted ("Text2: on"): `off` names must be out of the input method's
// reach, the others within it. Empty when all are right.
QStringList inputMethodMismatches(QWidget *window, const QStringList &off, const QStringList &on);
