// How windows make their controls and menu entries: a control gets its
// documented name as objectName (tests find it with findChild) and its place
// in twips; a menu entry gets its name and, when it has one, its shortcut.
// One place, so every window names and places its controls the same way.
#pragma once

#include "platform/twips.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace Controls {

inline QAction *addEntry(QMenu *menu, const QString &name, const QString &caption,
                         const QKeySequence &shortcut = QKeySequence())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

template <typename T>
T *control(T *widget, const QString &name, const QRect &twips)
{
    widget->setObjectName(name);
    widget->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

// A caption shows its text as it is, never as rich text.
inline QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &twips)
{
    auto *l = control(new QLabel(text, parent), name, twips);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A button is pressed by its own click or shortcut, never by Enter in a box.
inline QPushButton *button(QWidget *parent, const QString &name, const QString &text,
                           const QRect &twips)
{
    auto *b = control(new QPushButton(text, parent), name, twips);
    b->setAutoDefault(false);
    return b;
}

} // namespace Controls
