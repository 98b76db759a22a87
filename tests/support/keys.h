#pragma once
// Typing into a window as the user does.
#include <QString>

class QWidget;

// Types each character as a key press carrying its text, as an input method
// commits it.
void keyIn(QWidget *box, const QString &text);
