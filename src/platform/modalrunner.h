#pragma once
// Runs a modal window. The program runs it with exec(), modal to the
// windows it was opened from (so the help window stays usable); tests install a
// ScriptedModalRunner that works the window's controls and closes it, so a
// modal window never blocks a test.
#include <QList>
#include <QString>
#include <functional>

class QDialog;

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int run(QDialog &dialog) = 0;
};

class QtModalRunner : public ModalRunner {
public:
    int run(QDialog &dialog) override;
};

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
