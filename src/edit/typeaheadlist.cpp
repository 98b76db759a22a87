#include "edit/typeaheadlist.h"

#include <QInputMethodEvent>

TypeAheadList::TypeAheadList(QWidget *parent)
    : QListWidget(parent)
{
    // Japanese users type with the input method on: what it commits is typed.
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void TypeAheadList::keyboardSearch(const QString &text)
{
    if (!text.isEmpty())
        emit typed(text);
}

QVariant TypeAheadList::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return isEnabled();
    return QListWidget::inputMethodQuery(query);
}

void TypeAheadList::inputMethodEvent(QInputMethodEvent *event)
{
    // The composition is shown by the input method's own window; only the
    // committed text searches.
    if (!event->commitString().isEmpty())
        emit typed(event->commitString());
    event->accept();
}
