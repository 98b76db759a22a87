#include "support/keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void keyIn(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}
