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

int ScriptedModalRunner::run(QDialog &dialog)
{
    ran.append(dialog.objectName());
    if (scripts.isEmpty()) {
        unexpected.append(dialog.objectName());
        return QDialog::Rejected;
    }
    Script script = scripts.takeFirst();
    return script(dialog);
}
