#include "platform/pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace Pointer {

namespace {
// The pointer belongs to a graphical application; a program (or test)
// without one has none to change, and asking QGuiApplication for it there
// reads memory that is not its own.
bool hasPointer()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}
} // namespace

int current()
{
    if (!hasPointer())
        return 0;
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? static_cast<int>(cursor->shape()) : 0;
}

void showHourglass()
{
    if (!hasPointer())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void restore(int saved)
{
    if (!hasPointer())
        return;
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
