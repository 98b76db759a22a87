#pragma once
// What the record windows share: a client area of a size given in twips
// (below an optional menu bar), centring on the screen, Escape as the
// window's 閉じる, and an unload step that runs exactly once, however the
// window closes (its own buttons, Esc, the close box, or the caller's
// showModal()).
#include <QDialog>

class DataModule;
class QAbstractButton;
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
    // False when the window stayed open.
    bool closeForm(int result = QDialog::Rejected);

protected:
    // Builds the client area of `width` x `height` twips; with a menu bar
    // above it when `withMenuBar`. The window is as large as both, whatever
    // the bar's height turns out to be. Controls are children of client().
    void buildClient(int width, int height, bool withMenuBar);
    QWidget *client() const { return clientArea; }
    QMenuBar *menuBarWidget() const { return bar; }
    // left = (screen width - window width) / divisor, top = centred.
    void placeOnScreen(int horizontalDivisor = 2);

    // Asked before the window unloads; false keeps it open (the correction
    // form does so only when storing the user's edits failed).
    virtual bool Form_QueryUnload() { return true; }
    // What the window does when it unloads; runs once.
    virtual void Form_Unload() {}
    // Escape does what the window's 閉じる button does (in the correction
    // form that includes the question about edits not yet stored); without
    // one it closes the window.
    void setCloseButton(QAbstractButton *button) { closeButton = button; }
    void keyPressEvent(QKeyEvent *event) override;

    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

    DataModule &dm;

private:
    // Runs the unload unless it ran or the query refuses (`force` skips the query).
    bool unloadOnce(bool force = false);
    QWidget *clientArea = nullptr;
    QMenuBar *bar = nullptr;
    bool unloaded = false;
    QAbstractButton *closeButton = nullptr;
};
