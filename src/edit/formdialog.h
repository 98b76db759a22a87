#pragma once
// What the record windows share: a client area of a size given in twips
// (below an optional menu bar), centring on the screen, and an unload step
// that runs exactly once, however the window closes (its own buttons, Esc,
// the close box, or the caller's showModal()).
#include <QDialog>

class DataModule;
class QMenuBar;

class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(DataModule &dm, QWidget *parent);

    // Runs the window modally through the platform's modal runner and makes
    // sure it is unloaded when the run returns. Returns the run's result.
    int showModal();
    bool isUnloaded() const { return unloaded; }

    // The window's close step: Form_Unload (once), then the window goes.
    void closeForm(int result = QDialog::Rejected);

protected:
    // Builds the client area of `width` x `height` twips; with a menu bar
    // when `withMenuBar`. Controls are children of client().
    void buildClient(int width, int height, bool withMenuBar);
    QWidget *client() const { return clientArea; }
    QMenuBar *menuBarWidget() const { return bar; }
    // left = (screen width - window width) / divisor, top = centred.
    void placeOnScreen(int horizontalDivisor = 2);

    // What the window does when it unloads; runs once.
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

    DataModule &dm;

private:
    void unloadOnce();
    QWidget *clientArea = nullptr;
    QMenuBar *bar = nullptr;
    bool unloaded = false;
};
