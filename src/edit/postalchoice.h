#pragma once
// PostalChoice — the pick list of several areas or codes for one postal code or address.
// PostalChoice: the small list in which the user picks one of several
// entries: the areas of a postal code that covers more than one, or the
// codes of an address whose name has several. 決定, Enter or a double-click
// takes the selected entry; 閉じる, Esc or the close box takes none.
//
// Callers: construct it with the caption, the prompt and the entries, then
// showModal(); chosen() is the 0-based entry taken, or -1.
#include "edit/formdialog.h"

#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

class PostalChoice : public FormDialog {
    Q_OBJECT
public:
    PostalChoice(DataModule &dm, QWidget *parent, const QString &caption, const QString &prompt,
                 const QStringList &entries);

    void List1_DblClick();
    void Command1_Click(); // 決定
    void Command2_Click(); // 閉じる

    int chosen() const { return chosenEntry; }

    QLabel *Label1;
    QListWidget *List1;
    QPushButton *Command1, *Command2;

private:
    int chosenEntry = -1;
};
