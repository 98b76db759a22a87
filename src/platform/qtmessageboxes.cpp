#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

int QtMessageBoxes::present(QWidget *parent, const QString &text, MsgIcon icon,
                            MsgButtons buttons, const QString &caption)
{
    QMessageBox box(parent);
    // Modal to its window only: the help window stays usable beside it.
    if (parent)
        box.setWindowModality(Qt::WindowModal);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    struct Choice { QString label; QMessageBox::ButtonRole role; int code; };
    QList<Choice> choices;
    const Choice ok{QStringLiteral("OK"), QMessageBox::AcceptRole, MsgAnswerCode::Ok};
    const Choice cancel{QStringLiteral("キャンセル"), QMessageBox::RejectRole, MsgAnswerCode::Cancel};
    const Choice yes{QStringLiteral("はい(&Y)"), QMessageBox::YesRole, MsgAnswerCode::Yes};
    const Choice no{QStringLiteral("いいえ(&N)"), QMessageBox::NoRole, MsgAnswerCode::No};
    switch (buttons) {
    case MsgButtons::Ok: choices = {ok}; break;
    case MsgButtons::OkCancel: choices = {ok, cancel}; break;
    case MsgButtons::YesNo: choices = {yes, no}; break;
    case MsgButtons::YesNoCancel: choices = {yes, no, cancel}; break;
    }
    QList<QPushButton *> pushButtons;
    for (const Choice &c : choices)
        pushButtons.append(box.addButton(c.label, c.role));
    box.setDefaultButton(pushButtons.first());
    if (buttons == MsgButtons::OkCancel || buttons == MsgButtons::YesNoCancel)
        box.setEscapeButton(pushButtons.last());
    else if (buttons == MsgButtons::YesNo)
        box.setEscapeButton(pushButtons.last());
    else
        box.setEscapeButton(pushButtons.first());
    box.exec();
    for (int i = 0; i < pushButtons.size(); ++i)
        if (box.clickedButton() == pushButtons[i])
            return choices[i].code;
    return choices.last().code;
}
