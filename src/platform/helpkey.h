#pragma once
// F1 in any window of the program opens the help file's contents, as desktop
// programs do. Installed once on the application; a window's own use of F1
// (a shortcut or a box that takes the key) comes first.
#include <QObject>
#include <QString>
#include <functional>

class HelpSystem;

class HelpKey : public QObject {
public:
    // `helpFile` gives the help file at the time of the key (it is known
    // only once the main window has loaded).
    HelpKey(HelpSystem &help, std::function<QString()> helpFile, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    HelpSystem &help;
    std::function<QString()> helpFile;
};
