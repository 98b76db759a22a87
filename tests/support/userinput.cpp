#include "support/userinput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

void keyIn(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

bool opensFromBar(QMenuBar *bar, QMenu *menu)
{
    const QRect title = bar->actionGeometry(menu->menuAction());
    // A title outside the bar as it is drawn cannot be clicked.
    if (title.isEmpty() || !bar->rect().contains(title.center()) || !bar->isVisible())
        return false;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, title.center());
    const bool opened = QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000);
    menu->hide();
    return opened;
}
