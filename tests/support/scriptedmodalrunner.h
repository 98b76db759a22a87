#pragma once
// The modal runner of a test: each modal window is handed to the next
// queued script, which works its controls and closes it, so a modal window
// never blocks; a window nobody expected is rejected and remembered.
#include "platform/modalrunner.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ScriptedModalRunner : public ModalRunner {
public:
    using Script = std::function<int(QDialog &)>;
    // Queues what to do with the next modal window.
    void then(Script script) { scripts.append(std::move(script)); }
    int run(QDialog &dialog) override;
    // Names (objectName) of every modal window run, in order.
    QStringList ran;
    // Windows run with nothing queued: a test fails when this is not empty.
    QStringList unexpected;
    int pending() const { return static_cast<int>(scripts.size()); }

private:
    QList<Script> scripts;
};
