#include "platform/messagebox.h"

int MessageBoxes::show(QWidget *parent, const QString &text, MsgIcon icon, MsgButtons buttons,
                       const QString &caption)
{
    return present(parent, text, icon, buttons, caption.isEmpty() ? ProgramTitle : caption);
}
