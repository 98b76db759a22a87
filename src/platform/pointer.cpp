#include "platform/pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace Pointer {

int current()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? static_cast<int>(cursor->shape()) : 0;
}

void showHourglass()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void restore(int saved)
{
    while (QGuiApplication::overrideCursor()
           && static_cast<int>(QGuiApplication::overrideCursor()->shape()) != saved)
        QGuiApplication::restoreOverrideCursor();
}

Hourglass::Hourglass(int &savedPointer)
    : saved(savedPointer)
{
    saved = current();
    showHourglass();
}

Hourglass::~Hourglass()
{
    restore();
}

void Hourglass::restore()
{
    if (!showing)
        return;
    showing = false;
    Pointer::restore(saved);
}

} // namespace Pointer
