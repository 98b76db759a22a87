#pragma once
// The help viewer: requests name the help file and a command, as the program
// has always asked its help system (contents, keyword search, a topic by
// context number, quit).
#include <QList>
#include <QString>

class QWidget;

namespace HelpCommand {
constexpr int Context = 1;
constexpr int Quit = 2;
constexpr int Contents = 3;
constexpr int PartialKey = 0x105;
}

class HelpSystem {
public:
    virtual ~HelpSystem() = default;
    // `data` is the context number for Context; `key` the keyword for PartialKey.
    virtual void request(QWidget *owner, const QString &helpFile, int command, int data = 0,
                         const QString &key = QString()) = 0;
};
