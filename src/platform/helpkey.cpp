#include "platform/helpkey.h"

#include "platform/helpsystem.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

HelpKey::HelpKey(HelpSystem &help, std::function<QString()> helpFile, QObject *parent)
    : QObject(parent), help(help), helpFile(std::move(helpFile))
{
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches the filter once per widget it travels through;
    // it is taken at the first (the widget with the focus), after shortcuts
    // have had their turn (ShortcutOverride comes before and is left alone).
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || key->isAutoRepeat())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    help.request(widget->window(), helpFile(), HelpCommand::Contents);
    return true;
}
