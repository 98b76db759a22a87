#pragma once
// Runs a modal window. The program runs it with exec(), modal to the
// windows it was opened from (so the help window stays usable); tests install a
// scripted one (tests/support) that works the window's controls and closes it,
// so a modal window never blocks a test.

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
