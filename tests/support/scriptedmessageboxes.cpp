#include "support/scriptedmessageboxes.h"

int ScriptedMessageBoxes::present(QWidget *, const QString &text, MsgIcon icon,
                                  MsgButtons buttons, const QString &caption)
{
    ShownBox box{text, icon, buttons, caption, MsgAnswerCode::Ok};
    if (answers.isEmpty()) {
        // Nobody expected this box: answer as the window's close box would.
        box.answer = buttons == MsgButtons::Ok ? MsgAnswerCode::Ok
                   : buttons == MsgButtons::YesNo ? MsgAnswerCode::No
                                                  : MsgAnswerCode::Cancel;
        unexpected.append(box);
    } else {
        box.answer = answers.takeFirst();
    }
    shown.append(box);
    return box.answer;
}

QString ScriptedMessageBoxes::describe() const
{
    QString out;
    for (const ShownBox &b : shown)
        out += QStringLiteral("[%1] %2 -> %3\n").arg(b.caption, b.text).arg(b.answer);
    return out;
}
