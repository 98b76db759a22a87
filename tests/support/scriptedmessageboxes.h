#pragma once
// The message boxes of a test: every box shown is recorded (text, icon,
// buttons, caption) and answered from a queue; a box nobody expected is
// answered as its close box would and remembered, so the test fails.
#include "platform/messagebox.h"

#include <QList>
#include <QString>

struct ShownBox {
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
    QString caption;
    int answer;
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    // Queues the answer for the next box.
    void answer(int code) { answers.append(code); }
    // Every box shown, in order.
    QList<ShownBox> shown;
    // Boxes for which no answer was queued: a test fails when this is not empty.
    QList<ShownBox> unexpected;
    int pendingAnswers() const { return static_cast<int>(answers.size()); }
    // A one-line description of every box shown, for failure messages.
    QString describe() const;

protected:
    int present(QWidget *parent, const QString &text, MsgIcon icon, MsgButtons buttons,
                const QString &caption) override;

private:
    QList<int> answers;
};
