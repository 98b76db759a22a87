#include "platform/modalrunner.h"

#include <QDialog>

int QtModalRunner::run(QDialog &dialog)
{
    // Modal to the windows it was opened from, not to the whole program:
    // the help window, which belongs to no window, stays usable beside it.
    if (dialog.parentWidget())
        dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}
