#include "support/inputmethod.h"

#include "platform/inputmethodmode.h"

#include <QCoreApplication>

void compose(QWidget *box, const QString &text)
{
    QInputMethodEvent event(text, {});
    QCoreApplication::sendEvent(box, &event);
}

QStringList inputMethodMismatches(QWidget *window, const QStringList &off, const QStringList &on)
{
    QStringList wrong;
    auto check = [&](const QString &name, bool wanted) {
        auto *box = window->findChild<QWidget *>(name);
        if (!box)
            wrong << name + QStringLiteral(": missing");
        else if (inputMethodReaches(box) != wanted || box->testAttribute(Qt::WA_InputMethodEnabled) != wanted)
            wrong << name + (wanted ? QStringLiteral(": off") : QStringLiteral(": on"));
    };
    for (const QString &name : off)
        check(name, false);
    for (const QString &name : on)
        check(name, true);
    return wrong;
}
