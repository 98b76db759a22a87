#pragma once
// Typing into a box as a user does: each character arrives as a key press
// carrying its text (as an input method commits it), so the box's own edit
// signals fire; and leaving the box by a focus change of a given reason.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

inline void typeKeys(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

inline void leaveBox(QWidget *box, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(box, &out);
}
