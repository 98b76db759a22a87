#include "support/scriptedmodalrunner.h"

#include <QDialog>

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
