#pragma once
// Message boxes: text, icon, buttons and caption in, the button pressed out
// (1 OK, 2 Cancel, 6 Yes, 7 No). A box without a caption of its own shows the
// program's title. Tests install scripted ones (tests/support), which record
// every box and answer from a queue.
#include <QList>
#include <QString>

class QWidget;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };

namespace MsgAnswerCode {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}

inline const QString ProgramTitle = QStringLiteral("かのて住所録");

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    int show(QWidget *parent, const QString &text, MsgIcon icon = MsgIcon::None,
             MsgButtons buttons = MsgButtons::Ok, const QString &caption = QString());

protected:
    virtual int present(QWidget *parent, const QString &text, MsgIcon icon,
                        MsgButtons buttons, const QString &caption) = 0;
};

class QtMessageBoxes : public MessageBoxes {
protected:
    int present(QWidget *parent, const QString &text, MsgIcon icon, MsgButtons buttons,
                const QString &caption) override;
};
